// The high-score window: its four rankings over every listed player's score
// file, the choosers, and that the loaded table goes back when it closes.
#include "engine/catalogue.h"
#include "records/recordstest.h"
#include "scriptedprompt.h"

#include "columnstest.h"

#include "statistics/appcontext.h"
#include "statistics/highscore.h"

#include <QApplication>
#include <QComboBox>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace tw::test {
namespace {

QStringList headers(const QTreeWidget *lv)
{
    QStringList out;
    for (int c = 0; c < lv->columnCount(); ++c)
        out << lv->headerItem()->text(c);
    return out;
}

QStringList row(const QTreeWidget *lv, int r)
{
    QStringList out;
    const QTreeWidgetItem *item = lv->topLevelItem(r);
    if (!item)
        return {"<no row>"};
    for (int c = 0; c < lv->columnCount(); ++c)
        out << item->text(c);
    return out;
}

// One column of every row, top to bottom.
QStringList column(const QTreeWidget *lv, int c)
{
    QStringList out;
    for (int r = 0; r < lv->topLevelItemCount(); ++r)
        out << lv->topLevelItem(r)->text(c);
    return out;
}

// The columns whose cell is bold in a row.
QList<int> boldColumns(const QTreeWidget *lv, int r)
{
    QList<int> out;
    for (int c = 0; c < lv->columnCount(); ++c)
        if (lv->topLevelItem(r)->font(c).bold())
            out << c;
    return out;
}

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

void choose(QComboBox *box, const QString &text)
{
    const int i = box->findText(text);
    ASSERT_GE(i, 0) << text.toStdString();
    box->setCurrentIndex(i);
}

struct HighScoreTest : public StoreFixtureWith<ScriptedPrompt> {
    HighScoreTest()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ctx.data = &d.data;
        ctx.score = &score;
        ctx.prompt = &ui;
    }
    ~HighScoreTest() override { QLocale::setDefault(QLocale::c()); }

    void players(const QStringList &names)
    {
        for (int i = 0; i < names.size(); ++i)
            d.data.SetPlayer(static_cast<int16_t>(i + 1), names[i], i == 0);
    }
    void file(const QString &player, const QByteArray &bytes) { writeFile(path(player + ".sre"), bytes); }

    // Three players. Scores, moves and times are chosen so that every ranking
    // has ties and differs from the others:
    //   Ann: a1 Freecell 100 won 50/80 moves/300 s; a2 Freecell "lucky" lost 70;
    //        a3 Zodiac 5 won 50/60/100; a4 Freecell 7 won -3/120/400
    //   Bob: b1 Freecell 11 won 90/60/150; b2 Avenue 12 won 0/200/500, no date
    //   Cy:  c1 Zodiac 21 won 40/60/90
    void threePlayers()
    {
        players({"Ann", "Bob", "Cy"});
        file("Ann", line("2024-01-05 10:00:00", "Freecell", "100", 300, 80, 50, 1)
                        + line("2024-01-06 10:00:00", "Freecell", "\"lucky\"", 200, 90, 70, 0)
                        + line("2024-01-07 10:00:00", "Zodiac", "5", 100, 60, 50, 1)
                        + line("2024-01-08 10:00:00", "Freecell", "7", 400, 120, -3, 1));
        file("Bob",
             line("2024-02-01 09:00:00", "Freecell", "11", 150, 60, 90, 1) + line("", "Avenue", "12", 500, 200, 0, 1));
        file("Cy", line("2024-03-01 08:00:00", "Zodiac", "21", 90, 60, 40, 1));
        d.data.CurGName(QStringLiteral("Freecell"));
    }

    AppContext ctx;
};

TEST_F(HighScoreTest, LayoutCaptionsAndColumns)
{
    players({"Ann"});
    frmHighScore w(ctx);
    EXPECT_EQ(w.windowTitle(), "High Score");
    ASSERT_EQ(w.SSTab1->count(), 4);
    EXPECT_EQ(w.SSTab1->tabText(0), "Top Games");
    EXPECT_EQ(w.SSTab1->tabText(1), "Game-wise");
    EXPECT_EQ(w.SSTab1->tabText(2), "Player-wise");
    EXPECT_EQ(w.SSTab1->tabText(3), "Finished Games");
    EXPECT_EQ(w.SSTab1->currentIndex(), 0);
    EXPECT_EQ(w.cmdClose->text(), "Close");
    EXPECT_EQ(headers(w.lvTop),
              QStringList({"S No.", "Player", "Game", "Score", "Time", "Moves", "Status", "Date", "Game No."}));
    EXPECT_EQ(headers(w.lvGames),
              QStringList({"S No.", "Player", "Score", "Time", "Moves", "Status", "Date", "Game No."}));
    EXPECT_EQ(headers(w.lvPlayer),
              QStringList({"S No.", "Game", "Score", "Time", "Moves", "Status", "Date", "Game No."}));
    EXPECT_EQ(headers(w.lvFin), QStringList({"S No.", "Player", "Game", "Score", "Time", "Moves", "Date", "Game No."}));
}

