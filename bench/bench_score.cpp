// Score store figures: appending records one game at a time, loading a large
// history of 20 players, and every totals and ranking query over it.
//   bench_score [records]   (default 1000000 loaded records)
#include "benchutil.h"
#include "engine/catalogue.h"
#include "records/recordfile.h"
#include "records/score.h"
#include "settings/data.h"
#include "settings/store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <unistd.h>

using namespace tw;
using tw::bench::procStatusKb;

namespace {

class NoUi : public CorePrompt {
public:
    // Questions are answered No; only errors are told.
    bool Show(const Message &m) override
    {
        if (m.icon == Icon::Critical && !m.yesNo)
            std::fprintf(stderr, "error: %s\n", qPrintable(m.text));
        return false;
    }
    std::optional<QString> SaveFileName(QWidget *, const QString &, const QString &) override { return exportName; }
    std::optional<QString> exportName;
};

struct Timer {
    QElapsedTimer t;
    Timer() { t.start(); }
    double ms() const { return t.nsecsElapsed() / 1e6; }
};

void row(const char *what, double ms) { std::printf("  %-44s %10.1f ms\n", what, ms); }

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const long total = argc > 1 ? std::atol(argv[1]) : 1000000;
    constexpr int players = 20;

    QTemporaryDir dir;
    MemoryStore store;
    cData data(store);
    frmGame::Init(data);
    data.SetAppDataLookup([&dir] { return dir.path(); });
    NoUi ui;
    cScore score(data, &ui);

    std::mt19937_64 rnd(12345);
    const QDateTime base(QDate(2020, 1, 1), QTime(0, 0));

    std::printf("Score store benchmark (%ld loaded records, %d players)\n", total, players);
    std::printf("  baseline VmHWM %ld kB\n", procStatusKb("VmHWM"));

    // 1. One append per finished game, each opening and closing the file.
    data.SetPlayer(1, QStringLiteral("Appender"), true);
    constexpr int appends = 100000;
    {
        Timer t;
        for (int i = 0; i < appends; ++i) {
            data.CurGName(frmGame::NameAt(static_cast<int16_t>(1 + i % frmGame::GameCount)));
            data.CurGNo(GameNo::number(static_cast<qint64>(rnd() % 999999999999999ULL) + 1));
            data.CurTime(static_cast<int32_t>(rnd() % 3600));
            data.CurMoves(static_cast<int16_t>(rnd() % 500));
            data.CurScore(static_cast<int16_t>(static_cast<int>(rnd() % 1000) - 200));
            score.AddScore(static_cast<int16_t>(rnd() % 2));
        }
        const double ms = t.ms();
        row("AddScore x 100000 (append, open/close each)", ms);
        std::printf("  %-44s %10.2f us\n", "  per record", ms * 1000.0 / appends);
    }
    data.SetPlayer(1, QString(), false);

