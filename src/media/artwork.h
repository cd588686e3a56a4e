#pragma once

#include "engine/catalogue.h"

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's pictures. Nothing is loaded from files: every picture is drawn
// by the painters below at the device pixel ratio asked for, so cards stay crisp
// on high-density screens, and the result is kept for the rest of the run (one
// copy per picture and ratio). A pixmap returned here carries its ratio; its
// logical size is the size stated next to each function.
namespace tw::art {

inline constexpr int CardWidth = 71; // faces, backs and place markers
inline constexpr int CardHeight = 96;
inline constexpr int PreviewWidth = 318;
inline constexpr int PreviewHeight = 201;
inline constexpr int WordsWidth = 210;
inline constexpr int WordsHeight = 60;
inline constexpr int SplashWidth = 290;
inline constexpr int SplashHeight = 140;
// Where the splash picture shows the version text, centred in it.
inline constexpr int SplashVersionTop = 32 + WordsHeight + 6;
inline constexpr int SplashVersionHeight = SplashHeight - SplashVersionTop - 24;
inline constexpr int ToolbarImageSize = 24;
inline constexpr int FaceCount = 52;
inline constexpr int MarkerCount = 18;
inline constexpr int DefaultBack = 531;

// Toolbar pictures, by number.
enum ToolbarImage {
    TbNew = 1,
    TbSelect = 2,
    TbRestart = 3,
    TbAutoplay = 4,
    TbRedo = 5,
    TbUndo = 6,
    TbReplayStop = 7,
    TbReplayBack = 8,
    TbReplayForward = 9,
    TbStatistics = 10,
    TbHelp = 11,
};
inline constexpr int ToolbarImageCount = 11;

// The ratio the program draws at: the highest of its screens.
qreal AppDpr();

// Card face 1..52 (suit * 13 + rank + 1; suits hearts, spades, diamonds,
// clubs; rank 0 Ace .. 12 King), 71 x 96. Null outside 1..52.
QPixmap Face(int index, qreal dpr);
// Card back by picture id (501..503, 511, 512, 521..523, 531..533, 541..545),
// 71 x 96. Null for any other id.
QPixmap Back(int id, qreal dpr);
// Background tile by picture id (1..5, 11..13, 21..25, 31..34, 41..43, 51..55,
// 61..65, 71..73), seamlessly repeatable, of TileSize(id). Null for other ids.
QPixmap Tile(int id, qreal dpr);
// Place marker 0..17, 71 x 96: 0..12 a foundation place for Ace..King, 13 a
// foundation place without rank, 14 a plain place, 15 stop, 16 redeal, 17
// refill. Null outside 0..17.
QPixmap Marker(int index, qreal dpr);
// The product name as a word picture, 210 x 60, on a transparent ground.
QPixmap Words(qreal dpr);
// The splash window's picture, SplashWidth x SplashHeight: the word picture
// over the version text on the splash's green. Not kept: it is drawn once,
// and at build time for the common ratios (tools/splash).
QImage SplashImage(qreal dpr, const QString &version);
// The opening layout of catalogue variant 1..frmGame::GameCount on the
// table, 318 x 201. Null outside.
QPixmap Preview(int index, qreal dpr);
// Toolbar picture 1..11 (see ToolbarImage), 24 x 24 on a transparent ground.
QPixmap Toolbar(int index, qreal dpr);
// The same as an icon, with a greyed form for disabled buttons.
QIcon ToolbarIcon(int index);
// The application picture (a fanned pair of cards), size x size.
QPixmap AppIconPixmap(int size, qreal dpr);
// The application icon with sizes 16 to 256.
QIcon AppIcon();

// The same pictures as images: for tests and for callers without a screen.
QImage FaceImage(int index, qreal dpr);
QImage BackImage(int id, qreal dpr);
QImage TileImage(int id, qreal dpr);
QImage MarkerImage(int index, qreal dpr);
QImage WordsImage(qreal dpr);
QImage PreviewImage(int index, qreal dpr);

bool IsBack(int id);
bool IsTile(int id);
// Logical size of a background tile; empty for an id that is no tile.
QSize TileSize(int id);

// Picture ids under their category captions, in the order the options dialog
// lists them.
struct PictureCategory {
    QString name;
    QList<int> ids;
};
// Background tiles: Bricks, Marbles, Paper, Rocks, Stars, Surfaces, Water, Wood.
const QList<PictureCategory> &BackgroundCategories();
// Card backs the options dialog offers: Flowers, Garden, Geometry, Misc,
// Nature. Back 545 exists (a stored DeckIndex may name it) but is not offered.
const QList<PictureCategory> &BackCategories();
// Every card-back id, 545 included.
const QList<int> &AllBackIds();
// Every background-tile id.
const QList<int> &AllTileIds();

} // namespace tw::art
