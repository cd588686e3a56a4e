#include "cards.h"

#include "engine/numeric.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tw {

namespace {
constexpr int CardPx = CardWidth / TwipsPerPixel;  // 71
constexpr int CardPy = CardHeight / TwipsPerPixel; // 96

// Draws the part of a card-sized picture that a paint event asks for; the
// rest of the control is still on screen.
void paintPart(QWidget *w, QPaintEvent *e, const QPixmap &pic)
{
    if (pic.isNull())
        return;
    QPainter p(w);
    const QRect r = e->rect() & QRect(0, 0, CardPx, CardPy);
    const qreal sx = pic.width() / static_cast<qreal>(CardPx);
    const qreal sy = pic.height() / static_cast<qreal>(CardPy);
    p.drawPixmap(QRectF(r), pic, QRectF(r.x() * sx, r.y() * sy, r.width() * sx, r.height() * sy));
}
// Far beyond the table's left and top edges, whatever the scale.
constexpr QPoint OffTable(-100000, -100000);
} // namespace

TableControl::TableControl(QWidget *parent) : QWidget(parent)
{
    setFixedSize(CardPx, CardPy);
    move(OffTable);
}

void TableControl::Place(bool onTable, QPoint at)
{
    onTable_ = onTable;
    move(onTable ? at : OffTable);
}

QelCard::QelCard(int index, const Engine &engine, QWidget *parent)
    : TableControl(parent), index_(index), engine_(engine)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAttribute(Qt::WA_NoSystemBackground);
    Refreshcard();
}

void QelCard::DeckPic(const QPixmap &pic)
{
    if (pic.isNull())
        return;
    back_ = pic;
    Refreshcard();
}

void QelCard::MainPic(const QPixmap &pic)
{
    if (pic.isNull())
        return;
    face_ = pic;
    inverted_ = QPixmap();
    Refreshcard();
}

void QelCard::Refreshcard()
{
    ++refreshes_;
    if (state().FaceMode == 1) {
        shown_ = back_;
    } else if (state().Selected) {
        if (inverted_.isNull() && !face_.isNull()) {
            QImage img = face_.toImage();
            img.invertPixels(QImage::InvertRgb);
            inverted_ = QPixmap::fromImage(img);
            inverted_.setDevicePixelRatio(face_.devicePixelRatio());
        }
        shown_ = inverted_;
    } else {
        shown_ = face_;
    }
    update();
}

void QelCard::SyncGeometry() { Place(state().Visible, QPoint(twipsToPx(state().Left), twipsToPx(state().Top))); }

void QelCard::paintEvent(QPaintEvent *e) { paintPart(this, e, shown_); }

void QelCard::mousePressEvent(QMouseEvent *e)
{
    emit MouseDown(index_, static_cast<float>(pixelsToTwips(e->position().x())),
                   static_cast<float>(pixelsToTwips(e->position().y())));
}

void QelCard::mouseMoveEvent(QMouseEvent *e)
{
    emit MouseMove(index_, static_cast<float>(pixelsToTwips(e->position().x())),
                   static_cast<float>(pixelsToTwips(e->position().y())));
}

void QelCard::mouseReleaseEvent(QMouseEvent *e)
{
    emit MouseUp(index_, static_cast<float>(pixelsToTwips(e->position().x())),
                 static_cast<float>(pixelsToTwips(e->position().y())));
}

void QelCard::mouseDoubleClickEvent(QMouseEvent *)
{
    // The second press of a double click is not a new press.
    emit DblClick(index_);
}

QelEmpty::QelEmpty(QWidget *parent) : TableControl(parent) { setAttribute(Qt::WA_NoSystemBackground); }

void QelEmpty::Pic(const QPixmap &pic)
{
    if (pic.isNull())
        return;
    pic_ = pic;
    Refreshcard();
}

void QelEmpty::Mode(int32_t m)
{
    mode_ = m;
    Refreshcard();
}

void QelEmpty::Refreshcard() { update(); }

void QelEmpty::paintEvent(QPaintEvent *e) { paintPart(this, e, pic_); }

void QelEmpty::mouseReleaseEvent(QMouseEvent *e)
{
    if (rect().contains(e->position().toPoint()))
        emit Click();
}

} // namespace tw
