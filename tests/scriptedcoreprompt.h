#pragma once

#include "settings/prompt.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tw::test {

// Answers a prompt's boxes and save dialog from a script and keeps a record
// of all it was asked, in order. Nothing is shown. Shared by the headless
// fake below and the on-screen one (scriptedprompt.h), which keep records of
// their own kind: Record makes one from a box (Record::box) and from anything
// else asked (Record::about), and tells reports and errors apart.
template<class Interface, class Record>
class ScriptedAnswers : public Interface {
public:
    using Asked = Record;
    using typename Interface::Message;

    // Answers. A Yes/No box takes the first of `answers`, then `answerYes`.
    std::deque<bool> answers;
    bool answerYes = true;
    // The name chosen in every save dialog; nothing stands for Cancel.
    std::optional<QString> saveName;

    std::vector<Asked> asked;

    bool Show(const Message &message) override
    {
        asked.push_back(Asked::box(message));
        if (!message.yesNo)
            return false;
        if (answers.empty())
            return answerYes;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }

    std::optional<QString> SaveFileName(QWidget *owner, const QString &defaultName, const QString &filter) override
    {
        Asked a = Asked::about(Asked::SaveFile, owner);
        a.text = defaultName;
        a.filter = filter;
        asked.push_back(a);
        return saveName;
    }

    // Long work runs here and now. Its progress reports (done, total) are
    // kept; from report number `cancelAt` on (counted from 1) the answer is
    // that the person cancelled.
    std::vector<std::pair<qint64, qint64>> progress;
    int cancelAt = 0;
    bool RunLong(QWidget *owner, const QString &text,
                 const std::function<bool(const CorePrompt::Progress &)> &work) override
    {
        Asked a = Asked::about(Asked::LongWork, owner);
        a.text = text;
        asked.push_back(a);
        return work([this](qint64 done, qint64 total) {
            progress.emplace_back(done, total);
            return cancelAt <= 0 || static_cast<int>(progress.size()) < cancelAt;
        });
    }

    // The boxes asked, in order.
    std::vector<Asked> boxes() const
    {
        std::vector<Asked> out;
        for (const Asked &a : asked)
            if (a.kind == Asked::Box)
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
        return texts([](const Asked &a) { return a.info(); });
    }
    QStringList errors() const
    {
        return texts([](const Asked &a) { return a.error(); });
    }
    // The last thing of this kind asked; fails the test when there is none.
    Asked last(typename Asked::Kind kind) const
    {
        for (auto it = asked.rbegin(); it != asked.rend(); ++it)
            if (it->kind == kind)
                return *it;
        ADD_FAILURE() << "nothing of kind " << kind << " was asked";
        return Asked();
    }
    int count(typename Asked::Kind kind) const
    {
        int n = 0;
        for (const Asked &a : asked)
            n += a.kind == kind;
        return n;
    }

private:
    template<class Pred>
    QStringList texts(Pred pred) const
    {
        QStringList out;
        for (const Asked &a : asked)
            if (a.kind == Asked::Box && pred(a))
                out << a.text;
        return out;
    }
};

// One thing the headless code asked: a box as it was asked for, or the save
// dialog.
struct CoreAsked {
    enum Kind { Box, SaveFile, LongWork };
    Kind kind = Box;
    const QWidget *owner = nullptr;
    CorePrompt::Icon icon = CorePrompt::Icon::Information;
    QString title; // as the box shows it: the application title when it has none
    bool yesNoButtons = false;
    CorePrompt::Default enter = CorePrompt::Default::Automatic;
    // The box's text; the name the save dialog proposes; what long work
    // shows.
    QString text;
    QString filter; // of the save dialog

    bool yesNo() const { return yesNoButtons; }
    bool info() const { return !yesNoButtons && icon == CorePrompt::Icon::Information; }
    bool error() const { return !yesNoButtons && icon == CorePrompt::Icon::Critical; }

    static CoreAsked about(Kind kind, const QWidget *owner)
    {
        CoreAsked a;
        a.kind = kind;
        a.owner = owner;
        return a;
    }
    static CoreAsked box(const CorePrompt::Message &message)
    {
        CoreAsked a = about(Box, message.owner);
        a.icon = message.icon;
        a.title = CorePrompt::TitleOf(message);
        a.yesNoButtons = message.yesNo;
        a.enter = message.enter;
        a.text = message.text;
        return a;
    }
};

// The scripted answers of the headless code's questions.
using ScriptedCorePrompt = ScriptedAnswers<CorePrompt, CoreAsked>;

} // namespace tw::test
