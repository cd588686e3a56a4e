#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdint>

namespace tw {

class RandomSource;

// The largest game number of a range: 10^rangeIndex - 1.
qint64 LargestGameNo(int16_t rangeIndex);
// A random game number from 1 to 10^rangeIndex - 1, seeded from the clock.
qint64 RandomGameNo(RandomSource &rnd, int16_t rangeIndex);
// Whole seconds as "h:mm:ss"; any number of hours, as totals of many games
// need.
QString FormatTime(qint64 Seconds);
// The same text added to bytes, for reports of many lines.
void AppendTime(QByteArray &out, qint64 Seconds);

} // namespace tw
