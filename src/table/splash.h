#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tw {

// The splash window: the word picture and the version. It ends on the first
// of its 2000 ms timer, a click or a key press, and then hands over once.
//
// Its picture is drawn at build time for the device pixel ratios 1 and 2, so
// the first window of the program shows without a font being loaded; at
// other ratios it is drawn here.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(std::function<void()> done, QWidget *parent = nullptr);
    // "Version : " with the major and minor version, as the picture shows it.
    static QString versionText();
    // The picture drawn at build time for the ratio 1 or 2; null for others.
    static QImage builtInPicture(int ratio);
    const QPixmap &picture() const { return picture_; }
    bool finished() const { return finished_; }

protected:
    void mousePressEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void showEvent(QShowEvent *) override;
    void paintEvent(QPaintEvent *) override;

private:
    void finish();

    QTimer Timer1;
    QPixmap picture_;
    std::function<void()> done_;
    bool finished_ = false;
};

} // namespace tw
