#include "records/recordstest.h"
#include "scriptedprompt.h"

#include "charttest.h"
#include "columnstest.h"

#include "statistics/chart.h"
#include "statistics/gamestat.h"

#include <QApplication>
#include <QComboBox>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <limits>

using namespace tw;
using namespace tw::test;

namespace {

using Cells = QList<std::optional<double>>;

class GameStatWindow : public StoreFixtureWith<ScriptedPrompt> {
protected:
    GameStatWindow()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        d.data.SetPlayer(1, "Ann", true);
        d.data.SetPlayer(2, "Bob", false);
        d.data.CurGName("Freecell");
        ctx.data = &d.data;
        ctx.score = &score;
        ctx.prompt = &ui;
    }
    ~GameStatWindow() override { QLocale::setDefault(QLocale::c()); }

    void records(const QString &player, const QList<QByteArray> &lines)
    {
        QByteArray bytes;
        for (const QByteArray &l : lines)
            bytes += l;
        writeFile(path(player + ".sre"), bytes);
    }
    static QByteArray rec(int no, const char *gname, int time, int moves, int sc, int status,
                          const char *date = "2024-03-14 12:00:00")
    {
        return line(date, gname, QByteArray::number(no).constData(), time, moves, sc, status);
    }
    // Ann: seven games of Freecell, three won; 1200 s, 382 moves, 930 points.
    void annsGames()
    {
        records("Ann", {rec(1, "Freecell", 300, 100, 370, 1), rec(2, "Freecell", 65, 12, -5, 0),
                        rec(3, "Freecell", 200, 90, 250, 1), rec(4, "Freecell", 100, 30, 20, 0),
                        rec(5, "Freecell", 400, 120, 300, 1), rec(6, "Freecell", 50, 10, -10, 0),
                        rec(7, "Freecell", 85, 20, 5, 0)});
    }
    // Bob: eight games of Penguin, one won.
    void bobsGames()
    {
        QList<QByteArray> lines;
        for (int i = 0; i < 8; ++i)
            lines << rec(100 + i, "Penguin", 60, 40, 10 * (i + 1), i == 3 ? 1 : 0);
        records("Bob", lines);
    }

    static QStringList texts(const QTreeWidget *list, int column)
    {
        QStringList out;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            out << list->topLevelItem(i)->text(column);
        return out;
    }
    static QStringList row(const QTreeWidget *list, const QString &first)
    {
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem *item = list->topLevelItem(i);
            if (item->text(0) == first) {
                QStringList out;
                for (int c = 0; c < list->columnCount(); ++c)
                    out << item->text(c);
                return out;
            }
        }
        return {};
    }
    static QStringList headers(const QTreeWidget *list)
    {
        QStringList out;
        for (int c = 0; c < list->columnCount(); ++c)
            out << list->headerItem()->text(c);
        return out;
    }
    static QStringList labels(const ChartControl *chart)
    {
        QStringList out;
        for (int c = 1; c <= chart->ColumnCount(); ++c)
            out << chart->ColumnLabel(c);
        return out;
    }
    static Cells cells(const ChartControl *chart, int row)
    {
        Cells out;
        for (int c = 1; c <= chart->ColumnCount(); ++c)
            out << chart->Value(row, c);
        return out;
    }
    static Cells column(const ChartControl *chart, int c)
    {
        Cells out;
        for (int r = 0; r < chart->RowCount(); ++r)
            out << chart->Value(r, c);
        return out;
    }

    AppContext ctx;
};

} // namespace

