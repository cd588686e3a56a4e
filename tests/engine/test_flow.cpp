// The road of a game: start, caption, score, restart, the win and the
// re-entrant paths around it.
#include "engine/numeric.h"
#include "enginetest.h"

#include <algorithm>
#include <array>
#include <string>
#include <unordered_set>

using namespace tw;
using namespace tw::test;

namespace {

enum : int16_t { Hearts = 0, Spades = 1, Diamonds = 2, Clubs = 3 };

// A small Freecell solver over card faces (suit * 13 + rank). Autoplay is
// modelled as the engine does it: after every move every card that fits a
// foundation goes there, until none fits. Moves are single cards only.
struct FreecellState {
    std::array<std::vector<int8_t>, 8> cols;
    std::array<int8_t, 4> cells{-1, -1, -1, -1};
    std::array<int8_t, 4> home{0, 0, 0, 0}; // next rank needed, per suit

    static int suit(int v) { return v / 13; }
    static int rank(int v) { return v % 13; }
    static bool red(int v) { return suit(v) == 0 || suit(v) == 2; }
    static bool fitsOn(int lower, int upper) { return rank(upper) == rank(lower) - 1 && red(upper) != red(lower); }

    void autoplay()
    {
        for (bool moved = true; moved;) {
            moved = false;
            for (auto &c : cols)
                if (!c.empty() && rank(c.back()) == home[static_cast<size_t>(suit(c.back()))]) {
                    ++home[static_cast<size_t>(suit(c.back()))];
                    c.pop_back();
                    moved = true;
                }
            for (auto &cell : cells)
                if (cell >= 0 && rank(cell) == home[static_cast<size_t>(suit(cell))]) {
                    ++home[static_cast<size_t>(suit(cell))];
                    cell = -1;
                    moved = true;
                }
        }
    }
    int homeTotal() const { return home[0] + home[1] + home[2] + home[3]; }
    bool won() const { return homeTotal() == 52; }
    std::string key() const
    {
        std::vector<std::string> cs;
        for (const auto &c : cols)
            cs.emplace_back(c.begin(), c.end());
        std::sort(cs.begin(), cs.end());
        std::string k;
        for (const auto &c : cs)
            k += c + '|';
        std::array<int8_t, 4> sorted = cells;
        std::sort(sorted.begin(), sorted.end());
        k.append(sorted.begin(), sorted.end());
        return k;
    }
};

// One move: a card face to a tableau pile (0..7) or to a cell (8).
struct SolverMove {
    int8_t card;
    int8_t to;
};

class Solver {
public:
    bool solve(FreecellState s, int budget)
    {
        budget_ = budget;
        s.autoplay();
        return dfs(s, 0);
    }
    std::vector<SolverMove> moves;

private:
    bool dfs(const FreecellState &s, int depth)
    {
        if (s.won())
            return true;
        if (--budget_ < 0 || depth > 200 || !seen_.insert(s.key()).second)
            return false;
        struct Child {
            FreecellState s;
            SolverMove m;
            int score;
        };
        std::vector<Child> children;
        const auto add = [&](FreecellState n, SolverMove m) {
            n.autoplay();
            int emptyCols = 0, freeCells = 0;
            for (const auto &c : n.cols)
                emptyCols += c.empty();
            for (int8_t c : n.cells)
                freeCells += c < 0;
            children.push_back({n, m, n.homeTotal() * 8 + freeCells * 3 + emptyCols * 5});
        };
        for (int from = 0; from < 12; ++from) {
            int8_t card;
            if (from < 8) {
                if (s.cols[static_cast<size_t>(from)].empty())
                    continue;
                card = s.cols[static_cast<size_t>(from)].back();
            } else {
                card = s.cells[static_cast<size_t>(from - 8)];
                if (card < 0)
                    continue;
            }
            bool triedEmpty = false;
            for (int to = 0; to < 8; ++to) {
                if (to == from)
                    continue;
                const auto &dst = s.cols[static_cast<size_t>(to)];
                if (dst.empty()) {
                    if (triedEmpty || (from < 8 && s.cols[static_cast<size_t>(from)].size() == 1))
                        continue;
                    triedEmpty = true;
                } else if (!FreecellState::fitsOn(dst.back(), card)) {
                    continue;
                }
                FreecellState n = s;
                if (from < 8)
                    n.cols[static_cast<size_t>(from)].pop_back();
                else
                    n.cells[static_cast<size_t>(from - 8)] = -1;
                n.cols[static_cast<size_t>(to)].push_back(card);
                add(n, {card, static_cast<int8_t>(to)});
            }
            if (from < 8) {
                for (int k = 0; k < 4; ++k)
                    if (s.cells[static_cast<size_t>(k)] < 0) {
                        FreecellState n = s;
                        n.cols[static_cast<size_t>(from)].pop_back();
                        n.cells[static_cast<size_t>(k)] = card;
                        add(n, {card, 8});
                        break;
                    }
            }
        }
        std::stable_sort(children.begin(), children.end(),
                         [](const Child &a, const Child &b) { return a.score > b.score; });
        for (const Child &c : children) {
            moves.push_back(c.m);
            if (dfs(c.s, depth + 1))
                return true;
            moves.pop_back();
        }
        return false;
    }
    int budget_ = 0;
    std::unordered_set<std::string> seen_;
};

int face(const Engine &e, int card) { return e.GetCardSuitpile(card) * 13 + e.GetCardNum(card); }

FreecellState stateOf(const Table &t)
{
    FreecellState s;
    for (int16_t p = 0; p < 8; ++p)
        for (int16_t k = 0; k <= t.top(PileType::Home, p); ++k)
            s.cols[static_cast<size_t>(p)].push_back(static_cast<int8_t>(face(t.engine, t.at(PileType::Home, p, k))));
    for (int16_t k = 0; k < 4; ++k)
        s.cells[static_cast<size_t>(k)] =
            t.top(PileType::Res, k) >= 0 ? static_cast<int8_t>(face(t.engine, t.at(PileType::Res, k, 0))) : -1;
    for (int16_t f = 0; f < 4; ++f)
        if (t.top(PileType::Goal, f) >= 0)
            s.home[static_cast<size_t>(t.engine.GetCardSuit(t.at(PileType::Goal, f, 0)))] =
                static_cast<int8_t>(t.count(PileType::Goal, f));
    return s;
}

} // namespace

