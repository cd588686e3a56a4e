// The deal of every variant and the place markers.
#include "enginetest.h"

#include <numeric>

using namespace tw;
using namespace tw::test;

namespace {

int cellTotal(const Table &t, int16_t cell)
{
    int n = 0;
    for (int16_t p = 0; p < MaxPiles; ++p)
        n += t.count(cell, p);
    return n;
}

// Cards each tableau pile gets from the deal pattern, or empty when the
// pattern is random.
std::vector<int> expectedTableau(const cGames &g)
{
    const int P = g.Piles(PileType::Home);
    std::vector<int> sizes(static_cast<size_t>(P), 0);
    switch (g.HomeType()) {
    case 0:
        for (int k = 0; k < g.Cards(PileType::Home); ++k)
            ++sizes[static_cast<size_t>(k % P)];
        break;
    case 1:
        for (int p = 0; p < P; ++p)
            sizes[static_cast<size_t>(p)] = p + 1;
        break;
    case 2:
        sizes.assign(static_cast<size_t>(P), 0);
        for (int p = 0; p < 4; ++p)
            sizes[static_cast<size_t>(p)] = 13;
        break;
    case 3: sizes = {4, 5, 6, 7, 8, 7, 6, 5, 4}; break;
    default: return {};
    }
    return sizes;
}

} // namespace

TEST(Deal, EveryVariantDealsEveryCardOnce)
{
    Table t;
    for (int16_t i = 1; i <= frmGame::GameCount; ++i) {
        const QString name = frmGame::NameAt(i);
        for (qint64 number : {1000 + i, 7}) {
            t.start(name, number);
            ASSERT_TRUE(t.data().GameRunning()) << str(name);
            EXPECT_EQ(t.engine.CheckModel(), QString()) << str(name);
            EXPECT_EQ(t.T(), t.engine.Games.TotalCards()) << str(name);
            int visible = 0;
            for (int c = 0; c < MaxCards; ++c)
                visible += t.engine.Cards[static_cast<size_t>(c)].Visible ? 1 : 0;
            EXPECT_EQ(visible, t.T()) << str(name); // the rest stay hidden
            // Every face of the deck once.
            std::vector<int> f = faces(t.engine);
            std::sort(f.begin(), f.end());
            std::vector<int> all(f.size());
            std::iota(all.begin(), all.end(), 0);
            EXPECT_EQ(f, all) << str(name);
        }
    }
}

