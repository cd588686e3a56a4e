#pragma once

#include "scriptedcoreprompt.h"
#include "table/qtprompt.h"

#include <QByteArray>
#include <QColor>
#include <QDialog>
#include <QPointer>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace tw::test {

// One thing the program asked, with a box as it would look on screen.
struct UiAsked {
    enum Kind { Box, Colour, SaveFile, Dialog, LongWork };
    Kind kind = Box;
    QPointer<QWidget> owner;
    QByteArray ownerClass; // the class of the owner, kept for when it is gone
    // A box as it would look on screen (LookOf).
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    // The box's text; the name the save dialog proposes; a dialog's caption;
    // what long work shows.
    QString text;
    QString filter;         // of the save dialog
    QColor initial;         // of the colour dialog
    QByteArray dialogClass; // of a dialog run

    bool yesNo() const { return buttons == (QMessageBox::Yes | QMessageBox::No); }
    bool info() const { return !yesNo() && icon == QMessageBox::Information; }
    bool error() const { return !yesNo() && icon == QMessageBox::Critical; }

    static UiAsked about(Kind kind, QWidget *owner)
    {
        UiAsked a;
        a.kind = kind;
        a.owner = owner;
        if (owner)
            a.ownerClass = owner->metaObject()->className();
        return a;
    }
    static UiAsked box(const Prompt::Message &message)
    {
        const MessageBoxLook look = LookOf(message);
        UiAsked a = about(Box, message.owner);
        a.icon = look.icon;
        a.title = look.title;
        a.buttons = look.buttons;
        a.defaultButton = look.defaultButton;
        a.text = message.text;
        return a;
    }
};

// Answers the program's questions from a script and keeps a record of all it
// was asked, in order. Nothing is shown, and no event loop runs unless an
// answer runs one.
class ScriptedPrompt : public ScriptedAnswers<Prompt, UiAsked> {
public:
    // The colour picked in every colour dialog; nothing stands for Cancel.
    std::optional<QColor> colour;
    // A modal window is played by the first of `dialogs`, then by
    // `playDialog`, in place of its own event loop; what they return is the
    // window's result. With neither, the window is unexpected: the test fails
    // and the window counts as rejected.
    std::deque<std::function<int(QDialog &)>> dialogs;
    std::function<int(QDialog &)> playDialog;
    // An answer that runs the window's own event loop, for tests that work
    // on the open window.
    static int exec(QDialog &dialog) { return dialog.exec(); }

    std::optional<QColor> ChooseColor(QWidget *owner, const QColor &initial) override
    {
        Asked a = Asked::about(Asked::Colour, owner);
        a.initial = initial;
        asked.push_back(a);
        return colour;
    }

    int Run(QDialog &dialog) override
    {
        Asked a = Asked::about(Asked::Dialog, dialog.parentWidget());
        a.text = dialog.windowTitle();
        a.dialogClass = dialog.metaObject()->className();
        asked.push_back(a);
        std::function<int(QDialog &)> play = playDialog;
        if (!dialogs.empty()) {
            play = std::move(dialogs.front());
            dialogs.pop_front();
        }
        if (!play) {
            ADD_FAILURE() << "unexpected modal window " << a.dialogClass.constData() << " \"" << a.text.toStdString()
                          << '"';
            return QDialog::Rejected;
        }
        return play(dialog);
    }

    // The boxes asked, all of them or those of owners of one class (e.g.
    // "tw::dlGInput").
    std::vector<Asked> boxes(const char *ownerClass = nullptr) const
    {
        std::vector<Asked> out;
        for (const Asked &a : ScriptedAnswers::boxes())
            if (!ownerClass || a.ownerClass == ownerClass)
                out.push_back(a);
        return out;
    }
};

} // namespace tw::test
