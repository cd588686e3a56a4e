#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <string>

namespace tw {

// Lays out report lines in print zones of 14 columns (starting at columns 1,
// 15, 29, ...). zone() moves to the first zone start at or after the current
// column; text() and number() follow directly. A number carries a blank in
// place of a plus sign and one trailing blank. Lines are UTF-8, each ended by
// CR LF; a column is one character of the text (a UTF-16 unit).
class ZonePrinter {
public:
    static constexpr int ZoneWidth = 14;

    // Keeps the lines itself.
    ZonePrinter() : out_(&own_) {}
    // Adds every line to the end of `out`, so a long report is built in
    // blocks that the caller writes and empties as it goes.
    explicit ZonePrinter(QByteArray *out) : out_(out) {}

    ZonePrinter &text(const QString &t) { return text(t.toUtf8(), t.size()); }
    // Text already in UTF-8, `columns` characters wide.
    ZonePrinter &text(QByteArrayView utf8, qsizetype columns);
    ZonePrinter &number(qint64 n);
    ZonePrinter &blanks(int n);
    ZonePrinter &zone();
    // Ends the current line.
    void endLine();
    // A line of its own.
    void line(const QString &t) { text(t).endLine(); }

    // The lines kept, without line ends (none when they went to `out`).
    QStringList lines() const;
    // The lines kept, each ended by CR LF.
    QString joined() const { return QString::fromUtf8(own_); }

private:
    QByteArray own_;
    QByteArray *out_;
    std::string line_; // the line being laid out; its room is kept from line to line
    qsizetype col_ = 0;
    bool fresh_ = true; // nothing printed since the line start or the last zone move
};

} // namespace tw
