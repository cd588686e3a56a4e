#include "favorites.h"

#include "media/icons.h"
#include "media/resources.h"
#include "records/score.h"
#include "settings/data.h"
#include "settings/prompt.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtMath>

namespace tw {

namespace {

// Rows of lvFav remember which favourite they show, so Play hands on the
// number with the kind it was stored with.
constexpr int FavIndexRole = Qt::UserRole;

QIcon favouriteIcon()
{
    // A gold star.
    static const QIcon icon = [] {
        QPixmap pm(16, 16);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath star;
        const QPointF c(8, 8.5);
        for (int k = 0; k < 10; ++k) {
            const qreal r = (k % 2 == 0) ? 7.0 : 3.0;
            const qreal a = qDegreesToRadians(-90.0 + 36.0 * k);
            const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
            if (k == 0)
                star.moveTo(pt);
            else
                star.lineTo(pt);
        }
        star.closeSubpath();
        p.setPen(QPen(QColor(150, 100, 0), 1));
        p.setBrush(QColor(250, 200, 40));
        p.drawPath(star);
        return QIcon(pm);
    }();
    return icon;
}

// The favourites of GName as (index, number) pairs, in file order.
template<typename F>
void forEachFavourite(const cScore &score, const QString &GName, F &&f)
{
    const int16_t top = score.FavTop();
    for (int16_t i = 1; i <= top; ++i) {
        FavRec rec;
        score.GetFavRec(i, rec);
        if (rec.GName == GName)
            f(i, rec.GNo);
    }
}

} // namespace

// --- Organize Favorites ---

frmOrgFav::frmOrgFav(const AppContext &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmOrgFav"));
    setWindowTitle(QStringLiteral("Organize Favorites"));
    setWindowIcon(Pictures(*ctx_.data).Icon());

    lvGames = new QTreeWidget(this);
    lvGames->setObjectName(QStringLiteral("lvGames"));
    lvGames->setColumnCount(1);
    lvGames->setHeaderLabels({QStringLiteral("Game")});
    lvGames->setRootIsDecorated(false);
    lvGames->setSelectionMode(QAbstractItemView::SingleSelection);
    lvGames->setIconSize(QSize(16, 16));
    lvGames->setMinimumSize(220, 300);

    lvFav = new QTreeWidget(this);
    lvFav->setObjectName(QStringLiteral("lvFav"));
    lvFav->setColumnCount(1);
    lvFav->setHeaderLabels({QStringLiteral("Game Number")});
    lvFav->setRootIsDecorated(false);
    lvFav->setSelectionMode(QAbstractItemView::SingleSelection);
    lvFav->setIconSize(QSize(16, 16));
    lvFav->setMinimumSize(220, 300);

    cmdClear = new QPushButton(QStringLiteral("Clear Favorites"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setAutoDefault(false);
    cmdClear->setEnabled(false);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);

    auto *lists = new QHBoxLayout;
    lists->addWidget(lvGames, 1);
    lists->addWidget(lvFav, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdClear);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *main = new QVBoxLayout(this);
    main->addLayout(lists, 1);
    main->addLayout(buttons);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);

    ctx_.score->OpenFav();
    FillGameList();
    if (QTreeWidgetItem *cur = lvGames->currentItem())
        UpdateLVFav(cur->text(0));

    connect(lvGames, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item, QTreeWidgetItem *) {
        if (item)
            UpdateLVFav(item->text(0));
    });
    connect(cmdClear, &QPushButton::clicked, this, &frmOrgFav::cmdClear_Click);
    // Close is the cancel button too: QDialog's Esc rejects.
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(Timer1, &QTimer::timeout, this, &frmOrgFav::Timer1_Timer);
    Timer1->start();
}

int frmOrgFav::showModal(const AppContext &ctx, QWidget *owner)
{
    QPointer<frmOrgFav> dlg = new frmOrgFav(ctx, owner);
    const int r = ctx.prompt->Run(*dlg);
    delete dlg.data();
    return r;
}

void frmOrgFav::FillGameList()
{
    const QSignalBlocker block(lvGames);
    lvGames->clear();
    const QIcon icon = art::GameIcon();
    const QString cur = ctx_.data->CurGName();
    const int16_t n = ctx_.data->TotalGames();
    for (int16_t i = 1; i <= n; ++i) {
        auto *item = new QTreeWidgetItem(lvGames, {ctx_.data->GetGName(i)});
        item->setIcon(0, icon);
        if (i == 1 || item->text(0) == cur)
            lvGames->setCurrentItem(item);
    }
    if (QTreeWidgetItem *sel = lvGames->currentItem())
        lvGames->scrollToItem(sel);
}

