#include "zoneprinter.h"

#include <cstring>

namespace tw {

ZonePrinter &ZonePrinter::text(QByteArrayView utf8, qsizetype columns)
{
    line_.append(utf8.data(), static_cast<size_t>(utf8.size()));
    col_ += columns;
    fresh_ = fresh_ && columns == 0;
    return *this;
}

ZonePrinter &ZonePrinter::number(qint64 n)
{
    // Digits written straight into the line: a report may hold millions.
    char buf[24];
    char *end = buf + sizeof buf;
    char *p = end;
    *--p = ' ';
    const bool negative = n < 0;
    quint64 v = negative ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
    do {
        *--p = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v);
    *--p = negative ? '-' : ' ';
    return text(QByteArrayView(p, end - p), end - p);
}

ZonePrinter &ZonePrinter::blanks(int n)
{
    if (n > 0) {
        line_.append(static_cast<size_t>(n), ' ');
        col_ += n;
        fresh_ = false;
    }
    return *this;
}

ZonePrinter &ZonePrinter::zone()
{
    // An item that ends exactly on a zone start is followed right there; a
    // zone move with nothing printed since the last one skips a whole zone.
    qsizetype target = (col_ + ZoneWidth - 1) / ZoneWidth * ZoneWidth;
    if (fresh_ && target == col_)
        target += ZoneWidth;
    line_.append(static_cast<size_t>(target - col_), ' ');
    col_ = target;
    fresh_ = true;
    return *this;
}

void ZonePrinter::endLine()
{
    line_ += "\r\n";
    // One copy per line: QByteArray::append goes the long way round through
    // insert, and a report may have millions of lines.
    const qsizetype at = out_->size();
    out_->resize(at + static_cast<qsizetype>(line_.size()));
    std::memcpy(out_->data() + at, line_.data(), line_.size());
    line_.clear();
    col_ = 0;
    fresh_ = true;
}

QStringList ZonePrinter::lines() const
{
    QStringList out = joined().split(QStringLiteral("\r\n"));
    out.removeLast(); // after the last line end
    return out;
}

} // namespace tw
