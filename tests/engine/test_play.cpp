// Drag and drop through the card mouse handlers, autoplay and the stock.
#include "enginetest.h"

using namespace tw;
using namespace tw::test;

namespace {

enum : int16_t { Hearts = 0, Spades = 1, Diamonds = 2, Clubs = 3 };

struct Play : ::testing::Test {
    Table t;
    Engine &e = t.engine;
    void startQuiet(const char *name, qint64 n)
    {
        t.data().Autoplay(0);
        t.start(QString::fromUtf8(name), n);
        ASSERT_EQ(e.CheckModel(), QString());
    }
    int16_t X(int16_t cell, int16_t pile, int16_t pos) const { return e.Games.GetCordX(cell, pile, pos); }
    int16_t Y(int16_t cell, int16_t pile, int16_t pos) const { return e.Games.GetCordY(cell, pile, pos); }
    void expectAtRest(int card)
    {
        const CardState &c = e.Cards[static_cast<size_t>(card)];
        EXPECT_EQ(c.Left, X(c.Cell, c.Pile, c.Pos)) << card;
        EXPECT_EQ(c.Top, Y(c.Cell, c.Pile, c.Pos)) << card;
    }
};

} // namespace

TEST_F(Play, FreecellRunLiftsOnlyWithinTheFreePlaces)
{
    startQuiet("Freecell", 100);
    t.place(t.topCard(PileType::Home, 7), 4, 0);
    t.place(t.topCard(PileType::Home, 7), 4, 1);
    t.faceAt(PileType::Home, 0, 3, Spades, 9);
    t.faceAt(PileType::Home, 0, 4, Hearts, 8);
    t.faceAt(PileType::Home, 0, 5, Clubs, 7);
    t.faceAt(PileType::Home, 0, 6, Diamonds, 6);
    t.faceAt(PileType::Home, 1, 6, Clubs, 9);
    ASSERT_EQ(e.GetMaxMove(), 2);
    const int16_t c3 = t.at(PileType::Home, 0, 3), c4 = t.at(PileType::Home, 0, 4);

    // Four cards: refused; move and release do nothing.
    const auto snap = snapshot(e);
    e.CardMouseDown(c3, 500, 700);
    EXPECT_FALSE(e.Dragging);
    EXPECT_EQ(e.DragCount, 3);
    e.CardMouseMove(c3, 3000, 3000);
    e.CardMouseUp(c3, 3000, 3000);
    EXPECT_EQ(snapshot(e), snap);
    EXPECT_EQ(t.position(), 2);

    // Three cards lift and go together.
    e.CardMouseDown(c4, 500, 700);
    EXPECT_TRUE(e.Dragging);
    EXPECT_EQ(e.DragCount, 2);
    e.CardMouseUp(c4, 500, 700);
    t.dragTo(c4, PileType::Home, 1, 6);
    EXPECT_EQ(e.GetCardPile(c4), 1);
    EXPECT_EQ(e.GetCardPos(c4), 7);
    EXPECT_EQ(t.top(PileType::Home, 1), 9);
    EXPECT_EQ(t.top(PileType::Home, 0), 3);
    EXPECT_EQ(e.Trans->RecordAt(t.position()).Count, 2);
    for (int16_t k = 7; k <= 9; ++k)
        expectAtRest(t.at(PileType::Home, 1, k));
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Play, DraggedRunFollowsTheMouse)
{
    startQuiet("Freecell", 100);
    t.faceAt(PileType::Home, 0, 5, Clubs, 7);
    t.faceAt(PileType::Home, 0, 6, Diamonds, 6);
    const int16_t c5 = t.at(PileType::Home, 0, 5), c6 = t.at(PileType::Home, 0, 6);
    const float L = e.Cards[c5].Left, T = e.Cards[c5].Top;
    e.CardMouseDown(c5, 300.4f, 200.6f); // DragX 300, DragY 201
    EXPECT_EQ(e.DragX, 300);
    EXPECT_EQ(e.DragY, 201);
    EXPECT_EQ(e.DragLeft, L);
    EXPECT_EQ(e.DragTop, T);
    ASSERT_TRUE(e.Dragging);
    e.CardMouseMove(c5, 400, 251);
    EXPECT_EQ(e.Cards[c5].Left, L + 100);
    EXPECT_EQ(e.Cards[c5].Top, T + 50);
    EXPECT_EQ(e.Cards[c6].Left, L + 100);
    EXPECT_EQ(e.Cards[c6].Top, T + 50 + 250);
    EXPECT_GT(e.Cards[c6].Z, e.Cards[c5].Z);
    e.CardMouseUp(c5, 400, 251);
    // Dropped on its own pile: back exactly where it was.
    EXPECT_FALSE(e.Dragging);
    EXPECT_EQ(e.Cards[c5].Left, L);
    EXPECT_EQ(e.Cards[c5].Top, T);
    EXPECT_EQ(e.Cards[c6].Top, T + 250);
    EXPECT_EQ(t.position(), 0);
}

