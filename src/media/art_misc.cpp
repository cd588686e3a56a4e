// The word picture, the toolbar pictures, the application icon and the game
// previews.

#include "art_paint.h"
#include "artwork.h"

#include "engine/catalogue.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "settings/data.h"
#include "settings/store.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <vector>

namespace tw::art::detail {

// Word picture and splash ------------------------------------------------------

QImage RenderWords(qreal dpr)
{
    QImage img = NewImage(QSize(210, 60), dpr);
    QPainter p(&img);
    Prepare(p);
    QFont font = SerifFont(true);
    font.setItalic(true);
    const QPainterPath text = TextPath(QStringLiteral("Tarnwick"), font, 29, QPointF(105, 40), Qt::AlignHCenter, 198);
    const QRectF br = text.boundingRect();

    // Soft shadow: the outline several times at small offsets with low alpha.
    for (int i = 0; i < 6; ++i) {
        const qreal d = 1.0 + i * 0.45;
        p.fillPath(text.translated(d, d * 1.1), QColor(0, 0, 0, 22));
    }
    QLinearGradient g(br.topLeft(), br.bottomLeft());
    g.setColorAt(0.0, QColor(0xFF, 0xF2, 0xB0));
    g.setColorAt(0.45, QColor(0xF2, 0xB8, 0x2E));
    g.setColorAt(0.55, QColor(0xD9, 0x8A, 0x12));
    g.setColorAt(1.0, QColor(0x9E, 0x3C, 0x0C));
    p.setPen(QPen(QColor(0x4A, 0x1E, 0x06), 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(g);
    p.drawPath(text);
    // A thin highlight along the upper edges.
    p.save();
    p.setClipPath(text);
    p.setPen(QPen(QColor(255, 255, 255, 110), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(text.translated(0.7, 0.9));
    p.restore();

    // The four suits in a row beneath, with short rules either side.
    const qreal y = 51.5;
    const qreal step = 11;
    const qreal x0 = 105 - 1.5 * step;
    for (int s = 0; s < 4; ++s) {
        const int suit = (s == 0) ? 1 : (s == 1) ? 0 : (s == 2) ? 3 : 2;
        const QPointF c(x0 + s * step, y);
        // A pale rim keeps the black suits visible on a dark splash.
        p.save();
        p.setPen(QPen(QColor(255, 255, 255, 150), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        const qreal sw = suit == 1 ? 7.2 : suit == 3 ? 7.84 : 8.0;
        p.drawPath(SuitPath(suit, QRectF(c.x() - sw / 2, c.y() - 4, sw, 8)));
        p.restore();
        DrawSuit(p, suit, c, 8, SuitColor(suit));
    }
    QLinearGradient rule(QPointF(30, 0), QPointF(180, 0));
    rule.setColorAt(0, QColor(0xD9, 0x8A, 0x12, 0));
    rule.setColorAt(0.5, QColor(0xD9, 0x8A, 0x12, 255));
    rule.setColorAt(1, QColor(0xD9, 0x8A, 0x12, 0));
    p.setPen(QPen(QBrush(rule), 1.0));
    p.drawLine(QPointF(34, y), QPointF(x0 - 8, y));
    p.drawLine(QPointF(x0 + 3 * step + 8, y), QPointF(176, y));
    return img;
}

QImage RenderSplash(qreal dpr, const QString &version)
{
    QImage img = NewImage(QSize(art::SplashWidth, art::SplashHeight), dpr);
    img.fill(QColor(16, 72, 40));
    QPainter p(&img);
    Prepare(p);
    p.drawImage(QPointF((art::SplashWidth - art::WordsWidth) / 2.0, 32), RenderWords(dpr));
    p.setPen(QColor(240, 236, 210));
    // A font of its own: the picture is drawn on the build machine's
    // offscreen platform as well as on the player's screen.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    p.setFont(font);
    p.drawText(QRectF(0, art::SplashVersionTop, art::SplashWidth, art::SplashVersionHeight),
               Qt::AlignHCenter | Qt::AlignVCenter, version);
    return img;
}

// Toolbar pictures ------------------------------------------------------------------

namespace {

const QColor kOutline(0x2B, 0x3A, 0x55);

void smallCard(QPainter &p, const QRectF &r, qreal angle, int suit)
{
    p.save();
    p.translate(r.center());
    p.rotate(angle);
    const QRectF rr(-r.width() / 2, -r.height() / 2, r.width(), r.height());
    p.setPen(QPen(kOutline, 1.0));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(rr, 1.8, 1.8);
    if (suit >= 0)
        DrawSuit(p, suit, QPointF(0, 0), std::min(r.width(), r.height()) * 0.55, SuitColor(suit));
    p.restore();
}

void curvedArrow(QPainter &p, bool right, const QColor &col)
{
    // An arc over the top, ending in a head that points down-right (redo) or
    // down-left (undo).
    p.save();
    if (!right) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(4.5, 18);
    arc.cubicTo(3.5, 9.5, 12, 5, 17.5, 10.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 5.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arc);
    p.setPen(QPen(col, 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arc);
    QPolygonF head;
    head << QPointF(21.5, 6.0) << QPointF(21.5, 15.5) << QPointF(12.5, 15.0);
    p.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(col);
    p.drawPolygon(head);
    p.restore();
}

void triangles(QPainter &p, bool forward, const QColor &col)
{
    p.save();
    if (!forward) {
        p.translate(24, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(col);
    for (qreal x : {3.0, 12.0}) {
        QPolygonF t;
        t << QPointF(x, 5) << QPointF(x + 9.5, 12) << QPointF(x, 19);
        p.drawPolygon(t);
    }
    p.restore();
}

void drawToolbar(QPainter &p, int index)
{
    const QColor blue(0x3C, 0x7D, 0xD9), green(0x2E, 0xA0, 0x4E), yellow(0xF6, 0xC3, 0x2C), red(0xD9, 0x3A, 0x2F);
    switch (index) {
    case 1: { // New: a fresh card with a sparkle
        smallCard(p, QRectF(3.5, 4.5, 13, 17), -6, 0);
        QPainterPath star;
        const QPointF c(17.5, 6.5);
        for (int i = 0; i < 8; ++i) {
            const double a = i * M_PI / 4 - M_PI / 2;
            const qreal r = (i % 2) ? 1.9 : 5.5;
            const QPointF pt = c + QPointF(std::cos(a) * r, std::sin(a) * r);
            if (i == 0)
                star.moveTo(pt);
            else
                star.lineTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(0x9A, 0x6A, 0x00), 0.8));
        p.setBrush(yellow);
        p.drawPath(star);
        break;
    }
    case 2: { // Select: a choice of games, one picked
        for (int j = 0; j < 2; ++j)
            for (int i = 0; i < 2; ++i) {
                const QRectF r(2.5 + i * 10, 2.5 + j * 10, 9, 9);
                p.setPen(QPen(kOutline, 1.0));
                p.setBrush((i == 0 && j == 0) ? blue : QColor(0xE8, 0xEE, 0xF6));
                p.drawRoundedRect(r, 1.5, 1.5);
            }
        DrawSuit(p, 0, QPointF(7, 7), 5, QColor(255, 255, 255));
        DrawSuit(p, 1, QPointF(17, 7), 5, kOutline);
        DrawSuit(p, 2, QPointF(7, 17), 5, SuitColor(2));
        DrawSuit(p, 3, QPointF(17, 17), 5, kOutline);
        break;
    }
    case 3: { // Restart: a card inside a circular arrow
        smallCard(p, QRectF(8, 7.5, 8, 10.5), 0, 1);
        QPainterPath arc;
        const QRectF box(3, 3, 18, 18);
        arc.arcMoveTo(box, 120);
        arc.arcTo(box, 120, 280);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kOutline, 4.4, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(arc);
        p.setPen(QPen(green, 2.4, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(arc);
        const double a = 40 * M_PI / 180;
        const QPointF tip(12 + 9 * std::cos(a), 12 - 9 * std::sin(a));
        QPolygonF head;
        head << tip + QPointF(-4.6, -3.6) << tip + QPointF(4.2, -4.4) << tip + QPointF(2.0, 4.2);
        p.setPen(QPen(kOutline, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(green);
        p.drawPolygon(head);
        break;
    }
    case 4: { // Autoplay: a card with a lightning bolt
        smallCard(p, QRectF(2.5, 4, 12, 16.5), -8, 2);
        QPolygonF bolt;
        bolt << QPointF(16, 2) << QPointF(10.5, 13) << QPointF(14.5, 13) << QPointF(11.5, 22.5) << QPointF(21, 9.5)
             << QPointF(16.5, 9.5) << QPointF(20, 2);
        p.setPen(QPen(QColor(0x9A, 0x6A, 0x00), 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(yellow);
        p.drawPolygon(bolt);
        break;
    }
    case 5: curvedArrow(p, true, blue); break;
    case 6: curvedArrow(p, false, blue); break;
    case 7: // Replay stop
        p.setPen(QPen(kOutline, 1.0));
        p.setBrush(red);
        p.drawRoundedRect(QRectF(5, 5, 14, 14), 2, 2);
        break;
    case 8: triangles(p, false, blue); break;
    case 9: triangles(p, true, blue); break;
    case 10: { // Statistics: a bar chart
        const qreal heights[4] = {7, 12, 9, 16};
        const QColor cols[4] = {blue, green, yellow, red};
        p.setPen(QPen(kOutline, 1.0));
        for (int i = 0; i < 4; ++i) {
            p.setBrush(cols[i]);
            p.drawRect(QRectF(4.5 + i * 4.5, 20.5 - heights[i], 3.5, heights[i]));
        }
        p.setPen(QPen(kOutline, 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(2.5, 2.5), QPointF(2.5, 21.5));
        p.drawLine(QPointF(2.5, 21.5), QPointF(22, 21.5));
        break;
    }
    case 11: { // Help
        QRadialGradient g(QPointF(9, 8), 14);
        g.setColorAt(0, blue.lighter(135));
        g.setColorAt(1, blue.darker(115));
        p.setPen(QPen(kOutline, 1.0));
        p.setBrush(g);
        p.drawEllipse(QPointF(12, 12), 10, 10);
        p.fillPath(TextPath(QStringLiteral("?"), SansFont(true), 12, QPointF(12, 18), Qt::AlignHCenter),
                   QColor(255, 255, 255));
        break;
    }
    default: break;
    }
}

} // namespace

QImage RenderToolbar(int index, qreal dpr, bool disabled)
{
    if (index < 1 || index > 11)
        return {};
    QImage img = NewImage(QSize(24, 24), dpr);
    {
        QPainter p(&img);
        Prepare(p);
        drawToolbar(p, index);
    }
    if (disabled) {
        for (int y = 0; y < img.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x) {
                const QRgb c = line[x];
                const int a = qAlpha(c) * 45 / 100;
                const int grey = qGray(c) * 45 / 100; // premultiplied: scale with alpha
                line[x] = qRgba(grey, grey, grey, a);
            }
        }
    }
    return img;
}

// Application icon -------------------------------------------------------------------

QImage RenderAppIcon(int size, qreal dpr)
{
    QImage img = NewImage(QSize(size, size), dpr);
    QPainter p(&img);
    Prepare(p);
    p.scale(size / 64.0, size / 64.0);
    const bool tiny = size <= 20;
    auto card = [&](QPointF c, qreal angle, int suit) {
        p.save();
        p.translate(c);
        p.rotate(angle);
        const QRectF r(-15, -21, 30, 42);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 60));
        p.drawRoundedRect(r.translated(1.5, 2), 4, 4);
        p.setPen(QPen(QColor(0x2E, 0x2E, 0x38), tiny ? 3.0 : 1.6));
        p.setBrush(QColor(255, 255, 255));
        p.drawRoundedRect(r, 4, 4);
        const QColor col = SuitColor(suit);
        DrawSuit(p, suit, QPointF(0, 2), tiny ? 26 : 20, col);
        if (!tiny)
            p.fillPath(TextPath(QStringLiteral("A"), SansFont(true, true), 8, QPointF(-9.5, -10), Qt::AlignHCenter),
                       col);
        p.restore();
    };
    card(QPointF(21, 34), -16, 1);
    card(QPointF(43, 31), 13, 0);
    return img;
}

// Game previews ---------------------------------------------------------------------

namespace {

// A table that shows nothing: the preview only reads the engine's state.
class SilentView : public EngineView {};

int roundToInt(double v) { return static_cast<int>(roundHalfEven(v)); }

QImage scaledTo(const QImage &src, QSize devSize, qreal dpr)
{
    QImage s = src.scaled(devSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    s.setDevicePixelRatio(dpr);
    return s;
}

} // namespace

QImage RenderPreview(int index, qreal dpr)
{
    const QString name = frmGame::NameAt(static_cast<int16_t>(index));
    if (name.isEmpty())
        return {};
    MemoryStore store;
    cData data(store);
    frmGame::Init(data);
    SilentView view;
    Engine engine(data, view);
    engine.StartGame(name, GameNo::number(1));

    // The picture shows the part of the table the layout uses, with a margin,
    // so that small layouts are not lost in empty felt.
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    auto extend = [&](double left, double top) {
        minX = std::min(minX, left);
        minY = std::min(minY, top);
        maxX = std::max(maxX, left + 1065);
        maxY = std::max(maxY, top + 1440);
    };
    auto extendMarker = [&](const MarkerState &m) {
        if (m.Visible)
            extend(m.Left, m.Top);
    };
    for (const auto &m : engine.PicHome)
        extendMarker(m);
    for (const auto &m : engine.PicRight)
        extendMarker(m);
    for (const auto &m : engine.PicRes)
        extendMarker(m);
    extendMarker(engine.PicWaste);
    extendMarker(engine.PicStock);
    for (const CardState &c : engine.Cards)
        if (c.Visible)
            extend(c.Left, c.Top);
    if (maxX < minX) {
        minX = minY = 0;
        maxX = 15480;
        maxY = 11205;
    }
    const double margin = 400;
    minX -= margin;
    minY -= margin;
    maxX += margin;
    maxY += margin;
    const double s = std::min(318.0 / (maxX - minX), 201.0 / (maxY - minY)); // logical px per twip
    const double ox = (318.0 - (maxX - minX) * s) / 2 - minX * s;
    const double oy = (201.0 - (maxY - minY) * s) / 2 - minY * s;

    QImage img = NewImage(QSize(318, 201), dpr);
    QPainter p(&img);
    Prepare(p);
    QLinearGradient felt(QPointF(0, 0), QPointF(0, 201));
    felt.setColorAt(0, QColor(0, 100, 0));
    felt.setColorAt(1, QColor(0, 66, 0));
    p.fillRect(QRectF(0, 0, 318, 201), felt);

    // Everything is drawn at whole device pixels from pictures shrunk once, so
    // the small cards stay as sharp as their size allows.
    const QSize cardDev(roundToInt(1065 * s * dpr), roundToInt(1440 * s * dpr));
    const qreal hi = std::max<qreal>(1.0, cardDev.height() / 96.0 * 3);
    auto put = [&](const QImage &pic, double leftTw, double topTw) {
        const int x = roundToInt((ox + leftTw * s) * dpr), y = roundToInt((oy + topTw * s) * dpr);
        p.drawImage(QPointF(x / dpr, y / dpr), pic);
    };
    std::vector<QImage> markers(18);
    auto marker = [&](int i) -> const QImage & {
        if (markers[i].isNull())
            markers[i] = scaledTo(RenderMarker(i, hi), cardDev, dpr);
        return markers[i];
    };
    auto showMarker = [&](const MarkerState &m) {
        if (m.Visible && m.Pic >= 0 && m.Pic <= 17)
            put(marker(m.Pic), m.Left, m.Top);
    };
    for (const auto &m : engine.PicHome)
        showMarker(m);
    for (const auto &m : engine.PicRight)
        showMarker(m);
    for (const auto &m : engine.PicRes)
        showMarker(m);
    showMarker(engine.PicWaste);
    showMarker(engine.PicStock);

    std::vector<int> order;
    for (int i = 0; i < MaxCards; ++i)
        if (engine.Cards[i].Visible)
            order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return engine.Cards[a].Z < engine.Cards[b].Z; });
    std::vector<QImage> faces(53);
    QImage back;
    for (int i : order) {
        const CardState &c = engine.Cards[i];
        if (c.FaceMode == 1) {
            if (back.isNull())
                back = scaledTo(RenderBack(531, hi), cardDev, dpr);
            put(back, c.Left, c.Top);
        } else {
            const int f = c.Suit * 13 + c.Num + 1;
            if (f < 1 || f > 52)
                continue;
            if (faces[f].isNull())
                faces[f] = scaledTo(RenderFace(f, hi), cardDev, dpr);
            put(faces[f], c.Left, c.Top);
        }
    }
    return img;
}

} // namespace tw::art::detail
