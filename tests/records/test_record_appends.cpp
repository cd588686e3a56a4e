// Appending to the score and favourites files: several processes at once, a
// file edited by hand.
#include "recordstest.h"
#include "subprocess.h"

#include <QProcess>
#include <QRegularExpression>

#include <cstdio>
#include <set>
#include <unistd.h>

using namespace tw;
using namespace tw::test;

namespace {

// Counts the errors a store reports; a writer process tells them on stderr.
class CountingPrompt : public CorePrompt {
public:
    bool Show(const Message &m) override
    {
        ++errors;
        std::fprintf(stderr, "%s\n", qPrintable(m.text));
        return false;
    }
    std::optional<QString> SaveFileName(QWidget *, const QString &, const QString &) override { return {}; }
    int errors = 0;
};

// One copy of the program recording games (or favourites) for Player1 in the
// folder given: args are the folder, "score" or "fav", the writer's number
// and how many records it writes. Writer w records the game numbers
// w * 1000000 + i. It starts on one byte on its stdin, so that every writer
// of a run starts at once, and exits 0 when no append was reported failed.
int appendWriter(const QStringList &args)
{
    if (args.size() != 4)
        return 125;
    TestData d;
    const QString folder = args[0];
    d.data.SetAppDataLookup([folder] { return folder; });
    d.data.SetPlayer(1, QStringLiteral("Player1"), true);
    CountingPrompt ui;
    cScore score(d.data, &ui);
    const bool fav = args[1] == u"fav";
    const qint64 writer = args[2].toLongLong();
    const int records = args[3].toInt();
    char go = 0;
    if (::read(0, &go, 1) != 1)
        return 124;
    for (int i = 0; i < records; ++i) {
        const GameNo no = GameNo::number(writer * 1000000 + i);
        if (fav) {
            score.AddFav(QStringLiteral("Freecell"), no);
        } else {
            d.data.CurGName(QStringLiteral("Freecell"));
            d.data.CurGNo(no);
            d.data.CurTime(i % 3600);
            d.data.CurMoves(static_cast<int16_t>(i % 500));
            d.data.CurScore(static_cast<int16_t>(i % 1000));
            score.AddScore(1);
        }
    }
    return ui.errors == 0 ? 0 : 1;
}
const ChildRoutine writerRoutine("append-writer", &appendWriter);

struct WritersOutcome {
    qint64 expected = 0;
    qint64 whole = 0;     // lines that are a whole record of an expected game
    qint64 lost = 0;      // records no line holds
    qint64 malformed = 0; // lines that are not a whole record
    qint64 twice = 0;     // records held by more than one line
    int failedWriters = 0;
    QString failures;
};

// Runs `writers` writer processes at once against one file and checks every
// line of it afterwards.
WritersOutcome runWriters(const QString &folder, const char *kind, int writers, int records)
{
    WritersOutcome out;
    std::vector<std::unique_ptr<QProcess>> procs;
    for (int w = 1; w <= writers; ++w) {
        procs.push_back(StartChild("append-writer",
                                   {folder, QString::fromLatin1(kind), QString::number(w), QString::number(records)}));
        EXPECT_TRUE(procs.back()->waitForStarted()) << procs.back()->errorString().toStdString();
    }
    for (auto &p : procs) {
        p->write("g");
        p->waitForBytesWritten();
    }
    for (auto &p : procs) {
        EXPECT_TRUE(p->waitForFinished(300000));
        if (p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0) {
            ++out.failedWriters;
            out.failures += QString::fromLocal8Bit(p->readAll()).left(400);
        }
    }

    const bool fav = QByteArray(kind) == "fav";
    QFile f(folder + QStringLiteral("/Tarnwick/") + (fav ? QStringLiteral("fav.dat") : QStringLiteral("Player1.sre")));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QRegularExpression score(
        QStringLiteral(R"(^"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d","Freecell",(\d+),\d+,\d+,\d+,1$)"));
    const QRegularExpression favourite(QStringLiteral(R"(^"Freecell",(\d+)$)"));
    std::set<qint64> seen;
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    else
        ++out.malformed; // the file does not end with a line end
    for (const QByteArray &l : lines) {
        const QByteArray text = l.endsWith('\r') ? l.chopped(1) : l;
        const QRegularExpressionMatch m = (fav ? favourite : score).match(QString::fromLatin1(text));
        if (!l.endsWith('\r') || !m.hasMatch()) {
            ++out.malformed;
            continue;
        }
        const qint64 no = m.captured(1).toLongLong();
        const qint64 w = no / 1000000, i = no % 1000000;
        if (w < 1 || w > writers || i >= records) {
            ++out.malformed;
            continue;
        }
        if (!seen.insert(no).second)
            ++out.twice;
    }
    out.expected = qint64(writers) * records;
    out.whole = static_cast<qint64>(seen.size());
    out.lost = out.expected - out.whole;
    std::printf("  %d writers x %d %s records: %lld lost, %lld malformed lines, %lld twice, %d writers told of a "
                "failure\n",
                writers, records, kind, static_cast<long long>(out.lost), static_cast<long long>(out.malformed),
                static_cast<long long>(out.twice), out.failedWriters);
    return out;
}

void expectNothingLost(const WritersOutcome &o)
{
    EXPECT_EQ(o.lost, 0) << "of " << o.expected;
    EXPECT_EQ(o.malformed, 0);
    EXPECT_EQ(o.twice, 0);
    EXPECT_EQ(o.failedWriters, 0) << o.failures.toStdString();
}

class RecordAppends : public StoreFixture {
protected:
    RecordAppends() { d.data.SetPlayer(1, "Player1", true); }
    // The line AddScore writes for the game set below, at the fixed clock.
    const QByteArray added = "\"2024-03-14 17:06:07\",\"Freecell\",4567,30,10,20,1\r\n";
    void setGame() { game("Freecell", GameNo::number(4567), 30, 10, 20); }
};

} // namespace

