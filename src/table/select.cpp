#include "select.h"

#include "media/icons.h"
#include "settings/data.h"
#include "settings/prompt.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tw {

QPointer<frmSelect> frmSelect::current_;

namespace {

constexpr int PreviewWidth = 318;
constexpr int PreviewHeight = 201;

} // namespace

void FillPlayerBox(QComboBox *box, const cData &data, const QIcon &icon)
{
    box->clear();
    const int16_t n = data.TotalPlayers();
    for (int16_t i = 1; i <= n; ++i) {
        const QString name = data.GetPlayer(i);
        // An empty slot is no player and cannot become the current one.
        if (!name.isEmpty())
            box->addItem(icon, name);
    }
    if (box->count() > 0)
        box->setCurrentIndex(0);
    const QString cur = data.CurPlayer();
    for (int i = 0; i < box->count(); ++i)
        if (box->itemText(i) == cur)
            box->setCurrentIndex(i);
}

void ApplyPlayerChoice(cData &data, const QComboBox *box)
{
    if (box->count() == 0) {
        data.SetPlayer(1, QStringLiteral("Player1"), true);
        return;
    }
    const int i = box->currentIndex() < 0 ? 0 : box->currentIndex();
    data.CurPlayer(box->itemText(i));
}

frmSelect::frmSelect(const GameContext &context, QWidget *parent) : QDialog(parent), ctx_(context)
{
    setObjectName(QStringLiteral("frmSelect"));
    setWindowTitle(ctx_.data->ProdName());

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setMinimumWidth(190);
    TreeView1->setIconSize(QSize(16, 16));

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::StyledPanel);
    Frame1->setFrameShadow(QFrame::Sunken);

    imgPick = new QLabel(Frame1);
    imgPick->setObjectName(QStringLiteral("imgPick"));
    imgPick->setFixedSize(PreviewWidth, PreviewHeight);
    imgPick->setAlignment(Qt::AlignCenter);

    lblName = new QLabel(QStringLiteral("Freecell"), Frame1);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->setAlignment(Qt::AlignCenter);
    lblName->setTextFormat(Qt::PlainText);
    QFont nameFont = lblName->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.4);
    lblName->setFont(nameFont);

    auto *frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(imgPick, 0, Qt::AlignHCenter);
    frameLayout->addWidget(lblName);
    frameLayout->addStretch(1);

    auto *playerLabel = new QLabel(tr("Player:"), this);
    imcPlayer = new QComboBox(this);
    imcPlayer->setObjectName(QStringLiteral("imcPlayer"));
    imcPlayer->setMinimumWidth(160);
    playerLabel->setBuddy(imcPlayer);

    cmdPlay = new QPushButton(QStringLiteral("Play"), this);
    cmdPlay->setObjectName(QStringLiteral("cmdPlay"));
    cmdPlay->setDefault(true);
    cmdRules = new QPushButton(QStringLiteral("Rules"), this);
    cmdRules->setObjectName(QStringLiteral("cmdRules"));
    cmdRules->setAutoDefault(false);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto *top = new QHBoxLayout;
    top->addWidget(TreeView1, 1);
    top->addWidget(Frame1, 0);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(playerLabel);
    bottom->addWidget(imcPlayer);
    bottom->addStretch(1);
    bottom->addWidget(cmdPlay);
    bottom->addWidget(cmdRules);
    bottom->addWidget(cmdCancel);

    auto *main = new QVBoxLayout(this);
    main->addLayout(top, 1);
    main->addLayout(bottom);

    FillPlayerBox(imcPlayer, *ctx_.data, art::PlayerIcon());
    FillTree();

    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *node, QTreeWidgetItem *) {
        ShowNode(node);
        EnablePlay();
    });
    connect(TreeView1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *node, int) { ShowNode(node); });
    connect(cmdPlay, &QPushButton::clicked, this, &frmSelect::cmdPlay_Click);
    connect(cmdRules, &QPushButton::clicked, this, &frmSelect::cmdRules_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    EnablePlay();
}

frmSelect::~frmSelect() = default;

bool frmSelect::IsRoot(const QTreeWidgetItem *node) { return node->data(0, KeyRole).toString() == QLatin1String("m"); }

