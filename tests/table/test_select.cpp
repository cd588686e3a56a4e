#include "engine/catalogue.h"
#include "media/help.h"
#include "scriptedprompt.h"
#include "table/select.h"
#include "uitestutil.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

struct StartCall {
    QString name;
    GameNo number;
    bool selectorVisible = false;
    QString player;
};

// Settings with the catalogue, a start-game routine that only records, a
// fixed random number and previews whose top-left pixel tells their index.
struct Fixture {
    TestData d;
    RecordingHelp help;
    std::vector<StartCall> starts;
    std::vector<int> previews;
    ScriptedPrompt prompt;
    GameContext ctx;

    Fixture()
    {
        d.data.SetHelpViewer(&help);
        ctx.data = &d.data;
        ctx.prompt = &prompt;
        // The tests work on the open selector: it runs its own event loop.
        prompt.playDialog = ScriptedPrompt::exec;
        ctx.randomGameNo = [] { return GameNo::number(4711); };
        ctx.preview = [this](int index) {
            previews.push_back(index);
            QPixmap pm(318, 201);
            pm.fill(QColor(index, 10, 20));
            return pm;
        };
        ctx.startGame = [this](const QString &name, const GameNo &number) {
            frmSelect *s = frmSelect::instance();
            starts.push_back({name, number, s && s->isVisible(), d.data.CurPlayer()});
        };
    }
    void players(const QStringList &names, const QString &current)
    {
        for (int i = 0; i < names.size(); ++i)
            d.data.SetPlayer(static_cast<int16_t>(i + 1), names[i], false);
        d.data.CurPlayer(current);
    }
};

QTreeWidgetItem *child(frmSelect &s, const QString &name)
{
    QTreeWidgetItem *root = s.TreeView1->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i)
        if (root->child(i)->text(0) == name)
            return root->child(i);
    return nullptr;
}

void clickNode(frmSelect &s, QTreeWidgetItem *node)
{
    s.TreeView1->scrollToItem(node);
    const QRect r = s.TreeView1->visualItemRect(node);
    ASSERT_TRUE(r.isValid());
    QTest::mouseClick(s.TreeView1->viewport(), Qt::LeftButton, {}, r.center());
}

int previewIndex(const frmSelect &s)
{
    const QPixmap pm = s.imgPick->pixmap();
    return pm.isNull() ? -1 : qRed(pm.toImage().pixel(0, 0));
}

int visibleSelectors()
{
    int n = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<frmSelect *>(w) && w->isVisible())
            ++n;
    return n;
}

} // namespace

TEST(Select, FillsTreeAndPreselectsLastGame)
{
    Fixture f;
    f.d.data.LastGName(QStringLiteral("Penguin"));
    frmSelect s(f.ctx);
    EXPECT_EQ(s.windowTitle(), QStringLiteral("Tarnwick"));

    ASSERT_EQ(s.TreeView1->topLevelItemCount(), 1);
    QTreeWidgetItem *root = s.TreeView1->topLevelItem(0);
    EXPECT_EQ(root->text(0), QStringLiteral("Games"));
    EXPECT_EQ(root->data(0, frmSelect::KeyRole).toString(), QStringLiteral("m"));
    ASSERT_EQ(root->childCount(), frmGame::GameCount);
    for (int i = 0; i < frmGame::GameCount; ++i) {
        EXPECT_EQ(root->child(i)->text(0), frmGame::NameAt(static_cast<int16_t>(i + 1)));
        EXPECT_EQ(root->child(i)->data(0, frmSelect::TagRole).toInt(), i + 1);
        EXPECT_FALSE(root->child(i)->icon(0).isNull());
    }

    const int penguin = f.d.data.GetGameID(QStringLiteral("Penguin"));
    ASSERT_GT(penguin, 1);
    ASSERT_NE(s.TreeView1->currentItem(), nullptr);
    EXPECT_EQ(s.TreeView1->currentItem()->text(0), QStringLiteral("Penguin"));
    EXPECT_EQ(s.lblName->text(), QStringLiteral("Penguin"));
    EXPECT_EQ(previewIndex(s), penguin);
    EXPECT_EQ(s.imgPick->size(), QSize(318, 201));
    // Names show as they are, never as markup.
    EXPECT_TRUE(labelsReadingMarkup(s, QStringLiteral("Penguin")).isEmpty());
}

