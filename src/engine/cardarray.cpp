#include "cardarray.h"

#include "engine.h"
#include "numeric.h"
#include "settings/data.h"

#include <QtGlobal>
#include <cmath>

namespace tw {

cArray::cArray(Engine &e) : E(e)
{
    for (auto &cell : PicID)
        for (auto &pile : cell)
            for (auto &pos : pile)
                pos = -1;
    for (auto &cell : TopPos)
        for (auto &top : cell)
            top = -1;
}

bool cArray::placeOk(int16_t Cell, int16_t Pile, int16_t Pos)
{
    return Cell >= 0 && Cell < PileTypeCount && Pile >= 0 && Pile < MaxPiles && Pos >= 0 && Pos <= MaxCards;
}

int16_t cArray::GetTop(int16_t Cell, int16_t Pile) const
{
    Q_ASSERT_X(placeOk(Cell, Pile, 0), "cArray::GetTop", "pile out of range");
    return placeOk(Cell, Pile, 0) ? TopPos[Cell][Pile] : -1;
}

int16_t cArray::GetPicID(int16_t Cell, int16_t Pile, int16_t Pos) const
{
    // Position -1 is how an empty pile's top is asked for: no card there.
    if (Pos == -1 && placeOk(Cell, Pile, 0))
        return -1;
    Q_ASSERT_X(placeOk(Cell, Pile, Pos), "cArray::GetPicID", "place out of range");
    return placeOk(Cell, Pile, Pos) ? PicID[Cell][Pile][Pos] : -1;
}

int16_t cArray::GetTopPicID(int16_t Cell, int16_t Pile) const { return GetPicID(Cell, Pile, GetTop(Cell, Pile)); }

int16_t cArray::GetRandom(int16_t i) const { return (i >= 0 && i < T) ? Deck[i] : 0; }

void cArray::Init(const GameNo &GameNo)
{
    T = static_cast<int16_t>(qBound(0, static_cast<int>(E.Games.TotalCards()), MaxCards));
    for (int c = 0; c < PileTypeCount; ++c)
        for (int p = 0; p < MaxPiles; ++p) {
            TopPos[c][p] = -1;
            for (int k = 0; k <= MaxCards; ++k)
                PicID[c][p][k] = -1;
        }
    for (int i = 0; i <= MaxCards; ++i)
        Deck[i] = 0;
    RandomInit(GameNo);
}

void cArray::RandomInit(const GameNo &GameNo)
{
    int16_t tmp[MaxCards + 1];
    int n = T;
    for (int i = 0; i < T; ++i)
        tmp[i] = static_cast<int16_t>(i);
    RandomSource &rnd = E.DealRandom;
    rnd.Next(-10);
    const uint64_t seed = GameNo.seed();
    for (int i = 0; i < T; ++i) {
        rnd.Randomize(seed);
        --n;
        const float r = rnd.Next();
        // r has 24 bits and n at most 7, so the product is exact in double.
        const int j = static_cast<int>(roundHalfEven(static_cast<double>(r) * static_cast<double>(n)));
        Deck[i] = tmp[j];
        tmp[j] = tmp[n];
    }
}

void cArray::MoveCard(int16_t Card, int16_t Cell, int16_t Pile, int16_t Pos, int32_t &Mode, int16_t Speed,
                      int16_t Count, bool FaceDown)
{
    if (Card < 0 || Card >= MaxCards || !placeOk(Cell, Pile, Pos)) {
        Q_ASSERT_X(false, "cArray::MoveCard", "card or place out of range");
        return;
    }
    // Only the fullness of a foundation is the primitive's to refuse: undo,
    // redo, the deal and a whole suit going home place cards that no
    // building rule would take.
    if (Cell == PileType::Goal && E.FoundationFull(Pile))
        return;

    Engine &eng = E;
    const Engine::Operation move(eng);
    const int16_t srcCell = eng.GetCardCell(Card);
    const int16_t srcPile = eng.GetCardPile(Card);
    const int16_t srcPos = eng.GetCardPos(Card);

    if (Mode != MoveMode::UndoRedo && srcCell == PileType::Home && srcPos >= 1) {
        const int16_t below = GetPicID(PileType::Home, srcPile, static_cast<int16_t>(srcPos - 1));
        if (below >= 0 && eng.GetCardFaceMode(below) == CardFace::Down) {
            Mode = MoveMode::TurnedUp;
            eng.SetFaceMode(below, CardFace::Up);
        }
    }
    if (Mode != MoveMode::UndoRedo && Mode != MoveMode::Deal && eng.Trans)
        eng.Trans->SaveTrans(Card, Cell, Pile, Pos, Count, Mode);

    PlaceCard(Card, Cell, Pile, Pos, Mode, Speed, FaceDown);
    for (int i = 1; i <= Count; ++i) {
        const int16_t c = GetPicID(srcCell, srcPile, static_cast<int16_t>(srcPos + i));
        if (c < 0) {
            Q_ASSERT_X(false, "cArray::MoveCard", "fewer cards on the moved card than its count");
            break;
        }
        PlaceCard(c, Cell, Pile, static_cast<int16_t>(Pos + i), Mode, 0, FaceDown);
    }
    if (placeOk(srcCell, srcPile, 0))
        TopPos[srcCell][srcPile] = static_cast<int16_t>(srcPos - 1);
    TopPos[Cell][Pile] = static_cast<int16_t>(Pos + Count);

    if (Mode != MoveMode::EndsFaceDown && Mode != MoveMode::UndoRedo && Mode != MoveMode::Deal)
        eng.AutoPlay();
    if (eng.Data.GameRunning())
        eng.CheckWin();
}

void cArray::PlaceCard(int16_t Card, int16_t Cell, int16_t Pile, int16_t Pos, int32_t Mode, int16_t Speed,
                       bool FaceDown)
{
    Engine &eng = E;
    int16_t X, Y;
    eng.Games.GetCord(Cell, Pile, Pos, X, Y);
    eng.ZOrder(Card);
    eng.SetVisible(Card, true);
    if (Speed >= 1) {
        const CardState &c = eng.Cards[static_cast<size_t>(Card)];
        const float L0 = c.Left;
        const float T0 = c.Top;
        const float dX = std::fabs(X - L0);
        const float dY = std::fabs(Y - T0);
        const float sX = L0 < X ? 1.0f : -1.0f;
        const float sY = T0 < Y ? 1.0f : -1.0f;
        for (int i = 1; i <= Speed; ++i) {
            eng.MoveTo(Card, L0 + sX * static_cast<float>(i) * dX / static_cast<float>(Speed),
                       T0 + sY * static_cast<float>(i) * dY / static_cast<float>(Speed));
            eng.View.RefreshTable();
            eng.View.AnimationPause();
        }
    }
    eng.MoveTo(Card, X, Y);
    eng.View.RefreshTable();
    eng.SetFaceMode(Card, FaceDown ? CardFace::Down : CardFace::Up);
    if (Mode != MoveMode::Deal) {
        const CardState &c = eng.Cards[static_cast<size_t>(Card)];
        if (placeOk(c.Cell, c.Pile, c.Pos))
            PicID[c.Cell][c.Pile][c.Pos] = -1;
    }
    eng.SetLoc(Card, Cell, Pile, Pos);
    PicID[Cell][Pile][Pos] = Card;
    if (Mode == MoveMode::Deal)
        eng.View.PumpEvents();
}

void cArray::AddtoWaste(int16_t Card)
{
    int32_t mode = MoveMode::WasFaceDown;
    // A stock card turned onto the waste travels as a drop does.
    MoveCard(Card, PileType::Waste, 0, static_cast<int16_t>(TopPos[PileType::Waste][0] + 1), mode,
             E.CardSteps(Engine::DropSteps), 0, false);
}

void cArray::MoveWasteStock()
{
    for (int i = TopPos[PileType::Waste][0]; i >= 0; --i) {
        const int16_t c = GetTopPicID(PileType::Waste, 0);
        if (c < 0)
            break;
        int32_t mode = MoveMode::Deal;
        MoveCard(c, PileType::Stock, 0, static_cast<int16_t>(TopPos[PileType::Stock][0] + 1), mode, 0, 0, true);
    }
}

int16_t cArray::TotalGoalCards() const
{
    int n = 0;
    // Always eight foundations, whatever the variant has.
    for (int p = 0; p < 8; ++p)
        n += TopPos[PileType::Goal][p] + 1;
    return static_cast<int16_t>(n);
}

int16_t cArray::ClosedCards(int16_t Pile) const
{
    if (Pile < 0 || Pile >= MaxPiles)
        return 0;
    int16_t n = 0;
    for (int k = 0; k <= TopPos[PileType::Home][Pile]; ++k) {
        const int16_t c = PicID[PileType::Home][Pile][k];
        if (c >= 0 && E.Cards[static_cast<size_t>(c)].FaceMode == CardFace::Down)
            ++n;
    }
    return n;
}

} // namespace tw
