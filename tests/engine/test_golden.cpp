// Fingerprints of what the engine does with every variant, taken from a build
// known to be right: the parameters and the pile geometry each catalogue row
// gives, the deal of a few game numbers, and a scripted playout with drags,
// stock presses, undo and redo. A change of any card's value, place, face,
// coordinates or stacking, of a marker, or of a journal record changes the
// fingerprint. When one fails on purpose (a deliberate change of behaviour),
// the message prints the new table to paste here.
#include "enginetest.h"

#include <cstring>
#include <sstream>

using namespace tw;
using namespace tw::test;

namespace {

// FNV-1a over 32-bit values.
class Fingerprint {
public:
    void add(int64_t v)
    {
        const auto u = static_cast<uint64_t>(v);
        for (int i = 0; i < 8; ++i) {
            h_ ^= (u >> (8 * i)) & 0xFFu;
            h_ *= 0x100000001B3ull;
        }
    }
    void add(float f)
    {
        uint32_t u;
        std::memcpy(&u, &f, sizeof u);
        add(static_cast<int64_t>(u));
    }
    void add(const QString &s)
    {
        add(static_cast<int64_t>(s.size()));
        for (QChar c : s)
            add(static_cast<int64_t>(c.unicode()));
    }
    uint64_t value() const { return h_; }

private:
    uint64_t h_ = 0xCBF29CE484222325ull;
};

void addMarker(Fingerprint &f, const MarkerState &m)
{
    f.add(int64_t{m.Visible});
    if (!m.Visible)
        return;
    f.add(int64_t{m.Pic});
    f.add(int64_t{m.Left});
    f.add(int64_t{m.Top});
}

// Everything the table shows and the journal holds.
uint64_t tableFingerprint(Table &t)
{
    const Engine &e = t.engine;
    Fingerprint f;
    f.add(int64_t{e.Array.Total()});
    for (const CardState &c : e.Cards) {
        f.add(int64_t{c.Visible});
        if (!c.Visible)
            continue;
        for (int64_t v : {int64_t{c.Suit}, int64_t{c.Num}, int64_t{c.Suitpile}, int64_t{c.Cell}, int64_t{c.Pile},
                          int64_t{c.Pos}, int64_t{c.FaceMode}, int64_t{c.Selected}, int64_t{c.Z}})
            f.add(v);
        f.add(c.Left);
        f.add(c.Top);
    }
    for (const MarkerState &m : e.PicHome)
        addMarker(f, m);
    for (const MarkerState &m : e.PicRight)
        addMarker(f, m);
    for (const MarkerState &m : e.PicRes)
        addMarker(f, m);
    addMarker(f, e.PicWaste);
    addMarker(f, e.PicStock);
    f.add(int64_t{e.FoundationBase});
    f.add(int64_t{e.Games.EmptyNum()});
    const cTrans &j = *e.Trans;
    f.add(int64_t{j.Position()});
    f.add(int64_t{j.Last()});
    for (int32_t i = 0; i <= j.Last(); ++i) {
        const TransRec &r = j.RecordAt(i);
        for (int64_t v :
             {int64_t{r.Card}, int64_t{r.FromCell}, int64_t{r.FromPile}, int64_t{r.FromPos}, int64_t{r.ToCell},
              int64_t{r.ToPile}, int64_t{r.ToPos}, int64_t{r.Count}, int64_t{r.Mode}, int64_t{r.Multi}})
            f.add(v);
    }
    f.add(int64_t{t.data().GameRunning()});
    return f.value();
}

// Every getter of the parameters and the coordinates of every place.
uint64_t parameterFingerprint(const cGames &g)
{
    Fingerprint f;
    for (int16_t cell = 0; cell <= 5; ++cell) {
        f.add(int64_t{g.Piles(cell)});
        f.add(int64_t{g.Cards(cell)});
        f.add(int64_t{g.AK(cell)});
        for (int16_t pile = 0; pile < 8; ++pile)
            f.add(int64_t{g.Order(cell, pile)});
    }
    for (int64_t v : {int64_t{g.GoalType()}, int64_t{g.MultiMove()}, int64_t{g.Compare()}, int64_t{g.StockType()},
                      int64_t{g.StockMove()}, int64_t{g.HomeType()}, int64_t{g.HomePileOrder()}, int64_t{g.SuitType()},
                      int64_t{g.TotalCards()}, int64_t{g.BaseX()}, int64_t{g.BaseY()}, int64_t{g.DisAutoPlay()},
                      int64_t{g.EmptyNum()}, int64_t{g.CardsOpen()}, int64_t{g.StockNum()}, int64_t{g.GoalDiv()},
                      int64_t{g.MultiOrder()}})
        f.add(v);
    f.add(g.Tag());
    f.add(g.Name());
    for (int16_t cell = 0; cell <= 4; ++cell)
        for (int16_t pile = 0; pile < MaxPiles; ++pile)
            for (int16_t pos = 0; pos <= 20; ++pos) {
                f.add(int64_t{g.GetCordX(cell, pile, pos)});
                f.add(int64_t{g.GetCordY(cell, pile, pos)});
            }
    return f.value();
}

// A generator of its own, so the script is the same with every library.
class Script {
public:
    explicit Script(uint32_t seed) : s_(seed * 2654435761u + 1) {}
    int pick(int n)
    {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return n > 0 ? static_cast<int>(s_ % static_cast<uint32_t>(n)) : 0;
    }

private:
    uint32_t s_;
};

// Drags of top cards and short runs to the places of the table, stock
// presses, undo and redo, at the speeds the program uses.
void playout(Table &t, Script &s, int steps)
{
    Engine &e = t.engine;
    for (int i = 0; i < steps && t.data().GameRunning(); ++i) {
        const int r = s.pick(100);
        if (r < 70) {
            std::vector<int> cards;
            for (int16_t cell : {PileType::Home, PileType::Waste, PileType::Goal, PileType::Res})
                for (int16_t p = 0; p < e.Games.Piles(cell); ++p) {
                    const int16_t top = e.Array.GetTop(cell, p);
                    if (top < 0)
                        continue;
                    cards.push_back(e.Array.GetPicID(cell, p, top));
                    if (cell == PileType::Home && top >= 1) {
                        const int down = 1 + s.pick(std::min<int>(top, 3));
                        cards.push_back(e.Array.GetPicID(PileType::Home, p, static_cast<int16_t>(top - down)));
                    }
                }
            if (e.Games.StockType() == StockKind::FaceUp && e.Array.GetTop(PileType::Stock, 0) >= 0)
                cards.push_back(e.Array.GetTopPicID(PileType::Stock, 0));
            if (cards.empty())
                continue;
            // A few tries with one card, until a place takes it.
            const int card = cards[static_cast<size_t>(s.pick(static_cast<int>(cards.size())))];
            const int32_t before = e.Trans->Position();
            for (int attempt = 0; attempt < 8 && e.Trans->Position() == before && t.data().GameRunning(); ++attempt) {
                static constexpr int16_t targets[] = {PileType::Home, PileType::Goal, PileType::Res};
                int16_t cell = targets[s.pick(3)];
                if (e.Games.Piles(cell) < 1)
                    cell = PileType::Home;
                const int16_t pile = static_cast<int16_t>(s.pick(e.Games.Piles(cell)));
                const int16_t pos = cell == PileType::Home
                                        ? static_cast<int16_t>(e.Array.GetTop(PileType::Home, pile) + 1)
                                        : int16_t{0};
                t.dragTo(card, cell, pile, pos);
            }
        } else if (r < 80) {
            if (e.Array.GetTop(PileType::Stock, 0) >= 0)
                t.press(e.Array.GetTopPicID(PileType::Stock, 0));
        } else if (r < 90) {
            e.Undo(5);
        } else {
            e.Redo(5);
        }
    }
}

struct Expected {
    const char *name;
    uint64_t parameters;
    uint64_t deals[4]; // game numbers 1 and 123456789012, autoplay on and off
    uint64_t playout;
};

// clang-format off
const Expected kGolden[] = {
    {"Avenue", 0x0d890de5576d7957ull,
     {0xa0875ce26dfbd006ull, 0xf2ca524b5d0707eeull, 0x3d05c9d5d810feeaull, 0x3d05c9d5d810feeaull},
     0x88ba5aa4d72130ccull},
    {"Baker's Game", 0x753c9f05d4f3eb93ull,
     {0x28785ce699c6d80dull, 0x28785ce699c6d80dull, 0xf1b544267c9ba5d5ull, 0x2908e1f8646f6e15ull},
     0x9b0147f867ab3b33ull},
    {"Baker's Spider", 0x5a64c68a20c39667ull,
     {0xd78539807d27ce51ull, 0xd78539807d27ce51ull, 0xfa00a2505fdbb029ull, 0xfa00a2505fdbb029ull},
     0x9ea1c9cead27dcf1ull},
    {"Bastion", 0x62eee2e8074f51f4ull,
     {0x705cafa17f42bcd6ull, 0x705cafa17f42bcd6ull, 0x2bf8749600357a8bull, 0x4bd63c57cb4cada6ull},
     0xd04e7020c3604ac1ull},
    {"Carnival", 0x7eea25b9ff5aa4b1ull,
     {0x09632d7a18378d5cull, 0x984fcd668265c61aull, 0x04266fdf9eef566eull, 0x04266fdf9eef566eull},
     0x80eabb73f427d9f3ull},
    {"Cascade", 0xc37afb302cb93367ull,
     {0xcee855d6cf9b1162ull, 0xcee855d6cf9b1162ull, 0x54bab17635a53e18ull, 0xbaff0149ca22dd8eull},
     0x91a1e5f0b1282b1full},
    {"Cone Freecell", 0x5fb6265570a1a3ecull,
     {0x28c114e9ccaa719full, 0x28c114e9ccaa719full, 0x2a3a9d3c8529f6abull, 0x2a3a9d3c8529f6abull},
     0x4ce82faf34984f73ull},
    {"Double Baker's Game", 0x31999163d1bee247ull,
     {0xa181f1c3078e8f35ull, 0xa181f1c3078e8f35ull, 0xb4b48de0f0992aa5ull, 0xb4b48de0f0992aa5ull},
     0xe69da75eb121acffull},
    {"Double Baker's Spider", 0x7fa9cb3ce06adb13ull,
     {0x8441575b836870a1ull, 0x8441575b836870a1ull, 0x72a80e42667470b9ull, 0x72a80e42667470b9ull},
     0x9c52a290e8adad88ull},
    {"Double Cascade", 0x33535f824fe0936aull,
     {0xf91971228aeea052ull, 0xf91971228aeea052ull, 0x98afce0447721b5aull, 0x98afce0447721b5aull},
     0x8eb8472adec29f81ull},
    {"Double Freecell", 0xfaaf03e62876fa46ull,
     {0xa181f1c3078e8f35ull, 0xa181f1c3078e8f35ull, 0xb4b48de0f0992aa5ull, 0xb4b48de0f0992aa5ull},
     0xaaa2d9b3201e3e4cull},
    {"Double Galaxy", 0x9b30b4dcbe30ca75ull,
     {0xe07d6906fe42b05dull, 0xe07d6906fe42b05dull, 0xdea6e73aaaa495adull, 0xdea6e73aaaa495adull},
     0x28d1d65d6782d9d6ull},
    {"Double Klondike Freecell", 0x8d62042271a6316eull,
     {0x4ce33f4b90d5722aull, 0x7a1bf0f5753aec2full, 0xaafd39ebd0931297ull, 0xaafd39ebd0931297ull},
     0x230e2599078dd69aull},
    {"Double Spidercells", 0x53ab12d0b3763362ull,
     {0x8441575b836870a1ull, 0x8441575b836870a1ull, 0x72a80e42667470b9ull, 0x72a80e42667470b9ull},
     0x0bdce7844e2e50d8ull},
    {"Eight Off", 0xcd08adfc730260acull,
     {0xc6b49e669d1a7380ull, 0xc6b49e669d1a7380ull, 0x8e5f8c529123316bull, 0x19d928e4afecc134ull},
     0x83444095a5f9b2cdull},
    {"Fancell", 0x5703042dba105ab3ull,
     {0x9fb0a526ec1ff968ull, 0xb7c368db252fd0d8ull, 0xc18db2a11fd5fd14ull, 0xc18db2a11fd5fd14ull},
     0xf3144728b59ab77cull},
    {"Forecell", 0x03f77053a51ab2d2ull,
     {0x76e26ef9e2b03683ull, 0x76e26ef9e2b03683ull, 0xc3dd92b648519772ull, 0x1b5a388262735bdbull},
     0x45f46311c955edc2ull},
    {"Four Colors", 0x68aa90159fd974c2ull,
     {0x7d4458e0d423c566ull, 0x7d4458e0d423c566ull, 0x30cb0616a258f425ull, 0xf13a3a78abad76d2ull},
     0x34a84fb9cfd37ac6ull},
    {"Freecell", 0xc851b8d5e2eddbd2ull,
     {0xf98731d2161e2039ull, 0xf98731d2161e2039ull, 0xa85ed43cfd75f401ull, 0xb3dc3621beb5b671ull},
     0xaabf96973b28e532ull},
    {"Freecell AK", 0xf0d7f905528214d8ull,
     {0x2fc18108415d719cull, 0x2fc18108415d719cull, 0xe741026e0cd73953ull, 0x731c7870b4cb747cull},
     0xa3e3869521c2153dull},
    {"Galaxy", 0xbc939d7b91bcaad9ull,
     {0xc50cea4d6c7e3dadull, 0xc50cea4d6c7e3dadull, 0x4b28a4fe19c491b9ull, 0x4b28a4fe19c491b9ull},
     0x4d32598d60ef16a8ull},
    {"Klondike Freecell", 0x6beafabd1168b486ull,
     {0x8e0c0ce3290f42ccull, 0x8e0c0ce3290f42ccull, 0xa162c6ec17b7d208ull, 0xa162c6ec17b7d208ull},
     0xb032d53f1e0f9b96ull},
    {"Milligan Cell", 0x1a384bc54f3ebaecull,
     {0x27df84a390627712ull, 0x978e171fbb64fdbfull, 0xd79d1ae3f9581eddull, 0x8eadf6d064691e7full},
     0xe46fb87f690c1db1ull},
    {"Oasis", 0xc18dd8d4b8ad0881ull,
     {0xef4e694c531fc094ull, 0xef4e694c531fc094ull, 0x8305f37ec990c21eull, 0x6dcb237cb45ae2dcull},
     0xa54f1650fd488aa7ull},
    {"Penguin", 0x5b6db6cfa0712cdaull,
     {0xd76c42c6c63a15c6ull, 0xa353ae9a809db28bull, 0xa0d83d5208a6c496ull, 0xa0d83d5208a6c496ull},
     0xbaf085540ede36e4ull},
    {"SeaTowers", 0x60d4548e894975ebull,
     {0xaf0ca4af65fb2084ull, 0xaf0ca4af65fb2084ull, 0x785e82e4a9ee8b25ull, 0xb64a5b6b050cef04ull},
     0x21d870baae9795e6ull},
    {"See-Saw", 0x3da19e1348c6606eull,
     {0xd72be06f7b94bd96ull, 0xd72be06f7b94bd96ull, 0xbf78482726890660ull, 0xf7727412eeb9c820ull},
     0xc1f3a14b2a1bdcfcull},
    {"Seven By Four", 0x3b4c3f7f0f63d4e6ull,
     {0x654d5b9f4aa5a5b8ull, 0x654d5b9f4aa5a5b8ull, 0xfa1dacd0018c1f25ull, 0x7d84fab877e60ce0ull},
     0x522647a382deba88ull},
    {"Spidercells", 0x06a2ea277596e1faull,
     {0xd78539807d27ce51ull, 0xd78539807d27ce51ull, 0xfa00a2505fdbb029ull, 0xfa00a2505fdbb029ull},
     0x89f6868f010584c5ull},
    {"Stalactites", 0x0410a9a2e4322532ull,
     {0xed2d15e99d8c065aull, 0xed2d15e99d8c065aull, 0xb03e40f6189ae00dull, 0xb03e40f6189ae00dull},
     0x57534fd6b5f28819ull},
    {"Stripped Freecell", 0xa4b13b6dcba6b1fdull,
     {0x25dbe906091bd106ull, 0x25dbe906091bd106ull, 0x3acbb723ca38b9faull, 0x3acbb723ca38b9faull},
     0x199e1bfc28aedbf9ull},
    {"Tuxedo", 0x96dd2cb2aca20d7eull,
     {0xc439dad3ffe6b2a9ull, 0xc439dad3ffe6b2a9ull, 0x3609f795eeee35f9ull, 0xfc9fb8deaeb121d5ull},
     0x6393d7fcb883ae3bull},
    {"Two Cells", 0x1c858a2be6e802fbull,
     {0x9031a379f2af9c95ull, 0x9031a379f2af9c95ull, 0x2c1e619fb3e1b7daull, 0x215639b30e506afdull},
     0xa2d2ce330e346118ull},
    {"Vertical Freecell", 0x2dbf468c393ff57eull,
     {0x034d71131535b6f6ull, 0x034d71131535b6f6ull, 0x6e08768feed1ef72ull, 0x6e08768feed1ef72ull},
     0x8355ab2783fa920eull},
    {"Zodiac", 0x947e061e0ccfcdfcull,
     {0x0d67af818972d30cull, 0x0d67af818972d30cull, 0xade0e06ce207d404ull, 0xade0e06ce207d404ull},
     0x91e0f4a5bebc8e43ull},
};
// clang-format on

// The stored line of a variant, found by its name, so a variant added takes
// a line of its own and moves no other.
const Expected *golden(const QString &name)
{
    for (const Expected &e : kGolden)
        if (QString::fromUtf8(e.name) == name)
            return &e;
    return nullptr;
}

// The playout's script and game number follow from the variant's name
// (FNV-1a of its UTF-8 bytes), not from its place in the catalogue.
uint32_t nameKey(const QString &name)
{
    uint32_t h = 2166136261u;
    for (const char c : name.toUtf8()) {
        h ^= static_cast<uint8_t>(c);
        h *= 16777619u;
    }
    return h;
}

std::string hex(uint64_t v)
{
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%016llxull", static_cast<unsigned long long>(v));
    return buf;
}

} // namespace

