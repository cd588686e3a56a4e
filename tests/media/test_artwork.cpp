#include "testutil.h"

#include "engine/catalogue.h"
#include "engine/numeric.h"
#include "media/art_paint.h"
#include "media/artwork.h"
#include "media/resources.h"

#include <QApplication>
#include <QIcon>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

using namespace tw;

namespace {

QRgb at(const QImage &img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }

bool isRed(QRgb c) { return qAlpha(c) > 200 && qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90; }

int countRed(const QImage &img, const QRect &r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += isRed(img.pixel(x, y)) ? 1 : 0;
    return n;
}

// Mean absolute difference of all channels between two columns.
double columnDiff(const QImage &img, int a, int b)
{
    double sum = 0;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb p = img.pixel(a, y), q = img.pixel(b, y);
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
    return sum / img.height();
}

} // namespace

// --- backgrounds -----------------------------------------------------------

TEST(Background, FadeFromDarkGreenToBlack)
{
    // 512 rows: two rows per band.
    const QImage img = RenderBackground(1007, QSize(40, 512), 1, 0);
    ASSERT_EQ(img.size(), QSize(40, 512));
    EXPECT_EQ(at(img, 0, 0), qRgb(0, 100, 0) & 0xFFFFFF);
    EXPECT_EQ(at(img, 39, 1), qRgb(0, 100, 0) & 0xFFFFFF);
    EXPECT_EQ(at(img, 0, 511), 0u);
    // Band 100: 100 - 100 * 100/255 = 60.78 -> 61.
    EXPECT_EQ(at(img, 5, 200), qRgb(0, 61, 0) & 0xFFFFFF);
    EXPECT_EQ(at(img, 5, 201), qRgb(0, 61, 0) & 0xFFFFFF);
    // Every band: green falls by 100/255 per band, rounded half to even.
    for (int band = 0; band < 256; ++band) {
        const int expect = static_cast<int>(roundHalfEven(band * (-100 / 255.0) + 100));
        const QRgb c = img.pixel(20, 2 * band);
        ASSERT_EQ(qGreen(c), expect) << "band " << band;
        ASSERT_EQ(qRed(c), 0);
        ASSERT_EQ(qBlue(c), 0);
        ASSERT_EQ(GradientBandColor(0x6400, 1, band), QColor(0, expect, 0));
    }
}

TEST(Background, FadeBandsSpreadOverAnyHeight)
{
    const QImage img = RenderBackground(1007, QSize(10, 300), 1, 0);
    EXPECT_EQ(at(img, 0, 0), qRgb(0, 100, 0) & 0xFFFFFF);
    EXPECT_EQ(at(img, 0, 299), 0u);
    int prev = 255;
    for (int y = 0; y < 300; ++y) {
        const int g = qGreen(img.pixel(3, y));
        ASSERT_LE(g, prev);
        prev = g;
    }
}

TEST(Background, FlatWhenNotFading)
{
    for (int16_t mode : {int16_t(0), int16_t(2), int16_t(-1)}) {
        const QImage img = RenderBackground(1007, QSize(30, 200), mode, 0);
        for (int y = 0; y < 200; y += 7)
            ASSERT_EQ(at(img, 15, y), qRgb(0, 100, 0) & 0xFFFFFF) << "mode " << mode << " row " << y;
    }
}

TEST(Background, CustomColourKeepsRedInTheLowByte)
{
    const QImage fade = RenderBackground(1000, QSize(20, 512), 1, 128);
    EXPECT_EQ(at(fade, 0, 0), qRgb(128, 0, 0) & 0xFFFFFF);
    EXPECT_EQ(at(fade, 0, 511), 0u);
    // Band 51: 128 - 51 * 128/255 = 102.4 -> 102.
    EXPECT_EQ(at(fade, 0, 102), qRgb(102, 0, 0) & 0xFFFFFF);
    const QImage flat = RenderBackground(1000, QSize(20, 20), 0, 255);
    EXPECT_EQ(at(flat, 10, 10), qRgb(255, 0, 0) & 0xFFFFFF);
    const QImage named = RenderBackground(1025, QSize(20, 20), 0, 0); // "Tomato"
    EXPECT_EQ(at(named, 10, 10), qRgb(255, 99, 71) & 0xFFFFFF);
    EXPECT_EQ(ColorFromValue(255 + 256 * 99 + 65536 * 71), QColor(255, 99, 71));
}

