// The floor for the program's own windows: an empty Qt main window, built with
// the same Qt and flags as the program. The start-up benchmark times its first
// window and its memory; the drawing benchmark times a key press (F2) that
// repaints the whole window once, as the least a redraw of that size takes.
//
//   bench_emptywindow [width height] [--timers]
//
// With --timers the window also runs what the program's table must run at
// rest: a 100 ms and a 500 ms timer, doing nothing, and a caption in its menu
// bar whose text changes once a second (the game's time): the least an open
// game can cost.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QTimer>

#include <cstring>

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
    bool timers = false;
    for (int i = 1; i < argc; ++i)
        timers = timers || std::strcmp(argv[i], "--timers") == 0;
    if (argc > 2 && argv[1][0] != '-')
        w.resize(atoi(argv[1]), atoi(argv[2]));
    QTimer menu, status;
    int ticks = 0;
    if (timers) {
        QAction *caption = w.menuBar()->addAction(QStringLiteral("Time :0:00:00"));
        QObject::connect(&menu, &QTimer::timeout, [] {});
        QObject::connect(&status, &QTimer::timeout, [&ticks, caption] {
            if (++ticks % 2 == 0)
                caption->setText(QStringLiteral("Time :0:%1:%2")
                                     .arg(ticks / 120 % 60, 2, 10, QLatin1Char('0'))
                                     .arg(ticks / 2 % 60, 2, 10, QLatin1Char('0')));
        });
        menu.start(100);
        status.start(500);
    }
    w.show();
    return QApplication::exec();
}
