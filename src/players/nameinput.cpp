#include "nameinput.h"

#include "records/recordfile.h"
#include "records/score.h"
#include "settings/data.h"
#include "settings/prompt.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>
#include <cmath>

#include <sys/stat.h>

namespace tw {

namespace {

constexpr int16_t kSlots = 20;

// Two paths naming one file: the same name in another case on a file system
// that ignores case.
bool sameFile(const QString &a, const QString &b)
{
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// Moves a score file to a name that is free or names the file itself. Never
// overwrites another file; false with the reason.
bool moveFile(const QString &from, const QString &to, QString &why)
{
    if (!sameFile(from, to))
        return recordfile::moveRecordFile(from, to, why);
    // Only the case changes: a case-blind file system would see the target
    // as taken, so go round by a name of its own.
    QString temp = from + QStringLiteral(".rename");
    for (int n = 1; QFileInfo::exists(temp); ++n)
        temp = from + QStringLiteral(".rename") + QString::number(n);
    if (!recordfile::moveRecordFile(from, temp, why))
        return false;
    if (recordfile::moveRecordFile(temp, to, why))
        return true;
    QString ignored;
    recordfile::moveRecordFile(temp, from, ignored);
    return false;
}

// The width of a field that shows `length` of the widest letter whole, so
// that no name is scrolled out of sight at its start.
int fieldWidth(const QLineEdit &field, int length)
{
    const QFontMetricsF fm(field.font());
    QChar widest = QLatin1Char('W');
    for (char16_t c = u'A'; c <= u'z'; ++c)
        if (QChar(c).isLetter() && fm.horizontalAdvance(QChar(c)) > fm.horizontalAdvance(widest))
            widest = QChar(c);
    // The text, the margins Qt keeps beside it (2 pixels on each side) and
    // the cursor after it; the style adds the frame.
    const QMargins text = field.textMargins();
    const double inner = fm.horizontalAdvance(QString(length, widest)) + 2 * 2 + text.left() + text.right()
                         + field.style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, &field);
    QStyleOptionFrame opt;
    opt.initFrom(&field);
    opt.lineWidth = field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, &field);
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    opt.features = QStyleOptionFrame::None;
    const QSize contents(static_cast<int>(std::ceil(inner)) + 1, static_cast<int>(std::ceil(fm.height())));
    return field.style()->sizeFromContents(QStyle::CT_LineEdit, &opt, contents, &field).width();
}

} // namespace

dlGInput::dlGInput(Prompt &prompt, QWidget *parent) : QDialog(parent), prompt_(prompt) { build(); }

dlGInput::dlGInput(Prompt &prompt, cData &data, const cScore &score, QWidget *parent)
    : QDialog(parent), prompt_(prompt), data_(&data), score_(&score)
{
    build();
}

void dlGInput::build()
{
    setObjectName(QStringLiteral("dlGInput"));
    setWindowTitle(title());
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setTextFormat(Qt::PlainText);
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("Text1"));
    text_->setMaxLength(MaxNameLength);
    text_->setMinimumWidth(fieldWidth(*text_, MaxNameLength));
    auto *buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("OKButton"));
    ok_->setDefault(true);
    cancel_ = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel_->setObjectName(QStringLiteral("CancelButton"));
    // OK closes the dialog itself once the name passed; Esc and Cancel reject.
    connect(ok_, &QPushButton::clicked, this, &dlGInput::OKButton_Click);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(text_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString dlGInput::title() const { return data_ ? data_->ProdName() : QCoreApplication::applicationName(); }

void dlGInput::Prepare(const QString &PromptText, const QString &Text)
{
    label_->setText(PromptText);
    text_->setText(Text);
    text_->selectAll();
    text_->setFocus();
    oldName_ = text_->text();
}

bool dlGInput::IsValidName(const QString &name)
{
    return name.size() <= MaxNameLength && recordfile::isSafeFileName(name);
}

void dlGInput::refuse(const QString &text)
{
    prompt_.Error(this, text);
    text_->setFocus();
}

void dlGInput::OKButton_Click()
{
    const QString name = text_->text();
    // The name becomes part of a file name: one that would name another
    // folder, or no file at all, is no valid name.
    if (!IsValidName(name)) {
        refuse(QStringLiteral("Please Enter a Valid Name"));
        return;
    }
    if (!data_) {
        accept();
        return;
    }
    for (int16_t i = 1; i <= kSlots; ++i) {
        if (data_->GetPlayer(i) == name) {
            refuse(QStringLiteral("Player Exists !"));
            return;
        }
    }
    const bool saved = oldName_.isEmpty() ? saveNew(name) : saveRename(name);
    if (saved)
        accept();
}

bool dlGInput::saveNew(const QString &name)
{
    for (int16_t i = 1; i <= kSlots; ++i) {
        if (data_->GetPlayer(i).isEmpty()) {
            data_->SetPlayer(i, name, false);
            return true;
        }
    }
    return false;
}

bool dlGInput::saveRename(const QString &name)
{
    int16_t slot = 0;
    for (int16_t i = 1; i <= kSlots && slot == 0; ++i)
        if (data_->GetPlayer(i) == oldName_)
            slot = i;
    if (slot == 0)
        return false;

    // The file moves first, so that a failure leaves the player as he was
    // instead of parting him from his recorded games.
    const QString from = score_->ScoreFileName(oldName_);
    const QString to = score_->ScoreFileName(name);
    if (!from.isEmpty() && QFileInfo::exists(from)) {
        if (QFileInfo::exists(to) && !sameFile(from, to)) {
            // Another player's games, or games left by an earlier player of
            // that name: never overwritten.
            refuse(QStringLiteral("Player Exists !"));
            return false;
        }
        QString why;
        if (!moveFile(from, to, why)) {
            refuse(
                FileMessage(QStringLiteral("The score file ") + from + QStringLiteral(" could not be renamed to ") + to,
                            why));
            return false;
        }
    }
    data_->SetPlayer(slot, name, false);
    if (data_->CurPlayer() == oldName_)
        data_->CurPlayer(name);
    return true;
}

std::optional<QString> GetInput(Prompt &prompt, const QString &PromptText, const QString &Text, QWidget *parent)
{
    dlGInput dlg(prompt, parent);
    dlg.Prepare(PromptText, Text);
    if (prompt.Run(dlg) != QDialog::Accepted)
        return std::nullopt;
    return dlg.Text1()->text();
}

std::optional<QString> GetInput(Prompt &prompt, cData &data, const cScore &score, const QString &PromptText,
                                const QString &Text, QWidget *parent)
{
    dlGInput dlg(prompt, data, score, parent);
    dlg.Prepare(PromptText, Text);
    if (prompt.Run(dlg) != QDialog::Accepted)
        return std::nullopt;
    return dlg.Text1()->text();
}

} // namespace tw
