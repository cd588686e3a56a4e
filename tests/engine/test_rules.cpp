// Move rules, the drop hit test and the move primitive.
#include "enginetest.h"

using namespace tw;
using namespace tw::test;

namespace {

enum : int16_t { Hearts = 0, Spades = 1, Diamonds = 2, Clubs = 3 };
enum : int16_t { Ace = 0, King = 12 };

struct Rules : ::testing::Test {
    Table t;
    Engine &e = t.engine;
    // Card 0 in place, card 1 arriving.
    bool fits(int16_t suitA, int16_t numA, int16_t suitB, int16_t numB, OrderCode code, bool wrap = false)
    {
        t.relabel(0, suitA, numA);
        t.relabel(1, suitB, numB);
        return e.CheckOrder(0, 1, code, wrap);
    }
};

} // namespace

TEST_F(Rules, UpInSuit)
{
    EXPECT_TRUE(fits(Hearts, 4, Hearts, 5, OrderCode::UpSameSuit));
    EXPECT_FALSE(fits(Hearts, 4, Spades, 5, OrderCode::UpSameSuit));
    EXPECT_FALSE(fits(Hearts, 4, Hearts, 3, OrderCode::UpSameSuit));
    EXPECT_FALSE(fits(Hearts, 4, Hearts, 6, OrderCode::UpSameSuit));
    EXPECT_FALSE(fits(Hearts, King, Hearts, Ace, OrderCode::UpSameSuit));
    EXPECT_TRUE(fits(Hearts, King, Hearts, Ace, OrderCode::UpSameSuit, true));
    EXPECT_FALSE(fits(Hearts, King, Spades, Ace, OrderCode::UpSameSuit, true));
}

TEST_F(Rules, DownInSuitAndEither)
{
    EXPECT_TRUE(fits(Spades, 9, Spades, 8, OrderCode::DownSameSuit));
    EXPECT_FALSE(fits(Spades, 9, Clubs, 8, OrderCode::DownSameSuit));
    EXPECT_TRUE(fits(Hearts, Ace, Hearts, King, OrderCode::DownSameSuit, true));
    EXPECT_FALSE(fits(Hearts, Ace, Hearts, King, OrderCode::DownSameSuit, false));
    EXPECT_TRUE(fits(Clubs, 5, Clubs, 4, OrderCode::EitherSameSuit));
    EXPECT_TRUE(fits(Clubs, 5, Clubs, 6, OrderCode::EitherSameSuit));
    EXPECT_FALSE(fits(Clubs, 5, Spades, 6, OrderCode::EitherSameSuit));
    EXPECT_FALSE(fits(Clubs, 5, Clubs, 5, OrderCode::EitherSameSuit));
}

TEST_F(Rules, AlternatingColours)
{
    EXPECT_TRUE(fits(Hearts, 7, Spades, 6, OrderCode::DownOtherColor)); // red 8 takes black 7
    EXPECT_TRUE(fits(Diamonds, 7, Clubs, 6, OrderCode::DownOtherColor));
    EXPECT_FALSE(fits(Hearts, 7, Diamonds, 6, OrderCode::DownOtherColor)); // same colour, other suit
    EXPECT_FALSE(fits(Hearts, 7, Hearts, 6, OrderCode::DownOtherColor));
    EXPECT_FALSE(fits(Spades, 7, Clubs, 6, OrderCode::DownOtherColor));
    EXPECT_FALSE(fits(Hearts, 7, Spades, 8, OrderCode::DownOtherColor));
    EXPECT_TRUE(fits(Spades, 3, Hearts, 4, OrderCode::UpOtherColor));
    EXPECT_FALSE(fits(Spades, 3, Clubs, 4, OrderCode::UpOtherColor));
    EXPECT_TRUE(fits(Clubs, 3, Diamonds, 2, OrderCode::EitherOtherColor));
    EXPECT_TRUE(fits(Clubs, 3, Diamonds, 4, OrderCode::EitherOtherColor));
    EXPECT_FALSE(fits(Diamonds, 3, Hearts, 4, OrderCode::EitherOtherColor));
    EXPECT_TRUE(fits(Spades, King, Hearts, Ace, OrderCode::EitherOtherColor, true));
    EXPECT_FALSE(fits(Spades, King, Hearts, Ace, OrderCode::EitherOtherColor, false));
}

