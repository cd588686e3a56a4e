#pragma once

#include "cardarray.h"
#include "gamenumber.h"
#include "games.h"
#include "journal.h"
#include "random.h"

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

namespace tw {

class cData;

// The state of one card on the table. The card controls draw it; the engine
// alone changes it.
struct CardState {
    int16_t Suit = 0;                  // 0 hearts, 1 spades, 2 diamonds, 3 clubs
    int16_t Num = 0;                   // 0 Ace .. 12 King
    int16_t Suitpile = 0;              // card value \ 13
    bool Selected = false;             // drawn inverted
    int32_t FaceMode = CardFace::Down; // CardFace: 1 back shown, anything else face shown
    int16_t Cell = 0;
    int16_t Pile = 0;
    int16_t Pos = 0;
    float Left = 0; // twips, exactly as placed
    float Top = 0;
    bool Visible = false;
    uint32_t Z = 0; // stacking order: higher is in front

    // 1 red, 2 black.
    int32_t Color() const { return (Suit == CardSuit::Hearts || Suit == CardSuit::Diamonds) ? 1 : 2; }
};

// The empty-place markers under the piles.
enum class MarkerKind { Home, Right, Res, Waste, Stock };

struct MarkerState {
    int32_t Pic = -1; // MarkerPic, -1 none
    int16_t Left = 0;
    int16_t Top = 0;
    bool Visible = false;
};

// What the engine needs of the table that shows it. The main window
// implements it; tests use a recording fake. Every call has a default that
// does nothing, so a headless engine needs no view at all.
class EngineView {
public:
    virtual ~EngineView() = default;
    virtual void Refreshcard(int /*card*/) {} // value, face or selection changed
    virtual void CardMoved(int /*card*/) {}   // Left or Top changed
    virtual void CardRaised(int /*card*/) {}  // brought to the front
    virtual void CardShown(int /*card*/) {}   // Visible changed
    virtual void MarkerChanged(MarkerKind, int /*index*/) {}
    virtual void RefreshTable() {}   // repaint the table now
    virtual void AnimationPause() {} // after each intermediate step of a move
    virtual void PumpEvents() {}     // let window events run once (deal)
    // A deal that places its cards at once: nothing of the table is drawn
    // from HoldDrawing(true) until HoldDrawing(false), which draws it whole.
    virtual void HoldDrawing(bool /*hold*/) {}
    virtual void PrepareTable() {} // table start-up: card backs, menus, layout, background
    virtual void CaptionChanged(const QString & /*caption*/) {}
    virtual void RecentChanged() {} // rebuild the recent-games menu
    virtual void GameEnded() {}     // a game stopped: end any replay
    // All cards home: the end-of-game window, modal. Called once the winning
    // move and its autoplay are over (see Operation).
    virtual void GameWon() {}
};

// Where finished games are recorded.
class RecordSink {
public:
    virtual ~RecordSink() = default;
    // Table start-up: makes the data folder when it is missing, telling the
    // player when it cannot be used.
    virtual void PrepareDataFolder() {}
    virtual void AddScore(int16_t Status) = 0;
    virtual void AddSesGame(int16_t Status) = 0;
};

// The card table's engine: variant parameters, card arrays, deal, rules, drag
// and drop, autoplay, the move journal and the game flow. It draws nothing;
// the window shows its state and forwards the mouse in twips.
class Engine {
public:
    Engine(cData &data, EngineView &view, RecordSink *records = nullptr);
    ~Engine();
    Engine(const Engine &) = delete;
    Engine &operator=(const Engine &) = delete;

    cData &Data;
    EngineView &View;
    RecordSink *Records;

    cGames Games;
    cArray Array;
    std::unique_ptr<cTrans> Trans; // a fresh one for every deal
    std::array<CardState, MaxCards> Cards{};
    // The empty-place markers: under the tableau piles, the foundations and
    // the reserve cells, as many as the widest variant has.
    static constexpr size_t HomeMarkers = 18, RightMarkers = 8, ResMarkers = 10;
    std::array<MarkerState, HomeMarkers> PicHome{};
    std::array<MarkerState, RightMarkers> PicRight{};
    std::array<MarkerState, ResMarkers> PicRes{};
    MarkerState PicWaste{};
    MarkerState PicStock{};

