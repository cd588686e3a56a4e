#pragma once

#include "engine/engine.h"

#include <QPixmap>
#include <QWidget>

namespace tw {

// A card or a place marker. One that is not on the table stands outside it,
// where nothing paints it and no click reaches it, rather than being hidden:
// Qt asks the X server where the pointer is (one round trip) for every child
// widget shown while the mouse is over the window, which a deal did for each
// of its cards and markers.
class TableControl : public QWidget {
public:
    explicit TableControl(QWidget *parent);
    // On the table at `at` (pixels of the table), or off it.
    void Place(bool onTable, QPoint at);
    bool OnTable() const { return onTable_; }

private:
    bool onTable_ = false;
};

// One playing card on the table. Its value, place and face state live in the
// engine, which the control asks by its index; the control shows the back or
// the face, inverted while selected, and passes its mouse events on in twips
// relative to its top-left corner.
class QelCard : public TableControl {
    Q_OBJECT
public:
    QelCard(int index, const Engine &engine, QWidget *parent);

    int Index() const { return index_; }
    void DeckPic(const QPixmap &pic); // an empty picture keeps the old one
    void MainPic(const QPixmap &pic);
    void Refreshcard();

    bool Selected() const { return state().Selected; }
    int32_t FaceMode() const { return state().FaceMode; }
    int16_t Cell() const { return state().Cell; }
    int16_t Pile() const { return state().Pile; }
    int16_t Pos() const { return state().Pos; }
    int16_t Num() const { return state().Num; }
    int16_t Suit() const { return state().Suit; }
    int16_t Suitpile() const { return state().Suitpile; }
    int32_t Color() const { return state().Color(); }

    // Places the control where the card's twips put it, or off the table
    // while the card is not shown.
    void SyncGeometry();
    int RefreshCount() const { return refreshes_; }

signals:
    void DblClick(int index);
    void MouseDown(int index, float X, float Y);
    void MouseMove(int index, float X, float Y);
    void MouseUp(int index, float X, float Y);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    const CardState &state() const { return engine_.Cards[static_cast<size_t>(index_)]; }

    int index_;
    const Engine &engine_;
    QPixmap back_;
    QPixmap face_;
    QPixmap inverted_; // the face with its colours inverted, made on demand
    QPixmap shown_;
    int refreshes_ = 0;
};

// The marker of an empty place. Shows one picture and raises a click.
class QelEmpty : public TableControl {
    Q_OBJECT
public:
    explicit QelEmpty(QWidget *parent);
    void Pic(const QPixmap &pic); // an empty picture keeps the old one
    int32_t Mode() const { return mode_; }
    void Mode(int32_t m);
    void Refreshcard();

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    QPixmap pic_;
    int32_t mode_ = 0;
};

} // namespace tw
