#include "icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tw::art {

namespace {

void drawCard(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(r, 1.5, 1.5);
}

} // namespace

QIcon SmallIcon(const std::function<void(QPainter &)> &draw)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
    }
    return QIcon(pm);
}

QIcon RootIcon()
{
    return SmallIcon([](QPainter &p) {
        drawCard(p, QRectF(1.5, 1.5, 9, 12));
        drawCard(p, QRectF(5.5, 2.5, 9, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 20, 20));
        p.drawEllipse(QPointF(10, 8.5), 2, 2);
    });
}

QIcon GameIcon()
{
    return SmallIcon([](QPainter &p) {
        drawCard(p, QRectF(3.5, 1.5, 10, 13));
        QPainterPath d;
        d.moveTo(8.5, 4.5);
        d.lineTo(11.5, 8);
        d.lineTo(8.5, 11.5);
        d.lineTo(5.5, 8);
        d.closeSubpath();
        p.fillPath(d, QColor(200, 20, 20));
    });
}

QIcon PlayerIcon()
{
    return SmallIcon([](QPainter &p) {
        p.setPen(QPen(QColor(30, 50, 110), 1));
        p.setBrush(QColor(90, 130, 210));
        p.drawEllipse(QRectF(5, 1.5, 6, 6));
        QPainterPath body;
        body.moveTo(2, 15);
        body.cubicTo(2, 8, 14, 8, 14, 15);
        body.closeSubpath();
        p.drawPath(body);
    });
}

} // namespace tw::art
