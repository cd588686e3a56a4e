#include "table/qtprompt.h"
#include "testutil.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

using namespace tw;
using namespace tw::test;

namespace {

Prompt::Message message(Prompt::Icon icon, bool yesNo, Prompt::Default enter = Prompt::Default::Automatic,
                        const QString &title = QString())
{
    Prompt::Message m;
    m.icon = icon;
    m.yesNo = yesNo;
    m.enter = enter;
    m.title = title;
    m.text = QStringLiteral("text");
    return m;
}

} // namespace

// How each box the program asks for looks on screen.
TEST(MessageBoxLook, IconsButtonsAndTheButtonEnterPresses)
{
    MessageBoxLook look = LookOf(message(Prompt::Icon::Question, true, Prompt::Default::No));
    EXPECT_EQ(look.icon, QMessageBox::Question);
    EXPECT_EQ(look.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(look.defaultButton, QMessageBox::No);

    look = LookOf(message(Prompt::Icon::Critical, true));
    EXPECT_EQ(look.icon, QMessageBox::Critical);
    EXPECT_EQ(look.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(look.defaultButton, QMessageBox::NoButton); // the box picks it

    look = LookOf(message(Prompt::Icon::Information, false));
    EXPECT_EQ(look.icon, QMessageBox::Information);
    EXPECT_EQ(look.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(look.defaultButton, QMessageBox::NoButton);

    // Enter on No means nothing without Yes and No.
    look = LookOf(message(Prompt::Icon::Critical, false, Prompt::Default::No));
    EXPECT_EQ(look.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(look.defaultButton, QMessageBox::NoButton);
}

TEST(MessageBoxLook, TitleIsTheBoxsOwnOrTheApplicationTitle)
{
    const QString before = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
    EXPECT_EQ(LookOf(message(Prompt::Icon::Information, false)).title, "Tarnwick");
    EXPECT_EQ(Prompt::TitleOf(message(Prompt::Icon::Information, false)), "Tarnwick");
    EXPECT_EQ(LookOf(message(Prompt::Icon::Question, true, Prompt::Default::No, "Players")).title, "Players");
    QCoreApplication::setApplicationName(before);
}

namespace {

// Answers the message box that opens next with `button` (Escape when it is
// NoButton) and keeps what the box showed.
struct BoxSeen {
    bool shown = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::StandardButtons buttons;
    QAbstractButton *defaultButton = nullptr;
    QAbstractButton *noButton = nullptr;
    QWidget *owner = nullptr;
};
void answerNextBox(BoxSeen &seen, QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [&seen, button] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (QWidget *m = QApplication::activeModalWidget())
                m->close();
            return;
        }
        seen.shown = true;
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.format = box->textFormat();
        seen.buttons = box->standardButtons();
        seen.defaultButton = box->defaultButton();
        seen.noButton = box->button(QMessageBox::No);
        seen.owner = box->parentWidget();
        if (button == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(button)->click();
    });
}

} // namespace

// The boxes on screen: icon, title, buttons and what Enter presses, as asked;
// a question acts only on Yes.
TEST(QtPrompt, BoxesLookAsAskedAndOnlyYesConfirms)
{
    TestData d; // start-up sets the application title to the product name
    QtPrompt prompt;
    QWidget owner;
    BoxSeen seen;

    answerNextBox(seen, QMessageBox::Yes);
    EXPECT_TRUE(prompt.Confirm(&owner, QStringLiteral("Delete?"), Prompt::Icon::Critical));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.title, QStringLiteral("Tarnwick"));
    EXPECT_EQ(seen.text, QStringLiteral("Delete?"));
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.owner, &owner);

    seen = {};
    answerNextBox(seen, QMessageBox::No);
    EXPECT_FALSE(prompt.Confirm(&owner, QStringLiteral("Clear?")));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    seen = {};
    answerNextBox(seen, QMessageBox::NoButton); // Escape
    EXPECT_FALSE(prompt.Confirm(&owner, QStringLiteral("Clear?")));
    EXPECT_TRUE(seen.shown);

    seen = {};
    answerNextBox(seen, QMessageBox::NoButton);
    EXPECT_FALSE(prompt.Confirm(nullptr, QStringLiteral("Clear all?"), Prompt::Icon::Question, Prompt::Default::No));
    ASSERT_TRUE(seen.shown);
    EXPECT_NE(seen.noButton, nullptr);
    EXPECT_EQ(seen.defaultButton, seen.noButton);
    EXPECT_EQ(seen.owner, nullptr);

    seen = {};
    answerNextBox(seen, QMessageBox::Ok);
    prompt.Info(&owner, QStringLiteral("Done."));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(seen.title, QStringLiteral("Tarnwick"));

    seen = {};
    answerNextBox(seen, QMessageBox::Ok);
    prompt.Error(nullptr, QStringLiteral("Failed."), QStringLiteral("Own title"));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(seen.title, QStringLiteral("Own title"));
}

