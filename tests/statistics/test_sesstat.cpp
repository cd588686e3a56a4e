#include "statistics/sesstat.h"

#include "engine/clock.h"
#include "records/score.h"
#include "scriptedprompt.h"
#include "testutil.h"
#include "uitestutil.h"

#include "charttest.h"
#include "columnstest.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

using namespace tw;
using namespace tw::test;

namespace {

const QColor kDarkRed(120, 0, 0);

QStringList rowTexts(const QTreeWidgetItem *item)
{
    QStringList out;
    for (int c = 0; c < item->columnCount(); ++c)
        out << item->text(c);
    return out;
}

QStringList headers(const QTreeWidget *list) { return rowTexts(list->headerItem()); }

bool allDarkRed(const QTreeWidgetItem *item)
{
    for (int c = 0; c < item->columnCount(); ++c)
        if (item->foreground(c).color() != kDarkRed)
            return false;
    return true;
}

bool noneDarkRed(const QTreeWidgetItem *item)
{
    for (int c = 0; c < item->columnCount(); ++c)
        if (item->foreground(c).color() == kDarkRed)
            return false;
    return true;
}

// A table with an engine, a real score store over a temporary data folder and
// a clock the test moves.
struct SesStatFixture : public ::testing::Test {
    SesStatFixture()
    {
        t.d.data.SetAppDataLookup([this] { return tmp.path(); });
        QDir().mkpath(t.d.data.AppDir());
        t.engine.Now = [this] { return now; };
        t.d.data.SesStartTime(sessionStart);
        t.d.data.CurPlayer(QStringLiteral("Ann"));
        ctx.data = &t.d.data;
        ctx.score = &score;
        ctx.engine = &t.engine;
        ctx.prompt = &prompt;
    }

    // Records a finished game of the session as the end of a game does.
    void finished(const QString &name, const GameNo &no, int32_t time, int16_t moves, int16_t sc, int16_t status,
                  const QString &player = QStringLiteral("Ann"))
    {
        t.d.data.CurGName(name);
        t.d.data.CurGNo(no);
        t.d.data.CurTime(time);
        t.d.data.CurMoves(moves);
        t.d.data.CurScore(sc);
        t.d.data.CurPlayer(player);
        score.AddSesGame(status);
    }

    // Starts a game and lets its clock run for the given seconds, sampled as
    // the main window's tick does.
    void running(const QString &name, qint64 number, int seconds)
    {
        t.d.data.CurPlayer(QStringLiteral("Bob"));
        t.start(name, number);
        ASSERT_TRUE(t.d.data.GameRunning());
        now = now.addSecs(seconds);
        t.engine.SampleStatus();
    }

    std::unique_ptr<frmSesStat> open()
    {
        auto w = std::make_unique<frmSesStat>(ctx);
        w->Now = [this] { return now; };
        w->Timer1_Timer(); // the window's clock is the test's from here on
        return w;
    }

