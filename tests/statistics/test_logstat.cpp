#include "engine/catalogue.h"
#include "records/recordstest.h"
#include "scriptedprompt.h"

#include "columnstest.h"

#include "statistics/logstat.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace tw;
using namespace tw::test;

namespace {

ScoreRec dated(const QDate &day, const QTime &time)
{
    ScoreRec r;
    r.Day = day;
    r.TimeOfDay = time;
    r.Date = QDateTime(day, time).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return r;
}

const QStringList kKeys = {"t", "3d", "7d", "30d", "3m", "5m"};

// The keys (and "" for Show All) under which a record is listed.
QStringList windowsOf(const ScoreRec &r, const QDateTime &now)
{
    QStringList out;
    for (const QString &k : kKeys)
        if (logListed(r, now, k))
            out << k;
    if (logListed(r, now, QString()))
        out << "all";
    return out;
}

} // namespace

TEST(LogListed, DaysCountCalendarBoundaries)
{
    const QDateTime now(QDate(2024, 3, 14), QTime(0, 1));
    // One minute before midnight is yesterday, not today.
    EXPECT_EQ(windowsOf(dated(QDate(2024, 3, 13), QTime(23, 59)), now),
              QStringList({"3d", "7d", "30d", "3m", "5m", "all"}));
    // Any time of today is today, also later than now.
    EXPECT_EQ(windowsOf(dated(QDate(2024, 3, 14), QTime(0, 0)), now),
              QStringList({"t", "3d", "7d", "30d", "3m", "5m", "all"}));
    EXPECT_TRUE(logListed(dated(QDate(2024, 3, 14), QTime(23, 59, 59)), now, "t"));

    // Today plus three, seven and thirty days before it.
    EXPECT_TRUE(logListed(dated(QDate(2024, 3, 11), QTime(0, 0)), now, "3d"));
    EXPECT_FALSE(logListed(dated(QDate(2024, 3, 10), QTime(23, 59, 59)), now, "3d"));
    EXPECT_TRUE(logListed(dated(QDate(2024, 3, 7), QTime(0, 0)), now, "7d"));
    EXPECT_FALSE(logListed(dated(QDate(2024, 3, 6), QTime(23, 59)), now, "7d"));
    EXPECT_TRUE(logListed(dated(QDate(2024, 2, 13), QTime(0, 0)), now, "30d")); // across 29 February
    EXPECT_FALSE(logListed(dated(QDate(2024, 2, 12), QTime(23, 59)), now, "30d"));
}

TEST(LogListed, MonthsCountCalendarBoundaries)
{
    const QDateTime now(QDate(2024, 4, 1), QTime(0, 0, 5));
    EXPECT_TRUE(logListed(dated(QDate(2024, 1, 1), QTime(0, 0)), now, "3m"));
    EXPECT_FALSE(logListed(dated(QDate(2023, 12, 31), QTime(23, 59, 59)), now, "3m"));
    EXPECT_TRUE(logListed(dated(QDate(2023, 11, 1), QTime(0, 0)), now, "5m"));
    EXPECT_FALSE(logListed(dated(QDate(2023, 10, 31), QTime(12, 0)), now, "5m"));
    // A year back in the same month is twelve months, not zero.
    EXPECT_FALSE(logListed(dated(QDate(2023, 4, 15), QTime(12, 0)), now, "5m"));
}

TEST(LogListed, FutureAndUnreadableDatesOnlyUnderShowAll)
{
    const QDateTime now(QDate(2024, 3, 14), QTime(17, 0));
    EXPECT_EQ(windowsOf(dated(QDate(2024, 3, 15), QTime(0, 0)), now), QStringList({"all"}));
    EXPECT_EQ(windowsOf(dated(QDate(2025, 1, 1), QTime(0, 0)), now), QStringList({"all"}));

    ScoreRec unreadable;
    unreadable.Date = "the day before the fair";
    EXPECT_EQ(windowsOf(unreadable, now), QStringList({"all"}));
}

