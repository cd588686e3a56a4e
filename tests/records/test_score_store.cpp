#include "recordstest.h"

#include "records/recordfile.h"
#include "subprocess.h"

#include <QFileInfo>

using namespace tw;
using namespace tw::test;

namespace {

class ScoreStore : public StoreFixture {
protected:
    ScoreStore() { d.data.SetPlayer(1, "Player1", true); }
};

ScoreRec rec(const cScore &s, int32_t i)
{
    ScoreRec r;
    s.GetScoreRec(i, r);
    return r;
}

} // namespace

TEST_F(ScoreStore, RandomGameLineBytesAndOneLinePerGame)
{
    game("Freecell", GameNo::number(123), 300, 100, 370);
    score.AddScore(1);
    EXPECT_EQ(readFile(path("Player1.sre")), QByteArray("\"2024-03-14 17:06:07\",\"Freecell\",123,300,100,370,1\r\n"));

    now = QDateTime(QDate(2024, 3, 14), QTime(17, 10, 0));
    game("Freecell", GameNo::text("42"), 65, 12, -5);
    score.AddScore(0);
    EXPECT_EQ(readFile(path("Player1.sre")), QByteArray("\"2024-03-14 17:06:07\",\"Freecell\",123,300,100,370,1\r\n"
                                                        "\"2024-03-14 17:10:00\",\"Freecell\",\"42\",65,12,-5,0\r\n"));
    EXPECT_TRUE(ui.errors().isEmpty());
}

TEST_F(ScoreStore, GameNumberKindSurvivesWriteAndRead)
{
    game("Freecell", GameNo::number(123), 1, 1, 1);
    score.AddScore(1);
    game("Freecell", GameNo::text(" 42 "), 2, 2, 2);
    score.AddScore(0);
    game("Freecell", GameNo::number(999999999999999), 3, 3, 3);
    score.AddScore(0);
    game("Freecell", GameNo::text("123"), 4, 4, 4);
    score.AddScore(0);
    EXPECT_TRUE(readFile(path("Player1.sre")).contains(",999999999999999,3,3,3,0\r\n"));

    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 4);
    EXPECT_EQ(rec(score, 1).GNo, GameNo::number(123));
    EXPECT_EQ(rec(score, 2).GNo, GameNo::text(" 42 "));
    EXPECT_EQ(rec(score, 3).GNo, GameNo::number(999999999999999));
    EXPECT_EQ(rec(score, 4).GNo, GameNo::text("123"));
    EXPECT_EQ(rec(score, 1).GNo.toText(), rec(score, 4).GNo.toText());

    const ScoreRec r = rec(score, 2);
    EXPECT_EQ(r.Date, "2024-03-14 17:06:07");
    EXPECT_EQ(r.When(), now);
    EXPECT_EQ(r.GName, "Freecell");
    EXPECT_EQ(r.Time, 2);
    EXPECT_EQ(r.Moves, 2);
    EXPECT_EQ(r.Score, 2);
    EXPECT_EQ(r.Status, 0);
    EXPECT_EQ(r.Player, "Player1");
}