    QTemporaryDir tmp;
    TestTable t;
    cScore score{t.d.data};
    ScriptedPrompt prompt;
    AppContext ctx;
    QDateTime sessionStart{QDate(2024, 3, 14), QTime(10, 0, 0, 700)};
    QDateTime now{QDate(2024, 3, 14), QTime(10, 0, 5, 100)};
};

TEST_F(SesStatFixture, LayoutCaptionsAndTimer)
{
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Session Statistics"));
    ASSERT_EQ(w->SSTab1->count(), 2);
    EXPECT_EQ(w->SSTab1->tabText(0), QStringLiteral("Summary"));
    EXPECT_EQ(w->SSTab1->tabText(1), QStringLiteral("Session Details"));
    EXPECT_EQ(w->SSTab1->currentIndex(), 0);
    EXPECT_EQ(headers(w->lvSession), QStringList({"Game", "Game No", "Player", "Time", "Moves", "Status", "Score"}));
    EXPECT_EQ(headers(w->lvSesChart), QStringList({"No.", "Time", "Moves", "Score"}));
    EXPECT_EQ(w->Frame1->title(), QStringLiteral("This Session"));
    EXPECT_EQ(w->Frame2->title(), QStringLiteral("This Game"));
    EXPECT_TRUE(w->Frame3->title().isEmpty());
    EXPECT_EQ(w->cmdRefresh->text(), QStringLiteral("Refresh Chart"));
    EXPECT_EQ(w->cmdClose->text(), QStringLiteral("Close"));
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_EQ(w->Timer1->interval(), 500);
    EXPECT_FALSE(w->lvSession->rootIsDecorated());

    // The timer fires on its own while the window is up.
    const QString before = w->lblSesElapsedTime->text();
    now = now.addSecs(3);
    w->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return w->lblSesElapsedTime->text() != before; }, 2000));
    EXPECT_EQ(w->lblSesElapsedTime->text(), QStringLiteral("Time Elapsed : 0:00:08"));

    // Close ends the window and its timer.
    QTest::mouseClick(w->cmdClose, Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);
}

TEST_F(SesStatFixture, TheModalEntryRunsTheWindowThroughThePrompt)
{
    finished(QStringLiteral("Freecell"), GameNo::number(1), 60, 20, 100, 1);
    // Should the window block in an event loop of its own, it is closed
    // rather than left hanging.
    const test::ModalWatchdog watchdog(2000);
    QString played;
    prompt.dialogs.push_back([&](QDialog &dlg) {
        auto *w = qobject_cast<frmSesStat *>(&dlg);
        EXPECT_NE(w, nullptr);
        if (w)
            played = w->lblSesPlayed->text();
        return int(QDialog::Accepted);
    });
    QWidget owner;
    EXPECT_EQ(frmSesStat::showModal(ctx, &owner), QDialog::Accepted);
    ASSERT_EQ(prompt.count(ScriptedPrompt::Asked::Dialog), 1);
    const ScriptedPrompt::Asked a = prompt.last(ScriptedPrompt::Asked::Dialog);
    EXPECT_EQ(a.dialogClass, "tw::frmSesStat");
    EXPECT_EQ(a.text, "Session Statistics");
    EXPECT_EQ(a.ownerClass, "QWidget");
    EXPECT_EQ(played, "Games Played : 1");
}

