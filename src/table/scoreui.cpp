#include "scoreui.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

namespace tw {

namespace {
QString title() { return QCoreApplication::applicationName(); }
}

bool QtScoreUi::Confirm(const QString &text)
{
    return QMessageBox::question(parent_, title(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

void QtScoreUi::Info(const QString &text)
{
    QMessageBox::information(parent_, title(), text);
}

void QtScoreUi::Error(const QString &text)
{
    QMessageBox::critical(parent_, title(), text);
}

std::optional<QString> QtScoreUi::AskSaveFileName(const QString &defaultName, const QString &filter)
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = QFileDialog::getSaveFileName(parent_, QString(), dir + u'/' + defaultName, filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

} // namespace tw
