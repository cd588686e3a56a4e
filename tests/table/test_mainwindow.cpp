#include "engine/catalogue.h"
#include "engine/numeric.h"
#include "media/artwork.h"
#include "media/resources.h"
#include "records/score.h"
#include "scriptedprompt.h"
#include "statistics/appcontext.h"
#include "table/mainwindow.h"
#include "table/qtprompt.h"
#include "table/splash.h"
#include "testutil.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWindow>
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

QString text(QAction *a) { return a ? a->text() : QStringLiteral("<none>"); }

// Closes the modal window that opens next and keeps its caption in `title`.
void closeNextModal(QString &title)
{
    QTimer::singleShot(0, [&title] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            title = modal->windowTitle();
            modal->close();
        }
    });
}

// Collects what the table and the controls on it paint, in table pixels.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget *table) : table_(table)
    {
        table->installEventFilter(this);
        for (QObject *o : table->children())
            if (o->isWidgetType())
                o->installEventFilter(this);
    }
    QRegion painted;
    int tablePaints = 0;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            const auto *w = static_cast<QWidget *>(o);
            painted += static_cast<QPaintEvent *>(e)->region().translated(w == table_ ? QPoint() : w->pos());
            if (w == table_)
                ++tablePaints;
        }
        return false;
    }

private:
    QWidget *table_;
};

long area(const QRegion &r)
{
    long a = 0;
    for (const QRect &x : r)
        a += static_cast<long>(x.width()) * x.height();
    return a;
}

// The table as the window shows it (its backing store), and as a paint of
// the whole table draws it now.
QImage shownTable(frmMain &w)
{
    const QImage window = w.screen()->grabWindow(w.winId()).toImage();
    return window.copy(QRect(w.PicMain()->mapTo(&w, QPoint(0, 0)), w.PicMain()->size()))
        .convertToFormat(QImage::Format_RGB32);
}
QImage freshTable(frmMain &w) { return w.PicMain()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

} // namespace