TEST_F(HighScoreTest, WithNoRecordedGameEveryListIsEmptyAndTheFirstGameIsChosen)
{
    players({"Ann"});
    frmHighScore w(ctx);
    EXPECT_EQ(w.lvTop->topLevelItemCount(), 0);
    EXPECT_EQ(w.lvGames->topLevelItemCount(), 0);
    EXPECT_EQ(w.lvPlayer->topLevelItemCount(), 0);
    EXPECT_EQ(w.lvFin->topLevelItemCount(), 0);
    // No game played in this run: the first game of the catalogue.
    ASSERT_EQ(w.imcGames->count(), frmGame::GameCount);
    EXPECT_EQ(w.imcGames->currentIndex(), 0);
    EXPECT_EQ(w.imcGames->currentText(), "Avenue");
    EXPECT_EQ(w.imcGames->itemText(frmGame::GameCount - 1), "Zodiac");
    EXPECT_EQ(items(w.imcPlayer), QStringList{"Ann"});
    EXPECT_EQ(w.imcPlayer->currentText(), "Ann");
    EXPECT_EQ(items(w.imcFin), QStringList({"Score", "Moves", "Time"}));
    EXPECT_EQ(w.imcFin->currentText(), "Score");
    for (int i = 1; i <= 3; ++i)
        EXPECT_FALSE(frmHighScore::SmallPicture(i).isNull()) << i;
    EXPECT_FALSE(w.imcGames->itemIcon(0).isNull());
    EXPECT_FALSE(w.imcPlayer->itemIcon(0).isNull());

    // A game name outside the catalogue also falls back to the first game.
    d.data.CurGName(QStringLiteral("No Such Game"));
    frmHighScore w2(ctx);
    EXPECT_EQ(w2.imcGames->currentText(), "Avenue");
}

TEST_F(HighScoreTest, TopGamesRanksEveryPlayersPositiveScores)
{
    threePlayers();
    frmHighScore w(ctx);
    // Equal scores put the later record first; scores of 0 or less are not listed;
    // a lost game is listed as lost.
    ASSERT_EQ(w.lvTop->topLevelItemCount(), 5);
    EXPECT_EQ(row(w.lvTop, 0), QStringList({"1", "Bob", "Freecell", "90", "0:02:30", "60", "Won", "2/1/2024", "11"}));
    EXPECT_EQ(row(w.lvTop, 1),
              QStringList({"2", "Ann", "Freecell", "70", "0:03:20", "90", "Lost", "1/6/2024", "lucky"}));
    EXPECT_EQ(row(w.lvTop, 2), QStringList({"3", "Ann", "Zodiac", "50", "0:01:40", "60", "Won", "1/7/2024", "5"}));
    EXPECT_EQ(row(w.lvTop, 3), QStringList({"4", "Ann", "Freecell", "50", "0:05:00", "80", "Won", "1/5/2024", "100"}));
    EXPECT_EQ(row(w.lvTop, 4), QStringList({"5", "Cy", "Zodiac", "40", "0:01:30", "60", "Won", "3/1/2024", "21"}));
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(boldColumns(w.lvTop, r), QList<int>{3}) << r;
        EXPECT_FALSE(w.lvTop->topLevelItem(r)->icon(0).isNull());
    }
}

TEST_F(HighScoreTest, GameWiseShowsTheCurrentGameAndFollowsTheChooser)
{
    threePlayers();
    frmHighScore w(ctx);
    EXPECT_EQ(w.imcGames->currentText(), "Freecell");
    EXPECT_EQ(column(w.lvGames, 1), QStringList({"Bob", "Ann", "Ann"}));
    EXPECT_EQ(column(w.lvGames, 2), QStringList({"90", "70", "50"}));
    EXPECT_EQ(row(w.lvGames, 1), QStringList({"2", "Ann", "70", "0:03:20", "90", "Lost", "1/6/2024", "lucky"}));
    EXPECT_EQ(boldColumns(w.lvGames, 0), QList<int>{2});

    choose(w.imcGames, "Zodiac");
    EXPECT_EQ(column(w.lvGames, 0), QStringList({"1", "2"}));
    EXPECT_EQ(column(w.lvGames, 1), QStringList({"Ann", "Cy"}));
    // Every other view keeps its rows although the store ranked again.
    EXPECT_EQ(w.lvTop->topLevelItemCount(), 5);
    EXPECT_EQ(column(w.lvPlayer, 2), QStringList({"70", "50", "50"}));
    EXPECT_EQ(column(w.lvFin, 3), QStringList({"90", "50", "50", "40"}));

    choose(w.imcGames, "Avenue"); // only a game scored 0
    EXPECT_EQ(w.lvGames->topLevelItemCount(), 0);
}

