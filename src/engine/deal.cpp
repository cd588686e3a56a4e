// The deal: card values from the shuffled deck, the empty-place markers, and
// the cards laid onto foundations, stock, waste, reserves and tableau by the
// variant's parameters. Every card goes through the move primitive in deal
// mode (not journalled, no autoplay, window events let through per card).
#include "engine.h"

#include "numeric.h"
#include "settings/data.h"

namespace tw {

MarkerState *Engine::markerState(MarkerKind kind, int index)
{
    const auto at = [index](auto &markers) -> MarkerState * {
        return static_cast<size_t>(index) < markers.size() ? &markers[static_cast<size_t>(index)] : nullptr;
    };
    switch (kind) {
    case MarkerKind::Home: return at(PicHome);
    case MarkerKind::Right: return at(PicRight);
    case MarkerKind::Res: return at(PicRes);
    case MarkerKind::Waste: return index == 0 ? &PicWaste : nullptr;
    case MarkerKind::Stock: return index == 0 ? &PicStock : nullptr;
    }
    return nullptr;
}

void Engine::showMarker(MarkerKind kind, int index, int16_t Kind, int16_t Pile, int32_t Pic)
{
    MarkerState *m = markerState(kind, index);
    if (!m)
        return;
    m->Pic = Pic;
    Games.GetCord(Kind, Pile, 0, m->Left, m->Top);
    m->Visible = true;
    View.MarkerChanged(kind, index);
}

void Engine::ShowGoalMarker(int16_t Marker, int16_t Pile, int16_t PicNo)
{
    showMarker(MarkerKind::Right, Marker, PileType::Goal, Pile, PicNo);
}

void Engine::ShowResMarker(int16_t Marker, int16_t Pile)
{
    showMarker(MarkerKind::Res, Marker, PileType::Res, Pile, MarkerPic::Plain);
}

void Engine::ShowHomeMarker(int16_t Marker, int16_t Pile, int16_t PicNo)
{
    showMarker(MarkerKind::Home, Marker, PileType::Home, Pile, PicNo);
}

void Engine::ShowWasteMarker(int16_t Marker, int16_t Pile)
{
    showMarker(MarkerKind::Waste, Marker, PileType::Waste, Pile, MarkerPic::Plain);
}

// The stock marker's picture follows its StockNum: 1 stop, 2 redeal.
void Engine::ShowStockMarker(int16_t n) { showMarker(MarkerKind::Stock, 0, PileType::Stock, 0, MarkerPic::Plain + n); }

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
    const SuitSplit split = Games.SuitType();
    for (int i = 0; i < T; ++i) {
        const int16_t c = Array.GetRandom(static_cast<int16_t>(i));
        const int16_t num = c % SuitLength;
        const int16_t suitpile = c / SuitLength;
        int16_t suit = 0;
        if (split == SuitSplit::TwoSuits)
            suit = (c % 52) / 26;
        else if (split == SuitSplit::FourSuits)
            suit = (c % 52) / 13;
        SetValue(i, suit, num, suitpile);
        ZOrder(i);
    }
}

void Engine::HideAll()
{
    for (int i = 0; i < MaxCards; ++i) {
        SetVisible(i, false);
        SetLoc(i, PileType::Home, 0, 0);
        SetValue(i, CardSuit::Hearts, Rank::Ace, 0);
        SetSelected(i, false);
    }
    const auto hide = [this](MarkerKind kind, int index, MarkerState &m) {
        if (!m.Visible)
            return;
        m.Visible = false;
        View.MarkerChanged(kind, index);
    };
    for (size_t i = 0; i < PicHome.size(); ++i)
        hide(MarkerKind::Home, static_cast<int>(i), PicHome[i]);
    for (size_t i = 0; i < PicRight.size(); ++i)
        hide(MarkerKind::Right, static_cast<int>(i), PicRight[i]);
    for (size_t i = 0; i < PicRes.size(); ++i)
        hide(MarkerKind::Res, static_cast<int>(i), PicRes[i]);
    hide(MarkerKind::Waste, 0, PicWaste);
    hide(MarkerKind::Stock, 0, PicStock);
}