TEST_F(Rules, AnySuit)
{
    EXPECT_TRUE(fits(Hearts, 7, Hearts, 6, OrderCode::DownAnySuit));
    EXPECT_TRUE(fits(Hearts, 7, Clubs, 6, OrderCode::DownAnySuit));
    EXPECT_FALSE(fits(Hearts, 7, Clubs, 8, OrderCode::DownAnySuit));
    EXPECT_TRUE(fits(Hearts, 7, Clubs, 8, OrderCode::UpAnySuit));
    EXPECT_FALSE(fits(Hearts, 7, Clubs, 6, OrderCode::UpAnySuit));
    EXPECT_TRUE(fits(Spades, 7, Hearts, 6, OrderCode::EitherAnySuit)); // an 8 takes a 7 or a 9
    EXPECT_TRUE(fits(Spades, 7, Diamonds, 8, OrderCode::EitherAnySuit));
    EXPECT_FALSE(fits(Spades, 7, Diamonds, 7, OrderCode::EitherAnySuit));
    EXPECT_TRUE(fits(Spades, Ace, Diamonds, King, OrderCode::EitherAnySuit, true));
    EXPECT_TRUE(fits(Spades, King, Diamonds, Ace, OrderCode::EitherAnySuit, true));
    EXPECT_FALSE(fits(Spades, King, Diamonds, Ace, OrderCode::EitherAnySuit, false));
    EXPECT_TRUE(fits(Clubs, King, Clubs, Ace, OrderCode::UpAnySuit, true));
}

TEST_F(Rules, AnyCardAndNoCard)
{
    EXPECT_TRUE(fits(Hearts, 3, Hearts, 3, OrderCode::AnyCard));
    EXPECT_TRUE(fits(Hearts, 3, Spades, King, OrderCode::AnyCard));
    // No card, and codes no rule has.
    for (int32_t code : {0, 10, 11, 13, 14, 100, -1}) {
        EXPECT_FALSE(fits(Hearts, 7, Spades, 6, static_cast<OrderCode>(code))) << code;
        EXPECT_FALSE(fits(Hearts, 7, Hearts, 8, static_cast<OrderCode>(code), true)) << code;
    }
    t.relabel(0, Hearts, 5);
    t.relabel(1, Hearts, 6);
    // A step that is no direction fits nothing; an unknown condition asks
    // nothing of the suit.
    EXPECT_FALSE(e.CheckRankAndSuit(0, 1, static_cast<RankStep>(2), SuitRule::AnySuit, false));
    EXPECT_TRUE(e.CheckRankAndSuit(0, 1, RankStep::Up, static_cast<SuitRule>(7), false));
}

TEST_F(Rules, ValidRunsCheckEveryPair)
{
    t.data().Autoplay(0);
    t.start(QStringLiteral("Freecell"), 100);
    ASSERT_EQ(t.count(PileType::Home, 0), 7);
    t.faceAt(PileType::Home, 0, 3, Spades, 9);
    t.faceAt(PileType::Home, 0, 4, Hearts, 8);
    t.faceAt(PileType::Home, 0, 5, Clubs, 7);
    t.faceAt(PileType::Home, 0, 6, Diamonds, 6);
    const int16_t c3 = t.at(PileType::Home, 0, 3), c4 = t.at(PileType::Home, 0, 4), c5 = t.at(PileType::Home, 0, 5);
    EXPECT_TRUE(e.IsValidRun(c3, 3));
    EXPECT_TRUE(e.IsValidRun(c4, 2));
    EXPECT_TRUE(e.IsValidRun(c3, 0));
    // Break the last pair (black on black): a run of two from position 3 is still valid.
    t.faceAt(PileType::Home, 0, 6, Spades, 6);
    EXPECT_TRUE(e.IsValidRun(c3, 2));
    EXPECT_FALSE(e.IsValidRun(c3, 3));
    EXPECT_FALSE(e.IsValidRun(c5, 1));
    EXPECT_TRUE(e.IsValidRun(c4, 1));
    // Break the first pair instead (red on red).
    t.faceAt(PileType::Home, 0, 6, Diamonds, 6);
    t.faceAt(PileType::Home, 0, 3, Diamonds, 9);
    EXPECT_FALSE(e.IsValidRun(c3, 2));
    EXPECT_FALSE(e.IsValidRun(c3, 1));
    EXPECT_TRUE(e.IsValidRun(c4, 2));
    EXPECT_TRUE(e.IsValidRun(c3, 0));
    // The run order, not the FreecellAK foundation rule, in Baker's Spider: same suit down.
    t.start(QStringLiteral("Baker's Spider"), 100);
    t.faceAt(PileType::Home, 0, 5, Clubs, 7);
    t.faceAt(PileType::Home, 0, 6, Clubs, 6);
    EXPECT_TRUE(e.IsValidRun(t.at(PileType::Home, 0, 5), 1));
    t.faceAt(PileType::Home, 0, 6, Spades, 6);
    EXPECT_FALSE(e.IsValidRun(t.at(PileType::Home, 0, 5), 1)); // fits the tableau order (7), not the run order (1)
    EXPECT_TRUE(
        e.CheckOrder(t.at(PileType::Home, 0, 5), t.at(PileType::Home, 0, 6), e.Games.Order(PileType::Home, 0), false));
}