TEST(Background, UnknownIndexPaintsTheDefault)
{
    const QImage img = RenderBackground(1026, QSize(10, 10), 0, 0);
    EXPECT_EQ(at(img, 5, 5), qRgb(0, 100, 0) & 0xFFFFFF);
}

TEST(Background, TileRepeatsFromTheTopLeftAndIgnoresModeAndColour)
{
    const QImage tile = art::TileImage(5, 1.0).convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(tile.isNull());
    const int tw = tile.width(), th = tile.height();
    const QSize size(tw * 2 + 37, th * 2 + 11); // the last tiles are cut by the edges
    const QImage img = RenderBackground(5, size, 1, 128);
    ASSERT_EQ(img.size(), size);
    for (int y = 0; y < size.height(); y += 3)
        for (int x = 0; x < size.width(); x += 5)
            ASSERT_EQ(at(img, x, y), at(tile, x % tw, y % th)) << x << "," << y;
    EXPECT_EQ(RenderBackground(5, size, 0, 255), img);
}

TEST(Background, TileKeepsItsLogicalSizeAtHighDensity)
{
    const QImage tile = art::TileImage(23, 2.0).convertToFormat(QImage::Format_RGB32);
    const QSize logical = art::TileSize(23);
    ASSERT_EQ(tile.size(), logical * 2);
    const QImage img = RenderBackground(23, QSize(logical.width() * 2, logical.height()), 0, 0, 2.0);
    ASSERT_EQ(img.size(), QSize(logical.width() * 4, logical.height() * 2));
    for (int y = 0; y < img.height(); y += 9)
        for (int x = 0; x < img.width(); x += 7)
            ASSERT_EQ(at(img, x, y), at(tile, x % tile.width(), y % tile.height())) << x << "," << y;
}

TEST(Background, SetBGInstallsAPersistentBackground)
{
    test::TestData d;
    QWidget w;
    w.resize(64, 256);
    Pictures(d.data).SetBG(1007, &w, 1, 0);
    EXPECT_TRUE(w.autoFillBackground());
    // Samples the grabbed widget at a logical position, whatever its ratio.
    const qreal r = w.devicePixelRatioF();
    auto px = [r](const QImage &img, int x, int y) {
        return at(img, static_cast<int>(x * r), static_cast<int>(y * r));
    };
    QImage shot = w.grab().toImage();
    EXPECT_EQ(shot.size(), (QSizeF(64, 256) * r).toSize());
    EXPECT_EQ(px(shot, 10, 0), qRgb(0, 100, 0) & 0xFFFFFF);
    EXPECT_EQ(px(shot, 10, 255), 0u);
    // Band 64 of 256 lies at row 64 on a 256-row target: 100 - 64*100/255 = 74.9 -> 75.
    EXPECT_EQ(px(shot, 10, 64), qRgb(0, 75, 0) & 0xFFFFFF);
    // Repainting changes nothing; a new size spreads the fade again.
    EXPECT_EQ(w.grab().toImage(), shot);
    w.resize(64, 512);
    shot = w.grab().toImage();
    EXPECT_EQ(px(shot, 10, 511), 0u);
    EXPECT_EQ(px(shot, 10, 200), qRgb(0, 61, 0) & 0xFFFFFF);

    // A tile replaces the fade, also after a later resize, at the widget's ratio.
    Pictures(d.data).SetBG(71, &w, 1, 0);
    w.resize(300, 300);
    shot = w.grab().toImage();
    const QImage tile = art::TileImage(71, r).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < shot.height(); y += 13)
        for (int x = 0; x < shot.width(); x += 11)
            ASSERT_EQ(at(shot, x, y), at(tile, x % tile.width(), y % tile.height())) << x << "," << y;

    // A custom colour, flat.
    Pictures(d.data).SetBG(1000, &w, 0, 255 + 256 * 128);
    EXPECT_EQ(px(w.grab().toImage(), 150, 150), qRgb(255, 128, 0) & 0xFFFFFF);
}