TEST(Flow, CaptionShowsGamePlayerAndNumber)
{
    Table t;
    t.start(QStringLiteral("Freecell"), 123);
    EXPECT_EQ(t.view.caption, QStringLiteral("Tarnwick [Freecell] [Player1] [123]"));
    EXPECT_EQ(t.engine.Caption(), t.view.caption);
    EXPECT_EQ(t.data().CurGName(), QStringLiteral("Freecell"));
    EXPECT_EQ(t.data().LastGName(), QStringLiteral("Freecell"));
    EXPECT_EQ(t.data().GetRecent(1), QStringLiteral("Freecell"));
    t.start(QStringLiteral("Zodiac"), 5);
    EXPECT_EQ(t.data().GetRecent(1), QStringLiteral("Zodiac"));
    EXPECT_EQ(t.data().GetRecent(2), QStringLiteral("Freecell"));
    EXPECT_EQ(t.data().GameStart(), t.now);
}

TEST(Flow, ScoreOfTheRunningGame)
{
    Table t;
    EXPECT_EQ(t.engine.CalcScore(), 0);
    t.data().Autoplay(0);
    t.start(QStringLiteral("Freecell"), 123);
    ASSERT_EQ(t.engine.Array.TotalGoalCards(), 0);
    t.data().CurTime(3);
    t.data().CurMoves(1);
    EXPECT_EQ(t.engine.CalcScore(), -2); // -1.5
    t.data().CurTime(0);
    EXPECT_EQ(t.engine.CalcScore(), 0); // -0.5
    t.data().CurMoves(5);
    EXPECT_EQ(t.engine.CalcScore(), -2); // -2.5
    t.data().CurMoves(3);
    EXPECT_EQ(t.engine.CalcScore(), -2); // -1.5
    t.data().CurTime(200000);
    EXPECT_EQ(t.engine.CalcScore(), -32768); // held at the 16-bit floor
    // All 52 home, 300 s, 100 moves.
    t.view.onWin = [] {};
    for (int16_t p = 0; p < 8; ++p)
        while (t.count(PileType::Home, p) > 0)
            t.place(t.topCard(PileType::Home, p), 3, static_cast<int16_t>(p % 4));
    ASSERT_EQ(t.engine.Array.TotalGoalCards(), 52);
    EXPECT_EQ(t.view.wins, 1);
    ASSERT_TRUE(t.data().GameRunning());
    t.data().CurTime(300);
    t.data().CurMoves(100);
    EXPECT_EQ(t.engine.CalcScore(), 370);
    t.engine.EndGame(0);
    EXPECT_EQ(t.engine.CalcScore(), 0);
}

