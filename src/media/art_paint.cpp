#include "art_paint.h"

#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace tw::art::detail {

QImage NewImage(QSize logical, qreal dpr)
{
    const QSize dev(static_cast<int>(std::ceil(logical.width() * dpr - 1e-9)),
                    static_cast<int>(std::ceil(logical.height() * dpr - 1e-9)));
    QImage img(dev, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    return img;
}

void Prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
}

QColor SuitColor(int suit) { return IsRed(suit) ? QColor(0xC4, 0x12, 0x1F) : QColor(0x14, 0x14, 0x18); }

namespace {

// Each symbol is laid out in a unit square, (0,0) top left.
QPainterPath unitHeart()
{
    QPainterPath p;
    p.moveTo(0.5, 1.0);
    p.cubicTo(0.36, 0.84, 0.0, 0.62, 0.0, 0.31);
    p.cubicTo(0.0, 0.11, 0.14, 0.0, 0.28, 0.0);
    p.cubicTo(0.40, 0.0, 0.47, 0.07, 0.5, 0.17);
    p.cubicTo(0.53, 0.07, 0.60, 0.0, 0.72, 0.0);
    p.cubicTo(0.86, 0.0, 1.0, 0.11, 1.0, 0.31);
    p.cubicTo(1.0, 0.62, 0.64, 0.84, 0.5, 1.0);
    p.closeSubpath();
    return p;
}

QPainterPath unitSpade()
{
    QPainterPath p;
    p.moveTo(0.5, 0.0);
    p.cubicTo(0.62, 0.16, 1.0, 0.36, 1.0, 0.61);
    p.cubicTo(1.0, 0.78, 0.87, 0.87, 0.74, 0.87);
    p.cubicTo(0.64, 0.87, 0.57, 0.83, 0.53, 0.76);
    p.cubicTo(0.54, 0.87, 0.59, 0.95, 0.68, 1.0);
    p.lineTo(0.32, 1.0);
    p.cubicTo(0.41, 0.95, 0.46, 0.87, 0.47, 0.76);
    p.cubicTo(0.43, 0.83, 0.36, 0.87, 0.26, 0.87);
    p.cubicTo(0.13, 0.87, 0.0, 0.78, 0.0, 0.61);
    p.cubicTo(0.0, 0.36, 0.38, 0.16, 0.5, 0.0);
    p.closeSubpath();
    return p;
}

QPainterPath unitDiamond()
{
    QPainterPath p;
    p.moveTo(0.5, 0.0);
    p.quadTo(0.66, 0.28, 0.9, 0.5);
    p.quadTo(0.66, 0.72, 0.5, 1.0);
    p.quadTo(0.34, 0.72, 0.1, 0.5);
    p.quadTo(0.34, 0.28, 0.5, 0.0);
    p.closeSubpath();
    return p;
}

QPainterPath unitClub()
{
    QPainterPath p;
    p.setFillRule(Qt::WindingFill);
    const double r = 0.235;
    p.addEllipse(QPointF(0.5, 0.25), r, r);
    p.addEllipse(QPointF(0.25, 0.58), r, r);
    p.addEllipse(QPointF(0.75, 0.58), r, r);
    p.addEllipse(QPointF(0.5, 0.52), 0.14, 0.14);
    QPainterPath stem;
    stem.moveTo(0.46, 0.5);
    stem.lineTo(0.54, 0.5);
    stem.cubicTo(0.54, 0.78, 0.6, 0.93, 0.7, 1.0);
    stem.lineTo(0.3, 1.0);
    stem.cubicTo(0.4, 0.93, 0.46, 0.78, 0.46, 0.5);
    stem.closeSubpath();
    p.addPath(stem);
    return p;
}

const QPainterPath &unitSuit(int suit)
{
    static const QPainterPath paths[4] = {unitHeart(), unitSpade(), unitDiamond(), unitClub()};
    return paths[std::clamp(suit, 0, 3)];
}

} // namespace

QPainterPath SuitPath(int suit, const QRectF &box)
{
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width(), box.height());
    return t.map(unitSuit(suit));
}

void DrawSuit(QPainter &p, int suit, QPointF c, qreal h, const QColor &col, bool flipped)
{
    // Symbols are close to square; the diamond is drawn narrower by its path.
    const qreal w = suit == 1 ? h * 0.9 : suit == 3 ? h * 0.98 : h;
    QPainterPath path = SuitPath(suit, QRectF(-w / 2, -h / 2, w, h));
    p.save();
    p.translate(c);
    if (flipped)
        p.rotate(180);
    p.fillPath(path, col);
    p.restore();
}

QString RankText(int rank)
{
    static const char *const names[13] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    return QString::fromLatin1(names[std::clamp(rank, 0, 12)]);
}

