// The floor for the program's own windows: an empty Qt main window, built with
// the same Qt and flags as the program. The start-up benchmark times its first
// window and its memory; the drawing benchmark times a key press (F2) that
// repaints the whole window once, as the least a redraw of that size takes.
//
//   bench_emptywindow [width height]
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPainter>

namespace {
class EmptyWindow : public QMainWindow {
protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        if (e->key() == Qt::Key_F2)
            repaint();
        else
            QMainWindow::keyPressEvent(e);
    }
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    EmptyWindow w;
    if (argc > 2)
        w.resize(atoi(argv[1]), atoi(argv[2]));
    w.show();
    return QApplication::exec();
}
