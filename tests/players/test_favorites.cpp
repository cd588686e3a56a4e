#include "engine/catalogue.h"
#include "players/favorites.h"
#include "records/score.h"
#include "scriptedprompt.h"
#include "statistics/columnstest.h"
#include "testutil.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

using namespace tw;
using namespace tw::test;

namespace {

struct StartCall {
    QString name;
    GameNo number;
    bool windowVisible = false;
};

// A store over a fresh data folder and a context whose start-game routine
// records what it was asked.
struct Fixture {
    TestData d;
    QTemporaryDir tmp;
    ScriptedPrompt ui; // the store's
    cScore score{d.data, &ui};
    ScriptedPrompt prompt; // the windows'
    AppContext ctx;
    std::vector<StartCall> starts;
    QWidget *open = nullptr;

    Fixture()
    {
        d.data.SetAppDataLookup([this] { return tmp.path(); });
        QDir().mkpath(d.data.AppDir());
        ctx.data = &d.data;
        ctx.score = &score;
        ctx.prompt = &prompt;
        ctx.startGame = [this](const QString &name, const GameNo &number) {
            starts.push_back({name, number, open && open->isVisible()});
        };
    }
    QString favFile() const { return d.data.AppDir() + QStringLiteral("fav.dat"); }
    void writeFav(const QByteArray &bytes)
    {
        QFile f(favFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    // Freecell 123 (a number), Penguin "7" (a text), Freecell 123 again,
    // Freecell "Lucky 9" (a text).
    void standardFavourites()
    {
        writeFav("\"Freecell\",123\r\n\"Penguin\",\"7\"\r\n\"Freecell\",123\r\n\"Freecell\",\"Lucky 9\"\r\n");
    }
};

QStringList texts(const QTreeWidget *w)
{
    QStringList out;
    for (int i = 0; i < w->topLevelItemCount(); ++i)
        out << w->topLevelItem(i)->text(0);
    return out;
}

QStringList texts(const QListWidget *w)
{
    QStringList out;
    for (int i = 0; i < w->count(); ++i)
        out << w->item(i)->text();
    return out;
}

QTreeWidgetItem *gameRow(const QTreeWidget *w, const QString &name)
{
    for (int i = 0; i < w->topLevelItemCount(); ++i)
        if (w->topLevelItem(i)->text(0) == name)
            return w->topLevelItem(i);
    return nullptr;
}

void clickRow(QTreeWidget *w, QTreeWidgetItem *item)
{
    const QRect r = w->visualItemRect(item);
    QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, r.center());
}

} // namespace

// --- Organize Favorites ---

TEST(OrgFav, TheLongestGameNameAndNumberAreShownWhole)
{
    Fixture f;
    const QString game = widestGameName(QApplication::font());
    f.d.data.CurGName(game);
    f.writeFav("\"" + game.toUtf8() + "\",999999999999999\r\n");
    frmOrgFav w(f.ctx);
    w.show();
    ASSERT_EQ(texts(w.lvFav), QStringList({"999999999999999"}));
    EXPECT_TRUE(cutColumns(w.lvGames).isEmpty()) << cutColumns(w.lvGames).join(" | ").toStdString();
    EXPECT_TRUE(cutColumns(w.lvFav).isEmpty()) << cutColumns(w.lvFav).join(" | ").toStdString();
    EXPECT_TRUE(columnsInView(w.lvGames));
    EXPECT_TRUE(columnsInView(w.lvFav));
}

TEST(OrgFav, ListsEveryGameAndTheFirstGamesFavouritesBeforeAnyStart)
{
    Fixture f;
    f.writeFav(QByteArray("\"") + f.d.data.GetGName(1).toUtf8() + "\",42\r\n\"Freecell\",123\r\n");
    frmOrgFav w(f.ctx);
    EXPECT_EQ(w.windowTitle(), "Organize Favorites");
    EXPECT_EQ(w.lvGames->headerItem()->text(0), "Game");
    EXPECT_EQ(w.lvFav->headerItem()->text(0), "Game Number");
    EXPECT_EQ(w.cmdClear->text(), "Clear Favorites");
    EXPECT_EQ(w.cmdClose->text(), "Close");
    EXPECT_TRUE(w.cmdClose->isDefault());
    ASSERT_EQ(w.lvGames->topLevelItemCount(), frmGame::GameCount);
    for (int16_t i = 1; i <= frmGame::GameCount; ++i)
        EXPECT_EQ(w.lvGames->topLevelItem(i - 1)->text(0), f.d.data.GetGName(i));
    ASSERT_NE(w.lvGames->currentItem(), nullptr);
    EXPECT_EQ(w.lvGames->currentItem()->text(0), f.d.data.GetGName(1));
    EXPECT_EQ(texts(w.lvFav), QStringList({"42"}));
}

TEST(OrgFav, SelectsTheCurrentGameAndListsItsFavouritesInFileOrderDuplicatesIncluded)
{
    Fixture f;
    f.standardFavourites();
    f.d.data.CurGName(QStringLiteral("Freecell"));
    frmOrgFav w(f.ctx);
    ASSERT_NE(w.lvGames->currentItem(), nullptr);
    EXPECT_EQ(w.lvGames->currentItem()->text(0), "Freecell");
    EXPECT_EQ(texts(w.lvFav), QStringList({"123", "123", "Lucky 9"}));
}

TEST(OrgFav, ChoosingAnotherGameListsItsOwnFavourites)
{
    Fixture f;
    f.standardFavourites();
    f.d.data.CurGName(QStringLiteral("Freecell"));
    frmOrgFav w(f.ctx);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

    QTreeWidgetItem *penguin = gameRow(w.lvGames, QStringLiteral("Penguin"));
    ASSERT_NE(penguin, nullptr);
    w.lvGames->scrollToItem(penguin);
    clickRow(w.lvGames, penguin);
    EXPECT_EQ(w.lvGames->currentItem(), penguin);
    EXPECT_EQ(texts(w.lvFav), QStringList({"7"}));

    QTreeWidgetItem *oasis = gameRow(w.lvGames, QStringLiteral("Oasis"));
    w.lvGames->scrollToItem(oasis);
    clickRow(w.lvGames, oasis);
    EXPECT_TRUE(texts(w.lvFav).isEmpty());

    // The keyboard moves the choice as well.
    w.lvGames->setFocus();
    w.lvGames->setCurrentItem(penguin);
    QTest::keyClick(w.lvGames, Qt::Key_Down);
    QTest::keyClick(w.lvGames, Qt::Key_Up);
    EXPECT_EQ(texts(w.lvFav), QStringList({"7"}));
}

TEST(OrgFav, ComparesGameNamesExactly)
{
    Fixture f;
    f.writeFav("\"freecell\",1\r\n\"Freecell \",2\r\n\"Freecell\",3\r\n");
    f.d.data.CurGName(QStringLiteral("Freecell"));
    frmOrgFav w(f.ctx);
    EXPECT_EQ(texts(w.lvFav), QStringList({"3"}));
}

TEST(OrgFav, ClearIsEnabledByTheTimerAndDeletesEveryFavourite)
{
    Fixture f;
    f.standardFavourites();
    f.d.data.CurGName(QStringLiteral("Freecell"));
    frmOrgFav w(f.ctx);
    EXPECT_FALSE(w.cmdClear->isEnabled());
    EXPECT_TRUE(w.Timer1->isActive());
    EXPECT_EQ(w.Timer1->interval(), 500);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.cmdClear->isEnabled(); }, 1000));

    QTest::mouseClick(w.cmdClear, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(f.favFile()));
    EXPECT_EQ(f.score.FavTop(), 0);
    EXPECT_EQ(w.lvFav->topLevelItemCount(), 0);
    EXPECT_TRUE(f.ui.infos().isEmpty()) << "no confirmation and no report";
    EXPECT_TRUE(f.ui.questions().isEmpty());
    EXPECT_TRUE(f.prompt.asked.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.cmdClear->isEnabled(); }, 1000));

    // Another game shows nothing either: the table is empty.
    QTreeWidgetItem *penguin = gameRow(w.lvGames, QStringLiteral("Penguin"));
    w.lvGames->setCurrentItem(penguin);
    EXPECT_EQ(w.lvFav->topLevelItemCount(), 0);

    // A favourite added later makes the file again and shows at the next opening.
    f.score.AddFav(QStringLiteral("Penguin"), GameNo::number(5));
    f.d.data.CurGName(QStringLiteral("Penguin"));
    frmOrgFav again(f.ctx);
    EXPECT_EQ(texts(again.lvFav), QStringList({"5"}));
}