// A fade on a table-sized widget keeps one strip of its rows, not a picture of
// the whole widget (3 MB at the table's size), and paints what the whole
// picture shows.
TEST(Background, AFadeKeepsAStripOfItsRows)
{
    test::TestData d;
    QWidget w;
    w.resize(1032, 747);
    for (const int16_t bg : {int16_t(1007), int16_t(1000)}) {
        Pictures(d.data).SetBG(bg, &w, 1, 255 + 256 * 128);
        const QPixmap kept = w.palette().brush(QPalette::Window).texture();
        EXPECT_LE(kept.width() * kept.height() * 4, 256 * 1024) << bg;
        const qreal r = w.devicePixelRatioF();
        EXPECT_EQ(w.grab().toImage().convertToFormat(QImage::Format_RGB32),
                  RenderBackground(bg, w.size(), 1, 255 + 256 * 128, r))
            << bg;
    }
}

TEST(Background, TilesAreSeamlessAndDeterministic)
{
    for (int id : art::AllTileIds()) {
        const QImage a = art::detail::RenderTile(id, 1.0);
        ASSERT_FALSE(a.isNull()) << id;
        EXPECT_EQ(a, art::detail::RenderTile(id, 1.0)) << id;
        // The step from the last column (row) round to the first is no larger
        // than the largest step between neighbouring columns (rows) inside:
        // a seam would stand out as a step of its own.
        for (const QImage &img : {a, a.transformed(QTransform().rotate(90))}) {
            double inner = 0;
            for (int x = 1; x < img.width(); ++x)
                inner = std::max(inner, columnDiff(img, x - 1, x));
            EXPECT_LE(columnDiff(img, img.width() - 1, 0), inner * 1.5 + 4) << "tile " << id;
        }
    }
}

// --- pictures --------------------------------------------------------------

TEST(Artwork, EveryPictureHasItsSize)
{
    const QSize card(71, 96);
    for (int i = 1; i <= 52; ++i) {
        const QPixmap pm = art::Face(i, 1.0);
        ASSERT_EQ(pm.size(), card) << "face " << i;
    }
    EXPECT_EQ(art::AllBackIds().size(), 16);
    for (int id : art::AllBackIds())
        ASSERT_EQ(art::Back(id, 1.0).size(), card) << "back " << id;
    EXPECT_EQ(art::AllTileIds().size(), 33);
    for (int id : art::AllTileIds()) {
        const QPixmap pm = art::Tile(id, 1.0);
        ASSERT_FALSE(pm.isNull()) << "tile " << id;
        ASSERT_EQ(pm.size(), art::TileSize(id)) << "tile " << id;
    }
    for (int i = 0; i <= 17; ++i)
        ASSERT_EQ(art::Marker(i, 1.0).size(), card) << "marker " << i;
    for (int i = 1; i <= frmGame::GameCount; ++i)
        ASSERT_EQ(art::Preview(i, 1.0).size(), QSize(318, 201)) << "preview " << i;
    EXPECT_EQ(art::Words(1.0).size(), QSize(210, 60));
    for (int i = 1; i <= 11; ++i)
        ASSERT_EQ(art::Toolbar(i, 1.0).size(), QSize(24, 24)) << "toolbar " << i;
    EXPECT_FALSE(art::AppIcon().isNull());
    EXPECT_EQ(art::AppIcon().availableSizes().size(), 7);

    // Numbers outside the sets give nothing.
    EXPECT_TRUE(art::Face(0, 1.0).isNull());
    EXPECT_TRUE(art::Face(53, 1.0).isNull());
    EXPECT_TRUE(art::Back(500, 1.0).isNull());
    EXPECT_TRUE(art::Tile(6, 1.0).isNull());
    EXPECT_TRUE(art::Marker(18, 1.0).isNull());
    EXPECT_TRUE(art::Preview(frmGame::GameCount + 1, 1.0).isNull());
}