TEST_F(Rules, MaxMoveCountsEmptyCellsAndPiles)
{
    t.data().Autoplay(0);
    t.start(QStringLiteral("Freecell"), 100);
    EXPECT_EQ(e.CountEmptyPiles(PileType::Res), 4);
    EXPECT_EQ(e.CountEmptyPiles(PileType::Home), 0);
    EXPECT_EQ(e.CountEmptyPiles(PileType::Waste), 0); // no waste in this variant
    EXPECT_EQ(e.GetMaxMove(), 4);
    // Two cells taken, one pile emptied: (2 + 1) * 1 + 2.
    t.place(t.topCard(PileType::Home, 0), 4, 0);
    t.place(t.topCard(PileType::Home, 0), 4, 1);
    while (t.count(PileType::Home, 7) > 0)
        t.place(t.topCard(PileType::Home, 7), 0, 1);
    EXPECT_EQ(e.CountEmptyPiles(PileType::Res), 2);
    EXPECT_EQ(e.CountEmptyPiles(PileType::Home), 1);
    EXPECT_EQ(e.GetMaxMove(), 5);
    t.place(t.topCard(PileType::Home, 1), 0, 7);
    EXPECT_EQ(e.GetMaxMove(), 2);
    t.place(t.topCard(PileType::Home, 0), 4, 2);
    t.place(t.topCard(PileType::Home, 0), 4, 3);
    EXPECT_EQ(e.GetMaxMove(), 0);
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Rules, HitTestCentreRoundsHalfToEven)
{
    t.start(QStringLiteral("Freecell"), 100);
    const int X = e.Games.GetCordX(PileType::Home, 0, 0);
    const int Y = e.Games.GetCordY(PileType::Home, 0, 0);
    ASSERT_EQ(X % 2, 0);
    const int c = t.topCard(PileType::Home, 5);
    const auto over = [&](int L, int T, bool whole) {
        e.MoveTo(c, static_cast<float>(L), static_cast<float>(T));
        return e.IsCardOverPlace(c, PileType::Home, 0, 0, whole);
    };
    EXPECT_TRUE(over(X, Y, false));
    EXPECT_TRUE(over(X + 532, Y, false));  // centre X + 1064
    EXPECT_FALSE(over(X + 533, Y, false)); // centre X + 1066, not X + 1065
    EXPECT_FALSE(over(X - 532, Y, false)); // centre X, on the edge
    EXPECT_TRUE(over(X - 531, Y, false));  // centre X + 2
    EXPECT_TRUE(over(X, Y + 719, false));
    EXPECT_FALSE(over(X, Y + 720, false));
    EXPECT_TRUE(over(X, Y - 719, false));
    EXPECT_FALSE(over(X, Y - 720, false));
    // Overlap: strict on every side.
    EXPECT_TRUE(over(X + 1064, Y + 1439, true));
    EXPECT_FALSE(over(X + 1065, Y, true));
    EXPECT_FALSE(over(X - 1065, Y, true));
    EXPECT_TRUE(over(X - 1064, Y - 1439, true));
    EXPECT_FALSE(over(X, Y + 1440, true));
    EXPECT_FALSE(over(X, Y - 1440, true));
    EXPECT_FALSE(over(X + 600, Y, false));
    EXPECT_TRUE(over(X + 600, Y, true));
}

