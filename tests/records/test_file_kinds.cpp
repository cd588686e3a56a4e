// Whatever stands where a record file or the report should be: a FIFO, a
// socket, a folder, a file the player may not use. Nothing waits on it,
// nothing is written into it or reported as saved, and every message names
// the file and says why.
#include "recordstest.h"

#include "filekinds.h"
#include "subprocess.h"

#include <QFileInfo>

#include <sys/stat.h>

using namespace tw;
using namespace tw::test;

namespace {

// A time limit for what could wait on a FIFO: the test must end.
constexpr double kLimit = 5.0;

class FileKinds : public StoreFixture {
protected:
    FileKinds() { d.data.SetPlayer(1, "Player1", true); }

    std::string lastError() const { return ui.errors().isEmpty() ? std::string() : ui.errors().last().toStdString(); }
};

} // namespace

TEST_F(FileKinds, AScoreFileThatIsNoFileIsNeitherWaitedForNorWrittenInto)
{
    const QString p = path("Player1.sre");
    // Another player's games still load beside it.
    d.data.SetPlayer(2, "Bob", false);
    writeFile(path("Bob.sre"), line("2024-03-14 17:06:07", "Freecell", "7", 60, 30, 200, 1));
    for (FileKind k : AllFileKinds) {
        SCOPED_TRACE(FileKindName(k));
        MakeFileKind(k, p);
        ui.asked.clear();
        game("Freecell", GameNo::number(5), 30, 10, 20);
        EXPECT_TRUE(EndsWithin(kLimit, p, [&] { score.AddScore(1); }));
        ASSERT_EQ(ui.errors().size(), 1);
        EXPECT_EQ(lastError(),
                  ("The game could not be recorded in " + p + ": " + FileKindReason(k) + ".").toStdString());

        EXPECT_TRUE(EndsWithin(kLimit, p, [&] { score.OpenAllScore(); }));
        ASSERT_EQ(ui.errors().size(), 2);
        EXPECT_EQ(lastError(),
                  ("The score file " + p + " could not be read: " + FileKindReason(k) + ".").toStdString());
        EXPECT_EQ(score.ScoreTop(), 1);

        // The statistics cleared: Bob's file goes, the thing stays and is
        // named with the reason.
        EXPECT_TRUE(EndsWithin(kLimit, p, [&] { score.ClearStat(); }));
        EXPECT_TRUE(ui.infos().isEmpty());
        EXPECT_EQ(lastError(), ("The statistics of these players could not be cleared: Player1 (" + p + ": "
                                + FileKindReason(k) + ").")
                                   .toStdString());
        EXPECT_FALSE(QFileInfo::exists(path("Bob.sre")));
        writeFile(path("Bob.sre"), line("2024-03-14 17:06:07", "Freecell", "7", 60, 30, 200, 1));
        ExpectUntouched(k, p);
    }
}

TEST_F(FileKinds, AFavouritesFileThatIsNoFileIsNeitherWaitedForNorWrittenInto)
{
    const QString p = path("fav.dat");
    for (FileKind k : AllFileKinds) {
        SCOPED_TRACE(FileKindName(k));
        MakeFileKind(k, p);
        ui.asked.clear();
        // Every favourite the player adds is told, each time.
        for (int i = 1; i <= 2; ++i) {
            bool kept = true;
            EXPECT_TRUE(EndsWithin(kLimit, p, [&] { kept = score.AddFav("Freecell", GameNo::number(7)); }));
            EXPECT_FALSE(kept);
            ASSERT_EQ(ui.errors().size(), i);
            EXPECT_EQ(lastError(),
                      ("The favourite could not be saved in " + p + ": " + FileKindReason(k) + ".").toStdString());
        }
        EXPECT_TRUE(EndsWithin(kLimit, p, [&] { score.OpenFav(); }));
        EXPECT_EQ(lastError(),
                  ("The favourites file " + p + " could not be read: " + FileKindReason(k) + ".").toStdString());
        EXPECT_EQ(score.FavTop(), 0);
        EXPECT_TRUE(EndsWithin(kLimit, p, [&] { score.ClearFav(); }));
        EXPECT_EQ(lastError(),
                  ("The favourites file " + p + " could not be deleted: " + FileKindReason(k) + ".").toStdString());
        EXPECT_EQ(ui.errors().size(), 4);
        ExpectUntouched(k, p);
    }
}

TEST_F(FileKinds, AReportTargetThatIsNoFileIsNeitherReplacedNorWaitedFor)
{
    writeFile(path("Player1.sre"), line("2024-03-14 17:06:07", "Freecell", "7", 60, 30, 200, 1));
    const QString p = tmp.path() + "/Scoreboard";
    for (FileKind k : AllFileKinds) {
        SCOPED_TRACE(FileKindName(k));
        MakeFileKind(k, p);
        ui.asked.clear();
        ui.saveName = p;
        EXPECT_TRUE(EndsWithin(kLimit, p, [&] { score.ExportStat(); }));
        EXPECT_TRUE(ui.infos().isEmpty());
        ASSERT_EQ(ui.errors().size(), 1);
        EXPECT_EQ(lastError(),
                  ("The statistics could not be exported to " + p + ": " + FileKindReason(k) + ".").toStdString());
        ExpectUntouched(k, p);
    }
}

// Files the player has no rights to, as a user who is not root meets them.
TEST_F(FileKinds, FilesWithoutRightsSayPermissionDenied)
{
    WithoutRootRights user;
    if (!user.here())
        return;
    const QString scores = path("Player1.sre");
    const QString favs = path("fav.dat");
    const QString report = tmp.path() + "/Scoreboard";
    const QByteArray record = line("2024-03-14 17:06:07", "Freecell", "7", 60, 30, 200, 1);
    writeFile(scores, record);
    writeFile(favs, "\"Freecell\",7\r\n");
    writeFile(report, "old report\r\n");
    const auto mode = [](const QString &p, mode_t m) { ASSERT_EQ(::chmod(QFile::encodeName(p).constData(), m), 0); };
    mode(scores, 0);
    mode(favs, 0);
    mode(report, 0);
    const std::string denied = ": permission denied.";

    game("Freecell", GameNo::number(5), 30, 10, 20);
    score.AddScore(1);
    EXPECT_EQ(lastError(), ("The game could not be recorded in " + scores).toStdString() + denied);
    score.OpenAllScore();
    EXPECT_EQ(lastError(), ("The score file " + scores + " could not be read").toStdString() + denied);
    EXPECT_FALSE(score.AddFav("Freecell", GameNo::number(8)));
    EXPECT_EQ(lastError(), ("The favourite could not be saved in " + favs).toStdString() + denied);
    score.OpenFav();
    EXPECT_EQ(lastError(), ("The favourites file " + favs + " could not be read").toStdString() + denied);
    EXPECT_EQ(ui.errors().size(), 4);
    EXPECT_TRUE(ui.infos().isEmpty());

    // Readable but not writable: the games load, a new one is refused.
    mode(scores, 0444);
    ui.asked.clear();
    score.AddScore(1);
    EXPECT_EQ(lastError(), ("The game could not be recorded in " + scores).toStdString() + denied);
    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 1);
    EXPECT_EQ(ui.errors().size(), 1);

    ui.saveName = report;
    score.ExportStat();
    EXPECT_TRUE(ui.infos().isEmpty());
    EXPECT_EQ(lastError(), ("The statistics could not be exported to " + report).toStdString() + denied);
    mode(report, 0600);
    EXPECT_EQ(readFile(report), QByteArray("old report\r\n"));
    mode(scores, 0600);
    EXPECT_EQ(readFile(scores), record);
}
