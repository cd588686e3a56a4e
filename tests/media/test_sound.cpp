#include "media/sound.h"

#include "subprocess.h"
#include "testutil.h"
#include "wavefile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QtEndian>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <cmath>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using tw::QtSoundPlayer;
using tw::test::ChildRoutine;
using tw::test::parseWave;
using tw::test::RecordingSound;
using tw::test::StartChild;
using tw::test::TestData;
using tw::test::WaveInfo;

namespace {

const char *const kSounds[] = {"AUTOPLAY", "CARDDOWN", "CARDUP", "SEL", "START", "STOCK", "UNDO", "WIN"};

struct SoundRig {
    TestData d;
    RecordingSound sound;
    SoundRig() { d.data.SetSoundPlayer(&sound); }
    QStringList play(const QString &name)
    {
        sound.played.clear();
        d.data.PlaySound(name);
        return sound.played;
    }
};

} // namespace

// --- which sound an event plays ---------------------------------------------

TEST(PlaySoundRule, RedoPlaysTheUndoSoundOnlyWhenItsFlagIsMinusOne)
{
    SoundRig rig;
    rig.d.data.SoundRedo(-1);
    EXPECT_EQ(rig.play(QStringLiteral("Redo")), QStringList{QStringLiteral("UNDO")});
    // A stored 1 is off: only -1 counts as on.
    rig.d.data.SoundRedo(1);
    EXPECT_TRUE(rig.play(QStringLiteral("Redo")).isEmpty());
    rig.d.data.SoundRedo(0);
    EXPECT_TRUE(rig.play(QStringLiteral("Redo")).isEmpty());
    // The undo sound keeps its own flag.
    rig.d.data.SoundUndo(-1);
    EXPECT_EQ(rig.play(QStringLiteral("Undo")), QStringList{QStringLiteral("UNDO")});
}

TEST(PlaySoundRule, EachEventFollowsItsOwnFlag)
{
    SoundRig rig;
    rig.d.data.SoundStart(0);
    EXPECT_TRUE(rig.play(QStringLiteral("Start")).isEmpty());
    rig.d.data.SoundStart(-1);
    EXPECT_EQ(rig.play(QStringLiteral("Start")), QStringList{QStringLiteral("START")});

    rig.d.data.SoundWin(-1);
    EXPECT_EQ(rig.play(QStringLiteral("Win")), QStringList{QStringLiteral("WIN")});
    rig.d.data.SoundWin(0);
    EXPECT_TRUE(rig.play(QStringLiteral("Win")).isEmpty());

    // Card sounds are off by default.
    EXPECT_TRUE(rig.play(QStringLiteral("CardDown")).isEmpty());
    rig.d.data.SoundCardDown(-1);
    EXPECT_EQ(rig.play(QStringLiteral("CardDown")), QStringList{QStringLiteral("CARDDOWN")});
    rig.d.data.SoundCardUp(-1);
    EXPECT_EQ(rig.play(QStringLiteral("CardUp")), QStringList{QStringLiteral("CARDUP")});
    rig.d.data.SoundAutoPlay(-1);
    EXPECT_EQ(rig.play(QStringLiteral("AutoPlay")), QStringList{QStringLiteral("AUTOPLAY")});
}

TEST(PlaySoundRule, EventNamesCompareExactly)
{
    SoundRig rig;
    rig.d.data.SoundWin(-1);
    EXPECT_TRUE(rig.play(QStringLiteral("win")).isEmpty());
    EXPECT_TRUE(rig.play(QStringLiteral("Win ")).isEmpty());
    EXPECT_TRUE(rig.play(QStringLiteral("Sel")).isEmpty());
}

