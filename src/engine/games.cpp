#include "games.h"

#include "numeric.h"

#include <QtGlobal>
#include <cmath>

namespace tw {

namespace {
const PileLayout kNoLayout{};
}

const PileLayout &cGames::layout(int16_t Cell) const
{
    Q_ASSERT_X(Cell >= 0 && Cell <= 5, "cGames", "pile type out of range");
    return (Cell >= 0 && Cell <= 5) ? layout_[Cell] : kNoLayout;
}

void cGames::Home(int16_t Piles, int16_t Order, int16_t Cards, int16_t AK, int16_t EmptyNum, int16_t MultiMove,
                  int16_t StartX, int16_t StartY, int16_t PileWidth, int16_t PosWidth, int16_t Div,
                  int16_t DivWidth, int32_t PileOrder, int32_t cHomeType, int32_t cMultiOrder, int32_t SuitType,
                  int16_t cCardsOpen)
{
    layout_[0] = PileLayout{Piles, Cards, Order, AK, StartX, StartY, PileWidth, PosWidth, Div, DivWidth, PileOrder};
    emptyNum_ = EmptyNum;
    multiMove_ = MultiMove;
    homeType_ = cHomeType;
    multiOrder_ = cMultiOrder;
    suitType_ = SuitType;
    cardsOpen_ = cCardsOpen;
}

void cGames::Stock(int16_t Piles, int32_t StockMove, int16_t StartX, int16_t StartY, int16_t PosWidth,
                   int16_t StockNum, int32_t StockType)
{
    PileLayout &l = layout_[1];
    l.Piles = Piles;
    l.StartX = StartX;
    l.StartY = StartY;
    l.PosWidth = PosWidth;
    stockMove_ = StockMove;
    stockNum_ = StockNum;
    stockType_ = StockType;
}

void cGames::Waste(int16_t Piles, int16_t StartX, int16_t StartY, int16_t PileWidth, int16_t Cards, int16_t PosWidth)
{
    PileLayout &l = layout_[2];
    l.Piles = Piles;
    l.StartX = StartX;
    l.StartY = StartY;
    l.PileWidth = PileWidth;
    l.Cards = Cards;
    l.PosWidth = PosWidth;
}

void cGames::Goal(int16_t Piles, int32_t Order, int16_t Cards, int32_t GoalType, int16_t AK, int16_t StartX,
                  int16_t StartY, int16_t PileWidth, int16_t PosWidth, int16_t Div, int16_t DivWidth,
                  int32_t PileOrder)
{
    layout_[3] = PileLayout{Piles, Cards, Order, AK, StartX, StartY, PileWidth, PosWidth, Div, DivWidth, PileOrder};
    goalType_ = GoalType;
}

void cGames::Res(int16_t Piles, int16_t Cards, int16_t StartX, int16_t StartY, int16_t PileWidth, int16_t PosWidth,
                 int16_t Div, int16_t DivWidth, int32_t PileOrder)
{
    PileLayout &l = layout_[4];
    l.Piles = Piles;
    l.Cards = Cards;
    l.StartX = StartX;
    l.StartY = StartY;
    l.PileWidth = PileWidth;
    l.PosWidth = PosWidth;
    l.Div = Div;
    l.DivWidth = DivWidth;
    l.PileOrder = PileOrder;
}

void cGames::Ext(int16_t BaseX, int16_t BaseY, int16_t Cards, int16_t /*Redeals*/, const QString &Tag,
                 int16_t cDisAutoPlay, int16_t GoalDiv)
{
    baseX_ = BaseX;
    baseY_ = BaseY;
    totalCards_ = Cards;
    tag_ = Tag;
    isSpider_ = Tag == u"Spider";
    isStala_ = Tag == u"Stala";
    isFreecellAK_ = Tag == u"FreecellAK";
    disAutoPlay_ = cDisAutoPlay;
    goalDiv_ = GoalDiv;
}

int32_t cGames::Order(int16_t Cell, int16_t Pile) const
{
    // In the Ace-King family the two right-hand foundations build down from a King.
    if (Cell == 3 && Pile >= 2 && isFreecellAK_)
        return 1;
    return layout(Cell).Order;
}

int32_t cGames::PileOffset(int16_t Cell, int16_t Pile, int16_t Pos) const
{
    const PileLayout &L = layout(Cell);
    int dx = 0;
    int dy = 0;
    if (Cell == 1 || Cell == 2) {
        // The stock and waste climb one step up and left as they grow.
        const int s = Pos > 0 ? static_cast<int>(roundHalfEven(std::sqrt(static_cast<double>(Pos)))) / 2 : 0;
        dx = L.StartX - s * L.PosWidth;
        dy = L.StartY - s * L.PosWidth;
    } else if (L.Div != 0) {
        const int col = Pile % L.Div;
        const int row = Pile / L.Div;
        int fan = Pos * L.PosWidth;
        if (Cell == 0 && (L.PileOrder == 0 || L.PileOrder == 2) && closedCards_) {
            // Face-down cards lie closer together than the face-up ones on them.
            const int c = closedCards_(Pile);
            if (c > 0)
                fan = c * 60 + (Pos - c) * L.PosWidth;
        }
        switch (L.PileOrder) {
        case 0:
            dx = L.StartX + col * L.PileWidth;
            dy = L.StartY + row * L.DivWidth + fan;
            break;
        case 1:
            dx = L.StartX + col * L.PileWidth + row * L.DivWidth;
            dy = L.StartY + Pos * L.PosWidth;
            break;
        case 2:
            dx = L.StartX + col * L.PileWidth + fan;
            dy = L.StartY + row * L.DivWidth;
            break;
        case 3:
            dx = L.StartX + Pos * L.PosWidth + row * L.DivWidth;
            dy = L.StartY + col * L.PileWidth;
            break;
        default:
            break;
        }
    } else {
        Q_ASSERT_X(L.PileOrder < 0 || L.PileOrder > 3, "cGames", "pile type laid out with no piles per row");
    }
    if (Cell == 3 && Pos > 0 && isStala_)
        dy += 250;
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
