#include "recordstest.h"

#include "engine/catalogue.h"
#include "subprocess.h"

#include <QFileInfo>
#include <QLocale>

using namespace tw;
using namespace tw::test;

namespace {

class ScoreExport : public StoreFixture {
protected:
    ScoreExport()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        d.data.SetPlayer(1, "Player1", true);
        now = QDateTime(QDate(2024, 3, 14), QTime(17, 30, 0));
        ui.saveName = tmp.path() + "/Scoreboard";
    }
    ~ScoreExport() override { QLocale::setDefault(QLocale::c()); }

    QStringList exportedLines(const QString &file)
    {
        const QByteArray bytes = readFile(file);
        EXPECT_TRUE(bytes.endsWith("\r\n"));
        QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        for (const QString &l : lines)
            EXPECT_FALSE(l.contains(u'\n') || l.contains(u'\r'));
        return lines;
    }

    // The report down to the games section, and the games section itself.
    static QStringList head(const QString &player, const QStringList &general, const QStringList &players)
    {
        QStringList out = {"Tarnwick Score Board",
                           " ",
                           "*************************",
                           " ",
                           "Created By    " + player,
                           "Created Date  2024-03-14 17:30:00",
                           " ",
                           "----------------------------------",
                           " ",
                           "General Statistics",
                           "------------------",
                           "Played        Won           Lost          Time          Moves         Score"};
        out << general << " "
            << " "
            << "Player Statistics"
            << "-----------------"
            << "Player        Played        Won           Lost          Time          Moves         Score";
        out << players << " "
            << " "
            << "Games Statistics"
            << "----------------"
            << "Game                     Played           Won           Time          Moves         Score";
        return out;
    }
    static QString zeroGame(const QString &name)
    {
        return name + QString(25 - name.size(), u' ') + " 0  0            0:00:00        0             0 ";
    }
    static QStringList fullHead()
    {
        return {" ", " ", "Full Statistics", "--------------",
                "Date          Game          Player        Status        Score         Moves         Time          "
                "Game No"};
    }
};

} // namespace

TEST_F(ScoreExport, ReportMatchesLineByLine)
{
    writeFile(path("Player1.sre"), line("2024-03-14 17:06:07", "Freecell", "123", 300, 100, 370, 1)
                                       + line("2024-03-14 17:10:00", "Freecell", "\"42\"", 65, 12, -5, 0));
    score.ExportStat();
    EXPECT_EQ(ui.last(ScriptedCorePrompt::Asked::SaveFile).text, "Scoreboard");
    EXPECT_EQ(ui.last(ScriptedCorePrompt::Asked::SaveFile).filter, "Text File (*.txt)");
    EXPECT_EQ(ui.infos(), QStringList{"Statistics Successfully Exported to " + *ui.saveName});
    EXPECT_TRUE(ui.errors().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(*ui.saveName + ".txt")); // written under exactly the chosen name

    QStringList expect =
        head("Player1", {" 2             1             1            0:06:05        112           365 "},
             {"Player1        2             1             1            0:06:05        112           365 "});
    for (int16_t i = 1; i <= frmGame::GameCount; ++i) {
        const QString name = frmGame::NameAt(i);
        expect << (name == "Freecell" ? "Freecell                  2  1            0:06:05        112           365 "
                                      : zeroGame(name));
    }
    expect << fullHead();
    expect << "3/14/2024     Freecell      Player1       Won            370           100          0:05:00      123 "
           << "3/14/2024     Freecell      Player1       Lost          -5             12           0:01:05     42";
    const QStringList got = exportedLines(*ui.saveName);
    ASSERT_EQ(got.size(), expect.size());
    for (int i = 0; i < got.size(); ++i)
        EXPECT_EQ(got[i], expect[i]) << "line " << i + 1;
    EXPECT_TRUE(got.contains("Baker's Game              0  0            0:00:00        0             0 "));
}

TEST_F(ScoreExport, LongNamesAndUnreadableDatesInTheFullSection)
{
    d.data.SetPlayer(1, "Fourteen chars", true);
    d.data.SetPlayer(2, "A rather long player name", false);
    writeFile(path("A rather long player name.sre"), line("old text", "Freecell", "7", 3725, 1, 12, 1));
    score.ExportStat();
    const QStringList got = exportedLines(*ui.saveName);
    EXPECT_EQ(got[4], "Created By    Fourteen chars");
    EXPECT_TRUE(
        got.contains("Fourteen chars 0             0             0            0:00:00        0             0 "));
    EXPECT_TRUE(got.contains(
        "A rather long player name    1             1             0            1:02:05        1             12 "));
    EXPECT_EQ(got.last(),
              "old text      Freecell      A rather lon  Won            12            1            1:02:05      7 ");
}

