#include "catalogue.h"

#include "engine.h"
#include "settings/data.h"

#include <iterator>
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

// A record as another one has it, with the changes a relative makes to it.
template<typename Record, typename Change>
constexpr Record with(Record record, Change change)
{
    change(record);
    return record;
}

// A relative of a variant: its row under another name, with the rules (and
// the places) that differ.
template<typename Change>
constexpr CatalogueRow relative(const CatalogueRow &parent, const char16_t *name, Change change)
{
    CatalogueRow row = with(parent, change);
    row.Name = name;
    return row;
}

// The stock as every variant keeps it: face down, its top card turned to the
// waste on a press. Where a variant deals every card it stays empty.
constexpr StockRow stockAt(int16_t x, int16_t y)
{
    return {.StockMove = StockPress::ToWaste, .StartX = x, .StartY = y, .StockType = StockKind::FaceDown};
}

// The variants are data laid out by hand, a record's fields on as few lines
// as they fit: clang-format would give every field a line of its own.
// clang-format off

// Freecell's table, which most relatives keep: eight piles dealt round, under
// a top row of four free cells and four foundations built up in suit from the
// Ace.
constexpr CatalogueRow kFreecell{
    .Name = u"Freecell",
    .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 52, .EmptyNum = Rank::Any, .StartY = 1640,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
    .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .StartX = 4960,
             .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
    .Res = {.Piles = 4, .StartX = -150, .PileWidth = 1115, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
    .Stock = stockAt(-150, 0),
    .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}};

// Freecell's table with the Spider family's rules: runs move as a whole,
// foundations start empty and take only a full suit, no autoplay.
constexpr CatalogueRow kSpidercells = relative(kFreecell, u"Spidercells", [](CatalogueRow &r) {
    r.Goal.Order = OrderCode::UpOtherColor;
    r.Goal.GoalType = GoalFill::Empty;
    r.Ext.Tag = u"Spider";
    r.Ext.DisAutoPlay = -1;
});

// Spidercells with two decks on ten piles, and six cells.
constexpr CatalogueRow kDoubleSpidercells{
    .Name = u"Double Spidercells",
    .Home = with(kFreecell.Home, [](HomeRow &h) {
        h.Piles = 10; h.Cards = 104; h.MultiOrder = OrderCode::DownOtherColor; }),
    .Goal = with(kSpidercells.Goal, [](GoalRow &g) { g.GoalType = GoalFill::RankAce; g.StartX = 7140; }),
    .Res = with(kFreecell.Res, [](ResRow &r) { r.Piles = 6; r.StartX = 0; }),
    .Stock = stockAt(0, 0),
    .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 104, .Tag = u"Spider", .DisAutoPlay = -1, .GoalDiv = 4}};

// The rules Baker's Spider and Galaxy bring to a Spidercells table.
constexpr void bakersSpiderRules(CatalogueRow &r)
{
    r.Home.Order = OrderCode::DownAnySuit;
    r.Home.MultiOrder = OrderCode::DownSameSuit;
    r.Goal.Order = OrderCode::UpSameSuit;
}
constexpr void galaxyRules(CatalogueRow &r)
{
    r.Home.Order = OrderCode::DownSameSuit;
    r.Home.MultiOrder = OrderCode::OfTableau;
    r.Home.SuitType = SuitSplit::OneSuit;
    r.Goal.Order = OrderCode::UpSameSuit;
}

// Six piles of two decks, and eight cells and eight foundations in two
// columns of four beside them.
constexpr CatalogueRow kDoubleFreecell{
    .Name = u"Double Freecell",
    .Home = with(kFreecell.Home, [](HomeRow &h) { h.Piles = 6; h.Cards = 96; h.StartX = 2430; h.StartY = 0; }),
    .Goal = {.Piles = 8, .Order = OrderCode::UpSameSuit, .Cards = 8, .GoalType = GoalFill::RankAce, .StartX = 9520,
             .PileWidth = 1490, .Div = 4, .DivWidth = 1165, .PileOrder = PileArrangement::ColumnsFanRight},
    .Res = {.Piles = 8, .PileWidth = 1490, .Div = 4, .DivWidth = 1165, .PileOrder = PileArrangement::ColumnsFanRight},
    .Stock = stockAt(0, 0),
    .Ext = {.BaseX = 11750, .BaseY = 200, .Cards = 104, .Tag = u"Freecell"}};