TEST(Flow, StatusSampleAndFreshFiguresPerGame)
{
    Table t;
    t.start(QStringLiteral("Freecell"), 123);
    t.now = t.now.addSecs(90);
    t.engine.SampleStatus();
    EXPECT_EQ(t.data().CurTime(), 90);
    t.data().CurMoves(17);
    t.data().CurScore(-40);
    // A new game starts from zero, and the abandoned one is recorded with its figures.
    t.start(QStringLiteral("Freecell"), 124);
    ASSERT_EQ(t.sink.scores, (std::vector<int16_t>{0}));
    EXPECT_EQ(t.sink.session, (std::vector<int16_t>{0}));
    EXPECT_EQ(t.sink.recordedTime[0], 90);
    EXPECT_EQ(t.sink.recordedMoves[0], 17);
    EXPECT_EQ(t.sink.recordedScore[0], -40);
    EXPECT_EQ(t.data().CurTime(), 0);
    EXPECT_EQ(t.data().CurMoves(), 0);
    EXPECT_EQ(t.data().CurScore(), 0);
    t.engine.EndGame(0);
    EXPECT_EQ(t.sink.recordedTime[1], 0);
    EXPECT_FALSE(t.data().GameRunning());
    EXPECT_EQ(t.view.gamesEnded, 2);
    for (const CardState &c : t.engine.Cards)
        EXPECT_FALSE(c.Visible);
}

TEST(Flow, RestartRecordsOneLossAndDealsTheSameLayout)
{
    Table t;
    t.start(QStringLiteral("Freecell"), 123);
    const auto first = snapshot(t.engine);
    const auto firstFaces = faces(t.engine);
    const int32_t firstPosition = t.position();
    t.dragTo(t.topCard(PileType::Home, 0), 4, 0, 0);
    ASSERT_GT(t.position(), 0);
    t.engine.StartGame(t.data().CurGName(), t.data().CurGNo());
    EXPECT_EQ(t.sink.scores, (std::vector<int16_t>{0}));
    EXPECT_EQ(snapshot(t.engine), first);
    EXPECT_EQ(faces(t.engine), firstFaces);
    EXPECT_EQ(t.engine.CheckModel(), QString());
    EXPECT_EQ(t.position(), firstPosition);
    EXPECT_EQ(t.engine.Trans->Last(), firstPosition);
}