TEST_F(ScoreExport, NoFilesStillWritesEverySection)
{
    d.data.SetPlayer(2, "Bob", false);
    score.ExportStat();
    QStringList expect =
        head("Player1", {" 0             0             0            0:00:00        0             0 "},
             {"Player1        0             0             0            0:00:00        0             0 ",
              "Bob            0             0             0            0:00:00        0             0 "});
    for (int16_t i = 1; i <= frmGame::GameCount; ++i)
        expect << zeroGame(frmGame::NameAt(i));
    expect << fullHead();
    EXPECT_EQ(exportedLines(*ui.saveName), expect);
    EXPECT_EQ(ui.infos().size(), 1);
}

TEST_F(ScoreExport, CancelWritesNothing)
{
    ui.saveName.reset();
    score.ExportStat();
    ui.saveName = QString();
    score.ExportStat();
    EXPECT_TRUE(ui.infos().isEmpty());
    EXPECT_TRUE(ui.errors().isEmpty());
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList());
}

TEST_F(ScoreExport, FailedWriteIsNoSuccessAndLeavesTheLoadedTable)
{
    writeFile(path("Player1.sre"), line("2024-03-14 17:06:07", "Freecell", "123", 300, 100, 370, 1)
                                       + line("2024-03-14 17:10:00", "Freecell", "124", 65, 12, 5, 0));
    score.OpenAllScore();
    score.Sort("", "", 0);

    // A folder that cannot be written: its name is taken by a plain file.
    writeFile(tmp.path() + "/blocked", "x");
    ui.saveName = tmp.path() + "/blocked/Scoreboard.txt";
    score.ExportStat();
    EXPECT_TRUE(ui.infos().isEmpty());
    ASSERT_EQ(ui.errors().size(), 1);
    EXPECT_EQ(ui.errors()[0].toStdString(), ("The statistics could not be exported to " + *ui.saveName
                                             + ": a part of its path is a file, not a folder.")
                                                .toStdString());

    EXPECT_EQ(score.ScoreTop(), 2);
    ScoreRec r;
    score.GetTopRec(1, r);
    EXPECT_EQ(r.Score, 370);

    // A successful export leaves it alone too.
    ui.saveName = tmp.path() + "/report.txt";
    score.ExportStat();
    EXPECT_EQ(ui.infos().size(), 1);
    EXPECT_EQ(score.ScoreTop(), 2);
    score.GetTopRec(2, r);
    EXPECT_EQ(r.Score, 5);
}

TEST_F(ScoreExport, ReadOnlyFolderGivesNoSuccessAndKeepsTheOldFile)
{
    // Run where permissions bind root as well.
    SmallFilesystem fs(64 * 1024);
    if (!fs.here())
        return;
    QDir().mkpath(tmp.path() + "/ro");
    const QString target = tmp.path() + "/ro/Scoreboard";
    writeFile(target, "old report\r\n");
    QFile::setPermissions(tmp.path() + "/ro", QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    ui.saveName = target;
    score.ExportStat();
    QFile::setPermissions(tmp.path() + "/ro", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(ui.infos().isEmpty());
    ASSERT_EQ(ui.errors().size(), 1);
    EXPECT_EQ(ui.errors()[0].toStdString(),
              ("The statistics could not be exported to " + target + ": permission denied.").toStdString());
    EXPECT_EQ(readFile(target), QByteArray("old report\r\n"));
}

TEST_F(ScoreExport, ReplacesAnExistingFileWhole)
{
    writeFile(*ui.saveName, QByteArray(100000, '#'));
    score.ExportStat();
    const QByteArray bytes = readFile(*ui.saveName);
    EXPECT_FALSE(bytes.contains('#'));
    EXPECT_LT(bytes.size(), 10000);
    EXPECT_TRUE(bytes.startsWith("Tarnwick Score Board\r\n"));
}

TEST_F(ScoreExport, AnUnreadableScoreFileIsNoSuccess)
{
    d.data.SetPlayer(2, QStringLiteral("Bob"), false);
    writeFile(path("Player1.sre"), line("2024-03-14 17:06:07", "Freecell", "123", 300, 100, 370, 1));
    // Bob's score file cannot be read: its name is taken by a folder.
    QDir().mkpath(path("Bob.sre"));
    ui.saveName = tmp.path() + "/report.txt";
    score.ExportStat();
    EXPECT_TRUE(ui.infos().isEmpty());
    EXPECT_EQ(ui.errors().join('\n').toStdString(),
              ("The score file " + path("Bob.sre") + " could not be read: it is a folder, not a file.\n"
               + "The statistics could not be exported to " + *ui.saveName + ": not every score file could be read.")
                  .toStdString());
    EXPECT_FALSE(QFile::exists(*ui.saveName)); // no report that leaves Bob out
}

// Totals far beyond 32 bits are written as they are.
TEST_F(ScoreExport, HugeTotalsAreExact)
{
    QByteArray games;
    for (int i = 0; i < 3; ++i)
        games += line("2024-03-14 17:06:07", "Freecell", "123", 2147483647, 2147483647, 2147483647, 1);
    writeFile(path("Player1.sre"), games);
    score.ExportStat();
    const QStringList got = exportedLines(*ui.saveName);
    ASSERT_GT(got.size(), 14);
    EXPECT_EQ(got[12].toStdString(),
              " 3             3             0            1789569:42:21  6442450941    6442450941 ");
    EXPECT_EQ(got[18].toStdString(),
              "Player1        3             3             0            1789569:42:21  6442450941    6442450941 ");
}

// The export is long work: it runs through the prompt, which may run it away
// from the windows, and it tells how far it has come.
TEST_F(ScoreExport, RunsAsLongWorkThatReportsItsProgress)
{
    d.data.SetPlayer(2, "Bob", false);
    QByteArray games;
    for (int i = 0; i < 20000; ++i)
        games += line("2024-03-14 17:06:07", "Freecell", "123", 300, 100, 370, 1);
    writeFile(path("Player1.sre"), games);
    writeFile(path("Bob.sre"), games);
    score.ExportStat();
    EXPECT_EQ(ui.last(ScriptedCorePrompt::Asked::LongWork).text, "Exporting the statistics to " + *ui.saveName);
    EXPECT_EQ(ui.infos(), QStringList{"Statistics Successfully Exported to " + *ui.saveName});
    // Both files read, then a report of some megabytes written in blocks.
    ASSERT_GE(ui.progress.size(), 4u);
    const qint64 total = ui.progress.front().second;
    EXPECT_GT(total, 2 * games.size());
    qint64 last = 0;
    for (const auto &[done, all] : ui.progress) {
        EXPECT_EQ(all, total);
        EXPECT_GE(done, last);
        last = done;
    }
    EXPECT_EQ(last, total);
    EXPECT_EQ(readFile(*ui.saveName).count('\n'), 40000 + frmGame::GameCount + 30);
}

// Cancelled while reading the files or while writing: no report, the old
// one kept, nothing left beside it, and nothing to tell.
TEST_F(ScoreExport, ACancelledExportLeavesNoReport)
{
    QByteArray games;
    for (int i = 0; i < 20000; ++i)
        games += line("2024-03-14 17:06:07", "Freecell", "123", 300, 100, 370, 1);
    writeFile(path("Player1.sre"), games);
    const QString target = tmp.path() + "/Scoreboard";
    writeFile(target, "old report\r\n");
    // The first report comes after reading, the second after the first block
    // of the report.
    for (int at : {1, 2}) {
        ui.asked.clear();
        ui.progress.clear();
        ui.cancelAt = at;
        ui.saveName = target;
        score.ExportStat();
        EXPECT_EQ(ui.progress.size(), static_cast<size_t>(at)) << "cancelled at report " << at;
        EXPECT_EQ(ui.count(ScriptedCorePrompt::Asked::LongWork), 1);
        EXPECT_TRUE(ui.infos().isEmpty());
        EXPECT_TRUE(ui.errors().isEmpty());
        EXPECT_EQ(readFile(target), QByteArray("old report\r\n"));
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"Scoreboard"});
    }
}

