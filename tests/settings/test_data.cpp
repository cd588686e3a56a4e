#include "engine/catalogue.h"
#include "settings/data.h"
#include "settings/store.h"
#include "testutil.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <tuple>

using namespace tw;
using namespace tw::test;

TEST(Settings, DefaultsOnAnEmptyStore)
{
    TestData t;
    cData &d = t.data;
    EXPECT_EQ(d.Autoplay(), 1);
    EXPECT_EQ(d.ShowToolbar(), 1);
    EXPECT_EQ(d.CardSpeed(), 5);
    EXPECT_EQ(d.UndoSpeed(), 5);
    EXPECT_EQ(d.UndoallSpeed(), 2);
    EXPECT_EQ(d.ReplaySpeed(), 7);
    for (int16_t v : {d.SoundStart(), d.SoundUndo(), d.SoundRedo(), d.SoundAutoPlay(), d.SoundWin()})
        EXPECT_EQ(v, -1);
    EXPECT_EQ(d.SoundCardDown(), 0);
    EXPECT_EQ(d.SoundCardUp(), 0);
    EXPECT_EQ(d.ShowTime(), 1);
    EXPECT_EQ(d.ShowScore(), 1);
    EXPECT_EQ(d.ShowMoves(), 1);
    EXPECT_EQ(d.BGIndex(), 1007);
    EXPECT_EQ(d.RangeIndex(), 15);
    EXPECT_EQ(d.DeckIndex(), 531);
    EXPECT_EQ(d.Fade(), 1);
    EXPECT_EQ(d.CustomColor(), 128);
    EXPECT_EQ(d.LastGName(), QStringLiteral("Avenue"));
    EXPECT_EQ(d.CurPlayer(), QString());
    EXPECT_EQ(d.TotalPlayers(), 0);
    EXPECT_EQ(d.RecentCount(), 0);
    // Reading a default writes nothing.
    EXPECT_TRUE(t.store.values.isEmpty());
    EXPECT_EQ(d.ProdName(), QStringLiteral("Tarnwick"));
    EXPECT_EQ(d.TotalGames(), frmGame::GameCount);
    EXPECT_EQ(d.HelpFile(), QStringLiteral("qv.chm"));
}

TEST(Settings, StoredTextConvertsOrFallsBackToTheDefault)
{
    TestData t;
    cData &d = t.data;
    const auto put = [&](const char *key, const char *value) {
        t.store.Write(QStringLiteral("Data"), QString::fromLatin1(key), QString::fromLatin1(value));
    };
    put("CardSpeed", "2.5");
    EXPECT_EQ(d.CardSpeed(), 2); // a half goes to the even neighbour
    put("CardSpeed", "3.5");
    EXPECT_EQ(d.CardSpeed(), 4);
    put("CardSpeed", " 12 ");
    EXPECT_EQ(d.CardSpeed(), 12);
    put("CardSpeed", "abc");
    EXPECT_EQ(d.CardSpeed(), 5);
    put("CardSpeed", "99999");
    EXPECT_EQ(d.CardSpeed(), 5);
    put("CustomColor", "not a colour");
    EXPECT_EQ(d.CustomColor(), 128);
    put("CustomColor", "16711680");
    EXPECT_EQ(d.CustomColor(), 16711680);
    d.UndoSpeed(-3);
    EXPECT_EQ(t.store.values.value(QStringLiteral("Data/UndoSpeed")), QStringLiteral("-3"));
}

TEST(Settings, SoundFlagsAreOnOnlyForMinusOne)
{
    TestData t;
    RecordingSound sound;
    t.data.SetSoundPlayer(&sound);
    t.data.SoundWin(1); // a stored 1 means off
    t.data.PlaySound(QStringLiteral("Win"));
    EXPECT_TRUE(sound.played.isEmpty());
    t.data.SoundWin(-1);
    t.data.PlaySound(QStringLiteral("Win"));
    EXPECT_EQ(sound.played, QStringList{QStringLiteral("WIN")});
    sound.played.clear();
    t.data.PlaySound(QStringLiteral("Redo"));
    EXPECT_EQ(sound.played, QStringList{QStringLiteral("UNDO")});
}

