// Background tiles. Every tile is computed from noise that repeats at the tile's
// edges, so the table shows no seams; the same id always gives the same tile.
// Colours are kept in the middle range so white cards stand out on all of them.

#include "art_paint.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace tw::art::detail {

namespace {

constexpr double kTau = 6.283185307179586;

QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

// Bricks in running bond: courses of `bh`, bricks `bw` long, mortar `m`.
QImage bricks(int id, qreal dpr, QSize size, int bw, int bh, QRgb brick, QRgb brick2, QRgb mortar, double rough)
{
    const int w = size.width(), h = size.height();
    const int cols = w / bw;
    return Shade(size, dpr, [=](double x, double y) {
        const int row = static_cast<int>(y / bh);
        const double off = (row % 2) ? bw / 2.0 : 0.0;
        double bx = std::fmod(x + off, double(w));
        const int col = static_cast<int>(bx / bw) % cols;
        const double lx = bx - col * bw, ly = y - row * bh;
        const double u = x / w, v = y / h;
        const double grain = Fbm(u, v, 8, 4, static_cast<uint32_t>(id) * 7u);
        const double m = 1.6;
        const bool inMortar = lx < m || ly < m;
        if (inMortar) {
            const double n = Fbm(u, v, 16, 2, static_cast<uint32_t>(id) * 11u);
            return Scale(mortar, 0.85 + 0.3 * n);
        }
        const double pick = Hash01(static_cast<uint32_t>(id), static_cast<uint32_t>(row), static_cast<uint32_t>(col));
        QRgb c = MixRgb(brick, brick2, pick);
        // Lighter top-left edge and a shadow on the bottom-right edge of each brick.
        double shade = 1.0;
        if (lx < m + 1.2 || ly < m + 1.2)
            shade *= 1.12;
        if (lx > bw - 1.4 || ly > bh - 1.4)
            shade *= 0.82;
        shade *= 1.0 - rough / 2 + rough * grain;
        return Scale(c, shade);
    });
}

// Marble: bands bent by turbulence, with darker veins.
QImage marble(int id, qreal dpr, QSize size, QRgb a, QRgb b, QRgb vein, int kx, int ky)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const double t = Fbm(u, v, 3, 4, static_cast<uint32_t>(id) * 13u);
        const double s = std::sin(kTau * (kx * u + ky * v) + 5.0 * t);
        const double veinAmt = std::pow(1.0 - std::fabs(s), 6.0);
        const double cloud = Fbm(u, v, 3, 4, static_cast<uint32_t>(id) * 17u + 5u);
        const double fine = Fbm(u, v, 8, 3, static_cast<uint32_t>(id) * 19u);
        QRgb c = MixRgb(a, b, cloud * 1.3 - 0.15);
        c = MixRgb(c, vein, 0.25 * Smooth(0.55, 0.75, fine));
        return MixRgb(c, vein, veinAmt * 0.8);
    });
}

// Paper: mottled ground with fibres.
QImage paper(int id, qreal dpr, QSize size, QRgb base, double mottle, double fibres)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const double n = Fbm(u, v, 4, 5, static_cast<uint32_t>(id) * 19u);
        const double fine = Noise(u * 64, v * 64, 64, 64, static_cast<uint32_t>(id) * 23u);
        // Fibres: thin bright streaks from stretched noise.
        const double fib = Noise(u * 8, v * 48, 8, 48, static_cast<uint32_t>(id) * 29u);
        const double fibre = Smooth(0.78, 0.9, fib) * fibres;
        double f = 1.0 + mottle * (n - 0.5) + 0.05 * (fine - 0.5) + 0.12 * fibre;
        return Scale(base, f);
    });
}

