#pragma once

#include "codes.h"
#include "family.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>

namespace tw {

// Layout and rule record of one pile type.
struct PileLayout {
    int16_t Piles = 0;
    int16_t Cards = 0;
    OrderCode Order = OrderCode::NoCard;
    int16_t AK = 0; // nonzero: King and Ace follow each other
    int16_t StartX = 0;
    int16_t StartY = 0;
    int16_t PileWidth = 0;
    int16_t PosWidth = 0;
    int16_t Div = 0;
    int16_t DivWidth = 0;
    PileArrangement PileOrder = PileArrangement::RowsFanDown;
};

// Every parameter of the variant being played, and the geometry that turns a
// place (pile type, pile, position) into table coordinates in twips.
class cGames {
public:
    // Face-down cards in a tableau pile; the card arrays answer it.
    void SetClosedCards(std::function<int16_t(int16_t)> f) { closedCards_ = std::move(f); }

    int16_t GetCordX(int16_t Cell, int16_t Pile, int16_t Pos) const;
    int16_t GetCordY(int16_t Cell, int16_t Pile, int16_t Pos) const;
    // Both coordinates of a place at once (what GetCordX and GetCordY give),
    // for the placement of every card.
    void GetCord(int16_t Cell, int16_t Pile, int16_t Pos, int16_t &X, int16_t &Y) const;

    void Home(int16_t Piles, int16_t Order, int16_t Cards, int16_t AK, int16_t EmptyNum, int16_t MultiMove,
              int16_t StartX, int16_t StartY, int16_t PileWidth, int16_t PosWidth, int16_t Div, int16_t DivWidth,
              int32_t PileOrder, int32_t cHomeType, int32_t cMultiOrder, int32_t SuitType, int16_t cCardsOpen);
    void Stock(int16_t Piles, int32_t StockMove, int16_t StartX, int16_t StartY, int16_t PosWidth, int16_t StockNum,
               int32_t StockType);
    void Waste(int16_t Piles, int16_t StartX, int16_t StartY, int16_t PileWidth, int16_t Cards, int16_t PosWidth);
    void Goal(int16_t Piles, int32_t Order, int16_t Cards, int32_t GoalType, int16_t AK, int16_t StartX, int16_t StartY,
              int16_t PileWidth, int16_t PosWidth, int16_t Div, int16_t DivWidth, int32_t PileOrder);
    void Res(int16_t Piles, int16_t Cards, int16_t StartX, int16_t StartY, int16_t PileWidth, int16_t PosWidth,
             int16_t Div, int16_t DivWidth, int32_t PileOrder);
    void Ext(int16_t BaseX, int16_t BaseY, int16_t Cards, int16_t Redeals, const QString &Tag, int16_t cDisAutoPlay,
             int16_t GoalDiv);

    int16_t Piles(int16_t Cell) const { return layout(Cell).Piles; }
    OrderCode Order(int16_t Cell, int16_t Pile) const;
    OrderCode MultiOrder() const
    {
        return multiOrder_ != OrderCode::OfTableau ? multiOrder_ : layout_[PileType::Home].Order;
    }
    int16_t Cards(int16_t Cell) const { return layout(Cell).Cards; }
    int16_t AK(int16_t Cell) const { return layout(Cell).AK; }
    GoalFill GoalType() const { return goalType_; }
    bool MultiMove() const { return multiMove_ != 0; }
    int16_t Compare() const { return 0; }
    StockKind StockType() const { return stockType_; }
    StockPress StockMove() const { return stockMove_; }
    QString Tag() const { return tag_; }
    HomeDeal HomeType() const { return homeType_; }
    PileArrangement HomePileOrder() const { return layout_[PileType::Home].PileOrder; }
    SuitSplit SuitType() const { return suitType_; }
    int16_t TotalCards() const { return totalCards_; }
    QString Name() const { return QString(); }
    int16_t BaseX() const { return baseX_; }
    int16_t BaseY() const { return baseY_; }
    int16_t DisAutoPlay() const { return disAutoPlay_; }
    int16_t EmptyNum() const { return emptyNum_; }
    void EmptyNum(int16_t vNewValue) { emptyNum_ = vNewValue; }
    int16_t CardsOpen() const { return cardsOpen_; }
    StockMarker StockNum() const { return stockNum_; }
    int16_t GoalDiv() const { return goalDiv_; }

    // The rule family the Tag names, read once when the variant is loaded,
    // and what it changes in the rules.
    RuleFamily Family() const { return family_; }
    const FamilyTraits &Rules() const { return Traits(family_); }
    static RuleFamily FamilyOf(const QString &Tag);

private:
    const PileLayout &layout(int16_t Cell) const;
    // Offset of a place from the layout origin: x in the low word, y in the high.
    int32_t PileOffset(int16_t Cell, int16_t Pile, int16_t Pos) const;

    GoalFill goalType_ = GoalFill::RankAce;
    int16_t emptyNum_ = 0;
    int16_t multiMove_ = 0;
    StockKind stockType_ = StockKind::FaceDown;
    StockPress stockMove_ = StockPress::ToWaste;
    HomeDeal homeType_ = HomeDeal::RoundRobin;
    OrderCode multiOrder_ = OrderCode::OfTableau;
    SuitSplit suitType_ = SuitSplit::OneSuit;
    std::array<PileLayout, LayoutCount> layout_{}; // by pile type
    QString tag_;
    int16_t cardsOpen_ = 0;
    int16_t totalCards_ = 0;
    int16_t baseX_ = 0;
    int16_t baseY_ = 0;
    int16_t disAutoPlay_ = 0;
    StockMarker stockNum_ = StockMarker::NoMarker;
    int16_t goalDiv_ = 0;
    RuleFamily family_ = RuleFamily::Other;
    std::function<int16_t(int16_t)> closedCards_;
};

} // namespace tw