namespace {

class LogWindow : public StoreFixtureWith<ScriptedPrompt> {
protected:
    LogWindow()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        d.data.SetPlayer(1, "Ann", true);
        d.data.SetPlayer(2, "Bob", false);
        ctx.data = &d.data;
        ctx.score = &score;
        ctx.prompt = &ui;
        now = QDateTime(QDate(2024, 3, 14), QTime(0, 1));
        // In file order; the game number tells the records apart.
        writeFile(path("Ann.sre"), line("2024-03-14 00:00:30", "Freecell", "1", 300, 100, 370, 1)
                                       + line("2024-03-13 23:59:00", "Penguin", "2", 65, 12, -5, 0)
                                       + line("next Tuesday", "Penguin", "\"lucky\"", 10, 3, 4, 1)
                                       + line("2024-02-01 08:00:00", "Freecell", "4", 3725, 250, 12, 0));
        writeFile(path("Bob.sre"), line("2024-03-10 12:00:00", "Penguin", "5", 100, 50, 200, 1)
                                       + line("2024-03-08 12:00:00", "Penguin", "6", 100, 50, 150, 1)
                                       + line("2024-03-07 12:00:00", "Freecell", "7", 100, 50, 100, 0)
                                       + line("2024-03-07 13:00:00", "Penguin", "8", 100, 50, 90, 0)
                                       + line("2024-03-06 12:00:00", "Penguin", "9", 100, 50, 80, 1)
                                       + line("2024-03-15 09:00:00", "Penguin", "10", 100, 50, 70, 1));
    }
    ~LogWindow() override { QLocale::setDefault(QLocale::c()); }

    static QString cell(const QTreeView *list, int i, int c) { return list->model()->index(i, c).data().toString(); }
    static int rowCount(const QTreeView *list) { return list->model()->rowCount(); }
    static QStringList row(const QTreeView *list, int i)
    {
        QStringList out;
        for (int c = 0; i < rowCount(list) && c < list->model()->columnCount(); ++c)
            out << cell(list, i, c);
        return out;
    }
    // The game numbers of the rows shown, and their running numbers.
    static QStringList numbers(const QTreeView *list)
    {
        QStringList out;
        for (int i = 0; i < rowCount(list); ++i)
            out << cell(list, i, 0) + ":" + cell(list, i, 8);
        return out;
    }
    static int indexOf(const QComboBox *box, const QString &text) { return box->findText(text, Qt::MatchExactly); }

    AppContext ctx;
};

} // namespace

TEST_F(LogWindow, ControlsAndEveryRecordInTableOrder)
{
    frmLogStat w(ctx);
    EXPECT_EQ(w.windowTitle(), "Log Statistics");
    QStringList headers;
    for (int c = 0; c < w.lvLog->model()->columnCount(); ++c)
        headers << w.lvLog->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(headers,
              QStringList({"S No.", "Player", "Game", "Score", "Time", "Moves", "Status", "Date", "Game Number"}));
    EXPECT_EQ(w.cmdClose->text(), "Close");

    ASSERT_EQ(w.imcPlayer->count(), 3);
    EXPECT_EQ(w.imcPlayer->itemText(0), "All Players");
    EXPECT_EQ(w.imcPlayer->itemText(2), "Bob");
    EXPECT_EQ(w.imcPlayer->currentIndex(), 0);
    ASSERT_EQ(w.imcGames->count(), 1 + d.data.TotalGames());
    EXPECT_EQ(w.imcGames->itemText(0), "All Games");
    EXPECT_EQ(w.imcGames->itemText(1), d.data.GetGName(1));
    EXPECT_EQ(w.imcGames->itemText(frmGame::GameCount), d.data.GetGName(frmGame::GameCount));
    EXPECT_EQ(w.imcGames->currentIndex(), 0);
    QStringList dates, keys;
    for (int i = 0; i < w.imcDate->count(); ++i) {
        dates << w.imcDate->itemText(i);
        keys << w.imcDate->itemData(i, frmLogStat::KeyRole).toString();
    }
    EXPECT_EQ(dates, QStringList({"Show Today", "Last 3 Days", "Last 7 Days", "Last 30 Days", "Last 3 Months",
                                  "Last 5 Months", "Show All"}));
    EXPECT_EQ(keys, QStringList({"t", "3d", "7d", "30d", "3m", "5m", ""}));
    EXPECT_EQ(w.imcDate->currentText(), "Show All");

    // Player slot order, then file order.
    EXPECT_EQ(numbers(w.lvLog),
              QStringList({"1:1", "2:2", "3:lucky", "4:4", "5:5", "6:6", "7:7", "8:8", "9:9", "10:10"}));
    EXPECT_EQ(row(w.lvLog, 0), QStringList({"1", "Ann", "Freecell", "370", "0:05:00", "100", "Won", "3/14/2024", "1"}));
    EXPECT_EQ(row(w.lvLog, 1), QStringList({"2", "Ann", "Penguin", "-5", "0:01:05", "12", "Lost", "3/13/2024", "2"}));
    // A date that cannot be read shows as it was recorded.
    EXPECT_EQ(row(w.lvLog, 2),
              QStringList({"3", "Ann", "Penguin", "4", "0:00:10", "3", "Won", "next Tuesday", "lucky"}));
    EXPECT_EQ(row(w.lvLog, 3).at(4), "1:02:05");
}