QImage granite(int id, qreal dpr, QSize size, QRgb base, QRgb dark, QRgb light)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        // Crystals: a fine cellular mosaic, each grain one of three minerals.
        const Cell c = Cellular(u, v, 36, static_cast<uint32_t>(id) * 31u);
        const double pick = Hash01(c.id, static_cast<uint32_t>(id), 7);
        const double n = Fbm(u, v, 6, 4, static_cast<uint32_t>(id) * 37u);
        QRgb grain = pick < 0.18 ? dark : pick > 0.86 ? light : MixRgb(base, light, pick * 0.25);
        grain = MixRgb(grain, base, 0.35);
        return Scale(grain, (0.88 + 0.24 * n) * (0.92 + 0.08 * Smooth(0.0, 0.2, c.f2 - c.f1)));
    });
}

QImage slate(int id, qreal dpr, QSize size, QRgb base)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const double layers = Noise(u * 2, v * 24 + 3 * Fbm(u, v, 2, 3, 43u), 2, 24, static_cast<uint32_t>(id) * 47u);
        const double n = Fbm(u, v, 8, 4, static_cast<uint32_t>(id) * 53u);
        return Scale(base, 0.8 + 0.25 * layers + 0.15 * n);
    });
}

QImage cobbles(int id, qreal dpr, QSize size, QRgb a, QRgb b, QRgb gap)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const Cell c = Cellular(u, v, 5, static_cast<uint32_t>(id));
        const double edge = c.f2 - c.f1;
        const double n = Fbm(u, v, 8, 3, static_cast<uint32_t>(id) * 59u);
        QRgb stone = MixRgb(a, b, Hash01(c.id, static_cast<uint32_t>(id)));
        // Rounded stones: darker towards their rims.
        stone = Scale(stone, (0.75 + 0.35 * Smooth(0.0, 0.35, edge)) * (0.9 + 0.2 * n));
        return MixRgb(gap, stone, Smooth(0.04, 0.1, edge));
    });
}

QImage sandstone(int id, qreal dpr, QSize size, QRgb a, QRgb b)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const double warp = Fbm(u, v, 3, 3, static_cast<uint32_t>(id) * 61u);
        const double bands = 0.5 + 0.5 * std::sin(kTau * 5 * v + 6 * warp);
        const double n = Fbm(u, v, 16, 3, static_cast<uint32_t>(id) * 67u);
        return Scale(MixRgb(a, b, bands), 0.9 + 0.2 * n);
    });
}

// A starfield: a dark ground with soft cloud, and stars drawn on top with wrap.
QImage stars(int id, qreal dpr, QSize size, QRgb deep, QRgb cloud, int count, bool crosses)
{
    const int w = size.width(), h = size.height();
    QImage img = Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const double n = Fbm(u, v, 3, 5, static_cast<uint32_t>(id) * 71u);
        return MixRgb(deep, cloud, Smooth(0.35, 0.8, n) * 0.9);
    });
    QPainter p(&img);
    Prepare(p);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double x = Hash01(static_cast<uint32_t>(id), static_cast<uint32_t>(i), 1) * w;
        const double y = Hash01(static_cast<uint32_t>(id), static_cast<uint32_t>(i), 2) * h;
        const double m = Hash01(static_cast<uint32_t>(id), static_cast<uint32_t>(i), 3);
        const double r = 0.3 + 0.9 * m * m;
        const int alpha = 110 + static_cast<int>(145 * Hash01(static_cast<uint32_t>(id), static_cast<uint32_t>(i), 4));
        const QColor col = (i % 7 == 0)   ? QColor(255, 220, 190, alpha)
                           : (i % 5 == 0) ? QColor(200, 220, 255, alpha)
                                          : QColor(255, 255, 245, alpha);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) {
                const QPointF c(x + dx * w, y + dy * h);
                p.setBrush(col);
                p.drawEllipse(c, r, r);
                if (crosses && m > 0.8) {
                    QRadialGradient g(c, 5 * r);
                    g.setColorAt(0, QColor(255, 255, 255, 90));
                    g.setColorAt(1, QColor(255, 255, 255, 0));
                    p.setBrush(g);
                    p.drawEllipse(c, 5 * r, 5 * r);
                    p.fillRect(QRectF(c.x() - 4 * r, c.y() - 0.15, 8 * r, 0.3), QColor(255, 255, 255, 120));
                    p.fillRect(QRectF(c.x() - 0.15, c.y() - 4 * r, 0.3, 8 * r), QColor(255, 255, 255, 120));
                }
            }
    }
    return img;
}

