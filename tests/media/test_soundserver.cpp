#include "media/sound.h"

#include "wavefile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

#include <sys/prctl.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>

// The program's sound player heard through a real sound server: a private
// PulseAudio server in the test's own runtime folder, where the test main
// points the sound client, plays into a null sink whose monitor parec
// records. Each of the eight sounds must arrive whole, as long and as loud
// as its file, the first one after start-up included.

using tw::QtSoundPlayer;
using tw::test::parseWave;
using tw::test::WaveInfo;

namespace {

constexpr int kRate = 44100;
// Quieter than this (about -54 dBFS) counts as silence, in the files and in
// the recording alike.
constexpr int kSilence = 64;
// Silence between two sounds, longer than any pause inside one.
constexpr int kGapMs = 500;

// A helper program that goes down with the test, also when the test is
// killed outright (a ctest timeout), so no server outlives it.
struct Child {
    QProcess p;
    Child(const QString &program, const QStringList &args, const QString &output = {})
    {
        p.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
        if (output.isEmpty())
            p.setProcessChannelMode(QProcess::MergedChannels);
        else
            p.setStandardOutputFile(output);
        p.start(program, args);
    }
    ~Child() { End(); }
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;
    void End()
    {
        if (p.state() == QProcess::NotRunning)
            return;
        p.terminate();
        if (!p.waitForFinished(5000)) {
            p.kill();
            p.waitForFinished(5000);
        }
    }
};

// Runs pactl against the private server; false when it fails.
bool Pactl(const QStringList &args, QString *output = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(TW_PACTL), args);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return false;
    if (output)
        *output = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    return true;
}

qint16 SampleAt(const QByteArray &pcm, qsizetype i) { return qFromLittleEndian<qint16>(pcm.constData() + 2 * i); }

// How long and how loud a sound is: from its first to its last sample above
// the silence, with its RMS and peak level there in dBFS.
struct Heard {
    double seconds = 0, rmsDb = -200, peakDb = -200;
    bool any() const { return seconds > 0; }
};

Heard Measure(const QByteArray &pcm, qsizetype from, qsizetype to)
{
    from = std::max<qsizetype>(from, 0);
    to = std::min<qsizetype>(to, pcm.size() / 2);
    qsizetype first = -1, last = -1;
    for (qsizetype i = from; i < to; ++i)
        if (std::abs(int(SampleAt(pcm, i))) > kSilence) {
            if (first < 0)
                first = i;
            last = i;
        }
    Heard h;
    if (first < 0)
        return h;
    double sum = 0;
    int peak = 0;
    for (qsizetype i = first; i <= last; ++i) {
        const int v = SampleAt(pcm, i);
        sum += double(v) * v;
        peak = std::max(peak, std::abs(v));
    }
    h.seconds = double(last - first + 1) / kRate;
    h.rmsDb = 10 * std::log10(sum / double(last - first + 1) / (32768.0 * 32768.0));
    h.peakDb = 20 * std::log10(peak / 32768.0);
    return h;
}

// The window thread kept from its event loop, as a deal that moves and paints
// cards keeps it, or the first paint of a table.
void Busy(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
    }
}

} // namespace

