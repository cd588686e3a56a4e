// Card backs: sixteen designs in five themes, each inside a white margin.

#include "art_paint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>
#include <cmath>

namespace tw::art::detail {

namespace {

constexpr qreal W = 71;
constexpr qreal H = 96;
const QRectF kInner(4, 4, W - 8, H - 8);

QPointF centre() { return QPointF(W / 2, H / 2); }

void petalFlower(QPainter &p, QPointF c, qreal r, int petals, const QColor &petal, const QColor &heart, qreal turn = 0)
{
    p.save();
    p.translate(c);
    p.rotate(turn);
    p.setPen(Qt::NoPen);
    p.setBrush(petal);
    for (int i = 0; i < petals; ++i) {
        p.save();
        p.rotate(360.0 * i / petals);
        p.drawEllipse(QPointF(0, -r * 0.55), r * 0.26, r * 0.52);
        p.restore();
    }
    p.setBrush(heart);
    p.drawEllipse(QPointF(0, 0), r * 0.3, r * 0.3);
    p.restore();
}

void leaf(QPainter &p, QPointF base, qreal len, qreal angle, const QColor &col, bool vein = true)
{
    p.save();
    p.translate(base);
    p.rotate(angle);
    QPainterPath l;
    l.moveTo(0, 0);
    l.cubicTo(len * 0.3, -len * 0.35, len * 0.75, -len * 0.3, len, 0);
    l.cubicTo(len * 0.75, len * 0.3, len * 0.3, len * 0.35, 0, 0);
    p.setPen(Qt::NoPen);
    p.fillPath(l, col);
    if (vein) {
        p.setPen(QPen(col.lighter(140), 0.5));
        p.drawLine(QPointF(0, 0), QPointF(len * 0.9, 0));
    }
    p.restore();
}

// Staggered grid of cells over the inner panel, one extra row and column
// round the edge so the pattern runs under the frame.
template<typename F>
void staggered(qreal dx, qreal dy, F &&f)
{
    int row = 0;
    for (qreal y = kInner.top() - dy; y < kInner.bottom() + dy; y += dy, ++row) {
        const qreal off = (row % 2) ? dx / 2 : 0;
        int col = 0;
        for (qreal x = kInner.left() - dx + off; x < kInner.right() + dx; x += dx, ++col)
            f(QPointF(x, y), row, col);
    }
}

// 501 Daisies on deep blue.
void backDaisies(QPainter &p)
{
    QLinearGradient g(kInner.topLeft(), kInner.bottomRight());
    g.setColorAt(0, QColor(0x2A, 0x3F, 0x9A));
    g.setColorAt(1, QColor(0x1B, 0x25, 0x66));
    p.fillRect(kInner, g);
    staggered(17, 15, [&](QPointF c, int row, int col) {
        leaf(p, c + QPointF(2, 3), 7, 40, QColor(0x5E, 0xAA, 0x55), false);
        const bool small = (row + col) % 3 == 0;
        petalFlower(p, c, small ? 5.2 : 6.6, 10, QColor(0xFA, 0xFA, 0xF4), QColor(0xF5, 0xC2, 0x1B), row * 17.0);
    });
}

// 502 Roses on wine red.
void backRoses(QPainter &p)
{
    p.fillRect(kInner, QColor(0x6E, 0x0F, 0x22));
    // A fine diagonal lattice underneath.
    p.setPen(QPen(QColor(0x85, 0x1E, 0x33), 0.7));
    for (qreal k = -100; k < 100; k += 6) {
        p.drawLine(QPointF(k, 0), QPointF(k + 100, 100));
        p.drawLine(QPointF(k + 100, 0), QPointF(k, 100));
    }
    staggered(22, 19, [&](QPointF c, int, int) {
        leaf(p, c + QPointF(3, 2), 8, 30, QColor(0x3E, 0x7D, 0x3A));
        leaf(p, c + QPointF(-3, 2), 8, 150, QColor(0x3E, 0x7D, 0x3A));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xE8, 0x5A, 0x7A));
        p.drawEllipse(c, 6.2, 5.6);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xA8, 0x1E, 0x45), 0.9));
        // The petals curl in as a spiral of arcs.
        for (int i = 0; i < 4; ++i) {
            const qreal r = 5.2 - i * 1.2;
            p.drawArc(QRectF(c.x() - r, c.y() - r * 0.9, 2 * r, 1.8 * r), (i * 100) * 16, 220 * 16);
        }
    });
}