TEST_F(ScoreExport, AFullDiskIsNoSuccessAndLeavesNoReport)
{
    SmallFilesystem fs(64 * 1024);
    if (!fs.here())
        return;
    // A report of a few pages.
    QByteArray games;
    for (int i = 0; i < 50; ++i)
        games += line("2024-03-14 17:06:07", "Freecell", "123", 300, 100, 370, 1);
    writeFile(path("Player1.sre"), games);
    const QString target = fs.path() + "/Scoreboard";
    const QString fresh = fs.path() + "/report.txt";
    // The pages the report takes.
    ui.saveName = fresh;
    score.ExportStat();
    ASSERT_EQ(ui.infos().size(), 1);
    const qint64 pages = (QFileInfo(fresh).size() + SmallFilesystem::PageSize - 1) / SmallFilesystem::PageSize;
    ASSERT_GE(pages, 2);
    ASSERT_TRUE(QFile::remove(fresh));
    ui.asked.clear();
    writeFile(target, "old report\r\n");
    // Room for nothing, and for all but the report's last page.
    for (int room : {0, int(pages - 1)}) {
        for (const QString &name : {target, fresh}) {
            ui.saveName = name;
            fs.fill(room);
            score.ExportStat();
            fs.unfill();
            EXPECT_TRUE(ui.infos().isEmpty()) << "room " << room << ", " << name.toStdString();
            ASSERT_EQ(ui.errors().size(), 1);
            EXPECT_EQ(ui.errors()[0].toStdString(),
                      ("The statistics could not be exported to " + name + ": the disk is full.").toStdString());
            ui.asked.clear();
            EXPECT_EQ(readFile(target), QByteArray("old report\r\n"));
            EXPECT_FALSE(QFileInfo::exists(fresh));
            // No half-written temporary file is left beside it either.
            EXPECT_EQ(QDir(fs.path()).entryList(QDir::Files), QStringList{"Scoreboard"});
        }
    }
    // With room the same export succeeds.
    ui.saveName = fresh;
    score.ExportStat();
    EXPECT_EQ(ui.infos().size(), 1);
    EXPECT_TRUE(readFile(fresh).endsWith(
        "Freecell      Player1       Won            370           100          0:05:00      123 \r\n"));
}