TEST_F(SesStatFixture, EmptySessionGivesZerosAndAnEmptyChart)
{
    auto w = open();
    EXPECT_EQ(w->lvSession->topLevelItemCount(), 0);
    EXPECT_EQ(w->lvSesChart->topLevelItemCount(), 0);
    EXPECT_EQ(w->lblSesStarted->text(), QStringLiteral("Started : ") + t.d.data.SesStartTime());
    EXPECT_EQ(w->lblSesPlayed->text(), QStringLiteral("Games Played : 0"));
    EXPECT_EQ(w->lblSesWon->text(), QStringLiteral("Games Won : 0"));
    EXPECT_EQ(w->lblSesLost->text(), QStringLiteral("Games Lost : 0"));
    EXPECT_EQ(w->lblsesScore->text(), QStringLiteral("Total Score : 0"));
    EXPECT_EQ(w->lblSesMoves->text(), QStringLiteral("Total Moves : 0"));
    // 10:00:00.7 to 10:00:05.1 crosses five whole seconds.
    EXPECT_EQ(w->lblSesElapsedTime->text(), QStringLiteral("Time Elapsed : 0:00:05"));

    EXPECT_EQ(w->lblGameStarted->text(), QStringLiteral("Game Started : "));
    EXPECT_EQ(w->lblGameName->text(), QStringLiteral("Game : "));
    EXPECT_EQ(w->lblGameNo->text(), QStringLiteral("Game Number : "));
    EXPECT_EQ(w->lblGameScore->text(), QStringLiteral("Score : 0"));
    EXPECT_EQ(w->lblGameMoves->text(), QStringLiteral("Moves : 0"));
    EXPECT_EQ(w->lblGameTime->text(), QStringLiteral("Time Elapsed : 0:00:00"));
    EXPECT_EQ(w->lblPlayer->text(), QStringLiteral("Player Name : Ann"));

    ASSERT_EQ(w->chSummary->RowCount(), 1);
    ASSERT_EQ(w->chSummary->ColumnCount(), 2);
    EXPECT_EQ(w->chSummary->Value(0, 1), 0.0);
    EXPECT_EQ(w->chSummary->Value(0, 2), 0.0);
    EXPECT_EQ(w->chSummary->ColumnLabel(1), QStringLiteral("Won : 0"));
    EXPECT_EQ(w->chSummary->ColumnLabel(2), QStringLiteral("Lost : 0"));

    // One empty row of three columns.
    ASSERT_EQ(w->chChart->RowCount(), 1);
    ASSERT_EQ(w->chChart->ColumnCount(), 3);
    for (int c = 1; c <= 3; ++c)
        EXPECT_FALSE(w->chChart->Value(0, c).has_value()) << c;
    EXPECT_EQ(w->chChart->ColumnLabel(1), QStringLiteral("Score"));
    EXPECT_EQ(w->chChart->ColumnLabel(2), QStringLiteral("Moves"));
    EXPECT_EQ(w->chChart->ColumnLabel(3), QStringLiteral("Time"));

    // No game runs: Refresh changes nothing.
    const auto before = w->SesChartData();
    QTest::mouseClick(w->cmdRefresh, Qt::LeftButton);
    EXPECT_EQ(w->SesChartData(), before);
    EXPECT_FALSE(w->chChart->Value(0, 1).has_value());
}

