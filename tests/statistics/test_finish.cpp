// The end-of-game window: what it shows, that it records the win exactly once
// and before it is shown, and what each toolbar button leads to.
#include "records/recordstest.h"
#include "scriptedprompt.h"

#include "charttest.h"
#include "columnstest.h"

#include "statistics/appcontext.h"
#include "statistics/chart.h"
#include "statistics/finish.h"
#include "statistics/highscore.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>
#include <utility>

namespace tw::test {
namespace {

// Passes the engine's records on to the real store and lets a test look at
// the world at the moment the win is recorded.
class WatchingSink : public RecordSink {
public:
    explicit WatchingSink(cScore &s) : store(s) {}
    void AddScore(int16_t Status) override
    {
        if (onAddScore)
            onAddScore(Status);
        store.AddScore(Status);
    }
    void AddSesGame(int16_t Status) override { store.AddSesGame(Status); }
    cScore &store;
    std::function<void(int16_t)> onAddScore;
};

frmFinish *visibleFinish()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<frmFinish *>(w); f && f->isVisible())
            return f;
    return nullptr;
}

// Runs act on the modal window of type W once its event loop runs. A missing
// window fails the test and closes whatever is modal, so nothing hangs.
template<class W>
void whenModal(std::function<void(W *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *m = QApplication::activeModalWidget();
        auto *w = qobject_cast<W *>(m);
        if (!w) {
            ADD_FAILURE() << "the expected modal window is not open";
            if (m)
                m->close();
            return;
        }
        act(w);
    });
}

void clickButton(frmFinish *w, const char *key)
{
    QAction *a = w->Button(QString::fromLatin1(key));
    ASSERT_NE(a, nullptr) << key;
    QWidget *b = w->Toolbar1->widgetForAction(a);
    ASSERT_NE(b, nullptr) << key;
    QTest::mouseClick(b, Qt::LeftButton);
}

QStringList lines(const QListWidget *lv)
{
    QStringList out;
    for (int i = 0; i < lv->count(); ++i)
        out << lv->item(i)->text();
    return out;
}

struct FinishTest : public StoreFixtureWith<ScriptedPrompt> {
    FinishTest()
    {
        d.data.SetSoundPlayer(&sound);
        d.data.SetPlayer(1, QStringLiteral("Player1"), true);
        view.engine = &engine;
        view.onWin = [] {}; // a real win would open the window; these tests open it themselves
        ctx.data = &d.data;
        ctx.score = &score;
        ctx.engine = &engine;
        ctx.mainWindow = nullptr;
        ctx.prompt = &prompt;
        // Windows opened over the end-of-game window run for real.
        prompt.playDialog = ScriptedPrompt::exec;
        ctx.startGame = [this](const QString &name, const GameNo &no) {
            starts.emplace_back(name, no);
            finishOpenAtStart = visibleFinish() != nullptr;
            engine.StartGame(name, no);
        };
        ctx.randomGameNo = [] { return GameNo::number(777); };
        ctx.showSelector = [this] {
            ++selectorShown;
            finishOpenAtStart = visibleFinish() != nullptr;
        };
        ctx.openGameStats = [this] {
            ++statsShown;
            finishOpenUnderStats = visibleFinish() != nullptr;
        };
    }
    // A running game whose last sample holds these figures.
    void wonGame(const QString &name, const GameNo &no, int32_t time, int16_t moves, int16_t sc)
    {
        engine.StartGame(name, no);
        ASSERT_TRUE(d.data.GameRunning());
        d.data.CurTime(time);
        d.data.CurMoves(moves);
        d.data.CurScore(sc);
        sound.played.clear(); // the deal's own sounds
    }

    QByteArray scoreFile() { return readFile(path(QStringLiteral("Player1.sre"))); }
    int wonLines() { return static_cast<int>(scoreFile().count(",1\r\n")); }

    WatchingSink sink{score};
    RecordingView view;
    RecordingSound sound;
    Engine engine{d.data, view, &sink};
    ScriptedPrompt prompt;
    AppContext ctx;
    std::vector<std::pair<QString, GameNo>> starts;
    int selectorShown = 0;
    int statsShown = 0;
    bool finishOpenAtStart = true;
    bool finishOpenUnderStats = false;
};

