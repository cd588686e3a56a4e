#include "engine/catalogue.h"
#include "engine/numeric.h"
#include "records/score.h"
#include "settings/artwork.h"
#include "settings/resources.h"
#include "table/appcontext.h"
#include "table/mainwindow.h"
#include "table/qtprompt.h"
#include "table/splash.h"
#include "scriptedprompt.h"
#include "testutil.h"

#include <QAction>
#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

struct Table {
    Table()
    {
        d.data.SetAppDataLookup([this] { return dir.path(); });
        // Windows opened from the menus run for real; boxes are recorded.
        prompt.playDialog = ScriptedPrompt::exec;
        w = std::make_unique<frmMain>(d.data, prompt);
        w->setAnimationDelay(0);
        w->resize(1100, 850);
        w->show();
    }
    QTemporaryDir dir;
    TestData d;
    ScriptedPrompt prompt;
    std::unique_ptr<frmMain> w;
    Engine &e() { return w->engine(); }
};

void sendMouse(QWidget *target, QEvent::Type type, QPointF local, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent ev(type, local, target->mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &ev);
}

// Drags a card with press, moves and release on its control, so that it ends
// with its top-left corner at table pixel `to`.
void dragCard(frmMain &w, int card, QPoint to)
{
    QelCard *c = w.PicCards(card);
    const QPointF grab(30, 20);
    sendMouse(c, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    const QPoint from = c->pos();
    for (int step = 1; step <= 4; ++step) {
        const QPoint target = from + (to - from) * step / 4;
        const QPointF local = grab + QPointF(target - c->pos());
        sendMouse(c, QEvent::MouseMove, local, Qt::LeftButton);
    }
    sendMouse(c, QEvent::MouseButtonRelease, grab, Qt::NoButton);
}

QString text(QAction *a)
{
    return a ? a->text() : QStringLiteral("<none>");
}

} // namespace

