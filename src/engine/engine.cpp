#include "engine.h"

#include "numeric.h"
#include "settings/data.h"

#include <QtGlobal>

namespace tw {

Engine::Engine(cData &data, EngineView &view, RecordSink *records)
    : Data(data), View(view), Records(records), Array(*this), Trans(std::make_unique<cTrans>(*this))
{
    Games.SetClosedCards([this](int16_t pile) { return Array.ClosedCards(pile); });
}

Engine::~Engine() = default;

CardState &Engine::noCard()
{
    Q_ASSERT_X(false, "Engine", "card index out of range");
    static CardState blank;
    blank = CardState{};
    return blank;
}

int16_t Engine::GetCardLeft(int i) const { return roundClamp16(card(i).Left); }
int16_t Engine::GetCardTop(int i) const { return roundClamp16(card(i).Top); }

void Engine::SetFaceMode(int i, int32_t FaceMode)
{
    CardState &c = card(i);
    if (c.FaceMode == FaceMode)
        return;
    c.FaceMode = FaceMode;
    View.Refreshcard(i);
}

void Engine::SetSelected(int i, bool Selected)
{
    CardState &c = card(i);
    if (c.Selected == Selected)
        return;
    c.Selected = Selected;
    View.Refreshcard(i);
}

bool Engine::Undo(int16_t Speed)
{
    if (!Data.GameRunning() || Busy())
        return false;
    return Trans->Undo(Speed);
}

bool Engine::Redo(int16_t Speed)
{
    if (!Data.GameRunning() || Busy())
        return false;
    return Trans->Redo(Speed);
}

void Engine::UndoAll(int16_t Speed)
{
    if (!Data.GameRunning() || Busy())
        return;
    Trans->UndoAll(Speed);
}

void Engine::RedoAll(int16_t Speed)
{
    if (!Data.GameRunning() || Busy())
        return;
    Trans->RedoAll(Speed);
}

QString Engine::CheckModel() const
{
    const int T = Array.Total();
    for (int i = 0; i < T; ++i) {
        const CardState &c = Cards[static_cast<size_t>(i)];
        const int16_t top = Array.GetTop(c.Cell, c.Pile);
        if (c.Pos > top)
            return QStringLiteral("card %1 at (%2,%3,%4) above its pile top %5")
                .arg(i)
                .arg(c.Cell)
                .arg(c.Pile)
                .arg(c.Pos)
                .arg(top);
        if (Array.GetPicID(c.Cell, c.Pile, c.Pos) != i)
            return QStringLiteral("card %1 at (%2,%3,%4) but the place holds %5")
                .arg(i)
                .arg(c.Cell)
                .arg(c.Pile)
                .arg(c.Pos)
                .arg(Array.GetPicID(c.Cell, c.Pile, c.Pos));
    }
    int counted = 0;
    for (int16_t cell = PileType::Home; cell < PileTypeCount; ++cell)
        for (int16_t pile = 0; pile < MaxPiles; ++pile)
            for (int16_t pos = 0; pos <= Array.GetTop(cell, pile); ++pos) {
                const int16_t id = Array.GetPicID(cell, pile, pos);
                if (id < 0 || id >= T)
                    return QStringLiteral("place (%1,%2,%3) below the top holds no card").arg(cell).arg(pile).arg(pos);
                const CardState &c = Cards[static_cast<size_t>(id)];
                if (c.Cell != cell || c.Pile != pile || c.Pos != pos)
                    return QStringLiteral("place (%1,%2,%3) holds card %4, which lies elsewhere")
                        .arg(cell)
                        .arg(pile)
                        .arg(pos)
                        .arg(id);
                ++counted;
            }
    if (counted != T)
        return QStringLiteral("%1 cards on the piles, %2 dealt").arg(counted).arg(T);
    return QString();
}

} // namespace tw