TEST_F(GameStatWindow, ControlsCaptionsAndHeaders)
{
    frmGameStat w(ctx);
    EXPECT_EQ(w.windowTitle(), "Game Statistics");
    ASSERT_EQ(w.SSTab1->count(), 4);
    EXPECT_EQ(w.SSTab1->tabText(0), "General Summary");
    EXPECT_EQ(w.SSTab1->tabText(1), "Game-wise");
    EXPECT_EQ(w.SSTab1->tabText(2), "Date-wise");
    EXPECT_EQ(w.SSTab1->tabText(3), "Player-wise");
    EXPECT_EQ(w.SSTab1->currentIndex(), 0);
    EXPECT_EQ(w.cmdClear->text(), "Clear Statistics");
    EXPECT_EQ(w.cmdExport->text(), "Export Statistics");
    EXPECT_EQ(w.cmdClose->text(), "Close");
    EXPECT_EQ(headers(w.lvGames), QStringList({"Game", "Played", "Won", "Lost", "Time", "Moves", "Score", "Perc"}));
    EXPECT_EQ(headers(w.lvPlayer), QStringList({"Player", "Played", "Won", "Lost", "Time", "Moves", "Score", "Perc"}));
    EXPECT_EQ(headers(w.lvDate), QStringList({"Day", "Played", "Won"}));
    EXPECT_EQ(w.lvGeneral->columnCount(), 1);
    EXPECT_TRUE(w.lvGeneral->isHeaderHidden());

    QStringList periods, keys, tags;
    for (int i = 0; i < w.imcDate->count(); ++i) {
        periods << w.imcDate->itemText(i);
        keys << w.imcDate->itemData(i, frmGameStat::KeyRole).toString();
        tags << w.imcDate->itemData(i, frmGameStat::TagRole).toString();
    }
    EXPECT_EQ(periods, QStringList({"Last 5 Days", "Last 10 Days", "Last 30 Days", "Last 5 Months", "Last 10 Months",
                                    "Last 5 Years"}));
    EXPECT_EQ(keys, QStringList({"5d", "10d", "30d", "5m", "10m", "5y"}));
    EXPECT_EQ(tags, QStringList({"d", "d", "d", "m", "m", "yyyy"}));
    EXPECT_EQ(w.imcDate->currentIndex(), 0);
}

TEST_F(GameStatWindow, GeneralSummaryOfThreeWonOutOfSeven)
{
    annsGames();
    frmGameStat w(ctx);
    EXPECT_EQ(texts(w.lvGeneral, 0),
              QStringList({"Games Played : 7", "Games Won : 3", "Games Lost : 4", "Total Moves : 382",
                           "Total Score : 930", "Total Time : 0:20:00", "Moves Per Game : 54", "Score Per Game : 132",
                           "Time Per Game : 0:02:51", "Games Per Hour : 21", "Moves Per Hour : 1146",
                           "Score Per Hour : 2790", "Winning Percentage : 42.86%"}));
    ASSERT_EQ(w.chGen->RowCount(), 1);
    EXPECT_EQ(cells(w.chGen, 0), Cells({3.0, 4.0}));
    EXPECT_EQ(labels(w.chGen), QStringList({"Won : 3", "Lost : 4"}));
    ASSERT_EQ(w.chGen1->RowCount(), 1);
    EXPECT_EQ(cells(w.chGen1, 0), Cells({930.0, 382.0, 1200.0}));
    EXPECT_EQ(labels(w.chGen1), QStringList({"Score", "Moves", "Time"}));

    // The game table shows two decimals of the percentage, the player table
    // the share rounded first: whole percents.
    EXPECT_EQ(row(w.lvGames, "Freecell"), QStringList({"Freecell", "7", "3", "4", "0:20:00", "382", "930", "42.86%"}));
    EXPECT_EQ(row(w.lvPlayer, "Ann"), QStringList({"Ann", "7", "3", "4", "0:20:00", "382", "930", "43%"}));
    EXPECT_EQ(row(w.lvPlayer, "Bob"), QStringList({"Bob", "0", "0", "0", "0:00:00", "0", "0", "0%"}));
}

