// Card faces and place markers.

#include "art_paint.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QPen>
#include <QTransform>
#include <array>
#include <cmath>
#include <vector>

namespace tw::art::detail {

namespace {

constexpr qreal W = 71;
constexpr qreal H = 96;

const QColor kInk(0x2E, 0x2E, 0x38);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kRed(0xC4, 0x12, 0x1F);
const QColor kBlue(0x1F, 0x4E, 0x9A);
const QColor kGold(0xE8, 0xB4, 0x22);
const QColor kSkin(0xF7, 0xDB, 0xB8);
const QColor kCream(0xFC, 0xF4, 0xDE);

// The index. A card covered in a column shows only its top 16 px (a fan of
// 250 twips), one covered in a row only its left 12 px (180 twips), and each
// strip must tell the card: the rank stands in the top-left corner, with the
// suit beside it for the column and below it for the row. Nothing else is
// drawn in either strip.
constexpr qreal kRankX = 6.4;      // centre line of the rank
constexpr qreal kRankTop = 3.0;    // top of its ink
constexpr qreal kRankHeight = 9.5; // capital height of its ink
constexpr qreal kIndexSuitH = 7.6;
constexpr QPointF kSuitBeside(16.3, 7.75);
constexpr QPointF kSuitBelow(kRankX, 21.4);
// The column strip, with room to spare, that the rest of a face keeps clear of.
constexpr qreal kColumnStrip = 17.2;

// The ranks are drawn as strokes rather than set in a font, so that every one
// fits the corner whatever fonts the system has: a "10" as narrow as a
// letter, and a "Q" whose tail cannot be missed. Each glyph is the centre
// line of its strokes on a grid one unit high, from x = 0 to its width.
struct RankGlyph {
    qreal width;
    QPainterPath line;
    QPainterPath tail; // drawn heavier (the tail of the Q)
};

QPainterPath ellipseLine(qreal cx, qreal cy, qreal rx, qreal ry)
{
    QPainterPath p;
    p.addEllipse(QPointF(cx, cy), rx, ry);
    return p;
}

QPainterPath sixLine()
{
    QPainterPath p;
    p.moveTo(0.55, 0.07);
    p.cubicTo(0.48, 0.02, 0.40, 0.0, 0.33, 0.0);
    p.cubicTo(0.12, 0.0, 0.02, 0.25, 0.02, 0.60);
    p.cubicTo(0.02, 0.86, 0.14, 1.0, 0.31, 1.0);
    p.cubicTo(0.49, 1.0, 0.60, 0.87, 0.60, 0.69);
    p.cubicTo(0.60, 0.50, 0.48, 0.39, 0.31, 0.39);
    p.cubicTo(0.17, 0.39, 0.06, 0.47, 0.02, 0.60);
    return p;
}

RankGlyph rankGlyph(int rank)
{
    RankGlyph g;
    QPainterPath &p = g.line;
    switch (rank) {
    case 0: // A
        g.width = 0.78;
        p.moveTo(0.0, 1.0);
        p.lineTo(0.39, 0.0);
        p.lineTo(0.78, 1.0);
        p.moveTo(0.15, 0.63);
        p.lineTo(0.63, 0.63);
        break;
    case 1: // 2
        g.width = 0.62;
        p.moveTo(0.03, 0.25);
        p.cubicTo(0.05, 0.06, 0.20, 0.0, 0.32, 0.0);
        p.cubicTo(0.48, 0.0, 0.60, 0.10, 0.60, 0.27);
        p.cubicTo(0.60, 0.47, 0.35, 0.64, 0.02, 1.0);
        p.lineTo(0.62, 1.0);
        break;
    case 2: // 3
        g.width = 0.60;
        p.moveTo(0.02, 0.12);
        p.cubicTo(0.12, 0.02, 0.25, 0.0, 0.33, 0.0);
        p.cubicTo(0.50, 0.0, 0.58, 0.10, 0.58, 0.23);
        p.cubicTo(0.58, 0.38, 0.45, 0.46, 0.26, 0.46);
        p.cubicTo(0.48, 0.46, 0.60, 0.56, 0.60, 0.72);
        p.cubicTo(0.60, 0.90, 0.47, 1.0, 0.30, 1.0);
        p.cubicTo(0.18, 1.0, 0.07, 0.96, 0.0, 0.86);
        break;
    case 3: // 4
        g.width = 0.64;
        p.moveTo(0.48, 1.0);
        p.lineTo(0.48, 0.0);
        p.lineTo(0.0, 0.70);
        p.lineTo(0.64, 0.70);
        break;
    case 4: // 5
        g.width = 0.60;
        p.moveTo(0.56, 0.0);
        p.lineTo(0.10, 0.0);
        p.lineTo(0.06, 0.45);
        p.cubicTo(0.14, 0.41, 0.22, 0.39, 0.30, 0.39);
        p.cubicTo(0.48, 0.39, 0.60, 0.52, 0.60, 0.69);
        p.cubicTo(0.60, 0.88, 0.47, 1.0, 0.29, 1.0);
        p.cubicTo(0.17, 1.0, 0.06, 0.95, 0.0, 0.87);
        break;
    case 5: // 6
        g.width = 0.60;
        p = sixLine();
        break;
    case 6: // 7
        g.width = 0.60;
        p.moveTo(0.0, 0.0);
        p.lineTo(0.60, 0.0);
        p.cubicTo(0.42, 0.30, 0.30, 0.62, 0.24, 1.0);
        break;
    case 7: // 8
        g.width = 0.60;
        p = ellipseLine(0.30, 0.235, 0.24, 0.235);
        p.addPath(ellipseLine(0.30, 0.725, 0.30, 0.275));
        break;
    case 8: { // 9: the 6 turned round
        g.width = 0.60;
        QTransform t(-1, 0, 0, -1, 0.60, 1.0);
        p = t.map(sixLine());
        break;
    }
    case 9: // 10: a bare stem for the 1, close to a narrow 0
        g.width = 0.88;
        p.moveTo(0.0, 0.20);
        p.lineTo(0.16, 0.0);
        p.lineTo(0.16, 1.0);
        p.addPath(ellipseLine(0.68, 0.5, 0.20, 0.5));
        break;
    case 10: // J
        g.width = 0.50;
        p.moveTo(0.50, 0.0);
        p.lineTo(0.50, 0.70);
        p.cubicTo(0.50, 0.90, 0.40, 1.0, 0.25, 1.0);
        p.cubicTo(0.10, 1.0, 0.0, 0.90, 0.0, 0.76);
        break;
    case 11: // Q
        g.width = 0.82;
        p = ellipseLine(0.40, 0.5, 0.40, 0.5);
        g.tail.moveTo(0.46, 0.66);
        g.tail.lineTo(0.82, 1.04);
        break;
    default: // K
        g.width = 0.68;
        p.moveTo(0.0, 0.0);
        p.lineTo(0.0, 1.0);
        p.moveTo(0.66, 0.0);
        p.lineTo(0.03, 0.60);
        p.moveTo(0.24, 0.40);
        p.lineTo(0.68, 1.0);
        break;
    }
    return g;
}

// The rank's ink, its capitals `height` high with their top at `top`,
// centred on x = `cx`.
QPainterPath rankPath(int rank, qreal cx, qreal top, qreal height)
{
    constexpr qreal stroke = 0.19; // in grid units
    const RankGlyph g = rankGlyph(rank);
    const qreal s = height / (1.0 + stroke);
    QTransform t;
    t.translate(cx - g.width * s / 2, top + stroke * s / 2);
    t.scale(s, s);
    QPainterPathStroker pen;
    pen.setWidth(stroke * s);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::RoundJoin);
    QPainterPath ink = pen.createStroke(t.map(g.line));
    if (!g.tail.isEmpty()) {
        pen.setWidth(stroke * s * 1.35);
        ink.addPath(pen.createStroke(t.map(g.tail)));
    }
    ink.setFillRule(Qt::WindingFill);
    return ink.simplified();
}

void drawCardBase(QPainter &p)
{
    const QPainterPath outline = CardOutline();
    p.fillPath(outline, kPaper);
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
}

void drawIndexOnce(QPainter &p, int suit, int rank, const QColor &col)
{
    p.fillPath(rankPath(rank, kRankX, kRankTop, kRankHeight), col);
    if (suit >= 0) {
        DrawSuit(p, suit, kSuitBeside, kIndexSuitH, col);
        DrawSuit(p, suit, kSuitBelow, kIndexSuitH, col);
    }
}

// The index in the top-left corner and, turned round, in the bottom-right.
void drawIndices(QPainter &p, int suit, int rank, const QColor &col)
{
    drawIndexOnce(p, suit, rank, col);
    p.save();
    p.translate(W, H);
    p.rotate(180);
    drawIndexOnce(p, suit, rank, col);
    p.restore();
}

// Pip centres of the number cards, in the pip field below the column strip.
struct Pip {
    qreal x, y;
};

std::vector<Pip> pipLayout(int rank)
{
    const qreal L = 23.6, C = 35.5, R = 47.4;
    const qreal T = kColumnStrip + 6.8, B = H - T, M = (T + B) / 2;
    const qreal r1 = T + (B - T) / 3, r2 = T + 2 * (B - T) / 3;
    switch (rank + 1) {
    case 2: return {{C, T}, {C, B}};
    case 3: return {{C, T}, {C, M}, {C, B}};
    case 4: return {{L, T}, {R, T}, {L, B}, {R, B}};
    case 5: return {{L, T}, {R, T}, {C, M}, {L, B}, {R, B}};
    case 6: return {{L, T}, {R, T}, {L, M}, {R, M}, {L, B}, {R, B}};
    case 7: return {{L, T}, {R, T}, {C, (T + M) / 2}, {L, M}, {R, M}, {L, B}, {R, B}};
    case 8: return {{L, T}, {R, T}, {C, (T + M) / 2}, {L, M}, {R, M}, {C, (M + B) / 2}, {L, B}, {R, B}};
    case 9: return {{L, T}, {R, T}, {L, r1}, {R, r1}, {C, M}, {L, r2}, {R, r2}, {L, B}, {R, B}};
    case 10:
        return {{L, T},  {R, T},  {C, (T + r1) / 2}, {L, r1}, {R, r1},
                {L, r2}, {R, r2}, {C, (r2 + B) / 2}, {L, B},  {R, B}};
    default: return {};
    }
}

void drawNumberCard(QPainter &p, int suit, int rank)
{
    const QColor col = SuitColor(suit);
    const qreal pipH = suit == 2 ? 13.4 : 12.0;
    for (const Pip &pip : pipLayout(rank))
        DrawSuit(p, suit, QPointF(pip.x, pip.y), pipH, col, pip.y > 48.5);
}

void drawAce(QPainter &p, int suit)
{
    const QColor col = SuitColor(suit);
    const QPointF c(W / 2, H / 2);
    if (suit == 1) {
        // The ace of spades gets the traditional large ornate pip.
        p.save();
        p.setPen(QPen(col, 0.9));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 21.5, 24.5);
        p.setPen(QPen(col, 0.5));
        p.drawEllipse(c, 19.5, 22.5);
        p.restore();
        DrawSuit(p, suit, c, 34, col);
        // A light flourish inside the pip.
        QPainterPath inner = SuitPath(1, QRectF(c.x() - 6.3, c.y() - 10, 12.6, 14));
        p.save();
        p.setPen(QPen(QColor(255, 255, 255, 210), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawPath(inner);
        p.restore();
    } else {
        DrawSuit(p, suit, c, suit == 2 ? 36 : 32, col);
    }
}

// One half of a double-headed court figure, drawn in the panel's upper half.
// (0,0) is the panel's top-left corner; the half is pw wide, hh high.
void drawCourtHalf(QPainter &p, int suit, int rank, qreal pw, qreal hh)
{
    const QColor sc = SuitColor(suit);
    const bool red = IsRed(suit);
    // Robe colours: classic red, blue and gold, varied by suit and rank.
    const QColor robe = (suit + rank) % 2 == 0 ? (red ? kRed : kBlue) : (red ? kBlue : kRed);
    const QColor trim = kGold;
    const qreal cx = pw / 2;
    const QPen outline(QColor(30, 30, 40), 0.6);

    // Held item behind the figure: sword (K), flower (Q), halberd (J).
    p.save();
    if (rank == 12) {
        p.setPen(QPen(QColor(110, 110, 125), 1.3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(6.5, 5.5), QPointF(6.5, hh - 4));
        p.setPen(QPen(trim.darker(130), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.6, 30.0), QPointF(9.4, 30.0));
        p.setPen(outline);
        p.setBrush(QColor(230, 230, 240));
        QPainterPath tip;
        tip.moveTo(6.5, 3.2);
        tip.lineTo(7.4, 6);
        tip.lineTo(5.6, 6);
        tip.closeSubpath();
        p.drawPath(tip);
    } else if (rank == 11) {
        p.setPen(QPen(QColor(40, 120, 50), 0.9));
        p.drawLine(QPointF(pw - 7, hh - 6), QPointF(pw - 7.5, 9.5));
        p.setBrush(QColor(60, 150, 70));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(pw - 9.2, 14), 1.8, 0.9);
        p.setBrush(red ? kRed : kBlue);
        for (int i = 0; i < 5; ++i) {
            p.save();
            p.translate(pw - 7.5, 8);
            p.rotate(i * 72);
            p.drawEllipse(QPointF(0, -1.6), 1.1, 1.6);
            p.restore();
        }
        p.setBrush(kGold);
        p.drawEllipse(QPointF(pw - 7.5, 8), 1.0, 1.0);
    } else {
        p.setPen(QPen(QColor(120, 80, 40), 1.1, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(pw - 6.5, 9), QPointF(pw - 6.5, hh - 3));
        p.setPen(outline);
        p.setBrush(QColor(215, 215, 228));
        QPainterPath axe;
        axe.moveTo(pw - 6.5, 3.5);
        axe.lineTo(pw - 5.2, 8);
        axe.quadTo(pw - 2.2, 9.5, pw - 2.6, 13.5);
        axe.lineTo(pw - 6.5, 12);
        axe.lineTo(pw - 7.8, 8);
        axe.closeSubpath();
        p.drawPath(axe);
    }
    p.restore();

    // Queen's hair falls behind the shoulders.
    p.setPen(outline);
    if (rank == 11) {
        p.setBrush(QColor(196, 140, 40));
        QPainterPath hair;
        hair.moveTo(cx - 6.4, 14);
        hair.cubicTo(cx - 8.5, 20, cx - 7.5, 25, cx - 5.5, 27);
        hair.lineTo(cx + 5.5, 27);
        hair.cubicTo(cx + 7.5, 25, cx + 8.5, 20, cx + 6.4, 14);
        hair.cubicTo(cx + 5, 9, cx - 5, 9, cx - 6.4, 14);
        p.drawPath(hair);
    }

    // Robe and shoulders, down to the middle of the card where the two halves meet.
    QPainterPath robePath;
    robePath.moveTo(3.5, hh + 0.5);
    robePath.lineTo(3.5, 33);
    robePath.cubicTo(3.5, 28.5, 7.5, 26.2, cx - 6, 25.6);
    robePath.lineTo(cx + 6, 25.6);
    robePath.cubicTo(pw - 7.5, 26.2, pw - 3.5, 28.5, pw - 3.5, 33);
    robePath.lineTo(pw - 3.5, hh + 0.5);
    robePath.closeSubpath();
    p.setBrush(robe);
    p.drawPath(robePath);
    // A sleeve in the second colour, ending in the hand that holds the item.
    const QColor sleeve = robe == kRed ? kBlue : kRed;
    const bool leftHand = rank == 12;
    const QPointF hand(leftHand ? 6.5 : pw - (rank == 11 ? 7.2 : 6.5), rank == 11 ? 30.5 : 32.5);
    const QPointF shoulder(leftHand ? cx - 9.5 : cx + 9.5, 27.8);
    QPainterPath arm;
    arm.moveTo(shoulder);
    arm.quadTo(QPointF(hand.x() + (leftHand ? 2.5 : -2.5), 27.2), hand + QPointF(leftHand ? 1.2 : -1.2, -0.6));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 30, 40), 5.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arm);
    p.setPen(QPen(sleeve, 3.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arm);
    p.setPen(outline);
    p.setBrush(kSkin);
    p.drawEllipse(hand, 2.0, 1.8);
    // A centre band with the suit, edged in gold.
    p.setBrush(trim);
    p.drawRect(QRectF(cx - 4.2, 27, 8.4, hh - 26.5));
    p.setBrush(QColor(255, 250, 235));
    p.drawRect(QRectF(cx - 3.0, 27, 6.0, hh - 26.5));
    DrawSuit(p, suit, QPointF(cx, 32.6), 5.0, sc);
    // Gold trim at the hem.
    p.setPen(QPen(trim, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(4, hh - 2.2), QPointF(cx - 4.5, hh - 2.2));
    p.drawLine(QPointF(cx + 4.5, hh - 2.2), QPointF(pw - 4, hh - 2.2));
    p.setPen(outline);

    // Collar.
    p.setBrush(rank == 10 ? kGold : QColor(255, 255, 255));
    QPainterPath collar;
    collar.moveTo(cx - 8, 25.3);
    collar.quadTo(cx, 31, cx + 8, 25.3);
    collar.quadTo(cx, 23.5, cx - 8, 25.3);
    p.drawPath(collar);

    // King's beard under the face.
    if (rank == 12) {
        p.setBrush(QColor(150, 110, 70));
        QPainterPath beard;
        beard.moveTo(cx - 5.2, 18);
        beard.cubicTo(cx - 5.5, 25, cx - 2, 28.5, cx, 28.5);
        beard.cubicTo(cx + 2, 28.5, cx + 5.5, 25, cx + 5.2, 18);
        beard.closeSubpath();
        p.drawPath(beard);
    }

    // Head.
    p.setBrush(kSkin);
    p.drawEllipse(QPointF(cx, 18.0), 5.4, 6.4);
    if (rank == 12) {
        p.setBrush(QColor(150, 110, 70));
        QPainterPath mo;
        mo.moveTo(cx - 3.2, 20.6);
        mo.quadTo(cx, 19.2, cx + 3.2, 20.6);
        mo.quadTo(cx, 22.2, cx - 3.2, 20.6);
        p.drawPath(mo);
    } else {
        p.setPen(QPen(QColor(170, 60, 60), 0.6));
        p.drawLine(QPointF(cx - 1.2, 21.0), QPointF(cx + 1.2, 21.0));
        p.setPen(outline);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 40));
    p.drawEllipse(QPointF(cx - 1.9, 16.9), 0.6, 0.6);
    p.drawEllipse(QPointF(cx + 1.9, 16.9), 0.6, 0.6);
    p.setPen(outline);

    // Headwear: crown (K), coronet (Q), cap with a feather (J).
    if (rank == 12) {
        p.setBrush(kGold);
        QPainterPath crown;
        crown.moveTo(cx - 5.8, 13.2);
        crown.lineTo(cx - 6.4, 6.2);
        crown.lineTo(cx - 3.2, 9.5);
        crown.lineTo(cx, 4.8);
        crown.lineTo(cx + 3.2, 9.5);
        crown.lineTo(cx + 6.4, 6.2);
        crown.lineTo(cx + 5.8, 13.2);
        crown.closeSubpath();
        p.drawPath(crown);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(cx, 11.2), 1.0, 1.0);
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(cx - 3.5, 11.6), 0.75, 0.75);
        p.drawEllipse(QPointF(cx + 3.5, 11.6), 0.75, 0.75);
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QPointF(cx, 4.6), 0.8, 0.8);
        p.drawEllipse(QPointF(cx - 6.4, 6.0), 0.7, 0.7);
        p.drawEllipse(QPointF(cx + 6.4, 6.0), 0.7, 0.7);
        p.setPen(outline);
    } else if (rank == 11) {
        p.setBrush(kGold);
        QPainterPath crown;
        crown.moveTo(cx - 5.0, 12.6);
        crown.lineTo(cx - 5.0, 9.0);
        crown.quadTo(cx - 2.5, 10.8, cx, 7.4);
        crown.quadTo(cx + 2.5, 10.8, cx + 5.0, 9.0);
        crown.lineTo(cx + 5.0, 12.6);
        crown.quadTo(cx, 11.4, cx - 5.0, 12.6);
        p.drawPath(crown);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QPointF(cx, 7.0), 0.9, 0.9);
        p.drawEllipse(QPointF(cx - 5.0, 8.6), 0.7, 0.7);
        p.drawEllipse(QPointF(cx + 5.0, 8.6), 0.7, 0.7);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(cx, 10.8), 0.8, 0.8);
        p.setPen(outline);
    } else {
        // Feather first, so the cap covers its quill.
        p.setBrush(red ? kBlue : kRed);
        QPainterPath feather;
        feather.moveTo(cx + 2, 10);
        feather.cubicTo(cx + 6, 6, cx + 9, 4.5, cx + 11.5, 4.8);
        feather.cubicTo(cx + 9, 7, cx + 7, 9.5, cx + 3, 11.4);
        feather.closeSubpath();
        p.drawPath(feather);
        p.setBrush(robe.darker(115));
        QPainterPath cap;
        cap.moveTo(cx - 7.2, 13.0);
        cap.quadTo(cx - 6, 6.5, cx, 6.8);
        cap.quadTo(cx + 6, 6.5, cx + 7.2, 13.0);
        cap.quadTo(cx, 11.2, cx - 7.2, 13.0);
        p.drawPath(cap);
        p.setPen(QPen(trim, 1.0));
        p.drawLine(QPointF(cx - 6.6, 12.3), QPointF(cx + 6.6, 12.3));
        p.setPen(outline);
    }

    // The suit and the letter in the panel's corner.
    const qreal sx = rank == 12 ? pw - 5.2 : 5.2;
    DrawSuit(p, suit, QPointF(sx, 5.4), 6.4, sc);
    p.fillPath(TextPath(RankText(rank), SerifFont(true), 5.2, QPointF(sx, 16.0), Qt::AlignHCenter), sc);
}