TEST_F(Play, SidewaysTableauFansTheDraggedRunRight)
{
    startQuiet("Avenue", 3);
    const int16_t p = 0;
    const int16_t t5 = static_cast<int16_t>(t.top(PileType::Home, p) - 1);
    t.faceAt(PileType::Home, p, t5, Clubs, 7);
    t.faceAt(PileType::Home, p, static_cast<int16_t>(t5 + 1), Diamonds, 6);
    const int16_t a = t.at(PileType::Home, p, t5), b = t.at(PileType::Home, p, static_cast<int16_t>(t5 + 1));
    e.CardMouseDown(a, 500, 700);
    ASSERT_TRUE(e.Dragging);
    e.CardMouseMove(a, 600, 720);
    EXPECT_EQ(e.Cards[b].Left, e.Cards[a].Left + 180);
    EXPECT_EQ(e.Cards[b].Top, e.Cards[a].Top);
    e.CardMouseUp(a, 600, 720);
    expectAtRest(a);
    expectAtRest(b);
}

TEST_F(Play, InvalidOrCoveredFaceDownRunsLiftNothing)
{
    startQuiet("Freecell", 100);
    t.faceAt(PileType::Home, 0, 4, Spades, 9);
    t.faceAt(PileType::Home, 0, 5, Clubs, 8);
    const auto snap = snapshot(e);
    const int16_t c4 = t.at(PileType::Home, 0, 4);
    e.CardMouseDown(c4, 500, 700);
    EXPECT_FALSE(e.Dragging);
    e.CardMouseMove(c4, 900, 900);
    e.CardMouseUp(c4, 900, 900);
    EXPECT_EQ(snapshot(e), snap);
    // A face-down card under a valid run.
    t.faceAt(PileType::Home, 0, 5, Hearts, 8);
    t.faceAt(PileType::Home, 0, 6, Clubs, 7);
    e.SetFaceMode(c4, 1);
    e.CardMouseDown(c4, 500, 700);
    EXPECT_FALSE(e.Dragging);
    e.SetFaceMode(c4, 0);
    e.CardMouseDown(c4, 500, 700);
    EXPECT_TRUE(e.Dragging);
    e.CardMouseUp(c4, 500, 700);
    EXPECT_EQ(t.position(), 0);
}

TEST_F(Play, AnySpiderRunLifts)
{
    startQuiet("Baker's Spider", 100);
    for (int16_t k = 0; k < 4; ++k)
        t.place(t.topCard(PileType::Home, 7), 4, k);
    ASSERT_EQ(e.GetMaxMove(), 0);
    ASSERT_EQ(t.count(PileType::Home, 0), 7);
    for (int16_t k = 0; k < 7; ++k)
        t.faceAt(PileType::Home, 0, k, Clubs, static_cast<int16_t>(10 - k));
    const int16_t c0 = t.at(PileType::Home, 0, 0);
    e.CardMouseDown(c0, 500, 700);
    EXPECT_TRUE(e.Dragging);
    EXPECT_EQ(e.DragCount, 6);
    e.CardMouseUp(c0, 500, 700);
    EXPECT_EQ(t.count(PileType::Home, 0), 7);
}

TEST_F(Play, CentreTestComesBeforeOverlap)
{
    startQuiet("Freecell", 100);
    ASSERT_EQ(t.count(PileType::Home, 0), 7);
    ASSERT_EQ(t.count(PileType::Home, 1), 7);
    // Centre over pile 0, which does not fit; rectangle also over pile 1, which does.
    t.faceAt(PileType::Home, 0, 6, Hearts, 8);
    t.faceAt(PileType::Home, 1, 6, Spades, 8);
    t.faceAt(PileType::Home, 5, 5, Hearts, 7);
    const int16_t c = t.topCard(PileType::Home, 5);
    e.MoveTo(c, X(0, 0, 6) + 300, Y(0, 0, 6));
    e.DropCards(c, 0, 5, 5);
    EXPECT_EQ(e.GetCardPile(c), 1);
    EXPECT_EQ(e.GetCardPos(c), 7);
    expectAtRest(c);

    // Centre over pile 1, rectangle also over pile 0, both fit: pile 1.
    startQuiet("Freecell", 100);
    t.faceAt(PileType::Home, 0, 6, Clubs, 8);
    t.faceAt(PileType::Home, 1, 6, Spades, 8);
    t.faceAt(PileType::Home, 5, 5, Hearts, 7);
    const int16_t d = t.topCard(PileType::Home, 5);
    t.drag(d, X(0, 1, 6) - 300, Y(0, 1, 6) + 100);
    EXPECT_EQ(e.GetCardPile(d), 1);
    EXPECT_EQ(e.GetCardCell(d), 0);

    // Only overlapping pile 0: it goes there in the second pass.
    startQuiet("Freecell", 100);
    t.faceAt(PileType::Home, 0, 6, Clubs, 8);
    t.faceAt(PileType::Home, 5, 5, Hearts, 7);
    const int16_t f = t.topCard(PileType::Home, 5);
    t.drag(f, X(0, 0, 6) - 900, Y(0, 0, 6) + 1000);
    EXPECT_EQ(e.GetCardPile(f), 0);
    EXPECT_EQ(e.GetCardPos(f), 7);
}

