#include "settings/data.h"
#include "table/app.h"
#include "table/mainwindow.h"
#include "table/select.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace tw;

namespace {

// The program's windows that have no owner: what is left of a run once it
// has returned.
QList<QPointer<QWidget>> ownerlessWindows()
{
    QList<QPointer<QWidget>> list;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            list << QPointer<QWidget>(w);
    return list;
}

QWidget *findWindow(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

struct RunResult {
    int rc = -1;
    QList<QPointer<QWidget>> seen; // every ownerless window shown during the run
    bool helpShown = false;
    bool helpBuiltEarly = false; // the help window existed before help was asked for
    bool selectorShown = false;
};

// Runs the whole program: the splash is clicked away at once, then `act`
// runs on the table and ends the run the way it chooses.
RunResult runProgram(const std::function<void(frmMain &)> &act)
{
    RunResult r;
    // Start-up may let pending events through before the event loop runs;
    // the run is driven only from inside the loop.
    QTimer driver;
    driver.setInterval(10);
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (QThread::currentThread()->loopLevel() < 1)
            return;
        driver.stop();
        mLoad::SplashDone();
        frmMain *main = mLoad::mainWindow();
        if (!main) {
            QCoreApplication::exit(3);
            return;
        }
        main->setAnimationDelay(0);
        for (QWidget *w : QApplication::topLevelWidgets())
            r.helpBuiltEarly = r.helpBuiltEarly || w->objectName() == QStringLiteral("HelpWindow");
        main->mHelp_Click(HelpItem::Contents);
        r.helpShown = findWindow(QStringLiteral("HelpWindow")) != nullptr;
        r.selectorShown = frmSelect::instance() != nullptr;
        r.seen = ownerlessWindows();
        act(*main);
    });
    driver.start();
    r.rc = mLoad::Run();
    return r;
}

void expectNothingLeft(const RunResult &r)
{
    EXPECT_EQ(r.rc, 0);
    EXPECT_TRUE(r.helpShown);
    EXPECT_FALSE(r.helpBuiltEarly); // built on first use, not at start-up
    EXPECT_TRUE(r.selectorShown);
    EXPECT_GE(r.seen.size(), 3); // table, selector, help
    for (const QPointer<QWidget> &w : r.seen)
        EXPECT_TRUE(w.isNull()) << "still there after the run: " << qPrintable(w->objectName());
    EXPECT_TRUE(ownerlessWindows().isEmpty());
    EXPECT_EQ(mLoad::data(), nullptr);
    EXPECT_EQ(mLoad::mainWindow(), nullptr);
}

QString scoreFile(const QString &player)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Tarnwick/") + player
           + QStringLiteral(".sre");
}

} // namespace

// File > Exit leaves the event loop at once; the windows and the long-lived
// objects must still go before the application object does.
TEST(Program, ExitWithHelpOpenReleasesEverythingBeforeReturning)
{
    bool running = false;
    const RunResult r = runProgram([&](frmMain &main) {
        main.startDeal(QStringLiteral("Freecell"), GameNo::number(164));
        running = mLoad::data()->GameRunning();
        main.mHelp_Click(HelpItem::Rules);
        main.mFile_Click(FileItem::Exit);
    });
    expectNothingLeft(r);
    EXPECT_TRUE(running);
    // The game left running is not recorded, not even by the release.
    EXPECT_FALSE(QFile::exists(scoreFile(QStringLiteral("Player1"))));
}

TEST(Program, ClosingTheTableWithHelpOpenReleasesEverything)
{
    const RunResult r = runProgram([](frmMain &main) { main.close(); });
    expectNothingLeft(r);
}

// A second run in the same process starts from scratch.
TEST(Program, RunsAgainAfterARun)
{
    const RunResult r = runProgram([](frmMain &main) { main.mFile_Click(FileItem::Exit); });
    expectNothingLeft(r);
}