TEST(Flow, UnknownNameChangesNothing)
{
    Table t;
    t.start(QStringLiteral("Freecell"), 123);
    t.dragTo(t.topCard(PileType::Home, 0), 4, 0, 0);
    const auto snap = snapshot(t.engine);
    const int32_t pos = t.position();
    const QString caption = t.view.caption;
    for (const char *name : {"freecell", "", "Games", "Freecell "}) {
        t.engine.StartGame(QString::fromUtf8(name), GameNo::number(5));
        EXPECT_TRUE(t.data().GameRunning()) << name;
        EXPECT_EQ(snapshot(t.engine), snap) << name;
        EXPECT_EQ(t.position(), pos) << name;
        EXPECT_EQ(t.data().GetRecent(1), QStringLiteral("Freecell")) << name;
        EXPECT_EQ(t.data().CurGName(), QStringLiteral("Freecell")) << name;
        EXPECT_EQ(t.view.caption, caption) << name;
        EXPECT_EQ(t.engine.Games.Piles(PileType::Res), 4) << name;
    }
    EXPECT_TRUE(t.sink.scores.empty());
}

TEST(Flow, StartRequestDuringADealIsIgnored)
{
    Table reference;
    reference.start(QStringLiteral("Freecell"), 9);
    Table t;
    int pumps = 0;
    t.view.onPump = [&] {
        ++pumps;
        EXPECT_TRUE(t.engine.Dealing());
        EXPECT_FALSE(t.data().GameRunning());
        t.engine.StartGame(QStringLiteral("Zodiac"), GameNo::number(5));
        // Nor do cards move by hand in the middle of a deal.
        t.engine.CardMouseDown(0, 500, 700);
        EXPECT_FALSE(t.engine.Dragging);
        EXPECT_FALSE(t.engine.Undo(5));
    };
    t.start(QStringLiteral("Freecell"), 9);
    t.view.onPump = nullptr;
    EXPECT_EQ(pumps, 104); // every card onto the stock, then onto the tableau
    EXPECT_FALSE(t.engine.Dealing());
    EXPECT_EQ(t.data().CurGName(), QStringLiteral("Freecell"));
    EXPECT_EQ(t.engine.Games.TotalCards(), 52);
    EXPECT_EQ(t.engine.CheckModel(), QString());
    EXPECT_EQ(snapshot(t.engine), snapshot(reference.engine));
    EXPECT_EQ(t.position(), reference.position());
    EXPECT_TRUE(t.sink.scores.empty());
    // Once the deal is done a start request works again.
    t.start(QStringLiteral("Zodiac"), 5);
    EXPECT_EQ(t.engine.Games.TotalCards(), 104);
    EXPECT_EQ(t.sink.scores, (std::vector<int16_t>{0}));
}

TEST(Flow, FirstStartCreatesThePlayer)
{
    TestData d;
    SpyView view;
    Engine e(d.data, view);
    EXPECT_EQ(d.data.TotalPlayers(), 0);
    e.InitTable();
    EXPECT_EQ(d.data.TotalPlayers(), 1);
    EXPECT_EQ(d.data.GetPlayer(1), QStringLiteral("Player1"));
    EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("Player1"));
    d.data.SetPlayer(2, QStringLiteral("Ann"), true);
    e.InitTable();
    EXPECT_EQ(d.data.TotalPlayers(), 2);
    EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("Ann"));
    // An engine without a record sink ends games quietly.
    e.StartGame(QStringLiteral("Freecell"), GameNo::number(1));
    e.EndGame(0);
    EXPECT_FALSE(d.data.GameRunning());
}

