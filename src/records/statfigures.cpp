#include "statfigures.h"

#include "engine/clock.h"
#include "engine/numeric.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace tw::statfigures {

QString count(qint64 v) { return QString::number(v); }

namespace {

// Truncation toward zero, as a whole number.
QString fix(double v) { return count(static_cast<qint64>(std::trunc(v))); }

double round2(double v) { return roundHalfEven(v * 100.0) / 100.0; }

// An empty table divides by one.
double playedOrOne(const StatTotals &t) { return t.Played == 0 ? 1.0 : double(t.Played); }

} // namespace

qint64 lost(const StatTotals &t) { return qint64(t.Played) - t.Won; }

QString decimal(double v)
{
    QLocale l;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v, 'g', 15);
}

QStringList summaryLines(const StatTotals &t)
{
    const double p = playedOrOne(t);
    const double s = t.Time == 0 ? 1.0 : double(t.Time);
    return {
        QStringLiteral("Games Played : ") + count(t.Played),
        QStringLiteral("Games Won : ") + count(t.Won),
        QStringLiteral("Games Lost : ") + count(t.Lost),
        QStringLiteral("Total Moves : ") + count(t.Moves),
        QStringLiteral("Total Score : ") + count(t.Score),
        QStringLiteral("Total Time : ") + FormatTime(t.Time),
        QStringLiteral("Moves Per Game : ") + fix(t.Moves / p),
        QStringLiteral("Score Per Game : ") + fix(t.Score / p),
        QStringLiteral("Time Per Game : ") + FormatTime(static_cast<qint64>(roundHalfEven(t.Time / p))),
        QStringLiteral("Games Per Hour : ") + fix(t.Played / s * 3600),
        QStringLiteral("Moves Per Hour : ") + fix(t.Moves / s * 3600),
        QStringLiteral("Score Per Hour : ") + fix(t.Score / s * 3600),
        QStringLiteral("Winning Percentage : ") + decimal(round2(t.Won / p * 100)) + QStringLiteral("%"),
    };
}

QString gamePercentage(const StatTotals &t)
{
    return decimal(round2(t.Won * 100.0 / playedOrOne(t))) + QStringLiteral("%");
}

QString playerPercentage(const StatTotals &t)
{
    return decimal(round2(t.Won / playedOrOne(t)) * 100) + QStringLiteral("%");
}

QStringList totalsRow(const QString &name, const StatTotals &t, const QString &percentage)
{
    return {name,           count(t.Played), count(t.Won), count(lost(t)), FormatTime(t.Time),
            count(t.Moves), count(t.Score),  percentage};
}

int32_t sessionSeconds(const QDateTime &start, const QDateTime &now)
{
    // From the moment itself rather than its text, which need not hold the
    // seconds.
    qint64 e = 0;
    if (start.isValid())
        e = now.toSecsSinceEpoch() - start.toSecsSinceEpoch();
    return static_cast<int32_t>(std::clamp<qint64>(e, INT32_MIN, INT32_MAX));
}

} // namespace tw::statfigures
