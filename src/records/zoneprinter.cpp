#include "zoneprinter.h"

namespace tw {

ZonePrinter &ZonePrinter::text(const QString &t)
{
    cur_ += t;
    fresh_ = fresh_ && t.isEmpty();
    return *this;
}

ZonePrinter &ZonePrinter::number(qint64 n)
{
    return text((n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n) + u' ');
}

ZonePrinter &ZonePrinter::zone()
{
    // An item that ends exactly on a zone start is followed right there; a
    // zone move with nothing printed since the last one skips a whole zone.
    const qsizetype col = cur_.size();
    qsizetype target = (col + ZoneWidth - 1) / ZoneWidth * ZoneWidth;
    if (fresh_ && target == col)
        target += ZoneWidth;
    cur_ += QString(target - col, QLatin1Char(' '));
    fresh_ = true;
    return *this;
}

void ZonePrinter::endLine()
{
    if (sink_)
        sink_(cur_);
    else
        lines_.append(cur_);
    cur_.clear();
    fresh_ = true;
}

QString ZonePrinter::joined() const
{
    QString out;
    for (const QString &l : lines_) {
        out += l;
        out += QLatin1String("\r\n");
    }
    return out;
}

} // namespace tw
