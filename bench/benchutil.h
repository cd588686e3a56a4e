#pragma once

#include "engine/catalogue.h"
#include "records/recordfile.h"

#include <QByteArray>
#include <QDateTime>
#include <random>

namespace tw::bench {

// One score-file line of a random game played within five years after base:
// every tenth game number is a text, as favourites and typed numbers give.
inline QByteArray randomScoreLine(std::mt19937_64 &rnd, const QDateTime &base, long i)
{
    const QDateTime when = base.addSecs(static_cast<qint64>(rnd() % (5LL * 365 * 86400)));
    const GameNo no = (i % 10 == 0) ? GameNo::text(QString::number(rnd() % 100000))
                                    : GameNo::number(static_cast<qint64>(rnd() % 999999999999999ULL) + 1);
    return recordfile::scoreLine(recordfile::recordDateText(when),
                                 frmGame::NameAt(static_cast<int16_t>(1 + rnd() % frmGame::GameCount)), no,
                                 static_cast<int32_t>(rnd() % 3600), static_cast<int32_t>(rnd() % 500),
                                 static_cast<int32_t>(rnd() % 1000) - 200, static_cast<int16_t>(rnd() % 2));
}

} // namespace tw::bench
