#pragma once

#include "engine/catalogue.h"
#include "records/recordfile.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <random>

namespace tw::bench {

// A figure of this process from /proc/self/status (VmRSS, VmHWM), in kB; -1
// where there is none.
inline long procStatusKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray k(key);
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(k))
            return line.mid(k.size() + 1).trimmed().split(' ').first().toLong();
    return -1;
}

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
