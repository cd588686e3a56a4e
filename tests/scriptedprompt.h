#pragma once

#include "table/qtprompt.h"

#include <QByteArray>
#include <QColor>
#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace tw::test {

// Answers the program's questions from a script and keeps a record of all it
// was asked, in order. Nothing is shown, and no event loop runs unless an
// answer runs one.
class ScriptedPrompt : public Prompt {
public:
    // One thing asked.
    struct Asked {
        enum Kind { Box, Colour, SaveFile, Dialog };
        Kind kind = Box;
        QPointer<QWidget> owner;
        QByteArray ownerClass; // the class of the owner, kept for when it is gone
        // A box as it would look on screen (LookOf).
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        // The box's text; the name the save dialog proposes; a dialog's caption.
        QString text;
        QString filter;     // of the save dialog
        QColor initial;     // of the colour dialog
        QByteArray dialogClass; // of a dialog run
        bool yesNo() const { return buttons == (QMessageBox::Yes | QMessageBox::No); }
    };

    // Answers. A Yes/No box takes the first of `answers`, then `answerYes`.
    std::deque<bool> answers;
    bool answerYes = true;
    // The colour picked in every colour dialog, the name chosen in every save
    // dialog; nothing stands for Cancel.
    std::optional<QColor> colour;
    std::optional<QString> saveName;
    // A modal window is played by the first of `dialogs`, then by
    // `playDialog`, in place of its own event loop; what they return is the
    // window's result. With neither, the window is unexpected: the test fails
    // and the window counts as rejected.
    std::deque<std::function<int(QDialog &)>> dialogs;
    std::function<int(QDialog &)> playDialog;
    // An answer that runs the window's own event loop, for tests that work
    // on the open window.
    static int exec(QDialog &dialog) { return dialog.exec(); }

    std::vector<Asked> asked;

    bool Show(const Message &message) override
    {
        const MessageBoxLook look = LookOf(message);
        Asked a = about(Asked::Box, message.owner);
        a.icon = look.icon;
        a.title = look.title;
        a.buttons = look.buttons;
        a.defaultButton = look.defaultButton;
        a.text = message.text;
        asked.push_back(a);
        if (!message.yesNo)
            return false;
        if (answers.empty())
            return answerYes;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }

    std::optional<QColor> ChooseColor(QWidget *owner, const QColor &initial) override
    {
        Asked a = about(Asked::Colour, owner);
        a.initial = initial;
        asked.push_back(a);
        return colour;
    }

    std::optional<QString> SaveFileName(QWidget *owner, const QString &defaultName, const QString &filter) override
    {
        Asked a = about(Asked::SaveFile, owner);
        a.text = defaultName;
        a.filter = filter;
        asked.push_back(a);
        return saveName;
    }

    int Run(QDialog &dialog) override
    {
        Asked a = about(Asked::Dialog, dialog.parentWidget());
        a.text = dialog.windowTitle();
        a.dialogClass = dialog.metaObject()->className();
        asked.push_back(a);
        std::function<int(QDialog &)> play = playDialog;
        if (!dialogs.empty()) {
            play = std::move(dialogs.front());
            dialogs.pop_front();
        }
        if (!play) {
            ADD_FAILURE() << "unexpected modal window " << a.dialogClass.constData() << " \""
                          << a.text.toStdString() << '"';
            return QDialog::Rejected;
        }
        return play(dialog);
    }

    // The boxes asked, all of them or those of owners of one class (e.g.
    // "tw::dlGInput").
    std::vector<Asked> boxes(const char *ownerClass = nullptr) const
    {
        std::vector<Asked> out;
        for (const Asked &a : asked)
            if (a.kind == Asked::Box && (!ownerClass || a.ownerClass == ownerClass))
                out.push_back(a);
        return out;
    }
    // The texts of the Yes/No questions, of the reports (information icon)
    // and of the errors (critical icon, OK), in order.
    QStringList questions() const
    {
        return texts([](const Asked &a) { return a.yesNo(); });
    }
    QStringList infos() const
    {
        return texts([](const Asked &a) { return !a.yesNo() && a.icon == QMessageBox::Information; });
    }
    QStringList errors() const
    {
        return texts([](const Asked &a) { return !a.yesNo() && a.icon == QMessageBox::Critical; });
    }
    // The last thing of this kind asked; fails the test when there is none.
    Asked last(Asked::Kind kind) const
    {
        for (auto it = asked.rbegin(); it != asked.rend(); ++it)
            if (it->kind == kind)
                return *it;
        ADD_FAILURE() << "nothing of kind " << kind << " was asked";
        return Asked();
    }
    int count(Asked::Kind kind) const
    {
        int n = 0;
        for (const Asked &a : asked)
            n += a.kind == kind;
        return n;
    }

private:
    static Asked about(Asked::Kind kind, QWidget *owner)
    {
        Asked a;
        a.kind = kind;
        a.owner = owner;
        if (owner)
            a.ownerClass = owner->metaObject()->className();
        return a;
    }
    template <class Pred>
    QStringList texts(Pred pred) const
    {
        QStringList out;
        for (const Asked &a : asked)
            if (a.kind == Asked::Box && pred(a))
                out << a.text;
        return out;
    }
};

} // namespace tw::test