TEST(Deal, PileSizesFollowTheRowWithAutoplayOff)
{
    Table t;
    t.data().Autoplay(0);
    for (int16_t i = 1; i <= frmGame::GameCount; ++i) {
        const QString name = frmGame::NameAt(i);
        t.start(name, 2024);
        const cGames &g = t.engine.Games;
        const int T = t.T();
        const int goal = cellTotal(t, 3);
        const int res = cellTotal(t, 4);
        const int home = cellTotal(t, 0);
        const int stock = cellTotal(t, 1);
        EXPECT_EQ(goal + res + home + stock + cellTotal(t, 2), T) << str(name);
        EXPECT_EQ(cellTotal(t, 2), 0) << str(name);
        EXPECT_EQ(goal, g.GoalType() == 13 ? 0 : g.Cards(PileType::Goal)) << str(name);
        EXPECT_EQ(res, g.Cards(PileType::Res)) << str(name);
        for (int16_t p = 0; p < g.Piles(PileType::Res); ++p) {
            EXPECT_EQ(t.count(PileType::Res, p), g.Cards(PileType::Res) / g.Piles(PileType::Res)
                                                     + (p < g.Cards(PileType::Res) % g.Piles(PileType::Res) ? 1 : 0))
                << str(name);
        }
        const std::vector<int> sizes = expectedTableau(g);
        if (!sizes.empty()) {
            for (int16_t p = 0; p < g.Piles(PileType::Home); ++p)
                EXPECT_EQ(t.count(PileType::Home, p), sizes[static_cast<size_t>(p)]) << str(name) << " pile " << p;
            const int sum = std::accumulate(sizes.begin(), sizes.end(), 0);
            EXPECT_EQ(stock, T - goal - res - sum) << str(name);
        } else {
            EXPECT_EQ(stock, 0) << str(name); // the random pattern deals the whole stock
        }
        const bool keepsStock = name == u"Cascade" || name == u"Double Cascade" || name == u"Klondike Freecell"
                                || name == u"Double Klondike Freecell" || name == u"Milligan Cell" || name == u"Oasis";
        EXPECT_EQ(stock > 0, keepsStock) << str(name);
        if (g.Tag() != u"Spider") {
            EXPECT_EQ(t.position(), 0) << str(name); // nothing journalled by the deal
        }
        // The stock is face down, except the open stock of Oasis.
        for (int16_t k = 0; k <= t.top(PileType::Stock, 0); ++k)
            EXPECT_EQ(t.engine.GetCardFaceMode(t.at(PileType::Stock, 0, k)), g.StockType() == 1 ? 0 : 1) << str(name);
        // Everything else face up.
        for (int16_t cell : {0, 3, 4})
            for (int16_t p = 0; p < MaxPiles; ++p)
                for (int16_t k = 0; k <= t.top(cell, p); ++k)
                    EXPECT_EQ(t.engine.GetCardFaceMode(t.at(cell, p, k)), 0) << str(name);
    }
}

TEST(Deal, FreecellPilesAndAceMarkers)
{
    Table t;
    t.data().Autoplay(0);
    t.start(QStringLiteral("Freecell"), 123);
    const int sizes[8] = {7, 7, 7, 7, 6, 6, 6, 6};
    for (int16_t p = 0; p < 8; ++p)
        EXPECT_EQ(t.count(PileType::Home, p), sizes[p]);
    // The stock's top card is dealt first: card 51 to pile 0, 50 to pile 1.
    EXPECT_EQ(t.at(PileType::Home, 0, 0), 51);
    EXPECT_EQ(t.at(PileType::Home, 1, 0), 50);
    EXPECT_EQ(t.at(PileType::Home, 3, 6), 0); // the last card dealt
    for (int16_t j = 0; j < 4; ++j) {
        EXPECT_EQ(t.count(PileType::Goal, j), 0);
        EXPECT_TRUE(t.engine.PicRight[static_cast<size_t>(j)].Visible);
        EXPECT_EQ(t.engine.PicRight[static_cast<size_t>(j)].Pic, 0);
        EXPECT_EQ(t.engine.PicRight[static_cast<size_t>(j)].Left, t.engine.Games.GetCordX(PileType::Goal, j, 0));
        EXPECT_EQ(t.engine.PicRight[static_cast<size_t>(j)].Top, t.engine.Games.GetCordY(PileType::Goal, j, 0));
        EXPECT_TRUE(t.engine.PicRes[static_cast<size_t>(j)].Visible);
        EXPECT_EQ(t.engine.PicRes[static_cast<size_t>(j)].Pic, 14);
    }
    EXPECT_FALSE(t.engine.PicRight[4].Visible);
    EXPECT_FALSE(t.engine.PicRes[4].Visible);
    for (int16_t p = 0; p < 8; ++p) {
        EXPECT_TRUE(t.engine.PicHome[static_cast<size_t>(p)].Visible);
        EXPECT_EQ(t.engine.PicHome[static_cast<size_t>(p)].Pic, 14);
        EXPECT_EQ(t.engine.PicHome[static_cast<size_t>(p)].Top, t.engine.Games.GetCordY(PileType::Home, p, 0));
    }
    EXPECT_FALSE(t.engine.PicHome[8].Visible);
    EXPECT_FALSE(t.engine.PicWaste.Visible);
    EXPECT_FALSE(t.engine.PicStock.Visible);
    // Every card lies exactly on its place.
    for (int i = 0; i < t.T(); ++i) {
        const CardState &c = t.engine.Cards[static_cast<size_t>(i)];
        EXPECT_EQ(c.Left, t.engine.Games.GetCordX(c.Cell, c.Pile, c.Pos));
        EXPECT_EQ(c.Top, t.engine.Games.GetCordY(c.Cell, c.Pile, c.Pos));
    }
}