void Engine::DealGoal()
{
    const int16_t n = Games.Cards(PileType::Goal);
    const GoalFill g = Games.GoalType();
    const int T = Array.Total();
    const auto toGoal = [this](int card, int16_t pile) {
        int32_t mode = MoveMode::Deal;
        Array.MoveCard(static_cast<int16_t>(card), PileType::Goal, pile, 0, mode, 0, 0, false);
    };
    if (n > 0) {
        int16_t k = 0;
        for (int i = 0; i < T; ++i) {
            const int16_t num = GetCardNum(i);
            const int16_t sp = GetCardSuitpile(i);
            if (g >= GoalFill::RankAce && g <= GoalFill::RankKing) {
                if (num == g && sp < n)
                    toGoal(i, sp);
            } else if (g == GoalFill::AcesAndKings) {
                const double half = n / 2.0;
                if ((num == Rank::Ace && sp < half) || (num == Rank::King && sp >= half))
                    toGoal(i, sp);
            } else if (g == GoalFill::RankIsSuitpile) {
                if (sp == num) {
                    toGoal(i, sp);
                    ShowGoalMarker(sp, sp, sp);
                }
            } else if (g == GoalFill::BaseFromFirstCard) {
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
    // The foundation markers: a rank picture for the pre-fills of Ace, Two
    // and King and for the ranks the other pre-fills start from; none for the
    // pre-fills of the other ranks.
    for (int16_t j = 0; j < Games.Piles(PileType::Goal); ++j) {
        if (g == GoalFill::Empty)
            ShowGoalMarker(j, j, MarkerPic::NoRank);
        else if (g == GoalFill::RankAce || g == GoalFill::RankTwo || g == GoalFill::RankKing)
            ShowGoalMarker(j, j, static_cast<int16_t>(g));
        else if (g == GoalFill::AcesAndKings)
            ShowGoalMarker(j, j, j < n / 2.0 ? MarkerPic::RankAce : MarkerPic::RankKing);
        else if (g == GoalFill::BaseFromFirstCard)
            ShowGoalMarker(j, j, FoundationBase);
    }
    if (g == GoalFill::FirstCards) {
        for (int16_t k = 0; k < n && k < T; ++k) {
            toGoal(k, k);
            ShowGoalMarker(k, k, GetCardNum(k));
        }
    }
}

void Engine::ShowPlaceMarkers()
{
    for (int16_t i = 0; i < Games.Piles(PileType::Res); ++i)
        ShowResMarker(i, i);
    // Where the foundation base comes from the deal, so does the empty piles' rank.
    if (Games.Rules().emptyRankFollowsBase)
        Games.EmptyNum(FoundationBase == Rank::Ace ? int16_t{Rank::King} : static_cast<int16_t>(FoundationBase - 1));
    const int16_t emptyNum = Games.EmptyNum();
    for (int16_t i = 0; i < Games.Piles(PileType::Home); ++i) {
        if (emptyNum >= 0)
            ShowHomeMarker(i, i, emptyNum);
        else
            ShowHomeMarker(i, i);
    }
    if (Games.Piles(PileType::Waste) >= 1)
        ShowWasteMarker(0, 0);
}

void Engine::DealStock()
{
    const bool faceDown = Games.StockType() != StockKind::FaceUp;
    if (Games.StockNum() > StockMarker::NoMarker)
        ShowStockMarker(Games.StockNum());
    if (Games.Piles(PileType::Stock) < 1)
        return;
    const int T = Array.Total();
    for (int i = 0; i < T; ++i) {
        if (GetCardCell(i) == PileType::Goal)
            continue;
        if (Games.StockType() == StockKind::HeartsAndSpades && GetCardSuit(i) > CardSuit::Spades)
            continue;
        int32_t mode = MoveMode::Deal;
        Array.MoveCard(static_cast<int16_t>(i), PileType::Stock, 0,
                       static_cast<int16_t>(Array.GetTop(PileType::Stock, 0) + 1), mode, 0, 0, faceDown);
    }
}

void Engine::DealWaste()
{
    const int16_t steps = CardSteps(DealSteps);
    for (int16_t k = 0; k < Games.Cards(PileType::Waste); ++k) {
        const int16_t c = Array.GetTopPicID(PileType::Stock, 0);
        if (c < 0)
            return;
        int32_t mode = MoveMode::Deal;
        Array.MoveCard(c, PileType::Waste, k, 0, mode, steps, 0, false);
    }
}

void Engine::DealRes()
{
    const int16_t piles = Games.Piles(PileType::Res);
    if (piles < 1)
        return;
    const int16_t steps = CardSteps(DealSteps);
    for (int16_t k = 0; k < Games.Cards(PileType::Res); ++k) {
        const int16_t c = Array.GetTopPicID(PileType::Stock, 0);
        if (c < 0)
            return;
        int32_t mode = MoveMode::Deal;
        Array.MoveCard(c, PileType::Res, static_cast<int16_t>(k % piles), static_cast<int16_t>(k / piles), mode, steps,
                       0, false);
    }
}

void Engine::DealHome()
{
    const int16_t P = Games.Piles(PileType::Home);
    if (P < 1)
        return;
    const int16_t open = Games.CardsOpen();
    const int16_t steps = CardSteps(DealSteps);
    const auto deal = [this, steps](int16_t pile, int16_t pos, bool faceDown) {
        const int16_t c = Array.GetTopPicID(PileType::Stock, 0);
        if (c < 0)
            return false;
        int32_t mode = MoveMode::Deal;
        Array.MoveCard(c, PileType::Home, pile, pos, mode, steps, 0, faceDown);
        return true;
    };
    switch (Games.HomeType()) {
    case HomeDeal::RoundRobin:
    case HomeDeal::RoundRobinClosed: {
        const int16_t cards = Games.Cards(PileType::Home);
        for (int16_t k = 0; k < cards; ++k) {
            const int16_t pile = k % P;
            const int16_t pos = k / P;
            bool down = false;
            if (Games.HomeType() == HomeDeal::RoundRobinClosed)
                down = pile <= 3 && pos <= 2;
            else if (open > 0)
                down = k < cards - open;
            if (!deal(pile, pos, down))
                return;
        }
        break;
    }
    case HomeDeal::Triangle:
        for (int16_t j = 0; j < P; ++j)
            for (int16_t m = 0; m <= P - 1 - j; ++m)
                if (!deal(static_cast<int16_t>(j + m), j, open > 0 && m != 0))
                    return;
        break;
    case HomeDeal::PileBySuit:
        for (int k = 0; k < 52; ++k) {
            const int16_t c = Array.GetTopPicID(PileType::Stock, 0);
            if (c < 0)
                return;
            const int16_t pile = GetCardSuit(c);
            deal(pile, static_cast<int16_t>(Array.GetTop(PileType::Home, pile) + 1), false);
        }
        break;
    case HomeDeal::Cone: {
        static const int16_t sizes[9] = {4, 5, 6, 7, 8, 7, 6, 5, 4};
        for (int16_t r = 0; r < 9 && r < P; ++r)
            for (int16_t pos = 0; pos < sizes[r]; ++pos)
                if (!deal(r, pos, false))
                    return;
        break;
    }
    case HomeDeal::RandomPile:
        while (Array.GetTop(PileType::Stock, 0) != -1) {
            const float r = DealRandom.Next();
            const int16_t pile = static_cast<int16_t>(roundHalfEven(static_cast<double>(r) * (P - 1)));
            if (!deal(pile, static_cast<int16_t>(Array.GetTop(PileType::Home, pile) + 1), false))
                return;
        }
        break;
    case HomeDeal::ReverseTriangle:
        for (int16_t j = 0; j < P; ++j)
            for (int16_t m = 0; m <= P - 1 - j; ++m)
                if (!deal(m, j, open > 0 && m != 0))
                    return;
        break;
    }
}

} // namespace tw