TEST_F(Rules, FullFoundationRefusesAFourteenthCard)
{
    t.data().Autoplay(0);
    t.start(QStringLiteral("Freecell"), 100);
    for (int k = 0; k < 13; ++k)
        t.place(t.topCard(PileType::Home, k % 8), 3, 0);
    ASSERT_EQ(t.top(PileType::Goal, 0), 12);
    EXPECT_EQ(e.Array.TotalGoalCards(), 13);
    const int32_t before = t.position();
    const int card = t.topCard(PileType::Home, 3);
    const auto snap = snapshot(e);
    const int refreshes = t.view.refreshes;
    t.data().Autoplay(1);
    int32_t mode = 0;
    e.Array.MoveCard(static_cast<int16_t>(card), 3, 0, 13, mode, 3, 0, false);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(t.position(), before);
    EXPECT_EQ(t.top(PileType::Goal, 0), 12);
    EXPECT_EQ(snapshot(e), snap);
    EXPECT_EQ(t.view.refreshes, refreshes);
    EXPECT_EQ(e.CheckModel(), QString());

    // The Spider family stacks two runs on one foundation.
    t.start(QStringLiteral("Galaxy"), 100);
    for (int k = 0; k < 14; ++k)
        t.place(t.topCard(PileType::Home, k % 8), 3, 1);
    EXPECT_EQ(t.top(PileType::Goal, 1), 13);
    EXPECT_EQ(e.Array.TotalGoalCards(), 14);
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Rules, CardsOnTopTravelAlong)
{
    t.data().Autoplay(0);
    t.start(QStringLiteral("Freecell"), 100);
    const int16_t c4 = t.at(PileType::Home, 0, 4), c5 = t.at(PileType::Home, 0, 5), c6 = t.at(PileType::Home, 0, 6);
    const int16_t target = static_cast<int16_t>(t.top(PileType::Home, 1) + 1);
    int32_t mode = 2;
    e.Array.MoveCard(c4, PileType::Home, 1, target, mode, 3, 2, false);
    EXPECT_EQ(t.at(PileType::Home, 1, target), c4);
    EXPECT_EQ(t.at(PileType::Home, 1, target + 1), c5);
    EXPECT_EQ(t.at(PileType::Home, 1, target + 2), c6);
    EXPECT_EQ(t.top(PileType::Home, 1), target + 2);
    EXPECT_EQ(t.top(PileType::Home, 0), 3);
    EXPECT_EQ(e.GetCardTop(c6), e.Games.GetCordY(PileType::Home, 1, static_cast<int16_t>(target + 2)));
    EXPECT_EQ(e.CheckModel(), QString());
    const TransRec &r = e.Trans->RecordAt(t.position());
    EXPECT_EQ(r.Card, c4);
    EXPECT_EQ(r.Count, 2);
    EXPECT_EQ(r.FromPos, 4);
    EXPECT_EQ(r.ToPos, target);
}