TEST(SoundServer, EverySoundArrivesWholeTheFirstAfterStartUpIncluded)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    ASSERT_FALSE(runtime.isEmpty()) << "the test main gives every test a runtime folder of its own";

    // Only the modules named here. Without rewinds the sink's monitor holds
    // what a listener hears: a sink that rewinds mixes a new stream into
    // audio it has already handed to the monitor, which then misses the
    // start of each sound.
    Child server(QStringLiteral(TW_PULSEAUDIO),
                 {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--use-pid-file=no"),
                  QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--high-priority=no"),
                  QStringLiteral("--realtime=no"), QStringLiteral("--log-target=stderr"),
                  QStringLiteral("--log-level=error"), QStringLiteral("-L"),
                  QStringLiteral("module-null-sink sink_name=tarnwick_test rate=%1 channels=1 format=s16le norewinds=1")
                      .arg(kRate),
                  QStringLiteral("-L"), QStringLiteral("module-native-protocol-unix auth-anonymous=1")});
    ASSERT_TRUE(QTest::qWaitFor([] { return Pactl({QStringLiteral("info")}); }, 20000))
        << "the private sound server did not come up: " << server.p.readAll().toStdString();
    QString sink;
    ASSERT_TRUE(Pactl({QStringLiteral("get-default-sink")}, &sink));
    ASSERT_EQ(sink, QStringLiteral("tarnwick_test"));
    ASSERT_TRUE(Pactl({QStringLiteral("set-sink-volume"), QStringLiteral("tarnwick_test"), QStringLiteral("100%")}));

    const QString recording = runtime + QStringLiteral("/monitor.raw");
    Child recorder(QStringLiteral(TW_PAREC),
                   {QStringLiteral("--device=tarnwick_test.monitor"), QStringLiteral("--raw"),
                    QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(kRate),
                    QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=10")},
                   recording);
    ASSERT_TRUE(QTest::qWaitFor(
        [] {
            QString outputs;
            return Pactl({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("source-outputs")}, &outputs)
                   && !outputs.isEmpty();
        },
        10000));
    QElapsedTimer clock; // the recording's time, give or take its latency
    clock.start();

    // "START" first, as at the first deal after start-up; then the others.
    const QStringList order = {QStringLiteral("START"),  QStringLiteral("AUTOPLAY"), QStringLiteral("CARDDOWN"),
                               QStringLiteral("CARDUP"), QStringLiteral("SEL"),      QStringLiteral("STOCK"),
                               QStringLiteral("UNDO"),   QStringLiteral("WIN")};
    struct Played {
        QString name;
        QByteArray pcm;
        qint64 atMs = 0;
    };
    std::vector<Played> played;
    {
        QtSoundPlayer player;
        ASSERT_TRUE(QtSoundPlayer::HasAudioOutput());
        for (const QString &name : order) {
            QFile f(QStringLiteral(":/sounds/%1.wav").arg(name));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
            const WaveInfo w = parseWave(f.readAll());
            ASSERT_TRUE(w.ok && w.rate == kRate && w.channels == 1 && w.bits == 16) << name.toStdString();
            played.push_back({name, w.data, clock.elapsed()});
            player.Play(name);
            if (played.size() == 1) {
                // Busy in the middle of the first sound, as at a deal.
                QTest::qWait(100);
                Busy(300);
            }
            QTest::qWait(int(w.data.size() / 2 * 1000 / kRate) + kGapMs);
        }
    }
    recorder.End();
    server.End();

    QFile f(recording);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray heard = f.readAll();
    for (const Played &p : played) {
        SCOPED_TRACE(p.name.toStdString());
        // From shortly before the call to the silence after the sound: the
        // recording's start and the server's latency shift it a little.
        const qsizetype from = (p.atMs - 150) * kRate / 1000;
        const qsizetype to = from + p.pcm.size() / 2 + qsizetype(kGapMs) * kRate / 1000;
        const Heard want = Measure(p.pcm, 0, p.pcm.size() / 2);
        const Heard got = Measure(heard, from, to);
        std::printf("%-9s file %.3f s %6.1f dB RMS %6.1f dB peak   heard %.3f s %6.1f dB RMS %6.1f dB peak\n",
                    qPrintable(p.name), want.seconds, want.rmsDb, want.peakDb, got.seconds, got.rmsDb, got.peakDb);
        if (!got.any()) {
            ADD_FAILURE() << "not heard at all";
            continue;
        }
        EXPECT_NEAR(got.seconds, want.seconds, 0.005);
        EXPECT_NEAR(got.rmsDb, want.rmsDb, 1.0);
        EXPECT_NEAR(got.peakDb, want.peakDb, 1.0);
    }
}