// Whether a node's row lies whole inside the tree's visible area.
bool rowShown(const frmSelect &s, QTreeWidgetItem *node)
{
    const QRect r = s.TreeView1->visualItemRect(node);
    return r.isValid() && s.TreeView1->viewport()->rect().contains(r);
}

// The tree opens with "Games" and the rows above the selection in sight,
// whenever the selection leaves room for them.
TEST(Select, TreeOpensWithTheRootAndTheSelectionInSight)
{
    Fixture f;
    for (const char *last : {"Avenue", "Bastion", "Cascade", "Double Cascade", "Freecell", "Zodiac"}) {
        f.d.data.LastGName(QString::fromLatin1(last));
        frmSelect s(f.ctx);
        s.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
        QTreeWidgetItem *root = s.TreeView1->topLevelItem(0);
        QTreeWidgetItem *selected = s.TreeView1->currentItem();
        ASSERT_NE(selected, nullptr);
        ASSERT_EQ(selected->text(0), QString::fromLatin1(last));
        EXPECT_TRUE(rowShown(s, selected)) << last;
        // Rows from the root down to the selection fit: all of them show.
        const int rowHeight = s.TreeView1->visualItemRect(root).height();
        ASSERT_GT(rowHeight, 0);
        const int rows = s.TreeView1->viewport()->height() / rowHeight;
        const int index = root->indexOfChild(selected) + 1; // the root is row 0
        if (index < rows) {
            EXPECT_TRUE(rowShown(s, root)) << last << ": the root is scrolled out of sight";
            EXPECT_EQ(s.TreeView1->visualItemRect(root).top(), 0) << last;
        }
        s.reject();
    }
}

TEST(Select, UnknownLastGameSelectsFirstVariant)
{
    Fixture f;
    f.d.data.LastGName(QStringLiteral("No Such Patience"));
    frmSelect s(f.ctx);
    ASSERT_NE(s.TreeView1->currentItem(), nullptr);
    EXPECT_EQ(s.TreeView1->currentItem()->text(0), frmGame::NameAt(1));
    EXPECT_EQ(s.lblName->text(), frmGame::NameAt(1));
    EXPECT_EQ(previewIndex(s), 1);

    // The compare is exact: a different case is no match either.
    f.d.data.LastGName(QStringLiteral("penguin"));
    frmSelect s2(f.ctx);
    EXPECT_EQ(s2.TreeView1->currentItem()->text(0), frmGame::NameAt(1));
}

TEST(Select, ClickingNodesUpdatesNameAndPreviewButRootChangesNothing)
{
    Fixture f;
    f.d.data.LastGName(QStringLiteral("Penguin"));
    frmSelect s(f.ctx);
    s.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));

    QTreeWidgetItem *root = s.TreeView1->topLevelItem(0);
    clickNode(s, root);
    EXPECT_EQ(s.TreeView1->currentItem(), root);
    EXPECT_EQ(s.lblName->text(), QStringLiteral("Penguin"));
    EXPECT_EQ(previewIndex(s), f.d.data.GetGameID(QStringLiteral("Penguin")));

    QTreeWidgetItem *freecell = child(s, QStringLiteral("Freecell"));
    ASSERT_NE(freecell, nullptr);
    clickNode(s, freecell);
    EXPECT_EQ(s.lblName->text(), QStringLiteral("Freecell"));
    EXPECT_EQ(previewIndex(s), f.d.data.GetGameID(QStringLiteral("Freecell")));
    s.reject();
}

TEST(Select, MissingPreviewLeavesPictureEmpty)
{
    Fixture f;
    f.ctx.preview = [](int) { return QPixmap(); };
    frmSelect s(f.ctx);
    EXPECT_TRUE(s.imgPick->pixmap().isNull());
    EXPECT_EQ(s.lblName->text(), frmGame::NameAt(1));
}

