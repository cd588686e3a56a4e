// The random source, the shuffle, game numbers, the game clock and the time text.
#include "engine/clock.h"
#include "engine/random.h"
#include "enginetest.h"

#include <algorithm>
#include <set>

using namespace tw;
using namespace tw::test;

namespace {

std::vector<int> deck(Table &t)
{
    std::vector<int> v;
    for (int16_t i = 0; i < t.T(); ++i)
        v.push_back(t.engine.Array.GetRandom(i));
    return v;
}

bool isPermutation(std::vector<int> v)
{
    std::sort(v.begin(), v.end());
    for (size_t i = 0; i < v.size(); ++i)
        if (v[i] != static_cast<int>(i))
            return false;
    return true;
}

} // namespace

TEST(Random, DrawsLieInTheUnitIntervalAndResetRepeats)
{
    RandomSource a, b;
    a.Next(-10);
    b.Next(-10);
    double sum = 0;
    for (int i = 0; i < 20000; ++i) {
        const float r = a.Next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        ASSERT_EQ(r, b.Next());
        sum += r;
    }
    EXPECT_NEAR(sum / 20000, 0.5, 0.02);
    // A reset forgets everything drawn and seeded before it.
    RandomSource c;
    c.Randomize();
    c.Randomize(12345);
    (void)c.Next();
    c.Next(-10);
    RandomSource d;
    d.Next(-10);
    c.Randomize(7);
    d.Randomize(7);
    EXPECT_EQ(c.Next(), d.Next());
}

TEST(Random, SeedingTheSameNumberEveryPassStillChangesTheDraw)
{
    RandomSource r;
    r.Next(-10);
    std::set<float> seen;
    for (int i = 0; i < 50; ++i) {
        r.Randomize(42);
        seen.insert(r.Next());
    }
    EXPECT_GT(seen.size(), 45u);
}

TEST(Random, DeckIsAPermutationForEverySize)
{
    for (const char *name : {"Stripped Freecell", "Freecell", "Zodiac"}) {
        Table t;
        t.start(QString::fromUtf8(name), 987654321);
        const std::vector<int> v = deck(t);
        EXPECT_EQ(static_cast<int>(v.size()), t.engine.Games.TotalCards()) << name;
        EXPECT_TRUE(isPermutation(v)) << name;
        // Not the identity: the shuffle did something.
        std::vector<int> id(v.size());
        for (size_t i = 0; i < id.size(); ++i)
            id[i] = static_cast<int>(i);
        EXPECT_NE(v, id) << name;
        EXPECT_EQ(t.engine.Array.GetRandom(t.T()), 0) << name;
    }
}

TEST(Random, SameNumberSameDealInEveryVariant)
{
    Table a, b;
    for (int16_t i = 1; i <= frmGame::GameCount; ++i) {
        const QString name = frmGame::NameAt(i);
        a.start(name, 4711);
        (void)b.engine.GetRandomGameNo(); // a random number drawn in between
        b.start(name, 4711);
        EXPECT_EQ(deck(a), deck(b)) << str(name);
        EXPECT_EQ(snapshot(a.engine), snapshot(b.engine)) << str(name);
        EXPECT_EQ(faces(a.engine), faces(b.engine)) << str(name);
        // Again in the same table, after other games.
        a.start(QStringLiteral("See-Saw"), 3);
        a.start(name, 4711);
        EXPECT_EQ(snapshot(a.engine), snapshot(b.engine)) << str(name);
    }
}

TEST(Random, RandomPileDealRepeats)
{
    Table a, b;
    a.start(QStringLiteral("See-Saw"), 31337);
    b.engine.GetRandomGameNo();
    b.engine.GetRandomGameNo();
    b.start(QStringLiteral("See-Saw"), 31337);
    std::vector<int> sizesA, sizesB;
    for (int16_t p = 0; p < 8; ++p) {
        sizesA.push_back(a.count(PileType::Home, p));
        sizesB.push_back(b.count(PileType::Home, p));
    }
    EXPECT_EQ(sizesA, sizesB);
    EXPECT_EQ(snapshot(a.engine), snapshot(b.engine));
    // Other numbers give other pile sizes (one of a few numbers at least).
    bool differs = false;
    for (qint64 n : {1, 2, 3, 4}) {
        b.start(QStringLiteral("See-Saw"), n);
        std::vector<int> s;
        for (int16_t p = 0; p < 8; ++p)
            s.push_back(b.count(PileType::Home, p));
        differs = differs || s != sizesA;
    }
    EXPECT_TRUE(differs);
}