TEST(Artwork, DrawnAtTheDeviceRatio)
{
    const QPixmap face = art::Face(1, 2.0);
    EXPECT_EQ(face.size(), QSize(142, 192));
    EXPECT_EQ(face.devicePixelRatio(), 2.0);
    EXPECT_EQ(face.deviceIndependentSize(), QSizeF(71, 96));
    EXPECT_EQ(art::Back(531, 2.0).size(), QSize(142, 192));
    EXPECT_EQ(art::Marker(15, 1.5).size(), QSize(107, 144));
    EXPECT_EQ(art::Preview(19, 2.0).size(), QSize(636, 402));
    // Not an enlarged copy: the edge of a pip has intermediate device pixels.
    EXPECT_NE(art::FaceImage(1, 2.0), art::FaceImage(1, 1.0).scaled(142, 192));
}

TEST(Artwork, SuitColours)
{
    const QRect corner(2, 3, 14, 26); // the index in the top-left corner
    for (int rank = 0; rank < 13; ++rank) {
        for (int suit : {0, 2}) {
            const QImage img = art::FaceImage(suit * 13 + rank + 1, 1.0);
            EXPECT_GT(countRed(img, corner), 20) << "suit " << suit << " rank " << rank;
        }
        for (int suit : {1, 3}) {
            const QImage img = art::FaceImage(suit * 13 + rank + 1, 1.0);
            EXPECT_EQ(countRed(img, corner), 0) << "suit " << suit << " rank " << rank;
            // Number cards of a black suit have no red at all.
            if (rank < 10) {
                EXPECT_EQ(countRed(img, img.rect()), 0) << "suit " << suit << " rank " << rank;
            }
        }
    }
    EXPECT_GT(countRed(art::FaceImage(1, 1.0), art::FaceImage(1, 1.0).rect()), 200);
}

namespace {

// How much of a covered card shows in the fans the variants lay out: the
// smallest and the largest strip of a card covered by the next one of its
// pile, straight down (a column) or straight right (a row). Offsets of a few
// pixels are stacks, not fans, and are left out.
struct FanStrips {
    int columnMin = 1000, columnMax = 0;
    int rowMin = 1000, rowMax = 0;
};

FanStrips fanStrips()
{
    test::TestTable t;
    FanStrips f;
    const auto px = [](int16_t twips) { return static_cast<int>(roundHalfEven(twipsToPixels(twips))); };
    for (int16_t game = 1; game <= frmGame::GameCount; ++game) {
        frmGame::SelectGame(t.engine, frmGame::NameAt(game));
        const cGames &g = t.engine.Games;
        for (int16_t cell : {int16_t(0), int16_t(3), int16_t(4)})
            for (int16_t pile = 0; pile < g.Piles(cell); ++pile)
                for (int16_t pos = 0; pos < 20; ++pos) {
                    const int dx = px(g.GetCordX(cell, pile, int16_t(pos + 1))) - px(g.GetCordX(cell, pile, pos));
                    const int dy = px(g.GetCordY(cell, pile, int16_t(pos + 1))) - px(g.GetCordY(cell, pile, pos));
                    if (dx == 0 && dy >= 8) {
                        f.columnMin = std::min(f.columnMin, dy);
                        f.columnMax = std::max(f.columnMax, dy);
                    } else if (dy == 0 && dx >= 8) {
                        f.rowMin = std::min(f.rowMin, dx);
                        f.rowMax = std::max(f.rowMax, dx);
                    }
                }
    }
    return f;
}

// Anything but blank paper: the index, pips, pictures.
bool ink(QRgb c) { return qAlpha(c) < 250 || std::min({qRed(c), qGreen(c), qBlue(c)}) < 235; }

// The first inked pixel of `r`, as text, or an empty text.
QString inkIn(const QImage &img, const QRect &r)
{
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (ink(img.pixel(x, y)))
                return QStringLiteral("ink at %1,%2").arg(x).arg(y);
    return QString();
}

} // namespace