TEST(Deal, KingsOnlyMarkersOnEmptyPiles)
{
    Table t;
    t.start(QStringLiteral("Baker's Game"), 5);
    for (int16_t p = 0; p < 8; ++p)
        EXPECT_EQ(t.engine.PicHome[static_cast<size_t>(p)].Pic, 12);
    t.start(QStringLiteral("Baker's Spider"), 5);
    for (int16_t j = 0; j < 4; ++j)
        EXPECT_EQ(t.engine.PicRight[static_cast<size_t>(j)].Pic, 13);
}

TEST(Deal, ConeKlondikeAndFourColors)
{
    Table t;
    t.data().Autoplay(0);
    t.start(QStringLiteral("Cone Freecell"), 9);
    const int cone[9] = {4, 5, 6, 7, 8, 7, 6, 5, 4};
    for (int16_t p = 0; p < 9; ++p)
        EXPECT_EQ(t.count(PileType::Home, p), cone[p]);

    t.start(QStringLiteral("Klondike Freecell"), 9);
    for (int16_t p = 0; p < 8; ++p)
        EXPECT_EQ(t.count(PileType::Home, p), p + 1);
    EXPECT_EQ(t.count(PileType::Stock, 0), 52 - 36);
    EXPECT_TRUE(t.engine.PicWaste.Visible);
    EXPECT_EQ(t.engine.PicWaste.Pic, 14);

    t.start(QStringLiteral("Four Colors"), 9);
    for (int16_t p = 0; p < 7; ++p) {
        EXPECT_EQ(t.count(PileType::Home, p), p < 4 ? 13 : 0);
        for (int16_t k = 0; k <= t.top(PileType::Home, p); ++k)
            EXPECT_EQ(t.engine.GetCardSuit(t.at(PileType::Home, p, k)), p);
    }
}

TEST(Deal, StrippedFreecellDealsTwentySixCards)
{
    Table t;
    t.data().Autoplay(0);
    t.start(QStringLiteral("Zodiac"), 3); // leave 104 cards on the table first
    t.start(QStringLiteral("Stripped Freecell"), 3);
    EXPECT_EQ(t.T(), 26);
    EXPECT_EQ(t.engine.CheckModel(), QString());
    for (int16_t p = 0; p < 6; ++p)
        EXPECT_EQ(t.count(PileType::Home, p), 4);
    for (int16_t j = 0; j < 2; ++j) {
        ASSERT_EQ(t.count(PileType::Goal, j), 1);
        const int ace = t.at(PileType::Goal, j, 0);
        EXPECT_EQ(t.engine.GetCardNum(ace), 0);
        EXPECT_EQ(t.engine.GetCardSuit(ace), j);
        EXPECT_EQ(t.engine.PicRight[static_cast<size_t>(j)].Pic, 0);
    }
    for (int i = 0; i < 26; ++i)
        EXPECT_LT(t.engine.GetCardSuit(i), 2);
    for (int i = 26; i < MaxCards; ++i) {
        EXPECT_FALSE(t.engine.Cards[static_cast<size_t>(i)].Visible);
        EXPECT_EQ(t.engine.GetCardCell(i), 0);
        EXPECT_EQ(t.engine.GetCardPos(i), 0);
    }
    EXPECT_EQ(t.count(PileType::Stock, 0), 0);
}

