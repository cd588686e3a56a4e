// Variant parameters, the catalogue rows and the pile geometry.
#include "enginetest.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <iterator>

using namespace tw;
using namespace tw::test;

namespace {

const char *const kNames[] = {"Avenue",
                              "Baker's Game",
                              "Baker's Spider",
                              "Bastion",
                              "Carnival",
                              "Cascade",
                              "Cone Freecell",
                              "Double Baker's Game",
                              "Double Baker's Spider",
                              "Double Cascade",
                              "Double Freecell",
                              "Double Galaxy",
                              "Double Klondike Freecell",
                              "Double Spidercells",
                              "Eight Off",
                              "Fancell",
                              "Forecell",
                              "Four Colors",
                              "Freecell",
                              "Freecell AK",
                              "Galaxy",
                              "Klondike Freecell",
                              "Milligan Cell",
                              "Oasis",
                              "Penguin",
                              "SeaTowers",
                              "See-Saw",
                              "Seven By Four",
                              "Spidercells",
                              "Stalactites",
                              "Stripped Freecell",
                              "Tuxedo",
                              "Two Cells",
                              "Vertical Freecell",
                              "Zodiac"};

struct Select : ::testing::Test {
    Table t;
    cGames &g = t.engine.Games;
    void select(const char *name) { frmGame::SelectGame(t.engine, QString::fromUtf8(name)); }
};

} // namespace

TEST_F(Select, NamesAreTheCatalogueRowsInAlphabeticalOrder)
{
    EXPECT_EQ(frmGame::GameCount, int(std::size(kNames)));
    EXPECT_EQ(t.data().TotalGames(), frmGame::GameCount);
    EXPECT_EQ(t.data().ProdName(), QStringLiteral("Tarnwick"));
    EXPECT_TRUE(std::is_sorted(std::begin(kNames), std::end(kNames),
                               [](const char *a, const char *b) { return std::strcmp(a, b) < 0; }));
    for (int16_t i = 1; i <= frmGame::GameCount; ++i) {
        EXPECT_EQ(frmGame::NameAt(i), QString::fromUtf8(kNames[i - 1])) << i;
        EXPECT_EQ(t.data().GetGName(i), QString::fromUtf8(kNames[i - 1])) << i;
        EXPECT_EQ(t.data().GetGameID(QString::fromUtf8(kNames[i - 1])), i);
    }
    EXPECT_EQ(frmGame::NameAt(0), QString());
    EXPECT_EQ(frmGame::NameAt(frmGame::GameCount + 1), QString());
}