TEST(MainWindow, MenusCaptionsAndShortcuts)
{
    Table t;
    frmMain &w = *t.w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarnwick"));
    EXPECT_EQ(text(w.fileItem(1)), QStringLiteral("&New Game"));
    EXPECT_EQ(w.fileItem(1)->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(text(w.fileItem(2)), QStringLiteral("&Select Game"));
    EXPECT_EQ(w.fileItem(4)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F2));
    EXPECT_EQ(text(w.fileItem(7)), QStringLiteral("Select a Number"));
    EXPECT_EQ(w.fileItem(7)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F12));
    EXPECT_EQ(text(w.fileItem(11)), QStringLiteral("E&xit"));
    EXPECT_TRUE(w.fileItem(3)->isSeparator());
    EXPECT_EQ(w.gameItem(2)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(w.gameItem(6)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(w.gameItem(7)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_EQ(text(w.gameItem(9)), QStringLiteral("View Toolbar"));
    EXPECT_EQ(w.replayItem(1)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    EXPECT_EQ(text(w.replayItem(6)), QStringLiteral("Sto&p"));
    EXPECT_EQ(text(w.favItem(1)), QStringLiteral("&Add to Favorites"));
    EXPECT_EQ(w.statItem(4)->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(text(w.toolsItem(5)), QStringLiteral("&History"));
    EXPECT_EQ(w.toolsItem(5)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
    EXPECT_EQ(text(w.helpItem(4)), QStringLiteral("About Tarnwick..."));
    EXPECT_EQ(w.toolButton(5)->toolTip(), QStringLiteral("Autoplay"));
    EXPECT_EQ(w.toolButton(11)->data().toString(), QStringLiteral("ReplayStop"));
    for (int sep : {4, 6, 9, 13, 15})
        EXPECT_TRUE(w.toolButton(sep)->isSeparator()) << sep;
}

TEST(MainWindow, NoGameDisablesGameItemsAndShowsNoStatus)
{
    Table t;
    frmMain &w = *t.w;
    w.tmrMain_Timer();
    w.tmrTime_Timer();
    for (QAction *a : {w.fileItem(4), w.fileItem(5), w.favItem(1), w.toolsItem(5), w.gameItem(1), w.gameItem(2),
                       w.gameItem(6), w.gameItem(7), w.replayItem(1), w.replayItem(2), w.replayItem(4),
                       w.replayItem(6)})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(w.fileItem(1)->isEnabled());
    EXPECT_FALSE(w.toolButton(3)->isEnabled());
    EXPECT_EQ(w.mScore()->text(), QString());
    EXPECT_EQ(w.mTime()->text(), QString());
    // A press on a card with no game does nothing.
    const float before = t.e().Cards[0].Left;
    t.e().CardMouseDown(0, 10, 10);
    EXPECT_FALSE(t.e().Dragging);
    EXPECT_EQ(t.e().Cards[0].Left, before);
    // The empty recent item starts nothing.
    w.mRecent_Click(1);
    EXPECT_FALSE(t.d.data.GameRunning());
}

TEST(MainWindow, StatusTextsAfterATick)
{
    Table t;
    frmMain &w = *t.w;
    w.startGame(QStringLiteral("Freecell"), GameNo::number(7));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarnwick [Freecell] [Player1] [7]"));
    w.tmrTime_Timer();
    EXPECT_TRUE(w.mScore()->text().startsWith(QStringLiteral("Score :")));
    EXPECT_EQ(w.mTime()->text(), QStringLiteral("Time :0:00:00"));
    EXPECT_EQ(w.mMoves()->text(), QStringLiteral("Moves :") + QString::number(t.e().Trans->GetTransID()));
    t.d.data.ShowScore(0);
    w.tmrTime_Timer();
    EXPECT_EQ(w.mScore()->text(), QString());
    EXPECT_EQ(t.d.data.CurScore(), t.e().CalcScore());
    w.tmrMain_Timer();
    EXPECT_TRUE(w.fileItem(4)->isEnabled());
    EXPECT_TRUE(w.toolsItem(5)->isEnabled());
    EXPECT_EQ(w.recentItem(1)->text(), QStringLiteral("&1 Freecell"));
    EXPECT_FALSE(w.recentItem(2)->isVisible());
}

TEST(MainWindow, DragCardToLegalAndIllegalPlaces)
{
    Table t;
    frmMain &w = *t.w;
    w.startGame(QStringLiteral("Freecell"), GameNo::number(11));
    Engine &e = t.e();
    // A top card dragged onto a free cell goes there.
    const int card = e.Array.GetTopPicID(0, 0);
    const QPoint cell(static_cast<int>(roundHalfEven(e.Games.GetCordX(4, 0, 0) / 15.0)),
                      static_cast<int>(roundHalfEven(e.Games.GetCordY(4, 0, 0) / 15.0)));
    const int moves = e.Trans->Position();
    dragCard(w, card, cell);
    EXPECT_EQ(e.GetCardCell(card), 4);
    EXPECT_GE(e.Trans->Position(), moves + 1);
    EXPECT_EQ(e.Trans->RecordAt(moves + 1).Card, card);
    EXPECT_EQ(w.PicCards(card)->pos(), cell);
    EXPECT_EQ(e.CheckModel(), QString());
    // A card dropped where nothing takes it goes back exactly.
    const int other = e.Array.GetTopPicID(0, 1);
    const QPoint home = w.PicCards(other)->pos();
    const float left = e.Cards[static_cast<size_t>(other)].Left;
    dragCard(w, other, QPoint(5, 700));
    EXPECT_EQ(e.GetCardCell(other), 0);
    EXPECT_EQ(e.Cards[static_cast<size_t>(other)].Left, left);
    EXPECT_EQ(w.PicCards(other)->pos(), home);
    EXPECT_EQ(e.CheckModel(), QString());
}

TEST(MainWindow, ReplayAllEndsByItselfAndDirectionSwitches)
{
    Table t;
    frmMain &w = *t.w;
    w.startGame(QStringLiteral("Freecell"), GameNo::number(3));
    Engine &e = t.e();
    for (int p = 0; p < 3; ++p) {
        const int card = e.Array.GetTopPicID(0, static_cast<int16_t>(p));
        int32_t mode = 0;
        e.Array.MoveCard(static_cast<int16_t>(card), 4, static_cast<int16_t>(p), 0, mode, 0, 0, false);
    }
    const int32_t last = e.Trans->Position();
    ASSERT_GE(last, 3);
    w.mReplay_Click(4);
    EXPECT_EQ(e.Trans->Position(), 0);
    EXPECT_TRUE(w.replaying());
    int ticks = 0;
    while (w.replaying() && ticks < 1000) {
        if (w.tmrForward().isActive())
            w.tmrForward_Timer();
        ++ticks;
    }
    EXPECT_FALSE(w.replaying());
    EXPECT_EQ(e.Trans->Position(), last);
    EXPECT_FALSE(w.replayItem(6)->isEnabled());

    // Back runs, then Forward is chosen: the next forward tick stops the
    // backward timer.
    w.tmrMain_Timer();
    w.mReplay_Click(2);
    w.tmrBackward_Timer();
    EXPECT_EQ(e.Trans->Position(), last - 1);
    w.mReplay_Click(1);
    w.tmrForward_Timer();
    EXPECT_FALSE(w.tmrBackward().isActive());
    EXPECT_EQ(e.Trans->Position(), last);
    // During the replay the undo items are disabled and Stop is enabled.
    w.mReplay_Click(2);
    w.tmrBackward_Timer();
    w.tmrMain_Timer();
    EXPECT_FALSE(w.gameItem(1)->isEnabled());
    EXPECT_TRUE(w.replayItem(6)->isEnabled());
    // Close Game stops the replay; a tick with no game moves nothing.
    w.mFile_Click(5);
    EXPECT_FALSE(w.replaying());
    w.tmrForward_Timer();
    EXPECT_FALSE(t.d.data.GameRunning());
}

TEST(MainWindow, ViewToolbarMovesThePanel)
{
    Table t;
    frmMain &w = *t.w;
    QApplication::processEvents();
    const QRect with = w.PicBack()->geometry();
    EXPECT_TRUE(w.Toolbar1()->isVisible());
    w.mGame_Click(9);
    EXPECT_EQ(t.d.data.ShowToolbar(), 0);
    const QRect without = w.PicBack()->geometry();
    EXPECT_EQ(without.top(), 0);
    EXPECT_EQ(without.height(), with.height() + with.top());
    EXPECT_FALSE(w.Toolbar1()->isVisible());
    w.tmrMain_Timer();
    EXPECT_FALSE(w.gameItem(9)->isChecked());
    // The table stays centred, 20 twips left of the middle.
    const int expected = static_cast<int>((w.PicBack()->width() * 15 - 15480) / 2.0 - 20) / 15;
    EXPECT_NEAR(w.PicMain()->x(), expected, 1);
}

// The first pixel of the panel around the table that does not show the
// table's background carried on beyond its edges, or an empty text.
QString surroundSeam(frmMain &w, int16_t bg, int16_t fade)
{
    QApplication::processEvents();
    const QImage panel = w.PicBack()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect table = w.PicMain()->geometry();
    const QImage tile = art::IsTile(bg) ? art::Tile(bg, 1.0).toImage().convertToFormat(QImage::Format_RGB32) : QImage();
    const auto mod = [](int a, int n) { return ((a % n) + n) % n; };
    const QRect inside = table.intersected(panel.rect());
    for (int y = 0; y < panel.height(); ++y)
        for (int x = 0; x < panel.width(); ++x) {
            if (table.contains(x, y))
                continue;
            QRgb want;
            if (!tile.isNull())
                want = tile.pixel(mod(x - table.left(), tile.width()), mod(y - table.top(), tile.height()));
            else if (y > table.bottom())
                want = GradientBandColor(GetColorEntry(bg)->second, fade, 255).rgb();
            else // the row of the table beside it
                want = panel.pixel(std::clamp(x, inside.left(), inside.right()), y);
            const QRgb got = panel.pixel(x, y);
            if ((got & 0xFFFFFF) != (want & 0xFFFFFF))
                return QStringLiteral("at %1,%2 (table %3,%4 %5x%6): %7 instead of %8")
                    .arg(x).arg(y).arg(table.x()).arg(table.y()).arg(table.width()).arg(table.height())
                    .arg(QColor(got).name(), QColor(want).name());
        }
    return QString();
}

// The window is larger than the fixed-size table, or the toolbar is hidden:
// what shows around the table continues its background, without a seam.
TEST(MainWindow, AroundTheTableTheBackgroundCarriesOn)
{
    Table t;
    frmMain &w = *t.w;
    const struct { int16_t bg, fade; } looks[] = {{1007, 1}, {1021, 0}, {5, 1}, {33, 0}};
    // The window's own width fits the table exactly; the table stands 20 twips
    // left of the middle.
    const QSize sizes[] = {QSize(1100, 850), QSize(1032, 800), QSize(1500, 1000)};
    for (const auto &look : looks) {
        t.d.data.BGIndex(look.bg);
        t.d.data.Fade(look.fade);
        w.appContext().applyTableLook();
        for (const QSize &size : sizes)
            for (int toolbar : {1, 0}) {
                if (t.d.data.ShowToolbar() != toolbar)
                    w.mGame_Click(9);
                w.resize(size);
                const QString seam = surroundSeam(w, look.bg, look.fade);
                EXPECT_TRUE(seam.isEmpty()) << "background " << look.bg << " fade " << look.fade << ", window "
                                            << w.width() << "x" << w.height() << ", toolbar " << toolbar << ": "
                                            << qPrintable(seam);
            }
    }
}

TEST(MainWindow, AutoplaySwitchWithoutGameMovesNothing)
{
    Table t;
    frmMain &w = *t.w;
    t.d.data.Autoplay(0);
    w.mGame_Click(4);
    EXPECT_EQ(t.d.data.Autoplay(), 1);
    for (const CardState &c : t.e().Cards)
        EXPECT_FALSE(c.Visible);
    w.tmrMain_Timer();
    EXPECT_TRUE(w.toolButton(5)->isChecked());
    w.mGame_Click(4);
    EXPECT_EQ(t.d.data.Autoplay(), 0);
    w.tmrMain_Timer();
    EXPECT_FALSE(w.toolButton(5)->isChecked());
}

TEST(MainWindow, ClosingRecordsARunningGameOnce)
{
    Table t;
    frmMain &w = *t.w;
    const QString file = t.d.data.AppDir() + QStringLiteral("Player1.sre");
    w.close();
    EXPECT_FALSE(QFile::exists(file)); // no game: nothing written
    Table t2;
    t2.d.data.SetAppDataLookup([&] { return t.dir.path(); });
    t2.w->startGame(QStringLiteral("Penguin"), GameNo::number(5));
    t2.w->close();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 2); // one line and the empty rest after its end
    EXPECT_TRUE(lines[0].endsWith(",0\r")) << lines[0].constData();
    EXPECT_TRUE(lines[0].contains(",\"Penguin\",5,"));
}

TEST(Splash, ClickEndsItOnceBeforeItsTimer)
{
    int done = 0;
    frmSplash s([&] { ++done; });
    s.show();
    EXPECT_EQ(s.lblversion()->text(), QStringLiteral("Version : 3.0"));
    QTest::mouseClick(&s, Qt::LeftButton);
    QTest::keyClick(&s, Qt::Key_Space);
    EXPECT_EQ(done, 1);
    QTest::qWait(50);
    EXPECT_EQ(done, 1);
}

TEST(MainWindow, MenusOpenTheRecordsPlayersAndOptionsWindows)
{
    Table t;
    frmMain &w = *t.w;
    struct Item { QAction *action; const char *title; };
    const Item items[] = {
        {w.favItem(2), "Organize Favorites"}, {w.favItem(4), "Play from Favorites"},
        {w.statItem(1), "Game Statistics"},   {w.statItem(2), "Session Statistics"},
        {w.statItem(4), "High Score"},        {w.statItem(6), "Log Statistics"},
        {w.toolsItem(1), "Customize"},        {w.toolsItem(3), "Players"},
    };
    for (const Item &item : items) {
        QString seen;
        QTimer::singleShot(0, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal) {
                seen = modal->windowTitle();
                modal->close();
            }
        });
        item.action->trigger();
        EXPECT_EQ(seen, QString::fromLatin1(item.title));
    }
    // History needs a running game, and opens over it.
    w.startGame(QStringLiteral("Freecell"), GameNo::number(2));
    w.tmrMain_Timer();
    QString seen;
    QTimer::singleShot(0, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            seen = modal->windowTitle();
            modal->close();
        }
    });
    w.toolsItem(5)->trigger();
    EXPECT_EQ(seen, QStringLiteral("Game History"));
}