TEST_F(ScoreStore, GarbageLinesAreSkippedAndTheFileIsLeftAlone)
{
    const QByteArray good1 = line("2024-03-14 17:06:07", "Freecell", "123", 300, 100, 370, 1);
    const QByteArray good2 = line("2024-03-15 09:00:00", "Baker's Game", "\"7\"", 60, 20, 50, 0);
    const QByteArray good3 = line("2024-03-16 10:00:00", "Freecell", "5", 10, 10, 10, 1);
    const QByteArray file = good1 + "\"2024-03-14 17:06:07\",\"Freecell\",123,300,100,370\r\n"    // six items
                            + "\r\n"                                                              // blank
                            + "\"2024-03-14 17:06:07\",\"Freecell\",123,300,1x0,370,1\r\n"        // no number
                            + "\"2024-03-14 17:06:07\",\"Freecell\",123,300,100,370,1,9\r\n"      // eight items
                            + "\"2024-03-14 17:06:07\",\"Freecell\",123,9999999999,100,370,1\r\n" // beyond 32 bits
                            + "\"2024-03-14 17:06:07\",\"Freecell\",123,300,100,370,70000\r\n" // status beyond 16 bits
                            + "\"2024-03-14 17:06:07,\"Freecell\",123,300,100,370,1\r\n"       // quote missing
                            + "2024-03-14 17:06:07,Freecell,123,300,100,370,1\r\n"             // texts unquoted
                            + good2 + "\n" + good3 + "\"2024-03-17 10:00:00\",\"Freec";        // half-written, unclosed
    writeFile(path("Player1.sre"), file);

    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 3);
    EXPECT_EQ(rec(score, 1).Score, 370);
    EXPECT_EQ(rec(score, 2).GName, "Baker's Game");
    EXPECT_EQ(rec(score, 2).GNo, GameNo::text("7"));
    EXPECT_EQ(rec(score, 3).Day, QDate(2024, 3, 16));
    EXPECT_EQ(readFile(path("Player1.sre")), file);
    score.CloseScore();
    EXPECT_EQ(readFile(path("Player1.sre")), file);
    EXPECT_TRUE(ui.errors().isEmpty());
}

// Files from older systems and other editors: a byte-order mark, a line in
// Latin-1 (Windows-1252), LF and CR line ends. Nothing is dropped, and the
// file is not touched.
TEST_F(ScoreStore, OtherEncodingsAndLineEndsAreRead)
{
    const QByteArray file = QByteArray("\xEF\xBB\xBF") + line("2024-03-14 17:06:07", "Freecell", "1", 1, 1, 1, 1)
                            + "\"2024-03-15 09:00:00\",\"Caf\xe9\",\"No \x80 5\",60,20,50,0\n"
                            + "\"2024-03-15 10:00:00\",\"Caf\xc3\xa9\",3,60,20,50,1\r"
                            + "\"14.03.2024 17:06:07\",\"Caf\xe9\",4,1,1,1,1\r\n";
    writeFile(path("Player1.sre"), file);
    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 4);
    EXPECT_EQ(rec(score, 1).GNo, GameNo::number(1));
    EXPECT_EQ(rec(score, 1).Date, "2024-03-14 17:06:07");
    EXPECT_EQ(rec(score, 2).GName, QString::fromUtf8("Caf\xc3\xa9"));
    EXPECT_EQ(rec(score, 2).GNo, GameNo::text(QString::fromUtf8("No \xe2\x82\xac 5")));
    EXPECT_EQ(rec(score, 4).Day, QDate(2024, 3, 14));
    // The same game whichever encoding its line is in.
    StatTotals t;
    score.SumGameStats(QString::fromUtf8("Caf\xc3\xa9"), t);
    EXPECT_EQ(t.Played, 3);
    EXPECT_EQ(readFile(path("Player1.sre")), file);

    writeFile(path("fav.dat"), "\xEF\xBB\xBF\"Freecell\",1\r\n\"Caf\xe9\",\"\x93"
                               "7\x94\"\r\n");
    score.OpenFav();
    ASSERT_EQ(score.FavTop(), 2);
    FavRec f;
    score.GetFavRec(1, f);
    EXPECT_EQ(f, (FavRec{"Freecell", GameNo::number(1)}));
    score.GetFavRec(2, f);
    EXPECT_EQ(f, (FavRec{QString::fromUtf8("Caf\xc3\xa9"), GameNo::text(QString::fromUtf8("\xe2\x80\x9c"
                                                                                          "7\xe2\x80\x9d"))}));
    EXPECT_TRUE(ui.errors().isEmpty());
}