// 503 Tulips in rows on cream.
void backTulips(QPainter &p)
{
    p.fillRect(kInner, QColor(0xF4, 0xEB, 0xD2));
    p.fillRect(kInner, QColor(0x2E, 0x7D, 0x7A));
    int row = 0;
    for (qreal y = kInner.top() + 4; y < kInner.bottom() + 12; y += 15, ++row) {
        for (qreal x = kInner.left() + ((row % 2) ? 3 : 10); x < kInner.right() + 8; x += 14) {
            const QColor bloom = ((row + int(x)) % 3 == 0) ? QColor(0xF6, 0xC4, 0x2A) : QColor(0xE5, 0x3B, 0x3B);
            p.setPen(QPen(QColor(0x9B, 0xD1, 0x6A), 1.0));
            p.drawLine(QPointF(x, y + 4), QPointF(x, y + 11));
            leaf(p, QPointF(x, y + 10), 5, -60, QColor(0x9B, 0xD1, 0x6A), false);
            QPainterPath t;
            t.moveTo(x - 3.6, y - 2);
            t.lineTo(x - 1.8, y + 0.2);
            t.lineTo(x, y - 2.6);
            t.lineTo(x + 1.8, y + 0.2);
            t.lineTo(x + 3.6, y - 2);
            t.cubicTo(x + 3.8, y + 3, x + 2.5, y + 5, x, y + 5);
            t.cubicTo(x - 2.5, y + 5, x - 3.8, y + 3, x - 3.6, y - 2);
            p.setPen(Qt::NoPen);
            p.fillPath(t, bloom);
        }
    }
}

// 511 Garden trellis with blossoms.
void backTrellis(QPainter &p)
{
    p.fillRect(kInner, QColor(0xE9, 0xF1, 0xDD));
    const qreal s = 10;
    p.setPen(QPen(QColor(0x8A, 0x6A, 0x44), 1.6));
    for (qreal k = -120; k < 120; k += s) {
        p.drawLine(QPointF(k, 0), QPointF(k + 100, 100));
        p.drawLine(QPointF(k + 100, 0), QPointF(k, 100));
    }
    // Leaves and blossoms where the laths cross.
    for (qreal k = -120; k < 120; k += s) {
        for (qreal t = 0; t < 100; t += s) {
            const QPointF at(k + t, t);
            const uint32_t h = Hash(static_cast<uint32_t>(k + 200), static_cast<uint32_t>(t)) % 7;
            if (h <= 2) {
                leaf(p, at, 6.5, h * 120.0 - 35, QColor(0x4F, 0x8F, 0x3C), false);
                leaf(p, at, 5.5, h * 120.0 + 95, QColor(0x66, 0xA6, 0x48), false);
            }
            if (h == 0 || h == 4)
                petalFlower(p, at, 5.0, 5, QColor(0xF2, 0x8C, 0xB1), QColor(0xFF, 0xE0, 0x6A), h * 20.0);
        }
    }
}

// 512 Ladybirds on leaves.
void backLadybirds(QPainter &p)
{
    QLinearGradient g(kInner.topLeft(), kInner.bottomLeft());
    g.setColorAt(0, QColor(0x5C, 0xA8, 0x45));
    g.setColorAt(1, QColor(0x2F, 0x74, 0x2E));
    p.fillRect(kInner, g);
    staggered(18, 16, [&](QPointF c, int row, int col) {
        leaf(p, c + QPointF(-7, 4), 14, -30 + 25 * ((row + col) % 3), QColor(0x7F, 0xC4, 0x5A));
        p.save();
        p.translate(c);
        p.rotate((row * 37 + col * 53) % 360);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x15, 0x15, 0x15));
        p.drawEllipse(QPointF(0, -3.6), 2.0, 1.7);
        p.setBrush(QColor(0xD8, 0x1E, 0x1E));
        p.drawEllipse(QPointF(0, 0.6), 3.5, 4.0);
        p.setPen(QPen(QColor(0x15, 0x15, 0x15), 0.5));
        p.drawLine(QPointF(0, -2.6), QPointF(0, 4.6));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x15, 0x15, 0x15));
        for (QPointF d : {QPointF(-1.7, -0.6), QPointF(1.7, -0.6), QPointF(-1.9, 2.2), QPointF(1.9, 2.2)})
            p.drawEllipse(d, 0.7, 0.7);
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QPointF(-0.8, -4.0), 0.4, 0.4);
        p.drawEllipse(QPointF(0.8, -4.0), 0.4, 0.4);
        p.restore();
    });
}