TEST(Select, PlayerBoxSelectsCurrentPlayerElseFirst)
{
    Fixture f;
    f.players({QStringLiteral("Ann"), QStringLiteral("Bob"), QStringLiteral("Cid")}, QStringLiteral("Bob"));
    {
        frmSelect s(f.ctx);
        ASSERT_EQ(s.imcPlayer->count(), 3);
        EXPECT_EQ(s.imcPlayer->itemText(2), QStringLiteral("Cid"));
        EXPECT_EQ(s.imcPlayer->currentText(), QStringLiteral("Bob"));
        EXPECT_FALSE(s.imcPlayer->itemIcon(0).isNull());
    }
    f.d.data.CurPlayer(QStringLiteral("bob"));
    frmSelect s(f.ctx);
    EXPECT_EQ(s.imcPlayer->currentText(), QStringLiteral("Ann"));
}

TEST(Select, PlayStartsChosenVariantWithRandomNumberAndChosenPlayer)
{
    Fixture f;
    f.players({QStringLiteral("Ann"), QStringLiteral("Bob")}, QStringLiteral("Ann"));
    frmSelect *s = frmSelect::showModeless(f.ctx);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(s));
    QPointer<frmSelect> guard(s);

    clickNode(*s, child(*s, QStringLiteral("Baker's Game")));
    s->imcPlayer->setCurrentIndex(1);
    QTest::mouseClick(s->cmdPlay, Qt::LeftButton);

    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].name, QStringLiteral("Baker's Game"));
    EXPECT_EQ(f.starts[0].number, GameNo::number(4711));
    EXPECT_FALSE(f.starts[0].selectorVisible) << "the selector must be hidden before the deal";
    EXPECT_EQ(f.starts[0].player, QStringLiteral("Bob"));
    EXPECT_EQ(f.d.data.CurPlayer(), QStringLiteral("Bob"));
    EXPECT_EQ(frmSelect::instance(), nullptr);
    EXPECT_EQ(visibleSelectors(), 0);
    // The modeless selector deletes itself once it is closed.
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

// Play starts nothing while "Games" or nothing is selected, so it is disabled
// then, and Return, which presses it, does nothing either.
TEST(Select, PlayWithRootSelectedStartsNothingAndStaysOpen)
{
    Fixture f;
    f.players({QStringLiteral("Ann")}, QStringLiteral("Ann"));
    frmSelect s(f.ctx);
    s.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
    EXPECT_TRUE(s.cmdPlay->isEnabled()); // a variant is preselected

    QTreeWidgetItem *root = s.TreeView1->topLevelItem(0);
    clickNode(s, root);
    ASSERT_EQ(s.TreeView1->currentItem(), root);
    EXPECT_FALSE(s.cmdPlay->isEnabled());
    QTest::mouseClick(s.cmdPlay, Qt::LeftButton);
    QTest::keyClick(s.TreeView1, Qt::Key_Return);
    QTest::keyClick(&s, Qt::Key_Return);
    EXPECT_TRUE(f.starts.empty());
    EXPECT_TRUE(s.isVisible());

    // Down to the first variant by keyboard, and back up to the root.
    QTest::keyClick(s.TreeView1, Qt::Key_Down);
    ASSERT_EQ(s.TreeView1->currentItem(), root->child(0));
    EXPECT_TRUE(s.cmdPlay->isEnabled());
    QTest::keyClick(s.TreeView1, Qt::Key_Up);
    EXPECT_FALSE(s.cmdPlay->isEnabled());
    s.TreeView1->setCurrentItem(nullptr);
    EXPECT_FALSE(s.cmdPlay->isEnabled());

    // A variant chosen afterwards still plays.
    clickNode(s, child(s, QStringLiteral("Penguin")));
    EXPECT_TRUE(s.cmdPlay->isEnabled());
    QTest::mouseClick(s.cmdPlay, Qt::LeftButton);
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].name, QStringLiteral("Penguin"));
    EXPECT_FALSE(s.isVisible());
}

