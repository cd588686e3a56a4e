#include "recordstest.h"

#include <QLocale>

#include <limits>

using namespace tw;
using namespace tw::test;

namespace {

class ScoreStats : public StoreFixture {
protected:
    ScoreStats()
    {
        d.data.SetPlayer(1, "Ann", true);
        d.data.SetPlayer(2, "Bob", false);
    }
    // Records of one player's file, in order; the game number tells them apart.
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
    // Game numbers of Top 1..20, 0 for an empty slot.
    std::vector<qint64> top() const
    {
        std::vector<qint64> out;
        for (int16_t i = 1; i <= 20; ++i) {
            ScoreRec r;
            score.GetTopRec(i, r);
            out.push_back(r.GNo.asNumber());
        }
        while (!out.empty() && out.back() == 0)
            out.pop_back();
        return out;
    }
};

using V = std::vector<qint64>;

} // namespace

TEST_F(ScoreStats, EmptyTableGivesZerosAndAnEmptyRanking)
{
    score.OpenAllScore();
    StatTotals t{1, 1, 1, 1, 1, 1};
    score.SumStats(t);
    EXPECT_EQ(t, StatTotals());
    score.SumSesStats(t);
    EXPECT_EQ(t, StatTotals());
    score.SumGameStats("Freecell", t);
    EXPECT_EQ(t, StatTotals());
    PeriodTotals p;
    score.SumPeriodStats("2024-03-14 12:00:00", "d", p);
    EXPECT_EQ(p.Played, 0);
    EXPECT_EQ(p.Label, "Mar 14");
    score.Sort("", "", 0);
    EXPECT_EQ(top(), V());
    score.FinSort(true, false);
    EXPECT_EQ(top(), V());
}

TEST_F(ScoreStats, TotalsByGamePlayerAndSession)
{
    records("Ann", {rec(1, "Freecell", 300, 100, 370, 1), rec(2, "Freecell", 65, 12, -5, 0),
                    rec(3, "Baker's Game", 100, 50, 200, 1), rec(4, "Freecell", 10, 5, 7, 2)});
    records("Bob", {rec(5, "Baker's Game", 40, 30, 60, 0)});
    score.OpenAllScore();

    StatTotals t;
    score.SumStats(t);
    EXPECT_EQ(t, (StatTotals{5, 2, 3, 632, 197, 515}));
    score.SumGameStats("Freecell", t);
    EXPECT_EQ(t, (StatTotals{3, 1, 2, 372, 117, 375})); // status 2 is not a win
    score.SumGameStats("FREECELL", t);
    EXPECT_EQ(t, StatTotals());
    score.SumPlayerStats("Bob", t);
    EXPECT_EQ(t, (StatTotals{1, 0, 1, 60, 30, 40}));
    score.SumPlayerStats("Nobody", t);
    EXPECT_EQ(t, StatTotals());
    // The winning share the statistics windows show.
    score.SumPlayerStats("Ann", t);
    EXPECT_EQ(t.Played, 4);
    EXPECT_DOUBLE_EQ(100.0 * t.Won / t.Played, 50.0);

    game("Freecell", GameNo::number(1), 30, 20, 100);
    score.AddSesGame(1);
    game("Freecell", GameNo::number(2), 15, 4, -10);
    score.AddSesGame(0);
    score.SumSesStats(t);
    EXPECT_EQ(t, (StatTotals{2, 1, 1, 90, 24, 45}));
}

TEST_F(ScoreStats, SumsBeyondThirtyTwoBitsAreExact)
{
    records("Ann", {rec(1, "Freecell", 2000000000, 2000000000, 2000000000, 1),
                    rec(2, "Freecell", 2000000000, 2000000000, -2147483647, 1),
                    rec(3, "Freecell", 2000000000, 2000000000, -2147483647, 1)});
    score.OpenAllScore();
    StatTotals t;
    score.SumStats(t);
    EXPECT_EQ(t.Time, 6000000000);
    EXPECT_EQ(t.Moves, 6000000000);
    EXPECT_EQ(t.Score, 2000000000 - 2 * 2147483647LL);
    EXPECT_EQ(t.Played, 3);
}

TEST_F(ScoreStats, SortKeepsTheTwentyBestOfTwentyFive)
{
    QList<QByteArray> lines;
    // Scores 10, 20, ..., 250 in a shuffled order; the game number is the score.
    for (int k : {13, 2, 25, 7, 19, 1, 22, 9, 16, 4, 11, 24, 6, 18, 3, 21, 8, 15, 5, 23, 10, 17, 12, 20, 14})
        lines << rec(k * 10, "Freecell", 10, 10, k * 10, k % 2);
    records("Ann", lines);
    score.OpenAllScore();
    score.Sort("", "", 0);
    V expect;
    for (int k = 25; k >= 6; --k)
        expect.push_back(k * 10);
    EXPECT_EQ(top(), expect);
    ScoreRec r;
    score.GetTopRec(0, r);
    EXPECT_EQ(r, ScoreRec());

    // SortMode 1: won games only.
    score.Sort("", "", 1);
    V won;
    for (int k = 25; k >= 1; k -= 2)
        won.push_back(k * 10);
    EXPECT_EQ(top(), won);
}