TEST_F(Play, DropNowhereReturnsTheCards)
{
    startQuiet("Freecell", 100);
    t.faceAt(PileType::Home, 0, 5, Clubs, 7);
    t.faceAt(PileType::Home, 0, 6, Diamonds, 6);
    const auto snap = snapshot(e);
    const int16_t c = t.at(PileType::Home, 0, 5);
    t.drag(c, 20000, 9000);
    EXPECT_EQ(snapshot(e), snap);
    t.drag(c, X(0, 0, 5) + 50, Y(0, 0, 5) + 30);
    EXPECT_EQ(snapshot(e), snap);
    EXPECT_EQ(t.position(), 0);
}

TEST_F(Play, RunsNeverGoToReservesOrFoundations)
{
    startQuiet("Freecell", 100);
    for (int k = 0; k < 8; ++k)
        t.place(t.topCard(PileType::Home, static_cast<int16_t>(2 + k % 6)), 3, 0);
    for (int16_t k = 0; k < 8; ++k)
        t.faceAt(PileType::Goal, 0, k, Spades, k);
    t.faceAt(PileType::Home, 0, 5, Spades, 8);
    t.faceAt(PileType::Home, 0, 6, Hearts, 7);
    const int32_t before = t.position();
    const auto snap = snapshot(e);
    const int16_t c = t.at(PileType::Home, 0, 5);
    t.dragTo(c, PileType::Res, 0, 0);
    EXPECT_EQ(snapshot(e), snap);
    t.dragTo(c, PileType::Goal, 0, 0);
    EXPECT_EQ(snapshot(e), snap);
    EXPECT_EQ(t.position(), before);
    // The top card alone goes to a cell.
    t.dragTo(t.at(PileType::Home, 0, 6), 4, 2, 0);
    EXPECT_EQ(t.count(PileType::Res, 2), 1);
    // And the 9 of spades alone to its foundation.
    t.dragTo(c, PileType::Goal, 0, 0);
    EXPECT_EQ(e.GetCardCell(c), 3);
    EXPECT_EQ(e.GetCardPos(c), 8);
    // An occupied cell takes nothing.
    const int16_t d = t.topCard(PileType::Home, 3);
    const auto snap2 = snapshot(e);
    t.dragTo(d, PileType::Res, 2, 0);
    EXPECT_EQ(snapshot(e), snap2);
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Play, FullFoundationTakesNothingByDrop)
{
    startQuiet("Stalactites", 100);
    for (int k = 0; k < 12; ++k)
        t.place(t.topCard(PileType::Home, static_cast<int16_t>(k % 8)), 3, 0);
    ASSERT_EQ(t.top(PileType::Goal, 0), 12);
    t.faceAt(PileType::Goal, 0, 12, Spades, 12);
    const int16_t pile = 5;
    const int16_t top = t.top(PileType::Home, pile);
    t.faceAt(PileType::Home, pile, top, Hearts, 0);
    const int16_t ace = t.topCard(PileType::Home, pile);
    // By the rule alone (up in any suit, King to Ace) the Ace would fit.
    EXPECT_TRUE(e.CheckOrder(t.topCard(PileType::Goal, 0), ace, e.Games.Order(PileType::Goal, 0),
                             e.Games.AK(PileType::Goal) != 0));
    const auto snap = snapshot(e);
    const int32_t before = t.position();
    t.dragTo(ace, PileType::Goal, 0, 0);
    EXPECT_EQ(snapshot(e), snap);
    EXPECT_EQ(t.position(), before);
    // Nothing goes onto the tableau in this family, nor onto an empty pile.
    t.faceAt(PileType::Home, 6, t.top(PileType::Home, 6), Clubs, 12);
    t.dragTo(ace, PileType::Home, 6, t.top(PileType::Home, 6));
    EXPECT_EQ(snapshot(e), snap);
    while (t.count(PileType::Home, 7) > 0)
        t.place(t.topCard(PileType::Home, 7), 4, 0);
    const auto snap2 = snapshot(e);
    t.dragTo(ace, PileType::Home, 7, -1);
    EXPECT_EQ(snapshot(e), snap2);
}