TEST_F(SesStatFixture, FinishedGamesAndTheRunningGame)
{
    finished(QStringLiteral("Freecell"), GameNo::number(123), 75, 40, 300, 1);
    finished(QStringLiteral("Penguin"), GameNo::text(QStringLiteral("abc")), 3725, 12, -20, 0, QStringLiteral("Cara"));
    finished(QStringLiteral("Avenue"), GameNo::number(999999999999999), 10, 3, 5, 1);
    running(QStringLiteral("Bastion"), 42, 65);
    const int16_t runScore = t.d.data.CurScore();
    const int16_t runMoves = t.d.data.CurMoves();
    ASSERT_EQ(t.d.data.CurTime(), 65);

    auto w = open();
    EXPECT_EQ(w->lblSesPlayed->text(), QStringLiteral("Games Played : 3"));
    EXPECT_EQ(w->lblSesWon->text(), QStringLiteral("Games Won : 2"));
    EXPECT_EQ(w->lblSesLost->text(), QStringLiteral("Games Lost : 1"));
    EXPECT_EQ(w->lblsesScore->text(), QStringLiteral("Total Score : 285"));
    EXPECT_EQ(w->lblSesMoves->text(), QStringLiteral("Total Moves : 55"));

    ASSERT_EQ(w->lvSession->topLevelItemCount(), 4);
    EXPECT_EQ(rowTexts(w->lvSession->topLevelItem(0)),
              QStringList({"Freecell", "123", "Ann", "0:01:15", "40", "Won", "300"}));
    EXPECT_EQ(rowTexts(w->lvSession->topLevelItem(1)),
              QStringList({"Penguin", "abc", "Cara", "1:02:05", "12", "Lost", "-20"}));
    EXPECT_EQ(rowTexts(w->lvSession->topLevelItem(2)),
              QStringList({"Avenue", "999999999999999", "Ann", "0:00:10", "3", "Won", "5"}));
    QTreeWidgetItem *run = w->lvSession->topLevelItem(3);
    EXPECT_EQ(rowTexts(run), QStringList({"Bastion", "42", "Bob", "0:01:05", QString::number(runMoves), "Running",
                                          QString::number(runScore)}));
    EXPECT_TRUE(allDarkRed(run));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(noneDarkRed(w->lvSession->topLevelItem(i))) << i;
    EXPECT_FALSE(w->lvSession->topLevelItem(0)->icon(0).isNull());
    EXPECT_FALSE(run->icon(0).isNull());
    EXPECT_NE(w->lvSession->topLevelItem(0)->icon(0).pixmap(16).toImage(), run->icon(0).pixmap(16).toImage());

    ASSERT_EQ(w->lvSesChart->topLevelItemCount(), 4);
    EXPECT_EQ(rowTexts(w->lvSesChart->topLevelItem(0)), QStringList({"1", "0:01:15", "40", "300"}));
    EXPECT_EQ(rowTexts(w->lvSesChart->topLevelItem(1)), QStringList({"2", "1:02:05", "12", "-20"}));
    EXPECT_EQ(rowTexts(w->lvSesChart->topLevelItem(3)),
              QStringList({"4", "0:01:05", QString::number(runMoves), QString::number(runScore)}));
    EXPECT_TRUE(allDarkRed(w->lvSesChart->topLevelItem(3)));
    EXPECT_TRUE(noneDarkRed(w->lvSesChart->topLevelItem(2)));

    // Score, moves, time in that column order, one row per game and the
    // running game last.
    const QList<ChartControl::Row> expected = {{300.0, 40.0, 75.0},
                                               {-20.0, 12.0, 3725.0},
                                               {5.0, 3.0, 10.0},
                                               {double(runScore), double(runMoves), 65.0}};
    EXPECT_EQ(w->SesChartData(), expected);
    ASSERT_EQ(w->chChart->RowCount(), 4);
    for (int r = 0; r < 4; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(w->chChart->Value(r, c), expected[r][c - 1]) << r << ',' << c;

    ASSERT_EQ(w->chSummary->RowCount(), 1);
    EXPECT_EQ(w->chSummary->Value(0, 1), 2.0);
    EXPECT_EQ(w->chSummary->Value(0, 2), 1.0);
    EXPECT_EQ(w->chSummary->ColumnLabel(1), QStringLiteral("Won : 2"));
    EXPECT_EQ(w->chSummary->ColumnLabel(2), QStringLiteral("Lost : 1"));

    EXPECT_EQ(w->lblGameStarted->text(), QStringLiteral("Game Started : ") + t.d.data.GameStartTime());
    EXPECT_NE(w->lblGameStarted->text(), QStringLiteral("Game Started : "));
    EXPECT_EQ(w->lblGameName->text(), QStringLiteral("Game : Bastion"));
    EXPECT_EQ(w->lblGameNo->text(), QStringLiteral("Game Number : 42"));
    EXPECT_EQ(w->lblGameScore->text(), QStringLiteral("Score : ") + QString::number(runScore));
    EXPECT_EQ(w->lblGameMoves->text(), QStringLiteral("Moves : ") + QString::number(runMoves));
    EXPECT_EQ(w->lblGameTime->text(), QStringLiteral("Time Elapsed : 0:01:05"));
    EXPECT_EQ(w->lblPlayer->text(), QStringLiteral("Player Name : Bob"));
}

// A player's name, and a game number typed as text, show as they were typed:
// "<b>Big<br>Tom<i>J" is no bold "Big", line break and italic "J".
TEST_F(SesStatFixture, NamesAndNumbersAreShownAsTypedNotAsMarkup)
{
    const QString name = QStringLiteral("<b>Big<br>Tom<i>J");
    finished(QStringLiteral("Freecell"), GameNo::text(QStringLiteral("<u>7")), 100, 20, 50, 1, name);
    t.d.data.CurPlayer(name);
    t.start(QStringLiteral("Penguin"), 5);
    ASSERT_TRUE(t.d.data.GameRunning());

    auto w = open();
    EXPECT_EQ(w->lblPlayer->text(), QStringLiteral("Player Name : ") + name);
    EXPECT_TRUE(labelsReadingMarkup(*w, name).isEmpty()) << labelsReadingMarkup(*w, name).join(" | ").toStdString();
    // Every label of the window, whatever it shows now.
    EXPECT_TRUE(labelsReadingMarkup(*w, QString()).isEmpty())
        << labelsReadingMarkup(*w, QString()).join(" | ").toStdString();
    ASSERT_EQ(w->lvSession->topLevelItemCount(), 2);
    EXPECT_EQ(w->lvSession->topLevelItem(0)->text(1), QStringLiteral("<u>7"));
    EXPECT_EQ(w->lvSession->topLevelItem(0)->text(2), name);
    EXPECT_EQ(w->lvSession->topLevelItem(1)->text(2), name);
}

// One score of -5 beside a 25-hour game: the scores and moves keep an axis
// that just holds them, the time stands in minutes on its own; the summary's
// one group is the session.
TEST_F(SesStatFixture, ChartsStayReadableBesideALongGame)
{
    finished(QStringLiteral("Freecell"), GameNo::number(1), 90000, 120, -5, 0);
    finished(QStringLiteral("Penguin"), GameNo::number(2), 300, 80, 250, 1);
    auto w = open();
    const QValueAxis *values = valueAxis(w->chChart);
    const QValueAxis *minutes = w->chChart->TimeAxis();
    ASSERT_NE(minutes, nullptr);
    EXPECT_LT(emptyBelow(values, -5), 0.05) << values->min();
    EXPECT_LT(emptyAbove(values, 250), 0.05) << values->max();
    EXPECT_LT(emptyAbove(minutes, 1500), 0.05) << minutes->max();
    EXPECT_EQ(minutes->labelFormat(), QStringLiteral("%d min"));
    EXPECT_EQ(w->chChart->Value(0, 3), 90000.0);

    EXPECT_EQ(groupAxisLabels(w->chSummary), (QMap<int, QString>{{0, QStringLiteral("This Session")}}));
    EXPECT_EQ(w->chSummary->TimeAxis(), nullptr);
}

TEST_F(SesStatFixture, TimerUpdatesTimeAndScoreRefreshUpdatesTheChart)
{
    finished(QStringLiteral("Freecell"), GameNo::number(7), 100, 20, 50, 1);
    running(QStringLiteral("Penguin"), 5, 30);
    auto w = open();
    const QList<ChartControl::Row> atLoad = w->SesChartData();
    const QString movesCell = w->lvSession->topLevelItem(1)->text(4);
    const QString movesLabel = w->lblGameMoves->text();

    // The main window's tick samples again: time, moves and score all move on.
    now = now.addSecs(90);
    t.d.data.CurTime(t.engine.GetGameSeconds());
    t.d.data.CurMoves(17);
    t.d.data.CurScore(t.engine.CalcScore());
    const QString time = FormatTime(t.d.data.CurTime());
    const QString score = QString::number(t.d.data.CurScore());
    ASSERT_EQ(time, QStringLiteral("0:02:00"));
    w->Timer1_Timer();

    EXPECT_EQ(w->lblSesElapsedTime->text(), QStringLiteral("Time Elapsed : 0:02:05"));
    EXPECT_EQ(w->lblGameTime->text(), QStringLiteral("Time Elapsed : ") + time);
    EXPECT_EQ(w->lblGameScore->text(), QStringLiteral("Score : ") + score);
    QTreeWidgetItem *run = w->lvSession->topLevelItem(1);
    EXPECT_EQ(run->text(3), time);
    EXPECT_EQ(run->text(6), score);
    QTreeWidgetItem *chartRun = w->lvSesChart->topLevelItem(1);
    EXPECT_EQ(chartRun->text(1), time);
    EXPECT_EQ(chartRun->text(3), score);
    // Moves and the charts wait.
    EXPECT_EQ(run->text(4), movesCell);
    EXPECT_EQ(chartRun->text(2), movesCell);
    EXPECT_EQ(w->lblGameMoves->text(), movesLabel);
    EXPECT_EQ(w->SesChartData(), atLoad);
    EXPECT_EQ(w->chChart->Value(1, 3), 30.0);
    // The finished game's row is left alone.
    EXPECT_EQ(rowTexts(w->lvSession->topLevelItem(0)),
              QStringList({"Freecell", "7", "Ann", "0:01:40", "20", "Won", "50"}));

    QTest::mouseClick(w->cmdRefresh, Qt::LeftButton);
    const QList<ChartControl::Row> refreshed = {{50.0, 20.0, 100.0}, {double(t.d.data.CurScore()), 17.0, 120.0}};
    EXPECT_EQ(w->SesChartData(), refreshed);
    ASSERT_EQ(w->chChart->RowCount(), 2);
    EXPECT_EQ(w->chChart->Value(1, 1), double(t.d.data.CurScore()));
    EXPECT_EQ(w->chChart->Value(1, 2), 17.0);
    EXPECT_EQ(w->chChart->Value(1, 3), 120.0);
    EXPECT_EQ(w->chChart->Value(0, 3), 100.0);
    EXPECT_EQ(w->chChart->ColumnLabel(1), QStringLiteral("Score"));
    EXPECT_EQ(w->chChart->ColumnLabel(2), QStringLiteral("Moves"));
    EXPECT_EQ(w->chChart->ColumnLabel(3), QStringLiteral("Time"));
}

TEST_F(SesStatFixture, NoGameRunningKeepsTheLastGamesFigures)
{
    running(QStringLiteral("Penguin"), 77, 40);
    const int16_t lastScore = t.d.data.CurScore();
    t.engine.EndGame(0);
    score.AddSesGame(0); // the engine's sink is a fake; record it here
    ASSERT_FALSE(t.d.data.GameRunning());

    auto w = open();
    ASSERT_EQ(w->lvSession->topLevelItemCount(), 1);
    EXPECT_EQ(w->lvSession->topLevelItem(0)->text(5), QStringLiteral("Lost"));
    EXPECT_TRUE(noneDarkRed(w->lvSession->topLevelItem(0)));
    ASSERT_EQ(w->lvSesChart->topLevelItemCount(), 1);
    EXPECT_EQ(w->lblGameName->text(), QStringLiteral("Game : Penguin"));
    EXPECT_EQ(w->lblGameNo->text(), QStringLiteral("Game Number : 77"));
    EXPECT_EQ(w->lblGameTime->text(), QStringLiteral("Time Elapsed : 0:00:40"));
    EXPECT_EQ(w->lblGameScore->text(), QStringLiteral("Score : ") + QString::number(lastScore));
    ASSERT_EQ(w->chChart->RowCount(), 2);
    EXPECT_FALSE(w->chChart->Value(1, 1).has_value());

    const QString gameTime = w->lblGameTime->text();
    now = now.addSecs(60);
    t.d.data.CurTime(999);
    w->Timer1_Timer();
    EXPECT_EQ(w->lblGameTime->text(), gameTime);
    EXPECT_EQ(w->lvSession->topLevelItem(0)->text(3), QStringLiteral("0:00:40"));
    EXPECT_EQ(w->lblSesElapsedTime->text(), QStringLiteral("Time Elapsed : 0:01:45"));

    const auto before = w->SesChartData();
    w->cmdRefresh_Click();
    EXPECT_EQ(w->SesChartData(), before);
}

TEST_F(SesStatFixture, GameStartedAfterLoadTouchesNoListRow)
{
    finished(QStringLiteral("Freecell"), GameNo::number(1), 10, 2, 3, 1);
    auto w = open();
    ASSERT_EQ(w->lvSession->topLevelItemCount(), 1);
    const QStringList row = rowTexts(w->lvSession->topLevelItem(0));
    const QStringList chartRow = rowTexts(w->lvSesChart->topLevelItem(0));

    // A game runs now, but the lists have no row for it: only the labels move.
    t.d.data.GameRunning(true);
    t.d.data.CurTime(61);
    t.d.data.CurScore(9);
    w->Timer1_Timer();
    EXPECT_EQ(w->lvSession->topLevelItemCount(), 1);
    EXPECT_EQ(rowTexts(w->lvSession->topLevelItem(0)), row);
    EXPECT_EQ(rowTexts(w->lvSesChart->topLevelItem(0)), chartRow);
    EXPECT_EQ(w->lblGameTime->text(), QStringLiteral("Time Elapsed : 0:01:01"));
    EXPECT_EQ(w->lblGameScore->text(), QStringLiteral("Score : 9"));
    t.d.data.GameRunning(false);
}

} // namespace