QImage felt(int id, qreal dpr, QSize size, QRgb base)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const double n = Fbm(u, v, 4, 3, static_cast<uint32_t>(id) * 73u);
        const double fine = Noise(u * 96, v * 96, 96, 96, static_cast<uint32_t>(id) * 79u);
        return Scale(base, 0.92 + 0.12 * n + 0.08 * (fine - 0.5));
    });
}

QImage leather(int id, qreal dpr, QSize size, QRgb base)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const Cell c = Cellular(u, v, 12, static_cast<uint32_t>(id));
        const double crease = Smooth(0.0, 0.18, c.f2 - c.f1);
        const double n = Fbm(u, v, 4, 3, static_cast<uint32_t>(id) * 83u);
        return Scale(base, (0.72 + 0.28 * crease) * (0.9 + 0.25 * n));
    });
}

QImage weave(int id, qreal dpr, QSize size, QRgb warp, QRgb weft, int threads, bool twill)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const double tx = u * threads, ty = v * threads;
        const int ix = static_cast<int>(tx), iy = static_cast<int>(ty);
        const double fx = tx - ix, fy = ty - iy;
        const bool over = twill ? ((ix + iy) % 4) < 2 : ((ix + iy) % 2) == 0;
        const double n = Fbm(u, v, 8, 3, static_cast<uint32_t>(id) * 89u);
        // Each thread is rounded across its width.
        const double across = over ? std::sin(fx * kTau / 2) : std::sin(fy * kTau / 2);
        QRgb c = over ? warp : weft;
        return Scale(c, (0.72 + 0.3 * across) * (0.92 + 0.16 * n));
    });
}

QImage plate(int id, qreal dpr, QSize size, QRgb base)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        // Brushed grain along x.
        const double brushed = Noise(u * 2, v * 96, 2, 96, static_cast<uint32_t>(id) * 97u);
        // Raised diamonds in alternating directions.
        const int cells = 4;
        const double cx = u * cells, cy = v * cells;
        const int ix = static_cast<int>(cx), iy = static_cast<int>(cy);
        const double lx = cx - ix - 0.5, ly = cy - iy - 0.5;
        const bool dir = (ix + iy) % 2 == 0;
        const double a = dir ? (lx + ly) : (lx - ly);
        const double b = dir ? (lx - ly) : (lx + ly);
        const double d = std::fabs(a) * 0.35 + std::fabs(b) * 1.4;
        double f = 0.9 + 0.12 * brushed;
        if (d < 0.28)
            f *= 1.1 + 0.25 * b;
        else if (d < 0.33)
            f *= 0.7;
        return Scale(base, f);
    });
}

// Water: caustic light lines from cellular noise over a depth gradient.
QImage caustics(int id, qreal dpr, QSize size, QRgb deep, QRgb light, int cells, double strength)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const double wu = u + 0.03 * (Fbm(u, v, 3, 2, static_cast<uint32_t>(id) * 101u) - 0.5);
        const double wv = v + 0.03 * (Fbm(u, v, 3, 2, static_cast<uint32_t>(id) * 103u) - 0.5);
        const Cell c = Cellular(wu - std::floor(wu), wv - std::floor(wv), cells, static_cast<uint32_t>(id));
        const double line = 1.0 - Smooth(0.0, 0.12, c.f2 - c.f1);
        const double n = Fbm(u, v, 2, 4, static_cast<uint32_t>(id) * 107u);
        QRgb base = Scale(deep, 0.85 + 0.3 * n);
        return MixRgb(base, light, line * strength);
    });
}