TEST_F(HighScoreTest, PlayerWiseShowsTheCurrentPlayerAndFollowsTheChooser)
{
    threePlayers();
    frmHighScore w(ctx);
    EXPECT_EQ(items(w.imcPlayer), QStringList({"Ann", "Bob", "Cy"}));
    EXPECT_EQ(w.imcPlayer->currentText(), "Ann");
    ASSERT_EQ(w.lvPlayer->topLevelItemCount(), 3);
    EXPECT_EQ(row(w.lvPlayer, 0), QStringList({"1", "Freecell", "70", "0:03:20", "90", "Lost", "1/6/2024", "lucky"}));
    EXPECT_EQ(column(w.lvPlayer, 1), QStringList({"Freecell", "Zodiac", "Freecell"}));
    EXPECT_EQ(boldColumns(w.lvPlayer, 2), QList<int>{2});

    choose(w.imcPlayer, "Bob");
    EXPECT_EQ(row(w.lvPlayer, 0), QStringList({"1", "Freecell", "90", "0:02:30", "60", "Won", "2/1/2024", "11"}));
    EXPECT_EQ(w.lvPlayer->topLevelItemCount(), 1);
    EXPECT_EQ(w.lvTop->topLevelItemCount(), 5);
}

TEST_F(HighScoreTest, ACurrentPlayerOutsideTheListSelectsNobody)
{
    threePlayers();
    // A file for a name in no slot is never loaded.
    file("Zed", line("2024-03-02 08:00:00", "Freecell", "1", 10, 10, 500, 1));
    d.data.CurPlayer(QStringLiteral("Zed"));
    frmHighScore w(ctx);
    EXPECT_EQ(w.imcPlayer->count(), 3);
    EXPECT_EQ(w.imcPlayer->currentIndex(), -1);
    EXPECT_EQ(w.lvPlayer->topLevelItemCount(), 0);
    EXPECT_EQ(row(w.lvTop, 0).value(3), "90");
}

