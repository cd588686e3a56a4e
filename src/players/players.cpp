#include "players.h"

#include "media/artwork.h"
#include "media/resources.h"
#include "records/recordfile.h"
#include "records/score.h"
#include "settings/data.h"
#include "settings/prompt.h"
#include "statistics/columnfit.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tw {

namespace {

constexpr int kIcon = 16;

QPixmap canvas(qreal dpr)
{
    QPixmap pm(QSize(kIcon, kIcon) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    return pm;
}

// Head and shoulders.
void paintUser(QPainter &p, const QColor &colour)
{
    p.setPen(QPen(colour.darker(160), 0.8));
    p.setBrush(colour);
    QPainterPath body;
    body.moveTo(2.5, 15.5);
    body.cubicTo(2.5, 10.0, 5.0, 9.0, 8.0, 9.0);
    body.cubicTo(11.0, 9.0, 13.5, 10.0, 13.5, 15.5);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(242, 205, 170));
    p.drawEllipse(QRectF(5.0, 1.5, 6.0, 6.5));
}

QIcon userIcon()
{
    QPixmap pm = canvas(art::AppDpr());
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paintUser(p, QColor(52, 101, 164));
    return QIcon(pm);
}

QIcon newIcon()
{
    QPixmap pm = canvas(art::AppDpr());
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(0.85, 0.85);
    paintUser(p, QColor(52, 101, 164));
    p.resetTransform();
    p.setPen(QPen(QColor(40, 140, 40), 2.2));
    p.drawLine(QPointF(12.5, 8.5), QPointF(12.5, 15.0));
    p.drawLine(QPointF(9.25, 11.75), QPointF(15.75, 11.75));
    return QIcon(pm);
}

QIcon editIcon()
{
    QPixmap pm = canvas(art::AppDpr());
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A pencil lying from bottom left to top right.
    p.translate(8, 8);
    p.rotate(-45);
    p.setPen(QPen(QColor(90, 70, 20), 0.8));
    p.setBrush(QColor(240, 190, 60));
    p.drawRect(QRectF(-5.0, -2.0, 9.0, 4.0));
    p.setBrush(QColor(230, 140, 140));
    p.drawRect(QRectF(4.0, -2.0, 2.5, 4.0));
    QPolygonF tip;
    tip << QPointF(-5.0, -2.0) << QPointF(-8.0, 0.0) << QPointF(-5.0, 2.0);
    p.setBrush(QColor(235, 215, 170));
    p.drawPolygon(tip);
    return QIcon(pm);
}

QIcon deleteIcon()
{
    QPixmap pm = canvas(art::AppDpr());
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(190, 30, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    return QIcon(pm);
}

} // namespace

frmPlayers::frmPlayers(const AppContext &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmPlayers"));
    setWindowTitle(QStringLiteral("Players"));
    setWindowIcon(Pictures(*ctx_.data).Icon());

    lvPlayer = new QListWidget(this);
    lvPlayer->setObjectName(QStringLiteral("lvPlayer"));
    lvPlayer->setSelectionMode(QAbstractItemView::SingleSelection);
    lvPlayer->setIconSize(QSize(kIcon, kIcon));
    lvPlayer->setMinimumSize(220, 260);

    auto button = [this](const char *name, const QString &caption, const QIcon &icon = QIcon()) {
        auto *b = new QPushButton(icon, caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    cmdAdd = button("cmdAdd", QStringLiteral("New"), newIcon());
    cmdEdit = button("cmdEdit", QStringLiteral("Edit"), editIcon());
    cmdDelete = button("cmdDelete", QStringLiteral("Delete"), deleteIcon());
    cmdSelect = button("cmdSelect", QStringLiteral("Select"));
    cmdSelect->setDefault(true);
    cmdCancel = button("cmdCancel", QStringLiteral("Cancel"));

    auto *side = new QVBoxLayout;
    side->addWidget(cmdAdd);
    side->addWidget(cmdEdit);
    side->addWidget(cmdDelete);
    side->addStretch(1);
    side->addWidget(cmdSelect);
    side->addWidget(cmdCancel);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(lvPlayer, 1);
    layout->addLayout(side);

    connect(cmdAdd, &QPushButton::clicked, this, &frmPlayers::cmdAdd_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmPlayers::cmdEdit_Click);
    connect(cmdDelete, &QPushButton::clicked, this, &frmPlayers::cmdDelete_Click);
    connect(cmdSelect, &QPushButton::clicked, this, &frmPlayers::cmdSelect_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    // A row chosen by keyboard counts like a clicked one: otherwise Delete
    // could stay enabled on the current player's row.
    connect(lvPlayer, &QListWidget::itemSelectionChanged, this, &frmPlayers::selectionChanged);
    connect(lvPlayer, &QListWidget::itemClicked, this, &frmPlayers::selectionChanged);

    FillPlayerList();
    cmdDelete->setEnabled(false);
}

int frmPlayers::showModal(const AppContext &ctx, QWidget *owner)
{
    frmPlayers w(ctx, owner);
    return ctx.prompt->Run(w);
}

bool frmPlayers::hasSelection() const { return !lvPlayer->selectedItems().isEmpty(); }

QString frmPlayers::selectedName() const
{
    const auto items = lvPlayer->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

void frmPlayers::selectionChanged()
{
    const bool selected = hasSelection();
    cmdEdit->setEnabled(selected);
    cmdSelect->setEnabled(selected);
    cmdDelete->setEnabled(selected && selectedName() != ctx_.data->CurPlayer());
}

void frmPlayers::FillPlayerList()
{
    const QString current = ctx_.data->CurPlayer();
    const QIcon icon = userIcon();
    {
        const QSignalBlocker block(lvPlayer);
        lvPlayer->clear();
        const int16_t n = ctx_.data->TotalPlayers();
        for (int16_t i = 1; i <= n; ++i) {
            auto *item = new QListWidgetItem(icon, ctx_.data->GetPlayer(i), lvPlayer);
            if (item->text() == current) {
                lvPlayer->setCurrentItem(item);
                item->setSelected(true);
            }
        }
    }
    // Every name whole, also one of the 25 characters a name may have.
    FitListWidth(lvPlayer, 220);
    if (!hasSelection()) {
        // Nothing to edit, delete or choose until a row is picked.
        cmdEdit->setEnabled(false);
        cmdDelete->setEnabled(false);
        cmdSelect->setEnabled(false);
        return;
    }
    cmdEdit->setEnabled(true);
    cmdSelect->setEnabled(true);
    if (selectedName() == current)
        cmdDelete->setEnabled(false);
    lvPlayer->scrollToItem(lvPlayer->selectedItems().first());
}

void frmPlayers::cmdAdd_Click()
{
    if (ctx_.data->TotalPlayers() >= MaxPlayers) {
        ctx_.prompt->Info(this, QStringLiteral("Maximum 20 Players Only!"));
        return;
    }
    if (ctx_.score)
        GetInput(*ctx_.prompt, *ctx_.data, *ctx_.score, QStringLiteral("Add Player"), QString(), this);
    FillPlayerList();
}

void frmPlayers::cmdEdit_Click()
{
    if (!hasSelection() || !ctx_.score)
        return;
    GetInput(*ctx_.prompt, *ctx_.data, *ctx_.score, QStringLiteral("Edit Player"), selectedName(), this);
    FillPlayerList();
}

void frmPlayers::cmdDelete_Click()
{
    const QString name = selectedName();
    // The current player is never deleted, whatever enabled the button.
    if (!hasSelection() || name == ctx_.data->CurPlayer())
        return;
    if (!ctx_.prompt->Confirm(this, QStringLiteral("Are you sure you want to delete this player"),
                              Prompt::Icon::Critical))
        return;
    int16_t slot = 0;
    for (int16_t i = 1; i <= MaxPlayers && slot == 0; ++i)
        if (ctx_.data->GetPlayer(i) == name)
            slot = i;
    if (slot == 0)
        return;
    // The file goes first: a player whose games could not be deleted stays
    // listed instead of leaving a file that no window reads.
    const QString path = ctx_.score ? ctx_.score->ScoreFileName(name) : QString();
    QString why;
    if (!path.isEmpty() && !recordfile::removeRecordFile(path, why)) {
        ctx_.prompt->Error(
            this, FileMessage(QStringLiteral("The score file ") + path + QStringLiteral(" could not be deleted"), why));
        return;
    }
    ctx_.data->SetPlayer(slot, QString(), false);
    CompactPlayers(*ctx_.data);
    FillPlayerList();
}

void frmPlayers::cmdSelect_Click()
{
    if (!hasSelection())
        return;
    ctx_.data->CurPlayer(selectedName());
    accept();
}

void frmPlayers::CompactPlayers(cData &data)
{
    // Slot 21 counts as empty and is never read.
    for (int16_t i = 1; i < MaxPlayers; ++i) {
        if (!data.GetPlayer(i).isEmpty())
            continue;
        const QString next = data.GetPlayer(static_cast<int16_t>(i + 1));
        if (next.isEmpty())
            continue;
        data.SetPlayer(i, next, false);
        data.SetPlayer(static_cast<int16_t>(i + 1), QString(), false);
    }
}

} // namespace tw