// Two copies of the program recording for one player at the same moment, and
// three: every record that was reported saved is in the file, whole, once.
TEST_F(RecordAppends, SeveralProcessesAtOnceLoseNoRecord)
{
    expectNothingLost(runWriters(tmp.path(), "score", 2, 10000));
    QFile::remove(path("Player1.sre"));
    expectNothingLost(runWriters(tmp.path(), "score", 3, 10000));
    expectNothingLost(runWriters(tmp.path(), "fav", 2, 5000));

    // The store reads back every one of them.
    score.OpenFav();
    EXPECT_EQ(score.FavTop(), 10000);
    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 30000);
}

// A last record typed in by hand without its line end is a record: it is read,
// and the next game ends its line instead of deleting it.
TEST_F(RecordAppends, AHandEditedLastRecordIsKeptThroughTheNextGame)
{
    const QByteArray first = line("2024-03-10 10:00:00", "Freecell", "1", 60, 20, 100, 1);
    const QByteArray typed = "\"2024-03-11 11:00:00\",\"Penguin\",\"77\",90,30,200,0";
    writeFile(path("Player1.sre"), first + typed);
    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 2);
    ScoreRec r;
    score.GetScoreRec(2, r);
    EXPECT_EQ(r.GName, "Penguin");
    EXPECT_EQ(r.GNo, GameNo::text("77"));
    EXPECT_EQ(r.Score, 200);

    setGame();
    score.AddScore(1);
    EXPECT_EQ(readFile(path("Player1.sre")), first + typed + "\r\n" + added);
    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 3);

    // The favourites file keeps its hand-typed last line the same way.
    writeFile(path("fav.dat"), "\"Freecell\",1\r\n\"Penguin\",\"7\"");
    score.AddFav("Zodiac", GameNo::number(8));
    EXPECT_EQ(readFile(path("fav.dat")), QByteArray("\"Freecell\",1\r\n\"Penguin\",\"7\"\r\n\"Zodiac\",8\r\n"));
    score.OpenFav();
    EXPECT_EQ(score.FavTop(), 3);
    EXPECT_TRUE(ui.errors().isEmpty());
}

// A file saved by an editor that ends lines with CR alone (old Mac editors)
// is read whole and kept whole.
TEST_F(RecordAppends, ACrOnlyFileIsKeptWhole)
{
    QByteArray file;
    for (int i = 1; i <= 3; ++i) {
        QByteArray l = line("2024-03-10 10:00:00", "Freecell", QByteArray::number(i).constData(), 60, 20, 100, 1);
        l.chop(2);
        file += l + '\r';
    }
    writeFile(path("Player1.sre"), file);
    score.OpenAllScore();
    EXPECT_EQ(score.ScoreTop(), 3);
    setGame();
    score.AddScore(1);
    EXPECT_EQ(readFile(path("Player1.sre")), file + added);
    score.OpenAllScore();
    ASSERT_EQ(score.ScoreTop(), 4);
    ScoreRec r;
    score.GetScoreRec(4, r);
    EXPECT_EQ(r.GNo, GameNo::number(4567));

    writeFile(path("fav.dat"), "\"Freecell\",1\r\"Penguin\",2\r");
    score.AddFav("Zodiac", GameNo::number(3));
    EXPECT_EQ(readFile(path("fav.dat")), QByteArray("\"Freecell\",1\r\"Penguin\",2\r\"Zodiac\",3\r\n"));
    score.OpenFav();
    EXPECT_EQ(score.FavTop(), 3);
    EXPECT_TRUE(ui.errors().isEmpty());
}