// The whole road of a won game, played through the mouse handlers with the
// moves a small solver finds.
TEST(Flow, ScriptedFreecellGameIsWonOnce)
{
    qint64 number = 0;
    std::vector<SolverMove> moves;
    // Game 6 is the first that the solver finishes within its budget; the
    // search goes on from there should the deals ever change.
    for (qint64 n = 6; n <= 40 && number == 0; ++n) {
        Table probe;
        probe.start(QStringLiteral("Freecell"), n);
        Solver solver;
        if (solver.solve(stateOf(probe), 20000)) {
            number = n;
            moves = solver.moves;
        }
    }
    ASSERT_NE(number, 0) << "no deal solved within the budget";

    Table t;
    t.start(QStringLiteral("Freecell"), number);
    FreecellState model = stateOf(t);
    model.autoplay();
    for (size_t i = 0; i < moves.size(); ++i) {
        const SolverMove m = moves[i];
        ASSERT_TRUE(t.data().GameRunning()) << "move " << i;
        int card = -1;
        for (int c = 0; c < 52 && card < 0; ++c)
            if (face(t.engine, c) == m.card)
                card = c;
        ASSERT_GE(card, 0);
        if (i + 1 == moves.size())
            t.now = t.now.addSecs(300);
        const int32_t before = t.position();
        if (m.to < 8) {
            t.dragTo(card, PileType::Home, m.to, t.top(PileType::Home, m.to));
            if (t.data().GameRunning()) {
                const bool there = t.engine.GetCardCell(card) == PileType::Home && t.engine.GetCardPile(card) == m.to;
                ASSERT_TRUE(there || t.engine.GetCardCell(card) == PileType::Goal) << "move " << i;
            }
        } else {
            int16_t cell = 0;
            while (t.top(PileType::Res, cell) >= 0)
                ++cell;
            t.dragTo(card, PileType::Res, cell, 0);
        }
        ASSERT_GT(t.position(), before) << "move " << i << " was not taken";
        // Mirror the move on the model and compare the foundations.
        FreecellState next = model;
        for (auto &c : next.cols)
            if (!c.empty() && c.back() == m.card)
                c.pop_back();
        for (auto &c : next.cells)
            if (c == m.card)
                c = -1;
        if (m.to < 8)
            next.cols[static_cast<size_t>(m.to)].push_back(m.card);
        else
            for (auto &c : next.cells)
                if (c < 0) {
                    c = m.card;
                    break;
                }
        next.autoplay();
        model = next;
        if (t.data().GameRunning()) {
            ASSERT_EQ(t.engine.Array.TotalGoalCards(), model.homeTotal()) << "move " << i;
            ASSERT_EQ(t.engine.CheckModel(), QString()) << "move " << i;
        }
    }
    EXPECT_TRUE(model.won());
    EXPECT_EQ(t.view.wins, 1);
    EXPECT_FALSE(t.data().GameRunning());
    ASSERT_EQ(t.sink.scores, (std::vector<int16_t>{1}));
    EXPECT_EQ(t.sink.session, (std::vector<int16_t>{1}));
    const int32_t movesMade = t.position();
    EXPECT_EQ(t.sink.recordedMoves[0], movesMade);
    EXPECT_EQ(t.sink.recordedTime[0], 300);
    const int16_t expected = static_cast<int16_t>(roundHalfEven(520 - (300 / 3.0 + movesMade / 2.0)));
    EXPECT_EQ(t.sink.recordedScore[0], expected);
    for (const CardState &c : t.engine.Cards)
        EXPECT_FALSE(c.Visible);
}

namespace {

// Freecell with 49 cards home and the last three hearts on the tableau, so
// that one move completes the game through three levels of autoplay.
void layOutNearlyWon(Table &t)
{
    t.data().Autoplay(0);
    t.start(QStringLiteral("Freecell"), 55);
    // Clear piles 3..7 and all but the bottom card of piles 0..2.
    std::array<int, 4> homeCount{0, 0, 0, 0};
    const auto toGoal = [&](int16_t pile) {
        int16_t f = 0;
        while (homeCount[static_cast<size_t>(f)] == (f == 0 ? 10 : 13))
            ++f;
        t.place(t.topCard(PileType::Home, pile), 3, f);
        ++homeCount[static_cast<size_t>(f)];
    };
    for (int16_t p = 3; p < 8; ++p)
        while (t.count(PileType::Home, p) > 0)
            toGoal(p);
    for (int16_t p = 0; p < 3; ++p)
        while (t.count(PileType::Home, p) > 1)
            toGoal(p);
    // Faces: foundation f holds suit f from the Ace up; the Jack, Queen and
    // King of hearts lie at the bottoms of piles 2, 1 and 0.
    std::vector<std::pair<int, std::pair<int16_t, int16_t>>> wanted;
    for (int16_t f = 0; f < 4; ++f)
        for (int16_t k = 0; k <= t.top(PileType::Goal, f); ++k)
            wanted.push_back({t.at(PileType::Goal, f, k), {f, k}});
    wanted.push_back({t.at(PileType::Home, 0, 0), {Hearts, 12}});
    wanted.push_back({t.at(PileType::Home, 1, 0), {Hearts, 11}});
    wanted.push_back({t.at(PileType::Home, 2, 0), {Hearts, 10}});
    for (const auto &[card, f] : wanted)
        t.relabel(card, f.first, f.second);
}

} // namespace