// What describes the program outside it (the menu entry, the software
// centres' text) is made from the catalogue's count at build time.
TEST(Catalogue, DescriptionsStateTheCount)
{
    const QString count = QString::number(frmGame::GameCount);
    for (const char *name : {"tarnwick.desktop", "org.tarnwick.tarnwick.metainfo.xml"}) {
        QFile f(QStringLiteral(TW_GENERATED_DIR "/") + QLatin1String(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        const QString text = QString::fromUtf8(f.readAll());
        EXPECT_TRUE(text.contains(QStringLiteral("Play ") + count + QStringLiteral(" patience games"))) << name;
        EXPECT_FALSE(text.contains(QStringLiteral("@TW_"))) << name;
    }
}

TEST_F(Select, ComparesNamesExactly)
{
    select("Avenue");
    ASSERT_EQ(g.BaseX(), 10420);
    for (const char *wrong : {"freecell", "Freecell ", " Freecell", "FREECELL", "Freecel", ""}) {
        select(wrong);
        EXPECT_EQ(g.BaseX(), 10420) << wrong;          // still Avenue's
        EXPECT_EQ(g.Piles(PileType::Res), 0) << wrong; // reserves reset
    }
    select("Freecell AK");
    EXPECT_EQ(g.Tag(), QStringLiteral("FreecellAK"));
    EXPECT_EQ(g.GoalType(), 14);
    select("Freecell");
    EXPECT_EQ(g.Tag(), QStringLiteral("Freecell"));
    EXPECT_EQ(g.GoalType(), 0);
    EXPECT_EQ(g.Piles(PileType::Res), 4);
}

TEST_F(Select, UnknownNameAfterEightOffKeepsItsPilesButNoReserveOrWaste)
{
    select("Eight Off");
    EXPECT_EQ(g.Piles(PileType::Res), 8);
    EXPECT_EQ(g.Cards(PileType::Res), 4);
    t.engine.FoundationBase = 5;
    select("Eight On");
    EXPECT_EQ(g.Piles(PileType::Home), 8);
    EXPECT_EQ(g.Cards(PileType::Home), 48);
    EXPECT_EQ(g.EmptyNum(), 12);
    EXPECT_EQ(g.Piles(PileType::Goal), 4);
    EXPECT_EQ(g.Piles(PileType::Stock), 1);
    EXPECT_EQ(g.GetCordY(PileType::Stock, 0, 0), 200 + 5500); // Eight Off's stock
    EXPECT_EQ(g.Piles(PileType::Res), 0);
    EXPECT_EQ(g.Cards(PileType::Res), 0);
    EXPECT_EQ(g.Piles(PileType::Waste), 0);
    EXPECT_EQ(t.engine.FoundationBase, 0);
    EXPECT_EQ(g.BaseX(), 10685);
    EXPECT_EQ(g.TotalCards(), 52);
    EXPECT_EQ(g.Tag(), QStringLiteral("Freecell"));
}

TEST_F(Select, OnlyFourVariantsHaveAWaste)
{
    for (int16_t i = 1; i <= frmGame::GameCount; ++i) {
        select(kNames[i - 1]);
        const QString name = QString::fromUtf8(kNames[i - 1]);
        const bool waste = name == u"Cascade" || name == u"Double Cascade" || name == u"Double Klondike Freecell"
                           || name == u"Klondike Freecell";
        EXPECT_EQ(g.Piles(PileType::Waste), waste ? 1 : 0) << kNames[i - 1];
        EXPECT_EQ(g.Cards(PileType::Waste), 0) << kNames[i - 1];
        // The waste fans up-left like the stock, 30 twips a step.
        if (waste) {
            EXPECT_EQ(g.GetCordX(PileType::Waste, 0, 0) - g.GetCordX(PileType::Waste, 0, 3), 30) << kNames[i - 1];
        }
    }
}

TEST_F(Select, DistinctiveRows)
{
    select("Freecell AK");
    EXPECT_EQ(g.Cards(PileType::Goal), 4);
    EXPECT_EQ(g.GoalType(), 14);

    select("Penguin");
    EXPECT_EQ(g.Tag(), QStringLiteral("Penguin"));
    EXPECT_EQ(g.AK(PileType::Home), -1);
    EXPECT_EQ(g.AK(PileType::Goal), 1);
    EXPECT_EQ(g.GoalType(), 16);
    EXPECT_EQ(g.Cards(PileType::Goal), 3);
    EXPECT_EQ(g.Piles(PileType::Res), 7);
    EXPECT_EQ(g.GetCordY(PileType::Res, 0, 0), 200 + 5500);
    EXPECT_EQ(g.EmptyNum(), 12);
    EXPECT_EQ(g.Cards(PileType::Home), 49);

    select("Stalactites");
    EXPECT_EQ(g.Tag(), QStringLiteral("Stala"));
    EXPECT_EQ(g.Order(PileType::Home, 0), 0);
    EXPECT_EQ(g.EmptyNum(), -10);
    EXPECT_EQ(g.Order(PileType::Goal, 0), 8);
    EXPECT_EQ(g.GoalType(), 17);
    EXPECT_EQ(g.AK(PileType::Goal), 1);
    EXPECT_EQ(g.DisAutoPlay(), -1);

    select("Stripped Freecell");
    EXPECT_EQ(g.TotalCards(), 26);
    EXPECT_EQ(g.StockType(), 2);
    EXPECT_EQ(g.Piles(PileType::Home), 6);
    EXPECT_EQ(g.Cards(PileType::Goal), 2);

    select("Zodiac");
    EXPECT_EQ(g.TotalCards(), 104);
    EXPECT_EQ(g.GetCordY(PileType::Res, 0, 0), 200 + 720);
    EXPECT_EQ(g.GetCordY(PileType::Stock, 0, 0), 200 + 720);
    EXPECT_EQ(g.GetCordX(PileType::Res, 4, 0) - g.GetCordX(PileType::Res, 0, 0), 10485); // two columns of four
    EXPECT_EQ(g.GetCordX(PileType::Res, 3, 0), g.GetCordX(PileType::Res, 0, 0));
    EXPECT_EQ(g.GetCordY(PileType::Res, 3, 0) - g.GetCordY(PileType::Res, 0, 0), 3 * 1540);

    for (const char *name : {"Double Baker's Spider", "Double Galaxy", "Double Spidercells"}) {
        select(name);
        EXPECT_EQ(g.GoalDiv(), 4) << name;
        EXPECT_EQ(g.Tag(), QStringLiteral("Spider")) << name;
    }
    select("Galaxy");
    EXPECT_EQ(g.GoalDiv(), 0);
    EXPECT_EQ(g.SuitType(), 0);

    select("Milligan Cell");
    EXPECT_EQ(g.StockMove(), 2);
    EXPECT_EQ(g.Cards(PileType::Home), 8);
    EXPECT_EQ(g.TotalCards(), 104);

    select("Oasis");
    EXPECT_EQ(g.StockType(), 1);
    EXPECT_EQ(g.StockNum(), 1);

    select("Cascade");
    EXPECT_EQ(g.StockMove(), 1);
    EXPECT_EQ(g.StockNum(), 1);

    select("Four Colors");
    EXPECT_EQ(g.HomeType(), 2);
    select("Cone Freecell");
    EXPECT_EQ(g.HomeType(), 3);
    select("See-Saw");
    EXPECT_EQ(g.HomeType(), 4);
    select("Klondike Freecell");
    EXPECT_EQ(g.HomeType(), 1);
}

TEST_F(Select, EveryRowsPrefillFitsItsDeck)
{
    int spiders = 0;
    for (const char *name : kNames) {
        select(name);
        const int prefill = g.GoalType() == 13 ? 0 : g.Cards(PileType::Goal);
        EXPECT_LE(g.Cards(PileType::Home) + g.Cards(PileType::Res) + prefill, g.TotalCards()) << name;
        EXPECT_TRUE(g.TotalCards() == 26 || g.TotalCards() == 52 || g.TotalCards() == 104) << name;
        EXPECT_TRUE(g.MultiMove()) << name;
        EXPECT_EQ(g.CardsOpen(), 0) << name;
        EXPECT_EQ(g.Compare(), 0) << name;
        EXPECT_EQ(g.Name(), QString()) << name;
        EXPECT_EQ(g.Piles(PileType::Stock), 1) << name;
        if (g.Tag() == u"Spider") {
            ++spiders;
            EXPECT_NE(g.DisAutoPlay(), 0) << name;
        }
    }
    EXPECT_EQ(spiders, 6);
}

TEST_F(Select, CoordinatesOfFreecellAndAvenue)
{
    select("Freecell");
    EXPECT_EQ(g.GetCordX(PileType::Home, 3, 2), 6625);
    EXPECT_EQ(g.GetCordY(PileType::Home, 3, 2), 2340);
    select("Avenue");
    EXPECT_EQ(g.GetCordX(PileType::Home, 5, 1), 9185);
    EXPECT_EQ(g.GetCordY(PileType::Home, 5, 1), 2240);
    // Arrangement 3: piles stacked in columns of four, cards fanned right.
    EXPECT_EQ(g.GetCordX(PileType::Home, 5, 2) - g.GetCordX(PileType::Home, 5, 1), 180);
    EXPECT_EQ(g.GetCordY(PileType::Home, 6, 0) - g.GetCordY(PileType::Home, 5, 0), 1540);
    EXPECT_EQ(g.HomePileOrder(), 3);
}

TEST_F(Select, HalfTwipsRoundToEven)
{
    select("Cone Freecell");
    EXPECT_EQ(g.GetCordX(PileType::Home, 0, 0), 2548); // 2547.5
    EXPECT_EQ(g.GetCordX(PileType::Home, 1, 0), 3712); // 3712.5
    EXPECT_EQ(g.GetCordX(PileType::Home, 2, 0), 4878); // 4877.5
}

TEST_F(Select, StockAndWasteClimbUpAndLeft)
{
    select("Cascade"); // stock at (0, 0), 30 twips a step
    const int16_t x0 = g.GetCordX(PileType::Stock, 0, 0);
    const int16_t y0 = g.GetCordY(PileType::Stock, 0, 0);
    for (int16_t pos : {1, 2}) {
        EXPECT_EQ(g.GetCordX(PileType::Stock, 0, pos), x0);
        EXPECT_EQ(g.GetCordY(PileType::Stock, 0, pos), y0);
    }
    const std::pair<int16_t, int> steps[] = {{3, 1}, {12, 1}, {13, 2}, {30, 2}, {31, 3}, {57, 4}, {90, 4}, {91, 5}};
    for (auto [pos, s] : steps) {
        EXPECT_EQ(g.GetCordX(PileType::Stock, 0, pos), x0 - 30 * s) << pos;
        EXPECT_EQ(g.GetCordY(PileType::Stock, 0, pos), y0 - 30 * s) << pos;
    }
    // The pile index plays no part.
    EXPECT_EQ(g.GetCordX(PileType::Stock, 7, 13), g.GetCordX(PileType::Stock, 0, 13));
    // The waste of Cascade lies 1640 twips below the stock.
    EXPECT_EQ(g.GetCordY(PileType::Waste, 0, 0) - y0, 1640);
}

TEST_F(Select, StalaFoundationsShowLaterCardsOnOneLowerSpot)
{
    select("Stalactites");
    const int16_t y0 = g.GetCordY(PileType::Goal, 1, 0);
    EXPECT_EQ(y0, 200);
    EXPECT_EQ(g.GetCordY(PileType::Goal, 1, 1), y0 + 250);
    EXPECT_EQ(g.GetCordY(PileType::Goal, 1, 7), y0 + 250);
    EXPECT_EQ(g.GetCordX(PileType::Goal, 1, 7), g.GetCordX(PileType::Goal, 1, 0));
    // Tableau and reserves have no such shift.
    EXPECT_EQ(g.GetCordY(PileType::Home, 1, 1) - g.GetCordY(PileType::Home, 1, 0), 250);
    EXPECT_EQ(g.GetCordY(PileType::Res, 1, 1), g.GetCordY(PileType::Res, 1, 0));
    select("Freecell");
    EXPECT_EQ(g.GetCordY(PileType::Goal, 1, 5), g.GetCordY(PileType::Goal, 1, 0));
}

TEST_F(Select, FoundationColumnOfEightOff)
{
    select("Eight Off");
    EXPECT_EQ(g.GetCordX(PileType::Goal, 3, 0), g.GetCordX(PileType::Goal, 0, 0));
    EXPECT_EQ(g.GetCordY(PileType::Goal, 1, 0) - g.GetCordY(PileType::Goal, 0, 0), 1540);
}

TEST_F(Select, OrderRules)
{
    select("Freecell AK");
    EXPECT_EQ(g.Order(PileType::Goal, 0), 2);
    EXPECT_EQ(g.Order(PileType::Goal, 1), 2);
    EXPECT_EQ(g.Order(PileType::Goal, 2), 1);
    EXPECT_EQ(g.Order(PileType::Goal, 3), 1);
    EXPECT_EQ(g.Order(PileType::Home, 2), 4);
    EXPECT_EQ(g.MultiOrder(), 4);
    select("Freecell");
    EXPECT_EQ(g.Order(PileType::Goal, 2), 2);
    EXPECT_EQ(g.MultiOrder(), 4); // stored 0: the tableau's order
    select("Baker's Spider");
    EXPECT_EQ(g.Order(PileType::Home, 0), 7);
    EXPECT_EQ(g.MultiOrder(), 1);
    select("Double Spidercells");
    EXPECT_EQ(g.MultiOrder(), 4);
    EXPECT_TRUE(g.MultiMove());
}

TEST_F(Select, AnArrangementOutsideTheFourPutsEveryCardOnTheOrigin)
{
    select("Cone Freecell");
    g.Home(9, 4, 52, 0, -1, 1, 0, 1640, 1165, 250, 20, 0, 7, 3, 0, 2, 0);
    g.Goal(4, 2, 0, 0, 0, 5825, 0, 1165, 0, 20, 0, -1);
    for (int16_t cell : {0, 3})
        for (int16_t pile : {0, 1, 5})
            for (int16_t pos : {0, 3}) {
                EXPECT_EQ(g.GetCordX(cell, pile, pos), 2548); // (11900 - 10385) / 2 + 1790, to even
                EXPECT_EQ(g.GetCordY(cell, pile, pos), 200);
            }
}

TEST(Geometry, FaceDownCardsLieSixtyTwipsApart)
{
    Table t;
    t.start(QStringLiteral("Freecell"), 1);
    ASSERT_EQ(t.count(PileType::Home, 0), 7);
    const cGames &g = t.engine.Games;
    const int origin = 200 + 1640;
    EXPECT_EQ(g.GetCordY(PileType::Home, 0, 3), origin + 750);
    for (int16_t pos = 0; pos < 3; ++pos)
        t.engine.SetFaceMode(t.at(PileType::Home, 0, pos), 1);
    EXPECT_EQ(t.engine.Array.ClosedCards(0), 3);
    EXPECT_EQ(g.GetCordY(PileType::Home, 0, 3), origin + 180);
    EXPECT_EQ(g.GetCordY(PileType::Home, 0, 4), origin + 430);
    // Other piles keep their spacing.
    EXPECT_EQ(g.GetCordY(PileType::Home, 1, 3), origin + 750);
    // Every face-down card counts, wherever it lies in the pile.
    t.engine.SetFaceMode(t.at(PileType::Home, 1, 5), 1);
    EXPECT_EQ(t.engine.Array.ClosedCards(1), 1);
    EXPECT_EQ(g.GetCordY(PileType::Home, 1, 6), origin + 60 + 5 * 250);
}

TEST(Geometry, FaceDownCardsFannedRightInFancell)
{
    Table t;
    t.start(QStringLiteral("Fancell"), 1);
    ASSERT_GE(t.count(PileType::Home, 2), 4);
    const cGames &g = t.engine.Games;
    const int16_t x0 = g.GetCordX(PileType::Home, 2, 0);
    EXPECT_EQ(g.GetCordX(PileType::Home, 2, 3) - x0, 3 * 180);
    for (int16_t pos = 0; pos < 3; ++pos)
        t.engine.SetFaceMode(t.at(PileType::Home, 2, pos), 1);
    EXPECT_EQ(g.GetCordX(PileType::Home, 2, 3) - x0, 3 * 60);
    EXPECT_EQ(g.GetCordX(PileType::Home, 2, 4) - x0, 180 + 180);
    EXPECT_EQ(t.engine.Array.ClosedCards(20), 0);
}

TEST(Geometry, NothingBeforeTheFirstGame)
{
    Table t;
    const cGames &g = t.engine.Games;
    EXPECT_EQ(g.TotalCards(), 0);
    EXPECT_EQ(g.Piles(PileType::Home), 0);
    EXPECT_EQ(g.Tag(), QString());
    EXPECT_EQ(g.Order(PileType::Goal, 2), 0);
    EXPECT_EQ(g.MultiOrder(), 0);
    EXPECT_FALSE(g.MultiMove());
}

TEST_F(Select, TagNamesTheRuleFamily)
{
    for (int16_t i = 1; i <= frmGame::GameCount; ++i) {
        const QString name = frmGame::NameAt(i);
        frmGame::SelectGame(t.engine, name);
        RuleFamily want = RuleFamily::Freecell;
        if (g.Tag() == u"Spider")
            want = RuleFamily::Spider;
        else if (name == u"Stalactites")
            want = RuleFamily::Stala;
        else if (name == u"Penguin")
            want = RuleFamily::Penguin;
        else if (name == u"Freecell AK")
            want = RuleFamily::FreecellAK;
        EXPECT_EQ(g.Family(), want) << str(name);
    }
    int spiders = 0;
    for (const char *name : kNames) {
        select(name);
        spiders += g.Family() == RuleFamily::Spider ? 1 : 0;
    }
    EXPECT_EQ(spiders, 6);

    // The family follows the tag each time the variant-wide values are set,
    // and a tag of no family (another case, another word) names none.
    select("Freecell");
    EXPECT_EQ(g.Order(PileType::Goal, 2), 2);
    g.Ext(9220, 200, 52, 0, QStringLiteral("FreecellAK"), 0, 0);
    EXPECT_EQ(g.Family(), RuleFamily::FreecellAK);
    EXPECT_EQ(g.Order(PileType::Goal, 2), 1);
    for (const char *tag : {"freecellAK", "Stala ", "Klondike", ""}) {
        g.Ext(9220, 200, 52, 0, QString::fromUtf8(tag), 0, 0);
        EXPECT_EQ(g.Family(), RuleFamily::Other) << tag;
        EXPECT_EQ(g.Tag(), QString::fromUtf8(tag));
        EXPECT_EQ(g.Order(PileType::Goal, 2), 2) << tag;
    }
    EXPECT_EQ(cGames::FamilyOf(QStringLiteral("Stala")), RuleFamily::Stala);
    EXPECT_EQ(Table().engine.Games.Family(), RuleFamily::Other); // before the first game
}