TEST(Deal, ZodiacEightAcesHome)
{
    Table t;
    t.data().Autoplay(0);
    t.start(QStringLiteral("Zodiac"), 77);
    for (int16_t j = 0; j < 8; ++j) {
        ASSERT_EQ(t.count(PileType::Goal, j), 1);
        EXPECT_EQ(t.engine.GetCardNum(t.at(PileType::Goal, j, 0)), 0);
        EXPECT_EQ(t.engine.GetCardSuitpile(t.at(PileType::Goal, j, 0)), j);
        EXPECT_EQ(t.count(PileType::Home, j), 12);
        EXPECT_EQ(t.engine.PicRes[static_cast<size_t>(j)].Visible, true);
    }
}

TEST(Deal, FreecellAKAcesAndKings)
{
    Table t;
    t.data().Autoplay(0);
    t.start(QStringLiteral("Freecell AK"), 11);
    for (int16_t j = 0; j < 4; ++j) {
        ASSERT_EQ(t.count(PileType::Goal, j), 1);
        const int c = t.at(PileType::Goal, j, 0);
        EXPECT_EQ(t.engine.GetCardNum(c), j < 2 ? 0 : 12);
        EXPECT_EQ(t.engine.GetCardSuitpile(c), j);
        EXPECT_EQ(t.engine.PicRight[static_cast<size_t>(j)].Pic, j < 2 ? 0 : 12);
    }
    EXPECT_EQ(cellTotal(t, 0), 48);
}

TEST(Deal, PenguinBaseRankAndEmptyPileRank)
{
    Table t;
    t.data().Autoplay(0);
    bool sawAce = false, sawOther = false;
    for (qint64 n = 1; n <= 40 && !(sawAce && sawOther); ++n) {
        t.start(QStringLiteral("Penguin"), n);
        const int16_t base = t.engine.GetCardNum(0);
        EXPECT_EQ(t.engine.FoundationBase, base);
        EXPECT_EQ(t.at(PileType::Goal, 0, 0), 0);
        // The next two cards of that rank, in card order, on foundations 1 and 2.
        std::vector<int> same;
        for (int i = 1; i < 52; ++i)
            if (t.engine.GetCardNum(i) == base)
                same.push_back(i);
        ASSERT_EQ(same.size(), 3u);
        EXPECT_EQ(t.at(PileType::Goal, 1, 0), same[0]);
        EXPECT_EQ(t.at(PileType::Goal, 2, 0), same[1]);
        EXPECT_EQ(t.engine.GetCardCell(same[2]), 0); // the fourth is on the tableau
        EXPECT_EQ(t.count(PileType::Goal, 3), 0);
        const int16_t emptyNum = base == 0 ? 12 : static_cast<int16_t>(base - 1);
        EXPECT_EQ(t.engine.Games.EmptyNum(), emptyNum);
        for (int16_t p = 0; p < 7; ++p)
            EXPECT_EQ(t.engine.PicHome[static_cast<size_t>(p)].Pic, emptyNum);
        for (int16_t j = 0; j < 4; ++j)
            EXPECT_EQ(t.engine.PicRight[static_cast<size_t>(j)].Pic, base);
        EXPECT_EQ(cellTotal(t, 0), 49);
        (base == 0 ? sawAce : sawOther) = true;
    }
    EXPECT_TRUE(sawAce);
    EXPECT_TRUE(sawOther);
    // The catalogue restores the rank for the next game.
    t.start(QStringLiteral("Tuxedo"), 1);
    EXPECT_EQ(t.engine.Games.EmptyNum(), 12);
}

TEST(Deal, StalactitesFirstFourCardsHome)
{
    Table t;
    t.start(QStringLiteral("Stalactites"), 8);
    for (int16_t k = 0; k < 4; ++k) {
        ASSERT_EQ(t.count(PileType::Goal, k), 1);
        EXPECT_EQ(t.at(PileType::Goal, k, 0), k);
        EXPECT_EQ(t.engine.PicRight[static_cast<size_t>(k)].Pic, t.engine.GetCardNum(k));
    }
    EXPECT_EQ(cellTotal(t, 0), 48);
    EXPECT_EQ(t.position(), 0); // no autoplay in this family
}

