#pragma once

#include "codes.h"
#include "gamenumber.h"

#include <cstdint>

namespace tw {

class Engine;

// Where every card lies: which card stands at each place, the top of each
// pile and the shuffled deck. Every card movement of the program goes through
// MoveCard, which keeps these tables and the cards' own places in step.
class cArray {
public:
    explicit cArray(Engine &e);

    int16_t GetTop(int16_t Cell, int16_t Pile) const;
    int16_t GetTopPicID(int16_t Cell, int16_t Pile) const;
    int16_t GetPicID(int16_t Cell, int16_t Pile, int16_t Pos) const;
    void AddtoWaste(int16_t Card);
    void MoveWasteStock();
    void MoveCard(int16_t Card, int16_t Cell, int16_t Pile, int16_t Pos, int32_t &Mode, int16_t Speed, int16_t Count,
                  bool FaceDown);
    int16_t GetRandom(int16_t i) const;
    void Init(const GameNo &GameNo);
    void RandomInit(const GameNo &GameNo);
    int16_t TotalGoalCards() const;
    int16_t ClosedCards(int16_t Pile) const;

    int16_t Total() const { return T; }

private:
    void PlaceCard(int16_t Card, int16_t Cell, int16_t Pile, int16_t Pos, int32_t Mode, int16_t Speed, bool FaceDown);
    static bool placeOk(int16_t Cell, int16_t Pile, int16_t Pos);

    Engine &E;
    int16_t T = 0;
    int16_t PicID[PileTypeCount][MaxPiles][MaxCards + 1];
    int16_t TopPos[PileTypeCount][MaxPiles];
    int16_t Deck[MaxCards + 1] = {};
};

} // namespace tw
