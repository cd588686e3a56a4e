#include "filekinds.h"
#include "players/nameinput.h"
#include "players/players.h"

#include "records/score.h"
#include "scriptedprompt.h"
#include "statistics/columnstest.h"
#include "testutil.h"
#include "uitestutil.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

using namespace tw;
using namespace tw::test;

namespace {

// What one showing of the name dialog saw and did.
struct DialogSeen {
    QString title;
    QString prompt;
    QString preset;
    QString selected;
    QString oldName;
    int maxLength = 0;
    bool okDefault = false;
    int result = 0;
};

// Settings over memory, a score store over a temporary data folder, and the
// players windows' boxes and name dialog answered by the test.
struct PlayersFixture : public ::testing::Test {
    PlayersFixture()
    {
        d.data.SetAppDataLookup([this] { return tmp.path(); });
        QDir().mkpath(d.data.AppDir());
        ctx.data = &d.data;
        ctx.score = &score;
        ctx.prompt = &prompt;
        // Types each of the queued names in turn and presses OK; when the
        // dialog is still open after the last one, presses Cancel.
        prompt.playDialog = [this](QDialog &shown) {
            auto *input = qobject_cast<dlGInput *>(&shown);
            if (!input) {
                ADD_FAILURE() << "a window other than the name dialog";
                return int(QDialog::Rejected);
            }
            dlGInput &dlg = *input;
            DialogSeen seen;
            seen.title = dlg.windowTitle();
            seen.prompt = dlg.Label1()->text();
            seen.preset = dlg.Text1()->text();
            seen.selected = dlg.Text1()->selectedText();
            seen.oldName = dlg.OldName();
            seen.maxLength = dlg.Text1()->maxLength();
            seen.okDefault = dlg.OKButton()->isDefault();
            dlg.setResult(-1);
            for (const QString &name : typed) {
                dlg.Text1()->setText(name);
                QTest::mouseClick(dlg.OKButton(), Qt::LeftButton);
                if (dlg.result() == QDialog::Accepted)
                    break;
            }
            if (dlg.result() != QDialog::Accepted)
                QTest::mouseClick(dlg.CancelButton(), Qt::LeftButton);
            typed.clear();
            seen.result = dlg.result();
            dialogs.push_back(seen);
            return dlg.result();
        };
    }
    // The boxes of the players window and of the name dialog.
    std::vector<ScriptedPrompt::Asked> windowBoxes() const { return prompt.boxes("tw::frmPlayers"); }
    std::vector<ScriptedPrompt::Asked> dialogBoxes() const { return prompt.boxes("tw::dlGInput"); }

    void players(const QStringList &names, const QString &current)
    {
        for (int i = 0; i < names.size(); ++i)
            d.data.SetPlayer(static_cast<int16_t>(i + 1), names[i], false);
        d.data.CurPlayer(current);
    }
    QStringList slotNames() const
    {
        QStringList out;
        for (int16_t i = 1; i <= 20; ++i)
            out << d.data.GetPlayer(i);
        while (!out.isEmpty() && out.last().isEmpty())
            out.removeLast();
        return out;
    }
    QString file(const QString &name) const { return d.data.AppDir() + name + QStringLiteral(".sre"); }
    void writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray readFile(const QString &name) const
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    bool exists(const QString &name) const { return QFileInfo::exists(file(name)); }

    std::unique_ptr<frmPlayers> open()
    {
        auto w = std::make_unique<frmPlayers>(ctx);
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return w;
    }
    static QStringList listed(const frmPlayers &w)
    {
        QStringList out;
        for (int i = 0; i < w.lvPlayer->count(); ++i)
            out << w.lvPlayer->item(i)->text();
        return out;
    }
    static QString selected(const frmPlayers &w)
    {
        const auto items = w.lvPlayer->selectedItems();
        return items.isEmpty() ? QString() : items.first()->text();
    }
    static void click(frmPlayers &w, int row)
    {
        QListWidgetItem *item = w.lvPlayer->item(row);
        w.lvPlayer->scrollToItem(item);
        QTest::mouseClick(w.lvPlayer->viewport(), Qt::LeftButton, {}, w.lvPlayer->visualItemRect(item).center());
    }