QImage ripples(int id, qreal dpr, QSize size, QRgb deep, QRgb light)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        // Wavy crests across the tile, bent by noise, with light on their tops.
        const double warp = Fbm(u, v, 2, 4, static_cast<uint32_t>(id) * 109u);
        const double s = std::sin(kTau * (8 * v + 1 * u) + 7.0 * warp);
        const double crest = Smooth(0.55, 0.98, s);
        const double trough = Smooth(0.2, -0.9, s);
        const double n = Fbm(u, v, 4, 3, static_cast<uint32_t>(id) * 113u);
        QRgb c = Scale(deep, (0.92 + 0.2 * n) * (1.0 - 0.18 * trough));
        return MixRgb(c, light, crest * 0.45);
    });
}

QImage pool(int id, qreal dpr, QSize size, QRgb tileA, QRgb grout, QRgb light)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const double wu = u + 0.02 * std::sin(kTau * (2 * v + Fbm(u, v, 2, 2, 113u)));
        const double wv = v + 0.02 * std::sin(kTau * (2 * u + Fbm(u, v, 2, 2, 127u)));
        const double gx = std::fmod(wu * 4 + 4, 1.0), gy = std::fmod(wv * 4 + 4, 1.0);
        const bool inGrout = gx < 0.05 || gy < 0.05;
        const Cell c = Cellular(u, v, 4, static_cast<uint32_t>(id));
        const double line = 1.0 - Smooth(0.0, 0.1, c.f2 - c.f1);
        QRgb base = inGrout ? grout : tileA;
        return MixRgb(base, light, line * 0.45);
    });
}

// Wood: growth rings bent by noise, stretched along the planks.
QImage wood(int id, qreal dpr, QSize size, QRgb early, QRgb late, int planks, double rings)
{
    const int w = size.width(), h = size.height();
    return Shade(size, dpr, [=](double x, double y) {
        const double u = x / w, v = y / h;
        const int plank = std::min(planks - 1, static_cast<int>(v * planks));
        const double seedShift = Hash01(static_cast<uint32_t>(id), static_cast<uint32_t>(plank));
        const double n = Fbm(u, v, 2, 4, static_cast<uint32_t>(id) * 131u + static_cast<uint32_t>(plank));
        const double ring = 0.5 + 0.5 * std::sin(kTau * (rings * v + 2.0 * seedShift) + 7.0 * n);
        const double fine = Noise(u * 4, v * 64, 4, 64, static_cast<uint32_t>(id) * 137u);
        QRgb c = MixRgb(early, late, std::pow(ring, 3.0) * 0.9 + 0.1 * fine);
        c = Scale(c, 0.9 + 0.2 * seedShift);
        // A dark seam between planks, and staggered butt joints.
        const double pv = v * planks - plank;
        if (pv < 0.03)
            c = Scale(c, 0.55);
        const double joint = std::fmod(u + seedShift, 1.0);
        if (joint < 0.012)
            c = Scale(c, 0.6);
        return c;
    });
}

} // namespace

QSize TileLogicalSize(int id)
{
    switch (id / 10) {
    case 0: return (id >= 1 && id <= 5) ? (id == 3 ? QSize(96, 96) : QSize(96, 64)) : QSize();
    case 1: return (id >= 11 && id <= 13) ? QSize(128, 128) : QSize();
    case 2: return (id >= 21 && id <= 25) ? QSize(128, 128) : QSize();
    case 3: return (id >= 31 && id <= 34) ? QSize(112, 112) : QSize();
    case 4: return (id >= 41 && id <= 43) ? QSize(128, 128) : QSize();
    case 5: return (id >= 51 && id <= 55) ? QSize(96, 96) : QSize();
    case 6: return (id >= 61 && id <= 65) ? QSize(128, 128) : QSize();
    case 7: return (id >= 71 && id <= 73) ? QSize(128, 128) : QSize();
    default: return {};
    }
}

