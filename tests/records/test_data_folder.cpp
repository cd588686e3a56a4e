// Where the data folder and the settings file are kept, and what the player is
// told when the data folder cannot be used.
#include "engine/catalogue.h"
#include "recordstest.h"
#include "settings/store.h"
#include "subprocess.h"

#include <QFileInfo>

#include <cstdlib>
#include <map>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tw;
using namespace tw::test;

namespace {

// Environment variables a test changes, put back when it ends.
class Environment {
public:
    ~Environment()
    {
        for (const auto &[name, value] : saved_) {
            if (value)
                qputenv(name.c_str(), *value);
            else
                qunsetenv(name.c_str());
        }
    }
    void set(const char *name, const QString &value)
    {
        keep(name);
        qputenv(name, value.toLocal8Bit());
    }
    void unset(const char *name)
    {
        keep(name);
        qunsetenv(name);
    }
    void unsetHome()
    {
        for (const char *v : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            unset(v);
    }

private:
    void keep(const char *name)
    {
        if (!saved_.count(name))
            saved_[name] = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
    }
    std::map<std::string, std::optional<QByteArray>> saved_;
};

QString databaseHome()
{
    const passwd *pw = ::getpwuid(::getuid());
    return pw ? QDir::cleanPath(QString::fromLocal8Bit(pw->pw_dir)) : QString();
}

// What the program leaves at the root of the file system when it takes an
// unset HOME for "/".
void expectNothingAtTheRoot()
{
    for (const char *p : {"/.config/Tarnwick", "/.local/share/Tarnwick", "/.Tarnwick", "/Tarnwick"})
        EXPECT_FALSE(QFileInfo::exists(QString::fromLatin1(p))) << p;
}

// A game played to its end, through the engine as the table plays it.
void playAGame(Engine &engine)
{
    engine.StartGame(QStringLiteral("Freecell"), GameNo::number(7));
    engine.EndGame(0);
}

// The program's own objects over the real settings file and data folder,
// before the table start-up.
struct RealStart {
    RealStart()
    {
        frmGame::Init(data);
        view.engine = &engine;
    }
    QtSettingsStore store;
    cData data{store};
    ScriptedCorePrompt ui;
    cScore score{data, &ui};
    RecordingView view;
    Engine engine{data, view, &score};
};

class DataFolder : public StoreFixture {
protected:
    DataFolder()
    {
        d.data.SetPlayer(1, "Player1", true);
        view.engine = &engine;
        QDir(dir()).removeRecursively();
    }
    RecordingView view;
    Engine engine{d.data, view, &score};
};

} // namespace

TEST(UserHome, TheHomeVariableThenTheUserDatabaseNeverTheRoot)
{
    EXPECT_EQ(ChooseUserHome("/home/ann", "/home/bob"), "/home/ann");
    EXPECT_EQ(ChooseUserHome("/home/ann/", QString()), "/home/ann");
    EXPECT_EQ(ChooseUserHome(QString(), "/home/bob"), "/home/bob");
    EXPECT_EQ(ChooseUserHome("/", "/home/bob"), "/home/bob");
    EXPECT_EQ(ChooseUserHome("//", "/root"), "/root");
    EXPECT_EQ(ChooseUserHome("relative/home", "/root"), "/root");
    EXPECT_EQ(ChooseUserHome(QString(), "/"), QString());
    EXPECT_EQ(ChooseUserHome(QString(), QString()), QString());
}

// With HOME unset the settings and the records go into the home the user
// database gives, not under the root of the file system. The real home is
// covered by a small filesystem for the test.
TEST(DataFolderWithoutHome, TheUsersOwnHomeIsUsed)
{
    SmallFilesystem fs(1024 * 1024);
    if (!fs.here())
        return;
    const QString home = databaseHome();
    ASSERT_TRUE(QFileInfo(home).isDir() && home != "/")
        << "this test needs the home the user database gives to be a folder, not " << home.toStdString();
    fs.cover(home, fs.path());
    Environment env;
    env.unsetHome();

    RealStart t;
    EXPECT_EQ(t.store.FileName(), home + "/.config/Tarnwick/Tarnwick.conf");
    EXPECT_EQ(t.data.AppDir(), home + "/.local/share/Tarnwick/");
    t.engine.InitTable();
    playAGame(t.engine);
    t.score.AddFav("Freecell", GameNo::number(7));
    EXPECT_TRUE(t.ui.asked.empty());
    EXPECT_TRUE(QFileInfo::exists(home + "/.local/share/Tarnwick/Player1.sre"));
    EXPECT_TRUE(QFileInfo::exists(home + "/.local/share/Tarnwick/fav.dat"));
    EXPECT_TRUE(QFileInfo::exists(home + "/.config/Tarnwick/Tarnwick.conf"));
    expectNothingAtTheRoot();
}

// A user without any home (the user database names the root): nothing is
// written anywhere, settings last for the run, and the player is told once.
TEST(DataFolderWithoutHome, WithNoHomeAtAllNothingIsWrittenAndThePlayerIsToldOnce)
{
    SmallFilesystem fs(256 * 1024);
    if (!fs.here())
        return;
    const QString users = fs.path() + "/passwd";
    {
        QFile f(users);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("player:x:" + QByteArray::number(::getuid()) + ':' + QByteArray::number(::getgid()) + "::/:/bin/sh\n");
    }
    fs.cover("/etc/passwd", users);
    Environment env;
    env.unsetHome();
    ASSERT_TRUE(UserHome().isEmpty());
    const QStringList here = QDir::current().entryList(QDir::AllEntries | QDir::Hidden);

    RealStart t;
    EXPECT_TRUE(t.store.FileName().isEmpty());
    EXPECT_TRUE(t.data.AppDir().isEmpty());
    t.engine.InitTable();
    ASSERT_EQ(t.ui.errors().size(), 1);
    EXPECT_EQ(t.ui.errors()[0], "Games, favourites and settings cannot be saved: there is no home folder (HOME is "
                                "not set, and the user database names none).");
    playAGame(t.engine);
    playAGame(t.engine);
    t.score.OpenFav();
    t.score.OpenAllScore();
    t.score.ClearFav();
    EXPECT_EQ(t.ui.asked.size(), 1u);
    // A favourite the player adds by hand is told each time it cannot be
    // kept.
    EXPECT_FALSE(t.score.AddFav("Freecell", GameNo::number(7)));
    ASSERT_EQ(t.ui.errors().size(), 2);
    EXPECT_EQ(t.ui.errors()[1], t.ui.errors()[0]);
    EXPECT_EQ(t.score.FavTop(), 0);
    EXPECT_EQ(t.score.ScoreTop(), 0);
    EXPECT_EQ(t.score.SesTop(), 2);
    // The settings of the run are kept for the run.
    EXPECT_EQ(t.data.CurPlayer(), "Player1");
    t.data.ShowTime(0);
    EXPECT_EQ(t.data.ShowTime(), 0);
    EXPECT_EQ(QDir::current().entryList(QDir::AllEntries | QDir::Hidden), here);
    expectNothingAtTheRoot();
}

// A file where the data folder should be: the player is told once where and
// why at start-up, not again at every game (but at every favourite he adds);
// once the way is clear the games are recorded again.
TEST_F(DataFolder, AFileInItsPlaceIsToldOnce)
{
    writeFile(tmp.path() + "/Tarnwick", "not a folder");
    engine.InitTable();
    ASSERT_EQ(ui.errors().size(), 1);
    EXPECT_EQ(ui.errors()[0], "Games and favourites cannot be saved in " + dir() + ": it is a file, not a folder.");
    EXPECT_EQ(ui.boxes()[0].title, "Tarnwick");
    playAGame(engine);
    EXPECT_EQ(ui.asked.size(), 1u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(score.AddFav("Freecell", GameNo::number(7)));
        ASSERT_EQ(ui.errors().size(), 2 + i);
        EXPECT_EQ(ui.errors().last(), ui.errors()[0]);
    }
    playAGame(engine);
    EXPECT_EQ(ui.asked.size(), 3u);
    ui.asked.clear();
    EXPECT_EQ(readFile(tmp.path() + "/Tarnwick"), "not a folder");

    QFile::remove(tmp.path() + "/Tarnwick");
    playAGame(engine);
    EXPECT_EQ(ui.asked.size(), 0u);
    EXPECT_EQ(readFile(path("Player1.sre")).count('\n'), 1);

    // A new failure is a new report.
    QDir(dir()).removeRecursively();
    writeFile(tmp.path() + "/Tarnwick", "again");
    playAGame(engine);
    ASSERT_EQ(ui.errors().size(), 1);
    EXPECT_EQ(ui.errors()[0].toStdString(),
              ("Games and favourites cannot be saved in " + dir() + ": it is a file, not a folder.").toStdString());
}

// A home that does not exist is never created: the data folder is made only
// inside the user's own folders.
TEST_F(DataFolder, NothingIsCreatedOutsideTheUsersFolders)
{
    Environment env;
    env.unset("XDG_DATA_HOME");
    env.set("HOME", tmp.path() + "/gone");
    d.data.SetAppDataLookup(&GetAppDataDir);
    EXPECT_EQ(d.data.AppDir(), tmp.path() + "/gone/.local/share/Tarnwick/");
    engine.InitTable();
    ASSERT_EQ(ui.errors().size(), 1);
    EXPECT_EQ(ui.errors()[0], "Games and favourites cannot be saved in " + tmp.path()
                                  + "/gone/.local/share/Tarnwick/: the folder " + tmp.path() + "/gone does not exist.");
    playAGame(engine);
    EXPECT_EQ(ui.asked.size(), 1u);
    // Nor does the settings file make it: the settings last for the run.
    env.unset("XDG_CONFIG_HOME");
    {
        QtSettingsStore store;
        EXPECT_TRUE(store.FileName().isEmpty());
        store.Write("Data", "ShowTime", "0");
        EXPECT_EQ(store.Read("Data", "ShowTime", "1"), "0");
    }
    EXPECT_FALSE(QFileInfo::exists(tmp.path() + "/gone"));

    // An existing home gets the levels it lacks.
    ASSERT_TRUE(QDir().mkpath(tmp.path() + "/gone"));
    playAGame(engine);
    EXPECT_EQ(ui.asked.size(), 1u);
    EXPECT_TRUE(QFileInfo::exists(tmp.path() + "/gone/.local/share/Tarnwick/Player1.sre"));
}

// A folder that cannot be written, for any user (also root): no permission
// to make it, none to write in it, a read-only disk.
TEST_F(DataFolder, AFolderThatCannotBeWrittenIsToldOnce)
{
    SmallFilesystem fs(256 * 1024);
    if (!fs.here())
        return;
    const QString base = fs.path() + "/data";
    ASSERT_TRUE(QDir().mkpath(base));
    d.data.SetAppDataLookup([&] { return base; });
    const QString where = "Games and favourites cannot be saved in " + base + "/Tarnwick/: ";

    ASSERT_EQ(::chmod(QFile::encodeName(base).constData(), 0500), 0);
    engine.InitTable();
    playAGame(engine);
    EXPECT_EQ(ui.errors(), QStringList{where + "you have no permission to make a folder in " + base + "."});

    ASSERT_EQ(::chmod(QFile::encodeName(base).constData(), 0700), 0);
    ASSERT_TRUE(QDir().mkpath(dir()));
    ASSERT_EQ(::chmod(QFile::encodeName(dir()).constData(), 0500), 0);
    ui.asked.clear();
    playAGame(engine);
    playAGame(engine);
    EXPECT_EQ(ui.errors(), QStringList{where + "you have no permission to write in it."});

    ASSERT_EQ(::chmod(QFile::encodeName(dir()).constData(), 0700), 0);
    ASSERT_TRUE(QDir(dir()).removeRecursively());
    fs.makeReadOnly();
    ui.asked.clear();
    playAGame(engine);
    score.AddFav("Freecell", GameNo::number(7));
    EXPECT_EQ(ui.errors(), QStringList(2, where + base + " is on a read-only disk."));
    EXPECT_FALSE(QFileInfo::exists(dir()));
}