TEST_F(FinishTest, LoadFillsTheWindowThenPlaysThenRecordsOnceBeforeShowing)
{
    wonGame(QStringLiteral("Freecell"), GameNo::number(123), 300, 57, 120);
    QStringList playedAtRecord;
    int listedAtRecord = -1;
    bool shownAtRecord = true;
    int recordCalls = 0;
    sink.onAddScore = [&](int16_t status) {
        ++recordCalls;
        EXPECT_EQ(status, 1);
        playedAtRecord = sound.played;
        shownAtRecord = visibleFinish() != nullptr;
        for (QWidget *w : QApplication::allWidgets())
            if (auto *f = qobject_cast<frmFinish *>(w))
                listedAtRecord = f->ListView1->count();
    };

    whenModal<frmFinish>([&](frmFinish *w) {
        EXPECT_EQ(w->windowTitle(), "Congrats");
        EXPECT_EQ(w->Frame1->title(), "Freecell");
        EXPECT_EQ(lines(w->ListView1),
                  QStringList({" Game : 123", " Player : Player1", " Time : 0:05:00", " Moves : 57", " Score : 120"}));
        ASSERT_EQ(w->chFin->RowCount(), 1);
        ASSERT_EQ(w->chFin->ColumnCount(), 3);
        EXPECT_EQ(w->chFin->Value(0, 1), 120.0);
        EXPECT_EQ(w->chFin->Value(0, 2), 57.0);
        EXPECT_EQ(w->chFin->Value(0, 3), 300.0);
        EXPECT_EQ(w->chFin->ColumnLabel(1), "Score");
        EXPECT_EQ(w->chFin->ColumnLabel(2), "Moves");
        EXPECT_EQ(w->chFin->ColumnLabel(3), "Time");
        // Minimising and showing again must not record the game a second time.
        w->showMinimized();
        QTest::qWait(10);
        w->showNormal();
        w->hide();
        w->show();
        QTest::qWait(10);
        clickButton(w, "Close");
    });
    EXPECT_EQ(frmFinish::showModal(ctx), frmFinish::Closed);

    EXPECT_EQ(recordCalls, 1);
    EXPECT_EQ(playedAtRecord, QStringList{"WIN"});
    EXPECT_EQ(listedAtRecord, 5);
    EXPECT_FALSE(shownAtRecord);
    EXPECT_EQ(sound.played, QStringList{"WIN"});
    EXPECT_EQ(scoreFile(), line("2024-03-14 17:06:07", "Freecell", "123", 300, 57, 120, 1));
    EXPECT_EQ(score.SesTop(), 1);
    ScoreRec ses;
    score.GetSesRec(1, ses);
    EXPECT_EQ(ses.Status, 1);
    EXPECT_FALSE(d.data.GameRunning());
    EXPECT_TRUE(starts.empty());
}

TEST_F(FinishTest, NegativeScoreIsListedAndRecordedNegativeButChartedAsZero)
{
    wonGame(QStringLiteral("Baker's Game"), GameNo::number(9), 3725, 300, -4);
    whenModal<frmFinish>([](frmFinish *w) {
        EXPECT_EQ(lines(w->ListView1).value(2), " Time : 1:02:05");
        EXPECT_EQ(lines(w->ListView1).value(4), " Score : -4");
        EXPECT_EQ(w->chFin->Value(0, 1), 0.0);
        EXPECT_EQ(w->chFin->Value(0, 2), 300.0);
        EXPECT_EQ(w->chFin->Value(0, 3), 3725.0);
        w->close();
    });
    frmFinish::showModal(ctx);
    EXPECT_EQ(scoreFile(), line("2024-03-14 17:06:07", "Baker's Game", "9", 3725, 300, -4, 1));
}

