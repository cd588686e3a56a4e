// Random play on every variant: drags of random cards to random places, stock
// presses, undo, redo and their "all" forms, autoplay switched on and off.
// After every step the card places and the pile tables must agree, every card
// must lie at rest on its place, and Undo All followed by Redo All must bring
// back exactly the same table and journal position.
#include "enginetest.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

using namespace tw;
using namespace tw::test;

namespace {

QString atRest(const Engine &e)
{
    for (int i = 0; i < e.Array.Total(); ++i) {
        const CardState &c = e.Cards[static_cast<size_t>(i)];
        if (!c.Visible)
            return QStringLiteral("card %1 hidden").arg(i);
        if (c.Left != e.Games.GetCordX(c.Cell, c.Pile, c.Pos) || c.Top != e.Games.GetCordY(c.Cell, c.Pile, c.Pos))
            return QStringLiteral("card %1 at (%2,%3) off its place (%4,%5,%6)")
                .arg(i)
                .arg(c.Left)
                .arg(c.Top)
                .arg(c.Cell)
                .arg(c.Pile)
                .arg(c.Pos);
    }
    return QString();
}

struct Soak {
    Table t;
    Engine &e = t.engine;
    std::mt19937 rng;
    std::string trail; // the last actions, for the failure message

    explicit Soak(uint32_t seed) : rng(seed) {}

    int pick(int n) { return static_cast<int>(std::uniform_int_distribution<int>(0, n - 1)(rng)); }
    int16_t speed()
    {
        static const int16_t speeds[] = {-1, 0, 1, 2, 4, 5, 8};
        return speeds[pick(7)];
    }
    void note(const std::string &s)
    {
        trail += s + "; ";
        if (trail.size() > 600)
            trail.erase(0, trail.size() - 600);
    }

    struct Place {
        int16_t cell, pile, pos;
    };

    // A card that a press can lift: the top of a pile, or a stack start a
    // few cards down a tableau pile.
    int liftable()
    {
        std::vector<int> cards;
        for (int16_t cell : {PileType::Home, PileType::Waste, PileType::Goal, PileType::Res})
            for (int16_t p = 0; p < e.Games.Piles(cell); ++p) {
                const int16_t top = e.Array.GetTop(cell, p);
                if (top < 0)
                    continue;
                cards.push_back(e.Array.GetPicID(cell, p, top));
                if (cell == PileType::Home)
                    cards.push_back(e.Array.GetPicID(PileType::Home, p,
                                                     static_cast<int16_t>(top - pick(std::min(top, int16_t(5)) + 1))));
            }
        if (e.Games.StockType() == 1 && e.Array.GetTop(PileType::Stock, 0) >= 0)
            cards.push_back(e.Array.GetTopPicID(PileType::Stock, 0));
        return cards.empty() ? pick(t.T()) : cards[static_cast<size_t>(pick(static_cast<int>(cards.size())))];
    }

    // The places that would take the card (with the cards on it) on a drop.
    std::vector<Place> takers(int card)
    {
        const CardState &c = e.Cards[static_cast<size_t>(card)];
        const int16_t count =
            c.Cell == PileType::Home ? static_cast<int16_t>(e.Array.GetTop(PileType::Home, c.Pile) - c.Pos) : 0;
        std::vector<Place> out;
        for (int16_t p = 0; p < e.Games.Piles(PileType::Home); ++p) {
            const int16_t top = e.Array.GetTop(PileType::Home, p);
            if (top < 0) {
                if (e.Games.EmptyNum() == -1 || c.Num == e.Games.EmptyNum())
                    out.push_back({0, p, top});
            } else if (!(c.Cell == PileType::Home && c.Pile == p)
                       && e.CheckOrder(e.Array.GetPicID(PileType::Home, p, top), card, e.Games.Order(PileType::Home, 0),
                                       e.Games.AK(PileType::Home) != 0)) {
                out.push_back({0, p, top});
            }
        }
        for (int16_t p = 0; p < e.Games.Piles(PileType::Res) && count == 0; ++p)
            if (e.Array.GetTop(PileType::Res, p) < 0)
                out.push_back({4, p, 0});
        if (e.Games.Family() != RuleFamily::Spider && count == 0)
            for (int16_t p = 0; p < e.Games.Piles(PileType::Goal); ++p) {
                const int16_t top = e.Array.GetTop(PileType::Goal, p);
                if (top == 12)
                    continue;
                if (top < 0 ? c.Num == e.FoundationBase
                            : e.CheckOrder(e.Array.GetPicID(PileType::Goal, p, top), card,
                                           e.Games.Order(PileType::Goal, p), e.Games.AK(PileType::Goal) != 0))
                    out.push_back({3, p, 0});
            }
        return out;
    }