TEST_F(ScoreStore, AnUnfinishedLastLineStaysOnALineOfItsOwn)
{
    // Cut off in its last item, the half line has six items: it is no record.
    const QByteArray good = line("2024-03-14 17:06:07", "Freecell", "123", 300, 100, 370, 1);
    const QByteArray half = "\"2024-03-14 17:07:00\",\"Freecell\",123,300,100,37";
    writeFile(path("Player1.sre"), good + half);
    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 1);

    // The next game ends that line first: the half line stays where it is and
    // the record neither joins it nor takes its place.
    game("Freecell", GameNo::number(9), 30, 10, 20);
    score.AddScore(1);
    const QByteArray added = "\"2024-03-14 17:06:07\",\"Freecell\",9,30,10,20,1\r\n";
    EXPECT_EQ(readFile(path("Player1.sre")), good + half + "\r\n" + added);
    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 2);
    EXPECT_EQ(rec(score, 1).Score, 370);
    EXPECT_EQ(rec(score, 2).GNo, GameNo::number(9));
    score.AddScore(0);
    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 3);
    for (int32_t i = 1; i <= 3; ++i)
        EXPECT_NE(rec(score, i).Score, 37);
    EXPECT_TRUE(ui.errors().isEmpty());

    // A file ended by LF alone keeps its last line.
    writeFile(path("Player1.sre"), "x\n");
    score.AddScore(0);
    EXPECT_TRUE(readFile(path("Player1.sre")).startsWith("x\n\"2024"));
    // A line cut between its CR and LF is ended by its CR: a whole record.
    writeFile(path("Player1.sre"), good + good.left(good.size() - 1));
    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 2);
    score.AddScore(0);
    EXPECT_EQ(readFile(path("Player1.sre")),
              good + good.left(good.size() - 1) + "\"2024-03-14 17:06:07\",\"Freecell\",9,30,10,20,0\r\n");
    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 3);
}

// On a real full filesystem: a record that does not fit, wholly or in part,
// is cut back to exactly where its append began (with the line end it would
// have given a hand-typed last line); the error is reported, and once there
// is room again the next record goes in whole.
TEST_F(ScoreStore, AScoreThatDoesNotFitLeavesTheFileAsItWas)
{
    SmallFilesystem fs(64 * 1024);
    if (!fs.here())
        return;
    d.data.SetAppDataLookup([&] { return fs.path(); });
    ASSERT_TRUE(QDir().mkpath(dir()));
    game("Freecell", GameNo::number(4567), 30, 10, 20);
    const QByteArray added = "\"2024-03-14 17:06:07\",\"Freecell\",4567,30,10,20,1\r\n";
    const QByteArray good = line("2024-03-14 17:06:07", "Freecell", "123", 300, 100, 370, 1);
    const QByteArray typed = "\"2024-03-11 11:00:00\",\"Penguin\",\"77\",90,30,200,0";
    const qsizetype page = SmallFilesystem::PageSize;
    for (const QByteArray &tail : {good, good + typed}) {
        const QByteArray lineEnd = tail.endsWith('\n') ? "" : "\r\n";
        const qsizetype need = lineEnd.size() + added.size();
        for (qsizetype room : {qsizetype(0), qsizetype(1), qsizetype(30), need - 2, need - 1}) {
            // The filesystem has no page left; the room is what the file's
            // last page has free.
            qsizetype padding = (2 * page - room - tail.size()) % page;
            if (padding < 2)
                padding += page;
            const QByteArray before = QByteArray(padding - 2, 'x') + "\r\n" + tail;
            writeFile(path("Player1.sre"), before);
            fs.fill();
            EXPECT_NO_THROW(score.AddScore(1));
            EXPECT_TRUE(readFile(path("Player1.sre")) == before) << "room for " << room << " bytes";
            ASSERT_EQ(ui.errors().size(), 1) << "room for " << room << " bytes";
            EXPECT_EQ(
                ui.errors()[0].toStdString(),
                ("The game could not be recorded in " + path("Player1.sre") + ": the disk is full.").toStdString());
            ui.asked.clear();
            fs.unfill();
            score.AddScore(1);
            EXPECT_TRUE(readFile(path("Player1.sre")) == before + lineEnd + added) << "room for " << room;
            EXPECT_TRUE(ui.errors().isEmpty());
        }
    }
}