    QTemporaryDir tmp;
    TestData d;
    cScore score{d.data};
    ScriptedPrompt prompt;
    AppContext ctx;
    QStringList typed;
    std::vector<DialogSeen> dialogs;
};

const QByteArray kGames = "\"2024-03-14 17:06:07\",\"Freecell\",12,75,40,300,1\r\n";

TEST_F(PlayersFixture, OpensWithTheCurrentPlayerSelectedAndDeleteGuarded)
{
    players({"Ann", "Bob", "Cara"}, "Bob");
    auto w = open();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Players"));
    EXPECT_EQ(w->cmdAdd->text(), QStringLiteral("New"));
    EXPECT_EQ(w->cmdEdit->text(), QStringLiteral("Edit"));
    EXPECT_EQ(w->cmdDelete->text(), QStringLiteral("Delete"));
    EXPECT_EQ(w->cmdSelect->text(), QStringLiteral("Select"));
    EXPECT_EQ(w->cmdCancel->text(), QStringLiteral("Cancel"));
    EXPECT_TRUE(w->cmdSelect->isDefault());
    EXPECT_EQ(listed(*w), QStringList({"Ann", "Bob", "Cara"}));
    EXPECT_FALSE(w->lvPlayer->item(0)->icon().isNull());
    EXPECT_EQ(selected(*w), QStringLiteral("Bob"));
    EXPECT_FALSE(w->cmdDelete->isEnabled());

    click(*w, 2);
    EXPECT_EQ(selected(*w), QStringLiteral("Cara"));
    EXPECT_TRUE(w->cmdDelete->isEnabled());
    click(*w, 1);
    EXPECT_FALSE(w->cmdDelete->isEnabled());
    // Moving onto the current player by keyboard guards it just the same.
    click(*w, 0);
    EXPECT_TRUE(w->cmdDelete->isEnabled());
    QTest::keyClick(w->lvPlayer, Qt::Key_Down);
    EXPECT_EQ(selected(*w), QStringLiteral("Bob"));
    EXPECT_FALSE(w->cmdDelete->isEnabled());
    // Even when called, Delete leaves the current player alone.
    w->cmdDelete_Click();
    EXPECT_TRUE(windowBoxes().empty());
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob", "Cara"}));
}

TEST_F(PlayersFixture, TheLongestNameIsShownWhole)
{
    players({"Ann", widestPlayer()}, "Ann");
    auto w = open();
    w->show();
    EXPECT_TRUE(cutRows(w->lvPlayer).isEmpty()) << cutRows(w->lvPlayer).join(" | ").toStdString();
    EXPECT_FALSE(w->lvPlayer->horizontalScrollBar()->isVisible());
}

TEST_F(PlayersFixture, NothingSelectedDisablesEditDeleteAndSelect)
{
    players({"Ann", "Bob"}, "Zed"); // a current player in no slot
    auto w = open();
    EXPECT_TRUE(selected(*w).isEmpty());
    EXPECT_FALSE(w->cmdEdit->isEnabled());
    EXPECT_FALSE(w->cmdDelete->isEnabled());
    EXPECT_FALSE(w->cmdSelect->isEnabled());
    w->cmdSelect_Click();
    w->cmdEdit_Click();
    EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("Zed"));
    EXPECT_TRUE(dialogs.empty());
    EXPECT_TRUE(w->isVisible());
    click(*w, 1);
    EXPECT_TRUE(w->cmdEdit->isEnabled());
    EXPECT_TRUE(w->cmdDelete->isEnabled());
    EXPECT_TRUE(w->cmdSelect->isEnabled());
}

TEST_F(PlayersFixture, SelectMakesCurrentAndCancelOnlyCloses)
{
    players({"Ann", "Bob", "Cara"}, "Ann");
    {
        auto w = open();
        click(*w, 2);
        QTest::mouseClick(w->cmdCancel, Qt::LeftButton);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->result(), QDialog::Rejected);
        EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("Ann"));
    }
    auto w = open();
    click(*w, 2);
    QTest::mouseClick(w->cmdSelect, Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->result(), QDialog::Accepted);
    EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("Cara"));
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob", "Cara"}));
}