TEST_F(Play, AutoplayTakesTheFirstEmptyFoundationADropTheOneBelow)
{
    startQuiet("Freecell", 100);
    t.faceAt(PileType::Home, 0, 6, Hearts, 0);
    const int16_t aceH = t.topCard(PileType::Home, 0);
    t.dragTo(aceH, PileType::Goal, 2, 0);
    EXPECT_EQ(e.GetCardCell(aceH), 3);
    EXPECT_EQ(e.GetCardPile(aceH), 2);
    // Autoplay stays off: an Ace uncovered stays where it is.
    t.faceAt(PileType::Home, 1, 5, Spades, 0);
    const int16_t aceS = t.at(PileType::Home, 1, 5);
    t.dragTo(t.topCard(PileType::Home, 1), 4, 0, 0);
    EXPECT_EQ(e.GetCardCell(aceS), 0);
    // With autoplay on, the next move sends it to the first empty foundation.
    t.data().Autoplay(1);
    t.sound.played.clear();
    t.dragTo(t.topCard(PileType::Home, 2), 4, 1, 0);
    EXPECT_EQ(e.GetCardCell(aceS), 3);
    EXPECT_EQ(e.GetCardPile(aceS), 0);
    EXPECT_TRUE(t.sound.played.contains(QStringLiteral("AUTOPLAY")));
    expectAtRest(aceS);
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Play, AutoplayHasNoSafetyRule)
{
    startQuiet("Freecell", 100);
    t.faceAt(PileType::Home, 0, 6, Hearts, 0);
    t.faceAt(PileType::Home, 1, 6, Hearts, 1);
    t.data().Autoplay(1);
    e.AutoPlay();
    EXPECT_EQ(t.count(PileType::Goal, 0), 2);
    EXPECT_EQ(t.position(), 2);
}

TEST_F(Play, FreecellAKBuildsDownOnTheKings)
{
    startQuiet("Freecell AK", 100);
    ASSERT_EQ(e.GetCardNum(t.topCard(PileType::Goal, 2)), 12);
    t.faceAt(PileType::Home, 0, t.top(PileType::Home, 0), Diamonds, 11);
    const int16_t qd = t.topCard(PileType::Home, 0);
    t.dragTo(qd, PileType::Goal, 2, 0);
    EXPECT_EQ(e.GetCardCell(qd), 3);
    EXPECT_EQ(e.GetCardPos(qd), 1);
    // A Queen of the wrong suit is refused.
    t.faceAt(PileType::Home, 1, t.top(PileType::Home, 1), Hearts, 11);
    const int16_t qh = t.topCard(PileType::Home, 1);
    t.dragTo(qh, PileType::Goal, 3, 0);
    EXPECT_EQ(e.GetCardCell(qh), 0);
    // By autoplay: the Queen of clubs uncovered goes onto the King of clubs.
    t.faceAt(PileType::Home, 2, static_cast<int16_t>(t.top(PileType::Home, 2) - 1), Clubs, 11);
    const int16_t qc = t.at(PileType::Home, 2, static_cast<int16_t>(t.top(PileType::Home, 2) - 1));
    t.data().Autoplay(1);
    t.dragTo(t.topCard(PileType::Home, 2), 4, 0, 0);
    EXPECT_EQ(e.GetCardCell(qc), 3);
    EXPECT_EQ(e.GetCardPile(qc), 3);
    EXPECT_EQ(e.GetCardPos(qc), 1);
}

