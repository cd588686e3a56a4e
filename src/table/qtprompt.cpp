#include "qtprompt.h"

#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

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

int QtPrompt::Run(QDialog &dialog) { return dialog.exec(); }

bool QtPrompt::RunLong(QWidget *owner, const QString &text, const std::function<bool(const Progress &)> &work)
{
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
    bool result = false;
    QObject waker; // woken when the work ends
    std::thread worker([&] {
        try {
            result = work([&](qint64 d, qint64 t) {
                done = d;
                total = t;
                return !cancelled.load();
            });
        } catch (...) {
            result = false;
        }
        // `finished` last: once it is set the loop below may end and take
        // everything here with it.
        QMetaObject::invokeMethod(
            &waker, [] {}, Qt::QueuedConnection);
        finished = true;
    });

    // Meanwhile the windows paint and their timers run. Until the progress
    // window shows, input waits (the work may rely on what a click would
    // change); once it shows, it is modal, and its Cancel asks the work to
    // stop.
    std::unique_ptr<QProgressDialog> dialog;
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    tick.setInterval(50);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (!dialog && clock.elapsed() >= ProgressDelayMs) {
            dialog = std::make_unique<QProgressDialog>(text, QStringLiteral("Cancel"), 0, 1000, owner);
            dialog->setWindowTitle(QCoreApplication::applicationName());
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->setMinimumDuration(0);
            dialog->setAutoClose(false);
            dialog->setAutoReset(false);
            QObject::connect(dialog.get(), &QProgressDialog::canceled, [&] { cancelled = true; });
            dialog->show();
        }
        if (dialog && !cancelled) {
            const qint64 t = total;
            dialog->setValue(t > 0 ? static_cast<int>(std::clamp<qint64>(done * 1000 / t, 0, 1000)) : 0);
        }
    });
    tick.start();
    while (!finished) {
        QEventLoop::ProcessEventsFlags flags = QEventLoop::WaitForMoreEvents;
        if (!dialog)
            flags |= QEventLoop::ExcludeUserInputEvents;
        QCoreApplication::processEvents(flags);
    }
    worker.join();
    return result;
}

} // namespace tw