TEST_F(PlayersFixture, AddPutsTheNewPlayerInTheFirstFreeSlot)
{
    players({"Ann", "Bob"}, "Ann");
    auto w = open();
    typed = {"Dan"};
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, QStringLiteral("Tarnwick"));
    EXPECT_EQ(dialogs[0].prompt, QStringLiteral("Add Player"));
    EXPECT_TRUE(dialogs[0].preset.isEmpty());
    EXPECT_TRUE(dialogs[0].oldName.isEmpty());
    EXPECT_EQ(dialogs[0].maxLength, 25);
    EXPECT_TRUE(dialogs[0].okDefault);
    EXPECT_EQ(dialogs[0].result, QDialog::Accepted);
    EXPECT_TRUE(dialogBoxes().empty());
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob", "Dan"}));
    EXPECT_EQ(listed(*w), QStringList({"Ann", "Bob", "Dan"}));
    EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("Ann"));
    EXPECT_EQ(selected(*w), QStringLiteral("Ann"));
    EXPECT_FALSE(exists("Dan"));

    // Names differ by case; blanks only are a name.
    typed = {"ann"};
    w->cmdAdd_Click();
    typed = {"   "};
    w->cmdAdd_Click();
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob", "Dan", "ann", "   "}));
    EXPECT_TRUE(dialogBoxes().empty());
}

TEST_F(PlayersFixture, AddRefusesDuplicateAndInvalidNames)
{
    players({"Ann", "Bob"}, "Ann");
    auto w = open();
    typed = {"Bob", "", "a/b", "..", ".", "x\\y", QStringLiteral("tab\tname"), QString(QChar(0)) + "z"};
    w->cmdAdd_Click();
    ASSERT_EQ(dialogBoxes().size(), 8u);
    EXPECT_EQ(dialogBoxes()[0].text, QStringLiteral("Player Exists !"));
    for (size_t i = 1; i < dialogBoxes().size(); ++i)
        EXPECT_EQ(dialogBoxes()[i].text, QStringLiteral("Please Enter a Valid Name")) << i;
    for (const ScriptedPrompt::Asked &s : dialogBoxes()) {
        EXPECT_EQ(s.icon, QMessageBox::Critical);
        EXPECT_EQ(s.title, QStringLiteral("Tarnwick"));
        EXPECT_EQ(s.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].result, QDialog::Rejected);
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(QDir(d.data.AppDir()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());

    // A 26th character cannot be typed; the check refuses it all the same.
    EXPECT_FALSE(dlGInput::IsValidName(QString(26, u'x')));
    EXPECT_TRUE(dlGInput::IsValidName(QString(25, u'x')));
    prompt.asked.clear();
    typed = {QString(26, u'y')};
    w->cmdAdd_Click();
    EXPECT_TRUE(dialogBoxes().empty());
    EXPECT_EQ(d.data.GetPlayer(3), QString(25, u'y'));
}

TEST_F(PlayersFixture, AtTwentyPlayersNewIsRefused)
{
    QStringList names;
    for (int i = 1; i <= 20; ++i)
        names << QStringLiteral("P%1").arg(i);
    players(names, "P1");
    auto w = open();
    typed = {"Extra"};
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    EXPECT_TRUE(dialogs.empty());
    ASSERT_EQ(windowBoxes().size(), 1u);
    EXPECT_EQ(windowBoxes()[0].text, QStringLiteral("Maximum 20 Players Only!"));
    EXPECT_EQ(windowBoxes()[0].icon, QMessageBox::Information);
    EXPECT_EQ(windowBoxes()[0].title, QStringLiteral("Tarnwick"));
    EXPECT_EQ(windowBoxes()[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(slotNames(), names);
    EXPECT_FALSE(d.data.Store().Read(QStringLiteral("Users"), QStringLiteral("21"), QStringLiteral("-"))
                 != QStringLiteral("-"));

    // The dialog itself has no slot left either: it stays open.
    dlGInput dlg(prompt, d.data, score);
    dlg.Prepare(QStringLiteral("Add Player"), QString());
    dlg.Text1()->setText(QStringLiteral("Extra"));
    dlg.setResult(-1);
    dlg.OKButton_Click();
    EXPECT_EQ(dlg.result(), -1);
    EXPECT_EQ(slotNames(), names);
}

TEST_F(PlayersFixture, RenameMovesTheScoreFileAndTheCurrentPlayerFollows)
{
    players({"Player1", "Bob", "Cara"}, "Player1");
    writeFile("Player1", kGames);
    writeFile("Bob", "bob's games\r\n");
    auto w = open();
    ASSERT_EQ(selected(*w), QStringLiteral("Player1"));
    typed = {"Ann"};
    QTest::mouseClick(w->cmdEdit, Qt::LeftButton);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].prompt, QStringLiteral("Edit Player"));
    EXPECT_EQ(dialogs[0].preset, QStringLiteral("Player1"));
    EXPECT_EQ(dialogs[0].selected, QStringLiteral("Player1"));
    EXPECT_EQ(dialogs[0].oldName, QStringLiteral("Player1"));
    EXPECT_EQ(dialogs[0].result, QDialog::Accepted);
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob", "Cara"}));
    EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("Ann"));
    EXPECT_FALSE(exists("Player1"));
    EXPECT_EQ(readFile("Ann"), kGames);
    EXPECT_EQ(listed(*w), QStringList({"Ann", "Bob", "Cara"}));
    EXPECT_EQ(selected(*w), QStringLiteral("Ann"));
    EXPECT_FALSE(w->cmdDelete->isEnabled());

    // Another player's new name leaves the current player alone; a player
    // without games gets no file.
    click(*w, 2);
    typed = {"Cleo"};
    w->cmdEdit_Click();
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob", "Cleo"}));
    EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("Ann"));
    EXPECT_FALSE(exists("Cleo"));
    EXPECT_FALSE(exists("Cara"));
    EXPECT_EQ(readFile("Bob"), "bob's games\r\n");
    EXPECT_TRUE(dialogBoxes().empty());

    // A name change in case only is a new name.
    click(*w, 1);
    typed = {"bob"};
    w->cmdEdit_Click();
    EXPECT_EQ(slotNames(), QStringList({"Ann", "bob", "Cleo"}));
    EXPECT_EQ(readFile("bob"), "bob's games\r\n");
    EXPECT_FALSE(QDir(d.data.AppDir()).entryList().contains(QStringLiteral("Bob.sre")));
}