TEST(Random, NumberAndTypedTextDealAlike)
{
    Table a, b, c;
    a.engine.StartGame(QStringLiteral("Freecell"), GameNo::text(QStringLiteral(" 42 ")));
    b.engine.StartGame(QStringLiteral("Freecell"), GameNo::text(QStringLiteral("42")));
    c.engine.StartGame(QStringLiteral("Freecell"), GameNo::number(42));
    EXPECT_EQ(deck(a), deck(c));
    EXPECT_EQ(deck(b), deck(c));
    EXPECT_EQ(snapshot(a.engine), snapshot(c.engine));
    // The caption shows the number as it was given.
    EXPECT_EQ(a.view.caption, QStringLiteral("Tarnwick [Freecell] [Player1] [ 42 ]"));
    EXPECT_EQ(c.view.caption, QStringLiteral("Tarnwick [Freecell] [Player1] [42]"));
    // A text that is no number deals too, the same every time.
    a.engine.StartGame(QStringLiteral("Freecell"), GameNo::text(QStringLiteral("lucky")));
    b.engine.StartGame(QStringLiteral("Freecell"), GameNo::text(QStringLiteral("lucky")));
    EXPECT_EQ(deck(a), deck(b));
    EXPECT_NE(deck(a), deck(c));
}

TEST(Random, DifferentNumbersDifferentDeals)
{
    Table t;
    std::set<std::vector<int>> seen;
    for (qint64 n = 1; n <= 30; ++n) {
        t.start(QStringLiteral("Freecell"), n);
        seen.insert(deck(t));
    }
    t.start(QStringLiteral("Freecell"), 999999999999999LL);
    seen.insert(deck(t));
    EXPECT_EQ(seen.size(), 31u);
}

// The deal of a game number must never change: players replay numbers and
// compare scores. A change of the generator that would alter every deal
// fails here.
TEST(Random, GoldenDealOfFreecellGameOne)
{
    Table t;
    t.start(QStringLiteral("Freecell"), 1);
    const std::vector<int> v = deck(t);
    const std::vector<int> first(v.begin(), v.begin() + 10);
    const std::vector<int> golden = {9, 21, 17, 4, 45, 49, 40, 10, 6, 34};
    EXPECT_EQ(first, golden);
}

TEST(Random, GameNumbersStayInTheirRange)
{
    Table t;
    t.data().RangeIndex(1);
    std::set<qint64> seen;
    for (int i = 0; i < 400; ++i) {
        const GameNo g = t.engine.GetRandomGameNo();
        ASSERT_TRUE(g.isNumber());
        ASSERT_GE(g.asNumber(), 1);
        ASSERT_LE(g.asNumber(), 9);
        seen.insert(g.asNumber());
    }
    EXPECT_EQ(seen.size(), 9u);
    t.data().RangeIndex(15);
    for (int i = 0; i < 400; ++i) {
        const qint64 n = t.engine.GetRandomGameNo().asNumber();
        ASSERT_GE(n, 1);
        ASSERT_LT(n, 1000000000000000LL);
    }
    t.data().RangeIndex(5);
    for (int i = 0; i < 100; ++i) {
        const qint64 n = t.engine.GetRandomGameNo().asNumber();
        ASSERT_GE(n, 1);
        ASSERT_LT(n, 100000);
    }
    // A stored range outside the offered ones reads as the nearest of them.
    t.data().RangeIndex(0);
    seen.clear();
    for (int i = 0; i < 400; ++i) {
        const qint64 n = t.engine.GetRandomGameNo().asNumber();
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 9);
        seen.insert(n);
    }
    EXPECT_EQ(seen.size(), 9u);
    t.data().RangeIndex(16);
    bool wide = false;
    for (int i = 0; i < 20; ++i) {
        const qint64 n = t.engine.GetRandomGameNo().asNumber();
        ASSERT_LT(n, 1000000000000000LL);
        wide = wide || n >= 100000000000000LL;
    }
    EXPECT_TRUE(wide);
    // Handed a range below them, the draw itself has nothing to draw from:
    // always game 1.
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(RandomGameNo(t.engine.NumberRandom, 0), 1);
    EXPECT_EQ(RandomGameNo(t.engine.NumberRandom, -3), 1);
    EXPECT_EQ(LargestGameNo(1), 9);
    EXPECT_EQ(LargestGameNo(15), 999999999999999LL);
}