TEST_F(Rules, SpeedIsTheNumberOfAnimationSteps)
{
    t.data().Autoplay(0);
    t.start(QStringLiteral("Freecell"), 100);
    for (int16_t speed : {0, -1, 1, 3, 7}) {
        const int16_t card = t.topCard(PileType::Home, 0);
        const float L0 = e.Cards[static_cast<size_t>(card)].Left;
        const float T0 = e.Cards[static_cast<size_t>(card)].Top;
        const int16_t pile = static_cast<int16_t>(speed == 3 ? 1 : 2);
        const int16_t X = e.Games.GetCordX(PileType::Home, pile, static_cast<int16_t>(t.top(PileType::Home, pile) + 1));
        const int16_t Y = e.Games.GetCordY(PileType::Home, pile, static_cast<int16_t>(t.top(PileType::Home, pile) + 1));
        std::vector<std::pair<float, float>> path;
        t.view.onMoved = [&](int c) {
            if (c == card)
                path.push_back({e.Cards[static_cast<size_t>(c)].Left, e.Cards[static_cast<size_t>(c)].Top});
        };
        t.view.repaintedCards.clear();
        const int refreshes = t.view.refreshes;
        int32_t mode = 2;
        e.Array.MoveCard(card, PileType::Home, pile, static_cast<int16_t>(t.top(PileType::Home, pile) + 1), mode, speed,
                         0, false);
        t.view.onMoved = nullptr;
        const int steps = speed < 1 ? 0 : speed;
        EXPECT_EQ(t.view.refreshes - refreshes, steps + 1) << speed;
        ASSERT_EQ(static_cast<int>(path.size()), steps + 1) << speed;
        for (int i = 1; i <= steps; ++i) {
            EXPECT_FLOAT_EQ(path[static_cast<size_t>(i - 1)].first, L0 + (X - L0) * i / steps) << speed;
            EXPECT_FLOAT_EQ(path[static_cast<size_t>(i - 1)].second, T0 + (Y - T0) * i / steps) << speed;
        }
        if (steps > 0) {
            EXPECT_EQ(path[static_cast<size_t>(steps - 1)].first, X); // the last step reaches the target
            EXPECT_EQ(path[static_cast<size_t>(steps - 1)].second, Y);
        }
        EXPECT_EQ(path.back().first, X);
        EXPECT_EQ(path.back().second, Y);
    }
    // The cards on top follow without animation: one repaint each.
    const int16_t c = t.at(PileType::Home, 3, 4);
    const int refreshes = t.view.refreshes;
    int32_t mode = 2;
    e.Array.MoveCard(c, PileType::Home, 4, static_cast<int16_t>(t.top(PileType::Home, 4) + 1), mode, 3, 2, false);
    EXPECT_EQ(t.view.refreshes - refreshes, 4 + 1 + 1);
}

TEST_F(Rules, UncoveringAFaceDownCardTurnsItUp)
{
    t.data().Autoplay(0);
    t.start(QStringLiteral("Freecell"), 100);
    for (int16_t pos = 0; pos < 6; ++pos)
        e.SetFaceMode(t.at(PileType::Home, 0, pos), 1);
    const int16_t below = t.at(PileType::Home, 0, 5);
    const int16_t moved = t.at(PileType::Home, 0, 6);
    const float oldTop = e.Cards[static_cast<size_t>(moved)].Top;
    int32_t mode = 0;
    e.Array.MoveCard(moved, PileType::Res, 0, 0, mode, 3, 0, false);
    EXPECT_EQ(mode, 3); // the caller's mode changed too
    EXPECT_EQ(e.GetCardFaceMode(below), 0);
    EXPECT_EQ(e.Trans->RecordAt(t.position()).Mode, 3);
    EXPECT_EQ(e.Array.ClosedCards(0), 5);

    // Undo closes the card again before the moved card travels back, so it
    // lands with the face-down spacing.
    int32_t belowFaceAtFirstStep = -1;
    t.view.onMoved = [&](int c) {
        if (c == moved && belowFaceAtFirstStep == -1)
            belowFaceAtFirstStep = e.GetCardFaceMode(below);
    };
    EXPECT_TRUE(e.Undo(5));
    t.view.onMoved = nullptr;
    EXPECT_EQ(belowFaceAtFirstStep, 1);
    EXPECT_EQ(e.GetCardFaceMode(below), 1);
    EXPECT_EQ(e.GetCardPos(moved), 6);
    EXPECT_EQ(e.GetCardTop(moved), 200 + 1640 + 6 * 60);
    EXPECT_NE(e.Cards[static_cast<size_t>(moved)].Top, oldTop);
    // Redo turns it up after the move.
    EXPECT_TRUE(e.Redo(5));
    EXPECT_EQ(e.GetCardFaceMode(below), 0);
    EXPECT_EQ(e.GetCardCell(moved), 4);

    // In undo mode nothing turns up.
    EXPECT_TRUE(e.Undo(5));
    int32_t undoMode = 4;
    e.Array.MoveCard(moved, PileType::Res, 1, 0, undoMode, 0, 0, false);
    EXPECT_EQ(undoMode, 4);
    EXPECT_EQ(e.GetCardFaceMode(below), 1);
    EXPECT_EQ(e.Array.ClosedCards(0), 6);
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Rules, AutoplayFollowsOnlyModesZeroOneAndThree)
{
    // A game whose deal leaves an Ace right under a pile's top card.
    int16_t pile = -1;
    qint64 number = 0;
    for (qint64 n = 1; n < 500 && pile < 0; ++n) {
        t.start(QStringLiteral("Freecell"), n);
        for (int16_t p = 0; p < 8 && pile < 0; ++p)
            if (t.count(PileType::Home, p) >= 2
                && e.GetCardNum(t.at(PileType::Home, p, static_cast<int16_t>(t.top(PileType::Home, p) - 1))) == 0) {
                pile = p;
                number = n;
            }
    }
    ASSERT_GE(pile, 0);
    for (int32_t m : {0, 1, 2, 3, 4, 5}) {
        t.start(QStringLiteral("Freecell"), number);
        const int16_t ace = t.at(PileType::Home, pile, static_cast<int16_t>(t.top(PileType::Home, pile) - 1));
        if (m == 3)
            e.SetFaceMode(ace, 1); // uncovering it gives mode 3
        int32_t mode = m == 3 ? 0 : m;
        const int16_t card = t.topCard(PileType::Home, pile);
        ASSERT_EQ(t.top(PileType::Res, 0), -1);
        const int32_t before = t.position();
        e.Array.MoveCard(card, PileType::Res, 0, 0, mode, 0, 0, false);
        const bool autoplayed = e.GetCardCell(ace) == PileType::Goal;
        EXPECT_EQ(autoplayed, m == 0 || m == 1 || m == 3) << "mode " << m;
        EXPECT_EQ(e.CheckModel(), QString()) << "mode " << m;
        EXPECT_EQ(t.position() > before, m != 4 && m != 5) << "mode " << m;
    }
}