TEST(MainWindow, AWinOpensTheEndOfGameWindowAndRecordsOnce)
{
    Table t;
    frmMain &w = *t.w;
    w.startGame(QStringLiteral("Freecell"), GameNo::number(4));
    Engine &e = t.e();
    QString seen;
    QTimer::singleShot(0, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            seen = modal->windowTitle();
            modal->close();
        }
    });
    w.GameWon();
    EXPECT_EQ(seen, QStringLiteral("Congrats"));
    EXPECT_FALSE(t.d.data.GameRunning());
    for (const CardState &c : e.Cards)
        EXPECT_FALSE(c.Visible);
    QFile f(t.d.data.AppDir() + QStringLiteral("Player1.sre"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray all = f.readAll();
    EXPECT_EQ(all.count('\n'), 1);
    EXPECT_TRUE(all.endsWith(",1\r\n")) << all.constData();
}

TEST(MainWindow, AWindowOpenedDuringADragPutsTheCardsBack)
{
    Table t;
    frmMain &w = *t.w;
    w.startGame(QStringLiteral("Freecell"), GameNo::number(9));
    Engine &e = t.e();
    const int card = e.Array.GetTopPicID(0, 2);
    const QPoint home = w.PicCards(card)->pos();
    QelCard *c = w.PicCards(card);
    sendMouse(c, QEvent::MouseButtonPress, QPointF(30, 20), Qt::LeftButton);
    sendMouse(c, QEvent::MouseMove, QPointF(130, 220), Qt::LeftButton);
    ASSERT_TRUE(e.Dragging);
    QTimer::singleShot(0, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    w.helpItem(4)->trigger(); // About, over the table
    EXPECT_FALSE(e.Dragging);
    EXPECT_EQ(w.PicCards(card)->pos(), home);
    EXPECT_EQ(e.CheckModel(), QString());
}

namespace {

// Answers the message box that opens next with `button` (Escape when it is
// NoButton) and keeps what the box showed.
struct BoxSeen {
    bool shown = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QAbstractButton *defaultButton = nullptr;
    QAbstractButton *noButton = nullptr;
    QWidget *owner = nullptr;
};
void answerNextBox(BoxSeen &seen, QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [&seen, button] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (QWidget *m = QApplication::activeModalWidget())
                m->close();
            return;
        }
        seen.shown = true;
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->defaultButton();
        seen.noButton = box->button(QMessageBox::No);
        seen.owner = box->parentWidget();
        if (button == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(button)->click();
    });
}

} // namespace

