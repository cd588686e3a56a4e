#pragma once

#include <cstdint>

// The engine's codes. Where they are kept they are plain integers of fixed
// width (a card's Cell, a journal record's Mode, the catalogue's fields), and a
// code outside the named ones still has a meaning ("any other value: no card
// fits"). So each set is an unscoped enum of that width, in a namespace of its
// own: it is written as PileType::Goal, converts to the stored value without a
// cast, and its enumerators stay out of the engine's own names (cGames has
// members called Home, Stock, Waste, Goal and Res).
namespace tw {

namespace pile_type {
// Pile types: the Cell of a card's place, and the index of the layout records
// and of the card tables.
enum PileType : int16_t {
    Home = 0, // tableau
    Stock = 1,
    Waste = 2,
    Goal = 3, // foundation
    Res = 4,  // reserve cell
};
} // namespace pile_type
using pile_type::PileType;

// Pile types that hold cards; the layout records have one more, never written.
inline constexpr int16_t PileTypeCount = 5;
inline constexpr int16_t LayoutCount = 6;
// Cards of the largest deal, and piles of one type at most.
inline constexpr int MaxCards = 104;
inline constexpr int MaxPiles = 21;

namespace card_face {
// A card's FaceMode: 1 shows its back, any other value its face; the engine
// writes 0 for a card turned face up.
enum CardFace : int32_t {
    Up = 0,
    Down = 1,
};
} // namespace card_face
using card_face::CardFace;

namespace card_suit {
enum CardSuit : int16_t {
    Hearts = 0,
    Spades = 1,
    Diamonds = 2,
    Clubs = 3,
};
} // namespace card_suit
using card_suit::CardSuit;

namespace card_rank {
// Card ranks, and the rank codes of EmptyNum (which rank an empty tableau pile
// takes) and of the rank pre-fills of GoalType.
enum Rank : int16_t {
    Any = -1,     // EmptyNum: any card
    NoCard = -10, // EmptyNum: no card at all (so is any value outside -1..12)
    Ace = 0,
    Two = 1,
    King = 12,
};
} // namespace card_rank
using card_rank::Rank;

// Cards of one suit, and the top position of a foundation that holds them all
// (full, outside the Spider family).
inline constexpr int SuitLength = 13;
inline constexpr int16_t FullGoalTop = SuitLength - 1;

namespace pile_arrangement {
// PileOrder: how the piles of one pile type are laid out and their cards
// fanned. Div piles make one row (one column for ColumnsFanRight); the stock
// and the waste ignore it and climb up and left as they grow.
enum PileArrangement : int32_t {
    RowsFanDown = 0,     // rows DivWidth apart, cards fanned down
    RowsSideFanDown = 1, // rows side by side, DivWidth to the right, fanned down
    RowsFanRight = 2,    // rows DivWidth apart, cards fanned right
    ColumnsFanRight = 3, // columns DivWidth apart, PileWidth down, fanned right
};
} // namespace pile_arrangement
using pile_arrangement::PileArrangement;

namespace move_mode {
// How a card moves, passed to the move primitive and kept in the journal.
enum MoveMode : int32_t {
    Plain = 0,
    WasFaceDown = 1,  // the card lay face down before the move (stock)
    EndsFaceDown = 2, // the card ends face down; no autoplay follows
    TurnedUp = 3,     // the move uncovered a face-down tableau card and turned it up
    UndoRedo = 4,     // not journalled, no autoplay, nothing turned up
    Deal = 5,         // not journalled, no autoplay, old place not cleared, events let through
};
} // namespace move_mode
using move_mode::MoveMode;

namespace order_code {
// Building rules (Order, MultiOrder): which arriving card may lie on the one in
// place. Every code not named here lets no card fit.
enum OrderCode : int32_t {
    NoCard = 0,
    DownSameSuit = 1,
    UpSameSuit = 2,
    EitherSameSuit = 3,
    DownOtherColor = 4,
    UpOtherColor = 5,
    EitherOtherColor = 6,
    DownAnySuit = 7,
    UpAnySuit = 8,
    AnyCard = 9,
    EitherAnySuit = 12,
    OfTableau = 0, // as MultiOrder: runs follow the tableau's stored Order
};
} // namespace order_code
using order_code::OrderCode;

namespace rank_step {
// The rank half of a building rule: the arriving card's rank against the one
// in place.
enum RankStep : int {
    Down = -1,
    Either = 0,
    Up = +1,
};
} // namespace rank_step
using rank_step::RankStep;

namespace suit_rule {
// The suit half of a building rule; any other value asks nothing of the suit.
enum SuitRule : int {
    SameSuit = 1,
    OtherColor = 2,
    AnySuit = 3,
};
} // namespace suit_rule
using suit_rule::SuitRule;

namespace home_deal {
// HomeType: the tableau deal pattern. Any other value deals nothing.
enum HomeDeal : int32_t {
    RoundRobin = 0,       // card k to pile k Mod Piles
    Triangle = 1,         // pile p gets p + 1 cards
    PileBySuit = 2,       // one pile per suit
    Cone = 3,             // piles of 4, 5, 6, 7, 8, 7, 6, 5, 4 cards
    RandomPile = 4,       // each card to a random pile
    RoundRobinClosed = 5, // as RoundRobin, the first three of piles 0..3 face down
    ReverseTriangle = 6,
};
} // namespace home_deal
using home_deal::HomeDeal;

namespace suit_split {
// SuitType: how a card's suit follows from its value.
enum SuitSplit : int32_t {
    OneSuit = 0,   // every card is a heart
    TwoSuits = 1,  // (value Mod 52) \ 26
    FourSuits = 2, // (value Mod 52) \ 13
};
} // namespace suit_split
using suit_split::SuitSplit;

namespace goal_fill {
// GoalType: how the foundations are pre-filled at the deal.
enum GoalFill : int32_t {
    RankAce = 0, // 0 to 12: the cards of that rank
    RankTwo = 1,
    RankKing = 12,
    Empty = 13,
    AcesAndKings = 14, // Aces on the lower half, Kings on the upper half
    RankIsSuitpile = 15,
    BaseFromFirstCard = 16, // the first card's rank becomes the foundation base
    FirstCards = 17,        // the first cards of the deck, one per foundation
};
} // namespace goal_fill
using goal_fill::GoalFill;

namespace stock_kind {
// StockType: how the stock is filled and whether its top card is in play.
enum StockKind : int32_t {
    FaceDown = 0,
    FaceUp = 1,          // the top card may be dragged and is offered to autoplay
    HeartsAndSpades = 2, // only cards of suits 0 and 1 are gathered
};
} // namespace stock_kind
using stock_kind::StockKind;

namespace stock_press {
// StockMove: what a press on a stock that is not face up does. Every code but
// DealToTableau (the catalogue also uses 1 and 3) sends the card to the waste.
enum StockPress : int32_t {
    ToWaste = 0,
    DealToTableau = 2, // one card onto every tableau pile in turn
};
} // namespace stock_press
using stock_press::StockPress;

namespace stock_marker {
// StockNum: the stock marker. Above 0 the deal shows marker picture
// MarkerPic::Plain + StockNum.
enum StockMarker : int16_t {
    NoMarker = 0,
    Stop = 1,
    Redeal = 2, // a press on the marker turns the waste back onto the stock
};
} // namespace stock_marker
using stock_marker::StockMarker;

namespace marker_pic {
// Place-marker pictures (Pictures::RightPic).
enum MarkerPic : int32_t {
    RankAce = 0, // 0 to 12: a foundation place marked with that rank
    RankKing = 12,
    NoRank = 13, // a foundation place without rank
    Plain = 14,
    Stop = 15,
    Redeal = 16,
    Refill = 17,
};
} // namespace marker_pic
using marker_pic::MarkerPic;

// The rule family of a variant, read once from its Tag. What each family
// changes is its row of traits (family.h); a new family goes last here.
enum class RuleFamily {
    Other,      // a tag of no family (none before the first game)
    Freecell,   // runs limited by the free places
    FreecellAK, // also: foundations 2 and 3 build down from a King
    Penguin,    // also: the empty-pile rank follows the foundation base
    Spider,     // whole runs go home; foundations are no drop target
    Stala,      // the foundations fan their second card
    Count,      // not a family: how many there are, one row of traits each
};

} // namespace tw