// 521 Argyle.
void backArgyle(QPainter &p)
{
    p.fillRect(kInner, QColor(0x2D, 0x4B, 0x7C));
    const qreal dw = 15.75, dh = 22; // diamond width and height
    for (int j = -1; j < 6; ++j)
        for (int i = -1; i < 6; ++i) {
            const QPointF c(kInner.left() + i * dw, kInner.top() + j * dh);
            for (int half = 0; half < 2; ++half) {
                const QPointF cc = c + (half ? QPointF(dw / 2, dh / 2) : QPointF(0, 0));
                QPolygonF d;
                d << cc + QPointF(0, -dh / 2) << cc + QPointF(dw / 2, 0) << cc + QPointF(0, dh / 2)
                  << cc + QPointF(-dw / 2, 0);
                p.setPen(Qt::NoPen);
                p.setBrush(half ? QColor(0x8A, 0x2A, 0x3A) : QColor(0x3F, 0x6E, 0xA8));
                if (half == 0 && ((i + j) % 2 == 0))
                    p.setBrush(QColor(0x24, 0x3C, 0x63));
                p.drawPolygon(d);
            }
        }
    // Dashed over-check lines.
    QPen dash(QColor(0xF0, 0xE6, 0xC8), 0.7, Qt::DashLine);
    dash.setDashPattern({3, 2});
    p.setPen(dash);
    for (int i = -8; i < 10; ++i) {
        const qreal x0 = kInner.left() + i * dw + dw / 4;
        p.drawLine(QPointF(x0, kInner.top() - dh / 4), QPointF(x0 + dw * 4, kInner.top() - dh / 4 + dh * 4));
        p.drawLine(QPointF(x0, kInner.top() - dh / 4), QPointF(x0 - dw * 4, kInner.top() - dh / 4 + dh * 4));
    }
}