TEST(Select, RulesShowsHelpOfSelectedVariantAndStaysOpen)
{
    Fixture f;
    f.d.data.LastGName(QStringLiteral("Penguin"));
    frmSelect s(f.ctx);
    s.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
    QTest::mouseClick(s.cmdRules, Qt::LeftButton);
    ASSERT_EQ(f.help.rules.size(), 1u);
    EXPECT_EQ(f.help.rules[0], f.d.data.GetGameID(QStringLiteral("Penguin")));
    EXPECT_TRUE(s.isVisible());
    EXPECT_TRUE(f.starts.empty());

    // The root names no variant: the help opens at its contents.
    clickNode(s, s.TreeView1->topLevelItem(0));
    QTest::mouseClick(s.cmdRules, Qt::LeftButton);
    EXPECT_EQ(f.help.rules.size(), 1u);
    EXPECT_EQ(f.help.contents, 1);
    EXPECT_TRUE(s.isVisible());
    s.reject();
}

// Opened with F3 the selector is modal; its Rules must still give a help
// window that comes up readable and takes input while the selector stays.
TEST(Select, RulesFromTheModalSelectorTakeInputWhileItStaysOpen)
{
    Fixture f;
    HelpWindow help;
    help.resize(500, 300); // a page longer than the window
    f.d.data.SetHelpViewer(&help);
    f.d.data.LastGName(QStringLiteral("Penguin"));
    QWidget owner;
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QPointer<HelpWindow> guard(&help);
    bool checked = false;
    const test::ModalWatchdog watchdog;
    QTimer::singleShot(0, [&] {
        frmSelect *s = frmSelect::instance();
        ASSERT_NE(s, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(s));
        QTest::mouseClick(s->cmdRules, Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
        EXPECT_EQ(help.CurrentPage(), HelpWindow::PageFor(f.d.data.GetGameID(QStringLiteral("Penguin"))));
        EXPECT_TRUE(tw::test::helpScrollsWithKeys(help)) << "the help window is blocked by the selector";
        EXPECT_TRUE(s->isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), s);
        // A second request while it is open keeps it usable.
        QTest::mouseClick(s->cmdRules, Qt::LeftButton);
        EXPECT_TRUE(tw::test::helpScrollsWithKeys(help));
        checked = true;
        s->reject();
    });
    EXPECT_EQ(frmSelect::showModal(f.ctx, &owner), int(QDialog::Rejected));
    EXPECT_TRUE(checked);
    // The selector is gone; the help outlives it, still open and usable.
    ASSERT_FALSE(guard.isNull());
    EXPECT_TRUE(help.isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    EXPECT_TRUE(tw::test::helpScrollsWithKeys(help));
    f.d.data.SetHelpViewer(&f.help);
}

TEST(Select, CancelAndCloseBoxChangeNothing)
{
    Fixture f;
    f.players({QStringLiteral("Ann"), QStringLiteral("Bob")}, QStringLiteral("Ann"));
    f.d.data.LastGName(QStringLiteral("Penguin"));
    for (int way = 0; way < 2; ++way) {
        frmSelect s(f.ctx);
        s.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
        clickNode(s, child(s, QStringLiteral("Freecell")));
        s.imcPlayer->setCurrentIndex(1);
        if (way == 0)
            QTest::mouseClick(s.cmdCancel, Qt::LeftButton);
        else
            s.close();
        EXPECT_FALSE(s.isVisible());
        EXPECT_TRUE(f.starts.empty());
        EXPECT_EQ(f.d.data.CurPlayer(), QStringLiteral("Ann"));
        EXPECT_EQ(f.d.data.LastGName(), QStringLiteral("Penguin"));
        EXPECT_EQ(f.d.data.TotalPlayers(), 2);
    }
}

TEST(Select, NoPlayersCreatesPlayer1OnPlay)
{
    Fixture f;
    ASSERT_EQ(f.d.data.TotalPlayers(), 0);
    frmSelect s(f.ctx);
    EXPECT_EQ(s.imcPlayer->count(), 0);
    s.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
    QTest::mouseClick(s.cmdPlay, Qt::LeftButton);
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].player, QStringLiteral("Player1"));
    EXPECT_EQ(f.d.data.GetPlayer(1), QStringLiteral("Player1"));
    EXPECT_EQ(f.d.data.CurPlayer(), QStringLiteral("Player1"));
    EXPECT_EQ(f.d.data.TotalPlayers(), 1);
}

