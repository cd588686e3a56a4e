#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

namespace tw {

// The splash window: the word picture and the version. It ends on the first
// of its 2000 ms timer, a click or a key press, and then hands over once.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(std::function<void()> done, QWidget *parent = nullptr);
    QLabel *lblversion() const { return lblversion_; }
    bool finished() const { return finished_; }

protected:
    void mousePressEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;
    void showEvent(QShowEvent *) override;

private:
    void finish();

    QTimer Timer1;
    QLabel *lblversion_ = nullptr;
    std::function<void()> done_;
    bool finished_ = false;
};

} // namespace tw