TEST(Deal, StockMarkers)
{
    Table t;
    t.start(QStringLiteral("Cascade"), 1);
    EXPECT_TRUE(t.engine.PicStock.Visible);
    EXPECT_EQ(t.engine.PicStock.Pic, 15);
    EXPECT_EQ(t.engine.PicStock.Left, t.engine.Games.GetCordX(PileType::Stock, 0, 0));
    EXPECT_TRUE(t.engine.PicWaste.Visible);
    t.start(QStringLiteral("Oasis"), 1);
    EXPECT_EQ(t.engine.PicStock.Pic, 15);
    t.start(QStringLiteral("Double Cascade"), 1);
    EXPECT_FALSE(t.engine.PicStock.Visible);
    EXPECT_TRUE(t.engine.PicWaste.Visible);
    // Markers of the last game go away with it.
    t.engine.EndGame(0);
    EXPECT_FALSE(t.engine.PicWaste.Visible);
    EXPECT_FALSE(t.engine.PicHome[0].Visible);
    EXPECT_FALSE(t.engine.PicRight[0].Visible);
}

TEST(Deal, StartSoundBetweenReservesAndTableau)
{
    Table t;
    for (const char *name : {"Eight Off", "Bastion", "Freecell", "Cascade"}) {
        int calls = 0;
        t.sound.onPlay = [&](const QString &resource) {
            if (resource != u"START")
                return;
            ++calls;
            const cGames &g = t.engine.Games;
            EXPECT_EQ(cellTotal(t, 0), 0) << name;
            EXPECT_EQ(cellTotal(t, 4), g.Cards(PileType::Res)) << name;
            EXPECT_EQ(cellTotal(t, 1), t.T() - g.Cards(PileType::Res) - cellTotal(t, 3)) << name;
            for (int16_t p = 0; p < g.Piles(PileType::Home); ++p)
                EXPECT_TRUE(t.engine.PicHome[static_cast<size_t>(p)].Visible) << name;
        };
        t.start(QString::fromUtf8(name), 4);
        EXPECT_EQ(calls, 1) << name;
    }
    t.sound.onPlay = nullptr;
    t.data().Autoplay(0);
    // The reserves take the stock's top cards first.
    t.start(QStringLiteral("Eight Off"), 4);
    EXPECT_EQ(t.at(PileType::Res, 0, 0), 51);
    EXPECT_EQ(t.at(PileType::Res, 3, 0), 48);
    EXPECT_EQ(t.count(PileType::Res, 4), 0);
    // No sound when its setting is off.
    t.sound.played.clear();
    t.data().SoundStart(0);
    t.start(QStringLiteral("Freecell"), 4);
    EXPECT_FALSE(t.sound.played.contains(QStringLiteral("START")));
}

TEST(Deal, FoundationCardsComeBeforeTheMarkersAndTheStock)
{
    Table t;
    t.start(QStringLiteral("Freecell AK"), 1);
    const auto anyMarker = [&] {
        for (const MarkerState &m : t.engine.PicRight)
            if (m.Visible)
                return true;
        for (const MarkerState &m : t.engine.PicHome)
            if (m.Visible)
                return true;
        return false;
    };
    std::vector<int> beforeMarkers;
    t.view.onMoved = [&](int card) {
        if (!anyMarker())
            beforeMarkers.push_back(card);
    };
    t.start(QStringLiteral("Freecell AK"), 2);
    t.view.onMoved = nullptr;
    ASSERT_EQ(beforeMarkers.size(), 4u); // placed at once, with no animation step
    for (int c : beforeMarkers)
        EXPECT_EQ(t.engine.GetCardCell(c), 3);
}
