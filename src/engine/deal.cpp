// The deal: card values from the shuffled deck, the empty-place markers, and
// the cards laid onto foundations, stock, waste, reserves and tableau by the
// variant's parameters. Every card goes through the move primitive in deal
// mode (not journalled, no autoplay, window events let through per card).
#include "engine.h"

#include "numeric.h"
#include "settings/data.h"

namespace tw {

namespace {
constexpr int32_t DealMode = 5;
}

MarkerState *Engine::marker(MarkerKind kind, int index)
{
    switch (kind) {
    case MarkerKind::Home: return (index >= 0 && index < 18) ? &PicHome[static_cast<size_t>(index)] : nullptr;
    case MarkerKind::Right: return (index >= 0 && index < 8) ? &PicRight[static_cast<size_t>(index)] : nullptr;
    case MarkerKind::Res: return (index >= 0 && index < 10) ? &PicRes[static_cast<size_t>(index)] : nullptr;
    case MarkerKind::Waste: return index == 0 ? &PicWaste : nullptr;
    case MarkerKind::Stock: return index == 0 ? &PicStock : nullptr;
    }
    return nullptr;
}

void Engine::showMarker(MarkerKind kind, int index, int16_t Kind, int16_t Pile, int32_t Pic)
{
    MarkerState *m = marker(kind, index);
    if (!m)
        return;
    m->Pic = Pic;
    Games.GetCord(Kind, Pile, 0, m->Left, m->Top);
    m->Visible = true;
    View.MarkerChanged(kind, index);
}

void Engine::ShowGoalMarker(int16_t Marker, int16_t Pile, int16_t PicNo)
{
    showMarker(MarkerKind::Right, Marker, 3, Pile, PicNo);
}

void Engine::ShowResMarker(int16_t Marker, int16_t Pile) { showMarker(MarkerKind::Res, Marker, 4, Pile, 14); }

void Engine::ShowHomeMarker(int16_t Marker, int16_t Pile, int16_t PicNo)
{
    showMarker(MarkerKind::Home, Marker, 0, Pile, PicNo);
}

void Engine::ShowWasteMarker(int16_t Marker, int16_t Pile) { showMarker(MarkerKind::Waste, Marker, 2, Pile, 14); }

void Engine::ShowStockMarker(int16_t n) { showMarker(MarkerKind::Stock, 0, 1, 0, n + 14); }

void Engine::SetStockMarkerPic(int32_t Pic)
{
    if (PicStock.Pic == Pic)
        return;
    PicStock.Pic = Pic;
    View.MarkerChanged(MarkerKind::Stock, 0);
}

void Engine::NewDeal()
{
    DealGoal();
    ShowPlaceMarkers();
    DealStock();
    DealWaste();
    DealRes();
    Data.PlaySound(QStringLiteral("Start"));
    DealHome();
}

void Engine::InitCardValues()
{
    const int T = Array.Total();
    const int32_t suitType = Games.SuitType();
    for (int i = 0; i < T; ++i) {
        const int16_t c = Array.GetRandom(static_cast<int16_t>(i));
        const int16_t num = c % 13;
        const int16_t suitpile = c / 13;
        int16_t suit = 0;
        if (suitType == 1)
            suit = (c % 52) / 26;
        else if (suitType == 2)
            suit = (c % 52) / 13;
        SetValue(i, suit, num, suitpile);
        ZOrder(i);
    }
}

void Engine::HideAll()
{
    for (int i = 0; i < MaxCards; ++i) {
        SetVisible(i, false);
        SetLoc(i, 0, 0, 0);
        SetValue(i, 0, 0, 0);
        SetSelected(i, false);
    }
    const auto hide = [this](MarkerKind kind, int index, MarkerState &m) {
        if (!m.Visible)
            return;
        m.Visible = false;
        View.MarkerChanged(kind, index);
    };
    for (int i = 0; i < 18; ++i)
        hide(MarkerKind::Home, i, PicHome[static_cast<size_t>(i)]);
    for (int i = 0; i < 8; ++i)
        hide(MarkerKind::Right, i, PicRight[static_cast<size_t>(i)]);
    for (int i = 0; i < 10; ++i)
        hide(MarkerKind::Res, i, PicRes[static_cast<size_t>(i)]);
    hide(MarkerKind::Waste, 0, PicWaste);
    hide(MarkerKind::Stock, 0, PicStock);
}

void Engine::DealGoal()
{
    const int16_t n = Games.Cards(3);
    const int32_t g = Games.GoalType();
    const int T = Array.Total();
    const auto toGoal = [this](int card, int16_t pile) {
        int32_t mode = DealMode;
        Array.MoveCard(static_cast<int16_t>(card), 3, pile, 0, mode, 0, 0, false);
    };
    if (n > 0) {
        int16_t k = 0;
        for (int i = 0; i < T; ++i) {
            const int16_t num = GetCardNum(i);
            const int16_t sp = GetCardSuitpile(i);
            if (g >= 0 && g <= 12) {
                if (num == g && sp < n)
                    toGoal(i, sp);
            } else if (g == 14) {
                const double half = n / 2.0;
                if ((num == 0 && sp < half) || (num == 12 && sp >= half))
                    toGoal(i, sp);
            } else if (g == 15) {
                if (sp == num) {
                    toGoal(i, sp);
                    ShowGoalMarker(sp, sp, sp);
                }
            } else if (g == 16) {
                if (i == 0) {
                    toGoal(0, 0);
                    FoundationBase = num;
                    k = 1;
                } else if (num == FoundationBase && k < n) {
                    toGoal(i, k);
                    ++k;
                }
            }
        }
    }
    for (int16_t j = 0; j < Games.Piles(3); ++j) {
        if (g == 13)
            ShowGoalMarker(j, j, 13);
        else if (g == 0 || g == 1 || g == 12)
            ShowGoalMarker(j, j, static_cast<int16_t>(g));
        else if (g == 14)
            ShowGoalMarker(j, j, j < n / 2.0 ? 0 : 12);
        else if (g == 16)
            ShowGoalMarker(j, j, FoundationBase);
    }
    if (g == 17) {
        for (int16_t k = 0; k < n && k < T; ++k) {
            toGoal(k, k);
            ShowGoalMarker(k, k, GetCardNum(k));
        }
    }
}

void Engine::ShowPlaceMarkers()
{
    for (int16_t i = 0; i < Games.Piles(4); ++i)
        ShowResMarker(i, i);
    if (Games.Tag() == u"Penguin")
        Games.EmptyNum(FoundationBase == 0 ? 12 : static_cast<int16_t>(FoundationBase - 1));
    const int16_t emptyNum = Games.EmptyNum();
    for (int16_t i = 0; i < Games.Piles(0); ++i) {
        if (emptyNum >= 0)
            ShowHomeMarker(i, i, emptyNum);
        else
            ShowHomeMarker(i, i);
    }
    if (Games.Piles(2) >= 1)
        ShowWasteMarker(0, 0);
}

void Engine::DealStock()
{
    const bool faceDown = Games.StockType() != 1;
    if (Games.StockNum() > 0)
        ShowStockMarker(Games.StockNum());
    if (Games.Piles(1) < 1)
        return;
    const int T = Array.Total();
    for (int i = 0; i < T; ++i) {
        if (GetCardCell(i) == 3)
            continue;
        if (Games.StockType() == 2 && GetCardSuit(i) >= 2)
            continue;
        int32_t mode = DealMode;
        Array.MoveCard(static_cast<int16_t>(i), 1, 0, static_cast<int16_t>(Array.GetTop(1, 0) + 1), mode, 0, 0,
                       faceDown);
    }
}

void Engine::DealWaste()
{
    for (int16_t k = 0; k < Games.Cards(2); ++k) {
        const int16_t c = Array.GetTopPicID(1, 0);
        if (c < 0)
            return;
        int32_t mode = DealMode;
        Array.MoveCard(c, 2, k, 0, mode, 3, 0, false);
    }
}

void Engine::DealRes()
{
    const int16_t piles = Games.Piles(4);
    if (piles < 1)
        return;
    for (int16_t k = 0; k < Games.Cards(4); ++k) {
        const int16_t c = Array.GetTopPicID(1, 0);
        if (c < 0)
            return;
        int32_t mode = DealMode;
        Array.MoveCard(c, 4, static_cast<int16_t>(k % piles), static_cast<int16_t>(k / piles), mode, 3, 0, false);
    }
}

void Engine::DealHome()
{
    const int16_t P = Games.Piles(0);
    if (P < 1)
        return;
    const int16_t open = Games.CardsOpen();
    const auto deal = [this](int16_t pile, int16_t pos, bool faceDown) {
        const int16_t c = Array.GetTopPicID(1, 0);
        if (c < 0)
            return false;
        int32_t mode = DealMode;
        Array.MoveCard(c, 0, pile, pos, mode, 3, 0, faceDown);
        return true;
    };
    switch (Games.HomeType()) {
    case 0:
    case 5: {
        const int16_t cards = Games.Cards(0);
        for (int16_t k = 0; k < cards; ++k) {
            const int16_t pile = k % P;
            const int16_t pos = k / P;
            bool down = false;
            if (Games.HomeType() == 5)
                down = pile <= 3 && pos <= 2;
            else if (open > 0)
                down = k < cards - open;
            if (!deal(pile, pos, down))
                return;
        }
        break;
    }
    case 1:
        for (int16_t j = 0; j < P; ++j)
            for (int16_t m = 0; m <= P - 1 - j; ++m)
                if (!deal(static_cast<int16_t>(j + m), j, open > 0 && m != 0))
                    return;
        break;
    case 2:
        for (int k = 0; k < 52; ++k) {
            const int16_t c = Array.GetTopPicID(1, 0);
            if (c < 0)
                return;
            const int16_t pile = GetCardSuit(c);
            deal(pile, static_cast<int16_t>(Array.GetTop(0, pile) + 1), false);
        }
        break;
    case 3: {
        static const int16_t sizes[9] = {4, 5, 6, 7, 8, 7, 6, 5, 4};
        for (int16_t r = 0; r < 9 && r < P; ++r)
            for (int16_t pos = 0; pos < sizes[r]; ++pos)
                if (!deal(r, pos, false))
                    return;
        break;
    }
    case 4:
        while (Array.GetTop(1, 0) != -1) {
            const float r = DealRandom.Next();
            const int16_t pile = static_cast<int16_t>(roundHalfEven(static_cast<double>(r) * (P - 1)));
            if (!deal(pile, static_cast<int16_t>(Array.GetTop(0, pile) + 1), false))
                return;
        }
        break;
    case 6:
        for (int16_t j = 0; j < P; ++j)
            for (int16_t m = 0; m <= P - 1 - j; ++m)
                if (!deal(m, j, open > 0 && m != 0))
                    return;
        break;
    default:
        break;
    }
}

} // namespace tw