TEST_F(FinishTest, ToolbarHasSixButtonsWithTextBesidePictures)
{
    wonGame(QStringLiteral("Freecell"), GameNo::number(1), 10, 1, 1);
    frmFinish w(ctx);
    EXPECT_EQ(w.Toolbar1->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    const QList<QAction *> actions = w.Toolbar1->actions();
    QStringList texts, keys;
    for (QAction *a : actions) {
        texts << a->text();
        keys << a->data().toString();
        EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
    }
    EXPECT_EQ(texts, QStringList({"New Game", "Select Game", "Restart Game", "Statistics", "High Score", "Close"}));
    EXPECT_EQ(keys, QStringList({"New", "Select", "Restart", "Statistics", "Highscore", "Close"}));
    // An unknown key does nothing.
    w.show();
    w.Toolbar1_ButtonClick(QStringLiteral("Whatever"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.result(), 0);
}

TEST_F(FinishTest, RestartDealsTheSameNumberOfTheSameKindAfterClosing)
{
    wonGame(QStringLiteral("Freecell"), GameNo::number(123), 60, 10, 50);
    whenModal<frmFinish>([](frmFinish *w) { clickButton(w, "Restart"); });
    EXPECT_EQ(frmFinish::showModal(ctx), frmFinish::RestartGame);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].first, "Freecell");
    EXPECT_EQ(starts[0].second, GameNo::number(123));
    EXPECT_FALSE(finishOpenAtStart);
    EXPECT_TRUE(d.data.GameRunning());
    EXPECT_EQ(d.data.CurGNo(), GameNo::number(123));
    EXPECT_EQ(wonLines(), 1);

    // Abandoning the new deal adds a lost game; the win stays recorded once.
    engine.EndGame(0);
    EXPECT_EQ(wonLines(), 1);
    EXPECT_EQ(scoreFile().count(",0\r\n"), 1);

    // A typed game number comes back as text.
    wonGame(QStringLiteral("Zodiac"), GameNo::text(QStringLiteral("my deal")), 60, 10, 50);
    whenModal<frmFinish>([](frmFinish *w) {
        EXPECT_EQ(lines(w->ListView1).value(0), " Game : my deal");
        clickButton(w, "Restart");
    });
    frmFinish::showModal(ctx);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1].first, "Zodiac");
    EXPECT_EQ(starts[1].second, GameNo::text(QStringLiteral("my deal")));
    EXPECT_TRUE(d.data.CurGNo().isText());
}

TEST_F(FinishTest, NewGameStartsTheLastGameNameWithANewNumber)
{
    wonGame(QStringLiteral("Freecell"), GameNo::number(123), 60, 10, 50);
    // The last-game setting decides, not the name of the game just won.
    d.data.LastGName(QStringLiteral("Zodiac"));
    whenModal<frmFinish>([](frmFinish *w) { clickButton(w, "New"); });
    EXPECT_EQ(frmFinish::showModal(ctx), frmFinish::NewGame);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].first, "Zodiac");
    EXPECT_EQ(starts[0].second, GameNo::number(777));
    EXPECT_FALSE(finishOpenAtStart);
    EXPECT_TRUE(d.data.GameRunning());
    EXPECT_EQ(d.data.CurGName(), "Zodiac");
    EXPECT_EQ(wonLines(), 1);
}

TEST_F(FinishTest, SelectShowsTheSelectorAfterClosing)
{
    wonGame(QStringLiteral("Freecell"), GameNo::number(5), 60, 10, 50);
    whenModal<frmFinish>([](frmFinish *w) { clickButton(w, "Select"); });
    EXPECT_EQ(frmFinish::showModal(ctx), frmFinish::SelectGame);
    EXPECT_EQ(selectorShown, 1);
    EXPECT_FALSE(finishOpenAtStart);
    EXPECT_TRUE(starts.empty());
}

TEST_F(FinishTest, CloseButtonAndCloseBoxOnlyClose)
{
    wonGame(QStringLiteral("Freecell"), GameNo::number(5), 60, 10, 50);
    whenModal<frmFinish>([](frmFinish *w) { clickButton(w, "Close"); });
    EXPECT_EQ(frmFinish::showModal(ctx), frmFinish::Closed);
    EXPECT_FALSE(d.data.GameRunning());
    for (int i = 0; i < MaxCards; ++i)
        EXPECT_FALSE(engine.Cards[static_cast<size_t>(i)].Visible) << i;

    wonGame(QStringLiteral("Freecell"), GameNo::number(6), 60, 10, 50);
    whenModal<frmFinish>([](frmFinish *w) { w->close(); });
    EXPECT_EQ(frmFinish::showModal(ctx), frmFinish::Closed);
    EXPECT_FALSE(d.data.GameRunning());
    EXPECT_TRUE(starts.empty());
    EXPECT_EQ(selectorShown, 0);
    EXPECT_EQ(wonLines(), 2); // one per win, nothing more on closing
    EXPECT_EQ(score.SesTop(), 2);
}