TEST_F(PlayersFixture, RenameToATakenNameIsRefused)
{
    players({"Ann", "Bob"}, "Ann");
    writeFile("Ann", kGames);
    auto w = open();
    // The same name, and the other slot's name.
    typed = {"Ann", "Bob"};
    w->cmdEdit_Click();
    ASSERT_EQ(dialogBoxes().size(), 2u);
    EXPECT_EQ(dialogBoxes()[0].text, QStringLiteral("Player Exists !"));
    EXPECT_EQ(dialogBoxes()[1].text, QStringLiteral("Player Exists !"));
    EXPECT_EQ(dialogs.back().result, QDialog::Rejected);
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(readFile("Ann"), kGames);

    // A score file left under the new name is never overwritten.
    writeFile("Zed", "old games\r\n");
    prompt.asked.clear();
    typed = {"Zed"};
    w->cmdEdit_Click();
    ASSERT_EQ(dialogBoxes().size(), 1u);
    EXPECT_EQ(dialogBoxes()[0].text, QStringLiteral("Player Exists !"));
    EXPECT_EQ(dialogBoxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("Ann"));
    EXPECT_EQ(readFile("Ann"), kGames);
    EXPECT_EQ(readFile("Zed"), "old games\r\n");

    // Cancel writes nothing.
    typed.clear();
    w->cmdEdit_Click();
    EXPECT_EQ(dialogs.back().result, QDialog::Rejected);
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob"}));
}

