// Move rules: whether a card may lie on another, whether a grabbed stack is a
// legal run, how many cards may move at once, and the drop hit test. The
// variant supplies only codes; these routines never move anything.
#include "engine.h"

#include "numeric.h"

namespace tw {

bool Engine::CheckOrder(int a, int b, OrderCode code, bool wrap) const
{
    switch (code) {
    case OrderCode::NoCard: return false;
    case OrderCode::DownSameSuit: return CheckRankAndSuit(a, b, RankStep::Down, SuitRule::SameSuit, wrap);
    case OrderCode::UpSameSuit: return CheckRankAndSuit(a, b, RankStep::Up, SuitRule::SameSuit, wrap);
    case OrderCode::EitherSameSuit: return CheckRankAndSuit(a, b, RankStep::Either, SuitRule::SameSuit, wrap);
    case OrderCode::DownOtherColor: return CheckRankAndSuit(a, b, RankStep::Down, SuitRule::OtherColor, wrap);
    case OrderCode::UpOtherColor: return CheckRankAndSuit(a, b, RankStep::Up, SuitRule::OtherColor, wrap);
    case OrderCode::EitherOtherColor: return CheckRankAndSuit(a, b, RankStep::Either, SuitRule::OtherColor, wrap);
    case OrderCode::DownAnySuit: return CheckRankAndSuit(a, b, RankStep::Down, SuitRule::AnySuit, wrap);
    case OrderCode::UpAnySuit: return CheckRankAndSuit(a, b, RankStep::Up, SuitRule::AnySuit, wrap);
    case OrderCode::EitherAnySuit: return CheckRankAndSuit(a, b, RankStep::Either, SuitRule::AnySuit, wrap);
    case OrderCode::AnyCard: return true;
    }
    return false; // a code no rule has
}

bool Engine::CheckRankAndSuit(int a, int b, RankStep direction, SuitRule condition, bool wrap) const
{
    const int n = GetCardNum(a); // in place
    const int m = GetCardNum(b); // arriving
    bool rank = false;
    // With the wrap a King follows an Ace going down, an Ace a King going up.
    const bool downWraps = wrap && n == Rank::Ace && m == Rank::King;
    const bool upWraps = wrap && n == Rank::King && m == Rank::Ace;
    switch (direction) {
    case RankStep::Down: rank = m == n - 1 || downWraps; break;
    case RankStep::Up: rank = m == n + 1 || upWraps; break;
    case RankStep::Either: rank = m == n - 1 || m == n + 1 || upWraps || downWraps; break;
    }
    if (!rank)
        return false;
    if (condition == SuitRule::OtherColor)
        return IsOtherColor(b, a);
    if (condition == SuitRule::SameSuit)
        return IsSameSuit(b, a);
    return true;
}

bool Engine::IsValidRun(int card, int16_t count) const
{
    const int16_t pile = GetCardPile(card);
    const int16_t pos = GetCardPos(card);
    const OrderCode order = Games.MultiOrder();
    const bool wrap = Games.AK(PileType::Home) != 0;
    for (int i = 0; i < count; ++i) {
        const int16_t a = Array.GetPicID(PileType::Home, pile, static_cast<int16_t>(pos + i));
        const int16_t b = Array.GetPicID(PileType::Home, pile, static_cast<int16_t>(pos + i + 1));
        if (a < 0 || b < 0 || !CheckOrder(a, b, order, wrap))
            return false;
    }
    return true;
}

bool Engine::FoundationFull(int16_t pile) const
{
    return !Games.Rules().wholeSuitsHome && Array.GetTop(PileType::Goal, pile) == FullGoalTop;
}

bool Engine::FoundationTakes(int card, int16_t pile) const
{
    const int16_t t = Array.GetTop(PileType::Goal, pile);
    if (t == -1)
        return GetCardNum(card) == FoundationBase;
    if (FoundationFull(pile))
        return false;
    return CheckOrder(Array.GetPicID(PileType::Goal, pile, t), card, Games.Order(PileType::Goal, pile),
                      Games.AK(PileType::Goal) != 0);
}

int16_t Engine::CountEmptyPiles(int16_t type) const
{
    int16_t n = 0;
    for (int16_t p = 0; p < Games.Piles(type); ++p)
        if (Array.GetTop(type, p) == -1)
            ++n;
    return n;
}

int16_t Engine::GetMaxMove() const
{
    const int e0 = CountEmptyPiles(PileType::Home);
    const int e4 = CountEmptyPiles(PileType::Res);
    return static_cast<int16_t>((e4 + 1) * e0 + e4);
}

bool Engine::IsCardOverPlace(int card, int16_t type, int16_t pile, int16_t position, bool whole) const
{
    const int L = GetCardLeft(card);
    const int T = GetCardTop(card);
    int16_t X, Y;
    Games.GetCord(type, pile, position, X, Y);
    if (!whole) {
        const int cx = static_cast<int>(roundHalfEven(L + CardWidth / 2.0));
        const int cy = T + CardHeight / 2;
        return X < cx && cx < X + CardWidth && Y < cy && cy < Y + CardHeight;
    }
    return T + CardHeight > Y && T < Y + CardHeight && L + CardWidth > X && L < X + CardWidth;
}

} // namespace tw