QImage RenderTile(int id, qreal dpr)
{
    const QSize s = TileLogicalSize(id);
    if (s.isEmpty())
        return {};
    switch (id) {
    // Bricks
    case 1: return bricks(id, dpr, s, 32, 16, rgb(150, 62, 44), rgb(122, 48, 36), rgb(170, 160, 145), 0.35);
    case 2: return bricks(id, dpr, s, 32, 16, rgb(104, 70, 52), rgb(82, 52, 40), rgb(128, 118, 104), 0.4);
    case 3: return bricks(id, dpr, s, 48, 24, rgb(128, 128, 122), rgb(104, 106, 104), rgb(78, 76, 72), 0.45);
    case 4: return bricks(id, dpr, s, 32, 16, rgb(190, 150, 92), rgb(168, 128, 76), rgb(120, 110, 96), 0.3);
    case 5: return bricks(id, dpr, s, 32, 16, rgb(112, 46, 40), rgb(84, 70, 50), rgb(96, 104, 84), 0.5);
    // Marbles
    case 11: return marble(id, dpr, s, rgb(28, 84, 60), rgb(50, 110, 82), rgb(190, 214, 196), 1, 2);
    case 12: return marble(id, dpr, s, rgb(140, 140, 146), rgb(170, 168, 170), rgb(70, 70, 80), 2, 1);
    case 13: return marble(id, dpr, s, rgb(150, 96, 92), rgb(176, 130, 118), rgb(236, 210, 200), 1, 1);
    // Paper
    case 21: return paper(id, dpr, s, rgb(196, 174, 128), 0.3, 0.6);
    case 22: return paper(id, dpr, s, rgb(150, 150, 146), 0.2, 1.0);
    case 23: return paper(id, dpr, s, rgb(92, 120, 160), 0.22, 0.8);
    case 24: return paper(id, dpr, s, rgb(160, 118, 76), 0.2, 1.0);
    case 25: return paper(id, dpr, s, rgb(186, 180, 160), 0.15, 1.6);
    // Rocks
    case 31: return granite(id, dpr, s, rgb(150, 124, 118), rgb(50, 44, 46), rgb(220, 210, 200));
    case 32: return slate(id, dpr, s, rgb(74, 84, 98));
    case 33: return cobbles(id, dpr, s, rgb(128, 122, 112), rgb(96, 96, 100), rgb(44, 40, 36));
    case 34: return sandstone(id, dpr, s, rgb(186, 122, 74), rgb(150, 90, 56));
    // Stars
    case 41: return stars(id, dpr, s, rgb(6, 10, 34), rgb(22, 34, 80), 70, false);
    case 42: return stars(id, dpr, s, rgb(18, 8, 36), rgb(84, 36, 96), 60, true);
    case 43: return stars(id, dpr, s, rgb(4, 20, 48), rgb(10, 60, 92), 45, true);
    // Surfaces
    case 51: return felt(id, dpr, s, rgb(22, 104, 56));
    case 52: return leather(id, dpr, s, rgb(120, 72, 40));
    case 53: return weave(id, dpr, s, rgb(176, 160, 126), rgb(160, 144, 112), 32, false);
    case 54: return weave(id, dpr, s, rgb(58, 82, 128), rgb(92, 112, 150), 48, true);
    case 55: return plate(id, dpr, s, rgb(128, 132, 138));
    // Water
    case 61: return caustics(id, dpr, s, rgb(20, 96, 140), rgb(150, 220, 240), 5, 0.6);
    case 62: return ripples(id, dpr, s, rgb(24, 70, 120), rgb(150, 200, 230));
    case 63: return caustics(id, dpr, s, rgb(8, 36, 74), rgb(60, 120, 170), 3, 0.45);
    case 64: return pool(id, dpr, s, rgb(56, 150, 170), rgb(180, 210, 214), rgb(200, 245, 250));
    case 65: return ripples(id, dpr, s, rgb(12, 30, 56), rgb(120, 150, 190));
    // Wood
    case 71: return wood(id, dpr, s, rgb(176, 128, 78), rgb(126, 84, 46), 4, 9);
    case 72: return wood(id, dpr, s, rgb(98, 62, 38), rgb(58, 34, 20), 4, 11);
    case 73: return wood(id, dpr, s, rgb(150, 72, 46), rgb(100, 40, 26), 4, 7);
    default: return {};
    }
}

} // namespace tw::art::detail