TEST_F(Play, SpiderRunGoesHomeAsOneGroup)
{
    startQuiet("Double Galaxy", 100);
    ASSERT_EQ(e.Games.GoalDiv(), 4);
    ASSERT_EQ(t.count(PileType::Home, 0), 11);
    t.place(t.topCard(PileType::Home, 9), 0, 0);
    for (int16_t k = 0; k < 12; ++k)
        t.faceAt(PileType::Home, 0, k, Hearts, static_cast<int16_t>(12 - k), 5);
    t.faceAt(PileType::Home, 1, t.top(PileType::Home, 1), Hearts, 0, 5);
    const int16_t ace = t.topCard(PileType::Home, 1);
    // King to 2 alone stays.
    e.AutoPlay();
    EXPECT_EQ(t.count(PileType::Home, 0), 12);
    const int32_t before = t.position();
    t.dragTo(ace, PileType::Home, 0, 11);
    EXPECT_EQ(t.count(PileType::Home, 0), 0);
    EXPECT_EQ(t.count(PileType::Goal, 1), 13); // Suitpile 5 Mod 4
    EXPECT_EQ(t.topCard(PileType::Goal, 1), t.at(PileType::Goal, 1, 12));
    EXPECT_EQ(e.GetCardNum(t.at(PileType::Goal, 1, 0)), 0); // the Ace went first
    EXPECT_EQ(e.GetCardNum(t.at(PileType::Goal, 1, 12)), 12);
    EXPECT_EQ(t.position(), before + 14);
    for (int32_t i = before + 2; i < before + 14; ++i)
        EXPECT_EQ(e.Trans->RecordAt(i).Multi, 1);
    EXPECT_EQ(e.Trans->RecordAt(before + 14).Multi, 0);
    EXPECT_EQ(e.Trans->RecordAt(before + 1).Multi, 0);
    const auto home = snapshot(e);

    EXPECT_TRUE(e.Undo(5));
    EXPECT_EQ(t.position(), before + 1);
    EXPECT_EQ(t.count(PileType::Home, 0), 13);
    EXPECT_EQ(t.count(PileType::Goal, 1), 0);
    EXPECT_EQ(t.topCard(PileType::Home, 0), ace);
    for (int16_t k = 0; k < 13; ++k)
        expectAtRest(t.at(PileType::Home, 0, k));
    EXPECT_EQ(e.CheckModel(), QString());

    EXPECT_TRUE(e.Redo(5));
    EXPECT_EQ(t.position(), before + 14);
    EXPECT_EQ(snapshot(e), home);
}

TEST_F(Play, TwoSpiderRunsInOneCascadeUndoAsOneGroup)
{
    startQuiet("Double Galaxy", 100);
    for (int16_t p : {0, 1})
        while (t.count(PileType::Home, p) < 13)
            t.place(t.topCard(PileType::Home, static_cast<int16_t>(9 - p)), 0, p);
    for (int16_t k = 0; k < 13; ++k) {
        t.faceAt(PileType::Home, 0, k, Hearts, static_cast<int16_t>(12 - k), 4);
        t.faceAt(PileType::Home, 1, k, Hearts, static_cast<int16_t>(12 - k), 6);
    }
    const auto before = snapshot(e);
    // Any move runs the Spider rule: the run of pile 0 goes first, and its
    // first card's autoplay sends the run of pile 1 inside the open group.
    int32_t mode = 0;
    e.Array.MoveCard(t.topCard(PileType::Home, 8), 0, 7, static_cast<int16_t>(t.top(PileType::Home, 7) + 1), mode, 0, 0,
                     false);
    const int32_t trigger = 2 + 2 + 1; // the four cards placed by hand, then the move
    ASSERT_EQ(t.position(), trigger + 26);
    EXPECT_EQ(t.count(PileType::Goal, 0), 13);
    EXPECT_EQ(t.count(PileType::Goal, 2), 13);
    for (int32_t i = trigger + 1; i < trigger + 26; ++i)
        EXPECT_EQ(e.Trans->RecordAt(i).Multi, 1) << i;
    EXPECT_EQ(e.Trans->RecordAt(trigger + 26).Multi, 0);
    const auto home = snapshot(e);
    EXPECT_TRUE(e.Undo(5));
    EXPECT_EQ(t.position(), trigger);
    EXPECT_EQ(t.count(PileType::Home, 0), 13);
    EXPECT_EQ(t.count(PileType::Home, 1), 13);
    EXPECT_EQ(e.Array.TotalGoalCards(), 0);
    EXPECT_TRUE(e.Undo(5));
    EXPECT_EQ(snapshot(e), before);
    e.RedoAll(5);
    EXPECT_EQ(snapshot(e), home);
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Play, SpiderRuleRunsWithAutoplayOffAndChecksTheFoundationOrder)
{
    startQuiet("Double Spidercells", 100); // alternating colours
    ASSERT_EQ(e.Games.Order(PileType::Goal, 0), 5);
    t.place(t.topCard(PileType::Home, 9), 0, 0);
    t.place(t.topCard(PileType::Home, 9), 0, 0);
    ASSERT_GE(t.count(PileType::Home, 0), 13);
    const int16_t base = static_cast<int16_t>(t.top(PileType::Home, 0) - 12);
    for (int16_t k = 0; k < 13; ++k)
        t.faceAt(PileType::Home, 0, static_cast<int16_t>(base + k), k % 2 ? Hearts : Clubs,
                 static_cast<int16_t>(12 - k));
    const int16_t topCard = t.topCard(PileType::Home, 0);
    e.AutoPlay();
    EXPECT_EQ(t.count(PileType::Goal, e.GetCardSuitpile(topCard) % 4), 13);
    // The same suit all the way is no run here.
    startQuiet("Double Spidercells", 100);
    t.place(t.topCard(PileType::Home, 9), 0, 0);
    t.place(t.topCard(PileType::Home, 9), 0, 0);
    for (int16_t k = 0; k < 13; ++k)
        t.faceAt(PileType::Home, 0, static_cast<int16_t>(base + k), Clubs, static_cast<int16_t>(12 - k));
    e.AutoPlay();
    EXPECT_EQ(e.Array.TotalGoalCards(), 0);
}