TEST(OrgFav, WithoutAFileEveryListIsEmptyAndClearStaysDisabled)
{
    Fixture f;
    frmOrgFav w(f.ctx);
    EXPECT_EQ(w.lvGames->topLevelItemCount(), frmGame::GameCount);
    EXPECT_EQ(w.lvFav->topLevelItemCount(), 0);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(700);
    EXPECT_FALSE(w.cmdClear->isEnabled());
}

TEST(OrgFav, CloseAndEscapeCloseTheWindow)
{
    Fixture f;
    {
        frmOrgFav w(f.ctx);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.cmdClose, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
    }
    {
        frmOrgFav w(f.ctx);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
    }
    {
        frmOrgFav w(f.ctx);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Return);
        EXPECT_FALSE(w.isVisible());
    }
}

TEST(OrgFav, ShowModalRunsUntilClosed)
{
    Fixture f;
    f.prompt.playDialog = ScriptedPrompt::exec;
    QTimer::singleShot(100, [] {
        if (auto *w = qobject_cast<frmOrgFav *>(QApplication::activeModalWidget()))
            w->cmdClose->click();
    });
    EXPECT_EQ(frmOrgFav::showModal(f.ctx), QDialog::Rejected);
}

// --- Play from Favorites ---

TEST(PlayFav, SelectsTheLastFavouriteOfTheCurrentGameAndEnablesPlay)
{
    Fixture f;
    f.standardFavourites();
    f.d.data.CurGName(QStringLiteral("Freecell"));
    frmPlayFav w(f.ctx);
    EXPECT_EQ(w.windowTitle(), "Play from Favorites");
    EXPECT_EQ(w.cmdPlay->text(), "Play");
    EXPECT_EQ(w.cmdCancel->text(), "Cancel");
    ASSERT_EQ(w.imcGames->count(), frmGame::GameCount);
    EXPECT_EQ(w.imcGames->currentText(), "Freecell");
    EXPECT_EQ(texts(w.lvFav), QStringList({"123", "123", "Lucky 9"}));
    ASSERT_NE(w.lvFav->currentItem(), nullptr);
    EXPECT_EQ(w.lvFav->currentRow(), 2);
    EXPECT_TRUE(w.cmdPlay->isEnabled());
}