TEST(Settings, RecentListShiftsAndKeepsDuplicates)
{
    TestData t;
    cData &d = t.data;
    for (const char *n : {"E", "D", "C", "B", "A"})
        d.SetRecent(QString::fromLatin1(n));
    QStringList got;
    for (int16_t i = 1; i <= 5; ++i)
        got << d.GetRecent(i);
    EXPECT_EQ(got, (QStringList{"A", "B", "C", "D", "E"}));
    const auto writes = t.store.values;
    d.SetRecent(QStringLiteral("A")); // already first: nothing written
    EXPECT_EQ(t.store.values, writes);
    d.SetRecent(QStringLiteral("C"));
    got.clear();
    for (int16_t i = 1; i <= 5; ++i)
        got << d.GetRecent(i);
    EXPECT_EQ(got, (QStringList{"C", "A", "B", "C", "D"}));
    EXPECT_EQ(d.RecentCount(), 5);
    d.ClearRecent();
    EXPECT_EQ(d.RecentCount(), 0);
    EXPECT_EQ(d.GetRecent(1), QString());
}

TEST(Settings, PlayersAndCurrentPlayer)
{
    TestData t;
    cData &d = t.data;
    d.SetPlayer(1, QStringLiteral("Ann"), false);
    d.SetPlayer(3, QStringLiteral("Cid"), false);
    EXPECT_EQ(d.TotalPlayers(), 2); // slot 2 is a gap
    EXPECT_EQ(d.CurPlayer(), QString());
    d.SetPlayer(4, QStringLiteral("Dee"), true);
    EXPECT_EQ(d.GetPlayer(4), QStringLiteral("Dee"));
    EXPECT_EQ(d.CurPlayer(), QStringLiteral("Dee"));
    d.SetPlayer(1, QString(), false);
    EXPECT_EQ(d.TotalPlayers(), 2);
    EXPECT_EQ(d.CurPlayer(), QStringLiteral("Dee"));
}

TEST(Settings, CurrentGameNameIsTheLastGame)
{
    TestData t;
    t.data.CurGName(QStringLiteral("Penguin"));
    EXPECT_EQ(t.store.values.value(QStringLiteral("Data/LastGName")), QStringLiteral("Penguin"));
    EXPECT_EQ(t.data.LastGName(), QStringLiteral("Penguin"));
    EXPECT_EQ(t.data.GetGameID(QStringLiteral("Avenue")), 1);
    EXPECT_EQ(t.data.GetGameID(QStringLiteral("Zodiac")), frmGame::GameCount);
    EXPECT_EQ(t.data.GetGameID(QStringLiteral("freecell")), 0);
    EXPECT_EQ(t.data.GetGameID(QStringLiteral("Games")), 0);
}