    // The rank an empty foundation accepts; reset by the catalogue, set by the
    // deal for a base taken from the first card.
    int16_t FoundationBase = 0;

    // Drag state, set by the card mouse handlers.
    int16_t DragX = 0;
    int16_t DragY = 0;
    int16_t DragLeft = 0;
    int16_t DragTop = 0;
    int16_t DragCount = 0;
    bool Dragging = false;

    // The shuffle and the random-pile deal draw from one generator; random
    // game numbers from their own, so drawing one can never disturb a deal.
    RandomSource DealRandom;
    RandomSource NumberRandom;

    // The clock; tests set it. Unset, the system's: the game clock then reads
    // the seconds since the epoch, which need no look at the time zone (a
    // stat of /etc/localtime per conversion, twice a second).
    std::function<QDateTime()> Now;
    QDateTime now() const { return Now ? Now() : QDateTime::currentDateTime(); }

    // --- card state (one property of one card each) ---
    int16_t GetCardCell(int i) const { return card(i).Cell; }
    int16_t GetCardPile(int i) const { return card(i).Pile; }
    int16_t GetCardPos(int i) const { return card(i).Pos; }
    int16_t GetCardLeft(int i) const;
    int16_t GetCardTop(int i) const;
    int16_t GetCardNum(int i) const { return card(i).Num; }
    int32_t GetCardFaceMode(int i) const { return card(i).FaceMode; }
    int16_t GetCardSuit(int i) const { return card(i).Suit; }
    int16_t GetCardSuitpile(int i) const { return card(i).Suitpile; }
    int32_t GetCardColor(int i) const { return card(i).Color(); }

    // Card changes, each telling the view. Inline: the deal makes thousands.
    void SetValue(int i, int16_t Suit, int16_t Num, int16_t Suitpile)
    {
        CardState &c = card(i);
        c.Suit = Suit;
        c.Num = Num;
        c.Suitpile = Suitpile;
        View.Refreshcard(i);
    }
    void SetLoc(int i, int16_t Cell, int16_t Pile, int16_t Pos)
    {
        CardState &c = card(i);
        c.Cell = Cell;
        c.Pile = Pile;
        c.Pos = Pos;
    }
    void SetFaceMode(int i, int32_t FaceMode);
    void SetSelected(int i, bool Selected);
    void MoveTo(int i, float Left, float Top)
    {
        CardState &c = card(i);
        c.Left = Left;
        c.Top = Top;
        View.CardMoved(i);
    }
    void ZOrder(int i)
    {
        card(i).Z = ++zCounter_;
        View.CardRaised(i);
    }
    void SetVisible(int i, bool Visible)
    {
        CardState &c = card(i);
        if (c.Visible == Visible)
            return;
        c.Visible = Visible;
        View.CardShown(i);
    }

    // --- deal and place markers ---
    void NewDeal();
    void InitCardValues();
    void HideAll();
    void DealGoal();
    void DealStock();
    void DealWaste();
    void ShowPlaceMarkers();
    void DealRes();
    void DealHome();
    void ShowGoalMarker(int16_t Marker, int16_t Pile, int16_t PicNo);
    void ShowResMarker(int16_t Marker, int16_t Pile);
    void ShowHomeMarker(int16_t Marker, int16_t Pile, int16_t PicNo = MarkerPic::Plain);
    void ShowWasteMarker(int16_t Marker, int16_t Pile);
    void ShowStockMarker(int16_t n);
    void SetStockMarkerPic(int32_t Pic);

    // --- move rules ---
    bool CheckOrder(int a, int b, OrderCode code, bool wrap) const;
    bool CheckRankAndSuit(int a, int b, RankStep direction, SuitRule condition, bool wrap) const;
    bool IsOtherColor(int b, int a) const { return GetCardColor(b) != GetCardColor(a); }
    bool IsSameSuit(int b, int a) const { return GetCardSuit(b) == GetCardSuit(a); }
    bool IsValidRun(int card, int16_t count) const;
    int16_t CountEmptyPiles(int16_t type) const;
    int16_t GetMaxMove() const;
    bool IsCardOverPlace(int card, int16_t type, int16_t pile, int16_t position, bool whole) const;
    // Whether foundation `pile` takes `card` now, as a drop or by autoplay:
    // an empty one the foundation base, a full one nothing, any other the
    // next card of its building rule.
    bool FoundationTakes(int card, int16_t pile) const;
    // A foundation that holds a whole suit takes no further card, except
    // where whole suits go home onto it (Spider).
    bool FoundationFull(int16_t pile) const;