// A text built from a player name or a path shows as written: "<b>" is no
// bold and "<br>" no line break.
TEST(QtPrompt, BoxTextsAreShownAsWrittenNotAsMarkup)
{
    QtPrompt prompt;
    const QString text = QStringLiteral("The score file /data/<b>Big<br>Tom<i>J.sre could not be deleted.");
    BoxSeen seen;
    answerNextBox(seen, QMessageBox::Ok);
    prompt.Error(nullptr, text);
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.format, Qt::PlainText);

    seen = {};
    answerNextBox(seen, QMessageBox::Yes);
    EXPECT_TRUE(prompt.Confirm(nullptr, QStringLiteral("Delete <i>Ann</i>?")));
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.format, Qt::PlainText);
}

namespace {

// Opens the save dialog proposing `defaultName`, cancels it and gives the
// file it proposed; `answer` takes what the prompt returned.
QString proposedFile(QtPrompt &prompt, const QString &defaultName, std::optional<QString> *answer = nullptr)
{
    QString proposed;
    QTimer::singleShot(0, [&] {
        if (auto *f = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
            proposed = f->selectedFiles().value(0);
            f->reject();
        } else if (QWidget *m = QApplication::activeModalWidget()) {
            m->close();
        }
    });
    const std::optional<QString> given = prompt.SaveFileName(nullptr, defaultName, QStringLiteral("Text File (*.txt)"));
    if (answer)
        *answer = given;
    return proposed;
}

} // namespace

TEST(QtPrompt, DialogsGiveTheirAnswerOrNothingOnCancel)
{
    QtPrompt prompt;
    // A modal window runs in its own event loop and gives its result.
    QDialog dlg;
    QTimer::singleShot(0, [&] { dlg.done(7); });
    EXPECT_EQ(prompt.Run(dlg), 7);

    QTimer::singleShot(0, [] {
        if (auto *c = qobject_cast<QColorDialog *>(QApplication::activeModalWidget())) {
            c->setCurrentColor(QColor(10, 20, 30));
            c->accept();
        } else if (QWidget *m = QApplication::activeModalWidget()) {
            m->close();
        }
    });
    EXPECT_EQ(prompt.ChooseColor(nullptr, Qt::red), QColor(10, 20, 30));
    QTimer::singleShot(0, [] {
        if (QWidget *m = QApplication::activeModalWidget())
            qobject_cast<QDialog *>(m) ? qobject_cast<QDialog *>(m)->reject() : void(m->close());
    });
    EXPECT_FALSE(prompt.ChooseColor(nullptr, Qt::red).has_value());

    std::optional<QString> answer = QStringLiteral("?");
    const QString proposed = proposedFile(prompt, QStringLiteral("Scoreboard"), &answer);
    EXPECT_FALSE(answer.has_value());
    EXPECT_TRUE(proposed.endsWith(QStringLiteral("/Scoreboard"))) << qPrintable(proposed);
}

