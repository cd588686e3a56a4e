// The road of a game: table start-up, the one start-game routine, the end of
// a game, the win check and the score.
#include "catalogue.h"
#include "engine.h"
#include "numeric.h"
#include "settings/data.h"

namespace tw {

void Engine::InitTable()
{
    Data.SesStartTime(now());
    View.PrepareTable();
    // The record keeper tells the player, once, when the folder cannot be
    // used; without one there is nobody to tell.
    if (Records)
        Records->PrepareDataFolder();
    else
        Data.PrepareAppDir();
    if (Data.TotalPlayers() == 0)
        Data.SetPlayer(1, QStringLiteral("Player1"), true);
}

QString Engine::Caption() const
{
    return Data.ProdName() + QStringLiteral(" [") + Data.CurGName() + QStringLiteral("] [") + Data.CurPlayer()
           + QStringLiteral("] [") + Data.CurGNo().toText() + u']';
}

void Engine::StartGame(const QString &name, const GameNo &number)
{
    // A name outside the catalogue (an empty recent entry, an edited setting)
    // would deal with stale parameters: start nothing and end nothing. A start
    // asked for while a deal is still being laid out waits for none: it is
    // ignored, so the running deal completes intact.
    if (Data.GetGameID(name) == 0 || dealing_)
        return;
    const Operation deal(*this);
    if (Data.GameRunning())
        EndGame(0);
    Dragging = false;
    DragCount = 0;
    Data.SetRecent(name);
    View.RecentChanged();
    frmGame::SelectGame(*this, name);
    Data.CurGNo(number);
    Data.CurGName(name);
    // The figures of the previous game must not be recorded for this one.
    Data.CurTime(0);
    Data.CurMoves(0);
    Data.CurScore(0);
    View.CaptionChanged(Caption());

    dealing_ = true;
    // At the fastest card speed the cards are placed at once: the table is
    // drawn when they all lie, not once a card. Window events still run
    // after every dealt card.
    const bool atOnce = CardSteps(1) == 0;
    if (atOnce)
        View.HoldDrawing(true);
    // Every card starts hidden at its start place, whatever ended the last game.
    HideAll();
    Array.Init(Data.CurGNo());
    InitCardValues();
    Trans = std::make_unique<cTrans>(*this);
    NewDeal();
    AutoPlay();
    dealing_ = false;
    if (atOnce)
        View.HoldDrawing(false);

    Data.GameRunning(true);
    Data.GameStartTime(now());
    // The first autoplay ran before the game was running; a deal it completed
    // is still a win.
    CheckWin();
}

void Engine::EndGame(int16_t Status)
{
    if (Records) {
        Records->AddScore(Status);
        Records->AddSesGame(Status);
    }
    Data.GameRunning(false);
    winPending_ = false;
    Dragging = false;
    DragCount = 0;
    View.GameEnded();
    HideAll();
}

bool Engine::tableWon() const { return Data.GameRunning() && Array.TotalGoalCards() == Games.TotalCards(); }

void Engine::handOnWin()
{
    // One fresh sample, so the record counts the cards that won the game and
    // the time and moves that it really took.
    Data.CurTime(GetGameSeconds());
    Data.CurMoves(Trans->GetTransID());
    Data.CurScore(CalcScore());
    View.GameWon();
}

void Engine::CheckWin()
{
    if (!tableWon())
        return;
    if (operations_ > 0)
        winPending_ = true;
    else
        handOnWin();
}

Engine::Operation::~Operation()
{
    if (--e_.operations_ > 0 || !e_.winPending_)
        return;
    e_.winPending_ = false;
    // The table may have been won on the way only (an Undo All that passes
    // through the won deal): what counts is the table the operation leaves.
    if (e_.tableWon())
        e_.handOnWin();
}

int16_t Engine::CalcScore() const
{
    if (!Data.GameRunning())
        return 0;
    const double t = Data.CurTime();
    const double m = Data.CurMoves();
    const int16_t g = Array.TotalGoalCards();
    const int tenG = 10 * g;
    return roundClamp16(tenG - (t / 3.0 + m / 2.0));
}

void Engine::SampleStatus()
{
    if (!Data.GameRunning())
        return;
    Data.CurScore(CalcScore());
    Data.CurTime(GetGameSeconds());
    Data.CurMoves(Trans->GetTransID());
}

} // namespace tw
