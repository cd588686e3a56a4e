// The move journal: undo, redo, groups, growth and the history rows.
#include "enginetest.h"

using namespace tw;
using namespace tw::test;

namespace {

enum : int16_t { Hearts = 0, Spades = 1, Diamonds = 2, Clubs = 3 };

struct Journal : ::testing::Test {
    Table t;
    Engine &e = t.engine;
    void SetUp() override
    {
        t.data().Autoplay(0);
        t.start(QStringLiteral("Freecell"), 100);
    }
    // One journalled move of a tableau top card to a cell or pile.
    void move(int16_t fromPile, int16_t cell, int16_t pile)
    {
        int32_t mode = 0;
        e.Array.MoveCard(t.topCard(PileType::Home, fromPile), cell, pile, static_cast<int16_t>(t.top(cell, pile) + 1),
                         mode, 0, 0, false);
    }
    // Animation steps of each placement since the last call, in order.
    std::vector<int> speeds()
    {
        std::vector<int> s;
        int last = -2, n = 0;
        for (int c : t.view.repaintedCards) {
            if (c != last && n > 0) {
                s.push_back(n - 1);
                n = 0;
            }
            last = c;
            ++n;
        }
        if (n > 0)
            s.push_back(n - 1);
        t.view.repaintedCards.clear();
        return s;
    }
    int undoSounds() const { return static_cast<int>(t.sound.played.count(QStringLiteral("UNDO"))); }
};

} // namespace

TEST_F(Journal, UndoAndRedoAtTheEndsDoNothing)
{
    const auto snap = snapshot(e);
    int16_t speed = 5;
    bool done = true;
    done = e.Trans->Undo(speed);
    EXPECT_FALSE(done);
    EXPECT_FALSE(e.Undo(5));
    EXPECT_EQ(snapshot(e), snap);
    done = true;
    done = e.Trans->Redo(speed);
    EXPECT_FALSE(done);
    EXPECT_FALSE(e.Redo(5));
    EXPECT_FALSE(e.Trans->UndoPossible());
    EXPECT_FALSE(e.Trans->RedoPossible());
    move(0, 4, 0);
    EXPECT_FALSE(e.Redo(5));
    EXPECT_EQ(t.position(), 1);
    EXPECT_TRUE(e.Undo(5));
    EXPECT_FALSE(e.Undo(5));
    EXPECT_EQ(snapshot(e), snap);
}

TEST_F(Journal, ANewMoveDropsTheUndoneMoves)
{
    move(0, 4, 0);
    move(1, 4, 1);
    move(2, 4, 2);
    EXPECT_TRUE(e.Undo(5));
    EXPECT_TRUE(e.Undo(5));
    EXPECT_TRUE(e.Trans->RedoPossible());
    EXPECT_EQ(e.Trans->Last(), 3);
    move(3, 4, 3);
    EXPECT_EQ(e.Trans->Last(), 2);
    EXPECT_EQ(t.position(), 2);
    EXPECT_FALSE(e.Trans->RedoPossible());
    EXPECT_TRUE(e.Trans->UndoPossible());
    EXPECT_EQ(e.Trans->RecordAt(2).Card, t.topCard(PileType::Res, 3));
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Journal, RecordsKeepTheirPlacesAsTheJournalGrows)
{
    EXPECT_EQ(e.Trans->Capacity(), 100);
    // Shuttle one card between two cells: 250 moves.
    const int16_t card = t.topCard(PileType::Home, 0);
    for (int i = 0; i < 250; ++i) {
        int32_t mode = 0;
        e.Array.MoveCard(card, PileType::Res, static_cast<int16_t>((i + 1) % 2), 0, mode, 0, 0, false);
        if (i == 100) {
            EXPECT_EQ(e.Trans->Capacity(), 200);
        }
    }
    EXPECT_EQ(e.Trans->Capacity(), 300);
    EXPECT_EQ(t.position(), 250);
    EXPECT_EQ(e.Trans->GetTransID(), 250);
    EXPECT_EQ(e.Trans->RecordAt(1).FromCell, 0);
    EXPECT_EQ(e.Trans->RecordAt(1).ToCell, 4);
    EXPECT_EQ(e.Trans->RecordAt(1).ToPile, 1);
    for (int32_t i = 2; i <= 250; ++i) {
        ASSERT_EQ(e.Trans->RecordAt(i).FromCell, 4);
        ASSERT_EQ(e.Trans->RecordAt(i).ToPile, (i) % 2);
        ASSERT_EQ(e.Trans->RecordAt(i).Card, card);
    }
    const auto end = snapshot(e);
    e.UndoAll(2);
    EXPECT_EQ(t.position(), 0);
    EXPECT_EQ(e.GetCardCell(card), 0);
    e.RedoAll(2);
    EXPECT_EQ(t.position(), 250);
    EXPECT_EQ(snapshot(e), end);
    EXPECT_EQ(e.Trans->RecordAt(0).Card, 0);
    EXPECT_EQ(e.Trans->RecordAt(0).Multi, 0);
}