    void randomDrag()
    {
        const int card = pick(4) ? liftable() : pick(t.T());
        const CardState c = e.Cards[static_cast<size_t>(card)];
        const float px = static_cast<float>(pick(1065)), py = static_cast<float>(pick(1440));
        float left, top;
        const std::vector<Place> legal = takers(card);
        if (!legal.empty() && pick(10) < 8) {
            const Place p = legal[static_cast<size_t>(pick(static_cast<int>(legal.size())))];
            left = e.Games.GetCordX(p.cell, p.pile, p.pos);
            top = e.Games.GetCordY(p.cell, p.pile, p.pos);
            note("move " + std::to_string(card) + " to " + std::to_string(p.cell) + "/" + std::to_string(p.pile));
        } else if (pick(10) < 7) {
            // Over a place of the table, more or less exactly.
            int16_t cell = static_cast<int16_t>(pick(5));
            while (e.Games.Piles(cell) < 1)
                cell = static_cast<int16_t>(pick(5));
            const int16_t pile = static_cast<int16_t>(pick(e.Games.Piles(cell)));
            const int16_t pos =
                cell == PileType::Home
                    ? e.Array.GetTop(PileType::Home, pile)
                    : (cell == PileType::Goal || cell == PileType::Res ? 0 : e.Array.GetTop(cell, pile));
            const int jitter = pick(3) == 0 ? 0 : 700;
            left = static_cast<float>(e.Games.GetCordX(cell, pile, pos) + (jitter ? pick(2 * jitter) - jitter : 0));
            top = static_cast<float>(e.Games.GetCordY(cell, pile, pos) + (jitter ? pick(2 * jitter) - jitter : 0));
            note("drag " + std::to_string(card) + " to " + std::to_string(cell) + "/" + std::to_string(pile));
        } else {
            left = static_cast<float>(pick(16000) - 1000);
            top = static_cast<float>(pick(10000) - 500);
            note("drag " + std::to_string(card) + " anywhere");
        }
        e.CardMouseDown(card, px, py);
        const bool lifted = e.Dragging;
        const int steps = 1 + pick(3);
        for (int s = 1; s <= steps; ++s) {
            // The mouse position is within the card, which moves along.
            const float k = static_cast<float>(s) / static_cast<float>(steps);
            const CardState &now = e.Cards[static_cast<size_t>(card)];
            e.CardMouseMove(card, px + c.Left + (left - c.Left) * k - now.Left,
                            py + c.Top + (top - c.Top) * k - now.Top);
        }
        if (lifted && e.Dragging) {
            const CardState &now = e.Cards[static_cast<size_t>(card)];
            EXPECT_NEAR(now.Left, left, 1.0f);
            EXPECT_NEAR(now.Top, top, 1.0f);
        }
        e.CardMouseUp(card, px, py);
        EXPECT_FALSE(e.Dragging);
    }

    void step()
    {
        const int r = pick(100);
        if (r < 65) {
            randomDrag();
        } else if (r < 73) {
            if (e.Array.GetTop(PileType::Stock, 0) >= 0) {
                const int16_t pos = pick(2) ? e.Array.GetTop(PileType::Stock, 0)
                                            : static_cast<int16_t>(pick(e.Array.GetTop(PileType::Stock, 0) + 1));
                const int card = e.Array.GetPicID(PileType::Stock, 0, pos);
                note("press stock " + std::to_string(card));
                t.press(card);
            } else {
                note("stock marker");
                e.StockMarkerClick();
            }
        } else if (r < 80) {
            note("undo");
            e.Undo(speed());
        } else if (r < 86) {
            note("redo");
            e.Redo(speed());
        } else if (r < 87) {
            note("undo all");
            e.UndoAll(speed());
        } else if (r < 90) {
            note("redo all");
            e.RedoAll(speed());
        } else if (r < 95) {
            const int16_t on = t.data().Autoplay() ? 0 : 1;
            note(on ? "autoplay on" : "autoplay off");
            t.data().Autoplay(on);
            if (on && t.data().GameRunning() && !e.Busy())
                e.AutoPlay();
        } else {
            // A press on a card followed by a release elsewhere, no move.
            const int card = pick(t.T());
            note("click " + std::to_string(card));
            e.CardMouseDown(card, 10, 10);
            e.CardMouseUp(card, 10, 10);
        }
    }