TEST(Settings, DataFolderAndItsFallback)
{
    TestData t;
    t.data.SetAppDataLookup([] { return QStringLiteral("/some/where"); });
    EXPECT_EQ(t.data.AppDir(), QStringLiteral("/some/where/Tarnwick/"));
    t.data.SetAppDataLookup([] { return QString(); });
    // No per-user data location: a folder in the home, never the root.
    EXPECT_EQ(t.data.AppDir(), QDir::homePath() + QStringLiteral("/.Tarnwick/"));
    EXPECT_NE(t.data.AppDir(), QStringLiteral("/Tarnwick/"));
    // The real lookup follows XDG_DATA_HOME, which the tests point into a
    // temporary folder.
    cData real(t.store);
    frmGame::Init(real);
    EXPECT_TRUE(real.AppDir().startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    EXPECT_TRUE(real.AppDir().endsWith(QStringLiteral("/Tarnwick/")));
}

TEST(Settings, QtStoreReadsChangesMadeFromOutside)
{
    QtSettingsStore store;
    cData d(store);
    frmGame::Init(d);
    EXPECT_TRUE(store.FileName().startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
    EXPECT_TRUE(store.FileName().endsWith(QStringLiteral("Tarnwick/Tarnwick.conf")));
    d.ShowTime(1);
    {
        // Another process (here: another settings object on the same file).
        QSettings other(store.FileName(), QSettings::IniFormat);
        other.setValue(QStringLiteral("Data/ShowTime"), QStringLiteral("0"));
        other.sync();
    }
    EXPECT_EQ(d.ShowTime(), 0);
    d.SetPlayer(1, QStringLiteral("Player1"), true);
    QSettings check(store.FileName(), QSettings::IniFormat);
    EXPECT_EQ(check.value(QStringLiteral("Users/1")).toString(), QStringLiteral("Player1"));
    EXPECT_EQ(check.value(QStringLiteral("Users/100")).toString(), QStringLiteral("Player1"));
}

// The settings file as a first run finds it: none (the tests of this binary
// share one home).
void noSettingsFile()
{
    QFile::remove(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Tarnwick/Tarnwick.conf"));
}

// Reads come from the copy in memory; the watch of the file tells when an
// edit by another program must be read.
TEST(Settings, QtStoreSeesAnEditOfItsFileAtItsNextLook)
{
    QtSettingsStore store;
    cData d(store);
    frmGame::Init(d);
    d.ShowTime(1);
    ASSERT_EQ(d.ShowTime(), 1);
    const auto edit = [&store](const QByteArray &text) {
        QFile f(store.FileName());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };
    edit("[Data]\nShowTime=0\nCardSpeed=12\n");
    EXPECT_EQ(d.ShowTime(), 1); // not heard of yet
    EXPECT_TRUE(tw::test::heardWithin([&] { return d.ShowTime() == 0; }));
    EXPECT_EQ(d.CardSpeed(), 12);
    edit("[Data]\nShowTime=1\n[Users]\n100=Someone\n");
    EXPECT_TRUE(tw::test::heardWithin([&] { return d.ShowTime() == 1; }));
    EXPECT_EQ(d.CardSpeed(), 5); // the key is gone: its default
    EXPECT_EQ(d.CurPlayer(), QStringLiteral("Someone"));
    // A write of the program's own keeps the outside edit.
    d.ShowScore(0);
    QSettings check(store.FileName(), QSettings::IniFormat);
    EXPECT_EQ(check.value(QStringLiteral("Users/100")).toString(), QStringLiteral("Someone"));
    EXPECT_EQ(check.value(QStringLiteral("Data/ShowScore")).toString(), QStringLiteral("0"));
    // An edit that the program's own write took in is read at once, though
    // the file looks as the write left it.
    ASSERT_EQ(d.ShowMoves(), 1);
    edit("[Data]\nShowTime=1\nShowMoves=0\n[Users]\n100=Someone\n");
    d.ShowScore(1);
    EXPECT_EQ(d.ShowMoves(), 0);
}

// Editors and other copies of the program replace the file by a rename; the
// watch follows the file from one to the next.
TEST(Settings, QtStoreSeesTheFileReplacedAgainAndAgain)
{
    noSettingsFile();
    QtSettingsStore store;
    cData d(store);
    frmGame::Init(d);
    d.ShowTime(1);
    const auto replace = [&store](const QByteArray &text) {
        const QString temp = store.FileName() + QStringLiteral(".new");
        QFile f(temp);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
        f.close();
        ASSERT_EQ(::rename(QFile::encodeName(temp).constData(), QFile::encodeName(store.FileName()).constData()), 0);
    };
    for (int speed = 1; speed <= 4; ++speed) {
        // Of another length each time: QSettings takes a file of the same
        // size and time (the clock of file times is coarse) for unchanged.
        replace("[Data]\nShowTime=1\nCardSpeed=" + QByteArray::number(speed) + "\nNote=" + QByteArray(speed, 'x')
                + "\n");
        EXPECT_TRUE(tw::test::heardWithin([&] { return d.CardSpeed() == speed; })) << "replaced " << speed << " times";
    }
    // The file removed and made again.
    ASSERT_TRUE(QFile::remove(store.FileName()));
    EXPECT_TRUE(tw::test::heardWithin([&] { return d.CardSpeed() == 5; }));
    replace("[Data]\nCardSpeed=9\n");
    EXPECT_TRUE(tw::test::heardWithin([&] { return d.CardSpeed() == 9; }));
}

// A value the file holds already is not written again: the file is left as it
// is (a deal of the last game played writes nothing), and what is written
// stays what it always was.
TEST(Settings, QtStoreWritesOnlyValuesThatChange)
{
    noSettingsFile();
    QtSettingsStore store;
    cData d(store);
    frmGame::Init(d);
    d.CurGName(QStringLiteral("Freecell"));
    d.SetPlayer(1, QStringLiteral("Player1"), true);
    d.ShowTime(0);
    d.SetRecent(QStringLiteral("Freecell"));
    const auto fileStamp = [&store] {
        struct stat st {};
        EXPECT_EQ(::stat(QFile::encodeName(store.FileName()).constData(), &st), 0);
        return std::make_tuple(st.st_ino, st.st_mtim.tv_sec, st.st_mtim.tv_nsec, st.st_size);
    };
    const auto readAll = [&store] {
        QFile f(store.FileName());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray written = readAll();
    const auto before = fileStamp();
    d.CurGName(QStringLiteral("Freecell"));
    d.SetPlayer(1, QStringLiteral("Player1"), true);
    d.ShowTime(0);
    d.SetRecent(QStringLiteral("Freecell"));
    EXPECT_EQ(fileStamp(), before);
    EXPECT_EQ(readAll(), written);
    EXPECT_EQ(written.toStdString(),
              "[Data]\nLastGName=Freecell\nShowTime=0\n\n[Recent]\n1=Freecell\n2=\n3=\n4=\n5=\n\n"
              "[Users]\n1=Player1\n100=Player1\n");
    // A changed value is written, and only its text changes in the file.
    d.ShowTime(1);
    EXPECT_EQ(readAll().toStdString(),
              "[Data]\nLastGName=Freecell\nShowTime=1\n\n[Recent]\n1=Freecell\n2=\n3=\n4=\n5=\n\n"
              "[Users]\n1=Player1\n100=Player1\n");
    // A value that another program changed behind the watch's back is
    // written again, though the copy in memory already held it.
    {
        QFile f(store.FileName());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[Data]\nLastGName=Penguin\nShowTime=1\n");
    }
    d.CurGName(QStringLiteral("Freecell"));
    EXPECT_EQ(readAll().toStdString(), "[Data]\nLastGName=Freecell\nShowTime=1\n");
    // A default that was never stored is stored when it is written.
    d.CardSpeed(5);
    EXPECT_TRUE(readAll().contains("CardSpeed=5"));
}

TEST(Settings, StoredNumbersOutsideTheirRangeReadAsTheNearestValid)
{
    TestData t;
    cData &d = t.data;
    const auto put = [&](const QString &key, const char *value) {
        t.store.Write(QStringLiteral("Data"), key, QString::fromLatin1(value));
    };
    // The options dialog offers 0 to 50 animation steps.
    for (const char *key : {"CardSpeed", "UndoSpeed", "UndoallSpeed", "ReplaySpeed"}) {
        const QString k = QString::fromLatin1(key);
        const auto read = [&] {
            if (k == u"CardSpeed")
                return d.CardSpeed();
            if (k == u"UndoSpeed")
                return d.UndoSpeed();
            if (k == u"UndoallSpeed")
                return d.UndoallSpeed();
            return d.ReplaySpeed();
        };
        put(k, "32767");
        EXPECT_EQ(read(), 50) << key;
        put(k, "51");
        EXPECT_EQ(read(), 50) << key;
        put(k, "50");
        EXPECT_EQ(read(), 50) << key;
        put(k, "0");
        EXPECT_EQ(read(), 0) << key;
        put(k, "-4");
        EXPECT_EQ(read(), 0) << key;
        EXPECT_EQ(t.store.values.value("Data/" + k), QStringLiteral("-4")); // the text stays
    }
    put(QStringLiteral("RangeIndex"), "0");
    EXPECT_EQ(d.RangeIndex(), 1);
    put(QStringLiteral("RangeIndex"), "-3");
    EXPECT_EQ(d.RangeIndex(), 1);
    put(QStringLiteral("RangeIndex"), "16");
    EXPECT_EQ(d.RangeIndex(), 15);
    put(QStringLiteral("RangeIndex"), "7");
    EXPECT_EQ(d.RangeIndex(), 7);
    // A colour holds red, green and blue of 0 to 255 each.
    put(QStringLiteral("CustomColor"), "-1");
    EXPECT_EQ(d.CustomColor(), 128);
    put(QStringLiteral("CustomColor"), "16777216");
    EXPECT_EQ(d.CustomColor(), 128);
    put(QStringLiteral("CustomColor"), "16777215");
    EXPECT_EQ(d.CustomColor(), 16777215);
    put(QStringLiteral("CustomColor"), "0");
    EXPECT_EQ(d.CustomColor(), 0);
    // Flags keep their stored value: each reader decides what counts as on.
    put(QStringLiteral("SoundWin"), "1");
    EXPECT_EQ(d.SoundWin(), 1);
    put(QStringLiteral("Fade"), "7");
    EXPECT_EQ(d.Fade(), 7);
}

TEST(Settings, AHandEditedUndoSpeedCannotStallAnUndo)
{
    TestTable t;
    Engine &e = t.engine;
    t.d.data.Autoplay(0);
    t.start(QStringLiteral("Freecell"), 100);
    const int16_t card = e.Array.GetPicID(PileType::Home, 0, e.Array.GetTop(PileType::Home, 0));
    int32_t mode = 0;
    e.Array.MoveCard(card, PileType::Res, 0, 0, mode, 0, 0, false);
    t.d.store.Write(QStringLiteral("Data"), QStringLiteral("UndoSpeed"), QStringLiteral("30000"));
    const int before = t.view.refreshes;
    ASSERT_TRUE(e.Undo(t.d.data.UndoSpeed()));
    // Fifty steps and the final placement at most.
    EXPECT_LE(t.view.refreshes - before, 51 + 1);
    EXPECT_EQ(e.Array.GetPicID(PileType::Home, 0, e.Array.GetTop(PileType::Home, 0)), card);
}

namespace {

// Writes the given bytes as the settings file's lock, as a crashed program
// would leave it, with a fresh time stamp.
// A lock file as a crash a minute ago left it.
void leaveLock(const QString &lockName, const QByteArray &bytes)
{
    QFile f(lockName);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
    f.close();
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
}

} // namespace

TEST(Settings, AStaleLockLeftByACrashDoesNotStallTheStore)
{
    QtSettingsStore store;
    store.Write(QStringLiteral("Data"), QStringLiteral("ShowTime"), QStringLiteral("0"));
    const QString lockName = store.FileName() + QStringLiteral(".lock");

    // What a lock of this very process looks like; a crashed run with the same
    // process id (common in containers) leaves exactly that.
    QByteArray ownLock;
    {
        QLockFile own(lockName);
        ASSERT_TRUE(own.tryLock(0));
        QFile f(lockName);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        ownLock = f.readAll();
    }
    ASSERT_FALSE(ownLock.isEmpty());

    int n = 0;
    for (const QByteArray &left : {QByteArray(), QByteArray("garbage\n"), ownLock}) {
        leaveLock(lockName, left);
        const QString value = QString::number(++n);
        QElapsedTimer clock;
        clock.start();
        store.Write(QStringLiteral("Data"), QStringLiteral("ShowTime"), value);
        // A hang detector, not a speed check: a stall lasts about 30 s.
        EXPECT_LT(clock.elapsed(), 5000) << n;
        EXPECT_FALSE(QFileInfo::exists(lockName)) << n;
        QSettings check(store.FileName(), QSettings::IniFormat);
        EXPECT_EQ(check.value(QStringLiteral("Data/ShowTime")).toString(), value) << n;
        EXPECT_EQ(store.Read(QStringLiteral("Data"), QStringLiteral("ShowTime"), QString()), value) << n;
    }
}