TEST(PlayFav, ChangingTheGameFollowsItsFavourites)
{
    Fixture f;
    f.standardFavourites();
    f.d.data.CurGName(QStringLiteral("Freecell"));
    frmPlayFav w(f.ctx);
    w.imcGames->setCurrentIndex(w.imcGames->findText(QStringLiteral("Oasis")));
    EXPECT_EQ(w.lvFav->count(), 0);
    EXPECT_FALSE(w.cmdPlay->isEnabled());
    w.imcGames->setCurrentIndex(w.imcGames->findText(QStringLiteral("Penguin")));
    EXPECT_EQ(texts(w.lvFav), QStringList({"7"}));
    EXPECT_EQ(w.lvFav->currentRow(), 0);
    EXPECT_TRUE(w.cmdPlay->isEnabled());
}

TEST(PlayFav, FirstGameIsChosenBeforeAnyStart)
{
    Fixture f;
    f.standardFavourites();
    frmPlayFav w(f.ctx);
    EXPECT_EQ(w.imcGames->currentIndex(), 0);
    EXPECT_EQ(w.imcGames->currentText(), f.d.data.GetGName(1));
    EXPECT_EQ(w.lvFav->count(), 0);
    EXPECT_FALSE(w.cmdPlay->isEnabled());
}

