#pragma once

#include "gamenumber.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace tw {

class Engine;

// One journalled move.
struct TransRec {
    int16_t Card = 0;
    int16_t FromCell = 0;
    int16_t FromPile = 0;
    int16_t FromPos = 0;
    int16_t ToCell = 0;
    int16_t ToPile = 0;
    int16_t ToPos = 0;
    int16_t Count = 0;
    int32_t Mode = 0;  // MoveMode
    int16_t Multi = 0; // 1: the next record belongs to the same group
};

// One row of the move-history list.
struct HistoryRow {
    enum Style { Normal, LastMove, Undone };
    QString Number, Source, Destination, Cards;
    Style style = Normal;
};

// The move journal of one deal: undo, redo, their "all" forms, groups of
// moves that belong to one action, and the history list.
class cTrans {
public:
    explicit cTrans(Engine &e);

    // The cards of a group after the first go at this pace, and a step at
    // this pace or faster makes no sound.
    static constexpr int16_t GroupSpeed = 4;

    void SaveTrans(int16_t Card, int16_t ToCell, int16_t ToPile, int16_t ToPos, int16_t Count, int32_t Mode);
    // Undo or redo one move, or one group of moves made as one, Speed steps
    // a card; whether anything moved. A group met lowers Speed to GroupSpeed
    // for the rest of the call, and the "all" forms keep the lowered pace
    // for every step after it.
    bool Undo(int16_t &Speed) { return step(Direction::Back, Speed); }
    bool Redo(int16_t &Speed) { return step(Direction::Forward, Speed); }
    void UndoAll(int16_t &Speed) { stepAll(Direction::Back, Speed); }
    void RedoAll(int16_t &Speed) { stepAll(Direction::Forward, Speed); }
    // Moves made, as the 16-bit count the menu bar and the records show.
    int16_t GetTransID() const;
    bool UndoPossible() const { return TransID >= 1; }
    bool RedoPossible() const { return TransID < TransLast; }
    void StartMulti();
    void EndMulti();
    std::vector<HistoryRow> CreateLV() const;
    static QString ConvertCell(int16_t Cell);

    int32_t Position() const { return TransID; }
    int32_t Last() const { return TransLast; }
    const TransRec &RecordAt(int32_t i) const { return Trans[static_cast<size_t>(i)]; }
    int32_t Capacity() const { return TransCapacity; }

private:
    enum class Direction { Back, Forward };
    bool step(Direction d, int16_t &Speed);
    void stepAll(Direction d, int16_t &Speed);

    Engine &E;
    int32_t TransLast = 0;
    int32_t TransID = 0;
    std::vector<TransRec> Trans;
    int32_t TransCapacity = 100;
    // Open groups. A group opened inside another (a second run sent home by
    // the autoplay of the first) joins the outer one.
    int16_t MultiOn = 0;
};

} // namespace tw
