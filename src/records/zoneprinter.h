#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

namespace tw {

// Lays out report lines in print zones of 14 columns (starting at columns 1,
// 15, 29, ...). zone() moves to the first zone start at or after the current
// column; text() and number() follow directly. A number carries a blank in
// place of a plus sign and one trailing blank.
class ZonePrinter {
public:
    static constexpr int ZoneWidth = 14;

    ZonePrinter() = default;
    // Hands every ended line to the sink instead of keeping it, so a long
    // report never sits in memory whole.
    explicit ZonePrinter(std::function<void(const QString &)> sink) : sink_(std::move(sink)) {}

    ZonePrinter &text(const QString &t);
    ZonePrinter &number(qint64 n);
    ZonePrinter &blanks(int n) { return text(QString(n > 0 ? n : 0, QLatin1Char(' '))); }
    ZonePrinter &zone();
    // Ends the current line.
    void endLine();
    // A line of its own.
    void line(const QString &t) { text(t).endLine(); }

    // Every ended line, without line ends (none when a sink takes them).
    const QStringList &lines() const { return lines_; }
    // The lines joined, each ended by CR LF.
    QString joined() const;

private:
    std::function<void(const QString &)> sink_;
    QString cur_;
    bool fresh_ = true; // nothing printed since the line start or the last zone move
    QStringList lines_;
};

} // namespace tw