TEST_F(PlayersFixture, DeleteRemovesThePlayerAndHisFileAndCloses)
{
    players({"Ann", "Bob", "Cara", "Dan", "Eve"}, "Ann");
    writeFile("Cara", kGames);
    writeFile("Dan", "dan\r\n");
    auto w = open();

    // No keeps everything.
    click(*w, 2);
    prompt.answerYes = false;
    QTest::mouseClick(w->cmdDelete, Qt::LeftButton);
    ASSERT_EQ(windowBoxes().size(), 1u);
    EXPECT_EQ(windowBoxes()[0].text, QStringLiteral("Are you sure you want to delete this player"));
    EXPECT_EQ(windowBoxes()[0].icon, QMessageBox::Critical);
    EXPECT_EQ(windowBoxes()[0].title, QStringLiteral("Tarnwick"));
    EXPECT_EQ(windowBoxes()[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob", "Cara", "Dan", "Eve"}));
    EXPECT_TRUE(exists("Cara"));

    prompt.answerYes = true;
    QTest::mouseClick(w->cmdDelete, Qt::LeftButton);
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob", "Dan", "Eve"}));
    EXPECT_TRUE(d.data.GetPlayer(5).isEmpty());
    EXPECT_EQ(d.data.TotalPlayers(), 4);
    EXPECT_FALSE(exists("Cara"));
    EXPECT_EQ(readFile("Dan"), "dan\r\n");
    EXPECT_EQ(listed(*w), QStringList({"Ann", "Bob", "Dan", "Eve"}));
    EXPECT_EQ(selected(*w), QStringLiteral("Ann"));
    EXPECT_FALSE(w->cmdDelete->isEnabled());
    EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("Ann"));

    // The last player goes without a file to delete.
    click(*w, 3);
    w->cmdDelete_Click();
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob", "Dan"}));
    EXPECT_EQ(windowBoxes().size(), 3u);
}

TEST_F(PlayersFixture, DeleteKeepsThePlayerWhenHisFileStays)
{
    players({"Ann", "Bob", "Cara"}, "Ann");
    // A folder under the score file's name cannot be removed as a file.
    ASSERT_TRUE(QDir().mkpath(file("Bob")));
    QFile inner(file("Bob") + QStringLiteral("/keep"));
    ASSERT_TRUE(inner.open(QIODevice::WriteOnly));
    inner.close();
    auto w = open();
    click(*w, 1);
    w->cmdDelete_Click();
    ASSERT_EQ(windowBoxes().size(), 2u);
    EXPECT_EQ(windowBoxes()[1].icon, QMessageBox::Critical);
    EXPECT_TRUE(windowBoxes()[1].text.contains(QStringLiteral("could not be deleted")));
    EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob", "Cara"}));
    EXPECT_EQ(listed(*w), QStringList({"Ann", "Bob", "Cara"}));
}

// Something else in place of a player's score file: a rename or a delete
// refuses it with the reason, every time it is asked for, and leaves it as
// it was.
TEST_F(PlayersFixture, RenameAndDeleteRefuseWhatIsNoScoreFile)
{
    players({"Ann", "Bob"}, "Ann");
    for (FileKind k : AllFileKinds) {
        SCOPED_TRACE(FileKindName(k));
        MakeFileKind(k, file("Bob"));
        prompt.asked.clear();
        auto w = open();
        for (int i = 1; i <= 2; ++i) {
            click(*w, 1);
            typed = {"Zed"};
            w->cmdEdit_Click();
            ASSERT_EQ(dialogBoxes().size(), size_t(i));
            EXPECT_EQ(dialogBoxes().back().text.toStdString(),
                      ("The score file " + file("Bob") + " could not be renamed to " + file("Zed") + ": "
                       + FileKindReason(k) + ".")
                          .toStdString());
        }
        EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob"}));
        EXPECT_FALSE(exists("Zed"));
        click(*w, 1);
        w->cmdDelete_Click();
        ASSERT_EQ(windowBoxes().size(), 2u); // the question, then why not
        EXPECT_EQ(windowBoxes()[1].icon, QMessageBox::Critical);
        EXPECT_EQ(
            windowBoxes()[1].text.toStdString(),
            ("The score file " + file("Bob") + " could not be deleted: " + FileKindReason(k) + ".").toStdString());
        EXPECT_EQ(slotNames(), QStringList({"Ann", "Bob"}));
        ExpectUntouched(k, file("Bob"));
    }
}

TEST(Players, CompactPlayersClosesEveryGapInOnePass)
{
    TestData d;
    d.data.SetPlayer(1, QStringLiteral("A"), false);
    d.data.SetPlayer(3, QStringLiteral("C"), false);
    d.data.SetPlayer(4, QStringLiteral("D"), false);
    d.data.SetPlayer(20, QStringLiteral("T"), false);
    d.data.CurPlayer(QStringLiteral("C"));
    frmPlayers::CompactPlayers(d.data);
    // One gap closes completely; the name behind a second gap moves one slot.
    EXPECT_EQ(d.data.GetPlayer(1), QStringLiteral("A"));
    EXPECT_EQ(d.data.GetPlayer(2), QStringLiteral("C"));
    EXPECT_EQ(d.data.GetPlayer(3), QStringLiteral("D"));
    EXPECT_TRUE(d.data.GetPlayer(4).isEmpty());
    EXPECT_EQ(d.data.GetPlayer(19), QStringLiteral("T"));
    EXPECT_TRUE(d.data.GetPlayer(20).isEmpty());
    EXPECT_EQ(d.data.CurPlayer(), QStringLiteral("C"));
    EXPECT_FALSE(d.store.values.contains(QStringLiteral("Users/21")));
    for (auto it = d.store.values.cbegin(); it != d.store.values.cend(); ++it)
        EXPECT_FALSE(it.key().endsWith(QStringLiteral("21"))) << it.key().toStdString();
}

TEST(NameDialog, PlainFormChecksTheNameOnly)
{
    ScriptedPrompt prompt;
    prompt.playDialog = [](QDialog &shown) {
        auto &dlg = dynamic_cast<dlGInput &>(shown);
        dlg.setResult(-1);
        dlg.Text1()->clear();
        dlg.OKButton_Click();
        EXPECT_EQ(dlg.result(), -1);
        dlg.Text1()->setText(QStringLiteral("Zoe"));
        dlg.OKButton_Click();
        return dlg.result();
    };
    EXPECT_EQ(GetInput(prompt, QStringLiteral("Name"), QStringLiteral("x")), QStringLiteral("Zoe"));
    ASSERT_EQ(prompt.boxes().size(), 1u);
    EXPECT_EQ(prompt.boxes()[0].text, QStringLiteral("Please Enter a Valid Name"));
}

// The field has room for the longest name in the widest letters: no name is
// scrolled out of sight at its start ("lexandra Montgomery-Wolf"). Run at
// 100 % and, as test_players_players_scaled, at 200 %.
TEST(NameDialog, TheLongestNameInTheWidestLettersIsShownWhole)
{
    ScriptedPrompt prompt;
    dlGInput dlg(prompt);
    dlg.Prepare(QStringLiteral("Add Player"), QString());
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    // The scaled run is scaled indeed.
    const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
    EXPECT_EQ(dlg.devicePixelRatio(), scale.toDouble());
    QLineEdit *field = dlg.Text1();
    // Where the text starts when nothing is scrolled away. The field scrolls
    // its text as it paints it.
    field->repaint();
    const QRect start = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QFontMetricsF fm(field->font());
    for (const QString &name : {QStringLiteral("Alexandra Montgomery-Wolf"), widestPlayer(), QString(25, u'M'),
                                QString(25, u'm'), QString(25, u'w')}) {
        ASSERT_EQ(name.size(), dlGInput::MaxNameLength);
        field->setText(name); // the cursor stands after the last letter
        field->repaint();
        const QRect end = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        EXPECT_GE(end.x() - start.x(), fm.horizontalAdvance(name) - 1)
            << name.toStdString() << ": its start is scrolled out of sight";
        EXPECT_LE(end.right(), field->contentsRect().right()) << name.toStdString();
    }
}

// The prompt above the field shows as it is given, never as markup.
TEST(NameDialog, ThePromptIsShownAsGiven)
{
    ScriptedPrompt prompt;
    const QString text = QStringLiteral("Rename <b>Big<br>Tom<i>J");
    prompt.playDialog = [&](QDialog &shown) {
        auto &dlg = dynamic_cast<dlGInput &>(shown);
        EXPECT_EQ(dlg.Label1()->text(), text);
        EXPECT_TRUE(labelsReadingMarkup(dlg, QString()).isEmpty())
            << labelsReadingMarkup(dlg, QString()).join(" | ").toStdString();
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(GetInput(prompt, text, QStringLiteral("x")).has_value());
    EXPECT_EQ(prompt.asked.size(), 1u);
}

} // namespace