TEST(PlayFav, PlayHandsOnAStoredNumberAsItsText)
{
    Fixture f;
    f.standardFavourites();
    f.d.data.CurGName(QStringLiteral("Freecell"));
    frmPlayFav w(f.ctx);
    f.open = &w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.lvFav->setCurrentRow(1);
    QTest::mouseClick(w.cmdPlay, Qt::LeftButton);
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].name, "Freecell");
    EXPECT_TRUE(f.starts[0].number.isText());
    EXPECT_EQ(f.starts[0].number, GameNo::text(QStringLiteral("123")));
    EXPECT_FALSE(f.starts[0].windowVisible) << "hidden before the deal";
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST(PlayFav, PlayHandsOnATextAsAText)
{
    Fixture f;
    f.standardFavourites();
    f.d.data.CurGName(QStringLiteral("Penguin"));
    frmPlayFav w(f.ctx);
    QTest::mouseClick(w.cmdPlay, Qt::LeftButton);
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].name, "Penguin");
    EXPECT_TRUE(f.starts[0].number.isText());
    EXPECT_EQ(f.starts[0].number, GameNo::text(QStringLiteral("7")));

    f.starts.clear();
    f.d.data.CurGName(QStringLiteral("Freecell"));
    frmPlayFav w2(f.ctx);
    QTest::mouseClick(w2.cmdPlay, Qt::LeftButton); // the last row, "Lucky 9"
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].number, GameNo::text(QStringLiteral("Lucky 9")));
}

TEST(PlayFav, PlayEndsARunningGameAsNotWonAndDealsTheFavourite)
{
    TestTable t;
    QTemporaryDir tmp;
    t.d.data.SetAppDataLookup([&] { return tmp.path(); });
    QDir().mkpath(t.d.data.AppDir());
    cScore score(t.d.data);
    score.AddFav(QStringLiteral("Penguin"), GameNo::number(77));
    AppContext ctx;
    ctx.data = &t.d.data;
    ctx.score = &score;
    ctx.engine = &t.engine;
    ctx.startGame = [&](const QString &name, const GameNo &no) { t.engine.StartGame(name, no); };

    t.start(QStringLiteral("Freecell"), 5);
    ASSERT_TRUE(t.d.data.GameRunning());
    frmPlayFav w(ctx);
    EXPECT_EQ(w.imcGames->currentText(), "Freecell");
    w.imcGames->setCurrentIndex(w.imcGames->findText(QStringLiteral("Penguin")));
    QTest::mouseClick(w.cmdPlay, Qt::LeftButton);
    EXPECT_EQ(t.sink.scores, std::vector<int16_t>({0}));
    EXPECT_EQ(t.d.data.CurGName(), "Penguin");
    EXPECT_EQ(t.d.data.CurGNo(), GameNo::text(QStringLiteral("77")));
    EXPECT_TRUE(t.d.data.GameRunning());
}

TEST(PlayFav, CancelAndEscapeStartNothing)
{
    Fixture f;
    f.standardFavourites();
    f.d.data.CurGName(QStringLiteral("Freecell"));
    {
        frmPlayFav w(f.ctx);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(w.result(), QDialog::Rejected);
    }
    {
        frmPlayFav w(f.ctx);
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
    }
    EXPECT_TRUE(f.starts.empty());
}

TEST(PlayFav, WithoutAFilePlayStaysDisabled)
{
    Fixture f;
    f.d.data.CurGName(QStringLiteral("Freecell"));
    frmPlayFav w(f.ctx);
    EXPECT_EQ(w.lvFav->count(), 0);
    EXPECT_FALSE(w.cmdPlay->isEnabled());
    QTest::mouseClick(w.cmdPlay, Qt::LeftButton);
    EXPECT_TRUE(f.starts.empty());
}

TEST(PlayFav, ReloadsTheFileAtEveryOpening)
{
    Fixture f;
    f.d.data.CurGName(QStringLiteral("Freecell"));
    {
        frmPlayFav w(f.ctx);
        EXPECT_EQ(w.lvFav->count(), 0);
    }
    f.score.AddFav(QStringLiteral("Freecell"), GameNo::number(9));
    f.score.AddFav(QStringLiteral("Freecell"), GameNo::text(QStringLiteral("10")));
    frmPlayFav w(f.ctx);
    EXPECT_EQ(texts(w.lvFav), QStringList({"9", "10"}));
    QTest::mouseClick(w.cmdPlay, Qt::LeftButton);
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].number, GameNo::text(QStringLiteral("10")));
}
