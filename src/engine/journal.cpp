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

bool cTrans::step(Direction d, int16_t &Speed)
{
    const bool back = d == Direction::Back;
    Engine &eng = E;
    const Engine::Operation step(eng);
    bool moved = false;
    while (back ? TransID >= 1 : TransID != TransLast) {
        const TransRec r = Trans[static_cast<size_t>(back ? TransID : TransID + 1)];
        // A record of a group, all but its last, carries Multi 1: going back
        // that is the record itself, going forward the one before it.
        const bool inGroup = (back ? r : Trans[static_cast<size_t>(TransID)]).Multi == 1;
        if (inGroup)
            Speed = GroupSpeed;
        if (Speed > GroupSpeed)
            eng.Data.PlaySound(back ? QStringLiteral("Undo") : QStringLiteral("Redo"));
        const int16_t below = r.Mode == MoveMode::TurnedUp
                                  ? eng.Array.GetPicID(r.FromCell, r.FromPile, static_cast<int16_t>(r.FromPos - 1))
                                  : int16_t(-1);
        // The card the move turned up is closed first, so the card coming
        // back lies at the spacing of a face-down card.
        if (back && below >= 0)
            eng.SetFaceMode(below, CardFace::Down);
        int32_t mode = MoveMode::UndoRedo;
        if (back)
            eng.Array.MoveCard(r.Card, r.FromCell, r.FromPile, r.FromPos, mode, Speed, r.Count, false);
        else
            eng.Array.MoveCard(r.Card, r.ToCell, r.ToPile, r.ToPos, mode, Speed, r.Count, false);
        moved = true;
        if (!back && below >= 0)
            eng.SetFaceMode(below, CardFace::Up);
        // Undone, a card that the move turned over takes back the face it
        // had; redone, the face the move gave it.
        if (r.Mode == MoveMode::WasFaceDown)
            eng.SetFaceMode(r.Card, back ? CardFace::Down : CardFace::Up);
        else if (r.Mode == MoveMode::EndsFaceDown)
            eng.SetFaceMode(r.Card, back ? CardFace::Up : CardFace::Down);
        TransID += back ? -1 : 1;
        const bool groupGoesOn = (back ? Trans[static_cast<size_t>(TransID)] : r).Multi == 1;
        if (!groupGoesOn)
            return true;
    }
    // The journal ended inside a group: the records moved still count.
    return moved;
}

void cTrans::stepAll(Direction d, int16_t &Speed)
{
    const Engine::Operation all(E);
    while (step(d, Speed)) {
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