// 522 Rosette: nested star polygons round the centre.
void backRosette(QPainter &p)
{
    QRadialGradient g(centre(), 55);
    g.setColorAt(0, QColor(0x25, 0x2E, 0x6B));
    g.setColorAt(1, QColor(0x10, 0x14, 0x36));
    p.fillRect(kInner, g);
    const QColor gold(0xE6, 0xC0, 0x5A);
    p.setBrush(Qt::NoBrush);
    // Ring of small rosettes round the rim.
    for (int k = 0; k < 5; ++k) {
        const qreal r = 8 + k * 7.5;
        const int n = 12;
        QPolygonF star;
        for (int i = 0; i < 2 * n; ++i) {
            const double a = M_PI * i / n + (k % 2) * M_PI / n;
            const qreal rr = (i % 2) ? r * 0.72 : r;
            star << centre() + QPointF(std::cos(a) * rr, std::sin(a) * rr * 1.25);
        }
        p.setPen(QPen(k % 2 ? QColor(0x9F, 0xB8, 0xF0) : gold, 0.9));
        p.drawPolygon(star);
    }
    for (int i = 0; i < 12; ++i) {
        const double a = M_PI * i / 6;
        p.setPen(QPen(QColor(0x9F, 0xB8, 0xF0, 140), 0.5));
        p.drawLine(centre(), centre() + QPointF(std::cos(a) * 60, std::sin(a) * 75));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawEllipse(centre(), 3.5, 3.5);
    for (QPointF c : {kInner.topLeft() + QPointF(6, 6), kInner.topRight() + QPointF(-6, 6),
                      kInner.bottomLeft() + QPointF(6, -6), kInner.bottomRight() + QPointF(-6, -6)})
        petalFlower(p, c, 7, 8, gold, QColor(0x25, 0x2E, 0x6B));
}

// 523 Tumbling blocks (isometric cubes).
void backBlocks(QPainter &p)
{
    const qreal s = 7.5;                     // cube edge
    const qreal hw = s * std::sqrt(3.0) / 2; // half width of a cube
    const QColor top(0x7F, 0xC6, 0xD8), left(0x2C, 0x7A, 0x9A), right(0x15, 0x46, 0x62);
    p.fillRect(kInner, right);
    int row = 0;
    for (qreal y = kInner.top() - 2 * s; y < kInner.bottom() + 2 * s; y += 1.5 * s, ++row) {
        for (qreal x = kInner.left() - 2 * hw + ((row % 2) ? hw : 0); x < kInner.right() + 2 * hw; x += 2 * hw) {
            const QPointF c(x, y);
            QPolygonF t, l, r;
            t << c + QPointF(0, -s) << c + QPointF(hw, -s / 2) << c << c + QPointF(-hw, -s / 2);
            l << c + QPointF(-hw, -s / 2) << c << c + QPointF(0, s) << c + QPointF(-hw, s / 2);
            r << c + QPointF(hw, -s / 2) << c << c + QPointF(0, s) << c + QPointF(hw, s / 2);
            p.setPen(Qt::NoPen);
            p.setBrush(top);
            p.drawPolygon(t);
            p.setBrush(left);
            p.drawPolygon(l);
            p.setBrush(right);
            p.drawPolygon(r);
        }
    }
}

// 531 The classic: blue lattice with a medallion.
void backClassicBlue(QPainter &p)
{
    const QColor base(0x1C, 0x3B, 0x8E);
    p.fillRect(kInner, base);
    p.setPen(QPen(QColor(0x6D, 0x8E, 0xDB), 0.6));
    const qreal s = 4.5;
    for (qreal k = -100; k < 100; k += s) {
        p.drawLine(QPointF(k, 0), QPointF(k + 100, 100));
        p.drawLine(QPointF(k + 100, 0), QPointF(k, 100));
    }
    // Inner frame.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xF4, 0xF1, 0xE6), 1.2));
    p.drawRoundedRect(kInner.adjusted(3, 3, -3, -3), 2.5, 2.5);
    p.setPen(QPen(QColor(0xF4, 0xF1, 0xE6), 0.5));
    p.drawRoundedRect(kInner.adjusted(5, 5, -5, -5), 2, 2);
    // Medallion with the four suits.
    const QPointF c = centre();
    p.setPen(QPen(QColor(0xF4, 0xF1, 0xE6), 1.2));
    p.setBrush(base);
    p.drawEllipse(c, 15, 19);
    p.setPen(QPen(QColor(0xF4, 0xF1, 0xE6), 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 12.5, 16.5);
    const QColor cream(0xF4, 0xF1, 0xE6);
    DrawSuit(p, 1, c + QPointF(0, -7.5), 8.5, cream);
    DrawSuit(p, 0, c + QPointF(6.5, 0), 8.5, cream);
    DrawSuit(p, 3, c + QPointF(0, 7.5), 8.5, cream);
    DrawSuit(p, 2, c + QPointF(-6.5, 0), 9, cream);
    // Corner flourishes.
    for (int k = 0; k < 4; ++k) {
        const QPointF corner((k % 2) ? kInner.right() - 9 : kInner.left() + 9,
                             (k / 2) ? kInner.bottom() - 9 : kInner.top() + 9);
        p.setPen(Qt::NoPen);
        p.setBrush(cream);
        QPolygonF d;
        d << corner + QPointF(0, -3.2) << corner + QPointF(2.4, 0) << corner + QPointF(0, 3.2)
          << corner + QPointF(-2.4, 0);
        p.drawPolygon(d);
    }
}

// 532 Red with fish-scale ornament.
void backScales(QPainter &p)
{
    p.fillRect(kInner, QColor(0xA3, 0x13, 0x1F));
    const qreal r = 6;
    int row = 0;
    for (qreal y = kInner.top() - r; y < kInner.bottom() + 2 * r; y += r * 0.9, ++row) {
        for (qreal x = kInner.left() - r + ((row % 2) ? r : 0); x < kInner.right() + 2 * r; x += 2 * r) {
            p.setPen(QPen(QColor(0xF6, 0xD9, 0x9A), 0.8));
            p.setBrush(QColor(0xB8, 0x1C, 0x2A));
            p.drawChord(QRectF(x - r, y - r, 2 * r, 2 * r), 180 * 16, 180 * 16);
            p.setPen(QPen(QColor(0xD9, 0x5A, 0x4A), 0.5));
            p.drawArc(QRectF(x - r * 0.6, y - r * 0.6, 1.2 * r, 1.2 * r), 180 * 16, 180 * 16);
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xF6, 0xD9, 0x9A), 1.2));
    p.drawRoundedRect(kInner.adjusted(3, 3, -3, -3), 2.5, 2.5);
}

// 533 The four suits in a quilt.
void backSuitQuilt(QPainter &p)
{
    p.fillRect(kInner, QColor(0x1F, 0x5E, 0x3A));
    const qreal s = 10.5;
    int j = 0;
    for (qreal y = kInner.top(); y < kInner.bottom(); y += s, ++j) {
        int i = 0;
        for (qreal x = kInner.left(); x < kInner.right(); x += s, ++i) {
            const bool light = (i + j) % 2 == 0;
            p.fillRect(QRectF(x, y, s, s), light ? QColor(0x2A, 0x73, 0x4A) : QColor(0x1F, 0x5E, 0x3A));
            const int suit = (i + 2 * j) % 4;
            DrawSuit(p, suit, QPointF(x + s / 2, y + s / 2), 6,
                     IsRed(suit) ? QColor(0xF2, 0x9E, 0x8E) : QColor(0xF3, 0xEE, 0xDA));
        }
    }
}

// 541 Mountains at dusk.
void backMountains(QPainter &p)
{
    QLinearGradient sky(kInner.topLeft(), kInner.bottomLeft());
    sky.setColorAt(0, QColor(0x3B, 0x2A, 0x6E));
    sky.setColorAt(0.45, QColor(0xE0, 0x6C, 0x5A));
    sky.setColorAt(0.7, QColor(0xF6, 0xB8, 0x62));
    p.fillRect(kInner, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xE7, 0xA8));
    p.drawEllipse(QPointF(46, 52), 8, 8);
    const QColor layers[3] = {QColor(0x8A, 0x4D, 0x7A), QColor(0x5A, 0x30, 0x62), QColor(0x2C, 0x1A, 0x3C)};
    for (int k = 0; k < 3; ++k) {
        QPainterPath m;
        const qreal base = 52 + k * 12;
        m.moveTo(0, 100);
        for (qreal x = 0; x <= 72; x += 3) {
            const qreal h =
                10 * Noise(x / 11.0, k * 3.0, 64, 64, 541u + k) + 6 * Noise(x / 4.0, k * 5.0, 64, 64, 77u + k);
            m.lineTo(x, base - h + 4);
        }
        m.lineTo(72, 100);
        m.closeSubpath();
        p.fillPath(m, layers[k]);
    }
    // Birds.
    p.setPen(QPen(QColor(0x2C, 0x1A, 0x3C), 0.7));
    for (QPointF b : {QPointF(18, 24), QPointF(25, 20), QPointF(22, 30)}) {
        p.drawLine(b, b + QPointF(2.2, 1.2));
        p.drawLine(b + QPointF(2.2, 1.2), b + QPointF(4.4, 0));
    }
}