// Records of the largest values a reader takes: every total, average and
// chart value is the true one, far beyond 32 bits.
TEST_F(GameStatWindow, HugeValuesAreSummedExactly)
{
    constexpr int top = std::numeric_limits<int32_t>::max();
    constexpr int bottom = std::numeric_limits<int32_t>::min();
    records("Ann", {rec(1, "Freecell", top, top, top, 1), rec(2, "Freecell", top, top, top, 1),
                    rec(3, "Freecell", top, top, bottom, 0)});
    frmGameStat w(ctx);
    EXPECT_EQ(texts(w.lvGeneral, 0),
              QStringList({"Games Played : 3", "Games Won : 2", "Games Lost : 1", "Total Moves : 6442450941",
                           "Total Score : 2147483646", "Total Time : 1789569:42:21", "Moves Per Game : 2147483647",
                           "Score Per Game : 715827882", "Time Per Game : 596523:14:07", "Games Per Hour : 0",
                           "Moves Per Hour : 3600", "Score Per Hour : 1199", "Winning Percentage : 66.67%"}));
    EXPECT_EQ(cells(w.chGen1, 0), Cells({2147483646.0, 6442450941.0, 6442450941.0}));
    EXPECT_EQ(row(w.lvGames, "Freecell"),
              QStringList({"Freecell", "3", "2", "1", "1789569:42:21", "6442450941", "2147483646", "66.67%"}));
    EXPECT_EQ(row(w.lvPlayer, "Ann").value(5), "6442450941");
    EXPECT_EQ(cells(w.chPlayer1, 0), Cells({2147483646.0, 6442450941.0, 6442450941.0}));
}

TEST_F(GameStatWindow, WholePercentsCarryNoFloatingNoise)
{
    // 4/7 rounds to 0.57, and 0.57 * 100 is 56.99999999999999 in binary.
    QList<QByteArray> lines;
    for (int i = 0; i < 7; ++i)
        lines << rec(i, "Penguin", 60, 40, 10, i < 4 ? 1 : 0);
    records("Bob", lines);
    frmGameStat w(ctx);
    EXPECT_EQ(row(w.lvPlayer, "Bob").at(7), "57%");
    EXPECT_EQ(row(w.lvGames, "Penguin").at(7), "57.14%");
}

TEST_F(GameStatWindow, NegativeTotalsAreListedWithTheirSignAndChartedAsZero)
{
    records("Ann", {rec(1, "Freecell", 3, 1, -3, 0), rec(2, "Freecell", 2, 2, -2, 0)});
    frmGameStat w(ctx);
    const QStringList general = texts(w.lvGeneral, 0);
    ASSERT_EQ(general.size(), 13);
    EXPECT_EQ(general[4], "Total Score : -5");
    EXPECT_EQ(general[7], "Score Per Game : -2");     // -2.5 truncated toward zero
    EXPECT_EQ(general[8], "Time Per Game : 0:00:02"); // 2.5 s, the half to the even second
    EXPECT_EQ(general[11], "Score Per Hour : -3600");
    EXPECT_EQ(general[12], "Winning Percentage : 0%");
    EXPECT_EQ(cells(w.chGen1, 0), Cells({0.0, 3.0, 5.0}));
    EXPECT_EQ(cells(w.chPlayer1, 0), Cells({0.0, 3.0, 5.0}));
    // The history chart is not clamped.
    EXPECT_EQ(cells(w.chGames1, 1), Cells({-3.0, 1.0, 3.0}));
    EXPECT_EQ(row(w.lvPlayer, "Ann").at(6), "-5");
}

TEST_F(GameStatWindow, EmptyTableShowsZeros)
{
    frmGameStat w(ctx);
    EXPECT_EQ(texts(w.lvGeneral, 0),
              QStringList({"Games Played : 0", "Games Won : 0", "Games Lost : 0", "Total Moves : 0", "Total Score : 0",
                           "Total Time : 0:00:00", "Moves Per Game : 0", "Score Per Game : 0",
                           "Time Per Game : 0:00:00", "Games Per Hour : 0", "Moves Per Hour : 0", "Score Per Hour : 0",
                           "Winning Percentage : 0%"}));
    ASSERT_EQ(w.lvGames->topLevelItemCount(), d.data.TotalGames());
    for (int16_t i = 1; i <= d.data.TotalGames(); ++i)
        EXPECT_EQ(row(w.lvGames, d.data.GetGName(i)),
                  QStringList({d.data.GetGName(i), "0", "0", "0", "0:00:00", "0", "0", "0%"}));
    // Only the empty row 0 of the picked game's history.
    ASSERT_EQ(w.chGames1->RowCount(), 1);
    EXPECT_EQ(cells(w.chGames1, 0), Cells(3));
    EXPECT_EQ(labels(w.chGames1), QStringList({"Score", "Moves", "Time"}));
    EXPECT_EQ(labels(w.chGen), QStringList({"Won : 0", "Lost : 0"}));
}

