#include "uitestutil.h"

#include "media/help.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

namespace tw::test {

bool helpScrollsWithKeys(HelpWindow &help)
{
    QScrollBar *bar = help.Browser()->verticalScrollBar();
    bar->setValue(0);
    if (bar->maximum() <= 0 || !help.windowHandle())
        return false;
    // Through the window system, where a modal window's block applies.
    QTest::keyClick(help.windowHandle(), Qt::Key_PageDown);
    return bar->value() > 0;
}

QStringList labelsReadingMarkup(const QWidget &window, const QString &text)
{
    QStringList out;
    for (const QLabel *label : window.findChildren<QLabel *>())
        if (!label->text().isEmpty() && label->text().contains(text) && label->textFormat() != Qt::PlainText)
            out << label->objectName() + QStringLiteral(": ") + label->text();
    return out;
}

ModalWatchdog::ModalWatchdog(int ms)
{
    QTimer::singleShot(ms, &owner_, [] {
        if (QWidget *w = QApplication::activeModalWidget())
            w->close();
    });
}

} // namespace tw::test