TEST_F(Journal, GroupUndoesAtTheCallersSpeedThenFour)
{
    move(7, 0, 0); // a single move first
    e.Trans->StartMulti();
    move(1, 4, 0);
    move(2, 4, 1);
    move(3, 4, 2);
    e.Trans->EndMulti();
    EXPECT_EQ(e.Trans->RecordAt(2).Multi, 1);
    EXPECT_EQ(e.Trans->RecordAt(3).Multi, 1);
    EXPECT_EQ(e.Trans->RecordAt(4).Multi, 0);

    t.view.repaintedCards.clear();
    t.sound.played.clear();
    int16_t speed = 8;
    bool done = false;
    done = e.Trans->Undo(speed);
    EXPECT_TRUE(done);
    EXPECT_EQ(t.position(), 1);
    EXPECT_EQ(speed, 4); // the caller's copy was forced down
    EXPECT_EQ(speeds(), (std::vector<int>{8, 4, 4}));
    EXPECT_EQ(undoSounds(), 1);

    // Redo: the first record at the caller's speed, the rest at 4.
    speed = 8;
    done = e.Trans->Redo(speed);
    EXPECT_TRUE(done);
    EXPECT_EQ(t.position(), 4);
    EXPECT_EQ(speeds(), (std::vector<int>{8, 4, 4}));
    EXPECT_EQ(undoSounds(), 2); // "Redo" plays the undo sound

    // At speed 4 or below no sound, and a plain record keeps its speed.
    e.Undo(4);
    EXPECT_EQ(speeds(), (std::vector<int>{4, 4, 4}));
    EXPECT_EQ(undoSounds(), 2);
    e.Undo(3);
    EXPECT_EQ(speeds(), (std::vector<int>{3}));
    EXPECT_EQ(t.position(), 0);
    e.Redo(5);
    EXPECT_EQ(speeds(), (std::vector<int>{5}));
    EXPECT_EQ(undoSounds(), 3);
    t.data().SoundUndo(0);
    t.data().SoundRedo(0);
    e.Redo(6);
    EXPECT_EQ(undoSounds(), 3);
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Journal, UndoAllAfterAGroupRunsAtFourSilently)
{
    move(7, 0, 0);
    move(6, 0, 5);
    e.Trans->StartMulti();
    move(1, 4, 0);
    move(2, 4, 1);
    move(3, 4, 2);
    e.Trans->EndMulti();
    t.view.repaintedCards.clear();
    t.sound.played.clear();
    e.UndoAll(8);
    EXPECT_EQ(t.position(), 0);
    EXPECT_EQ(speeds(), (std::vector<int>{8, 4, 4, 4, 4}));
    EXPECT_EQ(undoSounds(), 1);
    // Redo All from the start: the singles at the caller's speed until the
    // group forces 4.
    e.RedoAll(8);
    EXPECT_EQ(t.position(), 5);
    EXPECT_EQ(speeds(), (std::vector<int>{8, 8, 8, 4, 4}));
    EXPECT_EQ(undoSounds(), 4);
}

TEST_F(Journal, NestedGroupsJoinTheOuterOne)
{
    e.Trans->StartMulti();
    move(1, 4, 0);
    e.Trans->StartMulti();
    move(2, 4, 1);
    e.Trans->EndMulti();
    move(3, 4, 2);
    e.Trans->EndMulti();
    EXPECT_EQ(e.Trans->RecordAt(1).Multi, 1);
    EXPECT_EQ(e.Trans->RecordAt(2).Multi, 1);
    EXPECT_EQ(e.Trans->RecordAt(3).Multi, 0);
    EXPECT_TRUE(e.Undo(5));
    EXPECT_EQ(t.position(), 0);
}

TEST_F(Journal, RedoOfAnUnclosedGroupReportsDone)
{
    e.Trans->StartMulti();
    move(1, 4, 0);
    move(2, 4, 1);
    // No EndMulti: the journal ends inside the group.
    int16_t speed = 5;
    bool done = false;
    done = e.Trans->Undo(speed);
    EXPECT_TRUE(done);
    EXPECT_EQ(t.position(), 0);
    speed = 5;
    done = e.Trans->Redo(speed);
    EXPECT_TRUE(done);
    EXPECT_EQ(t.position(), 2);
    e.Trans->EndMulti();
}

