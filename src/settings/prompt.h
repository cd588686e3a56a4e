#pragma once

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <optional>

class QColor;
class QDialog;
class QWidget;

namespace tw {

// Everything the program asks of the person at the screen outside its own
// windows' controls: a Yes/No question, a report, an error, a colour, a file
// name to save under, the progress of long work, and whole modal windows. The program answers on screen
// (QtPrompt); tests answer from a script, so nothing blocks.
//
// Each box belongs to an owner window (null: none) and carries the
// application title, which start-up sets to the product name, unless it is
// given a title of its own.
//
// CorePrompt is the part asked and answered in plain values (boxes and a file
// name), which the headless records code uses; Prompt adds the colour dialog
// and modal windows.
class CorePrompt {
public:
    enum class Icon { Information, Question, Critical };
    // The button Enter presses in a question: the one the box picks by
    // itself, or No.
    enum class Default { Automatic, No };

    // One message box as it is asked for.
    struct Message {
        QWidget *owner = nullptr;
        Icon icon = Icon::Information;
        QString title; // empty: the application title
        QString text;
        bool yesNo = false; // Yes and No instead of OK
        Default enter = Default::Automatic;
    };

    virtual ~CorePrompt() = default;

    // A question answered Yes or No: true only on Yes, so a closed box acts
    // like No.
    bool Confirm(QWidget *owner, const QString &text, Icon icon = Icon::Question, Default enter = Default::Automatic,
                 const QString &title = QString())
    {
        return Show({owner, icon, title, text, true, enter});
    }
    // A report with the information icon and OK.
    void Info(QWidget *owner, const QString &text, const QString &title = QString())
    {
        Show({owner, Icon::Information, title, text, false, Default::Automatic});
    }
    // A failure or a refused input, with the critical icon and OK.
    void Error(QWidget *owner, const QString &text, const QString &title = QString())
    {
        Show({owner, Icon::Critical, title, text, false, Default::Automatic});
    }

    // The title a box shows: its own, or the application title.
    static QString TitleOf(const Message &message)
    {
        return message.title.isEmpty() ? QCoreApplication::applicationName() : message.title;
    }

    // Shows the box and waits for it; true when it was answered Yes.
    virtual bool Show(const Message &message) = 0;
    // The save dialog, proposing `defaultName` and asking before it
    // overwrites a file: the chosen name exactly as given (no extension
    // added), or nothing on Cancel. The filter is in Qt's form, e.g.
    // "Text File (*.txt)".
    virtual std::optional<QString> SaveFileName(QWidget *owner, const QString &defaultName, const QString &filter) = 0;

    // Work long enough to be noticed, such as writing a large report. The
    // work is handed a callback to report how far it has come (done of
    // total); the callback returns false once the person has cancelled, and
    // the work should then stop and return false. RunLong returns what the
    // work returned. Here the work simply runs; the program's prompt runs it
    // on a thread of its own and, once it has taken a moment, shows `text`
    // with its progress while the windows keep painting, so the work must
    // touch nothing that belongs to the window thread.
    using Progress = std::function<bool(qint64 done, qint64 total)>;
    virtual bool RunLong(QWidget *owner, const QString &text, const std::function<bool(const Progress &)> &work)
    {
        Q_UNUSED(owner);
        Q_UNUSED(text);
        return work([](qint64, qint64) { return true; });
    }
};

class Prompt : public CorePrompt {
public:
    // The colour dialog, opened at `initial`: the colour picked, or nothing
    // on Cancel.
    virtual std::optional<QColor> ChooseColor(QWidget *owner, const QColor &initial) = 0;
    // Runs the window modally; the result its exec() gives.
    virtual int Run(QDialog &dialog) = 0;
};

} // namespace tw