TEST(Golden, EveryVariantPlaysAsBefore)
{
    std::ostringstream table;
    bool allSame = true;
    for (int16_t i = 1; i <= frmGame::GameCount; ++i) {
        const QString name = frmGame::NameAt(i);
        SCOPED_TRACE(str(name));
        Expected now{};
        {
            Table t;
            frmGame::SelectGame(t.engine, name);
            now.parameters = parameterFingerprint(t.engine.Games);
        }
        int k = 0;
        for (qint64 number : {qint64{1}, qint64{123456789012}})
            for (int16_t autoplay : {1, 0}) {
                Table t;
                t.data().Autoplay(autoplay);
                t.start(name, number);
                EXPECT_EQ(t.engine.CheckModel(), QString());
                now.deals[k++] = tableFingerprint(t);
            }
        {
            Table t;
            const uint32_t key = nameKey(name);
            Script s(key);
            t.start(name, 4000 + key % 1000);
            playout(t, s, 300);
            if (t.data().GameRunning()) { // a won game has left the table
                EXPECT_EQ(t.engine.CheckModel(), QString());
            }
            now.playout = tableFingerprint(t);
        }
        table << "    {\"" << str(name) << "\", " << hex(now.parameters) << ",\n     {" << hex(now.deals[0]) << ", "
              << hex(now.deals[1]) << ", " << hex(now.deals[2]) << ", " << hex(now.deals[3]) << "},\n     "
              << hex(now.playout) << "},\n";
        const Expected *stored = golden(name);
        if (!stored) {
            allSame = false;
            ADD_FAILURE() << "no fingerprint stored";
            continue;
        }
        const Expected &want = *stored;
        EXPECT_EQ(hex(now.parameters), hex(want.parameters)) << "parameters or geometry";
        for (int d = 0; d < 4; ++d)
            EXPECT_EQ(hex(now.deals[d]), hex(want.deals[d])) << "deal " << d;
        EXPECT_EQ(hex(now.playout), hex(want.playout)) << "playout";
        allSame = allSame && !::testing::Test::HasFailure();
    }
    // A line for a variant the catalogue no longer has.
    EXPECT_EQ(std::size(kGolden), static_cast<size_t>(frmGame::GameCount));
    if (!allSame)
        std::printf("Fingerprints of this build:\n%s", table.str().c_str());
}