TEST(Flow, WinInsideNestedAutoplayOpensTheEndOnce)
{
    Table t;
    layOutNearlyWon(t);
    ASSERT_EQ(t.engine.Array.TotalGoalCards(), 49);
    t.data().Autoplay(1);
    // The King goes to an empty pile; autoplay takes the Jack, whose move
    // takes the Queen, whose move takes the King.
    t.dragTo(t.topCard(PileType::Home, 0), 0, 5, -1);
    EXPECT_EQ(t.view.wins, 1);
    EXPECT_EQ(t.sink.scores, (std::vector<int16_t>{1}));
    EXPECT_FALSE(t.data().GameRunning());
}

TEST(Flow, NewGameFromTheEndOfGameWindow)
{
    Table reference;
    reference.start(QStringLiteral("Freecell"), 77);
    Table t;
    layOutNearlyWon(t);
    t.data().Autoplay(1);
    t.view.onWin = [&] {
        t.engine.EndGame(1);
        t.engine.StartGame(QStringLiteral("Freecell"), GameNo::number(77));
    };
    t.dragTo(t.topCard(PileType::Home, 0), 0, 5, -1);
    EXPECT_EQ(t.view.wins, 1);
    EXPECT_EQ(t.sink.scores, (std::vector<int16_t>{1}));
    ASSERT_TRUE(t.data().GameRunning());
    // The interrupted move chain left the new deal alone.
    EXPECT_EQ(t.engine.CheckModel(), QString());
    EXPECT_EQ(snapshot(t.engine), snapshot(reference.engine));
    EXPECT_EQ(t.position(), reference.position());
    EXPECT_FALSE(t.engine.Dragging);
    // And it plays on.
    t.dragTo(t.topCard(PileType::Home, 0), 4, 0, 0);
    EXPECT_EQ(t.engine.CheckModel(), QString());
}

// The end-of-game window comes once the winning move is over: after the
// autoplay it set off and the drop's own sound, never in the middle of them.
TEST(Flow, TheWinIsHandledOnceTheMoveIsOver)
{
    Table t;
    layOutNearlyWon(t);
    t.data().Autoplay(1);
    t.data().SoundCardUp(-1);
    QStringList heardAtWin;
    t.view.onWin = [&] {
        heardAtWin = t.sound.played;
        t.engine.EndGame(1);
    };
    t.dragTo(t.topCard(PileType::Home, 0), 0, 5, -1);
    ASSERT_EQ(t.view.wins, 1);
    EXPECT_EQ(heardAtWin.count(QStringLiteral("CARDUP")), 1);
    EXPECT_EQ(heardAtWin, t.sound.played);
}