    // 2. Twenty players' files written in one go.
    {
        Timer t;
        for (int p = 1; p <= players; ++p) {
            const QString name = QStringLiteral("Player%1").arg(p);
            data.SetPlayer(static_cast<int16_t>(p), name, p == 1);
            const long n = total / players + (p <= total % players ? 1 : 0);
            QByteArray bytes;
            bytes.reserve(n * 64);
            for (long i = 0; i < n; ++i) {
                bytes += bench::randomScoreLine(rnd, base, i);
            }
            QFile f(dir.path() + QStringLiteral("/Tarnwick/") + name + QStringLiteral(".sre"));
            if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
                return 1;
            }
        }
        row("writing the 20 files (setup, not measured)", t.ms());
    }
    const long hwmBefore = procStatusKb("VmHWM");
    const long rssBefore = procStatusKb("VmRSS");
    std::printf("  before loading: VmRSS %ld kB, VmHWM %ld kB\n", rssBefore, hwmBefore);

    // 3. Load and query.
    Timer all;
    {
        Timer t;
        score.OpenAllScore();
        row("OpenAllScore", t.ms());
    }
    std::printf("  records loaded: %d\n", score.ScoreTop());
    const long rssLoaded = procStatusKb("VmRSS");

    StatTotals st;
    PeriodTotals pt;
    {
        Timer t;
        score.SumStats(st);
        row("SumStats", t.ms());
    }
    std::printf("    played %lld won %lld score %lld moves %lld time %lld\n", static_cast<long long>(st.Played),
                static_cast<long long>(st.Won), static_cast<long long>(st.Score), static_cast<long long>(st.Moves),
                static_cast<long long>(st.Time));
    {
        Timer t;
        score.SumGameStats(QStringLiteral("Freecell"), st);
        row("SumGameStats (one game)", t.ms());
    }
    {
        Timer t;
        for (int16_t g = 1; g <= frmGame::GameCount; ++g)
            score.SumGameStats(frmGame::NameAt(g), st);
        row("SumGameStats x 35 games", t.ms());
    }
    {
        Timer t;
        score.SumPlayerStats(QStringLiteral("Player7"), st);
        row("SumPlayerStats (one player)", t.ms());
    }
    for (const char *iv : {"d", "m", "yyyy"}) {
        Timer t;
        score.SumPeriodStats(QStringLiteral("2022-06-15 12:00:00"), QString::fromLatin1(iv), pt);
        const QByteArray what = QByteArray("SumPeriodStats \"") + iv + "\" (" + pt.Label.toUtf8() + ", "
                                + QByteArray::number(pt.Played) + " games)";
        row(what.constData(), t.ms());
    }
    {
        Timer t;
        score.Sort(QString(), QString(), 0);
        row("Sort (all games, all players)", t.ms());
    }
    {
        Timer t;
        score.Sort(QStringLiteral("Freecell"), QStringLiteral("Player3"), 1);
        row("Sort (one game, one player, won only)", t.ms());
    }
    {
        Timer t;
        score.FinSort(true, false);
        row("FinSort by time", t.ms());
    }
    {
        Timer t;
        score.FinSort(false, true);
        row("FinSort by moves", t.ms());
    }
    {
        Timer t;
        ScoreRec r;
        for (int32_t n = 1; n <= 1000; ++n)
            score.GetGameRec(QStringLiteral("Freecell"), n, r);
        row("GetGameRec x 1000 (first call builds index)", t.ms());
    }
    {
        Timer t;
        ScoreRec r;
        const int32_t top = score.ScoreTop();
        for (int32_t i = 1; i <= top; ++i)
            score.GetScoreRec(i, r);
        row("GetScoreRec over every record", t.ms());
    }
    const double loadAndRank = all.ms();
    row("load + every query above", loadAndRank);
    {
        Timer t;
        score.CloseScore();
        row("CloseScore", t.ms());
    }
    {
        Timer t;
        score.OpenAllScore();
        score.Sort(QString(), QString(), 0);
        const double ms = t.ms();
        row("OpenAllScore + Sort (the high-score window)", ms);
        score.CloseScore();
    }
    const long hwmLoaded = procStatusKb("VmHWM");
    {
        ui.exportName = dir.path() + QStringLiteral("/report.txt");
        Timer t;
        score.ExportStat();
        const double ms = t.ms();
        row("ExportStat (loads its own table, writes all)", ms);
        QFile report(*ui.exportName);
        std::printf("    report size %lld bytes\n", static_cast<long long>(report.size()));
        // The floor: the same bytes, already in memory, written the way the
        // report is written (a new file, blocks, fsync, renamed into place).
        QByteArray bytes;
        if (report.open(QIODevice::ReadOnly))
            bytes = report.readAll();
        report.close();
        Timer f;
        QSaveFile out(dir.path() + QStringLiteral("/floor.txt"));
        bool ok = out.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        for (qsizetype at = 0; ok && at < bytes.size(); at += 1 << 16) {
            const qsizetype n = std::min<qsizetype>(1 << 16, bytes.size() - at);
            ok = out.write(bytes.constData() + at, n) == n;
        }
        ok = ok && ::fsync(out.handle()) == 0 && out.commit();
        const double floor = f.ms();
        row(ok ? "  floor: its bytes written to a new file" : "  floor: its bytes written (FAILED)", floor);
        std::printf("    export over floor: %.1f ms (%ld records; wanted: 1000000 in under 1000 ms)\n", ms - floor,
                    total);
    }

    std::printf("  table memory: VmRSS after load %ld kB (+%ld kB over before)\n", rssLoaded, rssLoaded - rssBefore);
    std::printf("  peak VmHWM: %ld kB after load and rankings, %ld kB after the export\n", hwmLoaded,
                procStatusKb("VmHWM"));
    return 0;
}
