// Records windows over a large history: the wall time from opening a window
// to its first full paint, and the memory it needs, on the offscreen platform.
//   bench_windows [records]   (default 1000000 records in 20 players' files)
// The session window reads no file; it is measured with a long day's session
// of 500 games and with a full session table of 32767 games.
// Each window is measured in a process of its own, so the peak resident size
// (VmHWM) of one window is not hidden by an earlier one.
#include "benchutil.h"
#include "engine/catalogue.h"
#include "media/resources_init.h"
#include "records/recordfile.h"
#include "records/score.h"
#include "settings/data.h"
#include "settings/store.h"
#include "statistics/gamestat.h"
#include "statistics/highscore.h"
#include "statistics/logstat.h"
#include "statistics/sesstat.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>

using namespace tw;
using tw::bench::procStatusKb;

namespace {

constexpr int kPlayers = 20;

QString playerName(int p)
{
    // Long names, as the name dialog allows up to 25 characters.
    return QStringLiteral("Player Number %1 Of Many").arg(p, 2, 10, QLatin1Char('0'));
}

// Twenty score files of random games over the last five years.
bool writeHistory(const QString &appDir, long total)
{
    std::mt19937_64 rnd(12345);
    const QDateTime base = QDateTime::currentDateTime().addYears(-5);
    QDir().mkpath(appDir);
    for (int p = 1; p <= kPlayers; ++p) {
        const long n = total / kPlayers + (p <= total % kPlayers ? 1 : 0);
        QByteArray bytes;
        bytes.reserve(n * 72);
        for (long i = 0; i < n; ++i) {
            bytes += bench::randomScoreLine(rnd, base, i);
        }
        QFile f(appDir + playerName(p) + QStringLiteral(".sre"));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
            return false;
        }
    }
    return true;
}

double ms(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e6; }

// Shows the window and paints it completely once.
void showAndPaint(QWidget *w)
{
    w->show();
    QApplication::processEvents();
    w->repaint();
    QApplication::processEvents();
}

// One window in this process: prints "<window> <open ms> <change ms> <tabs ms> <VmHWM kB> <VmHWM before kB>".
int runChild(const QString &window, const QString &dataDir)
{
    int argc = 1;
    char name[] = "bench_windows";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    initResources();
    MemoryStore store;
    cData data(store);
    frmGame::Init(data);
    data.SetAppDataLookup([dataDir] { return dataDir; });
    for (int p = 1; p <= kPlayers; ++p)
        data.SetPlayer(static_cast<int16_t>(p), playerName(p), p == 1);
    data.CurGName(QStringLiteral("Double Klondike Freecell"));
    data.SesStartTime(QDateTime::currentDateTime().addSecs(-3600));
    cScore score(data);
    AppContext ctx;
    ctx.data = &data;
    ctx.score = &score;

    // "session:n": a session of n games (the table holds at most 32767).
    const bool session = window.startsWith(u"session:");
    if (session) {
        std::mt19937 rnd(7);
        const int games = window.mid(8).toInt();
        for (int i = 0; i < games; ++i) {
            data.CurGNo(GameNo::number(999999999999999LL - i));
            data.CurTime(static_cast<int32_t>(rnd() % 3600));
            data.CurMoves(static_cast<int16_t>(rnd() % 500));
            data.CurScore(static_cast<int16_t>(static_cast<int>(rnd() % 1000) - 200));
            score.AddSesGame(static_cast<int16_t>(rnd() % 2));
        }
    }

    // A first window of another kind warms up fonts and styles, so the figure
    // is the window's own work.
    {
        QWidget warm;
        warm.resize(200, 100);
        showAndPaint(&warm);
    }
    const long before = procStatusKb("VmHWM");

    QElapsedTimer t;
    t.start();
    std::unique_ptr<QDialog> w;
    QComboBox *chooser = nullptr;
    int pick = 0;
    if (window == u"log") {
        auto *log = new frmLogStat(ctx);
        chooser = log->imcDate;
        pick = 3; // "Last 30 Days"
        w.reset(log);
    } else if (window == u"gamestat") {
        auto *gs = new frmGameStat(ctx);
        chooser = gs->imcDate;
        pick = 5; // "Last 5 Years"
        w.reset(gs);
    } else if (window == u"highscore") {
        auto *hs = new frmHighScore(ctx);
        chooser = hs->imcGames;
        pick = 7;
        w.reset(hs);
    } else if (session) {
        w.reset(new frmSesStat(ctx));
    } else {
        std::fprintf(stderr, "unknown window %s\n", qPrintable(window));
        return 1;
    }
    showAndPaint(w.get());
    const double open = ms(t);

    double change = 0;
    if (chooser) {
        QElapsedTimer c;
        c.start();
        chooser->setCurrentIndex(pick);
        w->repaint();
        QApplication::processEvents();
        change = ms(c);
    }
    // Every other tab shown once: a chart is laid out only when its tab is.
    double tabs = 0;
    if (auto *tabWidget = w->findChild<QTabWidget *>()) {
        QElapsedTimer c;
        c.start();
        for (int i = 1; i < tabWidget->count(); ++i) {
            tabWidget->setCurrentIndex(i);
            w->repaint();
            QApplication::processEvents();
        }
        tabs = ms(c);
    }
    const long peak = procStatusKb("VmHWM");
    std::printf("%s %.1f %.1f %.1f %ld %ld\n", qPrintable(window), open, change, tabs, peak, before);
    w->close();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (!getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (argc == 4 && QByteArray(argv[1]) == "--child")
        return runChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));

    QCoreApplication app(argc, argv);
    const long total = argc > 1 ? std::atol(argv[1]) : 1000000;
    QTemporaryDir home;
    // The children inherit a private home: nothing touches the real one.
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    const QString dataDir = home.path() + QStringLiteral("/scores");
    if (!writeHistory(dataDir + QStringLiteral("/Tarnwick/"), total))
        return 1;

    std::printf("Records windows with %ld records of %d players (offscreen; goal < 1000 ms and < 300 MB each)\n", total,
                kPlayers);
    std::printf("  %-34s %10s %12s %10s %12s %12s\n", "window", "open ms", "change ms", "tabs ms", "peak MB",
                "window MB");
    const struct {
        const char *key;
        const char *title;
    } windows[] = {
        {"log", "Log Statistics (Last 30 Days)"},
        {"gamestat", "Game Statistics (Last 5 Years)"},
        {"highscore", "High Score (another game)"},
        {"session:500", "Session Statistics (500 games)"},
        {"session:32767", "Session Statistics (32767 games)"},
    };
    int failures = 0;
    for (const auto &win : windows) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--child"), QString::fromLatin1(win.key), dataDir});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            std::printf("  %-34s failed\n", win.title);
            ++failures;
            continue;
        }
        const QList<QByteArray> f = child.readAllStandardOutput().trimmed().split(' ');
        if (f.size() != 6) {
            std::printf("  %-34s no figures\n", win.title);
            ++failures;
            continue;
        }
        const double peakMb = f[4].toLong() / 1024.0;
        const double ownMb = (f[4].toLong() - f[5].toLong()) / 1024.0;
        std::printf("  %-34s %10.1f %12.1f %10.1f %12.1f %12.1f\n", win.title, f[1].toDouble(), f[2].toDouble(),
                    f[3].toDouble(), peakMb, ownMb);
    }
    std::printf("  (tabs ms: every other tab shown once; peak MB: the process's VmHWM, all tabs shown;\n"
                "   window MB: VmHWM growth from opening the window)\n");
    return failures ? 1 : 0;
}