// A card covered in a column shows only its top strip, one covered in a row
// only its left strip: each strip alone must tell every card apart, in its
// suit's colour, with nothing of the index cut off at the strip's edge.
TEST(Artwork, CoveredCardsShowRankAndSuitInTheirStrip)
{
    const FanStrips fans = fanStrips();
    ASSERT_EQ(fans.columnMin, 16); // 250 twips
    ASSERT_EQ(fans.columnMax, 17);
    ASSERT_EQ(fans.rowMin, 12); // 180 twips
    ASSERT_EQ(fans.rowMax, 12);
    for (qreal dpr : {1.0, 2.0}) {
        const auto dev = [dpr](qreal v) { return static_cast<int>(std::lround(v * dpr)); };
        const QRect column(0, 0, dev(71), dev(fans.columnMin));
        const QRect row(0, 0, dev(fans.rowMin), dev(96));
        // Just inside the strips' edges, and what a longer strip shows
        // besides: blank paper within the card's frame.
        const QRect columnEdge(dev(2), dev(fans.columnMin - 2), dev(67), dev(fans.columnMax - fans.columnMin + 2));
        const QRect rowEdge(dev(fans.rowMin - 1), dev(2), dev(fans.rowMax - fans.rowMin + 1), dev(92));
        QList<QImage> columns, rows;
        for (int i = 1; i <= 52; ++i) {
            const int suit = (i - 1) / 13;
            const QImage face = art::FaceImage(i, dpr);
            const QString what = QStringLiteral("face %1 at %2x").arg(i).arg(dpr);
            columns << face.copy(column);
            rows << face.copy(row);
            const bool red = suit == 0 || suit == 2;
            for (const QRect &strip : {column, row}) {
                const int n = countRed(face, strip);
                EXPECT_TRUE(red ? n > 20 * dpr * dpr : n == 0) << qPrintable(what) << ": " << n << " red pixels";
            }
            const QString cutColumn = inkIn(face, columnEdge);
            EXPECT_TRUE(cutColumn.isEmpty()) << qPrintable(what) << ", column strip: " << qPrintable(cutColumn);
            const QString cutRow = inkIn(face, rowEdge);
            EXPECT_TRUE(cutRow.isEmpty()) << qPrintable(what) << ", row strip: " << qPrintable(cutRow);
        }
        for (int i = 0; i < 52; ++i)
            for (int j = i + 1; j < 52; ++j) {
                EXPECT_NE(columns[i], columns[j]) << "faces " << i + 1 << " and " << j + 1 << " at " << dpr << "x";
                EXPECT_NE(rows[i], rows[j]) << "faces " << i + 1 << " and " << j + 1 << " at " << dpr << "x";
            }
    }
}

TEST(Artwork, PicturesDifferWhereTheyShould)
{
    // Every face, back and marker is a picture of its own.
    QList<QImage> seen;
    for (int i = 1; i <= 52; ++i)
        seen << art::FaceImage(i, 1.0);
    for (int id : art::AllBackIds())
        seen << art::BackImage(id, 1.0);
    for (int i = 0; i <= 17; ++i)
        seen << art::MarkerImage(i, 1.0);
    for (int i = 0; i < seen.size(); ++i)
        for (int j = i + 1; j < seen.size(); ++j)
            ASSERT_NE(seen[i], seen[j]) << i << " and " << j;
    const int freecell = tw::test::gameIndex(u"Freecell"), zodiac = tw::test::gameIndex(u"Zodiac");
    ASSERT_GT(freecell, 0);
    ASSERT_GT(zodiac, 0);
    EXPECT_NE(art::PreviewImage(freecell, 1.0), art::PreviewImage(zodiac, 1.0));
}