TEST_F(ScoreStore, AFavouriteThatDoesNotFitLeavesNoPartOfIt)
{
    SmallFilesystem fs(64 * 1024);
    if (!fs.here())
        return;
    d.data.SetAppDataLookup([&] { return fs.path(); });
    ASSERT_TRUE(QDir().mkpath(dir()));
    // Room for ten bytes of the 24 it needs.
    const QByteArray one = "\"Freecell\",1\r\n";
    const QByteArray before = QByteArray(SmallFilesystem::PageSize - one.size() - 12, 'x') + "\r\n" + one;
    writeFile(path("fav.dat"), before);
    fs.fill();
    score.AddFav("Freecell", GameNo::number(123456789));
    EXPECT_TRUE(readFile(path("fav.dat")) == before);
    ASSERT_EQ(ui.errors().size(), 1);
    EXPECT_EQ(ui.errors()[0].toStdString(),
              ("The favourite could not be saved in " + path("fav.dat") + ": the disk is full.").toStdString());
    score.OpenFav();
    EXPECT_EQ(score.FavTop(), 1);
    fs.unfill();

    // A favourite typed by hand without its line end is a favourite; the next
    // one goes on a line of its own.
    writeFile(path("fav.dat"), "\"Freecell\",1\r\n\"Freecell\",12");
    score.AddFav("Penguin", GameNo::text("7"));
    score.AddFav("Penguin", GameNo::number(8));
    EXPECT_EQ(readFile(path("fav.dat")),
              QByteArray("\"Freecell\",1\r\n\"Freecell\",12\r\n\"Penguin\",\"7\"\r\n\"Penguin\",8\r\n"));
    score.OpenFav();
    ASSERT_EQ(score.FavTop(), 4);
    FavRec f;
    score.GetFavRec(2, f);
    EXPECT_EQ(f, (FavRec{"Freecell", GameNo::number(12)}));
    score.GetFavRec(3, f);
    EXPECT_EQ(f, (FavRec{"Penguin", GameNo::text("7")}));
}

TEST_F(ScoreStore, TextItemsAreCleanedBeforeWriting)
{
    game("My \"best\"\r\ngame", GameNo::text("4\n2"), 1, 2, 3);
    score.AddScore(1);
    EXPECT_EQ(readFile(path("Player1.sre")),
              QByteArray("\"2024-03-14 17:06:07\",\"My 'best'game\",\"42\",1,2,3,1\r\n"));
    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 1);
    EXPECT_EQ(rec(score, 1).GName, "My 'best'game");
}

TEST_F(ScoreStore, PlayersLoadInSlotOrderThenFileOrder)
{
    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 0); // no files at all

    d.data.SetPlayer(1, "A", true);
    d.data.SetPlayer(2, "B", false);
    d.data.SetPlayer(3, "C", false); // has no file
    writeFile(path("B.sre"), line("2024-01-01 10:00:00", "Freecell", "3", 1, 1, 1, 0)
                                 + line("2024-01-02 10:00:00", "Freecell", "4", 1, 1, 1, 0));
    writeFile(path("A.sre"), line("2024-01-03 10:00:00", "Freecell", "1", 1, 1, 1, 0)
                                 + line("2024-01-04 10:00:00", "Freecell", "2", 1, 1, 1, 0));
    writeFile(path("Orphan.sre"), line("2024-01-05 10:00:00", "Freecell", "9", 1, 1, 1, 0));
    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 4);
    const char *players[] = {"A", "A", "B", "B"};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(rec(score, i).GNo, GameNo::number(i));
        EXPECT_EQ(rec(score, i).Player, players[i - 1]);
    }
    // OpenScore adds to what is loaded; OpenAllScore starts again.
    score.OpenScore("B");
    EXPECT_EQ(score.ScoreTop(), 6);
    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 4);
    EXPECT_EQ(rec(score, 0), ScoreRec());
    EXPECT_EQ(rec(score, 5), ScoreRec());

    // A snapshot: games recorded while loaded are not in it.
    game("Freecell", GameNo::number(5), 1, 1, 1);
    score.AddScore(1);
    EXPECT_EQ(score.ScoreTop(), 4);
    score.CloseScore();
    EXPECT_EQ(score.ScoreTop(), 0);
}

