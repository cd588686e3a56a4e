#include "journal.h"

#include "engine.h"
#include "numeric.h"
#include "settings/data.h"

namespace tw {

cTrans::cTrans(Engine &e) : E(e), Trans(101) {}

void cTrans::SaveTrans(int16_t Card, int16_t ToCell, int16_t ToPile, int16_t ToPos, int16_t Count, int32_t Mode)
{
    ++TransID;
    TransLast = TransID; // a new move drops every undone move
    if (TransID > TransCapacity) {
        TransCapacity += 100;
        Trans.resize(static_cast<size_t>(TransCapacity) + 1);
    }
    TransRec &r = Trans[static_cast<size_t>(TransID)];
    r.Card = Card;
    r.FromCell = E.GetCardCell(Card);
    r.FromPile = E.GetCardPile(Card);
    r.FromPos = E.GetCardPos(Card);
    r.ToCell = ToCell;
    r.ToPile = ToPile;
    r.ToPos = ToPos;
    r.Count = Count;
    r.Mode = Mode;
    r.Multi = MultiOn > 0 ? 1 : 0;
}

void cTrans::StartMulti() { ++MultiOn; }

void cTrans::EndMulti()
{
    if (MultiOn > 0)
        --MultiOn;
    // Only the outermost group marks its end, so a cascade of groups undoes
    // as one.
    if (MultiOn == 0)
        Trans[static_cast<size_t>(TransID)].Multi = 0;
}

void cTrans::Undo(int16_t &Speed, bool &Done)
{
    Done = false;
    Engine &eng = E;
    const Engine::Operation undo(eng);
    for (;;) {
        if (TransID < 1)
            return;
        const TransRec r = Trans[static_cast<size_t>(TransID)];
        if (r.Multi == 1)
            Speed = 4;
        if (Speed > 4)
            eng.Data.PlaySound(QStringLiteral("Undo"));
        // The card the move turned up is closed first, so the card coming
        // back lies at the spacing of a face-down card.
        if (r.Mode == MoveMode::TurnedUp) {
            const int16_t below = eng.Array.GetPicID(r.FromCell, r.FromPile, static_cast<int16_t>(r.FromPos - 1));
            if (below >= 0)
                eng.SetFaceMode(below, CardFace::Down);
        }
        int32_t mode = MoveMode::UndoRedo;
        eng.Array.MoveCard(r.Card, r.FromCell, r.FromPile, r.FromPos, mode, Speed, r.Count, false);
        if (r.Mode == MoveMode::WasFaceDown)
            eng.SetFaceMode(r.Card, CardFace::Down);
        else if (r.Mode == MoveMode::EndsFaceDown)
            eng.SetFaceMode(r.Card, CardFace::Up);
        --TransID;
        if (Trans[static_cast<size_t>(TransID)].Multi != 1) {
            Done = true;
            return;
        }
    }
}

void cTrans::Redo(int16_t &Speed, bool &Done)
{
    Done = false;
    Engine &eng = E;
    const Engine::Operation redo(eng);
    bool moved = false;
    while (TransID != TransLast) {
        if (Trans[static_cast<size_t>(TransID)].Multi == 1)
            Speed = 4;
        ++TransID;
        const TransRec r = Trans[static_cast<size_t>(TransID)];
        if (Speed > 4)
            eng.Data.PlaySound(QStringLiteral("Redo"));
        int32_t mode = MoveMode::UndoRedo;
        eng.Array.MoveCard(r.Card, r.ToCell, r.ToPile, r.ToPos, mode, Speed, r.Count, false);
        moved = true;
        if (r.Mode == MoveMode::TurnedUp) {
            const int16_t below = eng.Array.GetPicID(r.FromCell, r.FromPile, static_cast<int16_t>(r.FromPos - 1));
            if (below >= 0)
                eng.SetFaceMode(below, CardFace::Up);
        } else if (r.Mode == MoveMode::WasFaceDown) {
            eng.SetFaceMode(r.Card, CardFace::Up);
        } else if (r.Mode == MoveMode::EndsFaceDown) {
            eng.SetFaceMode(r.Card, CardFace::Down);
        }
        if (r.Multi != 1) {
            Done = true;
            return;
        }
    }
    // The journal ended inside a group: the records redone still count.
    Done = moved;
}

void cTrans::UndoAll(int16_t &Speed)
{
    const Engine::Operation undoAll(E);
    while (TransID >= 1) {
        bool done = false;
        Undo(Speed, done);
        if (!done)
            break;
    }
}

void cTrans::RedoAll(int16_t &Speed)
{
    const Engine::Operation redoAll(E);
    while (TransID != TransLast) {
        bool done = false;
        Redo(Speed, done);
        if (!done)
            break;
    }
}

int16_t cTrans::GetTransID() const { return clamp16(TransID); }

QString cTrans::ConvertCell(int16_t Cell)
{
    switch (Cell) {
    case PileType::Home: return QStringLiteral("Tableau");
    case PileType::Stock: return QStringLiteral("Stock");
    case PileType::Waste: return QStringLiteral("Waste");
    case PileType::Goal: return QStringLiteral("Foundation");
    case PileType::Res: return QStringLiteral("Reserve");
    default: return QString();
    }
}

std::vector<HistoryRow> cTrans::CreateLV() const
{
    std::vector<HistoryRow> rows;
    rows.reserve(static_cast<size_t>(TransLast));
    const auto place = [](int16_t cell, int16_t pile, int16_t pos) {
        return ConvertCell(cell) + QStringLiteral(" (Pile ") + QString::number(pile + 1) + QStringLiteral(", Card ")
               + QString::number(pos + 1) + u')';
    };
    for (int32_t i = 1; i <= TransLast; ++i) {
        const TransRec &r = Trans[static_cast<size_t>(i)];
        HistoryRow row;
        row.Number = QString::number(i);
        row.Source = place(r.FromCell, r.FromPile, r.FromPos);
        row.Destination = place(r.ToCell, r.ToPile, r.ToPos);
        row.Cards = QString::number(r.Count + 1);
        row.style = i == TransID ? HistoryRow::LastMove : (i > TransID ? HistoryRow::Undone : HistoryRow::Normal);
        rows.push_back(row);
    }
    return rows;
}

} // namespace tw
