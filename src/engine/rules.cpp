// Move rules: whether a card may lie on another, whether a grabbed stack is a
// legal run, how many cards may move at once, and the drop hit test. The
// variant supplies only codes; these routines never move anything.
#include "engine.h"

#include "numeric.h"

namespace tw {

bool Engine::CheckOrder(int a, int b, int32_t code, bool wrap) const
{
    switch (code) {
    case 1: return CheckRankAndSuit(a, b, -1, 1, wrap);
    case 2: return CheckRankAndSuit(a, b, +1, 1, wrap);
    case 3: return CheckRankAndSuit(a, b, 0, 1, wrap);
    case 4: return CheckRankAndSuit(a, b, -1, 2, wrap);
    case 5: return CheckRankAndSuit(a, b, +1, 2, wrap);
    case 6: return CheckRankAndSuit(a, b, 0, 2, wrap);
    case 7: return CheckRankAndSuit(a, b, -1, 3, wrap);
    case 8: return CheckRankAndSuit(a, b, +1, 3, wrap);
    case 12: return CheckRankAndSuit(a, b, 0, 3, wrap);
    case 9: return true;
    default: return false;
    }
}

bool Engine::CheckRankAndSuit(int a, int b, int direction, int condition, bool wrap) const
{
    const int n = GetCardNum(a); // in place
    const int m = GetCardNum(b); // arriving
    bool rank = false;
    switch (direction) {
    case -1:
        rank = m == n - 1 || (wrap && n == 0 && m == 12);
        break;
    case +1:
        rank = m == n + 1 || (wrap && n == 12 && m == 0);
        break;
    case 0:
        rank = m == n - 1 || m == n + 1 || (wrap && ((n == 12 && m == 0) || (n == 0 && m == 12)));
        break;
    default:
        return false;
    }
    if (!rank)
        return false;
    if (condition == 2)
        return IsOtherColor(b, a);
    if (condition == 1)
        return IsSameSuit(b, a);
    return true;
}

bool Engine::IsValidRun(int card, int16_t count) const
{
    const int16_t pile = GetCardPile(card);
    const int16_t pos = GetCardPos(card);
    const int32_t order = Games.MultiOrder();
    const bool wrap = Games.AK(0) != 0;
    for (int i = 0; i < count; ++i) {
        const int16_t a = Array.GetPicID(0, pile, static_cast<int16_t>(pos + i));
        const int16_t b = Array.GetPicID(0, pile, static_cast<int16_t>(pos + i + 1));
        if (a < 0 || b < 0 || !CheckOrder(a, b, order, wrap))
            return false;
    }
    return true;
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
    const int e0 = CountEmptyPiles(0);
    const int e4 = CountEmptyPiles(4);
    return static_cast<int16_t>((e4 + 1) * e0 + e4);
}

bool Engine::IsCardOverPlace(int card, int16_t type, int16_t pile, int16_t position, bool whole) const
{
    const int L = GetCardLeft(card);
    const int T = GetCardTop(card);
    int16_t X, Y;
    Games.GetCord(type, pile, position, X, Y);
    if (!whole) {
        const int cx = static_cast<int>(roundHalfEven(L + 532.5));
        const int cy = T + 720;
        return X < cx && cx < X + CardWidth && Y < cy && cy < Y + CardHeight;
    }
    return T + CardHeight > Y && T < Y + CardHeight && L + CardWidth > X && L < X + CardWidth;
}

} // namespace tw
