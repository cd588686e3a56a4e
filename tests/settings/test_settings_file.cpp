// Whatever stands where the settings file should be: the store never waits
// on it nor writes into it, the settings last for the run, and the reason is
// there for the player.
#include "filekinds.h"
#include "settings/store.h"
#include "subprocess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tw;
using namespace tw::test;

namespace {

constexpr double kLimit = 5.0;

QString settingsFile() { return qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Tarnwick/Tarnwick.conf"); }

std::string problemText(const QString &why)
{
    return ("Settings cannot be saved in " + settingsFile() + ": " + why + ". Changes last until the program ends.")
        .toStdString();
}

// Every test starts from a settings folder of its own.
class SettingsFile : public ::testing::Test {
protected:
    SettingsFile()
    {
        QDir(QFileInfo(settingsFile()).path()).removeRecursively();
        QDir().mkpath(QFileInfo(settingsFile()).path());
    }
    ~SettingsFile() override { QDir(QFileInfo(settingsFile()).path()).removeRecursively(); }
};

} // namespace

TEST_F(SettingsFile, SomethingElseInItsPlaceAtStartIsLeftAlone)
{
    const QString p = settingsFile();
    for (FileKind k : AllFileKinds) {
        SCOPED_TRACE(FileKindName(k));
        MakeFileKind(k, p);
        // Made, used and gone again, within the limit.
        EXPECT_TRUE(EndsWithin(kLimit, p, [&] {
            QtSettingsStore store;
            EXPECT_EQ(store.Problem().toStdString(), problemText(FileKindReason(k)));
            EXPECT_EQ(store.Read("Data", "ShowTime", "1"), "1");
            store.Write("Data", "ShowTime", "0");
            EXPECT_EQ(store.Read("Data", "ShowTime", "1"), "0");
        }));
        ExpectUntouched(k, p);
    }
}

TEST_F(SettingsFile, SomethingElseThatTakesItsPlaceLaterIsLeftAlone)
{
    const QString p = settingsFile();
    for (FileKind k : AllFileKinds) {
        SCOPED_TRACE(FileKindName(k));
        QFile::remove(p);
        QDir(p).removeRecursively();
        EXPECT_TRUE(EndsWithin(kLimit, p, [&] {
            QtSettingsStore store;
            store.Write("Data", "ShowTime", "0");
            EXPECT_TRUE(store.Problem().isEmpty());
            MakeFileKind(k, p);
            // Reads come from memory; the next write looks at the file first.
            EXPECT_EQ(store.Read("Data", "ShowTime", "1"), "0");
            store.Write("Data", "CardSpeed", "9");
            EXPECT_EQ(store.Problem().toStdString(), problemText(FileKindReason(k)));
            EXPECT_EQ(store.Read("Data", "CardSpeed", "5"), "9");
            EXPECT_EQ(store.Read("Data", "ShowTime", "1"), "0");
        }));
        ExpectUntouched(k, p);
    }
}

// QSettings writes under a lock file beside the settings file.
TEST_F(SettingsFile, SomethingElseInPlaceOfItsLockIsLeftAlone)
{
    const QString lock = settingsFile() + ".lock";
    for (FileKind k : AllFileKinds) {
        SCOPED_TRACE(FileKindName(k));
        MakeFileKind(k, lock);
        EXPECT_TRUE(EndsWithin(kLimit, lock, [&] {
            QtSettingsStore store;
            store.Write("Data", "ShowTime", "0");
            EXPECT_EQ(store.Read("Data", "ShowTime", "1"), "0");
            EXPECT_EQ(store.Problem().toStdString(), problemText("its lock file " + lock + FileKindReason(k).mid(2)));
        }));
        ExpectUntouched(k, lock);
    }
}

// A settings file the user may not read or write, as a user who is not root
// meets it.
TEST_F(SettingsFile, AFileWithoutRightsIsSaid)
{
    WithoutRootRights user;
    if (!user.here())
        return;
    const QString p = settingsFile();
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Data]\nShowTime=0\n");
    }
    for (mode_t m : {mode_t(0), mode_t(0444)}) {
        SCOPED_TRACE(m);
        ASSERT_EQ(::chmod(QFile::encodeName(p).constData(), m), 0);
        QtSettingsStore store;
        EXPECT_EQ(store.Problem().toStdString(), problemText("permission denied"));
        // A file that can be read still gives its settings.
        EXPECT_EQ(store.Read("Data", "ShowTime", "1"), m == 0 ? "1" : "0");
    }
    ASSERT_EQ(::chmod(QFile::encodeName(p).constData(), 0600), 0);
    QtSettingsStore store;
    EXPECT_TRUE(store.Problem().isEmpty());
}