TEST_F(ScoreStore, GameRecordsByName)
{
    writeFile(path("Player1.sre"), line("2024-01-01 10:00:00", "Freecell", "1", 1, 1, 1, 0)
                                       + line("2024-01-01 10:00:00", "Baker's Game", "2", 1, 1, 1, 0)
                                       + line("2024-01-01 10:00:00", "Freecell", "3", 1, 1, 1, 0));
    score.OpenAllScore();
    ScoreRec r;
    score.GetGameRec("Freecell", 1, r);
    EXPECT_EQ(r.GNo, GameNo::number(1));
    score.GetGameRec("Freecell", 2, r);
    EXPECT_EQ(r.GNo, GameNo::number(3));
    score.GetGameRec("Freecell", 3, r);
    EXPECT_EQ(r, ScoreRec());
    EXPECT_TRUE(r.GNo.isEmpty());
    score.GetGameRec("freecell", 1, r); // exact, case included
    EXPECT_EQ(r, ScoreRec());
    score.GetGameRec("Baker's Game", 1, r);
    EXPECT_EQ(r.GNo, GameNo::number(2));

    // A reload is seen by the next lookup.
    writeFile(path("Player1.sre"), line("2024-01-01 10:00:00", "Freecell", "8", 1, 1, 1, 0));
    score.OpenAllScore();
    score.GetGameRec("Freecell", 1, r);
    EXPECT_EQ(r.GNo, GameNo::number(8));
}

TEST_F(ScoreStore, OlderDateFormsLoadAndUnreadableDatesAreKept)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    writeFile(path("Player1.sre"), line("3/14/2024 5:06:07 PM", "Freecell", "1", 1, 1, 1, 1)
                                       + line("14.03.2024 17:06:07", "Freecell", "2", 1, 1, 1, 1)
                                       + line("some day", "Freecell", "3", 1, 1, 1, 1));
    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 3);
    EXPECT_EQ(rec(score, 1).Date, "3/14/2024 5:06:07 PM");
    EXPECT_EQ(rec(score, 1).When(), QDateTime(QDate(2024, 3, 14), QTime(17, 6, 7)));
    EXPECT_EQ(rec(score, 2).When(), QDateTime(QDate(2024, 3, 14), QTime(17, 6, 7)));
    EXPECT_EQ(rec(score, 3).Date, "some day");
    EXPECT_FALSE(rec(score, 3).HasDate());
    QLocale::setDefault(QLocale::c());
}

TEST_F(ScoreStore, SessionEntriesTakeTheCurrentGame)
{
    EXPECT_EQ(score.SesTop(), 0);
    game("Freecell", GameNo::text("77"), 90, 30, 120);
    score.AddSesGame(1);
    d.data.SetPlayer(2, "Other", true);
    game("Baker's Game", GameNo::number(5), 10, 3, -4);
    score.AddSesGame(0);
    ASSERT_EQ(score.SesTop(), 2);
    ScoreRec r;
    score.GetSesRec(1, r);
    EXPECT_TRUE(r.Date.isEmpty());
    EXPECT_EQ(r.GName, "Freecell");
    EXPECT_EQ(r.GNo, GameNo::text("77"));
    EXPECT_EQ(r.Time, 90);
    EXPECT_EQ(r.Moves, 30);
    EXPECT_EQ(r.Score, 120);
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Player, "Player1");
    score.GetSesRec(2, r);
    EXPECT_EQ(r.Player, "Other");
    EXPECT_EQ(r.Score, -4);
    score.GetSesRec(3, r);
    EXPECT_EQ(r, ScoreRec());
    EXPECT_FALSE(QFileInfo::exists(path("Player1.sre"))); // never saved
}