TEST(Select, CancelWithNoPlayersCreatesNone)
{
    Fixture f;
    frmSelect s(f.ctx);
    s.show();
    QTest::mouseClick(s.cmdCancel, Qt::LeftButton);
    EXPECT_EQ(f.d.data.TotalPlayers(), 0);
    EXPECT_EQ(f.d.data.CurPlayer(), QString());
}

TEST(Select, OneInstanceModelessThenModalFromMenu)
{
    Fixture f;
    f.players({QStringLiteral("Ann")}, QStringLiteral("Ann"));
    QWidget owner;
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));

    frmSelect *first = frmSelect::showModeless(f.ctx);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_EQ(first->windowModality(), Qt::NonModal);
    EXPECT_EQ(frmSelect::showModeless(f.ctx), first) << "a second start-up call must not open another";
    EXPECT_EQ(visibleSelectors(), 1);

    // A player added meanwhile shows in the window opened from the menu.
    f.d.data.SetPlayer(2, QStringLiteral("Bob"), false);
    QPointer<frmSelect> firstGuard(first);
    bool checked = false;
    const test::ModalWatchdog watchdog;
    QTimer::singleShot(0, [&] {
        frmSelect *s = frmSelect::instance();
        ASSERT_NE(s, nullptr);
        EXPECT_NE(s, firstGuard.data());
        EXPECT_EQ(s->parentWidget(), &owner);
        EXPECT_NE(s->windowModality(), Qt::NonModal);
        EXPECT_EQ(visibleSelectors(), 1);
        EXPECT_EQ(s->imcPlayer->count(), 2);
        // Asking again while it is open neither errs nor opens another.
        EXPECT_EQ(frmSelect::showModal(f.ctx, &owner), int(QDialog::Rejected));
        EXPECT_EQ(visibleSelectors(), 1);
        checked = true;
        QTest::mouseClick(s->cmdPlay, Qt::LeftButton);
    });
    const int r = frmSelect::showModal(f.ctx, &owner);
    EXPECT_TRUE(checked);
    EXPECT_EQ(r, int(QDialog::Accepted));
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(frmSelect::instance(), nullptr);
    EXPECT_EQ(visibleSelectors(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(firstGuard.isNull());
}

TEST(Select, ModalCancelLeavesNoInstance)
{
    Fixture f;
    const test::ModalWatchdog watchdog;
    QTimer::singleShot(0, [] {
        frmSelect *s = frmSelect::instance();
        ASSERT_NE(s, nullptr);
        QTest::mouseClick(s->cmdCancel, Qt::LeftButton);
    });
    EXPECT_EQ(frmSelect::showModal(f.ctx, nullptr), int(QDialog::Rejected));
    EXPECT_EQ(frmSelect::instance(), nullptr);
    EXPECT_TRUE(f.starts.empty());
}

TEST(SelectWhileDealing, PlayChangesNothingWhileADealIsLaidOut)
{
    tw::test::TestData d;
    d.data.SetPlayer(1, QStringLiteral("Ann"), true);
    d.data.SetPlayer(2, QStringLiteral("Bob"), false);
    int starts = 0;
    tw::GameContext ctx;
    ctx.data = &d.data;
    ctx.startGame = [&](const QString &, const tw::GameNo &) { ++starts; };
    ctx.randomGameNo = [] { return tw::GameNo::number(5); };
    ctx.busy = [] { return true; };
    tw::frmSelect s(ctx, nullptr);
    s.imcPlayer->setCurrentIndex(1);
    s.cmdPlay->click();
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("Ann"));
}