TEST_F(GameStatWindow, GameTableAndTheChartsOfThePickedGame)
{
    annsGames();
    bobsGames();
    frmGameStat w(ctx);
    // Every variant in catalogue order.
    QStringList names;
    for (int16_t i = 1; i <= d.data.TotalGames(); ++i)
        names << d.data.GetGName(i);
    EXPECT_EQ(texts(w.lvGames, 0), names);
    EXPECT_EQ(row(w.lvGames, "Penguin"), QStringList({"Penguin", "8", "1", "7", "0:08:00", "320", "360", "12.5%"}));
    EXPECT_EQ(row(w.lvPlayer, "Bob"), QStringList({"Bob", "8", "1", "7", "0:08:00", "320", "360", "12%"}));
    EXPECT_EQ(texts(w.lvGeneral, 0).last(), "Winning Percentage : 26.67%");

    // The current game is picked and charted.
    EXPECT_EQ(w.imcGames->count(), d.data.TotalGames());
    EXPECT_EQ(w.imcGames->currentText(), "Freecell");
    EXPECT_EQ(labels(w.chGames), QStringList({"Won : 3", "Lost : 4"}));
    ASSERT_EQ(w.chGames1->RowCount(), 8);
    EXPECT_EQ(cells(w.chGames1, 0), Cells(3));
    EXPECT_EQ(cells(w.chGames1, 1), Cells({370.0, 100.0, 300.0}));
    EXPECT_EQ(cells(w.chGames1, 7), Cells({5.0, 20.0, 85.0}));

    w.imcGames->setCurrentIndex(w.imcGames->findText("Penguin"));
    EXPECT_EQ(cells(w.chGames, 0), Cells({1.0, 7.0}));
    EXPECT_EQ(labels(w.chGames), QStringList({"Won : 1", "Lost : 7"}));
    ASSERT_EQ(w.chGames1->RowCount(), 9);
    EXPECT_EQ(column(w.chGames1, 1), Cells({std::nullopt, 10.0, 20.0, 30.0, 40.0, 50.0, 60.0, 70.0, 80.0}));
    // Only the charts follow the pick.
    EXPECT_EQ(texts(w.lvGeneral, 0).first(), "Games Played : 15");
    EXPECT_EQ(labels(w.chGen), QStringList({"Won : 4", "Lost : 11"}));
}

TEST_F(GameStatWindow, AtMostTheFirstFiftyRecordsOfAGameAreCharted)
{
    QList<QByteArray> ann, bob;
    for (int i = 1; i <= 30; ++i)
        ann << rec(i, "Baker's Spider", i, 1, i, 0);
    for (int i = 31; i <= 55; ++i)
        bob << rec(i, "Baker's Spider", i, 1, i, 0);
    records("Ann", ann);
    records("Bob", bob);
    d.data.CurGName("Baker's Spider");
    frmGameStat w(ctx);
    ASSERT_EQ(w.imcGames->currentText(), "Baker's Spider");
    ASSERT_EQ(w.chGames1->RowCount(), 51);
    EXPECT_EQ(cells(w.chGames1, 0), Cells(3));
    EXPECT_EQ(cells(w.chGames1, 1), Cells({1.0, 1.0, 1.0}));
    EXPECT_EQ(cells(w.chGames1, 31), Cells({31.0, 1.0, 31.0})); // Bob's first
    EXPECT_EQ(cells(w.chGames1, 50), Cells({50.0, 1.0, 50.0}));
    EXPECT_EQ(labels(w.chGames), QStringList({"Won : 0", "Lost : 55"}));
}