// 542 Waves (seigaiha).
void backWaves(QPainter &p)
{
    p.fillRect(kInner, QColor(0x0E, 0x3D, 0x6E));
    const qreal r = 9;
    int row = 0;
    for (qreal y = kInner.top() - r; y < kInner.bottom() + 2 * r; y += r / 2, ++row) {
        for (qreal x = kInner.left() - r + ((row % 2) ? r : 0); x < kInner.right() + 2 * r; x += 2 * r) {
            for (int k = 0; k < 4; ++k) {
                const qreal rr = r * (1.0 - k * 0.24);
                p.setPen(Qt::NoPen);
                p.setBrush(k % 2 ? QColor(0x1B, 0x5F, 0x9E) : QColor(0xE4, 0xF0, 0xFA));
                if (k == 0)
                    p.setBrush(QColor(0x0E, 0x3D, 0x6E));
                p.drawEllipse(QPointF(x, y), rr, rr);
                if (k == 0) {
                    p.setBrush(QColor(0xE4, 0xF0, 0xFA));
                    p.drawEllipse(QPointF(x, y), rr - 0.8, rr - 0.8);
                    p.setBrush(QColor(0x1B, 0x5F, 0x9E));
                    p.drawEllipse(QPointF(x, y), rr - 1.6, rr - 1.6);
                }
            }
        }
    }
}

