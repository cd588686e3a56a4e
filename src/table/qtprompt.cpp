#include "qtprompt.h"

#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace tw {

MessageBoxLook LookOf(const Prompt::Message &message)
{
    MessageBoxLook look;
    switch (message.icon) {
    case Prompt::Icon::Information: look.icon = QMessageBox::Information; break;
    case Prompt::Icon::Question: look.icon = QMessageBox::Question; break;
    case Prompt::Icon::Critical: look.icon = QMessageBox::Critical; break;
    }
    look.title = Prompt::TitleOf(message);
    if (message.yesNo) {
        look.buttons = QMessageBox::Yes | QMessageBox::No;
        if (message.enter == Prompt::Default::No)
            look.defaultButton = QMessageBox::No;
    } else {
        look.buttons = QMessageBox::Ok;
    }
    return look;
}

bool QtPrompt::Show(const Message &message)
{
    const MessageBoxLook look = LookOf(message);
    QMessageBox box(look.icon, look.title, message.text, look.buttons, message.owner);
    // Texts carry player names and file paths: shown as written, never read
    // as markup.
    box.setTextFormat(Qt::PlainText);
    if (look.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(look.defaultButton);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QColor> QtPrompt::ChooseColor(QWidget *owner, const QColor &initial)
{
    const QColor c = QColorDialog::getColor(initial, owner);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

QString SaveStartFolder()
{
    // The documents folder is named even where it was never made; the save
    // dialog would then fall back to the folder the program was started from.
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!docs.isEmpty() && QFileInfo(docs).isDir())
        return docs;
    return QDir::homePath();
}

std::optional<QString> QtPrompt::SaveFileName(QWidget *owner, const QString &defaultName, const QString &filter)
{
    const QString dir = SaveStartFolder();
    const QString name = QFileDialog::getSaveFileName(owner, QString(), dir + u'/' + defaultName, filter);
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

int QtPrompt::Run(QDialog &dialog)
{
    return dialog.exec();
}

} // namespace tw
