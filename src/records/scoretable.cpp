#include "scoretable.h"

#include "score.h"

#include <algorithm>
#include <limits>

namespace tw {

using namespace recordfile;

void ScoreTable::clear()
{
    // Swap with empties so the memory of a large table is given back.
    std::vector<Row>().swap(rows_);
    games_.clear();
    Lookup().swap(gameLookup_);
    players_.clear();
    texts_.clear();
}

void ScoreTable::reserveForBytes(qint64 bytes)
{
    // A score line is at least about 40 bytes long; shorter ones only make
    // the table grow in steps.
    const size_t needed = rows_.size() + static_cast<size_t>(bytes / 40 + 1);
    if (needed > rows_.capacity())
        rows_.reserve(std::max(needed, rows_.capacity() + rows_.capacity() / 2));
}

uint32_t ScoreTable::internName(std::string_view utf8)
{
    if (auto it = gameLookup_.find(utf8); it != gameLookup_.end())
        return it->second;
    const auto index = static_cast<uint32_t>(games_.size());
    games_.append(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    gameLookup_.emplace(std::string(utf8), index);
    return index;
}

uint32_t ScoreTable::internPlayer(const QString &name)
{
    const qsizetype i = players_.indexOf(name);
    if (i >= 0)
        return static_cast<uint32_t>(i);
    players_.append(name);
    return static_cast<uint32_t>(players_.size() - 1);
}

int32_t ScoreTable::addText(const QString &text)
{
    texts_.append(text);
    return static_cast<int32_t>(texts_.size() - 1);
}

qsizetype ScoreTable::addLines(const QByteArray &bytes, const QString &player)
{
    const uint32_t playerIdx = internPlayer(player);
    const qsizetype before = size();
    reserveForBytes(bytes.size());

    // The last game name seen: lines of one file mostly repeat it.
    std::string_view lastName;
    uint32_t lastGame = 0;
    bool haveLast = false;

    forEachLine(bytes, [&](const char *b, const char *e) {
        if (b == e)
            return;
        Item it[7];
        if (splitItems(b, e, it, 7) != 7)
            return;
        if (!it[0].quoted || !it[1].quoted)
            return;
        qint64 v[4];
        for (int k = 0; k < 4; ++k)
            if (!parseInteger(it[3 + k], v[k]))
                return;
        constexpr qint64 i32min = std::numeric_limits<int32_t>::min();
        constexpr qint64 i32max = std::numeric_limits<int32_t>::max();
        for (int k = 0; k < 3; ++k)
            if (v[k] < i32min || v[k] > i32max)
                return;
        if (v[3] < std::numeric_limits<int16_t>::min() || v[3] > std::numeric_limits<int16_t>::max())
            return;
        qint64 number = 0;
        if (!it[2].quoted && !parseInteger(it[2], number))
            return;
        // Names and typed numbers are text: UTF-8, or Windows-1252 in a line
        // from an older system or a Latin-1 editor.
        const bool utf8 = lineIsUtf8(b, e - b);

        Row r;
        r.time = static_cast<int32_t>(v[0]);
        r.moves = static_cast<int32_t>(v[1]);
        r.score = static_cast<int32_t>(v[2]);
        r.status = static_cast<int16_t>(v[3]);
        r.player = playerIdx;

        r.stamp = parseCanonicalDate(it[0].data, it[0].size);
        if (r.stamp == NoStamp) {
            const QString text = itemText(it[0], utf8);
            r.stamp = parseDateStamp(text);
            r.dateText = addText(text);
        }

        if (!utf8) {
            // Interned by its UTF-8 form, so it is the same game as in the
            // lines written today.
            const QByteArray name = itemText(it[1], false).toUtf8();
            r.game = internName(std::string_view(name.constData(), static_cast<size_t>(name.size())));
            haveLast = false;
        } else if (const std::string_view name(it[1].data, static_cast<size_t>(it[1].size));
                   !haveLast || name != lastName) {
            lastGame = internName(name);
            lastName = name;
            haveLast = true;
            r.game = lastGame;
        } else {
            r.game = lastGame;
        }

        if (it[2].quoted) {
            r.gnoKind = TextGNo;
            r.gno = addText(itemText(it[2], utf8));
        } else {
            r.gnoKind = NumberGNo;
            r.gno = number;
        }
        rows_.push_back(r);
    });
    return size() - before;
}

ScoreRec ScoreTable::record(qsizetype i) const
{
    ScoreRec rec;
    if (i < 0 || i >= size())
        return rec;
    const Row &r = rows_[static_cast<size_t>(i)];
    rec.Date = r.dateText == CanonicalDate ? stampText(r.stamp) : texts_.at(r.dateText);
    rec.GName = games_.at(r.game);
    if (r.gnoKind == NumberGNo)
        rec.GNo = GameNo::number(r.gno);
    else if (r.gnoKind == TextGNo)
        rec.GNo = GameNo::text(texts_.at(static_cast<qsizetype>(r.gno)));
    rec.Time = r.time;
    rec.Moves = r.moves;
    rec.Score = r.score;
    rec.Status = r.status;
    rec.Player = players_.at(r.player);
    rec.Day = stampDate(r.stamp);
    rec.TimeOfDay = stampTime(r.stamp);
    return rec;
}

int64_t ScoreTable::gameIndex(const QString &name) const
{
    const QByteArray utf8 = name.toUtf8();
    const auto it = gameLookup_.find(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
    return it == gameLookup_.end() ? -1 : static_cast<int64_t>(it->second);
}

int64_t ScoreTable::playerIndex(const QString &name) const { return players_.indexOf(name); }

} // namespace tw