// The export's save dialog opens in the documents folder, or in the home
// folder where there is none, never in the folder the program was started
// from.
TEST(QtPrompt, TheSaveDialogStartsInDocumentsElseInTheHomeFolder)
{
    QTemporaryDir startedFrom;
    ASSERT_TRUE(startedFrom.isValid());
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(startedFrom.path()));
    const QString home = QDir::homePath();
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // The test's own temporary home, never the real one.
    ASSERT_TRUE(home.startsWith(QDir::tempPath())) << qPrintable(home);
    ASSERT_TRUE(docs.startsWith(home + u'/')) << qPrintable(docs);
    QtPrompt prompt;

    QDir().rmdir(docs);
    ASSERT_FALSE(QFileInfo::exists(docs));
    EXPECT_EQ(SaveStartFolder(), home);
    EXPECT_EQ(proposedFile(prompt, QStringLiteral("Scoreboard")), home + QStringLiteral("/Scoreboard"));

    ASSERT_TRUE(QDir().mkpath(docs));
    EXPECT_EQ(SaveStartFolder(), docs);
    EXPECT_EQ(proposedFile(prompt, QStringLiteral("Scoreboard")), docs + QStringLiteral("/Scoreboard"));

    QDir().rmdir(docs);
    QDir::setCurrent(before);
}

namespace {

// Looks at the progress window of long work once it shows: keeps what it
// shows, then does what `onShown` says.
struct ProgressSeen {
    QPointer<QProgressDialog> dialog;
    QString label, title;
    int value = -1;
    bool modal = false;
    QWidget *parent = nullptr;
};

void watchProgress(QTimer &probe, ProgressSeen &seen, std::function<void(QProgressDialog *)> onShown)
{
    probe.setInterval(20);
    QObject::connect(&probe, &QTimer::timeout, [&seen, onShown] {
        auto *p = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
        if (!p || seen.dialog)
            return;
        seen.dialog = p;
        seen.label = p->labelText();
        seen.title = p->windowTitle();
        seen.value = p->value();
        seen.modal = p->isModal();
        seen.parent = p->parentWidget();
        onShown(p);
    });
    probe.start();
}

// Waits in the work until `go` is set, for at most a minute.
void waitFor(const std::atomic<bool> &go)
{
    for (int i = 0; i < 6000 && !go; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

} // namespace

// Long work runs on a thread of its own; the window thread goes on running
// its timers, and once the work has taken a moment a modal progress window
// over the owner shows its text and how far it has come.
TEST(QtPrompt, LongWorkRunsAwayFromTheWindowsAndShowsItsProgress)
{
    TestData d; // the application title
    QtPrompt prompt;
    QWidget owner;
    int ticks = 0;
    QTimer windowTimer;
    QObject::connect(&windowTimer, &QTimer::timeout, [&] { ++ticks; });
    windowTimer.start(10);
    std::atomic<bool> go{false};
    ProgressSeen seen;
    QTimer probe;
    watchProgress(probe, seen, [&](QProgressDialog *) { go = true; });
    std::thread::id workThread;
    const bool r = prompt.RunLong(&owner, QStringLiteral("Exporting"), [&](const CorePrompt::Progress &progress) {
        workThread = std::this_thread::get_id();
        progress(25, 100);
        waitFor(go);
        return progress(100, 100);
    });
    EXPECT_TRUE(r);
    EXPECT_NE(workThread, std::this_thread::get_id());
    EXPECT_GT(ticks, 0);
    EXPECT_TRUE(go);
    EXPECT_EQ(seen.label, QStringLiteral("Exporting"));
    EXPECT_EQ(seen.title, QStringLiteral("Tarnwick"));
    EXPECT_EQ(seen.value, 250);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(seen.parent, &owner);
    EXPECT_TRUE(seen.dialog.isNull()); // gone with the work
}

// Cancel in the progress window is the work's answer to its next report; the
// work stops and RunLong gives what it returned.
TEST(QtPrompt, LongWorkStopsOnCancel)
{
    QtPrompt prompt;
    ProgressSeen seen;
    QTimer probe;
    watchProgress(probe, seen, [](QProgressDialog *p) {
        if (auto *cancel = p->findChild<QPushButton *>())
            cancel->click();
    });
    int reports = 0;
    const bool r = prompt.RunLong(nullptr, QStringLiteral("Exporting"), [&](const CorePrompt::Progress &progress) {
        for (; reports < 60000; ++reports) {
            if (!progress(reports, 60000))
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return true;
    });
    EXPECT_FALSE(r);
    EXPECT_TRUE(seen.dialog.isNull());
    EXPECT_LT(reports, 60000);
}