TEST_F(Play, MilliganStockDealsOneCardToEveryPile)
{
    startQuiet("Milligan Cell", 100);
    ASSERT_EQ(t.count(PileType::Stock, 0), 96);
    std::vector<int> sizes;
    for (int16_t p = 0; p < 8; ++p)
        sizes.push_back(t.count(PileType::Home, p));
    const auto snap = snapshot(e);
    const int16_t stockTop = t.topCard(PileType::Stock, 0);
    t.press(t.at(PileType::Stock, 0, 3)); // any stock card
    EXPECT_FALSE(e.Dragging);
    for (int16_t p = 0; p < 8; ++p)
        EXPECT_EQ(t.count(PileType::Home, p), sizes[static_cast<size_t>(p)] + 1);
    EXPECT_EQ(t.count(PileType::Stock, 0), 88);
    EXPECT_EQ(t.topCard(PileType::Home, 0), stockTop); // in index order, top card first
    EXPECT_EQ(e.GetCardFaceMode(stockTop), 0);
    EXPECT_EQ(t.position(), 8);
    for (int32_t i = 1; i <= 8; ++i) {
        EXPECT_EQ(e.Trans->RecordAt(i).Mode, 1);
        EXPECT_EQ(e.Trans->RecordAt(i).Multi, i < 8 ? 1 : 0);
    }
    EXPECT_TRUE(e.Undo(5));
    EXPECT_EQ(t.position(), 0);
    EXPECT_EQ(snapshot(e), snap);
    EXPECT_EQ(e.GetCardFaceMode(stockTop), 1);
    EXPECT_TRUE(e.Redo(5));
    EXPECT_EQ(t.position(), 8);
    EXPECT_EQ(t.count(PileType::Stock, 0), 88);
    // The stock runs out after twelve presses.
    for (int k = 0; k < 15; ++k)
        if (t.count(PileType::Stock, 0) > 0)
            t.press(t.topCard(PileType::Stock, 0));
    EXPECT_EQ(t.count(PileType::Stock, 0), 0);
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Play, OasisOpenStockTopDrags)
{
    startQuiet("Oasis", 100);
    const int16_t top = t.topCard(PileType::Stock, 0);
    const int16_t under = t.at(PileType::Stock, 0, static_cast<int16_t>(t.top(PileType::Stock, 0) - 1));
    EXPECT_EQ(e.GetCardFaceMode(top), 0);
    e.CardMouseDown(under, 500, 700);
    EXPECT_FALSE(e.Dragging);
    e.CardMouseUp(under, 500, 700);
    t.faceAt(PileType::Home, 0, t.top(PileType::Home, 0), Spades, 8);
    t.faceAt(PileType::Stock, 0, t.top(PileType::Stock, 0), Hearts, 7);
    const int16_t stockCount = static_cast<int16_t>(t.count(PileType::Stock, 0));
    t.dragTo(top, PileType::Home, 0, t.top(PileType::Home, 0));
    EXPECT_EQ(e.GetCardCell(top), 0);
    EXPECT_EQ(t.count(PileType::Stock, 0), stockCount - 1);
    EXPECT_EQ(e.Trans->RecordAt(t.position()).FromCell, 1);
    EXPECT_TRUE(e.Undo(5));
    EXPECT_EQ(t.topCard(PileType::Stock, 0), top);
    EXPECT_EQ(e.GetCardFaceMode(top), 0);
    expectAtRest(top);
    // With autoplay on, an open stock's top card is offered to the foundations.
    t.faceAt(PileType::Stock, 0, t.top(PileType::Stock, 0), Clubs, 0);
    t.data().Autoplay(1);
    e.AutoPlay();
    EXPECT_EQ(e.GetCardCell(top), 3);
}

