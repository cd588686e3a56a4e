// Drag and drop, autoplay and the stock: mouse actions on the cards turned
// into moves through the move primitive.
#include "engine.h"

#include "numeric.h"
#include "settings/data.h"

#include <algorithm>

namespace tw {

namespace {
// Where a dragged run's cards lie on each other.
constexpr int RunStepDown = 250;
constexpr int RunStepRight = 180;

// The rows of the tableau fan its cards to the right: a dragged run does too.
bool fansRight(const cGames &g)
{
    return g.HomePileOrder() == PileArrangement::RowsFanRight || g.HomePileOrder() == PileArrangement::ColumnsFanRight;
}
} // namespace

void Engine::CardMouseDown(int card, float X, float Y)
{
    if (!Data.GameRunning() || dealing_)
        return;
    const Operation press(*this); // a press on the stock deals from it
    // A release that never arrived (a window opened over the table while a
    // card was held) must not leave the old drag acting on this press.
    CancelDrag();
    DragCount = 0;
    DragX = roundClamp16(X);
    DragY = roundClamp16(Y);
    DragLeft = GetCardLeft(card);
    DragTop = GetCardTop(card);
    dragCard_ = card;
    dragPile_ = GetCardPile(card);
    dragPos_ = GetCardPos(card);
    StartDrag(card, GetCardCell(card), dragPile_, dragPos_);
    Data.PlaySound(QStringLiteral("CardDown"));
}

void Engine::CancelDrag()
{
    if (!Dragging)
        return;
    Dragging = false;
    ReturnCards(dragCard_, dragPile_, dragPos_);
    DragCount = 0;
}

void Engine::CardMouseMove(int card, float X, float Y)
{
    if (!Data.GameRunning() || !Dragging)
        return;
    DragCards(card, GetCardPile(card), GetCardPos(card), X, Y);
}

void Engine::CardMouseUp(int card, float /*X*/, float /*Y*/)
{
    if (!Data.GameRunning() || !Dragging)
        return;
    const Operation drop(*this);
    Dragging = false;
    DropCards(card, GetCardCell(card), GetCardPile(card), GetCardPos(card));
    Data.PlaySound(QStringLiteral("CardUp"));
}

void Engine::StockMarkerClick()
{
    if (Data.GameRunning() && !Busy() && Games.StockNum() == StockMarker::Redeal)
        WasteToStock();
}

void Engine::StartDrag(int card, int16_t cell, int16_t pile, int16_t pos)
{
    switch (cell) {
    case PileType::Home: {
        const int16_t t = Array.GetTop(PileType::Home, pile);
        if (pos == t) {
            Dragging = true;
            return;
        }
        DragCount = static_cast<int16_t>(t - pos);
        if (GetCardFaceMode(card) != CardFace::Up || !Games.MultiMove() || !IsValidRun(card, DragCount))
            return;
        if (Games.Rules().runsLimited && DragCount > GetMaxMove())
            return;
        Dragging = true;
        for (int16_t k = pos; k <= t; ++k) {
            const int16_t c = Array.GetPicID(PileType::Home, pile, k);
            if (c >= 0)
                ZOrder(c);
        }
        return;
    }
    case PileType::Stock:
        if (Games.StockType() == StockKind::FaceUp) {
            Dragging = card == Array.GetTopPicID(PileType::Stock, 0);
        } else if (Games.StockMove() == StockPress::DealToTableau) {
            DealStockToHome();
        } else if (card == Array.GetTopPicID(PileType::Stock, 0)) {
            Array.AddtoWaste(static_cast<int16_t>(card));
        }
        return;
    case PileType::Waste: Dragging = card == Array.GetTopPicID(PileType::Waste, 0); return;
    case PileType::Goal:
    case PileType::Res:
        // Only the top card of a foundation or cell can be lifted; any other
        // would leave the pile's top wrong after the move.
        Dragging = card == Array.GetTopPicID(cell, pile);
        return;
    default: return;
    }
}

void Engine::DragCards(int card, int16_t pile, int16_t pos, float X, float Y)
{
    const int16_t left = roundClamp16(GetCardLeft(card) + X - DragX);
    const int16_t top = roundClamp16(GetCardTop(card) + Y - DragY);
    MoveTo(card, left, top);
    ZOrder(card);
    const bool sideways = fansRight(Games);
    for (int i = 1; i <= DragCount; ++i) {
        const int16_t c = Array.GetPicID(PileType::Home, pile, static_cast<int16_t>(pos + i));
        if (c < 0)
            break;
        if (sideways)
            MoveTo(c, static_cast<float>(left + RunStepRight * i), top);
        else
            MoveTo(c, left, static_cast<float>(top + RunStepDown * i));
        ZOrder(c);
    }
    View.RefreshTable();
}

void Engine::ReturnCards(int card, int16_t pile, int16_t pos)
{
    MoveTo(card, DragLeft, DragTop);
    const bool sideways = fansRight(Games);
    for (int i = 1; i <= DragCount; ++i) {
        const int16_t c = Array.GetPicID(PileType::Home, pile, static_cast<int16_t>(pos + i));
        if (c < 0)
            break;
        if (sideways)
            MoveTo(c, static_cast<float>(DragLeft + RunStepRight * i), DragTop);
        else
            MoveTo(c, DragLeft, static_cast<float>(DragTop + RunStepDown * i));
    }
}

void Engine::DropCards(int card, int16_t cell, int16_t pile, int16_t pos)
{
    for (int pass = 0; pass < 2; ++pass) {
        const bool whole = pass == 1;
        for (int16_t p = 0; p < Games.Piles(PileType::Home); ++p) {
            const int16_t t = Array.GetTop(PileType::Home, p);
            if (!IsCardOverPlace(card, PileType::Home, p, t, whole))
                continue;
            bool takes;
            if (t == -1) {
                takes = Games.EmptyNum() == Rank::Any || GetCardNum(card) == Games.EmptyNum();
            } else {
                if (cell == PileType::Home && pile == p)
                    continue;
                takes = CheckOrder(Array.GetPicID(PileType::Home, p, t), card, Games.Order(PileType::Home, 0),
                                   Games.AK(PileType::Home) != 0);
            }
            if (takes) {
                int32_t mode = MoveMode::Plain;
                Array.MoveCard(static_cast<int16_t>(card), PileType::Home, p, static_cast<int16_t>(t + 1), mode,
                               CardSteps(DropSteps), DragCount, false);
                return;
            }
        }
        for (int16_t p = 0; p < Games.Piles(PileType::Res); ++p) {
            if (IsCardOverPlace(card, PileType::Res, p, 0, whole) && Array.GetPicID(PileType::Res, p, 0) == -1
                && DragCount == 0) {
                int32_t mode = MoveMode::Plain;
                Array.MoveCard(static_cast<int16_t>(card), PileType::Res, p, 0, mode, CardSteps(DropSteps), 0, false);
                return;
            }
        }
        if (Games.Rules().wholeSuitsHome || DragCount != 0)
            continue;
        for (int16_t p = 0; p < Games.Piles(PileType::Goal); ++p) {
            if (IsCardOverPlace(card, PileType::Goal, p, 0, whole) && FoundationTakes(card, p)) {
                moveToFoundation(card, p);
                return;
            }
        }
    }
    ReturnCards(card, pile, pos);
}

int16_t Engine::CardSteps(int16_t base) const
{
    const int speed = Data.CardSpeed();
    if (speed <= 0)
        return 0;
    const double steps = roundHalfEven(static_cast<double>(base) * speed / cData::DefaultCardSpeed);
    // A setting above 0 always shows the card on its way.
    return static_cast<int16_t>(std::max(1.0, steps));
}

void Engine::moveToFoundation(int card, int16_t p)
{
    int32_t mode = MoveMode::Plain;
    const int16_t pos = static_cast<int16_t>(Array.GetTop(PileType::Goal, p) + 1);
    Array.MoveCard(static_cast<int16_t>(card), PileType::Goal, p, pos, mode, CardSteps(DropSteps), 0, false);
}

void Engine::AutoPlay()
{
    const Operation autoplay(*this);
    if (Games.Rules().wholeSuitsHome) {
        // A whole suit, King at the bottom and Ace on top, each card passing
        // the foundations' rule onto the one above it, goes home at once.
        for (int16_t p = 0; p < Games.Piles(PileType::Home); ++p) {
            const int16_t t = Array.GetTop(PileType::Home, p);
            if (t < SuitLength - 1)
                continue;
            int pairs = 0;
            for (int16_t k = t; k >= 1; --k) {
                const int16_t upper = Array.GetPicID(PileType::Home, p, k);
                const int16_t lower = Array.GetPicID(PileType::Home, p, static_cast<int16_t>(k - 1));
                if (upper < 0 || lower < 0 || !CheckOrder(upper, lower, Games.Order(PileType::Goal, 0), false))
                    break;
                if (++pairs == SuitLength - 1)
                    break;
            }
            const int16_t topCard = Array.GetPicID(PileType::Home, p, t);
            if (pairs < SuitLength - 1 || GetCardNum(topCard) != Rank::Ace)
                continue;
            const int16_t sp = GetCardSuitpile(topCard);
            const int16_t g = Games.GoalDiv() != 0 ? static_cast<int16_t>(sp % Games.GoalDiv()) : sp;
            Trans->StartMulti();
            for (int i = 0; i < SuitLength; ++i) {
                const int16_t c = Array.GetTopPicID(PileType::Home, p);
                if (c < 0)
                    break;
                moveToFoundation(c, g);
            }
            Trans->EndMulti();
        }
        return;
    }
    if (Data.Autoplay() == 0 || Games.DisAutoPlay() != 0)
        return;
    for (int16_t p = 0; p < Games.Piles(PileType::Home); ++p)
        if (Array.GetTop(PileType::Home, p) >= 0)
            AutoPlayCard(Array.GetTopPicID(PileType::Home, p));
    for (int16_t p = 0; p < Games.Piles(PileType::Res); ++p)
        if (Array.GetTop(PileType::Res, p) >= 0)
            AutoPlayCard(Array.GetTopPicID(PileType::Res, p));
    if (Array.GetTop(PileType::Waste, 0) >= 0)
        AutoPlayCard(Array.GetTopPicID(PileType::Waste, 0));
    if (Games.StockType() == StockKind::FaceUp && Array.GetTop(PileType::Stock, 0) >= 0)
        AutoPlayCard(Array.GetTopPicID(PileType::Stock, 0));
}

bool Engine::AutoPlayCard(int card)
{
    for (int16_t p = 0; p < Games.Piles(PileType::Goal); ++p) {
        if (FoundationTakes(card, p)) {
            moveToFoundation(card, p);
            // The card that wins the game is greeted by the win's own sound.
            if (!winPending_)
                Data.PlaySound(QStringLiteral("AutoPlay"));
            return true;
        }
    }
    return false;
}

void Engine::DealStockToHome()
{
    const Operation deal(*this);
    const int16_t steps = CardSteps(StockDealSteps);
    Trans->StartMulti();
    for (int16_t p = 0; p < Games.Piles(PileType::Home); ++p) {
        if (Array.GetTop(PileType::Stock, 0) < 0)
            break;
        int32_t mode = MoveMode::WasFaceDown;
        Array.MoveCard(Array.GetTopPicID(PileType::Stock, 0), PileType::Home, p,
                       static_cast<int16_t>(Array.GetTop(PileType::Home, p) + 1), mode, steps, 0, false);
    }
    Trans->EndMulti();
}

void Engine::WasteToStock()
{
    const Operation turn(*this);
    const int16_t steps = CardSteps(WasteTurnSteps);
    Trans->StartMulti();
    const int16_t t = Array.GetTop(PileType::Waste, 0);
    for (int i = 0; i <= t; ++i) {
        if (Array.GetTop(PileType::Waste, 0) < 0)
            break;
        int32_t mode = MoveMode::EndsFaceDown;
        Array.MoveCard(Array.GetTopPicID(PileType::Waste, 0), PileType::Stock, 0,
                       static_cast<int16_t>(Array.GetTop(PileType::Stock, 0) + 1), mode, steps, 0, true);
    }
    Trans->EndMulti();
}

} // namespace tw