TEST_F(LogWindow, DateWindowsAgainstTheStoreClock)
{
    frmLogStat w(ctx);
    w.imcDate->setCurrentIndex(indexOf(w.imcDate, "Show Today"));
    EXPECT_EQ(numbers(w.lvLog), QStringList({"1:1"}));
    w.imcDate->setCurrentIndex(indexOf(w.imcDate, "Last 3 Days"));
    EXPECT_EQ(numbers(w.lvLog), QStringList({"1:1", "2:2"}));
    w.imcDate->setCurrentIndex(indexOf(w.imcDate, "Last 7 Days"));
    EXPECT_EQ(numbers(w.lvLog), QStringList({"1:1", "2:2", "3:5", "4:6", "5:7", "6:8"}));
    w.imcDate->setCurrentIndex(indexOf(w.imcDate, "Last 30 Days"));
    EXPECT_EQ(numbers(w.lvLog), QStringList({"1:1", "2:2", "3:5", "4:6", "5:7", "6:8", "7:9"}));
    w.imcDate->setCurrentIndex(indexOf(w.imcDate, "Last 3 Months"));
    EXPECT_EQ(numbers(w.lvLog), QStringList({"1:1", "2:2", "3:4", "4:5", "5:6", "6:7", "7:8", "8:9"}));

    // "Now" is taken afresh at every listing: a day later the 14th is yesterday.
    now = QDateTime(QDate(2024, 3, 15), QTime(10, 0));
    w.imcDate->setCurrentIndex(indexOf(w.imcDate, "Show Today"));
    EXPECT_EQ(numbers(w.lvLog), QStringList({"1:10"}));
}

TEST_F(LogWindow, FiltersCombineAndRowsAreNumberedOverWhatIsShown)
{
    frmLogStat w(ctx);
    w.imcPlayer->setCurrentIndex(indexOf(w.imcPlayer, "Bob"));
    EXPECT_EQ(rowCount(w.lvLog), 6);
    w.imcGames->setCurrentIndex(indexOf(w.imcGames, "Penguin"));
    EXPECT_EQ(numbers(w.lvLog), QStringList({"1:5", "2:6", "3:8", "4:9", "5:10"}));
    w.imcDate->setCurrentIndex(indexOf(w.imcDate, "Last 7 Days"));
    EXPECT_EQ(numbers(w.lvLog), QStringList({"1:5", "2:6", "3:8"}));
    for (int i = 0; i < rowCount(w.lvLog); ++i) {
        EXPECT_EQ(cell(w.lvLog, i, 1), "Bob");
        EXPECT_EQ(cell(w.lvLog, i, 2), "Penguin");
    }

    w.imcPlayer->setCurrentIndex(0);
    w.imcGames->setCurrentIndex(indexOf(w.imcGames, "Freecell"));
    EXPECT_EQ(numbers(w.lvLog), QStringList({"1:1", "2:7"}));
    w.imcDate->setCurrentIndex(indexOf(w.imcDate, "Show All"));
    EXPECT_EQ(numbers(w.lvLog), QStringList({"1:1", "2:4", "3:7"}));
    // A game nobody played lists nothing.
    ASSERT_GT(indexOf(w.imcGames, "Baker's Spider"), 0);
    w.imcGames->setCurrentIndex(indexOf(w.imcGames, "Baker's Spider"));
    EXPECT_EQ(rowCount(w.lvLog), 0);
}

