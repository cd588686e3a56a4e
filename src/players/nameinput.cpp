#include "nameinput.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tw {

dlGInput::dlGInput(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dlGInput"));
    setWindowTitle(QCoreApplication::applicationName());
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("Label1"));
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("Text1"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(text_);
    layout->addWidget(buttons);
}

std::optional<QString> GetInput(const QString &Prompt, const QString &Text, QWidget *parent)
{
    dlGInput dlg(parent);
    dlg.Label1()->setText(Prompt);
    dlg.Text1()->setText(Text);
    dlg.Text1()->setSelection(0, static_cast<int>(Text.size()));
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.Text1()->text();
}

} // namespace tw