void drawCourt(QPainter &p, int suit, int rank)
{
    // The figure is drawn on a 40 x 77 panel and fitted into the room the
    // index strips leave, a little less high than wide.
    constexpr qreal designW = 40, designH = 77;
    const qreal top = kColumnStrip + 0.8;
    const QRectF panel(17, top, W - 2 * 17, H - 2 * top);
    const qreal sx = panel.width() / designW, sy = panel.height() / designH;
    const QColor sc = SuitColor(suit);
    p.save();
    QPainterPath clip;
    clip.addRect(panel);
    p.fillPath(clip, kCream);
    p.setClipPath(clip);
    p.translate(panel.topLeft());
    p.scale(sx, sy);
    drawCourtHalf(p, suit, rank, designW, designH / 2);
    p.translate(designW, designH);
    p.rotate(180);
    drawCourtHalf(p, suit, rank, designW, designH / 2);
    p.restore();
    // Frame: a suit-coloured rule with a gold line inside.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGold, 0.8));
    p.drawRect(panel.adjusted(1.2, 1.2, -1.2, -1.2));
    p.setPen(QPen(sc, 1.0));
    p.drawRect(panel);
}

// Markers -------------------------------------------------------------------

const QColor kPlaceFill(0xC9, 0xD4, 0xE1);
const QColor kPlaceEdge(0x7D, 0x8E, 0xA6);
const QColor kPlaceInk(0x8C, 0x9D, 0xB5);

