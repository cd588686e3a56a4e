#pragma once

#include "engine/gamenumber.h"
#include "recordfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

struct ScoreRec;

// The loaded score records in a compact form. A window may hold a million
// records; each row keeps numbers and small indexes only, and the texts that
// repeat (game and player names) or are rare (typed game numbers, dates in an
// older form) live once in side tables. Records come back as ScoreRec copies.
class ScoreTable {
public:
    enum GNoKind : uint8_t { NoGNo, NumberGNo, TextGNo };
    static constexpr int32_t CanonicalDate = -1;

    struct Row {
        qint64 gno = 0; // the number, or the index of its text
        recordfile::Stamp stamp = recordfile::NoStamp;
        int32_t time = 0;
        int32_t moves = 0;
        int32_t score = 0;
        int32_t dateText = CanonicalDate; // text index when the date text is not the stamp's own
        uint32_t game = 0;
        uint32_t player = 0;
        int16_t status = 0;
        uint8_t gnoKind = NoGNo;
    };

    void clear();
    // Makes room for the records of files of this many bytes in all. Room that
    // is never filled costs address space only, not memory.
    void reserveForBytes(qint64 bytes);
    qsizetype size() const { return static_cast<qsizetype>(rows_.size()); }
    const std::vector<Row> &rows() const { return rows_; }

    // Adds every well-formed score line of the bytes, for the given player.
    // Malformed lines are skipped; returns the number of records added.
    qsizetype addLines(const QByteArray &bytes, const QString &player);

    ScoreRec record(qsizetype i) const; // 0-based

    // Index of a game or player name among the loaded ones; -1 when no loaded
    // record has it.
    int64_t gameIndex(const QString &name) const;
    int64_t playerIndex(const QString &name) const;
    // The names a row's indexes stand for, and the texts of its typed game
    // number and of a date in an older form.
    const QStringList &gameNames() const { return games_; }
    const QStringList &playerNames() const { return players_; }
    const QString &text(qint64 index) const { return texts_.at(static_cast<qsizetype>(index)); }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    using Lookup = std::unordered_map<std::string, uint32_t, Hash, std::equal_to<>>;

    uint32_t internName(std::string_view utf8);
    uint32_t internPlayer(const QString &name);
    int32_t addText(const QString &text);

    std::vector<Row> rows_;
    QStringList games_;
    Lookup gameLookup_;
    QStringList players_;
    QStringList texts_;
};

} // namespace tw
