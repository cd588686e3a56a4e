#include "engine/journal.h"
#include "table/history.h"
#include "testutil.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

const QColor DarkRed(128, 0, 0);
const QColor Olive(128, 128, 0);

QString place(const QString &cell, int pile, int card)
{
    return QStringLiteral("%1 (Pile %2, Card %3)").arg(cell).arg(pile).arg(card);
}

// A Freecell deal without autoplay, so that the journal holds only the moves
// a test makes.
struct Game {
    TestTable t;
    Game()
    {
        t.d.data.Autoplay(0);
        t.start(QStringLiteral("Freecell"), 617);
    }
    // Moves Count + 1 cards, the lowest of them at (cell, pile, pos), onto a place.
    void move(int16_t pile, int16_t pos, int16_t toCell, int16_t toPile, int16_t toPos, int16_t count)
    {
        const int16_t card = t.engine.Array.GetPicID(PileType::Home, pile, pos);
        ASSERT_GE(card, 0);
        int32_t mode = 0;
        t.engine.Array.MoveCard(card, toCell, toPile, toPos, mode, 0, count, false);
    }
};

QColor textColour(const QTreeWidgetItem *item, int column) { return item->foreground(column).color(); }

} // namespace

TEST(History, WindowLayout)
{
    Game g;
    frmHistory h(*g.t.engine.Trans);
    EXPECT_EQ(h.windowTitle(), QStringLiteral("Game History"));
    EXPECT_TRUE(h.isModal());
    ASSERT_EQ(h.lvHistory->columnCount(), 4);
    const QTreeWidgetItem *header = h.lvHistory->headerItem();
    EXPECT_EQ(header->text(0), QString());
    EXPECT_EQ(header->text(1), QStringLiteral("Source"));
    EXPECT_EQ(header->text(2), QStringLiteral("Destination"));
    EXPECT_EQ(header->text(3), QStringLiteral("Cards"));
    EXPECT_FALSE(h.lvHistory->rootIsDecorated());
    EXPECT_EQ(h.lvHistory->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(h.Label1->text(), QStringLiteral("Undo"));
    EXPECT_EQ(h.Label2->text(), QStringLiteral("Last Move"));
    EXPECT_EQ(h.Shape1->pixmap().toImage().pixelColor(5, 5), Olive);
    EXPECT_EQ(h.Shape2->pixmap().toImage().pixelColor(5, 5), DarkRed);
    EXPECT_EQ(h.cmdClose->text(), QStringLiteral("Close"));
}

TEST(History, DealWithoutMovesShowsEmptyList)
{
    Game g;
    ASSERT_EQ(g.t.engine.Trans->Last(), 0);
    frmHistory h(*g.t.engine.Trans);
    EXPECT_EQ(h.lvHistory->topLevelItemCount(), 0);
}

TEST(History, RowsTextsAndColoursAfterMovesAndUndo)
{
    Game g;
    Engine &e = g.t.engine;
    ASSERT_TRUE(g.t.d.data.GameRunning());
    const int16_t top0 = e.Array.GetTop(PileType::Home, 0);
    const int16_t top1 = e.Array.GetTop(PileType::Home, 1);
    const int16_t top3 = e.Array.GetTop(PileType::Home, 3);
    const int16_t top4 = e.Array.GetTop(PileType::Home, 4);
    ASSERT_GE(top3, 2);

    g.move(0, top0, 4, 0, 0, 0);                                                        // tableau 1 to reserve 1
    g.move(1, top1, 4, 2, 0, 0);                                                        // tableau 2 to reserve 3
    g.move(3, static_cast<int16_t>(top3 - 2), 0, 4, static_cast<int16_t>(top4 + 1), 2); // three cards, tableau 4 to 5
    g.move(0, static_cast<int16_t>(top0 - 1), 4, 1, 0, 0);                              // tableau 1 to reserve 2
    ASSERT_EQ(e.Trans->Last(), 4);
    ASSERT_TRUE(e.Undo(0));
    ASSERT_TRUE(e.Undo(0));
    ASSERT_EQ(e.Trans->Position(), 2);
    ASSERT_EQ(e.CheckModel(), QString());

    frmHistory h(*e.Trans);
    h.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&h));
    ASSERT_EQ(h.lvHistory->topLevelItemCount(), 4);

    const QTreeWidgetItem *r1 = h.lvHistory->topLevelItem(0);
    const QTreeWidgetItem *r2 = h.lvHistory->topLevelItem(1);
    const QTreeWidgetItem *r3 = h.lvHistory->topLevelItem(2);
    const QTreeWidgetItem *r4 = h.lvHistory->topLevelItem(3);

    EXPECT_EQ(r1->text(0), QStringLiteral("1"));
    EXPECT_EQ(r1->text(1), place(QStringLiteral("Tableau"), 1, top0 + 1));
    EXPECT_EQ(r1->text(2), QStringLiteral("Reserve (Pile 1, Card 1)"));
    EXPECT_EQ(r1->text(3), QStringLiteral("1"));
    EXPECT_EQ(r2->text(0), QStringLiteral("2"));
    EXPECT_EQ(r2->text(1), place(QStringLiteral("Tableau"), 2, top1 + 1));
    EXPECT_EQ(r2->text(2), QStringLiteral("Reserve (Pile 3, Card 1)"));
    EXPECT_EQ(r3->text(0), QStringLiteral("3"));
    EXPECT_EQ(r3->text(1), place(QStringLiteral("Tableau"), 4, top3 - 1));
    EXPECT_EQ(r3->text(2), place(QStringLiteral("Tableau"), 5, top4 + 2));
    EXPECT_EQ(r3->text(3), QStringLiteral("3"));
    EXPECT_EQ(r4->text(0), QStringLiteral("4"));
    EXPECT_EQ(r4->text(1), place(QStringLiteral("Tableau"), 1, top0));
    EXPECT_EQ(r4->text(2), QStringLiteral("Reserve (Pile 2, Card 1)"));

    for (int c = 0; c < 4; ++c) {
        // The move before the last one keeps the list's own colour and weight.
        EXPECT_EQ(r1->foreground(c).style(), Qt::NoBrush) << c;
        EXPECT_FALSE(r1->font(c).bold()) << c;
        // The last move done.
        EXPECT_EQ(textColour(r2, c), DarkRed) << c;
        EXPECT_TRUE(r2->font(c).bold()) << c;
        // Undone moves.
        EXPECT_EQ(textColour(r3, c), Olive) << c;
        EXPECT_FALSE(r3->font(c).bold()) << c;
        EXPECT_EQ(textColour(r4, c), Olive) << c;
    }
    EXPECT_FALSE(r1->icon(0).isNull());
    EXPECT_FALSE(r4->icon(0).isNull());

    // Choosing a row does nothing; Close closes.
    QTest::mouseClick(h.lvHistory->viewport(), Qt::LeftButton, {}, h.lvHistory->visualItemRect(r1).center());
    EXPECT_EQ(h.lvHistory->topLevelItemCount(), 4);
    EXPECT_TRUE(h.isVisible());
    QTest::mouseClick(h.cmdClose, Qt::LeftButton);
    EXPECT_FALSE(h.isVisible());
}

TEST(History, AllUndoneLeavesNoLastMove)
{
    Game g;
    Engine &e = g.t.engine;
    g.move(0, e.Array.GetTop(PileType::Home, 0), 4, 0, 0, 0);
    ASSERT_TRUE(e.Undo(0));
    frmHistory h(*e.Trans);
    ASSERT_EQ(h.lvHistory->topLevelItemCount(), 1);
    const QTreeWidgetItem *r1 = h.lvHistory->topLevelItem(0);
    EXPECT_EQ(textColour(r1, 0), Olive);
    EXPECT_FALSE(r1->font(0).bold());

    // Redone, it is the last move again.
    ASSERT_TRUE(e.Redo(0));
    frmHistory h2(*e.Trans);
    const QTreeWidgetItem *r = h2.lvHistory->topLevelItem(0);
    EXPECT_EQ(textColour(r, 3), DarkRed);
    EXPECT_TRUE(r->font(3).bold());
}