// Two cells in the top row left of the foundations.
constexpr ResRow kTwoCells{.Piles = 2, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown};
constexpr GoalRow kFoundationsRightOfTwoCells =
    with(kFreecell.Goal, [](GoalRow &g) {
        g.StartX = 4660;
        g.PileWidth = 1165;
    });

// Four cells and four foundations in a column each, on the left and the right
// of piles that fan to the right.
constexpr ResRow kCellColumn{.Piles = 4, .StartY = 500, .PileWidth = 1540, .Div = 20,
                             .PileOrder = PileArrangement::ColumnsFanRight};
constexpr GoalRow foundationColumnAt(int16_t x)
{
    return {.Piles = 4, .Order = OrderCode::UpSameSuit, .Cards = 4, .GoalType = GoalFill::RankAce, .StartX = x,
            .StartY = 500, .PileWidth = 1540, .Div = 20, .PileOrder = PileArrangement::ColumnsFanRight};
}

// Penguin's table: seven piles over a row of seven cells, the foundations in a
// column on the right.
constexpr CatalogueRow kPenguin{
    .Name = u"Penguin",
    .Home = {.Piles = 7, .Order = OrderCode::DownSameSuit, .Cards = 49, .AK = -1, .EmptyNum = Rank::King,
             .PileWidth = 1165, .PosWidth = 250, .Div = 20, .PileOrder = PileArrangement::RowsFanDown,
             .HomeType = HomeDeal::RoundRobin, .SuitType = SuitSplit::FourSuits},
    .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .Cards = 3, .GoalType = GoalFill::BaseFromFirstCard, .AK = 1,
             .StartX = 8455, .StartY = 440, .Div = 1, .DivWidth = 1540, .PileOrder = PileArrangement::RowsFanDown},
    .Res = {.Piles = 7, .StartY = 5500, .PileWidth = 1165, .Div = 20, .PileOrder = PileArrangement::RowsFanDown},
    .Stock = stockAt(0, 5500),
    .Ext = {.BaseX = 9520, .BaseY = 200, .Cards = 52, .Tag = u"Penguin"}};

// Foundations built up in suit from the Ace in Penguin's column.
constexpr GoalRow aceColumnAt(int16_t x, int16_t y)
{
    return with(kPenguin.Goal, [x, y](GoalRow &g) {
        g.Cards = 0;
        g.GoalType = GoalFill::RankAce;
        g.AK = 0;
        g.StartX = x;
        g.StartY = y;
    });
}