TEST(Flow, NewGameFromTheWinHookDuringAStockDeal)
{
    // Milligan Cell: a press deals the stock onto every pile; the win comes
    // in the middle of that deal and a new game starts from the hook.
    Table t;
    t.data().Autoplay(0);
    t.start(QStringLiteral("Milligan Cell"), 3);
    // Put all but 8 cards home, the 8 left on the stock.
    std::array<int, 8> homeCount{};
    int16_t f = 0;
    for (int16_t p = 0; p < 8; ++p)
        while (t.count(PileType::Home, p) > 0) {
            t.place(t.topCard(PileType::Home, p), 3, f);
            if (++homeCount[static_cast<size_t>(f)] == 12)
                ++f;
        }
    while (t.count(PileType::Stock, 0) > 8) {
        t.place(t.topCard(PileType::Stock, 0), 3, f);
        if (++homeCount[static_cast<size_t>(f)] == 12)
            ++f;
    }
    ASSERT_EQ(t.engine.Array.TotalGoalCards(), 96);
    // Relabel: foundations full but for the Kings, which the stock holds.
    for (int16_t g = 0; g < 8; ++g)
        for (int16_t k = 0; k <= t.top(PileType::Goal, g); ++k)
            t.relabel(t.at(PileType::Goal, g, k), static_cast<int16_t>(g % 4), k, g);
    for (int16_t g = 0; g < 8; ++g)
        ASSERT_EQ(t.count(PileType::Goal, g), 12);
    for (int16_t k = 0; k < 8; ++k)
        t.relabel(t.at(PileType::Stock, 0, k), static_cast<int16_t>((7 - k) % 4), 12, static_cast<int16_t>(7 - k));
    t.data().Autoplay(1);
    Table reference;
    reference.start(QStringLiteral("Oasis"), 8);
    t.view.onWin = [&] {
        t.engine.EndGame(1);
        t.engine.StartGame(QStringLiteral("Oasis"), GameNo::number(8));
    };
    t.press(t.topCard(PileType::Stock, 0));
    EXPECT_EQ(t.view.wins, 1);
    EXPECT_EQ(t.sink.scores, (std::vector<int16_t>{1}));
    EXPECT_EQ(t.engine.CheckModel(), QString());
    EXPECT_EQ(snapshot(t.engine), snapshot(reference.engine));
    EXPECT_EQ(t.position(), reference.position());
    EXPECT_EQ(t.engine.Trans->RecordAt(t.position()).Multi, 0);
}

// A win seen inside an operation is handed on only for a table that is still
// won when the operation ends. With a win hook that lets play go on, an Undo
// All that starts one move after the win passes through the won table on
// its way back, and a Redo All passes through it on its way forward: neither
// ends on a won table, so neither hands a win on.
TEST(Flow, AWinPassedThroughByUndoAllOrRedoAllIsNoWin)
{
    Table t;
    layOutNearlyWon(t);
    t.data().Autoplay(1);
    std::vector<int> homeAtWin;
    t.view.onWin = [&] { homeAtWin.push_back(t.engine.Array.TotalGoalCards()); };
    t.dragTo(t.topCard(PileType::Home, 0), 0, 5, -1);
    ASSERT_EQ(homeAtWin, std::vector<int>{52});
    ASSERT_TRUE(t.data().GameRunning());

    // The King of hearts back from its foundation onto the empty pile.
    t.data().Autoplay(0);
    const int king = t.topCard(PileType::Goal, 0);
    t.dragTo(king, PileType::Home, 5, -1);
    ASSERT_EQ(t.engine.GetCardCell(king), 0);
    ASSERT_EQ(t.engine.Array.TotalGoalCards(), 51);

    t.engine.UndoAll(0);
    EXPECT_LT(t.engine.Array.TotalGoalCards(), 52);
    t.engine.RedoAll(0);
    EXPECT_EQ(t.engine.Array.TotalGoalCards(), 51);
    EXPECT_EQ(homeAtWin, std::vector<int>{52});
    EXPECT_TRUE(t.sink.scores.empty());

    // Undoing the last move wins the table again: that is a win.
    EXPECT_TRUE(t.engine.Undo(0));
    EXPECT_EQ(homeAtWin, (std::vector<int>{52, 52}));
}