TEST(Artwork, PreviewShowsTheOpeningLayout)
{
    // "Freecell" deals all 52 cards face up into the upper part of the table;
    // most of the preview's lower half is bare table.
    const QImage img = art::PreviewImage(19, 1.0);
    int white = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 318; ++x) {
            const QRgb c = img.pixel(x, y);
            white += (qRed(c) > 235 && qGreen(c) > 235 && qBlue(c) > 235) ? 1 : 0;
        }
    EXPECT_GT(white, 2000);
    const QRgb bottom = img.pixel(5, 195);
    EXPECT_EQ(qRed(bottom), 0);
    EXPECT_GT(qGreen(bottom), 50);
}

TEST(Artwork, Categories)
{
    QStringList names;
    for (const auto &c : art::BackgroundCategories())
        names << c.name;
    EXPECT_EQ(names, QStringList({"Bricks", "Marbles", "Paper", "Rocks", "Stars", "Surfaces", "Water", "Wood"}));
    names.clear();
    int backs = 0;
    for (const auto &c : art::BackCategories()) {
        names << c.name;
        backs += static_cast<int>(c.ids.size());
        for (int id : c.ids)
            EXPECT_TRUE(art::IsBack(id));
    }
    EXPECT_EQ(names, QStringList({"Flowers", "Garden", "Geometry", "Misc", "Nature"}));
    EXPECT_EQ(backs, 15); // 545 is not offered
    EXPECT_TRUE(art::IsBack(545));
    EXPECT_FALSE(art::IsBack(546));
    EXPECT_TRUE(art::IsTile(73));
    EXPECT_FALSE(art::IsTile(74));
}

// --- picture members of the settings object --------------------------------

TEST(Resources, SettingsPictures)
{
    test::TestData d;
    const Pictures pics(d.data);
    const qreal dpr = art::AppDpr();
    // Whole device pixels: at a fractional ratio the logical size is within a
    // pixel of 71 x 96.
    const QSizeF logical = pics.MainPic(1).deviceIndependentSize();
    EXPECT_NEAR(logical.width(), 71, 1.0);
    EXPECT_NEAR(logical.height(), 96, 1.0);
    EXPECT_EQ(pics.MainPic(1).toImage(), art::Face(1, dpr).toImage());
    EXPECT_EQ(pics.RightPic(0).toImage(), art::Marker(0, dpr).toImage());
    EXPECT_EQ(pics.RightPic(17).toImage(), art::Marker(17, dpr).toImage());
    EXPECT_EQ(pics.GetPic(531).toImage(), art::Back(531, dpr).toImage());
    EXPECT_EQ(pics.GetPic(5).toImage(), art::Tile(5, dpr).toImage());
    EXPECT_THROW(pics.GetPic(6), std::out_of_range);
    EXPECT_THROW(pics.MainPic(0), std::out_of_range);
    EXPECT_THROW(pics.MainPic(53), std::out_of_range);
    EXPECT_THROW(pics.RightPic(18), std::out_of_range);
    EXPECT_THROW(pics.RightPic(-1), std::out_of_range);
    EXPECT_FALSE(pics.Icon().isNull());

    // DeckPic follows the setting at every call.
    EXPECT_EQ(pics.DeckPic().toImage(), art::Back(531, dpr).toImage());
    d.data.DeckIndex(543);
    EXPECT_EQ(pics.DeckPic().toImage(), art::Back(543, dpr).toImage());
    // A stored id that names no back shows the default back.
    d.data.DeckIndex(7);
    EXPECT_EQ(pics.DeckPic().toImage(), art::Back(531, dpr).toImage());
}