    // --- drag and drop, autoplay, stock ---
    void StartDrag(int card, int16_t cell, int16_t pile, int16_t pos);
    void DragCards(int card, int16_t pile, int16_t pos, float X, float Y);
    void DropCards(int card, int16_t cell, int16_t pile, int16_t pos);
    void ReturnCards(int card, int16_t pile, int16_t pos);
    void AutoPlay();
    bool AutoPlayCard(int card);
    void DealStockToHome();
    void WasteToStock();
    // The animation steps of the moves that have their own, at the default
    // card speed.
    static constexpr int16_t DropSteps = 3; // a drop, autoplay, a stock card onto the waste
    static constexpr int16_t DealSteps = 3;
    static constexpr int16_t StockDealSteps = 5; // the stock onto the tableau
    static constexpr int16_t WasteTurnSteps = 2; // the waste back onto the stock
    // The step count of such a move, paced by the "Card Moving Speed"
    // setting: its default keeps `base`, 0 places the card at once, and every
    // step of the setting adds a fifth of `base`.
    int16_t CardSteps(int16_t base) const;

    // The main window's card mouse handlers (X, Y in twips within the card).
    void CardMouseDown(int card, float X, float Y);
    void CardMouseMove(int card, float X, float Y);
    void CardMouseUp(int card, float X, float Y);
    void StockMarkerClick();
    // Puts lifted cards back where they were and ends the drag.
    void CancelDrag();

    // --- game flow ---
    void InitTable();
    void StartGame(const QString &name, const GameNo &number);
    void EndGame(int16_t Status);
    void CheckWin();
    int16_t CalcScore() const;
    // Stores time, moves and score of the running game (the status tick).
    void SampleStatus();
    QString Caption() const;

    // --- game number and clock ---
    GameNo GetRandomGameNo();
    int32_t GetGameSeconds() const;

    // A deal is being laid out; commands that move cards or start games wait.
    bool Dealing() const { return dealing_; }
    // Cards must not be moved by a command: a deal or a drag is in progress.
    bool Busy() const { return dealing_ || Dragging; }
    // Held by every operation that moves cards (a move with the autoplay it
    // sets off, a press on the stock, an undo or redo, a deal): a win found
    // inside is handled when the outermost one has ended, so the end-of-game
    // window, and the game the player may start from it, never run in the
    // middle of a move.
    class Operation {
    public:
        explicit Operation(Engine &e) : e_(e) { ++e_.operations_; }
        ~Operation();
        Operation(const Operation &) = delete;
        Operation &operator=(const Operation &) = delete;

    private:
        Engine &e_;
    };

    // Undo, redo and their "all" forms on the running game, with the speed the
    // caller passes (a copy). Ignored while a deal or a drag is in progress.
    bool Undo(int16_t Speed);
    bool Redo(int16_t Speed);
    void UndoAll(int16_t Speed);
    void RedoAll(int16_t Speed);

    // Checks that every card's place and the pile tables agree; returns an
    // empty text when they do, else a description of the first mismatch.
    QString CheckModel() const;

private:
    CardState &card(int i)
    {
        return static_cast<unsigned>(i) < static_cast<unsigned>(MaxCards) ? Cards[static_cast<size_t>(i)] : noCard();
    }
    const CardState &card(int i) const
    {
        return static_cast<unsigned>(i) < static_cast<unsigned>(MaxCards) ? Cards[static_cast<size_t>(i)] : noCard();
    }
    // What an index outside the cards reaches: a blank card, never a crash.
    static CardState &noCard();
    MarkerState *markerState(MarkerKind kind, int index);
    void showMarker(MarkerKind kind, int index, int16_t Kind, int16_t Pile, int32_t Pic);
    void moveToFoundation(int card, int16_t p);
    // A running game with every card home.
    bool tableWon() const;
    // Samples the won game and hands it to the view.
    void handOnWin();

    int dragCard_ = 0; // the pressed card and its place, for CancelDrag
    int16_t dragPile_ = 0;
    int16_t dragPos_ = 0;
    uint32_t zCounter_ = 0;
    int operations_ = 0; // Operation scopes open
    bool winPending_ = false;
    bool dealing_ = false;
};

} // namespace tw