TEST_F(Rules, GoalCardsAndClosedCards)
{
    t.data().Autoplay(0);
    t.start(QStringLiteral("Freecell"), 100);
    EXPECT_EQ(e.Array.TotalGoalCards(), 0);
    EXPECT_EQ(e.Array.ClosedCards(0), 0);
    while (t.count(PileType::Home, 7) > 0)
        t.place(t.topCard(PileType::Home, 7), 3, 2);
    EXPECT_EQ(e.Array.ClosedCards(7), 0);
    EXPECT_EQ(e.Array.TotalGoalCards(), 6);
    t.start(QStringLiteral("Zodiac"), 100);
    EXPECT_EQ(e.Array.TotalGoalCards(), 8);
}

TEST_F(Rules, WasteToStockReversesTheOrder)
{
    t.data().Autoplay(0);
    t.start(QStringLiteral("Cascade"), 100);
    std::vector<int16_t> dealt;
    for (int k = 0; k < 3; ++k) {
        dealt.push_back(t.topCard(PileType::Stock, 0));
        e.Array.AddtoWaste(dealt.back());
    }
    EXPECT_EQ(t.count(PileType::Waste, 0), 3);
    EXPECT_EQ(t.topCard(PileType::Waste, 0), dealt.back());
    EXPECT_EQ(e.GetCardFaceMode(dealt.back()), 0);
    EXPECT_EQ(e.Trans->RecordAt(1).Mode, 1);
    const int stock = t.count(PileType::Stock, 0);
    e.Array.MoveWasteStock();
    EXPECT_EQ(t.count(PileType::Waste, 0), 0);
    EXPECT_EQ(t.count(PileType::Stock, 0), stock + 3);
    EXPECT_EQ(t.topCard(PileType::Stock, 0), dealt.front()); // the waste's bottom card ends on top
    for (int16_t c : dealt)
        EXPECT_EQ(e.GetCardFaceMode(c), 1);
    EXPECT_EQ(t.position(), 3); // the turn back is not journalled
    EXPECT_EQ(e.CheckModel(), QString());
}