void frmSelect::FillTree()
{
    TreeView1->clear();
    auto *root = new QTreeWidgetItem(TreeView1, QStringList(QStringLiteral("Games")));
    root->setData(0, KeyRole, QStringLiteral("m"));
    root->setData(0, TagRole, 0);
    root->setIcon(0, art::RootIcon());

    const QIcon icon = art::GameIcon();
    const QString last = ctx_.data->LastGName();
    QTreeWidgetItem *selected = nullptr;
    const int16_t n = ctx_.data->TotalGames();
    for (int16_t i = 1; i <= n; ++i) {
        auto *node = new QTreeWidgetItem(root, QStringList(ctx_.data->GetGName(i)));
        node->setData(0, TagRole, static_cast<int>(i));
        node->setIcon(0, icon);
        // The first variant is the fallback; the last exact match wins.
        if (i == 1 || node->text(0) == last)
            selected = node;
    }
    root->setExpanded(true);
    if (selected) {
        TreeView1->setCurrentItem(selected);
        ShowNode(selected);
    }
}

void frmSelect::EnablePlay()
{
    // "Games" names no variant: Play (and Return, which presses it) would
    // start nothing, so it must not look as if it could.
    const QTreeWidgetItem *node = TreeView1->currentItem();
    cmdPlay->setEnabled(node && !IsRoot(node));
}

void frmSelect::RevealSelection()
{
    // "Games" and the rows above the selection stay in sight whenever the
    // selection leaves room for them; a selection further down is centred.
    QTreeWidgetItem *node = TreeView1->currentItem();
    TreeView1->scrollToTop();
    if (!node)
        return;
    const QRect row = TreeView1->visualItemRect(node);
    if (!TreeView1->viewport()->rect().contains(row))
        TreeView1->scrollToItem(node, QAbstractItemView::PositionAtCenter);
}

void frmSelect::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // Only now has the tree its final height.
    if (!e->spontaneous())
        RevealSelection();
}

void frmSelect::ShowNode(QTreeWidgetItem *node)
{
    if (!node || IsRoot(node))
        return;
    lblName->setText(node->text(0));
    const QPixmap pic = ctx_.preview ? ctx_.preview(node->data(0, TagRole).toInt()) : QPixmap();
    if (pic.isNull())
        imgPick->clear();
    else
        imgPick->setPixmap(pic);
}

void frmSelect::cmdPlay_Click()
{
    if (starting_ || (ctx_.busy && ctx_.busy()))
        return;
    QTreeWidgetItem *node = TreeView1->currentItem();
    // The root names no variant: nothing to start, the selector stays.
    if (!node || IsRoot(node))
        return;
    const QString name = node->text(0);

    // The deal lets window events through, so the selector must be out of
    // the way before it begins.
    starting_ = true;
    hide();
    ApplyPlayerChoice(*ctx_.data, imcPlayer);
    const GameNo number = ctx_.randomGameNo ? ctx_.randomGameNo() : GameNo();
    QPointer<frmSelect> guard(this);
    if (ctx_.startGame)
        ctx_.startGame(name, number);
    if (!guard)
        return;
    starting_ = false;
    done(QDialog::Accepted);
}

void frmSelect::cmdRules_Click()
{
    QTreeWidgetItem *node = TreeView1->currentItem();
    if (!node || IsRoot(node))
        ctx_.data->ShowContents();
    else
        ctx_.data->ShowRules(node->text(0));
}

void frmSelect::done(int r)
{
    closed_ = true;
    QDialog::done(r);
}

frmSelect *frmSelect::instance()
{
    frmSelect *s = current_.data();
    return s && !s->closed_ ? s : nullptr;
}

frmSelect *frmSelect::showModeless(const GameContext &context)
{
    if (frmSelect *s = instance()) {
        if (!s->starting_) {
            s->show();
            s->raise();
            s->activateWindow();
        }
        return s;
    }
    auto *s = new frmSelect(context, nullptr);
    s->setAttribute(Qt::WA_DeleteOnClose);
    current_ = s;
    s->show();
    s->raise();
    s->activateWindow();
    return s;
}

int frmSelect::showModal(const GameContext &context, QWidget *owner)
{
    if (frmSelect *s = instance()) {
        if (s->starting_)
            return QDialog::Rejected;
        if (s->isModal() || s->windowModality() != Qt::NonModal) {
            s->raise();
            s->activateWindow();
            return QDialog::Rejected;
        }
        // The start-up selector is still open: a modeless window cannot turn
        // modal while shown, so a fresh one owned by the main window takes
        // its place.
        s->reject();
        if (current_ == s)
            current_ = nullptr;
    }
    QPointer<frmSelect> s = new frmSelect(context, owner);
    current_ = s;
    const int r = context.prompt->Run(*s);
    delete s.data();
    return r;
}

} // namespace tw