TEST(MainWindow, AddToFavoritesReportsWhereTheDealWent)
{
    Table t;
    frmMain &w = *t.w;
    w.mFav_Click(1); // no game: nothing added, nothing said
    EXPECT_TRUE(t.prompt.asked.empty());
    w.startGame(QStringLiteral("Penguin"), GameNo::number(77));
    w.mFav_Click(1);
    const auto boxes = t.prompt.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Game <77> Successfully Added to Favorites Under <Penguin> Folder"));
    EXPECT_EQ(boxes[0].icon, QMessageBox::Information);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(boxes[0].title, QStringLiteral("Tarnwick"));
    EXPECT_EQ(boxes[0].owner, &w);
}

// The score store asks and reports over the table.
TEST(MainWindow, TheScoreStoresBoxesBelongToTheTable)
{
    Table t;
    frmMain &w = *t.w;
    t.prompt.answerYes = false;
    w.score()->ClearStat();
    t.prompt.saveName.reset();
    w.score()->ExportStat();
    ASSERT_EQ(t.prompt.asked.size(), 2u);
    EXPECT_EQ(t.prompt.asked[0].owner, &w);
    EXPECT_TRUE(t.prompt.asked[0].yesNo());
    EXPECT_EQ(t.prompt.asked[0].defaultButton, QMessageBox::No);
    EXPECT_EQ(t.prompt.asked[1].kind, ScriptedPrompt::Asked::SaveFile);
    EXPECT_EQ(t.prompt.asked[1].owner, &w);
    EXPECT_EQ(t.prompt.asked[1].filter, QStringLiteral("Text File (*.txt)"));
}