TEST_F(ScoreStats, SortTiesScoreLimitsAndFilters)
{
    records("Ann", {rec(1, "Freecell", 10, 10, 100, 1), rec(2, "Freecell", 10, 10, 0, 1),
                    rec(3, "Freecell", 10, 10, -3, 1), rec(4, "Freecell", 10, 10, 100, 0),
                    rec(5, "Baker's Game", 10, 10, 150, 0), rec(6, "Freecell", 10, 10, 50, 2)});
    records("Bob", {rec(7, "Freecell", 10, 10, 100, 1), rec(8, "Freecell", 10, 10, 120, 1)});
    score.OpenAllScore();

    score.Sort("", "", 0);
    EXPECT_EQ(top(), (V{5, 8, 7, 4, 1, 6})); // equal scores: the later record first
    score.Sort("Freecell", "", 0);
    EXPECT_EQ(top(), (V{8, 7, 4, 1, 6}));
    score.Sort("Freecell", "Ann", 0);
    EXPECT_EQ(top(), (V{4, 1, 6}));
    score.Sort("", "Ann", 1);
    EXPECT_EQ(top(), (V{1, 6})); // status 2 is not 0, so it stays
    score.Sort("Unknown", "", 0);
    EXPECT_EQ(top(), V());
    score.Sort("", "Nobody", 0);
    EXPECT_EQ(top(), V());

    ScoreRec r;
    score.Sort("", "", 0);
    score.GetTopRec(2, r);
    EXPECT_EQ(r.Player, "Bob");
    EXPECT_EQ(r.Score, 120);
    score.CloseScore();
    score.GetTopRec(1, r);
    EXPECT_EQ(r, ScoreRec());
}

TEST_F(ScoreStats, FinSortByTimeAndByMoves)
{
    records("Ann",
            {rec(1, "Freecell", 300, 90, 10, 1), rec(2, "Freecell", 100, 120, 10, 1), rec(3, "Freecell", 50, 10, 10, 0),
             rec(4, "Freecell", 100, 80, 10, 1), rec(5, "Freecell", 200, 80, -20, 1), rec(6, "Freecell", 0, 0, 10, 1)});
    score.OpenAllScore();
    score.FinSort(true, false);
    EXPECT_EQ(top(), (V{4, 2, 5, 1})); // fastest first, the later of equal times first; lost games out
    score.FinSort(false, true);
    EXPECT_EQ(top(), (V{5, 4, 1, 2}));
    score.FinSort(true, true); // both: moves
    EXPECT_EQ(top(), (V{5, 4, 1, 2}));
    score.FinSort(false, false);
    EXPECT_EQ(top(), V());
}

TEST_F(ScoreStats, FinSortKeepsTheTwentyFastest)
{
    QList<QByteArray> lines;
    for (int k : {30, 4,  12, 27, 1,  18, 9,  22, 15, 6,  25, 3,  20, 11, 29,
                  7,  16, 2,  24, 13, 8,  28, 19, 5,  14, 10, 26, 17, 21, 23})
        lines << rec(k, "Freecell", k, 100 - k, 10, 1);
    records("Ann", lines);
    score.OpenAllScore();
    score.FinSort(true, false);
    V expect;
    for (int k = 1; k <= 20; ++k)
        expect.push_back(k);
    EXPECT_EQ(top(), expect);
    score.FinSort(false, true);
    expect.clear();
    for (int k = 30; k >= 11; --k)
        expect.push_back(k);
    EXPECT_EQ(top(), expect);
}

TEST_F(ScoreStats, PeriodWindowsFollowTheCalendar)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    records("Ann",
            {rec(1, "Freecell", 10, 1, 1, 1, "2024-03-13 23:59:00"),
             rec(2, "Freecell", 20, 2, 2, 0, "2024-03-14 00:00:30"),
             rec(3, "Freecell", 40, 4, 4, 1, "2024-02-29 12:00:00"),
             rec(4, "Freecell", 80, 8, 8, 1, "2023-12-31 23:59:59"), rec(5, "Freecell", 160, 16, 16, 1, "not a date"),
             rec(6, "Freecell", 320, 32, 32, 1, "3/14/2024 11:00:00 PM")});
    records("Bob", {rec(7, "Freecell", 640, 64, 64, 1, "2024-03-31 23:59:59")});
    score.OpenAllScore();
    const QString ref = "2024-03-14 00:01:00";
    PeriodTotals p;
    score.SumPeriodStats(ref, "d", p);
    EXPECT_EQ(p, (PeriodTotals{2, 1, 1, "Mar 14", 34, 34, 340}));
    score.SumPeriodStats(ref, "m", p);
    EXPECT_EQ(p, (PeriodTotals{4, 3, 1, "Mar 24", 99, 99, 990}));
    score.SumPeriodStats(ref, "yyyy", p);
    EXPECT_EQ(p, (PeriodTotals{5, 4, 1, "2024", 103, 103, 1030}));
    score.SumPeriodStats("2023-12-01 08:00:00", "m", p);
    EXPECT_EQ(p, (PeriodTotals{1, 1, 0, "Dec 23", 8, 8, 80}));
    score.SumPeriodStats(ref, "w", p);
    EXPECT_EQ(p, PeriodTotals());
    score.SumPeriodStats("garbage", "d", p);
    EXPECT_EQ(p, PeriodTotals());
    // The record without a date still counts everywhere else.
    StatTotals t;
    score.SumStats(t);
    EXPECT_EQ(t.Played, 7);
    QLocale::setDefault(QLocale::c());
}