QFont SansFont(bool bold, bool condensed)
{
    QFont f(condensed ? QStringLiteral("DejaVu Sans Condensed") : QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setBold(bold);
    f.setPixelSize(100);
    return f;
}

QFont SerifFont(bool bold)
{
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setStyleHint(QFont::Serif);
    f.setBold(bold);
    f.setPixelSize(100);
    return f;
}

QPainterPath TextPath(const QString &text, const QFont &font, qreal capHeight, QPointF anchor, Qt::Alignment align,
                      qreal maxWidth)
{
    // Scale by the height of a capital so that every rank shares one size,
    // whatever its own outline (the tail of a Q, the width of a 10).
    QPainterPath ref;
    ref.addText(0, 0, font, QStringLiteral("H"));
    const qreal cap = ref.boundingRect().height();
    const qreal s = cap > 0 ? capHeight / cap : 1.0;
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF br = path.boundingRect();
    qreal sx = s;
    if (maxWidth > 0 && br.width() * s > maxWidth)
        sx = maxWidth / br.width();
    const qreal w = br.width() * sx;
    qreal left = anchor.x();
    if (align & Qt::AlignHCenter)
        left -= w / 2;
    else if (align & Qt::AlignRight)
        left -= w;
    QTransform t;
    t.translate(left - br.left() * sx, anchor.y());
    t.scale(sx, s);
    return t.map(path);
}

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    uint32_t h = 0x9E3779B9u ^ a;
    for (uint32_t v : {b, c, d}) {
        h ^= v + 0x7F4A7C15u + (h << 6) + (h >> 2);
        h *= 0x85EBCA6Bu;
        h ^= h >> 13;
    }
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double Hash01(uint32_t a, uint32_t b, uint32_t c, uint32_t d)
{
    return (Hash(a, b, c, d) & 0xFFFFFF) / double(0x1000000);
}

namespace {
inline int wrap(int i, int n)
{
    const int m = i % n;
    return m < 0 ? m + n : m;
}
inline double fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
} // namespace

double Noise(double x, double y, int periodX, int periodY, uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = fade(x - fx), ty = fade(y - fy);
    auto at = [&](int i, int j) {
        return Hash01(static_cast<uint32_t>(wrap(i, periodX)), static_cast<uint32_t>(wrap(j, periodY)), seed);
    };
    const double a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double Fbm(double u, double v, int cells, int octaves, uint32_t seed, double gain)
{
    double sum = 0, amp = 1, norm = 0;
    int n = cells;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * Noise(u * n, v * n, n, n, seed + 101u * static_cast<uint32_t>(o));
        norm += amp;
        amp *= gain;
        n *= 2;
    }
    return sum / norm;
}

Cell Cellular(double u, double v, int cells, uint32_t seed)
{
    const double x = u * cells, y = v * cells;
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    Cell best{1e9, 1e9, 0};
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) {
            const int cx = ix + i, cy = iy + j;
            const uint32_t wx = static_cast<uint32_t>(wrap(cx, cells)), wy = static_cast<uint32_t>(wrap(cy, cells));
            const double px = cx + 0.15 + 0.7 * Hash01(wx, wy, seed, 1);
            const double py = cy + 0.15 + 0.7 * Hash01(wx, wy, seed, 2);
            const double d = std::hypot(px - x, py - y);
            if (d < best.f1) {
                best.f2 = best.f1;
                best.f1 = d;
                best.id = wy * static_cast<uint32_t>(cells) + wx;
            } else if (d < best.f2) {
                best.f2 = d;
            }
        }
    return best;
}

QImage Shade(QSize logical, qreal dpr, const std::function<QRgb(double x, double y)> &f)
{
    QImage img = NewImage(logical, dpr);
    const double sx = double(logical.width()) / img.width();
    const double sy = double(logical.height()) / img.height();
    for (int j = 0; j < img.height(); ++j) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(j));
        for (int i = 0; i < img.width(); ++i)
            line[i] = f((i + 0.5) * sx, (j + 0.5) * sy) | 0xFF000000u;
    }
    return img;
}

double Clamp01(double v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

double Smooth(double e0, double e1, double x)
{
    const double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

QColor Mix(const QColor &a, const QColor &b, double t)
{
    t = Clamp01(t);
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QRgb MixRgb(QRgb a, QRgb b, double t)
{
    t = Clamp01(t);
    auto m = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return qRgb(m(qRed(a), qRed(b)), m(qGreen(a), qGreen(b)), m(qBlue(a), qBlue(b)));
}

QRgb Scale(QRgb c, double f)
{
    auto s = [f](int x) { return std::clamp(static_cast<int>(x * f + 0.5), 0, 255); };
    return qRgb(s(qRed(c)), s(qGreen(c)), s(qBlue(c)));
}

} // namespace tw::art::detail
