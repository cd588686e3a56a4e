#include "catalogue.h"

#include "engine.h"
#include "settings/data.h"

#include <optional>

namespace tw {

namespace {

// One record per parameter setter of cGames, with the setter's arguments as
// fields in its argument order, so that a row names every value it sets.
// A field left out is 0, except the two values the whole catalogue shares:
// MultiMove 1 and one stock pile. The rows write out every code whose 0 has a
// meaning of its own (a rule, a deal pattern, an arrangement); left out are
// only counts and measures of 0 and the switches that are off (AK,
// DisAutoPlay, StockNum, GoalDiv, Redeals, CardsOpen, and MultiOrder, whose 0
// makes runs follow the tableau's own Order).
struct HomeRow {
    int16_t Piles = 0;
    int16_t Order = OrderCode::NoCard;
    int16_t Cards = 0;
    int16_t AK = 0;
    int16_t EmptyNum = Rank::Ace;
    int16_t MultiMove = 1;
    int16_t StartX = 0;
    int16_t StartY = 0;
    int16_t PileWidth = 0;
    int16_t PosWidth = 0;
    int16_t Div = 0;
    int16_t DivWidth = 0;
    int32_t PileOrder = PileArrangement::RowsFanDown;
    int32_t HomeType = HomeDeal::RoundRobin;
    int32_t MultiOrder = OrderCode::OfTableau;
    int32_t SuitType = SuitSplit::OneSuit;
    int16_t CardsOpen = 0;
};

struct GoalRow {
    int16_t Piles = 0;
    int32_t Order = OrderCode::NoCard;
    int16_t Cards = 0;
    int32_t GoalType = GoalFill::RankAce;
    int16_t AK = 0;
    int16_t StartX = 0;
    int16_t StartY = 0;
    int16_t PileWidth = 0;
    int16_t PosWidth = 0;
    int16_t Div = 0;
    int16_t DivWidth = 0;
    int32_t PileOrder = PileArrangement::RowsFanDown;
};

struct ResRow {
    int16_t Piles = 0;
    int16_t Cards = 0;
    int16_t StartX = 0;
    int16_t StartY = 0;
    int16_t PileWidth = 0;
    int16_t PosWidth = 0;
    int16_t Div = 0;
    int16_t DivWidth = 0;
    int32_t PileOrder = PileArrangement::RowsFanDown;
};

struct StockRow {
    int16_t Piles = 1;
    int32_t StockMove = StockPress::ToWaste; // 1 and 3 act as ToWaste too
    int16_t StartX = 0;
    int16_t StartY = 0;
    int16_t PosWidth = 0;
    int16_t StockNum = StockMarker::NoMarker;
    int32_t StockType = StockKind::FaceDown;
};

struct WasteRow {
    int16_t Piles = 0;
    int16_t StartX = 0;
    int16_t StartY = 0;
    int16_t PileWidth = 0;
    int16_t Cards = 0;
    int16_t PosWidth = 0;
};

struct ExtRow {
    int16_t BaseX = 0;
    int16_t BaseY = 0;
    int16_t Cards = 0; // TotalCards
    int16_t Redeals = 0;
    const char16_t *Tag = u"";
    int16_t DisAutoPlay = 0; // nonzero (-1): autoplay off
    int16_t GoalDiv = 0;
};

// One variant. Only four variants have a waste pile; the others keep the
// default record that SelectGame loads first.
struct CatalogueRow {
    const char16_t *Name;
    HomeRow Home;
    GoalRow Goal;
    ResRow Res;
    StockRow Stock;
    std::optional<WasteRow> Waste{};
    ExtRow Ext;
};

// What every variant starts from: no reserve and no waste pile.
constexpr ResRow kNoReserves{.Div = 20};
constexpr WasteRow kNoWaste{.PosWidth = 30};

// The 35 variants in catalogue order (alphabetical): a row's place, counted
// from 1, is the variant's catalogue index.
constexpr CatalogueRow kRows[frmGame::GameCount] = {
    {.Name = u"Avenue",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 48, .EmptyNum = Rank::Any, .StartX = 1265,
             .StartY = 500, .PileWidth = 1540, .PosWidth = 180, .Div = 4, .DivWidth = 5210,
             .PileOrder = PileArrangement::ColumnsFanRight, .HomeType = HomeDeal::RoundRobin,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .Cards = 4, .GoalType = GoalFill::RankAce, .StartX = 5210,
             .StartY = 500, .PileWidth = 1540, .Div = 20, .PileOrder = PileArrangement::ColumnsFanRight},
     .Res = {.Piles = 4, .StartY = 500, .PileWidth = 1540, .Div = 20, .PileOrder = PileArrangement::ColumnsFanRight},
     .Stock = {.StockMove = StockPress::ToWaste, .StartY = 500, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 10420, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Baker's Game",
     .Home = {.Piles = 8, .Order = OrderCode::DownSameSuit, .Cards = 52, .EmptyNum = Rank::King, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 4960,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .StartX = -150, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartX = -150, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Baker's Spider",
     .Home = {.Piles = 8, .Order = OrderCode::DownAnySuit, .Cards = 52, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .MultiOrder = OrderCode::DownSameSuit,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::Empty, .StartX = 4960,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .StartX = -150, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartX = -150, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Spider", .DisAutoPlay = -1}},
    {.Name = u"Bastion",
     .Home = {.Piles = 10, .Order = OrderCode::EitherSameSuit, .Cards = 50, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 3495,
             .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 2, .Cards = 2, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Carnival",
     .Home = {.Piles = 12, .Order = OrderCode::DownOtherColor, .Cards = 48, .EmptyNum = Rank::Any, .StartX = 1465,
             .PileWidth = 1165, .PosWidth = 250, .Div = 6, .DivWidth = 4000,
             .PileOrder = PileArrangement::RowsFanDown, .HomeType = HomeDeal::RoundRobin,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .Cards = 4, .GoalType = GoalFill::RankAce, .StartX = 8755,
             .StartY = 500, .PileWidth = 1540, .Div = 20, .PileOrder = PileArrangement::ColumnsFanRight},
     .Res = {.Piles = 4, .StartY = 500, .PileWidth = 1540, .Div = 20, .PileOrder = PileArrangement::ColumnsFanRight},
     .Stock = {.StockMove = StockPress::ToWaste, .StartY = 500, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9820, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Cascade",
     .Home = {.Piles = 7, .Order = OrderCode::DownOtherColor, .Cards = 35, .EmptyNum = Rank::Any, .StartX = 1265,
             .StartY = 1640, .PileWidth = 1165, .PosWidth = 250, .Div = 20,
             .PileOrder = PileArrangement::RowsFanDown, .HomeType = HomeDeal::RoundRobin,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpOtherColor, .GoalType = GoalFill::RankAce, .StartX = 4760,
             .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 2, .StartX = 1265, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = 1, .PosWidth = 30, .StockNum = StockMarker::Stop, .StockType = StockKind::FaceDown},
     .Waste = WasteRow{.Piles = 1, .StartY = 1640, .PosWidth = 30},
     .Ext = {.BaseX = 9320, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Cone Freecell",
     .Home = {.Piles = 9, .Order = OrderCode::DownOtherColor, .Cards = 52, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::Cone, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 5825,
             .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 10385, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Double Baker's Game",
     .Home = {.Piles = 6, .Order = OrderCode::DownSameSuit, .Cards = 96, .EmptyNum = Rank::Any, .StartX = 2430,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 8, .Order = OrderCode::UpSameSuit, .Cards = 8, .GoalType = GoalFill::RankAce, .StartX = 9520,
             .PileWidth = 1490, .Div = 4, .DivWidth = 1165, .PileOrder = PileArrangement::ColumnsFanRight},
     .Res = {.Piles = 8, .PileWidth = 1490, .Div = 4, .DivWidth = 1165,
            .PileOrder = PileArrangement::ColumnsFanRight},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 11750, .BaseY = 200, .Cards = 104, .Tag = u"Freecell"}},
    {.Name = u"Double Baker's Spider",
     .Home = {.Piles = 10, .Order = OrderCode::DownAnySuit, .Cards = 104, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .MultiOrder = OrderCode::DownSameSuit,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 7140,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 6, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 104, .Tag = u"Spider", .DisAutoPlay = -1, .GoalDiv = 4}},
    {.Name = u"Double Cascade",
     .Home = {.Piles = 10, .Order = OrderCode::DownOtherColor, .Cards = 40, .EmptyNum = Rank::Any, .StartY = 3080,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 8, .Order = OrderCode::UpOtherColor, .Cards = 8, .GoalType = GoalFill::RankAce,
             .StartX = 2680, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 10, .StartY = 1540, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .PosWidth = 30, .StockType = StockKind::FaceDown},
     .Waste = WasteRow{.Piles = 1, .StartX = 1265, .PosWidth = 30},
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 104, .Tag = u"Freecell"}},
    {.Name = u"Double Freecell",
     .Home = {.Piles = 6, .Order = OrderCode::DownOtherColor, .Cards = 96, .EmptyNum = Rank::Any, .StartX = 2430,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 8, .Order = OrderCode::UpSameSuit, .Cards = 8, .GoalType = GoalFill::RankAce, .StartX = 9520,
             .PileWidth = 1490, .Div = 4, .DivWidth = 1165, .PileOrder = PileArrangement::ColumnsFanRight},
     .Res = {.Piles = 8, .PileWidth = 1490, .Div = 4, .DivWidth = 1165,
            .PileOrder = PileArrangement::ColumnsFanRight},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 11750, .BaseY = 200, .Cards = 104, .Tag = u"Freecell"}},
    {.Name = u"Double Galaxy",
     .Home = {.Piles = 10, .Order = OrderCode::DownSameSuit, .Cards = 104, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::OneSuit},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 7140,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 6, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 104, .Tag = u"Spider", .DisAutoPlay = -1, .GoalDiv = 4}},
    {.Name = u"Double Klondike Freecell",
     .Home = {.Piles = 9, .Order = OrderCode::DownOtherColor, .Cards = 45, .EmptyNum = Rank::Any, .StartX = 1165,
             .StartY = 1640, .PileWidth = 1165, .PosWidth = 250, .Div = 20,
             .PileOrder = PileArrangement::RowsFanDown, .HomeType = HomeDeal::Triangle,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 8, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 2680,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 2, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = 1, .StartY = 1640, .PosWidth = 30, .StockType = StockKind::FaceDown},
     .Waste = WasteRow{.Piles = 1, .StartY = 3280, .PosWidth = 30},
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 104, .Tag = u"Freecell"}},
    {.Name = u"Double Spidercells",
     .Home = {.Piles = 10, .Order = OrderCode::DownOtherColor, .Cards = 104, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .MultiOrder = OrderCode::DownOtherColor,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpOtherColor, .GoalType = GoalFill::RankAce, .StartX = 7140,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 6, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 104, .Tag = u"Spider", .DisAutoPlay = -1, .GoalDiv = 4}},
    {.Name = u"Eight Off",
     .Home = {.Piles = 8, .Order = OrderCode::DownSameSuit, .Cards = 48, .EmptyNum = Rank::King, .PileWidth = 1165,
             .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 9620,
             .StartY = 440, .Div = 1, .DivWidth = 1540, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 8, .Cards = 4, .StartY = 5500, .PileWidth = 1165, .Div = 20,
            .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartY = 5500, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 10685, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Fancell",
     .Home = {.Piles = 12, .Order = OrderCode::DownOtherColor, .Cards = 48, .EmptyNum = Rank::Any, .StartY = 1540,
             .PileWidth = 3765, .PosWidth = 180, .Div = 3, .DivWidth = 1490,
             .PileOrder = PileArrangement::RowsFanRight, .HomeType = HomeDeal::RoundRobin,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpOtherColor, .Cards = 4, .GoalType = GoalFill::RankAce,
             .StartX = 5840, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .StartX = 1030, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartX = 1030, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 11295, .BaseY = 50, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Forecell",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 48, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 4960,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .Cards = 4, .StartX = -150, .PileWidth = 1115, .Div = 20,
            .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartX = -150, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Four Colors",
     .Home = {.Piles = 7, .Order = OrderCode::DownOtherColor, .Cards = 52, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::PileBySuit, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 8455, .Div = 1,
             .DivWidth = 1540, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9520, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Freecell",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 52, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 4960,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .StartX = -150, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartX = -150, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Freecell AK",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 48, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .Cards = 4, .GoalType = GoalFill::AcesAndKings,
             .StartX = 4960, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .StartX = -150, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartX = -150, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"FreecellAK"}},
    {.Name = u"Galaxy",
     .Home = {.Piles = 8, .Order = OrderCode::DownSameSuit, .Cards = 52, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::OneSuit},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::Empty, .StartX = 4960,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .StartX = -150, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartX = -150, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Spider", .DisAutoPlay = -1}},
    {.Name = u"Klondike Freecell",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 36, .EmptyNum = Rank::Any, .StartX = 1265,
             .StartY = 1640, .PileWidth = 1165, .PosWidth = 250, .Div = 20,
             .PileOrder = PileArrangement::RowsFanDown, .HomeType = HomeDeal::Triangle,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 5925,
             .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 2, .StartX = 1265, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = 1, .PosWidth = 30, .StockType = StockKind::FaceDown},
     .Waste = WasteRow{.Piles = 1, .StartY = 1640, .PosWidth = 30},
     .Ext = {.BaseX = 10485, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Milligan Cell",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 8, .EmptyNum = Rank::King, .StartX = 1365,
             .StartY = 1640, .PileWidth = 1165, .PosWidth = 250, .Div = 20,
             .PileOrder = PileArrangement::RowsFanDown, .HomeType = HomeDeal::RoundRobin,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 8, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 1365,
             .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 3, .StartY = 1640, .PileWidth = 1540, .Div = 20, .PileOrder = PileArrangement::ColumnsFanRight},
     .Stock = {.StockMove = StockPress::DealToTableau, .PosWidth = 30, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 10785, .BaseY = 200, .Cards = 104, .Tag = u"Freecell"}},
    {.Name = u"Oasis",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 32, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 4660,
             .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 2, .StartX = 1665, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = 3, .PosWidth = 30, .StockNum = StockMarker::Stop, .StockType = StockKind::FaceUp},
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Penguin",
     .Home = {.Piles = 7, .Order = OrderCode::DownSameSuit, .Cards = 49, .AK = -1, .EmptyNum = Rank::King,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .Cards = 3, .GoalType = GoalFill::BaseFromFirstCard,
             .AK = 1, .StartX = 8455, .StartY = 440, .Div = 1, .DivWidth = 1540,
             .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 7, .StartY = 5500, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartY = 5500, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9520, .BaseY = 200, .Cards = 52, .Tag = u"Penguin"}},
    {.Name = u"SeaTowers",
     .Home = {.Piles = 10, .Order = OrderCode::DownSameSuit, .Cards = 50, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .PileWidth = 1165,
             .Div = 2, .DivWidth = 9320, .PileOrder = PileArrangement::RowsSideFanDown},
     .Res = {.Piles = 4, .Cards = 2, .StartX = 3495, .PileWidth = 1140, .Div = 20,
            .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"See-Saw",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 52, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RandomPile, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 4960,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .StartX = -150, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartX = -150, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Seven By Four",
     .Home = {.Piles = 7, .Order = OrderCode::DownOtherColor, .Cards = 52, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1265, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 4578,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .StartX = -332, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartX = -332, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 8655, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Spidercells",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 52, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpOtherColor, .GoalType = GoalFill::Empty, .StartX = 4960,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 4, .StartX = -150, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartX = -150, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Spider", .DisAutoPlay = -1}},
    {.Name = u"Stalactites",
     .Home = {.Piles = 8, .Order = OrderCode::NoCard, .Cards = 48, .EmptyNum = Rank::NoCard, .StartY = 1840,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpAnySuit, .Cards = 4, .GoalType = GoalFill::FirstCards, .AK = 1,
             .StartX = 4660, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 2, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Stala", .DisAutoPlay = -1}},
    {.Name = u"Stripped Freecell",
     .Home = {.Piles = 6, .Order = OrderCode::DownOtherColor, .Cards = 24, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1265, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 2, .Order = OrderCode::UpSameSuit, .Cards = 2, .GoalType = GoalFill::RankAce, .StartX = 5060,
             .PileWidth = 1265, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 2, .PileWidth = 1265, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::HeartsAndSpades},
     .Ext = {.BaseX = 7390, .BaseY = 200, .Cards = 26, .Tag = u"Freecell"}},
    {.Name = u"Tuxedo",
     .Home = {.Piles = 7, .Order = OrderCode::DownSameSuit, .Cards = 52, .EmptyNum = Rank::King, .PileWidth = 1165,
             .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 8455,
             .StartY = 440, .Div = 1, .DivWidth = 1540, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 7, .StartY = 5500, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StartY = 5500, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9520, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Two Cells",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 52, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 4660,
             .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 2, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Vertical Freecell",
     .Home = {.Piles = 4, .Order = OrderCode::DownOtherColor, .Cards = 48, .EmptyNum = Rank::Any, .StartX = 2430,
             .StartY = 500, .PileWidth = 1540, .PosWidth = 180, .Div = 4, .DivWidth = 4000,
             .PileOrder = PileArrangement::ColumnsFanRight, .HomeType = HomeDeal::RoundRobin,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .Cards = 4, .GoalType = GoalFill::RankAce, .StartX = 7955,
             .StartY = 500, .PileWidth = 1540, .Div = 20, .PileOrder = PileArrangement::ColumnsFanRight},
     .Res = {.Piles = 8, .StartY = 500, .PileWidth = 1540, .Div = 4, .DivWidth = 1165,
            .PileOrder = PileArrangement::ColumnsFanRight},
     .Stock = {.StockMove = StockPress::ToWaste, .StartY = 500, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 9020, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Zodiac",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 96, .EmptyNum = Rank::Any, .StartX = 1165,
             .StartY = 1540, .PileWidth = 1165, .PosWidth = 250, .Div = 20,
             .PileOrder = PileArrangement::RowsFanDown, .HomeType = HomeDeal::RoundRobin,
             .SuitType = SuitSplit::FourSuits},
     .Goal = {.Piles = 8, .Order = OrderCode::UpSameSuit, .Cards = 8, .GoalType = GoalFill::RankAce, .StartX = 1165,
             .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
     .Res = {.Piles = 8, .StartY = 720, .PileWidth = 1540, .Div = 4, .DivWidth = 10485,
            .PileOrder = PileArrangement::ColumnsFanRight},
     .Stock = {.StockMove = StockPress::ToWaste, .StartY = 720, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 104, .Tag = u"Freecell"}},
};

void load(cGames &g, const HomeRow &h)
{
    g.Home(h.Piles, h.Order, h.Cards, h.AK, h.EmptyNum, h.MultiMove, h.StartX, h.StartY, h.PileWidth, h.PosWidth,
           h.Div, h.DivWidth, h.PileOrder, h.HomeType, h.MultiOrder, h.SuitType, h.CardsOpen);
}

void load(cGames &g, const GoalRow &o)
{
    g.Goal(o.Piles, o.Order, o.Cards, o.GoalType, o.AK, o.StartX, o.StartY, o.PileWidth, o.PosWidth, o.Div,
           o.DivWidth, o.PileOrder);
}

void load(cGames &g, const ResRow &r)
{
    g.Res(r.Piles, r.Cards, r.StartX, r.StartY, r.PileWidth, r.PosWidth, r.Div, r.DivWidth, r.PileOrder);
}

void load(cGames &g, const StockRow &s)
{
    g.Stock(s.Piles, s.StockMove, s.StartX, s.StartY, s.PosWidth, s.StockNum, s.StockType);
}

void load(cGames &g, const WasteRow &w)
{
    g.Waste(w.Piles, w.StartX, w.StartY, w.PileWidth, w.Cards, w.PosWidth);
}

void load(cGames &g, const ExtRow &e)
{
    g.Ext(e.BaseX, e.BaseY, e.Cards, e.Redeals, QString::fromUtf16(e.Tag), e.DisAutoPlay, e.GoalDiv);
}

} // namespace

void frmGame::Init(cData &data)
{
    data.InitCD(QStringLiteral("Tarnwick"), GameCount, QStringLiteral("qv.chm"));
    for (int16_t i = 1; i <= GameCount; ++i)
        data.SetGame(i, NameAt(i));
}

QString frmGame::NameAt(int16_t index)
{
    if (index < 1 || index > GameCount)
        return QString();
    return QString::fromUtf16(kRows[index - 1].Name);
}

void frmGame::SelectGame(Engine &engine, const QString &Name)
{
    cGames &g = engine.Games;
    load(g, kNoReserves);
    load(g, kNoWaste);
    engine.FoundationBase = 0;
    for (const CatalogueRow &r : kRows) {
        if (Name != QStringView(r.Name))
            continue;
        load(g, r.Home);
        load(g, r.Goal);
        load(g, r.Res);
        load(g, r.Stock);
        if (r.Waste)
            load(g, *r.Waste);
        load(g, r.Ext);
        return;
    }
}

} // namespace tw
