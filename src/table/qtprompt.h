#pragma once

#include "settings/prompt.h"

#include <QMessageBox>

namespace tw {

// How a message box looks on screen: its icon, its title (the application
// title when it has none of its own), its buttons and the one Enter presses
// (none: the box picks it).
struct MessageBoxLook {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};
MessageBoxLook LookOf(const Prompt::Message &message);

// The folder the save dialog opens in: the documents folder when it exists,
// else the home folder.
QString SaveStartFolder();

// The program's answers: message boxes, the system's colour and save dialogs,
// long work on a thread of its own with a progress window, and each modal
// window's own event loop.
class QtPrompt : public Prompt {
public:
    bool Show(const Message &message) override;
    std::optional<QColor> ChooseColor(QWidget *owner, const QColor &initial) override;
    std::optional<QString> SaveFileName(QWidget *owner, const QString &defaultName, const QString &filter) override;
    // The progress window shows once the work has taken this long.
    static constexpr int ProgressDelayMs = 300;
    bool RunLong(QWidget *owner, const QString &text, const std::function<bool(const Progress &)> &work) override;
    int Run(QDialog &dialog) override;
};

} // namespace tw
