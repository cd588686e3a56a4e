#include "history.h"

#include "engine/journal.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tw {

namespace {

// The small picture in front of every row: a card with an arrow.
QIcon moveIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(1.5, 2.5, 8, 11), 1.5, 1.5);
    p.setPen(QPen(QColor(30, 90, 30), 1.6));
    p.drawLine(QPointF(6.5, 8), QPointF(14, 8));
    p.drawLine(QPointF(11.5, 5.5), QPointF(14, 8));
    p.drawLine(QPointF(11.5, 10.5), QPointF(14, 8));
    return QIcon(pm);
}

QLabel *swatch(const QColor &c, QWidget *parent)
{
    QPixmap pm(12, 12);
    pm.fill(c);
    auto *l = new QLabel(parent);
    l->setPixmap(pm);
    l->setFixedSize(12, 12);
    return l;
}

} // namespace

frmHistory::frmHistory(const cTrans &trans, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("Game History"));
    setModal(true);

    lvHistory = new QTreeWidget(this);
    lvHistory->setObjectName(QStringLiteral("lvHistory"));
    lvHistory->setColumnCount(4);
    lvHistory->setHeaderLabels(
        {QString(), QStringLiteral("Source"), QStringLiteral("Destination"), QStringLiteral("Cards")});
    lvHistory->setRootIsDecorated(false);
    lvHistory->setItemsExpandable(false);
    lvHistory->setUniformRowHeights(true);
    lvHistory->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A selection highlight would hide the colours the rows are read by.
    lvHistory->setSelectionMode(QAbstractItemView::NoSelection);
    lvHistory->setFocusPolicy(Qt::NoFocus);
    lvHistory->setIconSize(QSize(16, 16));
    lvHistory->header()->setSectionsMovable(false);
    lvHistory->setColumnWidth(0, 64);
    lvHistory->setColumnWidth(1, 190);
    lvHistory->setColumnWidth(2, 190);
    lvHistory->setColumnWidth(3, 50);
    lvHistory->setMinimumSize(520, 300);

    Shape1 = swatch(UndoneColor(), this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Label1 = new QLabel(QStringLiteral("Undo"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Shape2 = swatch(LastMoveColor(), this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Label2 = new QLabel(QStringLiteral("Last Move"), this);
    Label2->setObjectName(QStringLiteral("Label2"));

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Shape1);
    bottom->addWidget(Label1);
    bottom->addSpacing(18);
    bottom->addWidget(Shape2);
    bottom->addWidget(Label2);
    bottom->addStretch(1);
    bottom->addWidget(cmdClose);

    auto *main = new QVBoxLayout(this);
    main->addWidget(lvHistory, 1);
    main->addLayout(bottom);

    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    Fill(trans);
}

void frmHistory::Fill(const cTrans &trans)
{
    lvHistory->clear();
    const QIcon icon = moveIcon();
    QFont bold = lvHistory->font();
    bold.setBold(true);
    QTreeWidgetItem *last = nullptr;
    for (const HistoryRow &row : trans.CreateLV()) {
        auto *item = new QTreeWidgetItem(lvHistory, {row.Number, row.Source, row.Destination, row.Cards});
        item->setIcon(0, icon);
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        if (row.style == HistoryRow::Normal)
            continue;
        const QBrush brush(row.style == HistoryRow::LastMove ? LastMoveColor() : UndoneColor());
        for (int c = 0; c < 4; ++c) {
            item->setForeground(c, brush);
            if (row.style == HistoryRow::LastMove)
                item->setFont(c, bold);
        }
        if (row.style == HistoryRow::LastMove)
            last = item;
    }
    if (last)
        lvHistory->scrollToItem(last);
}

} // namespace tw