// 543 Night sky with the moon.
void backNight(QPainter &p)
{
    QLinearGradient sky(kInner.topLeft(), kInner.bottomLeft());
    sky.setColorAt(0, QColor(0x06, 0x0B, 0x2A));
    sky.setColorAt(1, QColor(0x1C, 0x2E, 0x6A));
    p.fillRect(kInner, sky);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 70; ++i) {
        const QPointF s(kInner.left() + Hash01(543, i, 1) * kInner.width(),
                        kInner.top() + Hash01(543, i, 2) * kInner.height());
        const qreal r = 0.25 + 0.55 * Hash01(543, i, 3) * Hash01(543, i, 4);
        p.setBrush(QColor(255, 255, 230, 150 + int(100 * Hash01(543, i, 5))));
        p.drawEllipse(s, r, r);
    }
    // Two brighter stars with rays.
    for (QPointF s : {QPointF(20, 22), QPointF(50, 70)}) {
        QPainterPath st;
        st.moveTo(s + QPointF(0, -3.5));
        st.quadTo(s, s + QPointF(3.5, 0));
        st.quadTo(s, s + QPointF(0, 3.5));
        st.quadTo(s, s + QPointF(-3.5, 0));
        st.quadTo(s, s + QPointF(0, -3.5));
        p.fillPath(st, QColor(255, 250, 220));
    }
    // Crescent moon with a soft glow.
    const QPointF m(44, 30);
    QRadialGradient glow(m, 18);
    glow.setColorAt(0, QColor(255, 240, 190, 90));
    glow.setColorAt(1, QColor(255, 240, 190, 0));
    p.setBrush(glow);
    p.drawEllipse(m, 18, 18);
    QPainterPath moon;
    moon.addEllipse(m, 9, 9);
    QPainterPath bite;
    bite.addEllipse(m + QPointF(4.5, -3), 8, 8);
    p.fillPath(moon.subtracted(bite), QColor(0xFF, 0xF1, 0xB8));
}

// 544 Pine forest in the mist.
void backForest(QPainter &p)
{
    QLinearGradient sky(kInner.topLeft(), kInner.bottomLeft());
    sky.setColorAt(0, QColor(0xCF, 0xE6, 0xE0));
    sky.setColorAt(1, QColor(0x8F, 0xBF, 0xA8));
    p.fillRect(kInner, sky);
    const QColor shades[3] = {QColor(0x7C, 0xA8, 0x8E), QColor(0x3F, 0x7A, 0x58), QColor(0x1B, 0x4A, 0x32)};
    for (int k = 0; k < 3; ++k) {
        const qreal base = 50 + k * 17;
        const qreal size = 14 + k * 5;
        for (int i = -1; i < 9; ++i) {
            const qreal x = kInner.left() + i * (7.5 + k * 1.5) + Hash01(544, k, i) * 4;
            const qreal h = size * (0.8 + 0.4 * Hash01(544, k, i, 1));
            QPolygonF tree;
            for (int t = 0; t < 3; ++t) {
                const qreal top = base - h + t * h * 0.27;
                const qreal w = h * (0.18 + t * 0.09);
                tree << QPointF(x, top) << QPointF(x + w, top + h * 0.38) << QPointF(x - w, top + h * 0.38)
                     << QPointF(x, top);
            }
            p.setPen(Qt::NoPen);
            p.setBrush(shades[k]);
            for (int t = 0; t < 3; ++t) {
                QPolygonF tri;
                tri << tree[t * 4] << tree[t * 4 + 1] << tree[t * 4 + 2];
                p.drawPolygon(tri);
            }
            p.fillRect(QRectF(x - 0.8, base - h + 2 * h * 0.27 + h * 0.36, 1.6, 3 + k), shades[k].darker(140));
        }
        p.fillRect(QRectF(kInner.left(), base + 3 + k, kInner.width(), 40), shades[k]);
        // Mist between the rows.
        QLinearGradient mist(QPointF(0, base - 6), QPointF(0, base + 4));
        mist.setColorAt(0, QColor(255, 255, 255, 0));
        mist.setColorAt(1, QColor(255, 255, 255, k < 2 ? 70 : 0));
        p.fillRect(QRectF(kInner.left(), base - 6, kInner.width(), 10), mist);
    }
}