TEST_F(HighScoreTest, FinishedGamesByScoreMovesAndTime)
{
    threePlayers();
    frmHighScore w(ctx);
    // By score: won games with a score above 0, the later of equal scores first.
    EXPECT_EQ(column(w.lvFin, 0), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(column(w.lvFin, 1), QStringList({"Bob", "Ann", "Ann", "Cy"}));
    EXPECT_EQ(column(w.lvFin, 3), QStringList({"90", "50", "50", "40"}));
    EXPECT_EQ(column(w.lvFin, 7), QStringList({"11", "5", "100", "21"}));
    EXPECT_EQ(row(w.lvFin, 0), QStringList({"1", "Bob", "Freecell", "90", "0:02:30", "60", "2/1/2024", "11"}));
    EXPECT_EQ(boldColumns(w.lvFin, 0), QList<int>{3});
    EXPECT_FALSE(column(w.lvFin, 7).contains("lucky")); // lost

    // By moves: every won game, fewest first, the later of equal counts first;
    // the game with no date is listed too.
    choose(w.imcFin, "Moves");
    EXPECT_EQ(column(w.lvFin, 5), QStringList({"60", "60", "60", "80", "120", "200"}));
    EXPECT_EQ(column(w.lvFin, 7), QStringList({"21", "11", "5", "100", "7", "12"}));
    EXPECT_EQ(row(w.lvFin, 5), QStringList({"6", "Bob", "Avenue", "0", "0:08:20", "200", "", "12"}));
    EXPECT_EQ(boldColumns(w.lvFin, 0), QList<int>{5});

    choose(w.imcFin, "Time");
    EXPECT_EQ(column(w.lvFin, 4), QStringList({"0:01:30", "0:01:40", "0:02:30", "0:05:00", "0:06:40", "0:08:20"}));
    EXPECT_EQ(column(w.lvFin, 7), QStringList({"21", "5", "11", "100", "7", "12"}));
    EXPECT_EQ(boldColumns(w.lvFin, 3), QList<int>{4});

    choose(w.imcFin, "Score");
    EXPECT_EQ(column(w.lvFin, 7), QStringList({"11", "5", "100", "21"}));
    EXPECT_EQ(w.lvTop->topLevelItemCount(), 5);
}

TEST_F(HighScoreTest, TwentySlotsWithTiesKeepTheLatestRecords)
{
    players({"Ann"});
    // 25 won games of one score: moves 1..5 in turn, times falling.
    QByteArray bytes;
    for (int i = 1; i <= 25; ++i)
        bytes +=
            line("2024-01-05 10:00:00", "Freecell", QByteArray::number(i).constData(), 1000 - 10 * i, i % 5 + 1, 10, 1);
    file("Ann", bytes);
    frmHighScore w(ctx);

    QStringList latest;
    for (int i = 25; i >= 6; --i)
        latest << QString::number(i);
    QStringList ranks;
    for (int i = 1; i <= 20; ++i)
        ranks << QString::number(i);
    EXPECT_EQ(column(w.lvTop, 0), ranks);
    EXPECT_EQ(column(w.lvTop, 8), latest);
    EXPECT_EQ(column(w.lvPlayer, 7), latest);
    EXPECT_EQ(column(w.lvFin, 7), latest);

    choose(w.imcFin, "Moves");
    EXPECT_EQ(column(w.lvFin, 7), QStringList({"25", "20", "15", "10", "5", "21", "16", "11", "6", "1",
                                               "22", "17", "12", "7",  "2", "23", "18", "13", "8", "3"}));
    choose(w.imcFin, "Time");
    EXPECT_EQ(column(w.lvFin, 7), latest);
}

TEST_F(HighScoreTest, TheLoadedTableIsReleasedHoweverTheWindowCloses)
{
    threePlayers();
    {
        frmHighScore w(ctx);
        EXPECT_EQ(score.ScoreTop(), 7);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.cmdClose, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(score.ScoreTop(), 0);
    }
    {
        frmHighScore w(ctx);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        EXPECT_EQ(score.ScoreTop(), 7);
        w.close(); // the close box
        EXPECT_EQ(score.ScoreTop(), 0);
    }
    {
        frmHighScore w(ctx);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_EQ(score.ScoreTop(), 0);
    }
    {
        auto *w = new frmHighScore(ctx);
        EXPECT_EQ(score.ScoreTop(), 7);
        delete w;
        EXPECT_EQ(score.ScoreTop(), 0);
    }
    // Closing gives back the ranking table too.
    ScoreRec r;
    score.GetTopRec(1, r);
    EXPECT_EQ(r, ScoreRec());
}

TEST_F(HighScoreTest, ShowModalRunsTheWindowAndReleasesTheTable)
{
    threePlayers();
    int rows = -1;
    QTimer::singleShot(0, [&] {
        auto *w = qobject_cast<frmHighScore *>(QApplication::activeModalWidget());
        if (!w) {
            ADD_FAILURE() << "the high-score window is not open";
            if (QWidget *m = QApplication::activeModalWidget())
                m->close();
            return;
        }
        rows = w->lvTop->topLevelItemCount();
        QTest::mouseClick(w->cmdClose, Qt::LeftButton);
    });
    ui.playDialog = ScriptedPrompt::exec;
    frmHighScore::showModal(ctx);
    EXPECT_EQ(ui.count(ScriptedPrompt::Asked::Dialog), 1);
    EXPECT_EQ(ui.last(ScriptedPrompt::Asked::Dialog).dialogClass, "tw::frmHighScore");
    EXPECT_EQ(rows, 5);
    EXPECT_EQ(score.ScoreTop(), 0);
}

} // namespace

TEST_F(HighScoreTest, NoListCutsTheLongestNamesOrNumbers)
{
    const QString wide = widestPlayer();
    const QByteArray game = widestGameName(QApplication::font()).toUtf8();
    players({wide, "Ann"});
    QByteArray bytes;
    for (int i = 0; i < 25; ++i)
        bytes += line("2024-12-28 23:59:59", game.constData(), "999999999999999", 359999, 32767, 32767 - i, 1);
    file(wide, bytes);
    d.data.CurGName(QString::fromUtf8(game));
    frmHighScore w(ctx);
    w.show();
    const QTreeView *lists[] = {w.lvTop, w.lvGames, w.lvPlayer, w.lvFin};
    for (int tab = 0; tab < 4; ++tab) {
        w.SSTab1->setCurrentIndex(tab);
        const std::string name = lists[tab]->objectName().toStdString();
        EXPECT_EQ(lists[tab]->model()->rowCount(), 20) << name;
        EXPECT_TRUE(cutColumns(lists[tab]).isEmpty())
            << name << ": " << cutColumns(lists[tab]).join(" | ").toStdString();
        EXPECT_TRUE(columnsInView(lists[tab])) << name;
    }
    // The other rankings of the finished games keep their room too.
    w.SSTab1->setCurrentIndex(3);
    for (const char *key : {"Moves", "Time"}) {
        choose(w.imcFin, key);
        EXPECT_TRUE(cutColumns(w.lvFin).isEmpty()) << key << ": " << cutColumns(w.lvFin).join(" | ").toStdString();
        EXPECT_TRUE(columnsInView(w.lvFin)) << key;
    }
}

} // namespace tw::test