// The variants in catalogue order (alphabetical): a row's place, counted from
// 1, is the variant's catalogue index.
constexpr CatalogueRow kRows[] = {
    {.Name = u"Avenue",
     .Home = {.Piles = 8, .Order = OrderCode::DownOtherColor, .Cards = 48, .EmptyNum = Rank::Any, .StartX = 1265,
              .StartY = 500, .PileWidth = 1540, .PosWidth = 180, .Div = 4, .DivWidth = 5210,
              .PileOrder = PileArrangement::ColumnsFanRight, .HomeType = HomeDeal::RoundRobin,
              .SuitType = SuitSplit::FourSuits},
     .Goal = foundationColumnAt(5210),
     .Res = kCellColumn,
     .Stock = stockAt(0, 500),
     .Ext = {.BaseX = 10420, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    relative(kFreecell, u"Baker's Game", [](CatalogueRow &r) {
        r.Home.Order = OrderCode::DownSameSuit; r.Home.EmptyNum = Rank::King; }),
    relative(kSpidercells, u"Baker's Spider", bakersSpiderRules),
    {.Name = u"Bastion",
     .Home = with(kFreecell.Home, [](HomeRow &h) { h.Piles = 10; h.Order = OrderCode::EitherSameSuit; h.Cards = 50; }),
     .Goal = with(kFreecell.Goal, [](GoalRow &g) { g.StartX = 3495; g.PileWidth = 1165; }),
     .Res = with(kTwoCells, [](ResRow &r) { r.Cards = 2; }),
     .Stock = stockAt(0, 0),
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Carnival",
     .Home = {.Piles = 12, .Order = OrderCode::DownOtherColor, .Cards = 48, .EmptyNum = Rank::Any, .StartX = 1465,
              .PileWidth = 1165, .PosWidth = 250, .Div = 6, .DivWidth = 4000,
              .PileOrder = PileArrangement::RowsFanDown, .HomeType = HomeDeal::RoundRobin,
              .SuitType = SuitSplit::FourSuits},
     .Goal = foundationColumnAt(8755),
     .Res = kCellColumn,
     .Stock = stockAt(0, 500),
     .Ext = {.BaseX = 9820, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Cascade",
     .Home = with(kFreecell.Home, [](HomeRow &h) { h.Piles = 7; h.Cards = 35; h.StartX = 1265; }),
     .Goal = with(kFreecell.Goal, [](GoalRow &g) {
         g.Order = OrderCode::UpOtherColor; g.StartX = 4760; g.PileWidth = 1165; }),
     .Res = with(kTwoCells, [](ResRow &r) { r.StartX = 1265; }),
     .Stock = {.StockMove = 1, .PosWidth = 30, .StockNum = StockMarker::Stop, .StockType = StockKind::FaceDown},
     .Waste = WasteRow{.Piles = 1, .StartY = 1640, .PosWidth = 30},
     .Ext = {.BaseX = 9320, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Cone Freecell",
     .Home = with(kFreecell.Home, [](HomeRow &h) { h.Piles = 9; h.HomeType = HomeDeal::Cone; }),
     .Goal = with(kFreecell.Goal, [](GoalRow &g) { g.StartX = 5825; g.PileWidth = 1165; }),
     .Res = with(kTwoCells, [](ResRow &r) { r.Piles = 4; }),
     .Stock = stockAt(0, 0),
     .Ext = {.BaseX = 10385, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    relative(kDoubleFreecell, u"Double Baker's Game", [](CatalogueRow &r) { r.Home.Order = OrderCode::DownSameSuit; }),
    relative(kDoubleSpidercells, u"Double Baker's Spider", bakersSpiderRules),
    {.Name = u"Double Cascade",
     .Home = with(kFreecell.Home, [](HomeRow &h) { h.Piles = 10; h.Cards = 40; h.StartY = 3080; }),
     .Goal = with(kFreecell.Goal, [](GoalRow &g) {
         g.Piles = 8; g.Order = OrderCode::UpOtherColor; g.Cards = 8; g.StartX = 2680; }),
     .Res = with(kTwoCells, [](ResRow &r) { r.Piles = 10; r.StartY = 1540; }),
     .Stock = {.StockMove = StockPress::ToWaste, .PosWidth = 30, .StockType = StockKind::FaceDown},
     .Waste = WasteRow{.Piles = 1, .StartX = 1265, .PosWidth = 30},
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 104, .Tag = u"Freecell"}},
    kDoubleFreecell,
    relative(kDoubleSpidercells, u"Double Galaxy", galaxyRules),
    {.Name = u"Double Klondike Freecell",
     .Home = with(kFreecell.Home, [](HomeRow &h) {
         h.Piles = 9; h.Cards = 45; h.StartX = 1165; h.HomeType = HomeDeal::Triangle; }),
     .Goal = with(kFreecell.Goal, [](GoalRow &g) { g.Piles = 8; g.StartX = 2680; }),
     .Res = with(kFreecell.Res, [](ResRow &r) { r.Piles = 2; r.StartX = 0; }),
     .Stock = {.StockMove = 1, .StartY = 1640, .PosWidth = 30, .StockType = StockKind::FaceDown},
     .Waste = WasteRow{.Piles = 1, .StartY = 3280, .PosWidth = 30},
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 104, .Tag = u"Freecell"}},
    kDoubleSpidercells,
    {.Name = u"Eight Off",
     .Home = with(kPenguin.Home, [](HomeRow &h) { h.Piles = 8; h.Cards = 48; h.AK = 0; }),
     .Goal = aceColumnAt(9620, 440),
     .Res = with(kPenguin.Res, [](ResRow &r) { r.Piles = 8; r.Cards = 4; }),
     .Stock = kPenguin.Stock,
     .Ext = {.BaseX = 10685, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Fancell",
     .Home = {.Piles = 12, .Order = OrderCode::DownOtherColor, .Cards = 48, .EmptyNum = Rank::Any, .StartY = 1540,
              .PileWidth = 3765, .PosWidth = 180, .Div = 3, .DivWidth = 1490,
              .PileOrder = PileArrangement::RowsFanRight, .HomeType = HomeDeal::RoundRobin,
              .SuitType = SuitSplit::FourSuits},
     .Goal = with(kFreecell.Goal, [](GoalRow &g) { g.Order = OrderCode::UpOtherColor; g.Cards = 4; g.StartX = 5840; }),
     .Res = with(kFreecell.Res, [](ResRow &r) { r.StartX = 1030; }),
     .Stock = stockAt(1030, 0),
     .Ext = {.BaseX = 11295, .BaseY = 50, .Cards = 52, .Tag = u"Freecell"}},
    relative(kFreecell, u"Forecell", [](CatalogueRow &r) { r.Home.Cards = 48; r.Res.Cards = 4; }),
    {.Name = u"Four Colors",
     .Home = with(kFreecell.Home, [](HomeRow &h) { h.Piles = 7; h.HomeType = HomeDeal::PileBySuit; }),
     .Goal = aceColumnAt(8455, 0),
     .Res = with(kTwoCells, [](ResRow &r) { r.Piles = 4; }),
     .Stock = stockAt(0, 0),
     .Ext = {.BaseX = 9520, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    kFreecell,
    relative(kFreecell, u"Freecell AK", [](CatalogueRow &r) {
        r.Home.Cards = 48; r.Goal.Cards = 4; r.Goal.GoalType = GoalFill::AcesAndKings; r.Ext.Tag = u"FreecellAK"; }),
    relative(kSpidercells, u"Galaxy", galaxyRules),
    {.Name = u"Klondike Freecell",
     .Home = with(kFreecell.Home, [](HomeRow &h) { h.Cards = 36; h.StartX = 1265; h.HomeType = HomeDeal::Triangle; }),
     .Goal = with(kFreecell.Goal, [](GoalRow &g) { g.StartX = 5925; g.PileWidth = 1165; }),
     .Res = with(kTwoCells, [](ResRow &r) { r.StartX = 1265; }),
     .Stock = {.StockMove = 1, .PosWidth = 30, .StockType = StockKind::FaceDown},
     .Waste = WasteRow{.Piles = 1, .StartY = 1640, .PosWidth = 30},
     .Ext = {.BaseX = 10485, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Milligan Cell",
     .Home = with(kFreecell.Home, [](HomeRow &h) { h.Cards = 8; h.EmptyNum = Rank::King; h.StartX = 1365; }),
     .Goal = with(kFreecell.Goal, [](GoalRow &g) { g.Piles = 8; g.StartX = 1365; g.PileWidth = 1165; }),
     .Res = {.Piles = 3, .StartY = 1640, .PileWidth = 1540, .Div = 20, .PileOrder = PileArrangement::ColumnsFanRight},
     .Stock = {.StockMove = StockPress::DealToTableau, .PosWidth = 30, .StockType = StockKind::FaceDown},
     .Ext = {.BaseX = 10785, .BaseY = 200, .Cards = 104, .Tag = u"Freecell"}},
    {.Name = u"Oasis",
     .Home = with(kFreecell.Home, [](HomeRow &h) { h.Cards = 32; }),
     .Goal = kFoundationsRightOfTwoCells,
     .Res = with(kTwoCells, [](ResRow &r) { r.StartX = 1665; }),
     .Stock = {.StockMove = 3, .PosWidth = 30, .StockNum = StockMarker::Stop, .StockType = StockKind::FaceUp},
     .Ext = kFreecell.Ext},
    kPenguin,
    {.Name = u"SeaTowers",
     .Home = with(kFreecell.Home, [](HomeRow &h) { h.Piles = 10; h.Order = OrderCode::DownSameSuit; h.Cards = 50; }),
     .Goal = {.Piles = 4, .Order = OrderCode::UpSameSuit, .GoalType = GoalFill::RankAce, .PileWidth = 1165, .Div = 2,
              .DivWidth = 9320, .PileOrder = PileArrangement::RowsSideFanDown},
     .Res = {.Piles = 4, .Cards = 2, .StartX = 3495, .PileWidth = 1140, .Div = 20,
             .PileOrder = PileArrangement::RowsFanDown},
     .Stock = stockAt(0, 0),
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    relative(kFreecell, u"See-Saw", [](CatalogueRow &r) { r.Home.HomeType = HomeDeal::RandomPile; }),
    relative(kFreecell, u"Seven By Four",
             [](CatalogueRow &r) {
                 r.Home.Piles = 7;
                 r.Home.PileWidth = 1265;
                 r.Goal.StartX = 4578;
                 r.Res.StartX = -332;
                 r.Stock.StartX = -332;
                 r.Ext.BaseX = 8655;
             }),
    kSpidercells,
    {.Name = u"Stalactites",
     .Home = with(kFreecell.Home, [](HomeRow &h) {
         h.Order = OrderCode::NoCard; h.Cards = 48; h.EmptyNum = Rank::NoCard; h.StartY = 1840; }),
     .Goal = with(kFoundationsRightOfTwoCells, [](GoalRow &g) {
         g.Order = OrderCode::UpAnySuit; g.Cards = 4; g.GoalType = GoalFill::FirstCards; g.AK = 1; }),
     .Res = kTwoCells,
     .Stock = stockAt(0, 0),
     .Ext = {.BaseX = 9220, .BaseY = 200, .Cards = 52, .Tag = u"Stala", .DisAutoPlay = -1}},
    {.Name = u"Stripped Freecell",
     .Home = with(kFreecell.Home, [](HomeRow &h) { h.Piles = 6; h.Cards = 24; h.PileWidth = 1265; }),
     .Goal = with(kFreecell.Goal, [](GoalRow &g) { g.Piles = 2; g.Cards = 2; g.StartX = 5060; g.PileWidth = 1265; }),
     .Res = with(kTwoCells, [](ResRow &r) { r.PileWidth = 1265; }),
     .Stock = {.StockMove = StockPress::ToWaste, .StockType = StockKind::HeartsAndSpades},
     .Ext = {.BaseX = 7390, .BaseY = 200, .Cards = 26, .Tag = u"Freecell"}},
    relative(kPenguin, u"Tuxedo", [](CatalogueRow &r) {
        r.Home.Cards = 52; r.Home.AK = 0; r.Goal = aceColumnAt(8455, 440); r.Ext.Tag = u"Freecell"; }),
    {.Name = u"Two Cells",
     .Home = kFreecell.Home,
     .Goal = kFoundationsRightOfTwoCells,
     .Res = kTwoCells,
     .Stock = stockAt(0, 0),
     .Ext = kFreecell.Ext},
    {.Name = u"Vertical Freecell",
     .Home = {.Piles = 4, .Order = OrderCode::DownOtherColor, .Cards = 48, .EmptyNum = Rank::Any, .StartX = 2430,
              .StartY = 500, .PileWidth = 1540, .PosWidth = 180, .Div = 4, .DivWidth = 4000,
              .PileOrder = PileArrangement::ColumnsFanRight, .HomeType = HomeDeal::RoundRobin,
              .SuitType = SuitSplit::FourSuits},
     .Goal = foundationColumnAt(7955),
     .Res = with(kCellColumn, [](ResRow &r) { r.Piles = 8; r.Div = 4; r.DivWidth = 1165; }),
     .Stock = stockAt(0, 500),
     .Ext = {.BaseX = 9020, .BaseY = 200, .Cards = 52, .Tag = u"Freecell"}},
    {.Name = u"Zodiac",
     .Home = with(kFreecell.Home, [](HomeRow &h) { h.Cards = 96; h.StartX = 1165; h.StartY = 1540; }),
     .Goal = with(kFreecell.Goal, [](GoalRow &g) { g.Piles = 8; g.Cards = 8; g.StartX = 1165; g.PileWidth = 1165; }),
     .Res = {.Piles = 8, .StartY = 720, .PileWidth = 1540, .Div = 4, .DivWidth = 10485,
             .PileOrder = PileArrangement::ColumnsFanRight},
     .Stock = stockAt(0, 720),
     .Ext = {.BaseX = 11550, .BaseY = 200, .Cards = 104, .Tag = u"Freecell"}},
};
// clang-format on

void load(cGames &g, const HomeRow &h)
{
    g.Home(h.Piles, h.Order, h.Cards, h.AK, h.EmptyNum, h.MultiMove, h.StartX, h.StartY, h.PileWidth, h.PosWidth, h.Div,
           h.DivWidth, h.PileOrder, h.HomeType, h.MultiOrder, h.SuitType, h.CardsOpen);
}

void load(cGames &g, const GoalRow &o)
{
    g.Goal(o.Piles, o.Order, o.Cards, o.GoalType, o.AK, o.StartX, o.StartY, o.PileWidth, o.PosWidth, o.Div, o.DivWidth,
           o.PileOrder);
}

void load(cGames &g, const ResRow &r)
{
    g.Res(r.Piles, r.Cards, r.StartX, r.StartY, r.PileWidth, r.PosWidth, r.Div, r.DivWidth, r.PileOrder);
}

void load(cGames &g, const StockRow &s)
{
    g.Stock(s.Piles, s.StockMove, s.StartX, s.StartY, s.PosWidth, s.StockNum, s.StockType);
}

void load(cGames &g, const WasteRow &w) { g.Waste(w.Piles, w.StartX, w.StartY, w.PileWidth, w.Cards, w.PosWidth); }

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

static_assert(std::size(kRows) == frmGame::GameCount, "a row added or removed changes frmGame::GameCount");

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
