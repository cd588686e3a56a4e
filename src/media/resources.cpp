// The picture members of the settings object and the background painters.

#include "resources.h"

#include "artwork.h"
#include "engine/numeric.h"
#include "settings/data.h"

#include <QEvent>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tw {

namespace {

constexpr int16_t kDefaultBackground = 1007;

QImage gradientImage(int32_t Color1, int16_t Mode, QSize devSize, qreal dpr)
{
    QImage img(devSize, QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    QRgb bands[256];
    for (int i = 0; i < 256; ++i)
        bands[i] = GradientBandColor(Color1, Mode, i).rgb();
    const int h = devSize.height();
    for (int y = 0; y < h; ++y) {
        // The target is 512 units high and band i covers units 2i to 2i+2:
        // a row belongs to the band under its centre.
        const int band = std::clamp(static_cast<int>(std::floor((y + 0.5) * 256.0 / h)), 0, 255);
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        std::fill(line, line + devSize.width(), bands[band]);
    }
    return img;
}

QSize deviceSize(QSize logical, qreal dpr)
{
    return QSize(std::max(1, static_cast<int>(std::ceil(logical.width() * dpr - 1e-9))),
                 std::max(1, static_cast<int>(std::ceil(logical.height() * dpr - 1e-9))));
}

// The colour a gradient index stands for, or nothing for a tile.
std::optional<int32_t> gradientColour(int16_t Index, int32_t Colour)
{
    if (Index < 1000)
        return std::nullopt;
    if (Index == 1000)
        return Colour;
    if (const auto e = GetColorEntry(Index))
        return e->second;
    return GetColorEntry(kDefaultBackground)->second;
}

void install(QWidget *Target, const QBrush &brush)
{
    QPalette pal = Target->palette();
    pal.setBrush(QPalette::Window, brush);
    Target->setPalette(pal);
    Target->setAutoFillBackground(true);
    Target->update();
}

// Keeps a fade fitted to its widget: the bands are spread over the widget's
// height, so a new size needs them drawn again.
class FadeKeeper : public QObject {
public:
    static constexpr const char *Name = "tw_fade_keeper";
    static constexpr int StripWidth = 64; // device pixels

    explicit FadeKeeper(QWidget *target) : QObject(target), target_(target)
    {
        setObjectName(QString::fromLatin1(Name));
        target->installEventFilter(this);
    }

    static FadeKeeper *find(const QWidget *target)
    {
        return dynamic_cast<FadeKeeper *>(
            target->findChild<QObject *>(QString::fromLatin1(Name), Qt::FindDirectChildrenOnly));
    }

    static FadeKeeper *of(QWidget *target, bool create)
    {
        FadeKeeper *k = find(target);
        if (!k && create)
            k = new FadeKeeper(target);
        return k;
    }

    void set(int32_t colour, int16_t mode)
    {
        colour_ = colour;
        mode_ = mode;
        active_ = true;
        paint();
    }

    void stop() { active_ = false; }
    bool active() const { return active_; }
    QColor band(int i) const { return GradientBandColor(colour_, mode_, i); }

    void paint()
    {
        // Every row of a fade is one colour: a strip of it, repeated across,
        // paints the same pixels as a picture of the whole table, which took
        // 3 MB of the program's memory.
        const qreal dpr = target_->devicePixelRatioF();
        QSize dev = deviceSize(target_->size(), dpr);
        dev.setWidth(std::min(dev.width(), StripWidth));
        install(target_, QBrush(QPixmap::fromImage(gradientImage(colour_, mode_, dev, dpr))));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (active_ && watched == target_ && event->type() == QEvent::Resize)
            paint();
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *target_;
    int32_t colour_ = 0;
    int16_t mode_ = 0;
    bool active_ = false;
};

int tileOrDefault(int Pic) { return art::IsTile(Pic) ? Pic : 1; }

[[noreturn]] void noPicture(const char *what, long long id)
{
    throw std::out_of_range(std::string("no ") + what + " picture " + std::to_string(id));
}

} // namespace

QColor ColorFromValue(int32_t value) { return QColor(value & 255, (value >> 8) & 255, (value >> 16) & 255); }

QColor GradientBandColor(int32_t Color1, int16_t Mode, int band)
{
    const int32_t end = Mode == 1 ? 0 : Color1;
    int comp[3];
    for (int part = 1; part <= 3; ++part) {
        const int16_t start = ColorPart(Color1, static_cast<int16_t>(part));
        const int16_t diff = static_cast<int16_t>(ColorPart(end, static_cast<int16_t>(part)) - start);
        const double step = diff / 255.0;
        double v = band * step + start;
        if (v < 0)
            v = 0;
        comp[part - 1] = std::clamp(static_cast<int>(roundHalfEven(v)), 0, 255);
    }
    return QColor(comp[0], comp[1], comp[2]);
}

void PaintGradient(QWidget *Target, int32_t Color1, int16_t Mode)
{
    if (!Target)
        return;
    FadeKeeper::of(Target, true)->set(Color1, Mode);
    Target->raise();
}

void TileBackground(QWidget *Target, int Pic)
{
    if (!Target)
        return;
    if (FadeKeeper *k = FadeKeeper::of(Target, false))
        k->stop();
    // A tiled brush starts at the widget's top-left corner and repeats to
    // every edge, whatever size the widget takes later.
    const QPixmap tile = art::Tile(tileOrDefault(Pic), Target->devicePixelRatioF());
    install(Target, QBrush(tile));
}

void PaintBackgroundAround(QPainter &painter, const QRect &area, const QWidget *table, QPoint origin)
{
    if (!table)
        return;
    // Beside the table the brush itself carries on: a tile repeats from the
    // table's corner, and the rows of a fade are the same all along.
    painter.save();
    painter.setBrushOrigin(origin);
    painter.fillRect(area, table->palette().brush(QPalette::Window));
    painter.restore();
    const FadeKeeper *k = FadeKeeper::find(table);
    if (!k || !k->active())
        return;
    // Above and below, a fade would start over: it keeps its end colours.
    const QRect above(area.left(), area.top(), area.width(), origin.y() - area.top());
    const QRect below(area.left(), origin.y() + table->height(), area.width(),
                      area.bottom() + 1 - (origin.y() + table->height()));
    if (above.height() > 0)
        painter.fillRect(above, k->band(0));
    if (below.height() > 0)
        painter.fillRect(below, k->band(255));
}

QImage RenderBackground(int16_t Index, QSize size, int16_t Mode, int32_t Colour, qreal dpr)
{
    if (dpr <= 0)
        dpr = 1.0;
    const QSize dev = deviceSize(size, dpr);
    if (const auto c = gradientColour(Index, Colour))
        return gradientImage(*c, Mode, dev, dpr);
    QImage img(dev, QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    QPainter p(&img);
    p.drawTiledPixmap(QRectF(0, 0, dev.width() / dpr, dev.height() / dpr), art::Tile(tileOrDefault(Index), dpr));
    return img;
}

// --- the picture members of the settings object ---

QPixmap Pictures::GetPic(int Id) const
{
    const qreal dpr = art::AppDpr();
    if (art::IsTile(Id))
        return art::Tile(Id, dpr);
    if (art::IsBack(Id))
        return art::Back(Id, dpr);
    noPicture("background or card-back", Id);
}

void Pictures::SetBG(int16_t Index, QWidget *Target, int16_t Mode, int32_t Colour) const
{
    if (!Target)
        return;
    if (const auto c = gradientColour(Index, Colour))
        PaintGradient(Target, *c, Mode);
    else
        TileBackground(Target, Index);
}

QPixmap Pictures::MainPic(int16_t i) const
{
    if (i < 1 || i > 52)
        noPicture("card-face", i);
    return art::Face(i, art::AppDpr());
}

QPixmap Pictures::RightPic(int32_t i) const
{
    if (i < 0 || i > 17)
        noPicture("place-marker", i);
    return art::Marker(i, art::AppDpr());
}

QPixmap Pictures::DeckPic() const
{
    // A back id edited into the settings that names no back shows the default
    // back rather than ending the program.
    const int id = data_.DeckIndex();
    return art::Back(art::IsBack(id) ? id : art::DefaultBack, art::AppDpr());
}

QIcon Pictures::Icon() const { return art::AppIcon(); }

} // namespace tw