void frmOrgFav::UpdateLVFav(const QString &GName)
{
    lvFav->clear();
    const QIcon icon = favouriteIcon();
    forEachFavourite(*ctx_.score, GName, [&](int16_t i, const GameNo &no) {
        auto *item = new QTreeWidgetItem(lvFav, {no.toText()});
        item->setIcon(0, icon);
        item->setData(0, FavIndexRole, static_cast<int>(i));
    });
}

void frmOrgFav::cmdClear_Click()
{
    ctx_.score->ClearFav();
    ctx_.score->OpenFav();
    // Listed afresh from the file rather than just emptied: when the file
    // could not be deleted (the store has said so), what remains shows.
    if (QTreeWidgetItem *cur = lvGames->currentItem())
        UpdateLVFav(cur->text(0));
    else
        lvFav->clear();
}

void frmOrgFav::Timer1_Timer() { cmdClear->setEnabled(ctx_.score->FavTop() >= 1); }

// --- Play from Favorites ---

frmPlayFav::frmPlayFav(const AppContext &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmPlayFav"));
    setWindowTitle(QStringLiteral("Play from Favorites"));
    setWindowIcon(Pictures(*ctx_.data).Icon());

    imcGames = new QComboBox(this);
    imcGames->setObjectName(QStringLiteral("imcGames"));
    imcGames->setMaxVisibleItems(15);
    imcGames->setIconSize(QSize(16, 16));

    lvFav = new QListWidget(this);
    lvFav->setObjectName(QStringLiteral("lvFav"));
    lvFav->setSelectionMode(QAbstractItemView::SingleSelection);
    lvFav->setIconSize(QSize(16, 16));
    lvFav->setMinimumSize(260, 220);

    cmdPlay = new QPushButton(QStringLiteral("Play"), this);
    cmdPlay->setObjectName(QStringLiteral("cmdPlay"));
    cmdPlay->setAutoDefault(false);
    cmdPlay->setEnabled(false);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdPlay);
    buttons->addWidget(cmdCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(imcGames);
    main->addWidget(lvFav, 1);
    main->addLayout(buttons);

    ctx_.score->OpenFav();
    FillGameCombo();
    if (imcGames->currentIndex() >= 0)
        UpdateLVFav(imcGames->currentText());

    connect(imcGames, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            UpdateLVFav(imcGames->itemText(index));
    });
    connect(cmdPlay, &QPushButton::clicked, this, &frmPlayFav::cmdPlay_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

int frmPlayFav::showModal(const AppContext &ctx, QWidget *owner)
{
    QPointer<frmPlayFav> dlg = new frmPlayFav(ctx, owner);
    const int r = ctx.prompt->Run(*dlg);
    delete dlg.data();
    return r;
}

void frmPlayFav::FillGameCombo()
{
    const QSignalBlocker block(imcGames);
    imcGames->clear();
    const QIcon icon = art::GameIcon();
    const QString cur = ctx_.data->CurGName();
    const int16_t n = ctx_.data->TotalGames();
    for (int16_t i = 1; i <= n; ++i) {
        const QString name = ctx_.data->GetGName(i);
        imcGames->addItem(icon, name);
        if (i == 1 || name == cur)
            imcGames->setCurrentIndex(imcGames->count() - 1);
    }
}

void frmPlayFav::UpdateLVFav(const QString &GName)
{
    cmdPlay->setEnabled(false);
    lvFav->clear();
    const QIcon icon = favouriteIcon();
    forEachFavourite(*ctx_.score, GName, [&](int16_t i, const GameNo &no) {
        auto *item = new QListWidgetItem(icon, no.toText(), lvFav);
        item->setData(FavIndexRole, static_cast<int>(i));
        lvFav->setCurrentItem(item);
        cmdPlay->setEnabled(true);
    });
    if (QListWidgetItem *sel = lvFav->currentItem())
        lvFav->scrollToItem(sel);
}

void frmPlayFav::cmdPlay_Click()
{
    QListWidgetItem *row = lvFav->currentItem();
    if (starting_ || !row)
        return;
    const QString name = imcGames->currentText();
    // A favourite's number goes on as the text of its row: the deal is then
    // recorded with its number in quotes, as a chosen number is.
    const GameNo number = GameNo::text(row->text());

    starting_ = true;
    hide();
    QPointer<frmPlayFav> guard(this);
    if (ctx_.startGame)
        ctx_.startGame(name, number);
    if (!guard)
        return;
    starting_ = false;
    done(QDialog::Accepted);
}

} // namespace tw