TEST_F(Journal, StockAndWasteFacesComeBack)
{
    t.start(QStringLiteral("Cascade"), 100);
    const int16_t card = t.topCard(PileType::Stock, 0);
    t.press(card);
    ASSERT_EQ(e.GetCardCell(card), 2);
    // Turn the waste back by hand, as the waste-to-stock action does.
    e.WasteToStock();
    EXPECT_EQ(e.GetCardCell(card), 1);
    EXPECT_EQ(e.GetCardFaceMode(card), 1);
    EXPECT_EQ(e.Trans->RecordAt(2).Mode, 2);
    EXPECT_TRUE(e.Undo(5)); // mode 2 undone: face up on the waste
    EXPECT_EQ(e.GetCardCell(card), 2);
    EXPECT_EQ(e.GetCardFaceMode(card), 0);
    EXPECT_TRUE(e.Undo(5)); // mode 1 undone: face down on the stock
    EXPECT_EQ(e.GetCardCell(card), 1);
    EXPECT_EQ(e.GetCardFaceMode(card), 1);
    EXPECT_TRUE(e.Redo(5));
    EXPECT_EQ(e.GetCardFaceMode(card), 0);
    EXPECT_TRUE(e.Redo(5));
    EXPECT_EQ(e.GetCardFaceMode(card), 1);
    EXPECT_EQ(e.GetCardCell(card), 1);
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST_F(Journal, HistoryRows)
{
    EXPECT_TRUE(e.Trans->CreateLV().empty());
    // The second card of pile 1 with the five on it, to the bottom of the
    // third foundation.
    const int16_t card = t.at(PileType::Home, 0, 1);
    int32_t mode = 2;
    e.Array.MoveCard(card, PileType::Goal, 2, 0, mode, 0, static_cast<int16_t>(t.top(PileType::Home, 0) - 1), false);
    move(1, 4, 3);
    move(2, 4, 0);
    EXPECT_TRUE(e.Undo(5));
    const std::vector<HistoryRow> rows = e.Trans->CreateLV();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Number, QStringLiteral("1"));
    EXPECT_EQ(rows[0].Source, QStringLiteral("Tableau (Pile 1, Card 2)"));
    EXPECT_EQ(rows[0].Destination, QStringLiteral("Foundation (Pile 3, Card 1)"));
    EXPECT_EQ(rows[0].Cards, QStringLiteral("6"));
    EXPECT_EQ(rows[0].style, HistoryRow::Normal);
    EXPECT_EQ(rows[1].Destination, QStringLiteral("Reserve (Pile 4, Card 1)"));
    EXPECT_EQ(rows[1].Cards, QStringLiteral("1"));
    EXPECT_EQ(rows[1].style, HistoryRow::LastMove);
    EXPECT_EQ(rows[2].style, HistoryRow::Undone);
    EXPECT_EQ(cTrans::ConvertCell(1), QStringLiteral("Stock"));
    EXPECT_EQ(cTrans::ConvertCell(2), QStringLiteral("Waste"));
    EXPECT_EQ(cTrans::ConvertCell(5), QString());
    EXPECT_EQ(cTrans::ConvertCell(-1), QString());
}

TEST_F(Journal, MoveCountIncludesAutoplay)
{
    // Under the card dropped: the Two and Ace of hearts, which autoplay takes.
    t.faceAt(PileType::Home, 5, 3, Hearts, 1);
    t.faceAt(PileType::Home, 5, 4, Hearts, 0);
    t.faceAt(PileType::Home, 5, 5, Hearts, 7);
    t.faceAt(PileType::Home, 1, 6, Clubs, 8);
    t.data().Autoplay(1);
    const int16_t c = t.topCard(PileType::Home, 5);
    t.dragTo(c, PileType::Home, 1, 6);
    ASSERT_EQ(e.GetCardPile(c), 1);
    const int home = e.Array.TotalGoalCards();
    EXPECT_GE(home, 2);
    EXPECT_EQ(t.position(), 1 + home);
    t.engine.SampleStatus();
    EXPECT_EQ(t.data().CurMoves(), 1 + home);
    EXPECT_TRUE(e.Undo(5));
    EXPECT_EQ(t.position(), home);
    EXPECT_EQ(e.Array.TotalGoalCards(), home - 1); // undo does not autoplay again
}