TEST_F(FinishTest, StatisticsAndHighScoreOpenOverTheWindowWhichStaysOpen)
{
    wonGame(QStringLiteral("Freecell"), GameNo::number(5), 60, 10, 50);
    QWidget *hookOwner = nullptr;
    bool finishVisibleInHook = false;
    int hookCalls = 0;
    prompt.dialogs.push_back(ScriptedPrompt::exec); // the end-of-game window itself
    prompt.dialogs.push_back([&](QDialog &dlg) {
        ++hookCalls;
        QWidget *owner = dlg.parentWidget();
        hookOwner = owner;
        finishVisibleInHook = visibleFinish() == owner && owner;
        EXPECT_NE(qobject_cast<frmHighScore *>(&dlg), nullptr);
        // The high-score window works on the program's score store: it has
        // loaded its table while it is open.
        EXPECT_EQ(score.ScoreTop(), 1);
        return 0;
    });
    QPointer<frmFinish> seen;
    whenModal<frmFinish>([&](frmFinish *w) {
        seen = w;
        clickButton(w, "Highscore");
        EXPECT_TRUE(w->isVisible());
        clickButton(w, "Statistics");
        EXPECT_TRUE(w->isVisible());
        clickButton(w, "Close");
    });
    EXPECT_EQ(frmFinish::showModal(ctx), frmFinish::Closed);
    // Both windows ran through the prompt, the end-of-game window first.
    QList<QByteArray> run;
    for (const ScriptedPrompt::Asked &a : prompt.asked)
        if (a.kind == ScriptedPrompt::Asked::Dialog)
            run << a.dialogClass;
    EXPECT_EQ(run, (QList<QByteArray>{"tw::frmFinish", "tw::frmHighScore"}));
    EXPECT_EQ(hookCalls, 1);
    EXPECT_EQ(statsShown, 1);
    EXPECT_TRUE(finishVisibleInHook);
    EXPECT_TRUE(finishOpenUnderStats);
    EXPECT_NE(hookOwner, nullptr);
    EXPECT_TRUE(seen.isNull()); // the window is gone once showModal returns
    EXPECT_TRUE(starts.empty());
    EXPECT_EQ(wonLines(), 1);
}

TEST_F(FinishTest, HighScoreWindowAlreadyListsTheGameJustWon)
{
    wonGame(QStringLiteral("Freecell"), GameNo::number(42), 60, 10, 88);
    int topRows = -1;
    QString topScore;
    whenModal<frmFinish>([&](frmFinish *w) {
        whenModal<frmHighScore>([&](frmHighScore *h) {
            topRows = h->lvTop->topLevelItemCount();
            if (topRows > 0)
                topScore = h->lvTop->topLevelItem(0)->text(3);
            EXPECT_EQ(h->parentWidget(), w);
            h->close();
        });
        clickButton(w, "Highscore");
        // The high-score window gave the loaded table back when it closed.
        EXPECT_EQ(score.ScoreTop(), 0);
        EXPECT_TRUE(w->isVisible());
        w->close();
    });
    frmFinish::showModal(ctx);
    EXPECT_EQ(topRows, 1);
    EXPECT_EQ(topScore, "88");
}

} // namespace

TEST_F(FinishTest, TheLongestNameAndNumberAndALongGameAreShownWhole)
{
    d.data.SetPlayer(1, widestPlayer(), true);
    wonGame(widestGameName(QApplication::font()), GameNo::number(999999999999999), 359999, 32767, 32767);
    frmFinish w(ctx);
    w.show();
    EXPECT_TRUE(cutRows(w.ListView1).isEmpty()) << cutRows(w.ListView1).join(" | ").toStdString();
    EXPECT_TRUE(cutTexts(w.chFin).isEmpty()) << cutTexts(w.chFin).join(" | ").toStdString();
    EXPECT_TRUE(wholeTicks(valueAxis(w.chFin)));
    ASSERT_NE(w.chFin->TimeAxis(), nullptr);
    EXPECT_TRUE(wholeTicks(w.chFin->TimeAxis()));
    for (const QString &text : chartTexts(w.chFin))
        EXPECT_FALSE(text.contains('.')) << text.toStdString();
}

// The chart's one group is this game, named by its number as the list names
// it, and its time stands in minutes beside the score and the moves.
TEST_F(FinishTest, TheChartNamesItsGameAndGivesTheTimeItsOwnAxis)
{
    wonGame(QStringLiteral("Freecell"), GameNo::number(4711), 90000, 120, 40);
    frmFinish w(ctx);
    w.show();
    EXPECT_EQ(groupAxisLabels(w.chFin), (QMap<int, QString>{{0, QStringLiteral("Game 4711")}}));
    ASSERT_NE(w.chFin->TimeAxis(), nullptr);
    EXPECT_EQ(w.chFin->TimeAxis()->labelFormat(), QStringLiteral("%d min"));
    EXPECT_LT(emptyAbove(valueAxis(w.chFin), 120), 0.05);
    EXPECT_LT(emptyAbove(w.chFin->TimeAxis(), 1500), 0.05);
    EXPECT_EQ(w.chFin->Value(0, 3), 90000.0);
}

} // namespace tw::test