TEST_F(GameStatWindow, CurrentGameOutsideTheCatalogueKeepsTheFirst)
{
    annsGames();
    d.data.CurGName("No Such Game");
    frmGameStat w(ctx);
    EXPECT_EQ(w.imcGames->currentIndex(), 0);
    EXPECT_EQ(w.imcGames->currentText(), d.data.GetGName(1));
    StatTotals t;
    score.SumGameStats(d.data.GetGName(1), t);
    EXPECT_EQ(w.chGames1->RowCount(), std::min<int64_t>(t.Played, 50) + 1);
}

TEST_F(GameStatWindow, PeriodBucketsOldestFirst)
{
    // now is 2024-03-14 17:06:07
    records("Ann",
            {rec(1, "Freecell", 10, 1, 5, 1, "2024-03-14 00:00:01"),
             rec(2, "Freecell", 20, 2, 6, 0, "2024-03-13 23:59:59"),
             rec(3, "Freecell", 30, 3, 7, 1, "2024-03-10 12:00:00"),
             rec(4, "Freecell", 40, 4, 8, 1, "2024-03-09 12:00:00"),
             rec(5, "Freecell", 50, 5, 9, 0, "2024-02-20 12:00:00"),
             rec(6, "Freecell", 60, 6, 10, 1, "2023-06-01 12:00:00"), rec(7, "Freecell", 70, 7, 11, 1, "sometime")});
    frmGameStat w(ctx);
    EXPECT_EQ(w.lvDate->headerItem()->text(0), "Day");
    EXPECT_EQ(texts(w.lvDate, 0), QStringList({"Mar 10", "Mar 11", "Mar 12", "Mar 13", "Mar 14"}));
    EXPECT_EQ(texts(w.lvDate, 1), QStringList({"1", "0", "0", "1", "1"}));
    EXPECT_EQ(texts(w.lvDate, 2), QStringList({"1", "0", "0", "0", "1"}));
    ASSERT_EQ(w.chDate->RowCount(), 5);
    EXPECT_EQ(labels(w.chDate), QStringList({"Played", "Won"}));
    EXPECT_EQ(cells(w.chDate, 0), Cells({1.0, 1.0}));
    EXPECT_EQ(cells(w.chDate, 3), Cells({1.0, 0.0}));
    ASSERT_EQ(w.chDate1->RowCount(), 5);
    EXPECT_EQ(labels(w.chDate1), QStringList({"Score", "Moves", "Time"}));
    EXPECT_EQ(cells(w.chDate1, 4), Cells({5.0, 1.0, 10.0}));

    w.imcDate->setCurrentIndex(2); // Last 30 Days
    EXPECT_EQ(w.lvDate->headerItem()->text(0), "Day");
    ASSERT_EQ(w.lvDate->topLevelItemCount(), 30);
    EXPECT_EQ(texts(w.lvDate, 0).first(), "Feb 14");
    EXPECT_EQ(texts(w.lvDate, 0).last(), "Mar 14");
    EXPECT_EQ(w.chDate->RowCount(), 30);
    EXPECT_EQ(cells(w.chDate, 6), Cells({1.0, 0.0})); // Feb 20

    w.imcDate->setCurrentIndex(3); // Last 5 Months
    EXPECT_EQ(w.lvDate->headerItem()->text(0), "Month");
    EXPECT_EQ(texts(w.lvDate, 0), QStringList({"Nov 23", "Dec 23", "Jan 24", "Feb 24", "Mar 24"}));
    EXPECT_EQ(texts(w.lvDate, 1), QStringList({"0", "0", "0", "1", "4"}));
    EXPECT_EQ(cells(w.chDate1, 4), Cells({26.0, 10.0, 100.0}));

    w.imcDate->setCurrentIndex(4); // Last 10 Months
    EXPECT_EQ(w.lvDate->topLevelItemCount(), 10);
    EXPECT_EQ(texts(w.lvDate, 0).first(), "Jun 23");
    EXPECT_EQ(texts(w.lvDate, 1).first(), "1");

    w.imcDate->setCurrentIndex(5); // Last 5 Years
    EXPECT_EQ(w.lvDate->headerItem()->text(0), "Year");
    EXPECT_EQ(texts(w.lvDate, 0), QStringList({"2020", "2021", "2022", "2023", "2024"}));
    // The unreadable date is in no year.
    EXPECT_EQ(texts(w.lvDate, 1), QStringList({"0", "0", "0", "1", "5"}));
    EXPECT_EQ(w.chDate->RowCount(), 5);
    // ...but in the totals.
    EXPECT_EQ(texts(w.lvGeneral, 0).first(), "Games Played : 7");

    w.imcDate->setCurrentIndex(1); // Last 10 Days
    EXPECT_EQ(w.lvDate->topLevelItemCount(), 10);
    EXPECT_EQ(texts(w.lvDate, 0).first(), "Mar 05");
}

