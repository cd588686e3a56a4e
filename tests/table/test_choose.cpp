#include "engine/catalogue.h"
#include "scriptedprompt.h"
#include "table/choose.h"
#include "testutil.h"
#include "uitestutil.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

struct StartCall {
    QString name;
    GameNo number;
    bool dialogVisible = false;
    QString player;
};

// Settings with the catalogue, a recording start-game routine, a fixed random
// number and the range message caught instead of shown.
struct Fixture {
    TestData d;
    std::vector<StartCall> starts;
    ScriptedPrompt prompt;
    GameContext ctx;
    frmChoose *open = nullptr;

    Fixture()
    {
        ctx.data = &d.data;
        ctx.prompt = &prompt;
        ctx.randomGameNo = [] { return GameNo::number(4711); };
        ctx.preview = [](int) { return QPixmap(); };
        ctx.startGame = [this](const QString &name, const GameNo &number) {
            starts.push_back({name, number, open && open->isVisible(), d.data.CurPlayer()});
        };
    }
    // The range messages shown.
    std::vector<ScriptedPrompt::Asked> messages() const { return prompt.boxes(); }

    void players(const QStringList &names, const QString &current)
    {
        for (int i = 0; i < names.size(); ++i)
            d.data.SetPlayer(static_cast<int16_t>(i + 1), names[i], false);
        d.data.CurPlayer(current);
    }

    // Types the text into the field and presses Select.
    void select(frmChoose &c, const QString &text)
    {
        c.Text1->selectAll();
        QTest::keyClick(c.Text1, Qt::Key_Delete);
        QTest::keyClicks(c.Text1, text);
        QTest::mouseClick(c.cmdSelect, Qt::LeftButton);
    }
};

// Shows the dialog and waits until it can be typed into.
void showDialog(Fixture &f, frmChoose &c)
{
    f.open = &c;
    c.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&c));
}

} // namespace

TEST(Choose, GroupDigitsUsesCommasBetweenThousands)
{
    EXPECT_EQ(frmChoose::GroupDigits(0), QStringLiteral("0"));
    EXPECT_EQ(frmChoose::GroupDigits(9), QStringLiteral("9"));
    EXPECT_EQ(frmChoose::GroupDigits(999), QStringLiteral("999"));
    EXPECT_EQ(frmChoose::GroupDigits(1000), QStringLiteral("1,000"));
    EXPECT_EQ(frmChoose::GroupDigits(99999), QStringLiteral("99,999"));
    EXPECT_EQ(frmChoose::GroupDigits(1234567), QStringLiteral("1,234,567"));
    EXPECT_EQ(frmChoose::GroupDigits(999999999999999), QStringLiteral("999,999,999,999,999"));
    EXPECT_EQ(frmChoose::GroupDigits(-1234), QStringLiteral("-1,234"));
    EXPECT_EQ(frmChoose::LargestNumber(1), 9);
    EXPECT_EQ(frmChoose::LargestNumber(6), 999999);
    EXPECT_EQ(frmChoose::LargestNumber(15), 999999999999999);
}

TEST(Choose, FillsFromSettings)
{
    Fixture f;
    f.players({QStringLiteral("Ann"), QStringLiteral("Bob")}, QStringLiteral("Bob"));
    frmChoose c(f.ctx);
    showDialog(f, c);
    EXPECT_EQ(c.windowTitle(), QStringLiteral("Select a Game Number"));
    EXPECT_EQ(c.lblName->text(), QStringLiteral("Enter a Game Number between"));
    EXPECT_EQ(c.lblRange->text(), QStringLiteral("0 and 999,999,999,999,999"));
    EXPECT_EQ(c.Text1->text(), QStringLiteral("4711"));
    EXPECT_EQ(c.Text1->selectedText(), QStringLiteral("4711"));
    EXPECT_EQ(c.focusWidget(), c.Text1);
    ASSERT_EQ(c.imcGames->count(), frmGame::GameCount);
    for (int i = 0; i < frmGame::GameCount; ++i)
        EXPECT_EQ(c.imcGames->itemText(i), frmGame::NameAt(static_cast<int16_t>(i + 1)));
    // No game played in this run yet: the first variant.
    EXPECT_EQ(c.imcGames->currentIndex(), 0);
    ASSERT_EQ(c.imcPlayer->count(), 2);
    EXPECT_EQ(c.imcPlayer->currentText(), QStringLiteral("Bob"));
    EXPECT_EQ(c.cmdSelect->text(), QStringLiteral("Select"));
    EXPECT_EQ(c.cmdCancel->text(), QStringLiteral("Cancel"));
}

