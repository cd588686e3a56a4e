#pragma once

// Drawing helpers shared by the painters of artwork.cpp, art_cards.cpp,
// art_tiles.cpp and art_misc.cpp. Not for use outside the artwork.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <functional>

class QPainter;

namespace tw::art::detail {

// A transparent image of the given logical size at the given ratio.
QImage NewImage(QSize logical, qreal dpr);
// A painter on `img` with antialiasing and smooth pixmaps on.
void Prepare(QPainter &p);

// Suits: 0 hearts, 1 spades, 2 diamonds, 3 clubs.
QColor SuitColor(int suit);
inline bool IsRed(int suit) { return suit == 0 || suit == 2; }
// The suit's symbol filling `box` (drawn as vector shapes, never as a glyph).
QPainterPath SuitPath(int suit, const QRectF &box);
// A symbol centred on `c`, `h` high, optionally upside down.
void DrawSuit(QPainter &p, int suit, QPointF c, qreal h, const QColor &col, bool flipped = false);

// The rank index text: "A", "2".."10", "J", "Q", "K".
QString RankText(int rank);

// Text as a filled outline: the font's capital height is scaled to
// `capHeight`; the text is squeezed sideways when wider than `maxWidth`
// (0: no limit). `anchor` is the point the alignment refers to, on the
// baseline (Qt::AlignLeft / AlignHCenter / AlignRight).
QPainterPath TextPath(const QString &text, const QFont &font, qreal capHeight, QPointF anchor, Qt::Alignment align,
                      qreal maxWidth = 0);
QFont SansFont(bool bold, bool condensed = false);
QFont SerifFont(bool bold);

// Deterministic noise that repeats every `period` lattice cells in both
// directions, so a tile made from it joins seamlessly with its neighbours.
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0, uint32_t d = 0);
double Hash01(uint32_t a, uint32_t b = 0, uint32_t c = 0, uint32_t d = 0);
// Value noise in [0,1] at (x, y) lattice units, repeating after
// (periodX, periodY) cells.
double Noise(double x, double y, int periodX, int periodY, uint32_t seed);
// Fractal sum of `octaves` noise layers over a tile coordinate (u, v) in
// [0,1); the coarsest layer has `cells` cells per tile side. Result in [0,1].
double Fbm(double u, double v, int cells, int octaves, uint32_t seed, double gain = 0.5);
// Cellular noise over (u, v) in [0,1) with cells x cells feature points:
// distances to the nearest and second nearest point (in cell units) and the
// id of the nearest cell.
struct Cell {
    double f1;
    double f2;
    uint32_t id;
};
Cell Cellular(double u, double v, int cells, uint32_t seed);

// Fills an image pixel by pixel from a shader of the logical position
// (x, y) in [0, w) x [0, h).
QImage Shade(QSize logical, qreal dpr, const std::function<QRgb(double x, double y)> &f);

QColor Mix(const QColor &a, const QColor &b, double t);
QRgb MixRgb(QRgb a, QRgb b, double t);
QRgb Scale(QRgb c, double f);
double Clamp01(double v);
double Smooth(double e0, double e1, double x);

} // namespace tw::art::detail

// The painters, one picture each, uncached (artwork.cpp caches them).
namespace tw::art::detail {
QImage RenderFace(int index, qreal dpr);
QImage RenderBack(int id, qreal dpr);
QImage RenderTile(int id, qreal dpr);
QSize TileLogicalSize(int id);
QImage RenderMarker(int index, qreal dpr);
QImage RenderWords(qreal dpr);
QImage RenderSplash(qreal dpr, const QString &version);
QImage RenderToolbar(int index, qreal dpr, bool disabled);
QImage RenderAppIcon(int size, qreal dpr);
QImage RenderPreview(int index, qreal dpr);
// The frame every card shares: white, rounded, thin dark border.
QPainterPath CardOutline();
} // namespace tw::art::detail