TEST_F(GameStatWindow, PlayerChooserAndCharts)
{
    annsGames();
    bobsGames();
    d.data.CurPlayer("Bob");
    {
        frmGameStat w(ctx);
        EXPECT_EQ(texts(w.lvPlayer, 0), QStringList({"Ann", "Bob"}));
        EXPECT_EQ(w.imcPlayer->currentText(), "Bob");
        EXPECT_EQ(labels(w.chPlayer), QStringList({"Won : 1", "Lost : 7"}));
        EXPECT_EQ(cells(w.chPlayer1, 0), Cells({360.0, 320.0, 480.0}));
        EXPECT_EQ(labels(w.chPlayer1), QStringList({"Score", "Moves", "Time"}));
        w.imcPlayer->setCurrentIndex(0);
        EXPECT_EQ(labels(w.chPlayer), QStringList({"Won : 3", "Lost : 4"}));
        EXPECT_EQ(cells(w.chPlayer1, 0), Cells({930.0, 382.0, 1200.0}));
        EXPECT_EQ(row(w.lvPlayer, "Bob").at(7), "12%");
    }
    // A current player in no slot: nothing picked, the charts show that
    // player's (empty) totals.
    d.data.CurPlayer("Zoe");
    ASSERT_EQ(d.data.CurPlayer(), "Zoe");
    frmGameStat w(ctx);
    EXPECT_EQ(w.imcPlayer->currentIndex(), -1);
    EXPECT_EQ(labels(w.chPlayer), QStringList({"Won : 0", "Lost : 0"}));
    EXPECT_EQ(cells(w.chPlayer1, 0), Cells({0.0, 0.0, 0.0}));
}

// A chart of one row names its group by what it sums up, not "1", and shows
// the name as it was typed; score and moves keep their own axis beside a
// 25-hour game, whose time stands in minutes on an axis of its own.
TEST_F(GameStatWindow, SummaryChartsNameTheirGroupAndTimeHasItsOwnAxis)
{
    annsGames();
    const QString tom = QStringLiteral("<b>Big<br>Tom<i>J");
    d.data.SetPlayer(3, tom, false);
    records(tom, {rec(1, "Penguin", 90000, 120, -5, 0)});
    d.data.CurPlayer(tom);
    d.data.CurGName("Penguin");
    frmGameStat w(ctx);
    w.show();
    using Labels = QMap<int, QString>;
    EXPECT_EQ(groupAxisLabels(w.chGen), Labels({{0, "All Games"}}));
    EXPECT_EQ(groupAxisLabels(w.chGen1), Labels({{0, "All Games"}}));
    EXPECT_EQ(groupAxisLabels(w.chGames), Labels({{0, "Penguin"}}));
    EXPECT_EQ(groupAxisLabels(w.chPlayer), Labels({{0, tom}}));
    EXPECT_EQ(groupAxisLabels(w.chPlayer1), Labels({{0, tom}}));
    w.SSTab1->setCurrentIndex(3);
    EXPECT_TRUE(chartTexts(w.chPlayer1).contains(tom)) << chartTexts(w.chPlayer1).join(" | ").toStdString();
    w.imcPlayer->setCurrentIndex(0);
    EXPECT_EQ(groupAxisLabels(w.chPlayer), Labels({{0, "Ann"}}));
    w.imcGames->setCurrentIndex(w.imcGames->findText("Freecell"));
    EXPECT_EQ(groupAxisLabels(w.chGames), Labels({{0, "Freecell"}}));

    for (const ChartControl *chart : {w.chGen1, w.chGames1, w.chDate1, w.chPlayer1}) {
        ASSERT_NE(chart->TimeAxis(), nullptr) << chart->objectName().toStdString();
        EXPECT_EQ(chart->TimeAxis()->labelFormat(), "%d min");
    }
    for (const ChartControl *chart : {w.chGen, w.chGames, w.chDate, w.chPlayer})
        EXPECT_EQ(chart->TimeAxis(), nullptr) << chart->objectName().toStdString();
    // The history of Penguin: one game of -5 points, 120 moves and 25 hours.
    w.imcGames->setCurrentIndex(w.imcGames->findText("Penguin"));
    EXPECT_EQ(cells(w.chGames1, 1), Cells({-5.0, 120.0, 90000.0}));
    EXPECT_LT(emptyBelow(valueAxis(w.chGames1), -5), 0.05);
    EXPECT_LT(emptyAbove(valueAxis(w.chGames1), 120), 0.05);
    EXPECT_LT(emptyAbove(w.chGames1->TimeAxis(), 1500), 0.05);
}