// The boxes on screen: icon, title, buttons and what Enter presses, as asked;
// a question acts only on Yes.
TEST(QtPrompt, BoxesLookAsAskedAndOnlyYesConfirms)
{
    TestData d; // start-up sets the application title to the product name
    QtPrompt prompt;
    QWidget owner;
    BoxSeen seen;

    answerNextBox(seen, QMessageBox::Yes);
    EXPECT_TRUE(prompt.Confirm(&owner, QStringLiteral("Delete?"), Prompt::Icon::Critical));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.title, QStringLiteral("Tarnwick"));
    EXPECT_EQ(seen.text, QStringLiteral("Delete?"));
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.owner, &owner);

    seen = {};
    answerNextBox(seen, QMessageBox::No);
    EXPECT_FALSE(prompt.Confirm(&owner, QStringLiteral("Clear?")));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    seen = {};
    answerNextBox(seen, QMessageBox::NoButton); // Escape
    EXPECT_FALSE(prompt.Confirm(&owner, QStringLiteral("Clear?")));
    EXPECT_TRUE(seen.shown);

    seen = {};
    answerNextBox(seen, QMessageBox::NoButton);
    EXPECT_FALSE(prompt.Confirm(nullptr, QStringLiteral("Clear all?"), Prompt::Icon::Question, Prompt::Default::No));
    ASSERT_TRUE(seen.shown);
    EXPECT_NE(seen.noButton, nullptr);
    EXPECT_EQ(seen.defaultButton, seen.noButton);
    EXPECT_EQ(seen.owner, nullptr);

    seen = {};
    answerNextBox(seen, QMessageBox::Ok);
    prompt.Info(&owner, QStringLiteral("Done."));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(seen.title, QStringLiteral("Tarnwick"));

    seen = {};
    answerNextBox(seen, QMessageBox::Ok);
    prompt.Error(nullptr, QStringLiteral("Failed."), QStringLiteral("Own title"));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(seen.title, QStringLiteral("Own title"));
}