TEST(Clock, FormatTime)
{
    EXPECT_EQ(FormatTime(0), QStringLiteral("0:00:00"));
    EXPECT_EQ(FormatTime(59), QStringLiteral("0:00:59"));
    EXPECT_EQ(FormatTime(60), QStringLiteral("0:01:00"));
    EXPECT_EQ(FormatTime(3600), QStringLiteral("1:00:00"));
    EXPECT_EQ(FormatTime(3725), QStringLiteral("1:02:05"));
    EXPECT_EQ(FormatTime(25 * 3600), QStringLiteral("25:00:00"));
    EXPECT_EQ(FormatTime(100 * 3600 + 61), QStringLiteral("100:01:01"));
    EXPECT_EQ(FormatTime(-5), QStringLiteral("-0:00:05"));
    EXPECT_EQ(FormatTime(-3725), QStringLiteral("-1:02:05"));
}

TEST(Clock, GameSecondsCountOnlyWhileAGameRuns)
{
    Table t;
    t.data().GameStartTime(t.now.addSecs(-500));
    EXPECT_EQ(t.engine.GetGameSeconds(), 0);
    t.start(QStringLiteral("Freecell"), 5);
    EXPECT_EQ(t.engine.GetGameSeconds(), 0);
    t.now = t.now.addSecs(125);
    EXPECT_EQ(t.engine.GetGameSeconds(), 125);
    t.engine.EndGame(0);
    EXPECT_EQ(t.engine.GetGameSeconds(), 0);
}

// With the system's clock, the game clock counts from the start stored as a
// local time, across a change of the day and whatever the time zone.
TEST(Clock, GameSecondsOnTheSystemClock)
{
    Table t;
    t.engine.Now = nullptr;
    t.start(QStringLiteral("Freecell"), 5);
    const QDateTime started = t.data().GameStart();
    EXPECT_LE(std::abs(started.secsTo(QDateTime::currentDateTime())), 1);
    EXPECT_GE(t.engine.GetGameSeconds(), 0);
    EXPECT_LE(t.engine.GetGameSeconds(), 1);
    t.data().GameStartTime(started.addSecs(-86400 - 65));
    const int32_t s = t.engine.GetGameSeconds();
    EXPECT_GE(s, 86400 + 65);
    EXPECT_LE(s, 86400 + 66);
}

TEST(GameNumber, TextAndNumberForms)
{
    EXPECT_EQ(GameNo::number(42).toText(), QStringLiteral("42"));
    EXPECT_EQ(GameNo::text(QStringLiteral(" 42 ")).toText(), QStringLiteral(" 42 "));
    EXPECT_EQ(GameNo::text(QStringLiteral(" 42 ")).seed(), GameNo::number(42).seed());
    EXPECT_EQ(GameNo::text(QStringLiteral("+42")).seed(), GameNo::number(42).seed());
    EXPECT_NE(GameNo::text(QStringLiteral("4 2")).seed(), GameNo::number(42).seed());
    EXPECT_NE(GameNo::text(QStringLiteral("abc")).seed(), GameNo::text(QStringLiteral("abd")).seed());
    EXPECT_FALSE(parseWholeNumber(QStringLiteral("")).has_value());
    EXPECT_FALSE(parseWholeNumber(QStringLiteral("12a")).has_value());
    EXPECT_EQ(parseWholeNumber(QStringLiteral("999999999999999")).value(), 999999999999999LL);
    EXPECT_TRUE(GameNo().isEmpty());
}
