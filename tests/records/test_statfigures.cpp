#include "records/statfigures.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace tw {
// Failed comparisons show the texts.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
} // namespace tw

namespace tw::test {
namespace {

StatTotals totals(int32_t played, int32_t won, int32_t score, int32_t moves, int32_t time)
{
    StatTotals t;
    t.Played = played;
    t.Won = won;
    t.Lost = played - won;
    t.Score = score;
    t.Moves = moves;
    t.Time = time;
    return t;
}

// Figures in the figures' own locale; the default locale comes back after.
class StatFigures : public ::testing::Test {
protected:
    StatFigures() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~StatFigures() override { QLocale::setDefault(QLocale::c()); }
};

TEST_F(StatFigures, SummaryOfThreeWonOutOfSeven)
{
    EXPECT_EQ(statfigures::summaryLines(totals(7, 3, 930, 382, 1200)),
              QStringList({"Games Played : 7", "Games Won : 3", "Games Lost : 4", "Total Moves : 382",
                           "Total Score : 930", "Total Time : 0:20:00", "Moves Per Game : 54", "Score Per Game : 132",
                           "Time Per Game : 0:02:51", "Games Per Hour : 21", "Moves Per Hour : 1146",
                           "Score Per Hour : 2790", "Winning Percentage : 42.86%"}));
}

TEST_F(StatFigures, NoGamesAndNoTimeDivideByOne)
{
    EXPECT_EQ(statfigures::summaryLines(StatTotals()),
              QStringList({"Games Played : 0", "Games Won : 0", "Games Lost : 0", "Total Moves : 0", "Total Score : 0",
                           "Total Time : 0:00:00", "Moves Per Game : 0", "Score Per Game : 0",
                           "Time Per Game : 0:00:00", "Games Per Hour : 0", "Moves Per Hour : 0", "Score Per Hour : 0",
                           "Winning Percentage : 0%"}));
    // Games recorded in no time at all: one second stands for the time.
    const QStringList quick = statfigures::summaryLines(totals(2, 1, 10, 4, 0));
    EXPECT_EQ(quick[9], "Games Per Hour : 7200");
    EXPECT_EQ(quick[10], "Moves Per Hour : 14400");
    EXPECT_EQ(quick[11], "Score Per Hour : 36000");
}

TEST_F(StatFigures, NegativeAveragesTruncateTowardZeroAndTheHalfSecondGoesToEven)
{
    const QStringList lines = statfigures::summaryLines(totals(2, 0, -5, 3, 5));
    ASSERT_EQ(lines.size(), 13);
    EXPECT_EQ(lines[4], "Total Score : -5");
    EXPECT_EQ(lines[7], "Score Per Game : -2");     // -2.5
    EXPECT_EQ(lines[8], "Time Per Game : 0:00:02"); // 2.5 s
    EXPECT_EQ(lines[11], "Score Per Hour : -3600");
    EXPECT_EQ(lines[12], "Winning Percentage : 0%");
    // 7 s over 2 games: 3.5 s goes up to the even 4.
    EXPECT_EQ(statfigures::summaryLines(totals(2, 0, 0, 0, 7))[8], "Time Per Game : 0:00:04");
}

TEST_F(StatFigures, GameSharesShowHundredthsOfAPercentPlayerSharesWholePercents)
{
    const StatTotals t = totals(7, 3, 930, 382, 1200);
    EXPECT_EQ(statfigures::gamePercentage(t), "42.86%");
    EXPECT_EQ(statfigures::playerPercentage(t), "43%");
    // 1 in 8: 12.5 % for a game; the share 0.125 rounds half to even, 12 %.
    EXPECT_EQ(statfigures::gamePercentage(totals(8, 1, 0, 0, 0)), "12.5%");
    EXPECT_EQ(statfigures::playerPercentage(totals(8, 1, 0, 0, 0)), "12%");
    EXPECT_EQ(statfigures::gamePercentage(StatTotals()), "0%");
    EXPECT_EQ(statfigures::playerPercentage(StatTotals()), "0%");
    EXPECT_EQ(statfigures::gamePercentage(totals(3, 3, 0, 0, 0)), "100%");
    EXPECT_EQ(statfigures::playerPercentage(totals(3, 3, 0, 0, 0)), "100%");
}

TEST_F(StatFigures, WholePercentsCarryNoFloatingNoise)
{
    // 4/7 rounds to 0.57, and 0.57 * 100 is 56.99999999999999 in binary.
    EXPECT_EQ(statfigures::playerPercentage(totals(7, 4, 0, 0, 0)), "57%");
    EXPECT_EQ(statfigures::gamePercentage(totals(7, 4, 0, 0, 0)), "57.14%");
}

TEST_F(StatFigures, DecimalsFollowTheLocaleWithoutGroupSeparators)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(statfigures::gamePercentage(totals(7, 3, 0, 0, 0)), "42,86%");
    EXPECT_EQ(statfigures::decimal(1234567.5), "1234567,5");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(statfigures::decimal(1234567.5), "1234567.5");
    EXPECT_EQ(statfigures::decimal(0.1 + 0.2), "0.3"); // 15 significant digits
}

TEST_F(StatFigures, TotalsRowCountsTheLostGamesFromPlayedAndWon)
{
    StatTotals t = totals(8, 1, 360, 320, 480);
    EXPECT_EQ(statfigures::totalsRow("Penguin", t, "12.5%"),
              QStringList({"Penguin", "8", "1", "7", "0:08:00", "320", "360", "12.5%"}));
    // The largest count played with nothing won does not wrap.
    t = totals(std::numeric_limits<int32_t>::max(), 0, 0, 0, 0);
    t.Lost = 0;
    EXPECT_EQ(statfigures::lost(t), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(statfigures::totalsRow("A", t, "0%")[3], "2147483647");
}

TEST(SessionSeconds, CountsWholeSecondBoundariesFromTheStart)
{
    const QDateTime start(QDate(2024, 3, 14), QTime(10, 0, 0, 900));
    EXPECT_EQ(statfigures::sessionSeconds(start, start), 0);
    // 200 ms later a second boundary has passed.
    EXPECT_EQ(statfigures::sessionSeconds(start, start.addMSecs(200)), 1);
    EXPECT_EQ(statfigures::sessionSeconds(start, start.addSecs(125)), 125);
}

TEST(SessionSeconds, NoStartIsNoTimeAndFarEndsAreHeldTo32Bits)
{
    const QDateTime now(QDate(2024, 3, 14), QTime(10, 0, 0));
    EXPECT_EQ(statfigures::sessionSeconds(QDateTime(), now), 0);
    EXPECT_EQ(statfigures::sessionSeconds(now.addYears(-100), now), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(statfigures::sessionSeconds(now.addYears(100), now), std::numeric_limits<int32_t>::min());
}

} // namespace
} // namespace tw::test