TEST_F(LogWindow, APlayerCalledAllPlayersIsJustThatPlayer)
{
    d.data.SetPlayer(3, "All Players", false);
    writeFile(path("All Players.sre"), line("2024-03-14 00:00:40", "Freecell", "77", 1, 1, 1, 1));
    frmLogStat w(ctx);
    EXPECT_EQ(rowCount(w.lvLog), 11);
    w.imcPlayer->setCurrentIndex(3);
    ASSERT_EQ(w.imcPlayer->currentText(), "All Players");
    EXPECT_EQ(numbers(w.lvLog), QStringList({"1:77"}));
}

TEST_F(LogWindow, TheTableIsLoadedWhileOpenAndReleasedOnClose)
{
    {
        frmLogStat w(ctx);
        w.show();
        EXPECT_EQ(score.ScoreTop(), 10);
        QTest::mouseClick(w.cmdClose, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(score.ScoreTop(), 0);
    }
    EXPECT_EQ(score.ScoreTop(), 0);

    // Through the modal entry, closed with Escape.
    int seen = -1;
    QTimer::singleShot(0, [&] {
        auto *w = qobject_cast<frmLogStat *>(QApplication::activeModalWidget());
        ASSERT_NE(w, nullptr);
        seen = rowCount(w->lvLog);
        QTest::keyClick(w, Qt::Key_Escape);
    });
    ui.playDialog = ScriptedPrompt::exec;
    EXPECT_EQ(frmLogStat::showModal(ctx), QDialog::Rejected);
    EXPECT_EQ(ui.count(ScriptedPrompt::Asked::Dialog), 1);
    EXPECT_EQ(ui.last(ScriptedPrompt::Asked::Dialog).dialogClass, "tw::frmLogStat");
    EXPECT_EQ(seen, 10);
    EXPECT_EQ(score.ScoreTop(), 0);
}

TEST_F(LogWindow, NoScoreFilesListsNothing)
{
    QFile::remove(path("Ann.sre"));
    QFile::remove(path("Bob.sre"));
    frmLogStat w(ctx);
    EXPECT_EQ(rowCount(w.lvLog), 0);
    EXPECT_EQ(w.imcPlayer->count(), 3);
}

TEST_F(LogWindow, NoColumnCutsTheLongestNamesOrNumbers)
{
    const QString wide = widestPlayer();
    const QByteArray game = widestGameName(QApplication::font()).toUtf8();
    d.data.SetPlayer(3, wide, false);
    writeFile(path(wide + ".sre"),
              line("2024-12-28 23:59:59", game.constData(), "999999999999999", 359999, 32767, -32768, 0)
                  + line("2024-12-28 23:59:59", game.constData(), "\"999999999999998\"", 2147483647, 32767, -32768, 1));
    frmLogStat w(ctx);
    w.show();
    EXPECT_TRUE(cutColumns(w.lvLog).isEmpty()) << cutColumns(w.lvLog).join(" | ").toStdString();
    EXPECT_TRUE(columnsInView(w.lvLog));
    // Filtered down to the long rows, the columns keep their room.
    w.imcPlayer->setCurrentIndex(indexOf(w.imcPlayer, wide));
    ASSERT_EQ(w.lvLog->model()->rowCount(), 2);
    EXPECT_TRUE(cutColumns(w.lvLog).isEmpty()) << cutColumns(w.lvLog).join(" | ").toStdString();
    EXPECT_EQ(w.lvLog->model()->index(1, 4).data().toString(), "596523:14:07");
}

TEST_F(LogWindow, TheLastRowsOfALongLogAreNotCut)
{
    // More rows than a list measures by itself: the running numbers grow to
    // five digits at the end.
    QByteArray bytes;
    for (int i = 0; i < 12000; ++i)
        bytes += line("2024-03-01 10:00:00", "Freecell", QByteArray::number(i).constData(), 300, 100, 370, 1);
    writeFile(path("Ann.sre"), bytes);
    frmLogStat w(ctx);
    w.show();
    ASSERT_EQ(rowCount(w.lvLog), 12006);
    w.lvLog->scrollToBottom();
    EXPECT_TRUE(cutColumns(w.lvLog).isEmpty()) << cutColumns(w.lvLog).join(" | ").toStdString();
}
