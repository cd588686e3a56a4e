#pragma once

#include "score.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>

// The figures the statistics windows show, worked out from the score store's
// totals, as the texts the windows put on screen. Headless, so every figure
// is tested without a window.
namespace tw::statfigures {

// Games lost: played less won, in a width where neither can overflow.
qint64 lost(const StatTotals &t);

// A count as the windows show it: decimal digits, "-" when negative.
QString count(qint64 v);

// A floating figure as the windows show it: up to 15 significant digits, the
// locale's decimal separator, no trailing zeros.
QString decimal(double v);

// The lines of the game statistics' general summary, in order: the counts
// and totals, the averages per game and per hour, the winning percentage.
// Averages are truncated toward zero, the time per game rounded half to
// even; no games or no time played divide by one and show zeros.
QStringList summaryLines(const StatTotals &t);

// The share won of one game's totals, as the game-wise table shows it: the
// percentage rounded to hundredths, "42.86%".
QString gamePercentage(const StatTotals &t);
// The share won of one player's totals, as the player-wise table shows it:
// the share is rounded to hundredths before it becomes a percentage, so it
// shows whole percents, "43%".
QString playerPercentage(const StatTotals &t);

// The cells of a row of the game-wise or the player-wise table: name,
// played, won, lost, time, moves, score and the share won given.
QStringList totalsRow(const QString &name, const StatTotals &t, const QString &percentage);

// The seconds the session has run at `now`, counted across whole-second
// boundaries from its start and held to 32 bits; 0 without a start.
int32_t sessionSeconds(const QDateTime &start, const QDateTime &now);

} // namespace tw::statfigures
