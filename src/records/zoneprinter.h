#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace tw {

// Lays out report lines in print zones of 14 columns (starting at columns 1,
// 15, 29, ...). zone() moves to the first zone start at or after the current
// column; text() and number() follow directly. A number carries a blank in
// place of a plus sign and one trailing blank.
class ZonePrinter {
public:
    static constexpr int ZoneWidth = 14;

    ZonePrinter &text(const QString &t);
    ZonePrinter &number(qint64 n);
    ZonePrinter &blanks(int n) { return text(QString(n > 0 ? n : 0, QLatin1Char(' '))); }
    ZonePrinter &zone();
    // Ends the current line.
    void endLine();
    // A line of its own.
    void line(const QString &t) { text(t).endLine(); }

    // Every ended line, without line ends.
    const QStringList &lines() const { return lines_; }
    // The lines joined, each ended by CR LF.
    QString joined() const;

private:
    QString cur_;
    bool fresh_ = true; // nothing printed since the line start or the last zone move
    QStringList lines_;
};

} // namespace tw
