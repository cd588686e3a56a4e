#include "artwork.h"

#include "art_paint.h"

#include <QGuiApplication>
#include <QHash>

namespace tw::art {

using namespace detail;

namespace {

enum class Kind : quint8 { Face, Back, Tile, Marker, Words, Preview, Toolbar, ToolbarOff, AppIcon };

struct Key {
    Kind kind;
    int id;
    qreal dpr;
    bool operator==(const Key &o) const { return kind == o.kind && id == o.id && dpr == o.dpr; }
};

size_t qHash(const Key &k, size_t seed = 0)
{
    return ::qHash(static_cast<int>(k.kind), seed) ^ ::qHash(k.id, seed) ^ ::qHash(k.dpr, seed);
}

// Pictures live until the process ends. The tables are never destroyed, so no
// pixmap outlives the application object at exit.
QHash<Key, QImage> &images()
{
    static auto *cache = new QHash<Key, QImage>;
    return *cache;
}

QHash<Key, QPixmap> &pixmaps()
{
    static auto *cache = new QHash<Key, QPixmap>;
    return *cache;
}

QImage render(Kind kind, int id, qreal dpr)
{
    switch (kind) {
    case Kind::Face: return RenderFace(id, dpr);
    case Kind::Back: return RenderBack(id, dpr);
    case Kind::Tile: return RenderTile(id, dpr);
    case Kind::Marker: return RenderMarker(id, dpr);
    case Kind::Words: return RenderWords(dpr);
    case Kind::Preview: return RenderPreview(id, dpr);
    case Kind::Toolbar: return RenderToolbar(id, dpr, false);
    case Kind::ToolbarOff: return RenderToolbar(id, dpr, true);
    case Kind::AppIcon: return RenderAppIcon(id, dpr);
    }
    return {};
}

qreal sane(qreal dpr) { return dpr > 0 ? dpr : 1.0; }

QImage image(Kind kind, int id, qreal dpr)
{
    const Key key{kind, id, sane(dpr)};
    auto &cache = images();
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QImage img = render(kind, id, key.dpr);
    cache.insert(key, img);
    return img;
}

QPixmap pixmap(Kind kind, int id, qreal dpr)
{
    const Key key{kind, id, sane(dpr)};
    auto &cache = pixmaps();
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    const QImage img = image(kind, id, key.dpr);
    QPixmap pm = img.isNull() ? QPixmap() : QPixmap::fromImage(img);
    cache.insert(key, pm);
    return pm;
}

} // namespace

qreal AppDpr() { return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0; }

QPixmap Face(int index, qreal dpr) { return pixmap(Kind::Face, index, dpr); }
QPixmap Back(int id, qreal dpr) { return pixmap(Kind::Back, id, dpr); }
QPixmap Tile(int id, qreal dpr) { return pixmap(Kind::Tile, id, dpr); }
QPixmap Marker(int index, qreal dpr) { return pixmap(Kind::Marker, index, dpr); }
QPixmap Words(qreal dpr) { return pixmap(Kind::Words, 0, dpr); }
QPixmap Preview(int index, qreal dpr) { return pixmap(Kind::Preview, index, dpr); }
QPixmap Toolbar(int index, qreal dpr) { return pixmap(Kind::Toolbar, index, dpr); }
QPixmap AppIconPixmap(int size, qreal dpr) { return size > 0 ? pixmap(Kind::AppIcon, size, dpr) : QPixmap(); }

QImage FaceImage(int index, qreal dpr) { return image(Kind::Face, index, dpr); }
QImage BackImage(int id, qreal dpr) { return image(Kind::Back, id, dpr); }
QImage TileImage(int id, qreal dpr) { return image(Kind::Tile, id, dpr); }
QImage MarkerImage(int index, qreal dpr) { return image(Kind::Marker, index, dpr); }
QImage WordsImage(qreal dpr) { return image(Kind::Words, 0, dpr); }
QImage SplashImage(qreal dpr, const QString &version) { return detail::RenderSplash(dpr, version); }
QImage PreviewImage(int index, qreal dpr) { return image(Kind::Preview, index, dpr); }

QIcon ToolbarIcon(int index)
{
    QIcon icon;
    if (index < 1 || index > ToolbarImageCount)
        return icon;
    const qreal top = std::max<qreal>(1.0, AppDpr());
    for (qreal dpr : {1.0, 2.0, top}) {
        icon.addPixmap(pixmap(Kind::Toolbar, index, dpr), QIcon::Normal);
        icon.addPixmap(pixmap(Kind::ToolbarOff, index, dpr), QIcon::Disabled);
    }
    return icon;
}

QIcon AppIcon()
{
    static auto *icon = new QIcon;
    if (icon->isNull())
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            icon->addPixmap(AppIconPixmap(size, 1.0));
    return *icon;
}

bool IsBack(int id) { return AllBackIds().contains(id); }

bool IsTile(int id) { return !TileLogicalSize(id).isEmpty(); }

QSize TileSize(int id) { return TileLogicalSize(id); }

const QList<PictureCategory> &BackgroundCategories()
{
    static const QList<PictureCategory> list = {
        {QStringLiteral("Bricks"), {1, 2, 3, 4, 5}},     {QStringLiteral("Marbles"), {11, 12, 13}},
        {QStringLiteral("Paper"), {21, 22, 23, 24, 25}}, {QStringLiteral("Rocks"), {31, 32, 33, 34}},
        {QStringLiteral("Stars"), {41, 42, 43}},         {QStringLiteral("Surfaces"), {51, 52, 53, 54, 55}},
        {QStringLiteral("Water"), {61, 62, 63, 64, 65}}, {QStringLiteral("Wood"), {71, 72, 73}},
    };
    return list;
}

const QList<PictureCategory> &BackCategories()
{
    static const QList<PictureCategory> list = {
        {QStringLiteral("Flowers"), {501, 502, 503}},     {QStringLiteral("Garden"), {511, 512}},
        {QStringLiteral("Geometry"), {521, 522, 523}},    {QStringLiteral("Misc"), {531, 532, 533}},
        {QStringLiteral("Nature"), {541, 542, 543, 544}},
    };
    return list;
}

const QList<int> &AllBackIds()
{
    static const QList<int> ids = {501, 502, 503, 511, 512, 521, 522, 523, 531, 532, 533, 541, 542, 543, 544, 545};
    return ids;
}

const QList<int> &AllTileIds()
{
    static const QList<int> ids = [] {
        QList<int> all;
        for (const auto &c : BackgroundCategories())
            all += c.ids;
        return all;
    }();
    return ids;
}

} // namespace tw::art