TEST_F(SesStatFixture, NoListCutsTheLongestNamesOrNumbers)
{
    const QString game = widestGameName(QApplication::font());
    for (int i = 0; i < 3; ++i)
        finished(game, GameNo::number(999999999999999 - i), 359999, 32767, -32768, 1, widestPlayer());
    running(game, 999999999999999, 65);
    auto w = open();
    w->show();
    EXPECT_TRUE(cutColumns(w->lvSession).isEmpty()) << cutColumns(w->lvSession).join(" | ").toStdString();
    EXPECT_TRUE(columnsInView(w->lvSession));
    w->SSTab1->setCurrentIndex(1);
    EXPECT_TRUE(cutColumns(w->lvSesChart).isEmpty()) << cutColumns(w->lvSesChart).join(" | ").toStdString();
    EXPECT_TRUE(columnsInView(w->lvSesChart));
}

TEST_F(SesStatFixture, ChartsNumberTheGamesAndShowWholeNumbersUncut)
{
    for (int i = 0; i < 40; ++i)
        finished(QStringLiteral("Freecell"), GameNo::number(i), 36000 + i, 300, 30000, i % 3 == 0);
    auto w = open();
    w->show();
    w->SSTab1->setCurrentIndex(1);
    for (const ChartControl *chart : {w->chChart, w->chSummary}) {
        const std::string name = chart->objectName().toStdString();
        EXPECT_TRUE(cutTexts(chart).isEmpty()) << name << ": " << cutTexts(chart).join(" | ").toStdString();
        EXPECT_TRUE(wholeTicks(valueAxis(chart))) << name;
        for (const QString &text : chartTexts(chart))
            EXPECT_FALSE(text.contains('.')) << name << ": " << text.toStdString();
    }
    // The groups carry the games' numbers in the session, as the list does.
    const QMap<int, QString> shown = groupAxisLabels(w->chChart);
    EXPECT_GE(shown.size(), 4);
    for (auto it = shown.begin(); it != shown.end(); ++it)
        EXPECT_EQ(it.value(), QString::number(it.key() + 1));
}

TEST_F(SesStatFixture, AFullSessionTableIsListed)
{
    // The session table stops at 32767 games; the window lists them all.
    for (int i = 0; i < 32800; ++i)
        finished(QStringLiteral("Freecell"), GameNo::number(i), 60, 10, 5, 1);
    ASSERT_EQ(score.SesTop(), 32767);
    auto w = open();
    EXPECT_EQ(w->lvSession->topLevelItemCount(), 32767);
    EXPECT_EQ(w->lvSesChart->topLevelItemCount(), 32767);
    EXPECT_EQ(w->lvSesChart->topLevelItem(32766)->text(0), QStringLiteral("32767"));
    EXPECT_EQ(w->SesChartData().size(), 32768);
}