TEST(QtPrompt, DialogsGiveTheirAnswerOrNothingOnCancel)
{
    QtPrompt prompt;
    // A modal window runs in its own event loop and gives its result.
    QDialog dlg;
    QTimer::singleShot(0, [&] { dlg.done(7); });
    EXPECT_EQ(prompt.Run(dlg), 7);

    QTimer::singleShot(0, [] {
        if (auto *c = qobject_cast<QColorDialog *>(QApplication::activeModalWidget())) {
            c->setCurrentColor(QColor(10, 20, 30));
            c->accept();
        } else if (QWidget *m = QApplication::activeModalWidget()) {
            m->close();
        }
    });
    EXPECT_EQ(prompt.ChooseColor(nullptr, Qt::red), QColor(10, 20, 30));
    QTimer::singleShot(0, [] {
        if (QWidget *m = QApplication::activeModalWidget())
            qobject_cast<QDialog *>(m) ? qobject_cast<QDialog *>(m)->reject() : void(m->close());
    });
    EXPECT_FALSE(prompt.ChooseColor(nullptr, Qt::red).has_value());

    QString proposed;
    QTimer::singleShot(0, [&] {
        if (auto *f = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            proposed = f->selectedFiles().value(0);
            f->reject();
        } else if (QWidget *m = QApplication::activeModalWidget()) {
            m->close();
        }
    });
    EXPECT_FALSE(prompt.SaveFileName(nullptr, QStringLiteral("Scoreboard"), QStringLiteral("Text File (*.txt)"))
                     .has_value());
    EXPECT_TRUE(proposed.endsWith(QStringLiteral("/Scoreboard"))) << qPrintable(proposed);
}
