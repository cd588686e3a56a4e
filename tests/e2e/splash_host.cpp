// Shows the program's splash window on the display it is given, as the
// program does, but keeps it up until its standard input closes: the test
// that reads the splash through the accessibility bus has no 2 s race to run.
// Exits 0 once stdin is closed.
#include "table/splash.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    tw::frmSplash splash(nullptr);
    auto *timer = splash.findChild<QTimer *>(QStringLiteral("Timer1"));
    if (!timer) {
        std::fprintf(stderr, "the splash has no timer Timer1\n");
        return 2;
    }
    timer->stop();
    splash.show();

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&input] {
        char buf[256];
        if (read(STDIN_FILENO, buf, sizeof buf) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    return QApplication::exec();
}