TEST_F(ScoreStore, UnsafePlayerNamesNeverBuildAPath)
{
    QDir outside(tmp.path());
    for (const QString &name : {QString("../evil"), QString("a/b"), QString("..\\x"), QString(".."),
                                QString("x") + QChar(0), QString("cr\r")}) {
        ui.asked.clear();
        d.data.CurPlayer(name);
        game("Freecell", GameNo::number(1), 1, 1, 1);
        score.AddScore(1);
        score.AddSesGame(1);
        EXPECT_EQ(ui.errors().size(), 1) << name.toStdString();
        EXPECT_TRUE(score.ScoreFileName(name).isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(tmp.path() + "/evil.sre"));
    EXPECT_EQ(QDir(dir()).entryList(QDir::Files), QStringList());
    EXPECT_EQ(outside.entryList(QDir::Files), QStringList());
    EXPECT_EQ(score.SesTop(), 6);

    d.data.SetPlayer(1, "../evil", true);
    ui.asked.clear();
    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 0);
    EXPECT_EQ(ui.errors().size(), 1);
}

TEST_F(ScoreStore, AFailedAppendIsReportedAndTheGameGoesOn)
{
    // The score file's name taken by a folder: the append cannot open it.
    ASSERT_TRUE(QDir().mkpath(path("Player1.sre")));
    RecordingView view;
    Engine engine(d.data, view, &score);
    view.engine = &engine;
    engine.StartGame("Freecell", GameNo::number(5));
    ASSERT_TRUE(d.data.GameRunning());
    EXPECT_NO_THROW(engine.EndGame(0));
    EXPECT_FALSE(d.data.GameRunning());
    EXPECT_EQ(view.gamesEnded, 1);
    ASSERT_EQ(ui.errors().size(), 1);
    EXPECT_EQ(
        ui.errors()[0].toStdString(),
        ("The game could not be recorded in " + path("Player1.sre") + ": it is a folder, not a file.").toStdString());
    EXPECT_EQ(score.SesTop(), 1);
}

TEST_F(ScoreStore, DiskFullIsReported)
{
    // The device that is always full, in the file's place: a link to a
    // device is no file to record in, and it is never written to.
    ASSERT_TRUE(QFileInfo::exists("/dev/full")) << "this test needs /dev/full";
    ASSERT_TRUE(QFile::link("/dev/full", path("Player1.sre")));
    game("Freecell", GameNo::number(1), 1, 1, 1);
    EXPECT_NO_THROW(score.AddScore(1));
    ASSERT_EQ(ui.errors().size(), 1);
    EXPECT_EQ(
        ui.errors()[0].toStdString(),
        ("The game could not be recorded in " + path("Player1.sre") + ": it is not a regular file.").toStdString());
}

TEST_F(ScoreStore, EngineRecordsThroughTheStore)
{
    d.data.SetPlayer(1, "Player1", true);
    RecordingView view;
    Engine engine(d.data, view, &score);
    view.engine = &engine;
    engine.StartGame("Freecell", GameNo::text("42"));
    engine.EndGame(0);
    const QByteArray bytes = readFile(path("Player1.sre"));
    EXPECT_TRUE(bytes.startsWith("\"2024-03-14 17:06:07\",\"Freecell\",\"42\","));
    EXPECT_TRUE(bytes.endsWith(",0\r\n"));
    EXPECT_EQ(bytes.count('\n'), 1);
    EXPECT_EQ(score.SesTop(), 1);
}

TEST_F(ScoreStore, ClearStatisticsDeletesOnlyListedPlayersFiles)
{
    d.data.SetPlayer(2, "Two", false);
    d.data.SetPlayer(3, "NoFile", false);
    const QByteArray one = line("2024-01-01 10:00:00", "Freecell", "1", 1, 1, 1, 0);
    writeFile(path("Player1.sre"), one);
    writeFile(path("Two.sre"), one);
    writeFile(path("Ghost.sre"), one);
    writeFile(path("fav.dat"), "\"Freecell\",1\r\n");
    score.AddSesGame(1);
    score.OpenAllScore();

    ui.answerYes = false;
    score.ClearStat();
    ASSERT_EQ(ui.questions().size(), 1);
    EXPECT_EQ(ui.questions()[0],
              "Are you sure you want to clear the Statistics, High Score and Log for all Players and all Games ?");
    // A question whose Enter keeps everything.
    EXPECT_EQ(ui.boxes()[0].icon, CorePrompt::Icon::Question);
    EXPECT_EQ(ui.boxes()[0].enter, CorePrompt::Default::No);
    EXPECT_EQ(ui.boxes()[0].title, "Tarnwick");
    EXPECT_TRUE(ui.infos().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(path("Player1.sre")));
    EXPECT_TRUE(QFileInfo::exists(path("Two.sre")));

    ui.answerYes = true;
    score.ClearStat();
    EXPECT_EQ(ui.infos(), QStringList{"Statistics, High Score and Log have been Cleared."});
    EXPECT_TRUE(ui.errors().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("Player1.sre")));
    EXPECT_FALSE(QFileInfo::exists(path("Two.sre")));
    EXPECT_TRUE(QFileInfo::exists(path("Ghost.sre")));
    EXPECT_TRUE(QFileInfo::exists(path("fav.dat")));
    EXPECT_EQ(score.SesTop(), 1);
    EXPECT_EQ(score.ScoreTop(), 2); // the loaded table is not touched
}