    // The table must survive Undo All and Redo All unchanged.
    void roundTrip(const std::string &where)
    {
        const auto before = snapshot(e);
        const int32_t pos = e.Trans->Position();
        const int32_t last = e.Trans->Last();
        e.UndoAll(speed());
        ASSERT_EQ(e.Trans->Position(), 0) << where << trail;
        ASSERT_EQ(e.CheckModel(), QString()) << where << trail;
        // Redo All goes to the end of the journal; undo back to where we were.
        e.RedoAll(speed());
        ASSERT_EQ(e.Trans->Position(), last) << where << trail;
        while (e.Trans->Position() > pos)
            ASSERT_TRUE(e.Undo(speed())) << where << trail;
        ASSERT_EQ(e.Trans->Position(), pos) << where << trail;
        ASSERT_EQ(e.Trans->Last(), last) << where << trail;
        ASSERT_TRUE(snapshot(e) == before) << where << trail;
        ASSERT_EQ(e.CheckModel(), QString()) << where << trail;
    }
};

void soakVariant(int16_t index, int games, int steps)
{
    const QString name = frmGame::NameAt(index);
    for (int g = 0; g < games; ++g) {
        Soak s(static_cast<uint32_t>(index * 1000 + g));
        const qint64 number = 1 + index * 37 + g * 1009;
        s.t.data().Autoplay(static_cast<int16_t>(g % 2));
        s.t.start(name, number);
        // The deal with nothing moved after it, to compare Undo All against.
        Table reference;
        reference.data().Autoplay(0);
        reference.start(name, number);
        const bool referenceUntouched = reference.position() == 0;
        int movesMade = 0;
        for (int i = 0; i < steps; ++i) {
            std::ostringstream where;
            where << name.toStdString() << " game " << number << " step " << i << ": ";
            const int32_t before = s.e.Trans->Position();
            s.step();
            if (s.e.Trans->Position() > before)
                ++movesMade;
            if (!s.t.data().GameRunning()) {
                // Won: play on with another deal.
                ASSERT_EQ(s.t.view.wins, 1) << where.str();
                s.t.view.wins = 0;
                s.t.start(name, number + 100000 + i);
                continue;
            }
            ASSERT_EQ(s.e.CheckModel(), QString()) << where.str() << s.trail;
            ASSERT_EQ(atRest(s.e), QString()) << where.str() << s.trail;
            ASSERT_LE(s.e.Trans->Position(), s.e.Trans->Last());
            s.roundTrip(where.str());
            if (::testing::Test::HasFatalFailure())
                return;
        }
        if (getenv("TW_SOAK_STATS"))
            std::printf("%s: steps that moved %d, journal %d, goal %d\n", name.toStdString().c_str(), movesMade,
                        s.e.Trans->Last(), s.e.Array.TotalGoalCards());
        if (s.t.data().GameRunning() && s.t.data().CurGNo() == GameNo::number(number)) {
            s.e.UndoAll(2);
            EXPECT_EQ(s.e.Trans->Position(), 0);
            if (referenceUntouched) {
                EXPECT_TRUE(snapshot(s.e) == snapshot(reference.engine)) << name.toStdString() << " back to the deal";
            }
            s.e.RedoAll(2);
            EXPECT_EQ(s.e.CheckModel(), QString());
        }
    }
}

} // namespace

class SoakTest : public ::testing::TestWithParam<int> {};

TEST_P(SoakTest, RandomPlayKeepsTheModel) { soakVariant(static_cast<int16_t>(GetParam()), 5, 150); }

INSTANTIATE_TEST_SUITE_P(EveryVariant, SoakTest, ::testing::Range(1, frmGame::GameCount + 1),
                         [](const ::testing::TestParamInfo<int> &info) {
                             std::string n = frmGame::NameAt(static_cast<int16_t>(info.param)).toStdString();
                             std::string out;
                             for (char ch : n)
                                 if (std::isalnum(static_cast<unsigned char>(ch)))
                                     out += ch;
                             return out;
                         });