void drawFoundationPlace(QPainter &p, int rank)
{
    const QPainterPath outline = CardOutline();
    p.fillPath(outline, kPlaceFill);
    p.setPen(QPen(kPlaceEdge, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
    // Inner rule.
    QPainterPath inner;
    inner.addRoundedRect(QRectF(4, 4, W - 8, H - 8), 3.5, 3.5);
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.0));
    p.drawPath(inner);
    // A faint emblem of the four suits.
    const QColor faint(0xAE, 0xBD, 0xCF);
    const QPointF c(W / 2, H / 2);
    p.setPen(QPen(faint, 1.2));
    p.drawEllipse(c, 20, 20);
    DrawSuit(p, 0, c + QPointF(0, -9.5), 11, faint);
    DrawSuit(p, 1, c + QPointF(9.5, 0), 11, faint);
    DrawSuit(p, 2, c + QPointF(0, 9.5), 11.5, faint);
    DrawSuit(p, 3, c + QPointF(-9.5, 0), 11, faint);
    if (rank >= 0)
        drawIndices(p, -1, rank, kPlaceInk.darker(115));
}

void drawPlainPlace(QPainter &p)
{
    QPainterPath outer;
    outer.addRoundedRect(QRectF(0.5, 0.5, W - 1, H - 1), 5, 5);
    p.fillPath(outer, QColor(255, 255, 255, 34));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 70), 1.0));
    p.drawPath(outer);
    QPainterPath inner;
    inner.addRoundedRect(QRectF(1.7, 1.7, W - 3.4, H - 3.4), 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1.4));
    p.drawPath(inner);
}