// 545 Autumn leaves.
void backAutumn(QPainter &p)
{
    p.fillRect(kInner, QColor(0x4A, 0x2C, 0x1A));
    const QColor cols[4] = {QColor(0xE0, 0x7A, 0x1F), QColor(0xC2, 0x3B, 0x22), QColor(0xE8, 0xB3, 0x3A),
                            QColor(0x9A, 0x5B, 0x2A)};
    for (int i = 0; i < 34; ++i) {
        const QPointF c(kInner.left() - 4 + Hash01(545, i, 1) * (kInner.width() + 8),
                        kInner.top() - 4 + Hash01(545, i, 2) * (kInner.height() + 8));
        const QColor col = cols[Hash(545, i, 3) % 4];
        const qreal len = 7 + 5 * Hash01(545, i, 4);
        const qreal ang = 360 * Hash01(545, i, 5);
        // A maple-like leaf: three lobes and a stalk.
        for (int lobe = -1; lobe <= 1; ++lobe)
            leaf(p, c, len * (lobe == 0 ? 1.0 : 0.75), ang + lobe * 45, col, false);
        p.setPen(QPen(col.darker(150), 0.5));
        p.drawLine(c, c + QPointF(-std::cos(ang * M_PI / 180) * 3, -std::sin(ang * M_PI / 180) * 3));
        p.drawLine(c, c + QPointF(std::cos(ang * M_PI / 180) * len * 0.8, std::sin(ang * M_PI / 180) * len * 0.8));
    }
}

} // namespace

QImage RenderBack(int id, qreal dpr)
{
    void (*pattern)(QPainter &) = nullptr;
    switch (id) {
    case 501: pattern = backDaisies; break;
    case 502: pattern = backRoses; break;
    case 503: pattern = backTulips; break;
    case 511: pattern = backTrellis; break;
    case 512: pattern = backLadybirds; break;
    case 521: pattern = backArgyle; break;
    case 522: pattern = backRosette; break;
    case 523: pattern = backBlocks; break;
    case 531: pattern = backClassicBlue; break;
    case 532: pattern = backScales; break;
    case 533: pattern = backSuitQuilt; break;
    case 541: pattern = backMountains; break;
    case 542: pattern = backWaves; break;
    case 543: pattern = backNight; break;
    case 544: pattern = backForest; break;
    case 545: pattern = backAutumn; break;
    default: return {};
    }
    QImage img = NewImage(QSize(71, 96), dpr);
    QPainter p(&img);
    Prepare(p);
    const QPainterPath outline = CardOutline();
    p.fillPath(outline, QColor(0xFF, 0xFF, 0xFF));
    QPainterPath inner;
    inner.addRoundedRect(kInner, 3, 3);
    p.save();
    p.setClipPath(inner);
    pattern(p);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 60), 0.6));
    p.drawPath(inner);
    p.setPen(QPen(QColor(0x2E, 0x2E, 0x38), 1.0));
    p.drawPath(outline);
    return img;
}

} // namespace tw::art::detail