TEST(MainWindow, MenusCaptionsAndShortcuts)
{
    Table t;
    frmMain &w = *t.w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarnwick"));
    EXPECT_EQ(text(w.item(FileItem::NewGame)), QStringLiteral("&New Game"));
    EXPECT_EQ(w.item(FileItem::NewGame)->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(text(w.item(FileItem::SelectGame)), QStringLiteral("&Select Game"));
    EXPECT_EQ(w.item(FileItem::RestartGame)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F2));
    EXPECT_EQ(text(w.item(FileItem::SelectNumber)), QStringLiteral("Select a Number"));
    EXPECT_EQ(w.item(FileItem::SelectNumber)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_F12));
    EXPECT_EQ(text(w.item(FileItem::Exit)), QStringLiteral("E&xit"));
    EXPECT_TRUE(w.item(FileItem::Separator1)->isSeparator());
    EXPECT_EQ(w.item(GameItem::Redo)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(w.item(GameItem::UndoAll)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(w.item(GameItem::RedoAll)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_EQ(text(w.item(GameItem::ViewToolbar)), QStringLiteral("View Toolbar"));
    EXPECT_EQ(w.item(ReplayItem::Forward)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    EXPECT_EQ(text(w.item(ReplayItem::Stop)), QStringLiteral("Sto&p"));
    EXPECT_EQ(text(w.item(FavItem::AddToFavorites)), QStringLiteral("&Add to Favorites"));
    EXPECT_EQ(w.item(StatItem::HighScores)->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(text(w.item(ToolsItem::History)), QStringLiteral("&History"));
    EXPECT_EQ(w.item(ToolsItem::History)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
    EXPECT_EQ(text(w.item(HelpItem::About)), QStringLiteral("About Tarnwick..."));
    EXPECT_EQ(w.toolButton(ToolbarButton::Autoplay)->toolTip(), QStringLiteral("Autoplay"));
    EXPECT_EQ(w.toolButton(ToolbarButton::ReplayStop)->data().toString(), QStringLiteral("ReplayStop"));
    for (ToolbarButton sep : {ToolbarButton::Separator1, ToolbarButton::Separator2, ToolbarButton::Separator3,
                              ToolbarButton::Separator4, ToolbarButton::Separator5})
        EXPECT_TRUE(w.toolButton(sep)->isSeparator()) << static_cast<int>(sep);
}

TEST(MainWindow, NoGameDisablesGameItemsAndShowsNoStatus)
{
    Table t;
    frmMain &w = *t.w;
    w.tmrMain_Timer();
    w.tmrTime_Timer();
    for (QAction *a : {w.item(FileItem::RestartGame), w.item(FileItem::CloseGame), w.item(FavItem::AddToFavorites),
                       w.item(ToolsItem::History), w.item(GameItem::Undo), w.item(GameItem::Redo),
                       w.item(GameItem::UndoAll), w.item(GameItem::RedoAll), w.item(ReplayItem::Forward),
                       w.item(ReplayItem::Back), w.item(ReplayItem::ReplayAll), w.item(ReplayItem::Stop)})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_TRUE(w.item(FileItem::NewGame)->isEnabled());
    EXPECT_FALSE(w.toolButton(ToolbarButton::Restart)->isEnabled());
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
    w.startDeal(QStringLiteral("Freecell"), GameNo::number(7));
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
    EXPECT_TRUE(w.item(FileItem::RestartGame)->isEnabled());
    EXPECT_TRUE(w.item(ToolsItem::History)->isEnabled());
    EXPECT_EQ(w.recentItem(1)->text(), QStringLiteral("&1 Freecell"));
    EXPECT_FALSE(w.recentItem(2)->isVisible());
}

// The caption and the recent menu show the player's name, the game number and
// the stored recent names as written: a window title would drop "[*]" and a
// menu would take "&" for an access key.
TEST(MainWindow, CaptionAndRecentMenuShowStoredTextsAsWritten)
{
    Table t;
    frmMain &w = *t.w;
    t.d.data.SetPlayer(1, QStringLiteral("Big[*]Tom"), true);
    w.startDeal(QStringLiteral("Freecell"), GameNo::number(7));
    ASSERT_NE(w.windowHandle(), nullptr);
    EXPECT_EQ(w.windowHandle()->title(), QStringLiteral("Tarnwick [Freecell] [Big[*]Tom] [7]"));
    t.d.data.SetPlayer(1, QStringLiteral("*"), true);
    w.startDeal(QStringLiteral("Penguin"), GameNo::number(8));
    EXPECT_EQ(w.windowHandle()->title(), QStringLiteral("Tarnwick [Penguin] [*] [8]"));

    // A recent entry edited in the settings file.
    t.d.data.SetRecent(QStringLiteral("Cats & Dogs"));
    w.RecentChanged();
    QAction *entry = w.recentItem(1);
    EXPECT_EQ(entry->text(), QStringLiteral("&1 Cats && Dogs"));
    // What the menu shows once its access keys are taken out.
    EXPECT_EQ(entry->iconText(), QStringLiteral("1 Cats & Dogs"));
    EXPECT_EQ(w.recentItem(2)->iconText(), QStringLiteral("2 Penguin"));
}

TEST(MainWindow, DragCardToLegalAndIllegalPlaces)
{
    Table t;
    frmMain &w = *t.w;
    w.startDeal(QStringLiteral("Freecell"), GameNo::number(11));
    Engine &e = t.e();
    // A top card dragged onto a free cell goes there.
    const int card = e.Array.GetTopPicID(PileType::Home, 0);
    const QPoint cell(static_cast<int>(roundHalfEven(e.Games.GetCordX(PileType::Res, 0, 0) / 15.0)),
                      static_cast<int>(roundHalfEven(e.Games.GetCordY(PileType::Res, 0, 0) / 15.0)));
    const int moves = e.Trans->Position();
    dragCard(w, card, cell);
    EXPECT_EQ(e.GetCardCell(card), 4);
    EXPECT_GE(e.Trans->Position(), moves + 1);
    EXPECT_EQ(e.Trans->RecordAt(moves + 1).Card, card);
    EXPECT_EQ(w.PicCards(card)->pos(), cell);
    EXPECT_EQ(e.CheckModel(), QString());
    // A card dropped where nothing takes it goes back exactly.
    const int other = e.Array.GetTopPicID(PileType::Home, 1);
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
    w.startDeal(QStringLiteral("Freecell"), GameNo::number(3));
    Engine &e = t.e();
    for (int p = 0; p < 3; ++p) {
        const int card = e.Array.GetTopPicID(PileType::Home, static_cast<int16_t>(p));
        int32_t mode = 0;
        e.Array.MoveCard(static_cast<int16_t>(card), 4, static_cast<int16_t>(p), 0, mode, 0, 0, false);
    }
    const int32_t last = e.Trans->Position();
    ASSERT_GE(last, 3);
    w.mReplay_Click(ReplayItem::ReplayAll);
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
    EXPECT_FALSE(w.item(ReplayItem::Stop)->isEnabled());

    // Back runs, then Forward is chosen: the next forward tick stops the
    // backward timer.
    w.tmrMain_Timer();
    w.mReplay_Click(ReplayItem::Back);
    w.tmrBackward_Timer();
    EXPECT_EQ(e.Trans->Position(), last - 1);
    w.mReplay_Click(ReplayItem::Forward);
    w.tmrForward_Timer();
    EXPECT_FALSE(w.tmrBackward().isActive());
    EXPECT_EQ(e.Trans->Position(), last);
    // During the replay the undo items are disabled and Stop is enabled.
    w.mReplay_Click(ReplayItem::Back);
    w.tmrBackward_Timer();
    w.tmrMain_Timer();
    EXPECT_FALSE(w.item(GameItem::Undo)->isEnabled());
    EXPECT_TRUE(w.item(ReplayItem::Stop)->isEnabled());
    // Close Game stops the replay; a tick with no game moves nothing.
    w.mFile_Click(FileItem::CloseGame);
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
    w.mGame_Click(GameItem::ViewToolbar);
    EXPECT_EQ(t.d.data.ShowToolbar(), 0);
    const QRect without = w.PicBack()->geometry();
    EXPECT_EQ(without.top(), 0);
    EXPECT_EQ(without.height(), with.height() + with.top());
    EXPECT_FALSE(w.Toolbar1()->isVisible());
    w.tmrMain_Timer();
    EXPECT_FALSE(w.item(GameItem::ViewToolbar)->isChecked());
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
                    .arg(x)
                    .arg(y)
                    .arg(table.x())
                    .arg(table.y())
                    .arg(table.width())
                    .arg(table.height())
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
    const struct {
        int16_t bg, fade;
    } looks[] = {{1007, 1}, {1021, 0}, {5, 1}, {33, 0}};
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
                    w.mGame_Click(GameItem::ViewToolbar);
                w.resize(size);
                const QString seam = surroundSeam(w, look.bg, look.fade);
                EXPECT_TRUE(seam.isEmpty())
                    << "background " << look.bg << " fade " << look.fade << ", window " << w.width() << "x"
                    << w.height() << ", toolbar " << toolbar << ": " << qPrintable(seam);
            }
    }
}

TEST(MainWindow, AutoplaySwitchWithoutGameMovesNothing)
{
    Table t;
    frmMain &w = *t.w;
    t.d.data.Autoplay(0);
    w.mGame_Click(GameItem::Autoplay);
    EXPECT_EQ(t.d.data.Autoplay(), 1);
    for (const CardState &c : t.e().Cards)
        EXPECT_FALSE(c.Visible);
    w.tmrMain_Timer();
    EXPECT_TRUE(w.toolButton(ToolbarButton::Autoplay)->isChecked());
    w.mGame_Click(GameItem::Autoplay);
    EXPECT_EQ(t.d.data.Autoplay(), 0);
    w.tmrMain_Timer();
    EXPECT_FALSE(w.toolButton(ToolbarButton::Autoplay)->isChecked());
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
    t2.w->startDeal(QStringLiteral("Penguin"), GameNo::number(5));
    t2.w->close();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 2); // one line and the empty rest after its end
    EXPECT_TRUE(lines[0].endsWith(",0\r")) << lines[0].constData();
    EXPECT_TRUE(lines[0].contains(",\"Penguin\",5,"));
}

// The window closed while a deal is being laid out: the game abandoned for
// it is recorded once, the game being dealt never was the player's and is
// not recorded.
TEST(MainWindow, ClosingDuringADealRecordsNothingForIt)
{
    Table t;
    frmMain &w = *t.w;
    const QString file = t.d.data.AppDir() + QStringLiteral("Player1.sre");
    w.startDeal(QStringLiteral("Penguin"), GameNo::number(5));
    ASSERT_TRUE(t.d.data.GameRunning());
    t.d.data.CardSpeed(50);
    bool closedInDeal = false;
    QTimer::singleShot(0, &w, [&] {
        closedInDeal = t.e().Dealing();
        w.close();
    });
    w.startDeal(QStringLiteral("Penguin"), GameNo::number(6));
    ASSERT_TRUE(closedInDeal);
    QTest::qWait(50); // the close the deal held back
    EXPECT_FALSE(w.isVisible());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 2) << "one record and the empty rest after its end";
    EXPECT_TRUE(lines[0].contains(",\"Penguin\",5,")) << lines[0].constData();
    EXPECT_TRUE(lines[0].endsWith(",0\r")) << lines[0].constData();
}

TEST(Splash, ClickEndsItOnceBeforeItsTimer)
{
    int done = 0;
    frmSplash s([&] { ++done; });
    s.show();
    EXPECT_EQ(frmSplash::versionText(), QStringLiteral("Version : 3.0"));
    // The version is text as well, for a screen reader, over the picture's.
    const auto *lblversion = s.findChild<QLabel *>(QStringLiteral("lblversion"));
    ASSERT_NE(lblversion, nullptr);
    EXPECT_EQ(lblversion->text(), QStringLiteral("Version : 3.0"));
    EXPECT_TRUE(lblversion->isVisible());
    EXPECT_EQ(lblversion->geometry(), QRect(0, art::SplashVersionTop, art::SplashWidth, art::SplashVersionHeight));
    // A click on the version text is a click on the splash.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&s));
    QTest::mouseClick(s.windowHandle(), Qt::LeftButton, {}, lblversion->geometry().center());
    EXPECT_EQ(done, 1);
    QTest::mouseClick(&s, Qt::LeftButton);
    QTest::keyClick(&s, Qt::Key_Space);
    EXPECT_EQ(done, 1);
    QTest::qWait(50);
    EXPECT_EQ(done, 1);
}

// The splash shows its picture as the program draws it, the version
// included; the pictures built in for the ratios 1 and 2 are that drawing.
TEST(Splash, ShowsTheWordPictureAndTheVersion)
{
    frmSplash s(nullptr);
    s.show();
    const qreal dpr = art::AppDpr();
    const QImage drawn = art::SplashImage(dpr, frmSplash::versionText());
    EXPECT_EQ(s.size(), QSize(art::SplashWidth, art::SplashHeight));
    EXPECT_TRUE(s.grab().toImage().convertToFormat(drawn.format()) == drawn);
    for (const int ratio : {1, 2}) {
        const QImage builtIn = frmSplash::builtInPicture(ratio);
        const QImage now = art::SplashImage(ratio, frmSplash::versionText());
        ASSERT_FALSE(builtIn.isNull()) << ratio;
        EXPECT_TRUE(builtIn.convertToFormat(now.format()) == now) << ratio;
    }
}

TEST(MainWindow, MenusOpenTheRecordsPlayersAndOptionsWindows)
{
    Table t;
    frmMain &w = *t.w;
    struct Item {
        QAction *action;
        const char *title;
    };
    const Item items[] = {
        {w.item(FavItem::OrganizeFavorites), "Organize Favorites"},
        {w.item(FavItem::PlayFromFavorites), "Play from Favorites"},
        {w.item(StatItem::GameStatistics), "Game Statistics"},
        {w.item(StatItem::SessionStatistics), "Session Statistics"},
        {w.item(StatItem::HighScores), "High Score"},
        {w.item(StatItem::LogStatistics), "Log Statistics"},
        {w.item(ToolsItem::Customize), "Customize"},
        {w.item(ToolsItem::Players), "Players"},
    };
    for (const Item &item : items) {
        QString seen;
        closeNextModal(seen);
        item.action->trigger();
        EXPECT_EQ(seen, QString::fromLatin1(item.title));
    }
    // History needs a running game, and opens over it.
    w.startDeal(QStringLiteral("Freecell"), GameNo::number(2));
    w.tmrMain_Timer();
    QString seen;
    closeNextModal(seen);
    w.item(ToolsItem::History)->trigger();
    EXPECT_EQ(seen, QStringLiteral("Game History"));
}

TEST(MainWindow, AWinOpensTheEndOfGameWindowAndRecordsOnce)
{
    Table t;
    frmMain &w = *t.w;
    w.startDeal(QStringLiteral("Freecell"), GameNo::number(4));
    Engine &e = t.e();
    QString seen;
    closeNextModal(seen);
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
    w.startDeal(QStringLiteral("Freecell"), GameNo::number(9));
    Engine &e = t.e();
    const int card = e.Array.GetTopPicID(PileType::Home, 2);
    const QPoint home = w.PicCards(card)->pos();
    QelCard *c = w.PicCards(card);
    sendMouse(c, QEvent::MouseButtonPress, QPointF(30, 20), Qt::LeftButton);
    sendMouse(c, QEvent::MouseMove, QPointF(130, 220), Qt::LeftButton);
    ASSERT_TRUE(e.Dragging);
    QTimer::singleShot(0, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    w.item(HelpItem::About)->trigger(); // About, over the table
    EXPECT_FALSE(e.Dragging);
    EXPECT_EQ(w.PicCards(card)->pos(), home);
    EXPECT_EQ(e.CheckModel(), QString());
}

// The place of each item in its menu, and of each button on the toolbar, is
// the value of its name.
TEST(MainWindow, EveryNameIsItsPlaceInItsMenuOrOnTheToolbar)
{
    Table t;
    frmMain &w = *t.w;
    const QList<QAction *> bar = w.menuBar()->actions();
    ASSERT_GE(bar.size(), 7);
    const auto places = [&](int menu) { return bar[menu]->menu()->actions(); };
    const auto check = [&](int menu, auto last) {
        using Item = decltype(last);
        const QList<QAction *> actions = places(menu);
        ASSERT_EQ(actions.size(), static_cast<int>(last)) << qPrintable(bar[menu]->text());
        for (int i = 1; i <= static_cast<int>(last); ++i)
            EXPECT_EQ(w.item(Item(i)), actions[i - 1]) << qPrintable(bar[menu]->text()) << " " << i;
    };
    check(0, FileItem::Exit);
    check(1, GameItem::ViewToolbar);
    check(2, ReplayItem::Stop);
    check(3, FavItem::PlayFromFavorites);
    check(4, StatItem::LogStatistics);
    check(5, ToolsItem::History);
    check(6, HelpItem::About);
    EXPECT_EQ(text(w.item(FileItem::RecentGames)), QStringLiteral("Recent Games"));
    EXPECT_EQ(w.item(FileItem::RecentGames)->menu()->actions().first(), w.recentItem(1));
    EXPECT_EQ(text(w.item(GameItem::Autoplay)), QStringLiteral("Autoplay"));
    EXPECT_EQ(text(w.item(StatItem::SessionStatistics)), QStringLiteral("&Session Statistics"));
    EXPECT_EQ(text(w.item(ToolsItem::Players)), QStringLiteral("&Players"));
    EXPECT_EQ(text(w.item(HelpItem::Contents)), QStringLiteral("Contents"));

    const QList<QAction *> buttons = w.Toolbar1()->actions();
    ASSERT_EQ(buttons.size(), static_cast<int>(ToolbarButton::Help));
    for (int i = 1; i <= static_cast<int>(ToolbarButton::Help); ++i)
        EXPECT_EQ(w.toolButton(ToolbarButton(i)), buttons[i - 1]) << i;
    const struct {
        ToolbarButton button;
        const char *key;
    } keys[] = {
        {ToolbarButton::New, "New"},         {ToolbarButton::Select, "Select"},
        {ToolbarButton::Restart, "Restart"}, {ToolbarButton::Autoplay, "Autoplay"},
        {ToolbarButton::Undo, "Undo"},       {ToolbarButton::Redo, "Redo"},
        {ToolbarButton::Back, "Back"},       {ToolbarButton::ReplayStop, "ReplayStop"},
        {ToolbarButton::Forward, "Forward"}, {ToolbarButton::Statistics, "Statistics"},
        {ToolbarButton::Help, "Help"},
    };
    for (const auto &k : keys)
        EXPECT_EQ(w.toolButton(k.button)->data().toString(), QLatin1String(k.key));
}

// Each toolbar button does what its menu item does.
TEST(MainWindow, ToolbarButtonsCallTheirMenuItems)
{
    Table t;
    frmMain &w = *t.w;
    RecordingHelp help;
    t.d.data.SetHelpViewer(&help);
    Engine &e = t.e();

    t.d.data.LastGName(QStringLiteral("Penguin"));
    w.toolButton(ToolbarButton::New)->trigger();
    EXPECT_TRUE(t.d.data.GameRunning());
    EXPECT_EQ(t.d.data.CurGName(), QStringLiteral("Penguin"));

    w.startDeal(QStringLiteral("Freecell"), GameNo::number(21));
    w.tmrMain_Timer();
    // Restart deals the same number again.
    const int card = e.Array.GetTopPicID(PileType::Home, 0);
    int32_t mode = 0;
    e.Array.MoveCard(static_cast<int16_t>(card), 4, 0, 0, mode, 0, 0, false);
    ASSERT_GE(e.Trans->Position(), 1);
    w.tmrMain_Timer();
    w.toolButton(ToolbarButton::Undo)->trigger();
    EXPECT_EQ(e.GetCardCell(card), 0);
    w.tmrMain_Timer();
    w.toolButton(ToolbarButton::Redo)->trigger();
    EXPECT_EQ(e.GetCardCell(card), 4);
    w.tmrMain_Timer();
    w.toolButton(ToolbarButton::Restart)->trigger();
    EXPECT_EQ(t.d.data.CurGNo(), GameNo::number(21));
    EXPECT_EQ(e.GetCardCell(card), 0);

    e.Array.MoveCard(static_cast<int16_t>(card), 4, 0, 0, mode, 0, 0, false);
    w.tmrMain_Timer();
    w.toolButton(ToolbarButton::Back)->trigger();
    EXPECT_TRUE(w.tmrBackward().isActive());
    w.tmrBackward_Timer(); // one step back, and Stop enabled
    w.tmrMain_Timer();
    w.toolButton(ToolbarButton::ReplayStop)->trigger();
    EXPECT_FALSE(w.replaying());
    EXPECT_EQ(e.GetCardCell(card), 0);
    w.tmrMain_Timer();
    w.toolButton(ToolbarButton::Forward)->trigger();
    EXPECT_TRUE(w.tmrForward().isActive());
    w.tmrForward_Timer();
    EXPECT_EQ(e.GetCardCell(card), 4);
    w.tmrMain_Timer();
    w.toolButton(ToolbarButton::ReplayStop)->trigger();
    EXPECT_FALSE(w.replaying());

    const int16_t autoplay = t.d.data.Autoplay();
    w.toolButton(ToolbarButton::Autoplay)->trigger();
    EXPECT_NE(t.d.data.Autoplay(), autoplay);

    w.toolButton(ToolbarButton::Help)->trigger();
    EXPECT_EQ(help.rules, std::vector<int>({t.d.data.GetGameID(QStringLiteral("Freecell"))}));
    EXPECT_EQ(help.contents, 0);

    QString seen;
    closeNextModal(seen);
    w.toolButton(ToolbarButton::Statistics)->trigger();
    EXPECT_EQ(seen, QStringLiteral("Game Statistics"));

    // Select opens the game selector, owned by the table.
    t.prompt.dialogs.push_back([](QDialog &) { return int(QDialog::Rejected); });
    w.toolButton(ToolbarButton::Select)->trigger();
    ASSERT_FALSE(t.prompt.asked.empty());
    EXPECT_EQ(t.prompt.asked.back().dialogClass, QByteArray("tw::frmSelect"));
    EXPECT_EQ(t.prompt.asked.back().owner, &w);
    t.d.data.SetHelpViewer(nullptr);
}

TEST(MainWindow, AddToFavoritesReportsWhereTheDealWent)
{
    Table t;
    frmMain &w = *t.w;
    w.mFav_Click(FavItem::AddToFavorites); // no game: nothing added, nothing said
    EXPECT_TRUE(t.prompt.asked.empty());
    w.startDeal(QStringLiteral("Penguin"), GameNo::number(77));
    w.mFav_Click(FavItem::AddToFavorites);
    const auto boxes = t.prompt.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, QStringLiteral("Game <77> Successfully Added to Favorites Under <Penguin> Folder"));
    EXPECT_EQ(boxes[0].icon, QMessageBox::Information);
    EXPECT_EQ(boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(boxes[0].title, QStringLiteral("Tarnwick"));
    EXPECT_EQ(boxes[0].owner, &w);
}

// A favourite that cannot be kept is said, with the reason, and is no
// success.
TEST(MainWindow, AFavouriteThatCannotBeKeptIsNoSuccess)
{
    Table t;
    frmMain &w = *t.w;
    ASSERT_TRUE(QDir().mkpath(t.d.data.AppDir() + QStringLiteral("fav.dat")));
    w.startDeal(QStringLiteral("Penguin"), GameNo::number(77));
    w.mFav_Click(FavItem::AddToFavorites);
    EXPECT_TRUE(t.prompt.infos().isEmpty());
    ASSERT_EQ(t.prompt.errors().size(), 1);
    EXPECT_EQ(t.prompt.errors()[0].toStdString(),
              (QStringLiteral("The favourite could not be saved in ") + t.d.data.AppDir()
               + QStringLiteral("fav.dat: it is a folder, not a file."))
                  .toStdString());
}

// Settings that cannot be kept in their file are told over the table at
// start-up, and again whenever the reason changes, not at every tick.
TEST(MainWindow, ASettingsFileThatCannotBeUsedIsTold)
{
    struct Store : MemoryStore {
        QString problem = QStringLiteral("Settings cannot be saved in /x/Tarnwick.conf: it is not a regular file.");
        QString Problem() const override { return problem; }
    } store;
    cData data(store);
    frmGame::Init(data);
    QTemporaryDir dir;
    data.SetAppDataLookup([&] { return dir.path(); });
    ScriptedPrompt prompt;
    frmMain w(data, prompt);
    ASSERT_EQ(prompt.errors(), QStringList{store.problem});
    EXPECT_EQ(prompt.asked[0].owner, &w);
    w.tmrMain_Timer();
    EXPECT_EQ(prompt.asked.size(), 1u);
    store.problem.clear();
    w.tmrMain_Timer();
    store.problem = QStringLiteral("Settings cannot be saved in /x/Tarnwick.conf: permission denied.");
    w.tmrMain_Timer();
    w.tmrMain_Timer();
    EXPECT_EQ(prompt.errors(), (QStringList{QStringLiteral("Settings cannot be saved in /x/Tarnwick.conf: it is not a "
                                                           "regular file."),
                                            store.problem}));
}

// A data folder that cannot be used is told at start-up, over the table,
// once; the games are played all the same.
TEST(MainWindow, ADataFolderThatCannotBeUsedIsToldAtStartUp)
{
    QTemporaryDir dir;
    TestData d;
    d.data.SetAppDataLookup([&] { return dir.path(); });
    QFile blocker(dir.path() + QStringLiteral("/Tarnwick"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    ScriptedPrompt prompt;
    frmMain w(d.data, prompt);
    ASSERT_EQ(prompt.errors().size(), 1);
    EXPECT_EQ(prompt.errors()[0], QStringLiteral("Games and favourites cannot be saved in ") + dir.path()
                                      + QStringLiteral("/Tarnwick/: it is a file, not a folder."));
    EXPECT_EQ(prompt.asked[0].owner, &w);
    w.startDeal(QStringLiteral("Penguin"), GameNo::number(5));
    w.startDeal(QStringLiteral("Penguin"), GameNo::number(6));
    w.close();
    EXPECT_EQ(prompt.asked.size(), 1u);
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
    // The export's progress and its report too.
    t.prompt.saveName = t.dir.path() + QStringLiteral("/report.txt");
    w.score()->ExportStat();
    EXPECT_EQ(t.prompt.last(ScriptedPrompt::Asked::LongWork).owner, &w);
    ASSERT_EQ(t.prompt.infos().size(), 1);
    EXPECT_EQ(t.prompt.asked.back().owner, &w);
}

// A drag step paints where the card was and where it is, and the window then
// shows what a paint of the whole table would.
TEST(MainWindow, ADragStepRepaintsOnlyWhereTheCardsWere)
{
    Table t;
    frmMain &w = *t.w;
    w.startDeal(QStringLiteral("Freecell"), GameNo::number(9));
    QApplication::processEvents();
    const int card = t.e().Array.GetTopPicID(PileType::Home, 3);
    QelCard *c = w.PicCards(card);
    const QPointF grab(30, 20);
    sendMouse(c, QEvent::MouseButtonPress, grab, Qt::LeftButton);
    ASSERT_TRUE(t.e().Dragging);
    for (const QPoint step : {QPoint(3, 2), QPoint(40, 33), QPoint(-120, 90), QPoint(200, -150)}) {
        PaintSpy spy(w.PicMain());
        const QRect before = c->geometry();
        sendMouse(c, QEvent::MouseMove, grab + QPointF(step), Qt::LeftButton);
        const QRect after = c->geometry();
        ASSERT_EQ(after.topLeft(), before.topLeft() + step);
        EXPECT_TRUE((QRegion(before).united(after) - spy.painted).isEmpty());
        EXPECT_LE(area(spy.painted), 1.5 * (area(before) + area(after))) << step.x() << "," << step.y();
        EXPECT_TRUE(shownTable(w) == freshTable(w)) << step.x() << "," << step.y();
    }
    sendMouse(c, QEvent::MouseButtonRelease, grab, Qt::NoButton);
}

namespace {
// Checks the picture after every step of an animated move.
class StepTable : public frmMain {
public:
    using frmMain::frmMain;
    void AnimationPause() override
    {
        ++steps;
        if (shownTable(*this) != freshTable(*this))
            ++stale;
    }
    int steps = 0;
    int stale = 0;
};
} // namespace

TEST(MainWindow, EveryStepOfAMoveShowsTheWholeTableAsItStands)
{
    TestData d;
    ScriptedPrompt prompt;
    StepTable w(d.data, prompt);
    w.resize(1100, 850);
    w.show();
    w.startDeal(QStringLiteral("Freecell"), GameNo::number(11));
    EXPECT_EQ(w.steps, 52 * 3);
    const int card = w.engine().Array.GetTopPicID(PileType::Home, 0);
    int32_t mode = 0;
    w.engine().Array.MoveCard(static_cast<int16_t>(card), 4, 0, 0, mode, 7, 0, false);
    EXPECT_GE(w.steps, 52 * 3 + 7);
    EXPECT_EQ(w.stale, 0);
}

// The status tick sets a menu-bar text only when it changes: each new text
// lays the menu bar out again.
TEST(MainWindow, TheStatusTickSetsOnlyTextsThatChange)
{
    Table t;
    frmMain &w = *t.w;
    QDateTime now(QDate(2024, 5, 1), QTime(12, 0, 0));
    t.e().Now = [&now] { return now; };
    w.startDeal(QStringLiteral("Freecell"), GameNo::number(7));
    w.tmrTime_Timer();
    ASSERT_EQ(w.mTime()->text(), QStringLiteral("Time :0:00:00"));
    int changes = 0;
    for (QAction *a : {w.mScore(), w.mTime(), w.mMoves()})
        QObject::connect(a, &QAction::changed, [&changes] { ++changes; });
    w.tmrTime_Timer();
    w.tmrTime_Timer();
    EXPECT_EQ(changes, 0);
    t.d.data.ShowMoves(0);
    w.tmrTime_Timer();
    EXPECT_EQ(w.mMoves()->text(), QString());
    EXPECT_EQ(changes, 1);
    now = now.addSecs(1);
    w.tmrTime_Timer();
    EXPECT_EQ(w.mTime()->text(), QStringLiteral("Time :0:00:01"));
    EXPECT_EQ(changes, 2);
}

// A status caption whose text changes is painted again alone: neither the
// menu bar nor the window around it is laid out again, unless the new text
// needs other room; the bar then shows what a bar laid out afresh shows.
TEST(MainWindow, AStatusCaptionThatChangesIsPaintedAlone)
{
    Table t;
    frmMain &w = *t.w;
    QDateTime now(QDate(2024, 5, 1), QTime(12, 0, 0));
    t.e().Now = [&now] { return now; };
    // The score falls with the time, by one in three seconds, and sometimes
    // gains a digit: without it only the time changes.
    t.d.data.ShowScore(0);
    w.startDeal(QStringLiteral("Freecell"), GameNo::number(7));
    w.tmrTime_Timer();
    QApplication::processEvents();
    QMenuBar *bar = w.menuBar();
    struct Spy : QObject {
        QObject *window = nullptr, *bar = nullptr;
        int layouts = 0;
        QRegion painted;
        bool eventFilter(QObject *o, QEvent *e) override
        {
            if (o == window && e->type() == QEvent::LayoutRequest)
                ++layouts;
            if (o == bar && e->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent *>(e)->region();
            return false;
        }
    } spy;
    spy.window = &w;
    spy.bar = bar;
    w.installEventFilter(&spy);
    bar->installEventFilter(&spy);
    for (int second = 1; second <= 3; ++second) {
        now = now.addSecs(1);
        w.tmrTime_Timer();
        QApplication::processEvents();
        EXPECT_EQ(w.mTime()->text(), QStringLiteral("Time :0:00:0") + QString::number(second));
    }
    EXPECT_EQ(spy.layouts, 0);
    EXPECT_FALSE(spy.painted.isEmpty());
    EXPECT_TRUE((spy.painted - bar->actionGeometry(w.mTime())).isEmpty()) << spy.painted.boundingRect().width();
    const QImage shown = bar->grab().toImage();
    // A text that needs more room lays the bar out again, and so does the
    // way back.
    w.mTime()->setText(QStringLiteral("Time :10:00:00"));
    QApplication::processEvents();
    EXPECT_GE(spy.layouts, 1);
    w.mTime()->setText(QStringLiteral("Time :0:00:03"));
    QApplication::processEvents();
    EXPECT_TRUE(bar->grab().toImage() == shown);
}

// Cards and markers come onto the table and leave it without being shown or
// hidden as widgets: Qt asks the X server where the pointer is for every
// child widget shown under the mouse, one round trip a card. What is not on
// the table stands outside it.
TEST(MainWindow, ADealMovesControlsOnAndOffTheTableWithoutShowingThem)
{
    Table t;
    frmMain &w = *t.w;
    QApplication::processEvents();
    struct Spy : QObject {
        int shows = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Show || e->type() == QEvent::Hide)
                ++shows;
            return false;
        }
    } spy;
    for (QObject *o : w.PicMain()->children())
        o->installEventFilter(&spy);
    for (const char *game : {"Freecell", "Double Freecell", "Eight Off"}) {
        w.startDeal(QString::fromLatin1(game), GameNo::number(3));
        QApplication::processEvents();
        int onTable = 0;
        for (int i = 0; i < MaxCards; ++i) {
            const QelCard *c = w.PicCards(i);
            EXPECT_EQ(c->OnTable(), t.e().Cards[static_cast<size_t>(i)].Visible) << game << " card " << i;
            EXPECT_EQ(w.PicMain()->rect().intersects(c->geometry()), c->OnTable()) << game << " card " << i;
            onTable += c->OnTable();
        }
        EXPECT_EQ(onTable, t.e().Games.TotalCards()) << game;
        EXPECT_TRUE(shownTable(w) == freshTable(w)) << game;
    }
    w.mFile_Click(FileItem::CloseGame);
    QApplication::processEvents();
    for (int i = 0; i < MaxCards; ++i)
        EXPECT_FALSE(w.PicCards(i)->OnTable());
    EXPECT_FALSE(w.markerControl(MarkerKind::Res, 0)->OnTable());
    EXPECT_EQ(spy.shows, 0);
}

// At the fastest card speed a deal draws the table when every card lies (the
// whole table, then what the shown cards add), not once a card; the picture
// is the one a full paint shows.
TEST(MainWindow, AtTheFastestSpeedADealDrawsTheTableWhenItIsDealt)
{
    for (const int16_t speed : {int16_t(0), cData::DefaultCardSpeed}) {
        Table t;
        frmMain &w = *t.w;
        t.d.data.CardSpeed(speed);
        QApplication::processEvents();
        PaintSpy spy(w.PicMain());
        w.startDeal(QStringLiteral("Double Freecell"), GameNo::number(5));
        QApplication::processEvents();
        if (speed == 0)
            EXPECT_LE(spy.tablePaints, 2);
        else
            EXPECT_GT(spy.tablePaints, 104);
        EXPECT_TRUE(w.PicMain()->updatesEnabled());
        EXPECT_TRUE(shownTable(w) == freshTable(w)) << speed;
    }
}
