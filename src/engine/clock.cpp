// Game numbers, the game clock and the time text every window shows.
#include "clock.h"

#include "engine.h"
#include "numeric.h"
#include "settings/data.h"

namespace tw {

qint64 LargestGameNo(int16_t rangeIndex)
{
    qint64 p = 1;
    for (int i = 0; i < rangeIndex; ++i)
        p *= 10;
    return p - 1;
}

qint64 RandomGameNo(RandomSource &rnd, int16_t rangeIndex)
{
    // The options offer 1 to 15. Below that there is no range to draw from
    // and every draw gives game 1; above it the widest range is used.
    rnd.Randomize();
    const float r = rnd.Next();
    if (rangeIndex < 1)
        return 1;
    const int16_t range = rangeIndex > 15 ? 15 : rangeIndex;
    const qint64 p = LargestGameNo(range) + 1;
    qint64 g;
    if (range <= 4)
        g = static_cast<qint64>(static_cast<float>(p) * r); // single precision below 10^5
    else
        g = static_cast<qint64>(static_cast<double>(p) * static_cast<double>(r));
    if (g >= p)
        g = p - 1;
    return g == 0 ? 1 : g;
}

void AppendTime(QByteArray &out, qint64 Seconds)
{
    // Hours are not wrapped: a game left open for a day still shows its true
    // length. A clock set back gives a negative time, shown with its sign.
    // The size is taken unsigned, which holds that of the lowest value too.
    const quint64 a = Seconds < 0 ? 0 - static_cast<quint64>(Seconds) : static_cast<quint64>(Seconds);
    if (Seconds < 0)
        out += '-';
    out += QByteArray::number(a / 3600);
    const int m = static_cast<int>((a / 60) % 60), sec = static_cast<int>(a % 60);
    const char tail[] = {':', char('0' + m / 10), char('0' + m % 10), ':', char('0' + sec / 10), char('0' + sec % 10)};
    out.append(tail, sizeof tail);
}

QString FormatTime(qint64 Seconds)
{
    QByteArray text;
    AppendTime(text, Seconds);
    return QString::fromLatin1(text);
}

GameNo Engine::GetRandomGameNo() { return GameNo::number(RandomGameNo(NumberRandom, Data.RangeIndex())); }

int32_t Engine::GetGameSeconds() const
{
    if (!Data.GameRunning() || !Data.GameStart().isValid())
        return 0;
    // Whole seconds between the two moments, each taken to the second.
    const qint64 start = Data.GameStartSecs();
    const qint64 at = Now ? Now().toSecsSinceEpoch() : QDateTime::currentSecsSinceEpoch();
    return clamp32(at - start);
}

} // namespace tw
