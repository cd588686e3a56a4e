#include "games.h"

#include "numeric.h"

#include <QtGlobal>
#include <cmath>

namespace tw {

namespace {
const PileLayout kNoLayout{};
// Twips between two face-down cards of a fanned tableau pile.
constexpr int ClosedCardStep = 60;
// How far below the first card of a foundation its second card lies where
// the foundations fan it.
constexpr int SecondGoalCardStep = 250;

// The catalogue keeps its codes as plain numbers, and a number outside the
// named codes keeps a meaning of its own (no card fits, nothing is dealt):
// each enum has the width of its field, so the cast keeps every value.
template<typename Code>
Code code(int32_t value)
{
    return static_cast<Code>(value);
}

PileLayout makeLayout(int16_t Piles, int16_t Cards, int32_t Order, int16_t AK, int16_t StartX, int16_t StartY,
                      int16_t PileWidth, int16_t PosWidth, int16_t Div, int16_t DivWidth, int32_t PileOrder)
{
    return PileLayout{Piles, Cards,    code<OrderCode>(Order),          AK, StartX, StartY, PileWidth, PosWidth,
                      Div,   DivWidth, code<PileArrangement>(PileOrder)};
}
} // namespace

const PileLayout &cGames::layout(int16_t Cell) const
{
    const bool known = Cell >= 0 && Cell < LayoutCount;
    Q_ASSERT_X(known, "cGames", "pile type out of range");
    return known ? layout_[static_cast<size_t>(Cell)] : kNoLayout;
}

void cGames::Home(int16_t Piles, int16_t Order, int16_t Cards, int16_t AK, int16_t EmptyNum, int16_t MultiMove,
                  int16_t StartX, int16_t StartY, int16_t PileWidth, int16_t PosWidth, int16_t Div, int16_t DivWidth,
                  int32_t PileOrder, int32_t cHomeType, int32_t cMultiOrder, int32_t SuitType, int16_t cCardsOpen)
{
    layout_[PileType::Home] =
        makeLayout(Piles, Cards, Order, AK, StartX, StartY, PileWidth, PosWidth, Div, DivWidth, PileOrder);
    emptyNum_ = EmptyNum;
    multiMove_ = MultiMove;
    homeType_ = code<HomeDeal>(cHomeType);
    multiOrder_ = code<OrderCode>(cMultiOrder);
    suitType_ = code<SuitSplit>(SuitType);
    cardsOpen_ = cCardsOpen;
}

void cGames::Stock(int16_t Piles, int32_t StockMove, int16_t StartX, int16_t StartY, int16_t PosWidth, int16_t StockNum,
                   int32_t StockType)
{
    PileLayout &l = layout_[PileType::Stock];
    l.Piles = Piles;
    l.StartX = StartX;
    l.StartY = StartY;
    l.PosWidth = PosWidth;
    stockMove_ = code<StockPress>(StockMove);
    stockNum_ = code<StockMarker>(StockNum);
    stockType_ = code<StockKind>(StockType);
}

void cGames::Waste(int16_t Piles, int16_t StartX, int16_t StartY, int16_t PileWidth, int16_t Cards, int16_t PosWidth)
{
    PileLayout &l = layout_[PileType::Waste];
    l.Piles = Piles;
    l.StartX = StartX;
    l.StartY = StartY;
    l.PileWidth = PileWidth;
    l.Cards = Cards;
    l.PosWidth = PosWidth;
}

void cGames::Goal(int16_t Piles, int32_t Order, int16_t Cards, int32_t GoalType, int16_t AK, int16_t StartX,
                  int16_t StartY, int16_t PileWidth, int16_t PosWidth, int16_t Div, int16_t DivWidth, int32_t PileOrder)
{
    layout_[PileType::Goal] =
        makeLayout(Piles, Cards, Order, AK, StartX, StartY, PileWidth, PosWidth, Div, DivWidth, PileOrder);
    goalType_ = code<GoalFill>(GoalType);
}

void cGames::Res(int16_t Piles, int16_t Cards, int16_t StartX, int16_t StartY, int16_t PileWidth, int16_t PosWidth,
                 int16_t Div, int16_t DivWidth, int32_t PileOrder)
{
    PileLayout &l = layout_[PileType::Res];
    l.Piles = Piles;
    l.Cards = Cards;
    l.StartX = StartX;
    l.StartY = StartY;
    l.PileWidth = PileWidth;
    l.PosWidth = PosWidth;
    l.Div = Div;
    l.DivWidth = DivWidth;
    l.PileOrder = code<PileArrangement>(PileOrder);
}

void cGames::Ext(int16_t BaseX, int16_t BaseY, int16_t Cards, int16_t /*Redeals*/, const QString &Tag,
                 int16_t cDisAutoPlay, int16_t GoalDiv)
{
    baseX_ = BaseX;
    baseY_ = BaseY;
    totalCards_ = Cards;
    tag_ = Tag;
    family_ = FamilyOf(Tag);
    disAutoPlay_ = cDisAutoPlay;
    goalDiv_ = GoalDiv;
}

RuleFamily cGames::FamilyOf(const QString &Tag)
{
    for (const FamilyTraits &f : kFamilyTraits)
        if (f.family != RuleFamily::Other && Tag == QStringView(f.tag))
            return f.family;
    return RuleFamily::Other;
}

OrderCode cGames::Order(int16_t Cell, int16_t Pile) const
{
    // The two right-hand foundations build down from the King they start with.
    if (Cell == PileType::Goal && Pile >= 2 && Rules().kingFoundations)
        return OrderCode::DownSameSuit;
    return layout(Cell).Order;
}

int32_t cGames::PileOffset(int16_t Cell, int16_t Pile, int16_t Pos) const
{
    const PileLayout &L = layout(Cell);
    int dx = 0;
    int dy = 0;
    if (Cell == PileType::Stock || Cell == PileType::Waste) {
        // The stock and waste climb one step up and left as they grow.
        const int s = Pos > 0 ? static_cast<int>(roundHalfEven(std::sqrt(static_cast<double>(Pos)))) / 2 : 0;
        dx = L.StartX - s * L.PosWidth;
        dy = L.StartY - s * L.PosWidth;
    } else if (L.Div != 0) {
        const int col = Pile % L.Div;
        const int row = Pile / L.Div;
        int fan = Pos * L.PosWidth;
        if (Cell == PileType::Home
            && (L.PileOrder == PileArrangement::RowsFanDown || L.PileOrder == PileArrangement::RowsFanRight)
            && closedCards_) {
            // Face-down cards lie closer together than the face-up ones on them.
            const int c = closedCards_(Pile);
            if (c > 0)
                fan = c * ClosedCardStep + (Pos - c) * L.PosWidth;
        }
        switch (L.PileOrder) {
        case PileArrangement::RowsFanDown:
            dx = L.StartX + col * L.PileWidth;
            dy = L.StartY + row * L.DivWidth + fan;
            break;
        case PileArrangement::RowsSideFanDown:
            dx = L.StartX + col * L.PileWidth + row * L.DivWidth;
            dy = L.StartY + Pos * L.PosWidth;
            break;
        case PileArrangement::RowsFanRight:
            dx = L.StartX + col * L.PileWidth + fan;
            dy = L.StartY + row * L.DivWidth;
            break;
        case PileArrangement::ColumnsFanRight:
            dx = L.StartX + Pos * L.PosWidth + row * L.DivWidth;
            dy = L.StartY + col * L.PileWidth;
            break;
        }
    } else {
        Q_ASSERT_X(L.PileOrder < PileArrangement::RowsFanDown || L.PileOrder > PileArrangement::ColumnsFanRight,
                   "cGames", "pile type laid out with no piles per row");
    }
    // Stalactites fans only the second card of a foundation; the rest cover it.
    if (Cell == PileType::Goal && Pos > 0 && Rules().fanSecondGoalCard)
        dy += SecondGoalCardStep;
    return MakeCoord(clamp16(dx), clamp16(dy));
}

namespace {
// (11900 - BaseX) / 2 + 1790 + dx, a half going to the even neighbour. The sum
// is a whole number or a half, so it is done on twice its value in integers.
int16_t cordX(int16_t baseX, int32_t offset)
{
    const int span = clamp16(11900 - baseX);
    const int twice = span + 2 * (1790 + CoordX(offset));
    const int down = (twice - (twice & 1)) / 2; // floor of the half
    const int x = (twice & 1) && (down & 1) ? down + 1 : down;
    return clamp16(x);
}
} // namespace

int16_t cGames::GetCordX(int16_t Cell, int16_t Pile, int16_t Pos) const
{
    return cordX(baseX_, PileOffset(Cell, Pile, Pos));
}

int16_t cGames::GetCordY(int16_t Cell, int16_t Pile, int16_t Pos) const
{
    return clamp16(baseY_ + CoordY(PileOffset(Cell, Pile, Pos)));
}

void cGames::GetCord(int16_t Cell, int16_t Pile, int16_t Pos, int16_t &X, int16_t &Y) const
{
    const int32_t offset = PileOffset(Cell, Pile, Pos);
    X = cordX(baseX_, offset);
    Y = clamp16(baseY_ + CoordY(offset));
}

} // namespace tw
