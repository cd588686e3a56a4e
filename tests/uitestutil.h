#pragma once

#include "testutil.h"

#include <QObject>
#include <QStringList>

class QWidget;

namespace tw {
class HelpWindow;
}

namespace tw::test {

// Whether keys typed into the help window's own window reach it (a modal
// window would block them): Page Down scrolls its page.
bool helpScrollsWithKeys(HelpWindow &help);

// The labels of `window` showing `text` that would take it for markup (a
// player "<b>Tom" drawn in bold): every one that is not plain text. An empty
// `text` stands for any text; labels without text (pictures) are left out.
QStringList labelsReadingMarkup(const QWidget &window, const QString &text);

// Closes the modal window that is open after ms, so that a failed check
// inside a modal run cannot leave the test hanging. It belongs to the scope
// that made it: gone with it, it closes nothing of a later test.
class ModalWatchdog {
public:
    explicit ModalWatchdog(int ms = 5000);

private:
    QObject owner_;
};

} // namespace tw::test