TEST_F(GameStatWindow, ClearAndExportLeaveTheWindowsFiguresAlone)
{
    annsGames();
    bobsGames();
    frmGameStat w(ctx);
    w.show();

    ui.answerYes = true;
    QTest::mouseClick(w.cmdClear, Qt::LeftButton);
    EXPECT_EQ(ui.questions().size(), 1);
    EXPECT_FALSE(QFile::exists(path("Ann.sre")));
    EXPECT_FALSE(QFile::exists(path("Bob.sre")));
    EXPECT_EQ(texts(w.lvGeneral, 0).first(), "Games Played : 15");
    EXPECT_EQ(score.ScoreTop(), 15);

    ui.saveName = tmp.filePath("report.txt");
    QTest::mouseClick(w.cmdExport, Qt::LeftButton);
    EXPECT_EQ(ui.last(ScriptedPrompt::Asked::SaveFile).text, "Scoreboard");
    EXPECT_TRUE(QFile::exists(tmp.filePath("report.txt")));
    ASSERT_EQ(ui.infos().size(), 2);
    EXPECT_EQ(ui.infos().last(), "Statistics Successfully Exported to " + tmp.filePath("report.txt"));
    // Still the records loaded at opening.
    EXPECT_EQ(score.ScoreTop(), 15);
    w.imcGames->setCurrentIndex(w.imcGames->findText("Penguin"));
    EXPECT_EQ(labels(w.chGames), QStringList({"Won : 1", "Lost : 7"}));
    EXPECT_EQ(w.chGames1->RowCount(), 9);
    w.imcPlayer->setCurrentIndex(0);
    EXPECT_EQ(labels(w.chPlayer), QStringList({"Won : 3", "Lost : 4"}));
    w.imcDate->setCurrentIndex(5);
    EXPECT_EQ(texts(w.lvDate, 1).last(), "15");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(GameStatWindow, TheTableIsReleasedOnClose)
{
    annsGames();
    {
        frmGameStat w(ctx);
        w.show();
        EXPECT_EQ(score.ScoreTop(), 7);
        QTest::mouseClick(w.cmdClose, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(score.ScoreTop(), 0);
    }
    int seen = -1;
    QTimer::singleShot(0, [&] {
        auto *w = qobject_cast<frmGameStat *>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        seen = score.ScoreTop();
        w->cmdClose->click();
    });
    ui.playDialog = ScriptedPrompt::exec;
    EXPECT_EQ(frmGameStat::showModal(ctx), QDialog::Accepted);
    EXPECT_EQ(ui.count(ScriptedPrompt::Asked::Dialog), 1);
    EXPECT_EQ(ui.last(ScriptedPrompt::Asked::Dialog).dialogClass, "tw::frmGameStat");
    EXPECT_EQ(seen, 7);
    EXPECT_EQ(score.ScoreTop(), 0);
}

TEST_F(GameStatWindow, DateChartsNameTheirPeriodsAndTheHistoryCountsFromTheFirstRecord)
{
    annsGames();
    frmGameStat w(ctx);
    w.show();
    w.SSTab1->setCurrentIndex(2);
    for (int i = 0; i < w.imcDate->count(); ++i) {
        w.imcDate->setCurrentIndex(i);
        const QStringList periods = texts(w.lvDate, 0);
        for (const ChartControl *chart : {w.chDate, w.chDate1}) {
            const QMap<int, QString> shown = groupAxisLabels(chart);
            // The newest period, today's, is always named.
            EXPECT_EQ(shown.value(static_cast<int>(periods.size()) - 1), periods.last()) << i;
            for (auto it = shown.begin(); it != shown.end(); ++it)
                EXPECT_EQ(it.value(), periods.value(it.key())) << i << " at " << it.key();
            EXPECT_TRUE(cutTexts(chart).isEmpty()) << i << ": " << cutTexts(chart).join(" | ").toStdString();
        }
    }

    // Freecell's seven records stand at 1 to 7 after the empty group 0.
    w.SSTab1->setCurrentIndex(1);
    ASSERT_EQ(w.chGames1->RowCount(), 8);
    const QMap<int, QString> shown = groupAxisLabels(w.chGames1);
    EXPECT_EQ(shown.value(1), "1");
    EXPECT_EQ(shown.value(7), "7");
    for (auto it = shown.begin(); it != shown.end(); ++it)
        EXPECT_EQ(it.value(), QString::number(it.key()));
}

TEST_F(GameStatWindow, ChartsShowWholeNumbersAndNothingCut)
{
    // Nine- and ten-digit totals of the longest name, in the widest letters,
    // and the widest game name: both name a chart's group.
    QList<QByteArray> lines;
    const QString game = widestGameName(QApplication::font());
    for (int i = 0; i < 9; ++i)
        lines << rec(i, game.toUtf8().constData(), 200000000, 30000, 30000, i % 2);
    const QString wide = widestPlayer();
    d.data.SetPlayer(3, wide, false);
    d.data.CurPlayer(wide);
    d.data.CurGName(game);
    records(wide, lines);
    frmGameStat w(ctx);
    w.show();
    for (int tab = 0; tab < w.SSTab1->count(); ++tab) {
        w.SSTab1->setCurrentIndex(tab);
        for (const ChartControl *chart : w.SSTab1->widget(tab)->findChildren<ChartControl *>()) {
            const std::string name = chart->objectName().toStdString();
            EXPECT_TRUE(cutTexts(chart).isEmpty()) << name << ": " << cutTexts(chart).join(" | ").toStdString();
            EXPECT_TRUE(wholeTicks(valueAxis(chart))) << name;
            if (chart->TimeAxis()) {
                EXPECT_TRUE(wholeTicks(chart->TimeAxis())) << name;
            }
            for (const QString &text : chartTexts(chart))
                EXPECT_FALSE(text.contains('.')) << name << ": " << text.toStdString();
        }
    }
}

TEST_F(GameStatWindow, NoListCutsTheLongestNamesOrTheLargestTotals)
{
    const QString wide = widestPlayer();
    const QString game = widestGameName(QApplication::font());
    d.data.SetPlayer(3, wide, false);
    QList<QByteArray> lines;
    for (int i = 0; i < 9; ++i)
        lines << rec(i, game.toUtf8().constData(), 238609294, 32767, -32768, 1);
    records(wide, lines);
    frmGameStat w(ctx);
    w.show();
    for (int tab = 0; tab < w.SSTab1->count(); ++tab) {
        w.SSTab1->setCurrentIndex(tab);
        for (const QTreeView *list : w.SSTab1->widget(tab)->findChildren<QTreeView *>()) {
            const std::string name = list->objectName().toStdString();
            EXPECT_TRUE(cutColumns(list).isEmpty()) << name << ": " << cutColumns(list).join(" | ").toStdString();
            EXPECT_TRUE(columnsInView(list)) << name;
        }
    }
    EXPECT_EQ(row(w.lvGames, game).value(4), "596523:14:06");
    EXPECT_EQ(row(w.lvPlayer, wide).value(6), "-294912");
}