TEST(Choose, PreselectsCurrentGameAndFallsBackToFirstPlayer)
{
    Fixture f;
    f.players({QStringLiteral("Ann"), QStringLiteral("Bob")}, QStringLiteral("Zed"));
    f.d.data.CurGName(QStringLiteral("Penguin"));
    frmChoose c(f.ctx);
    EXPECT_EQ(c.imcGames->currentText(), QStringLiteral("Penguin"));
    EXPECT_EQ(c.imcPlayer->currentText(), QStringLiteral("Ann"));
    showDialog(f, c);
    QTest::mouseClick(c.cmdSelect, Qt::LeftButton);
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].player, QStringLiteral("Ann"));
}

TEST(Choose, ProposedNumberIsAcceptedUnedited)
{
    Fixture f;
    f.players({QStringLiteral("Ann")}, QStringLiteral("Ann"));
    for (int16_t range : {int16_t(1), int16_t(4), int16_t(15)}) {
        f.d.data.RangeIndex(range);
        f.starts.clear();
        const qint64 proposed = frmChoose::LargestNumber(range);
        f.ctx.randomGameNo = [proposed] { return GameNo::number(proposed); };
        frmChoose c(f.ctx);
        showDialog(f, c);
        QTest::mouseClick(c.cmdSelect, Qt::LeftButton);
        ASSERT_EQ(f.starts.size(), 1u) << range;
        EXPECT_EQ(f.starts[0].number, GameNo::text(QString::number(proposed)));
        EXPECT_TRUE(f.messages().empty());
        EXPECT_FALSE(c.isVisible());
    }
}

TEST(Choose, RangeOneAcceptsOneToNine)
{
    Fixture f;
    f.players({QStringLiteral("Ann")}, QStringLiteral("Ann"));
    f.d.data.RangeIndex(1);
    for (const QString &typed : {QStringLiteral("9"), QStringLiteral("1")}) {
        f.starts.clear();
        frmChoose c(f.ctx);
        showDialog(f, c);
        EXPECT_EQ(c.lblRange->text(), QStringLiteral("0 and 9"));
        f.select(c, typed);
        ASSERT_EQ(f.starts.size(), 1u) << typed.toStdString();
        EXPECT_EQ(f.starts[0].number, GameNo::text(typed));
        EXPECT_FALSE(f.starts[0].dialogVisible) << "the dialog must be hidden before the deal";
        EXPECT_EQ(c.result(), int(QDialog::Accepted));
    }
    EXPECT_TRUE(f.messages().empty());
}

TEST(Choose, OutOfRangeGivesMessageAndZero)
{
    Fixture f;
    f.players({QStringLiteral("Ann")}, QStringLiteral("Ann"));
    f.d.data.RangeIndex(1);
    frmChoose c(f.ctx);
    showDialog(f, c);
    for (const QString &typed : {QStringLiteral("0"), QStringLiteral("10"), QStringLiteral("-3")}) {
        f.prompt.asked.clear();
        f.select(c, typed);
        EXPECT_TRUE(f.starts.empty()) << typed.toStdString();
        ASSERT_EQ(f.messages().size(), 1u) << typed.toStdString();
        EXPECT_EQ(f.messages()[0].text, QStringLiteral("Please enter a number between 0 and 9"));
        EXPECT_EQ(f.messages()[0].title, QStringLiteral("Tarnwick"));
        // A refused number is reported, not an error: the information icon.
        EXPECT_EQ(f.messages()[0].icon, QMessageBox::Information);
        EXPECT_EQ(f.messages()[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(f.messages()[0].owner, &c);
        EXPECT_EQ(c.Text1->text(), QStringLiteral("0"));
        EXPECT_EQ(c.focusWidget(), c.Text1);
        EXPECT_TRUE(c.isVisible());
    }
}

TEST(Choose, RangeFifteenAcceptsLargestAndRefusesOneMore)
{
    Fixture f;
    f.players({QStringLiteral("Ann")}, QStringLiteral("Ann"));
    f.d.data.RangeIndex(15);
    frmChoose c(f.ctx);
    showDialog(f, c);
    EXPECT_EQ(c.lblRange->text(), QStringLiteral("0 and 999,999,999,999,999"));
    f.select(c, QStringLiteral("1000000000000000"));
    ASSERT_EQ(f.messages().size(), 1u);
    EXPECT_EQ(f.messages()[0].text, QStringLiteral("Please enter a number between 0 and 999,999,999,999,999"));
    EXPECT_TRUE(f.starts.empty());
    f.select(c, QStringLiteral("999999999999999"));
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].number, GameNo::text(QStringLiteral("999999999999999")));
}