TEST_F(ScoreStore, ClearStatisticsReportsAFileThatStays)
{
    d.data.SetPlayer(2, "Two", false);
    writeFile(path("Player1.sre"), line("2024-01-01 10:00:00", "Freecell", "1", 1, 1, 1, 0));
    // A folder under the file's name cannot be deleted as a file.
    ASSERT_TRUE(QDir().mkpath(path("Two.sre/keep")));
    score.ClearStat();
    EXPECT_TRUE(ui.infos().isEmpty());
    ASSERT_EQ(ui.errors().size(), 1);
    EXPECT_TRUE(ui.errors()[0].contains("Two"));
    EXPECT_FALSE(ui.errors()[0].contains("Player1"));
    EXPECT_FALSE(QFileInfo::exists(path("Player1.sre")));
}

TEST_F(ScoreStore, FavouritesAddTwiceAndClear)
{
    score.OpenFav();
    EXPECT_EQ(score.FavTop(), 0);
    score.AddFav("Freecell", GameNo::number(123));
    score.AddFav("Freecell", GameNo::number(123));
    score.AddFav("Baker's Game", GameNo::text("0042"));
    EXPECT_EQ(readFile(path("fav.dat")),
              QByteArray("\"Freecell\",123\r\n\"Freecell\",123\r\n\"Baker's Game\",\"0042\"\r\n"));
    score.OpenFav();
    ASSERT_EQ(score.FavTop(), 3);
    FavRec f;
    score.GetFavRec(1, f);
    EXPECT_EQ(f, (FavRec{"Freecell", GameNo::number(123)}));
    score.GetFavRec(2, f);
    EXPECT_EQ(f, (FavRec{"Freecell", GameNo::number(123)}));
    score.GetFavRec(3, f);
    EXPECT_EQ(f, (FavRec{"Baker's Game", GameNo::text("0042")}));
    score.GetFavRec(4, f);
    EXPECT_EQ(f, FavRec());

    score.ClearFav();
    EXPECT_FALSE(QFileInfo::exists(path("fav.dat")));
    EXPECT_EQ(score.FavTop(), 3); // kept until reloaded
    score.OpenFav();
    EXPECT_EQ(score.FavTop(), 0);
    score.ClearFav(); // no file: nothing to do
    EXPECT_TRUE(ui.errors().isEmpty());

    score.AddFav("Freecell", GameNo::number(1));
    score.OpenFav();
    score.CloseFav();
    EXPECT_EQ(score.FavTop(), 0);
}

TEST_F(ScoreStore, FavouriteFileWithBadLines)
{
    writeFile(path("fav.dat"), "\"Freecell\",1\r\n\r\nFreecell,2\r\n\"Freecell\",x\r\n\"Freecell\",3,4\r\n"
                               "\"Freecell\",\"5\"\r\n\"Freecell\",6");
    score.OpenFav();
    // The last line has no line end but is a whole favourite.
    ASSERT_EQ(score.FavTop(), 3);
    FavRec f;
    score.GetFavRec(2, f);
    EXPECT_EQ(f.GNo, GameNo::text("5"));
    score.GetFavRec(3, f);
    EXPECT_EQ(f.GNo, GameNo::number(6));
}
