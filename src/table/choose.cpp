#include "choose.h"

#include "engine/clock.h"
#include "engine/gamenumber.h"
#include "media/icons.h"
#include "select.h"
#include "settings/data.h"
#include "settings/prompt.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tw {

qint64 frmChoose::LargestNumber(int16_t RangeIndex)
{
    return LargestGameNo(std::clamp(RangeIndex, cData::MinRange, cData::MaxRange));
}

QString frmChoose::GroupDigits(qint64 value)
{
    // Grouped by hand: the locale's separator would vary from one desktop to
    // the next, and the range text is always written with ",".
    const bool negative = value < 0;
    const QString digits = QString::number(value).remove(u'-');
    QString out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u',';
        out += digits.at(i);
    }
    return negative ? QStringLiteral("-") + out : out;
}

frmChoose::frmChoose(const GameContext &context, QWidget *parent) : QDialog(parent), ctx_(context)
{
    setObjectName(QStringLiteral("frmChoose"));
    setWindowTitle(QStringLiteral("Select a Game Number"));

    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));

    lblName = new QLabel(QStringLiteral("Enter a Game Number between"), Frame1);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblRange = new QLabel(Frame1);
    lblRange->setObjectName(QStringLiteral("lblRange"));
    QFont rangeFont = lblRange->font();
    rangeFont.setBold(true);
    lblRange->setFont(rangeFont);

    Text1 = new QLineEdit(Frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setMinimumWidth(220);

    imcGames = new QComboBox(Frame1);
    imcGames->setObjectName(QStringLiteral("imcGames"));
    imcGames->setMaxVisibleItems(15);
    imcPlayer = new QComboBox(Frame1);
    imcPlayer->setObjectName(QStringLiteral("imcPlayer"));

    auto *frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(lblName);
    frameLayout->addWidget(lblRange);
    frameLayout->addWidget(Text1);
    frameLayout->addSpacing(6);
    auto *form = new QFormLayout;
    form->addRow(tr("Game:"), imcGames);
    form->addRow(tr("Player:"), imcPlayer);
    frameLayout->addLayout(form);

    cmdSelect = new QPushButton(QStringLiteral("Select"), this);
    cmdSelect->setObjectName(QStringLiteral("cmdSelect"));
    cmdSelect->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSelect);
    buttons->addWidget(cmdCancel);

    auto *main = new QVBoxLayout(this);
    main->addWidget(Frame1);
    main->addLayout(buttons);

    const GameNo proposed = ctx_.randomGameNo ? ctx_.randomGameNo() : GameNo();
    Text1->setText(proposed.toText());
    Text1->selectAll();
    lblRange->setText(QStringLiteral("0 and ") + GroupDigits(LargestNumber(ctx_.data->RangeIndex())));

    const QIcon gameIcon = art::GameIcon();
    const int16_t n = ctx_.data->TotalGames();
    for (int16_t i = 1; i <= n; ++i)
        imcGames->addItem(gameIcon, ctx_.data->GetGName(i));
    if (imcGames->count() > 0)
        imcGames->setCurrentIndex(0);
    const QString cur = ctx_.data->CurGName();
    for (int i = 0; i < imcGames->count(); ++i)
        if (imcGames->itemText(i) == cur)
            imcGames->setCurrentIndex(i);

    FillPlayerBox(imcPlayer, *ctx_.data, art::PlayerIcon());

    Text1->setFocus();
    main->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdSelect, &QPushButton::clicked, this, &frmChoose::cmdSelect_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmChoose::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!starting_) {
        Text1->setFocus();
        Text1->selectAll();
    }
}

int frmChoose::showModal(const GameContext &context, QWidget *owner)
{
    QPointer<frmChoose> dlg = new frmChoose(context, owner);
    const int r = context.prompt->Run(*dlg);
    delete dlg.data();
    return r;
}

void frmChoose::cmdSelect_Click()
{
    if (starting_ || (ctx_.busy && ctx_.busy()))
        return;
    // The typed text itself is the game number handed on; it only has to
    // read as a whole number within the range. Nothing else gets through.
    const QString text = Text1->text();
    const std::optional<qint64> value = parseWholeNumber(text);
    const qint64 largest = LargestNumber(ctx_.data->RangeIndex());
    if (!value || *value <= 0 || *value > largest) {
        ShowRangeMessage();
        return;
    }

    const QString name = imcGames->currentText();
    starting_ = true;
    hide();
    ApplyPlayerChoice(*ctx_.data, imcPlayer);
    QPointer<frmChoose> guard(this);
    if (ctx_.startGame)
        ctx_.startGame(name, GameNo::text(text));
    if (!guard)
        return;
    starting_ = false;
    done(QDialog::Accepted);
}

void frmChoose::ShowRangeMessage()
{
    const QString text =
        QStringLiteral("Please enter a number between 0 and ") + GroupDigits(LargestNumber(ctx_.data->RangeIndex()));
    ctx_.prompt->Info(this, text);
    Text1->setText(QStringLiteral("0"));
    Text1->setFocus();
}

} // namespace tw