TEST(Choose, BlanksAroundNumberAreKeptInGameNumber)
{
    Fixture f;
    f.players({QStringLiteral("Ann")}, QStringLiteral("Ann"));
    f.d.data.CurGName(QStringLiteral("Penguin"));
    frmChoose c(f.ctx);
    showDialog(f, c);
    f.select(c, QStringLiteral(" 42 "));
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].name, QStringLiteral("Penguin"));
    EXPECT_EQ(f.starts[0].number, GameNo::text(QStringLiteral(" 42 ")));
    EXPECT_EQ(f.starts[0].number.wholeValue(), std::optional<qint64>(42));
    EXPECT_TRUE(f.messages().empty());
}

TEST(Choose, TextsThatAreNoWholeNumberAreRefused)
{
    Fixture f;
    f.players({QStringLiteral("Ann")}, QStringLiteral("Ann"));
    frmChoose c(f.ctx);
    showDialog(f, c);
    const QStringList bad = {QStringLiteral("abc"),
                             QStringLiteral("12a"),
                             QStringLiteral("4.5"),
                             QStringLiteral("1e3"),
                             QString(),
                             QStringLiteral("%s%n"),
                             QStringLiteral("../../etc/passwd"),
                             QStringLiteral("4 2")};
    for (const QString &typed : bad) {
        f.prompt.asked.clear();
        f.select(c, typed);
        EXPECT_EQ(f.messages().size(), 1u) << typed.toStdString();
        EXPECT_EQ(c.Text1->text(), QStringLiteral("0")) << typed.toStdString();
    }
    EXPECT_TRUE(f.starts.empty());
    EXPECT_TRUE(c.isVisible());
}

TEST(Choose, ChosenVariantAndPlayerAreUsed)
{
    Fixture f;
    f.players({QStringLiteral("Ann"), QStringLiteral("Bob")}, QStringLiteral("Ann"));
    frmChoose c(f.ctx);
    showDialog(f, c);
    c.imcGames->setCurrentIndex(c.imcGames->findText(QStringLiteral("Freecell")));
    c.imcPlayer->setCurrentIndex(1);
    // Return in the field presses Select.
    c.Text1->selectAll();
    QTest::keyClicks(c.Text1, QStringLiteral("617"));
    QTest::keyClick(c.Text1, Qt::Key_Return);
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].name, QStringLiteral("Freecell"));
    EXPECT_EQ(f.starts[0].number, GameNo::text(QStringLiteral("617")));
    EXPECT_EQ(f.starts[0].player, QStringLiteral("Bob"));
    EXPECT_EQ(f.d.data.CurPlayer(), QStringLiteral("Bob"));
}

TEST(Choose, CancelChangesNothing)
{
    Fixture f;
    f.players({QStringLiteral("Ann"), QStringLiteral("Bob")}, QStringLiteral("Ann"));
    f.d.data.CurGName(QStringLiteral("Penguin"));
    frmChoose c(f.ctx);
    showDialog(f, c);
    c.imcGames->setCurrentIndex(0);
    c.imcPlayer->setCurrentIndex(1);
    QTest::mouseClick(c.cmdCancel, Qt::LeftButton);
    EXPECT_FALSE(c.isVisible());
    EXPECT_EQ(c.result(), int(QDialog::Rejected));
    EXPECT_TRUE(f.starts.empty());
    EXPECT_EQ(f.d.data.CurPlayer(), QStringLiteral("Ann"));
    EXPECT_EQ(f.d.data.CurGName(), QStringLiteral("Penguin"));
    EXPECT_EQ(f.d.data.LastGName(), QStringLiteral("Penguin"));
}

TEST(Choose, NoPlayersCreatesPlayer1)
{
    Fixture f;
    frmChoose c(f.ctx);
    EXPECT_EQ(c.imcPlayer->count(), 0);
    showDialog(f, c);
    QTest::mouseClick(c.cmdSelect, Qt::LeftButton);
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].player, QStringLiteral("Player1"));
    EXPECT_EQ(f.d.data.GetPlayer(1), QStringLiteral("Player1"));
    EXPECT_EQ(f.d.data.TotalPlayers(), 1);
}

TEST(Choose, ShowModalRunsUntilSelect)
{
    Fixture f;
    f.prompt.playDialog = ScriptedPrompt::exec;
    f.players({QStringLiteral("Ann")}, QStringLiteral("Ann"));
    QWidget owner;
    const test::ModalWatchdog watchdog;
    QTimer::singleShot(0, [&] {
        auto *c = qobject_cast<frmChoose *>(QApplication::activeModalWidget());
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->parentWidget(), &owner);
        QTest::mouseClick(c->cmdSelect, Qt::LeftButton);
    });
    EXPECT_EQ(frmChoose::showModal(f.ctx, &owner), int(QDialog::Accepted));
    ASSERT_EQ(f.starts.size(), 1u);
    EXPECT_EQ(f.starts[0].number, GameNo::text(QStringLiteral("4711")));
}