TEST(PlaySoundRule, EverySoundAnEventAsksForIsEmbedded)
{
    SoundRig rig;
    tw::cData &data = rig.d.data;
    data.SoundStart(-1);
    data.SoundCardUp(-1);
    data.SoundCardDown(-1);
    data.SoundAutoPlay(-1);
    data.SoundUndo(-1);
    data.SoundRedo(-1);
    data.SoundWin(-1);
    for (const char *event : {"Start", "CardUp", "CardDown", "AutoPlay", "Undo", "Redo", "Win"}) {
        const QStringList played = rig.play(QString::fromLatin1(event));
        ASSERT_EQ(played.size(), 1) << event;
        EXPECT_FALSE(QtSoundPlayer::SourceFor(played.first()).isEmpty()) << event;
    }
}

// --- the embedded WAVE files --------------------------------------------------

TEST(SoundResources, EachIsAShortQuietPcmWave)
{
    for (const char *name : kSounds) {
        SCOPED_TRACE(name);
        QFile f(QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const WaveInfo w = parseWave(f.readAll());
        ASSERT_TRUE(w.ok) << w.error.toStdString();
        EXPECT_EQ(w.format, 1); // PCM
        EXPECT_EQ(w.channels, 1);
        EXPECT_EQ(w.bits, 16);
        EXPECT_EQ(w.rate, 44100u);
        ASSERT_EQ(w.data.size() % 2, 0);
        const qsizetype samples = w.data.size() / 2;
        const double seconds = double(samples) / w.rate;
        EXPECT_GT(seconds, 0.03);
        EXPECT_LT(seconds, 2.0);

        int peak = 0;
        for (qsizetype i = 0; i < samples; ++i)
            peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(w.data.constData() + 2 * i))));
        const double dbfs = 20 * std::log10(std::max(peak, 1) / 32768.0);
        EXPECT_LT(dbfs, -3.0) << "too loud";
        EXPECT_GT(dbfs, -12.0) << "too quiet";
        // Starting and ending on silence keeps the sound from clicking.
        const auto at = [&](qsizetype i) {
            return std::abs(int(qFromLittleEndian<qint16>(w.data.constData() + 2 * i)));
        };
        EXPECT_LT(at(0), 64);
        EXPECT_LT(at(samples - 1), 64);
    }
}