TEST_F(Play, CascadeStockToWasteAndBack)
{
    startQuiet("Cascade", 100);
    const int16_t top = t.topCard(PileType::Stock, 0);
    const int16_t under = t.at(PileType::Stock, 0, static_cast<int16_t>(t.top(PileType::Stock, 0) - 1));
    const auto snap = snapshot(e);
    t.press(under);
    EXPECT_EQ(snapshot(e), snap);
    t.press(top);
    EXPECT_FALSE(e.Dragging);
    EXPECT_EQ(e.GetCardCell(top), 2);
    EXPECT_EQ(e.GetCardFaceMode(top), 0);
    EXPECT_EQ(e.Trans->RecordAt(1).Mode, 1);
    EXPECT_TRUE(e.Undo(5));
    EXPECT_EQ(snapshot(e), snap);
    EXPECT_EQ(e.GetCardFaceMode(top), 1);
    EXPECT_TRUE(e.Redo(5));
    EXPECT_EQ(e.GetCardCell(top), 2);
    EXPECT_EQ(e.GetCardFaceMode(top), 0);
    // Only the waste's top card drags.
    t.press(under);
    EXPECT_EQ(t.count(PileType::Waste, 0), 2);
    e.CardMouseDown(top, 500, 700);
    EXPECT_FALSE(e.Dragging);
    e.CardMouseDown(under, 500, 700);
    EXPECT_TRUE(e.Dragging);
    e.CardMouseUp(under, 500, 700);
    EXPECT_EQ(t.topCard(PileType::Waste, 0), under);
    expectAtRest(under);
}

TEST_F(Play, OnlyTheTopCardOfAFoundationOrCellLifts)
{
    startQuiet("Freecell", 100);
    t.place(t.topCard(PileType::Home, 0), 3, 0);
    t.place(t.topCard(PileType::Home, 0), 3, 0);
    const int16_t lower = t.at(PileType::Goal, 0, 0), upper = t.at(PileType::Goal, 0, 1);
    e.CardMouseDown(lower, 500, 700);
    EXPECT_FALSE(e.Dragging);
    e.CardMouseDown(upper, 500, 700);
    EXPECT_TRUE(e.Dragging);
    e.CardMouseUp(upper, 500, 700);
    expectAtRest(upper);
    // A foundation card may come back to the table.
    t.faceAt(PileType::Goal, 0, 1, Hearts, 7);
    t.faceAt(PileType::Home, 1, t.top(PileType::Home, 1), Spades, 8);
    t.dragTo(upper, PileType::Home, 1, t.top(PileType::Home, 1));
    EXPECT_EQ(e.GetCardCell(upper), 0);
    EXPECT_EQ(t.count(PileType::Goal, 0), 1);
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Play, EmptyPilesTakeOnlyTheirRank)
{
    startQuiet("Penguin", 100);
    const int16_t rank = e.Games.EmptyNum();
    while (t.count(PileType::Home, 0) > 0)
        t.place(t.topCard(PileType::Home, 0), 0, 1);
    int16_t pile = 2;
    if (e.GetCardNum(t.topCard(PileType::Home, pile)) == rank)
        pile = 3;
    const int16_t c = t.topCard(PileType::Home, pile);
    const auto snap = snapshot(e);
    t.dragTo(c, PileType::Home, 0, -1);
    EXPECT_EQ(snapshot(e), snap);
    int k = 0;
    while (k < 52 && !(e.GetCardNum(k) == rank && e.GetCardCell(k) == PileType::Home))
        ++k;
    ASSERT_LT(k, 52);
    t.faceAt(PileType::Home, 4, t.top(PileType::Home, 4), e.GetCardSuit(k), rank);
    const int16_t fitting = t.topCard(PileType::Home, 4);
    t.dragTo(fitting, PileType::Home, 0, -1);
    EXPECT_EQ(e.GetCardPile(fitting), 0);
    EXPECT_EQ(e.GetCardPos(fitting), 0);
    expectAtRest(fitting);
}

TEST_F(Play, NothingMovesWithoutARunningGame)
{
    startQuiet("Freecell", 100);
    const int16_t c = t.topCard(PileType::Home, 0);
    e.EndGame(0);
    e.CardMouseDown(c, 500, 700);
    EXPECT_FALSE(e.Dragging);
    EXPECT_FALSE(e.Undo(5));
    EXPECT_FALSE(e.Redo(5));
    // A drag cut short by the end of the game does not survive it.
    startQuiet("Freecell", 100);
    e.CardMouseDown(t.topCard(PileType::Home, 0), 500, 700);
    EXPECT_TRUE(e.Dragging);
    EXPECT_FALSE(e.Undo(5)); // busy while dragging
    e.EndGame(0);
    EXPECT_FALSE(e.Dragging);
}