void drawStop(QPainter &p)
{
    drawPlainPlace(p);
    const QPointF c(W / 2, H / 2);
    QPolygonF oct;
    for (int i = 0; i < 8; ++i) {
        const double a = (22.5 + 45.0 * i) * M_PI / 180.0;
        oct << c + QPointF(std::cos(a) * 26, std::sin(a) * 26);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPolygon(oct.translated(0.8, 1.2));
    p.setBrush(QColor(255, 255, 255));
    p.drawPolygon(oct);
    QPolygonF in;
    for (int i = 0; i < 8; ++i) {
        const double a = (22.5 + 45.0 * i) * M_PI / 180.0;
        in << c + QPointF(std::cos(a) * 23.6, std::sin(a) * 23.6);
    }
    p.setBrush(QColor(0xC8, 0x16, 0x1E));
    p.drawPolygon(in);
    p.fillPath(TextPath(QStringLiteral("STOP"), SansFont(true, true), 9.5, QPointF(c.x(), c.y() + 4.75),
                        Qt::AlignHCenter, 36),
               QColor(255, 255, 255));
}

void drawCircularArrows(QPainter &p, const QString &word)
{
    drawPlainPlace(p);
    const QPointF c(W / 2, H / 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(c + QPointF(0.8, 1.2), 27, 27);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(c, 27, 27);
    p.setBrush(QColor(0x1E, 0x8C, 0x3A));
    p.drawEllipse(c, 25, 25);
    // Two arrows chasing each other round the word.
    const qreal r = 18.5;
    const QColor white(255, 255, 255);
    for (int k = 0; k < 2; ++k) {
        const qreal start = 20 + 180 * k; // degrees, counter-clockwise from 3 o'clock
        const qreal span = 130;
        QPainterPath arc;
        QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
        arc.arcMoveTo(box, start);
        arc.arcTo(box, start, span);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(white, 3.2, Qt::SolidLine, Qt::FlatCap));
        p.drawPath(arc);
        // Arrowhead at the end of the arc, pointing along it.
        const double a = (start + span) * M_PI / 180.0;
        const QPointF tip(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
        const QPointF along(-std::sin(a), -std::cos(a)); // direction of travel
        const QPointF out(std::cos(a), -std::sin(a));
        QPolygonF head;
        head << tip + along * 5.5 << tip + out * 5.0 << tip - out * 5.0;
        p.setPen(Qt::NoPen);
        p.setBrush(white);
        p.drawPolygon(head);
    }
    p.fillPath(TextPath(word, SansFont(true, true), 6.4, QPointF(c.x(), c.y() + 3.2), Qt::AlignHCenter, 27), white);
}

} // namespace

QPainterPath CardOutline()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0.5, 0.5, W - 1, H - 1), 5, 5);
    return path;
}

QImage RenderFace(int index, qreal dpr)
{
    if (index < 1 || index > 52)
        return {};
    const int suit = (index - 1) / 13;
    const int rank = (index - 1) % 13;
    QImage img = NewImage(QSize(71, 96), dpr);
    QPainter p(&img);
    Prepare(p);
    drawCardBase(p);
    drawIndices(p, suit, rank, SuitColor(suit));
    if (rank == 0)
        drawAce(p, suit);
    else if (rank >= 10)
        drawCourt(p, suit, rank);
    else
        drawNumberCard(p, suit, rank);
    return img;
}

QImage RenderMarker(int index, qreal dpr)
{
    if (index < 0 || index > 17)
        return {};
    QImage img = NewImage(QSize(71, 96), dpr);
    QPainter p(&img);
    Prepare(p);
    if (index <= 12)
        drawFoundationPlace(p, index);
    else if (index == 13)
        drawFoundationPlace(p, -1);
    else if (index == 14)
        drawPlainPlace(p);
    else if (index == 15)
        drawStop(p);
    else
        drawCircularArrows(p, index == 16 ? QStringLiteral("Redeal") : QStringLiteral("Refill"));
    return img;
}

} // namespace tw::art::detail
