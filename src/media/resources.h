#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <cstdint>

class QPainter;
class QPoint;
class QRect;
class QWidget;

// Table backgrounds: a fade from a colour to black (or a flat colour), or a
// repeated picture tile. The painters install the result as the widget's own
// background, so it stays through every repaint without being painted again.
namespace tw {

class cData;

// The picture members of the settings object. They need a GUI, so they live
// here, beside the artwork, over the settings object they read; the settings
// object itself stays headless.
//
//   Pictures(data).DeckPic();   // the back the settings choose
class Pictures {
public:
    explicit Pictures(const cData &data) : data_(data) {}

    // Background tile or card back Id; no such picture throws out_of_range.
    QPixmap GetPic(int Id) const;
    // Paints background Index on Target (see RenderBackground for the
    // indexes); a null Target is left alone.
    void SetBG(int16_t Index, QWidget *Target, int16_t Mode, int32_t Colour) const;
    // Card face 1..52 and place marker 0..17; others throw out_of_range.
    QPixmap MainPic(int16_t i) const;
    QPixmap RightPic(int32_t i) const;
    // The back of the DeckIndex setting, read at every call.
    QPixmap DeckPic() const;
    // The application icon.
    QIcon Icon() const;

private:
    const cData &data_;
};

// A colour value as the settings store it: red + 256 * green + 65536 * blue.
QColor ColorFromValue(int32_t value);

// The colour of band `band` (0..255) of the fade from Color1: towards black
// when Mode is 1, else flat.
QColor GradientBandColor(int32_t Color1, int16_t Mode, int band);

// Fills Target's background with 256 horizontal bands from Color1 at the top to
// the end colour at the bottom (see GradientBandColor), then brings Target to
// the front. The fade is drawn again when Target changes size.
void PaintGradient(QWidget *Target, int32_t Color1, int16_t Mode);

// Covers Target's background with background tile Pic, repeated from the
// top-left corner. An id that is no tile paints tile 1.
void TileBackground(QWidget *Target, int Pic = 1);

// Paints over `area` the background installed on `table` by the painters
// above, carried on beyond the table's edges for a table whose top-left
// corner stands at `origin` (both in the painter's coordinates): a tile
// repeats on from the table's corner; a fade keeps each row's colour beside
// the table, its last colour below it and its first above.
void PaintBackgroundAround(QPainter &painter, const QRect &area, const QWidget *table, QPoint origin);

// The background of the given index at the given logical size, as SetBG paints
// it: below 1000 a tile, 1000 the custom colour Colour, 1001..1025 a named
// colour (faded when Mode is 1). An index that names nothing paints the
// default, "Dark Green".
QImage RenderBackground(int16_t Index, QSize size, int16_t Mode, int32_t Colour, qreal dpr = 1.0);

} // namespace tw