TEST(PlayLostRelease, APressAfterALostReleaseStartsAFreshDrag)
{
    TestTable t;
    t.d.data.Autoplay(0);
    t.start(QStringLiteral("Freecell"), 1);
    Engine &e = t.engine;
    // A card is lifted and moved, and its release never arrives.
    const int held = e.Array.GetTopPicID(PileType::Home, 0);
    const float left = e.Cards[static_cast<size_t>(held)].Left;
    const float top = e.Cards[static_cast<size_t>(held)].Top;
    e.CardMouseDown(held, 100, 100);
    ASSERT_TRUE(e.Dragging);
    e.CardMouseMove(held, 600, 900);
    // The next press is on a covered, buried card: it must lift nothing, and
    // the first card is back in its place.
    const int covered = e.Array.GetPicID(PileType::Home, 1, 0);
    e.CardMouseDown(covered, 100, 100);
    EXPECT_FALSE(e.Dragging);
    EXPECT_EQ(e.Cards[static_cast<size_t>(held)].Left, left);
    EXPECT_EQ(e.Cards[static_cast<size_t>(held)].Top, top);
    const float tx = e.Games.GetCordX(PileType::Res, 0, 0);
    const float ty = e.Games.GetCordY(PileType::Res, 0, 0);
    e.CardMouseMove(covered, tx - e.GetCardLeft(covered) + e.DragX, ty - e.GetCardTop(covered) + e.DragY);
    e.CardMouseUp(covered, 0, 0);
    EXPECT_EQ(e.GetCardCell(covered), 0);
    EXPECT_EQ(e.CheckModel(), QString());
    // A drag can also be cancelled from outside, as the table does when a
    // window opens over it.
    e.CardMouseDown(held, 100, 100);
    e.CardMouseMove(held, 900, 900);
    e.CancelDrag();
    EXPECT_FALSE(e.Dragging);
    EXPECT_EQ(e.Cards[static_cast<size_t>(held)].Left, left);
    EXPECT_EQ(e.CheckModel(), QString());
}

// The "Card Moving Speed" setting paces every move that has a step count of
// its own: the deal, drops, autoplay, stock to tableau and the waste turned
// back. Each animation step of a move is followed by one pause.
TEST(CardSpeed, PacesTheDealDropsAutoplayAndTheStock)
{
    struct Case {
        int16_t setting;
        int drop, stockDeal, wasteBack; // steps of one card's move
    };
    // 0 places every card at once; the default 5 keeps 3, 5 and 2 steps.
    const Case cases[] = {{0, 0, 0, 0}, {1, 1, 1, 1}, {5, 3, 5, 2}, {12, 7, 12, 5}, {50, 30, 50, 20}};
    for (const Case &k : cases) {
        SCOPED_TRACE(k.setting);
        const auto start = [&k](Table &t, const char *variant) {
            t.data().CardSpeed(k.setting);
            t.data().Autoplay(0);
            t.start(QString::fromUtf8(variant), 100);
        };
        {
            Table t;
            Engine &e = t.engine;
            start(t, "Freecell");
            EXPECT_EQ(t.view.pauses, 52 * k.drop); // the tableau is dealt as a drop moves
            t.view.pauses = 0;
            t.dragTo(t.topCard(PileType::Home, 0), 4, 0, 0);
            EXPECT_EQ(e.GetCardCell(t.at(PileType::Res, 0, 0)), 4);
            EXPECT_EQ(t.view.pauses, k.drop);
            // Autoplay: the Ace and the Two of hearts on two tableau tops go home.
            t.faceAt(PileType::Home, 1, t.top(PileType::Home, 1), Hearts, 0);
            t.faceAt(PileType::Home, 2, t.top(PileType::Home, 2), Hearts, 1);
            t.data().Autoplay(1);
            t.view.pauses = 0;
            const int16_t home = e.Array.TotalGoalCards();
            e.AutoPlay();
            ASSERT_GE(e.Array.TotalGoalCards(), home + 2);
            EXPECT_EQ(t.view.pauses, (e.Array.TotalGoalCards() - home) * k.drop);
            // Undo keeps the speed it is given.
            t.view.pauses = 0;
            EXPECT_TRUE(e.Undo(4));
            EXPECT_EQ(t.view.pauses, 4);
        }
        {
            Table t;
            start(t, "Milligan Cell");
            t.view.pauses = 0;
            t.press(t.topCard(PileType::Stock, 0));
            EXPECT_EQ(t.view.pauses, 8 * k.stockDeal); // one card onto each of the eight piles
        }
        {
            Table t;
            start(t, "Cascade");
            t.view.pauses = 0;
            t.press(t.topCard(PileType::Stock, 0));
            t.press(t.topCard(PileType::Stock, 0));
            EXPECT_EQ(t.count(PileType::Waste, 0), 2);
            EXPECT_EQ(t.view.pauses, 2 * k.drop); // stock to waste travels as a drop
            t.view.pauses = 0;
            t.engine.WasteToStock();
            EXPECT_EQ(t.count(PileType::Waste, 0), 0);
            EXPECT_EQ(t.view.pauses, 2 * k.wasteBack);
        }
    }
}
