// Drag and drop, autoplay and the stock: mouse actions on the cards turned
// into moves through the move primitive.
#include "engine.h"

#include "numeric.h"
#include "settings/data.h"

namespace tw {

namespace {
constexpr int16_t DropSpeed = 3;
constexpr int16_t StockDealSpeed = 5;
constexpr int16_t WasteTurnSpeed = 2;
} // namespace

void Engine::CardMouseDown(int card, float X, float Y)
{
    if (!Data.GameRunning() || dealing_)
        return;
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
    Dragging = false;
    DropCards(card, GetCardCell(card), GetCardPile(card), GetCardPos(card));
    Data.PlaySound(QStringLiteral("CardUp"));
}

void Engine::StockMarkerClick()
{
    if (Data.GameRunning() && !Busy() && Games.StockNum() == 2)
        WasteToStock();
}

void Engine::StartDrag(int card, int16_t cell, int16_t pile, int16_t pos)
{
    switch (cell) {
    case 0: {
        const int16_t t = Array.GetTop(0, pile);
        if (pos == t) {
            Dragging = true;
            return;
        }
        DragCount = static_cast<int16_t>(t - pos);
        if (GetCardFaceMode(card) != 0 || !Games.MultiMove() || !IsValidRun(card, DragCount))
            return;
        const QString tag = Games.Tag();
        if ((tag == u"Penguin" || tag == u"FreecellAK" || tag == u"Freecell") && DragCount > GetMaxMove())
            return;
        Dragging = true;
        for (int16_t k = pos; k <= t; ++k) {
            const int16_t c = Array.GetPicID(0, pile, k);
            if (c >= 0)
                ZOrder(c);
        }
        return;
    }
    case 1:
        if (Games.StockType() == 1) {
            Dragging = card == Array.GetTopPicID(1, 0);
        } else if (Games.StockMove() == 2) {
            DealStockToHome();
        } else if (card == Array.GetTopPicID(1, 0)) {
            Array.AddtoWaste(static_cast<int16_t>(card));
        }
        return;
    case 2:
        Dragging = card == Array.GetTopPicID(2, 0);
        return;
    case 3:
    case 4:
        // Only the top card of a foundation or cell can be lifted; any other
        // would leave the pile's top wrong after the move.
        Dragging = card == Array.GetTopPicID(cell, pile);
        return;
    default:
        return;
    }
}

void Engine::DragCards(int card, int16_t pile, int16_t pos, float X, float Y)
{
    const int16_t left = roundClamp16(GetCardLeft(card) + X - DragX);
    const int16_t top = roundClamp16(GetCardTop(card) + Y - DragY);
    MoveTo(card, left, top);
    ZOrder(card);
    const bool sideways = Games.HomePileOrder() == 2 || Games.HomePileOrder() == 3;
    for (int i = 1; i <= DragCount; ++i) {
        const int16_t c = Array.GetPicID(0, pile, static_cast<int16_t>(pos + i));
        if (c < 0)
            break;
        if (sideways)
            MoveTo(c, static_cast<float>(left + 180 * i), top);
        else
            MoveTo(c, left, static_cast<float>(top + 250 * i));
        ZOrder(c);
    }
    View.RefreshTable();
}

void Engine::ReturnCards(int card, int16_t pile, int16_t pos)
{
    MoveTo(card, DragLeft, DragTop);
    const bool sideways = Games.HomePileOrder() == 2 || Games.HomePileOrder() == 3;
    for (int i = 1; i <= DragCount; ++i) {
        const int16_t c = Array.GetPicID(0, pile, static_cast<int16_t>(pos + i));
        if (c < 0)
            break;
        if (sideways)
            MoveTo(c, static_cast<float>(DragLeft + 180 * i), DragTop);
        else
            MoveTo(c, DragLeft, static_cast<float>(DragTop + 250 * i));
    }
}

void Engine::DropCards(int card, int16_t cell, int16_t pile, int16_t pos)
{
    for (int pass = 0; pass < 2; ++pass) {
        const bool whole = pass == 1;
        for (int16_t p = 0; p < Games.Piles(0); ++p) {
            const int16_t t = Array.GetTop(0, p);
            if (!IsCardOverPlace(card, 0, p, t, whole))
                continue;
            bool takes;
            if (t == -1) {
                takes = Games.EmptyNum() == -1 || GetCardNum(card) == Games.EmptyNum();
            } else {
                if (cell == 0 && pile == p)
                    continue;
                takes = CheckOrder(Array.GetPicID(0, p, t), card, Games.Order(0, 0), Games.AK(0) != 0);
            }
            if (takes) {
                int32_t mode = 0;
                Array.MoveCard(static_cast<int16_t>(card), 0, p, static_cast<int16_t>(t + 1), mode, DropSpeed,
                               DragCount, false);
                return;
            }
        }
        for (int16_t p = 0; p < Games.Piles(4); ++p) {
            if (IsCardOverPlace(card, 4, p, 0, whole) && Array.GetPicID(4, p, 0) == -1 && DragCount == 0) {
                int32_t mode = 0;
                Array.MoveCard(static_cast<int16_t>(card), 4, p, 0, mode, DropSpeed, 0, false);
                return;
            }
        }
        if (Games.IsSpider() || DragCount != 0)
            continue;
        for (int16_t p = 0; p < Games.Piles(3); ++p) {
            if (!IsCardOverPlace(card, 3, p, 0, whole))
                continue;
            const int16_t t = Array.GetTop(3, p);
            if (t == 12)
                continue;
            bool takes;
            if (t == -1)
                takes = GetCardNum(card) == FoundationBase;
            else
                takes = CheckOrder(Array.GetPicID(3, p, t), card, Games.Order(3, p), Games.AK(3) != 0);
            if (takes) {
                int32_t mode = 0;
                Array.MoveCard(static_cast<int16_t>(card), 3, p, static_cast<int16_t>(t + 1), mode, DropSpeed, 0,
                               false);
                return;
            }
        }
    }
    ReturnCards(card, pile, pos);
}

void Engine::moveToFoundation(int card, int16_t p)
{
    int32_t mode = 0;
    Array.MoveCard(static_cast<int16_t>(card), 3, p, static_cast<int16_t>(Array.GetTop(3, p) + 1), mode, DropSpeed,
                   0, false);
}

void Engine::AutoPlay()
{
    const uint64_t generation = generation_;
    if (Games.IsSpider()) {
        for (int16_t p = 0; p < Games.Piles(0); ++p) {
            if (generation_ != generation)
                return;
            const int16_t t = Array.GetTop(0, p);
            if (t <= 11)
                continue;
            int pairs = 0;
            for (int16_t k = t; k >= 1; --k) {
                const int16_t upper = Array.GetPicID(0, p, k);
                const int16_t lower = Array.GetPicID(0, p, static_cast<int16_t>(k - 1));
                if (upper < 0 || lower < 0 || !CheckOrder(upper, lower, Games.Order(3, 0), false))
                    break;
                if (++pairs == 12)
                    break;
            }
            const int16_t topCard = Array.GetPicID(0, p, t);
            if (pairs < 12 || GetCardNum(topCard) != 0)
                continue;
            const int16_t sp = GetCardSuitpile(topCard);
            const int16_t g = Games.GoalDiv() != 0 ? static_cast<int16_t>(sp % Games.GoalDiv()) : sp;
            const std::shared_ptr<cTrans> journal = Trans;
            journal->StartMulti();
            for (int i = 0; i < 13 && generation_ == generation; ++i) {
                const int16_t c = Array.GetTopPicID(0, p);
                if (c < 0)
                    break;
                moveToFoundation(c, g);
            }
            journal->EndMulti();
        }
        return;
    }
    if (Data.Autoplay() == 0 || Games.DisAutoPlay() != 0)
        return;
    for (int16_t p = 0; p < Games.Piles(0) && generation_ == generation; ++p)
        if (Array.GetTop(0, p) >= 0)
            AutoPlayCard(Array.GetTopPicID(0, p));
    for (int16_t p = 0; p < Games.Piles(4) && generation_ == generation; ++p)
        if (Array.GetTop(4, p) >= 0)
            AutoPlayCard(Array.GetTopPicID(4, p));
    if (generation_ == generation && Array.GetTop(2, 0) >= 0)
        AutoPlayCard(Array.GetTopPicID(2, 0));
    if (generation_ == generation && Games.StockType() == 1 && Array.GetTop(1, 0) >= 0)
        AutoPlayCard(Array.GetTopPicID(1, 0));
}

bool Engine::AutoPlayCard(int card)
{
    for (int16_t p = 0; p < Games.Piles(3); ++p) {
        const int16_t t = Array.GetTop(3, p);
        bool fits;
        if (t == -1)
            fits = GetCardNum(card) == FoundationBase;
        else if (t == 12 && !Games.IsSpider())
            fits = false; // full: the move primitive would refuse it
        else
            fits = CheckOrder(Array.GetPicID(3, p, t), card, Games.Order(3, p), Games.AK(3) != 0);
        if (fits) {
            const uint64_t generation = generation_;
            moveToFoundation(card, p);
            if (generation_ == generation)
                Data.PlaySound(QStringLiteral("AutoPlay"));
            return true;
        }
    }
    return false;
}

void Engine::DealStockToHome()
{
    const uint64_t generation = generation_;
    const std::shared_ptr<cTrans> journal = Trans;
    journal->StartMulti();
    for (int16_t p = 0; p < Games.Piles(0) && generation_ == generation; ++p) {
        if (Array.GetTop(1, 0) < 0)
            break;
        int32_t mode = 1;
        Array.MoveCard(Array.GetTopPicID(1, 0), 0, p, static_cast<int16_t>(Array.GetTop(0, p) + 1), mode,
                       StockDealSpeed, 0, false);
    }
    journal->EndMulti();
}

void Engine::WasteToStock()
{
    const uint64_t generation = generation_;
    const std::shared_ptr<cTrans> journal = Trans;
    journal->StartMulti();
    const int16_t t = Array.GetTop(2, 0);
    for (int i = 0; i <= t && generation_ == generation; ++i) {
        if (Array.GetTop(2, 0) < 0)
            break;
        int32_t mode = 2;
        Array.MoveCard(Array.GetTopPicID(2, 0), 1, 0, static_cast<int16_t>(Array.GetTop(1, 0) + 1), mode,
                       WasteTurnSpeed, 0, true);
    }
    journal->EndMulti();
}

} // namespace tw