TEST(SoundResources, OnlyWinMayRunLongerThanASecond)
{
    for (const char *name : kSounds) {
        QFile f(QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        const WaveInfo w = parseWave(f.readAll());
        ASSERT_TRUE(w.ok) << name;
        const double seconds = double(w.data.size() / 2) / w.rate;
        if (qstrcmp(name, "WIN") != 0) {
            EXPECT_LT(seconds, 1.0) << name;
        }
    }
}

// --- the Qt Multimedia player -------------------------------------------------

TEST(QtSoundPlayer, FindsResourcesWithoutRegardToCase)
{
    EXPECT_EQ(QtSoundPlayer::SourceFor(QStringLiteral("UNDO")), QUrl(QStringLiteral("qrc:/sounds/UNDO.wav")));
    EXPECT_EQ(QtSoundPlayer::SourceFor(QStringLiteral("undo")), QUrl(QStringLiteral("qrc:/sounds/UNDO.wav")));
    EXPECT_EQ(QtSoundPlayer::SourceFor(QStringLiteral("CardDown")), QUrl(QStringLiteral("qrc:/sounds/CARDDOWN.wav")));
    for (const char *name : kSounds)
        EXPECT_FALSE(QtSoundPlayer::SourceFor(QString::fromLatin1(name).toLower()).isEmpty()) << name;
    // No sound of its own for a redo, and nothing outside the sound folder.
    EXPECT_TRUE(QtSoundPlayer::SourceFor(QStringLiteral("REDO")).isEmpty());
    EXPECT_TRUE(QtSoundPlayer::SourceFor(QString()).isEmpty());
    EXPECT_TRUE(QtSoundPlayer::SourceFor(QStringLiteral("../help/index")).isEmpty());
}

TEST(QtSoundPlayer, LoadsEachSoundAsItsFileHoldsIt)
{
    for (const char *name : kSounds) {
        const QString path = QStringLiteral(":/sounds/%1.wav").arg(QLatin1String(name));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        const WaveInfo w = parseWave(f.readAll());
        const QtSoundPlayer::Sample s = QtSoundPlayer::Load(path);
        EXPECT_EQ(s.pcm, w.data) << name;
        EXPECT_EQ(s.format.sampleRate(), int(w.rate)) << name;
        EXPECT_EQ(s.format.channelCount(), int(w.channels)) << name;
        EXPECT_EQ(s.format.sampleFormat(), QAudioFormat::Int16) << name;
    }
    // Nothing to play from a file that is not a whole WAVE file.
    EXPECT_TRUE(QtSoundPlayer::Load(QStringLiteral(":/help/index.html")).pcm.isEmpty());
    EXPECT_TRUE(QtSoundPlayer::Load(QStringLiteral(":/sounds/NONE.wav")).pcm.isEmpty());
    QFile f(QStringLiteral(":/sounds/WIN.wav"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QTemporaryFile cut;
    ASSERT_TRUE(cut.open());
    cut.write(f.readAll().left(4000));
    cut.close();
    EXPECT_TRUE(QtSoundPlayer::Load(cut.fileName()).pcm.isEmpty());
}

TEST(QtSoundPlayer, PlayReturnsAtOnceAndNeverFails)
{
    QElapsedTimer clock;
    clock.start();
    {
        QtSoundPlayer player;
        player.Play(QStringLiteral("WIN"));
        player.Play(QStringLiteral("undo")); // stops the win sound
        player.Play(QStringLiteral("UNDO"));
        player.Play(QStringLiteral("NO SUCH SOUND"));
        player.Play(QString());
        if (!QtSoundPlayer::HasAudioOutput()) {
            // Without a device nothing is even loaded.
            EXPECT_EQ(player.LoadedCount(), 0);
        } else {
            // One effect per sound, reused for the second request.
            EXPECT_EQ(player.LoadedCount(), 2);
        }
    }
    EXPECT_LT(clock.elapsed(), 2000);
}

// A game's sounds with no sound server to play them: the test main names a
// server socket that does not exist; with "refused" the server is a TCP port
// of this machine where nobody listens, which the client finds out later and
// reports in other words.
int playWithoutServer(const QStringList &args)
{
    if (args.value(0) == QLatin1String("refused")) {
        // A port that was free a moment ago.
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&addr), len) != 0
            || ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len) != 0)
            return 4;
        ::close(fd);
        qputenv("PULSE_SERVER", "tcp:127.0.0.1:" + QByteArray::number(ntohs(addr.sin_port)));
    }
    QtSoundPlayer player;
    for (const char *name : {"START", "CARDUP", "WIN", "UNDO"}) {
        player.Play(QString::fromLatin1(name));
        QCoreApplication::processEvents();
    }
    return QtSoundPlayer::HasAudioOutput() ? 3 : 0;
}
const ChildRoutine withoutServer("play-without-server", &playWithoutServer);

TEST(QtSoundPlayer, WithoutASoundServerSaysNothing)
{
    // Silence, and nothing on the terminal: a player without a sound server
    // has nothing to mend.
    for (const QString &how : {QString(), QStringLiteral("refused")}) {
        SCOPED_TRACE(how.isEmpty() ? "no server socket" : "a server port nobody listens on");
        const auto child = StartChild("play-without-server", {how});
        ASSERT_TRUE(child->waitForFinished(30000));
        const std::string said = child->readAll().toStdString();
        EXPECT_EQ(child->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(child->exitCode(), 0) << said;
        EXPECT_EQ(said, "");
    }
}

TEST(QtSoundPlayer, WorksAsTheSettingsObjectsPlayer)
{
    TestData d;
    QtSoundPlayer player;
    d.data.SetSoundPlayer(&player);
    d.data.SoundWin(-1);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 20; ++i)
        d.data.PlaySound(QStringLiteral("Win"));
    EXPECT_LT(clock.elapsed(), 2000);
    d.data.SetSoundPlayer(nullptr);
}
