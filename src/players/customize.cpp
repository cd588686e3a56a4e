#include "customize.h"

#include "media/artwork.h"
#include "media/resources.h"
#include "records/score.h"
#include "settings/data.h"
#include "settings/prompt.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <iterator>
#include <optional>

namespace tw {

namespace {

constexpr int MaxSpeed = cData::MaxSpeed;
constexpr int16_t CustomColorIndex = 1000;
constexpr int OfferedColours = 20; // colour-table entries 1001..1020

using Getter = int16_t (cData::*)() const;
using Setter = void (cData::*)(int16_t);

struct SoundRow {
    const char *text;
    Getter get;
    Setter set;
};

// The rows of the sound list, in their order.
const SoundRow kSounds[] = {
    {"Initial Shuffle", static_cast<Getter>(&cData::SoundStart), static_cast<Setter>(&cData::SoundStart)},
    {"Card Up", static_cast<Getter>(&cData::SoundCardUp), static_cast<Setter>(&cData::SoundCardUp)},
    {"Card Down", static_cast<Getter>(&cData::SoundCardDown), static_cast<Setter>(&cData::SoundCardDown)},
    {"Autoplay Move", static_cast<Getter>(&cData::SoundAutoPlay), static_cast<Setter>(&cData::SoundAutoPlay)},
    {"Undo", static_cast<Getter>(&cData::SoundUndo), static_cast<Setter>(&cData::SoundUndo)},
    {"Redo", static_cast<Getter>(&cData::SoundRedo), static_cast<Setter>(&cData::SoundRedo)},
    {"Game Won", static_cast<Getter>(&cData::SoundWin), static_cast<Setter>(&cData::SoundWin)},
};

// The dialog's small pictures, drawn once.
enum class Pic { Root, Group, Entry, Range, Sound };

QIcon dialogIcon(Pic which)
{
    auto draw = [](Pic k) {
        QPixmap pm(16, 16);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        switch (k) {
        case Pic::Root: {
            // A framed picture.
            p.setPen(QPen(QColor(90, 60, 20), 1.5));
            p.setBrush(QColor(70, 140, 210));
            p.drawRect(QRectF(1.5, 2.5, 13, 11));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(40, 120, 40));
            p.drawPolygon(QPolygonF({QPointF(2.5, 12.5), QPointF(7, 7), QPointF(10, 10), QPointF(13.5, 12.5)}));
            break;
        }
        case Pic::Group: {
            // A folder.
            p.setPen(QPen(QColor(150, 110, 20), 1));
            p.setBrush(QColor(240, 200, 90));
            p.drawRect(QRectF(1.5, 4.5, 13, 9));
            p.drawRect(QRectF(1.5, 2.5, 5, 2));
            break;
        }
        case Pic::Entry: {
            // A small swatch fading to black.
            QLinearGradient g(0, 3, 0, 13);
            g.setColorAt(0, QColor(60, 170, 60));
            g.setColorAt(1, QColor(0, 30, 0));
            p.setPen(QPen(QColor(40, 40, 40), 1));
            p.setBrush(g);
            p.drawRect(QRectF(2.5, 2.5, 11, 11));
            break;
        }
        case Pic::Range: {
            // Dice-like spots: a number drawn at random.
            p.setPen(QPen(QColor(60, 60, 60), 1));
            p.setBrush(Qt::white);
            p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2.5, 2.5);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(30, 30, 30));
            for (const QPointF c : {QPointF(5, 5), QPointF(8, 8), QPointF(11, 11)})
                p.drawEllipse(c, 1.4, 1.4);
            break;
        }
        case Pic::Sound: {
            // A loudspeaker.
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(50, 60, 80));
            p.drawPolygon(QPolygonF(
                {QPointF(2, 6), QPointF(5, 6), QPointF(9, 2.5), QPointF(9, 13.5), QPointF(5, 10), QPointF(2, 10)}));
            p.setPen(QPen(QColor(50, 60, 80), 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(7, 4.5, 6, 7), -60 * 16, 120 * 16);
            p.drawArc(QRectF(7, 2, 8.5, 12), -60 * 16, 120 * 16);
            break;
        }
        }
        return QIcon(pm);
    };
    static const QIcon icons[] = {draw(Pic::Root), draw(Pic::Group), draw(Pic::Entry), draw(Pic::Range),
                                  draw(Pic::Sound)};
    return icons[static_cast<int>(which)];
}

int32_t colourValue(const QColor &c) { return c.red() + 256 * c.green() + 65536 * c.blue(); }

QTreeWidgetItem *treeNode(QTreeWidgetItem *parent, const QString &key, const QString &text, Pic pic)
{
    auto *node = new QTreeWidgetItem(parent, {text});
    node->setData(0, frmCustomize::KeyRole, key);
    node->setIcon(0, dialogIcon(pic));
    return node;
}

QTreeWidget *makeTree(QWidget *parent, const char *name)
{
    auto *tree = new QTreeWidget(parent);
    tree->setObjectName(QString::fromLatin1(name));
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setSelectionMode(QAbstractItemView::SingleSelection);
    tree->setIconSize(QSize(16, 16));
    tree->setMinimumWidth(210);
    return tree;
}

// Opens every node above the selected one so the choice is in view. When
// nothing is selected the root becomes the current node without being
// selected: otherwise the view would make the root current on its own when it
// first gets the focus, which would count as a click on the root.
void revealCurrent(QTreeWidget *tree)
{
    QTreeWidgetItem *cur = tree->currentItem();
    if (!cur) {
        if (QTreeWidgetItem *root = tree->topLevelItem(0))
            tree->setCurrentItem(root, 0, QItemSelectionModel::NoUpdate);
        return;
    }
    for (QTreeWidgetItem *p = cur->parent(); p; p = p->parent())
        p->setExpanded(true);
    tree->scrollToItem(cur);
}

// The selected node, if any (the current node need not be selected).
QTreeWidgetItem *selectedNode(const QTreeWidget *tree)
{
    const QList<QTreeWidgetItem *> sel = tree->selectedItems();
    return sel.isEmpty() ? nullptr : sel.first();
}

} // namespace

// --- background preview ---

BackgroundPreview::BackgroundPreview(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(230, 170);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void BackgroundPreview::SetBackground(int16_t Index, int16_t Mode, int32_t Colour)
{
    index_ = Index;
    mode_ = Mode;
    colour_ = Colour;
    stale_ = true;
    update();
}

void BackgroundPreview::paintEvent(QPaintEvent *)
{
    const qreal dpr = devicePixelRatioF();
    if (stale_ || cache_.isNull() || cache_.deviceIndependentSize().toSize() != size()
        || cache_.devicePixelRatio() != dpr) {
        cache_ = RenderBackground(index_, size(), mode_, colour_, dpr);
        stale_ = false;
    }
    QPainter p(this);
    p.drawImage(QPointF(0, 0), cache_);
    p.setPen(QColor(80, 80, 80));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// --- the dialog ---

frmCustomize::frmCustomize(const AppContext &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmCustomize"));
    setWindowTitle(QStringLiteral("Customize"));
    setWindowIcon(Pictures(*ctx_.data).Icon());

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(buildGeneral(), QStringLiteral("General"));
    SSTab1->addTab(buildBackground(), QStringLiteral("Background"));
    SSTab1->addTab(buildDecks(), QStringLiteral("Decks"));
    SSTab1->addTab(buildSounds(), QStringLiteral("&Animation && Sounds"));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto *main = new QVBoxLayout(this);
    main->addWidget(SSTab1, 1);
    main->addLayout(buttons);

    // Filled with signals blocked: opening the dialog writes nothing.
    SSTab1->setCurrentIndex(0);
    LoadGeneral();
    LoadBackgrounds();
    LoadSpeeds();
    LoadSounds();
    LoadDecks();
    cmdClearRecent->setEnabled(ctx_.data->RecentCount() != 0);

    // Written at once: the random range and the three show flags. Only the
    // person's own changes count (activated / clicked), never a fill.
    connect(imcRange, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            ctx_.data->RangeIndex(static_cast<int16_t>(index + 1));
    });
    connect(chkTime, &QCheckBox::clicked, this, [this](bool on) { ctx_.data->ShowTime(on ? 1 : 0); });
    connect(chkScore, &QCheckBox::clicked, this, [this](bool on) { ctx_.data->ShowScore(on ? 1 : 0); });
    connect(chkMoves, &QCheckBox::clicked, this, [this](bool on) { ctx_.data->ShowMoves(on ? 1 : 0); });
    connect(cmdClearRecent, &QPushButton::clicked, this, &frmCustomize::cmdClearRecent_Click);
    connect(cmdExportStat, &QPushButton::clicked, this, [this] { ctx_.score->ExportStat(); });
    connect(cmdClearStat, &QPushButton::clicked, this, [this] { ctx_.score->ClearStat(); });

    connect(tvBGround, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *node, QTreeWidgetItem *) { tvBGround_NodeClick(node); });
    // A click on the node that is already current changes nothing for Qt, but
    // is a click all the same (the root disables fade and colour).
    connect(tvBGround, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *node, int) { tvBGround_NodeClick(node); });
    connect(cmdCustom, &QPushButton::clicked, this, &frmCustomize::cmdCustom_Click);
    connect(chkFade, &QCheckBox::clicked, this, [this](bool on) {
        mFade = on ? 1 : 0;
        PreviewBG();
    });
    connect(tvDeck, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *node, QTreeWidgetItem *) { tvDeck_NodeClick(node); });

    connect(cmdOK, &QPushButton::clicked, this, &frmCustomize::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

int frmCustomize::showModal(const AppContext &ctx, QWidget *owner)
{
    QPointer<frmCustomize> dlg = new frmCustomize(ctx, owner);
    const int r = ctx.prompt->Run(*dlg);
    delete dlg.data();
    return r;
}

QWidget *frmCustomize::buildGeneral()
{
    auto *page = new QWidget;

    auto *recent = new QGroupBox(QStringLiteral("Recent List"), page);
    Label2 = new QLabel(QStringLiteral("Clear  Recent Games List"), recent);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    cmdClearRecent = new QPushButton(QStringLiteral("Clear"), recent);
    cmdClearRecent->setObjectName(QStringLiteral("cmdClearRecent"));
    cmdClearRecent->setAutoDefault(false);
    auto *recentRow = new QHBoxLayout(recent);
    recentRow->addWidget(Label2, 1);
    recentRow->addWidget(cmdClearRecent);

    auto *range = new QGroupBox(QStringLiteral("Random Range"), page);
    Label1 = new QLabel(QStringLiteral("Random Range Selection between 0 and "), range);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    imcRange = new QComboBox(range);
    imcRange->setObjectName(QStringLiteral("imcRange"));
    imcRange->setMaxVisibleItems(15);
    imcRange->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto *rangeRow = new QHBoxLayout(range);
    rangeRow->addWidget(Label1);
    rangeRow->addWidget(imcRange, 1);

    chkTime = new QCheckBox(QStringLiteral("Show Time"), page);
    chkTime->setObjectName(QStringLiteral("chkTime"));
    chkScore = new QCheckBox(QStringLiteral("Show Score"), page);
    chkScore->setObjectName(QStringLiteral("chkScore"));
    chkMoves = new QCheckBox(QStringLiteral("Show Moves"), page);
    chkMoves->setObjectName(QStringLiteral("chkMoves"));
    auto *showRow = new QHBoxLayout;
    showRow->addWidget(chkTime);
    showRow->addWidget(chkScore);
    showRow->addWidget(chkMoves);
    showRow->addStretch(1);

    auto *stats = new QGroupBox(QStringLiteral("Game Statistics"), page);
    cmdExportStat = new QPushButton(QStringLiteral("Export Statistics"), stats);
    cmdExportStat->setObjectName(QStringLiteral("cmdExportStat"));
    cmdExportStat->setAutoDefault(false);
    cmdClearStat = new QPushButton(QStringLiteral("Clear Statistics"), stats);
    cmdClearStat->setObjectName(QStringLiteral("cmdClearStat"));
    cmdClearStat->setAutoDefault(false);
    auto *statsRow = new QHBoxLayout(stats);
    statsRow->addWidget(cmdExportStat);
    statsRow->addWidget(cmdClearStat);
    statsRow->addStretch(1);

    auto *col = new QVBoxLayout(page);
    col->addWidget(recent);
    col->addWidget(range);
    col->addSpacing(4);
    col->addLayout(showRow);
    col->addSpacing(4);
    col->addWidget(stats);
    col->addStretch(1);
    return page;
}

QWidget *frmCustomize::buildBackground()
{
    auto *page = new QWidget;
    tvBGround = makeTree(page, "tvBGround");
    Picture1 = new BackgroundPreview(page);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    cmdCustom = new QPushButton(QStringLiteral("Colors.."), page);
    cmdCustom->setObjectName(QStringLiteral("cmdCustom"));
    cmdCustom->setAutoDefault(false);
    cmdCustom->setEnabled(false);
    chkFade = new QCheckBox(QStringLiteral("Fade Background"), page);
    chkFade->setObjectName(QStringLiteral("chkFade"));
    chkFade->setEnabled(false);

    auto *controls = new QHBoxLayout;
    controls->addWidget(cmdCustom);
    controls->addWidget(chkFade);
    controls->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(Picture1, 1);
    right->addLayout(controls);
    auto *row = new QHBoxLayout(page);
    row->addWidget(tvBGround);
    row->addLayout(right, 1);
    return page;
}

QWidget *frmCustomize::buildDecks()
{
    auto *page = new QWidget;
    tvDeck = makeTree(page, "tvDeck");
    picDeckBack = new BackgroundPreview(page);
    picDeckBack->setObjectName(QStringLiteral("picDeckBack"));
    PicDeck = new QLabel(picDeckBack);
    PicDeck->setObjectName(QStringLiteral("PicDeck"));
    PicDeck->setFixedSize(art::CardWidth, art::CardHeight);
    auto *centre = new QGridLayout(picDeckBack);
    centre->addWidget(PicDeck, 0, 0, Qt::AlignCenter);

    auto *row = new QHBoxLayout(page);
    row->addWidget(tvDeck);
    row->addWidget(picDeckBack, 1);
    return page;
}

QWidget *frmCustomize::buildSounds()
{
    auto *page = new QWidget;
    auto *speeds = new QVBoxLayout;
    auto addSlider = [&](const char *name, const char *caption) {
        auto *frame = new QGroupBox(QString::fromLatin1(caption), page);
        auto *slider = new QSlider(Qt::Horizontal, frame);
        slider->setObjectName(QString::fromLatin1(name));
        slider->setRange(0, MaxSpeed);
        slider->setSingleStep(1);
        slider->setPageStep(5);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(5);
        slider->setMinimumWidth(200);
        auto *l = new QVBoxLayout(frame);
        l->addWidget(slider);
        speeds->addWidget(frame);
        return slider;
    };
    Slider1 = addSlider("Slider1", "Card Moving Speed");
    Slider2 = addSlider("Slider2", "Undo/Redo Speed");
    Slider3 = addSlider("Slider3", "Undoall/Redoall Speed");
    Slider4 = addSlider("Slider4", "Replay Speed");
    speeds->addStretch(1);

    lvSound = new QTreeWidget(page);
    lvSound->setObjectName(QStringLiteral("lvSound"));
    lvSound->setColumnCount(1);
    lvSound->setHeaderLabels({QStringLiteral("Select Sound")});
    lvSound->setRootIsDecorated(false);
    lvSound->setSelectionMode(QAbstractItemView::SingleSelection);
    lvSound->setIconSize(QSize(16, 16));
    lvSound->setMinimumWidth(170);

    auto *row = new QHBoxLayout(page);
    row->addLayout(speeds, 1);
    row->addWidget(lvSound);
    return page;
}

void frmCustomize::LoadGeneral()
{
    const QSignalBlocker block(imcRange);
    imcRange->clear();
    const QLocale locale;
    qint64 p = 1;
    for (int i = 1; i <= 15; ++i) {
        p *= 10;
        imcRange->addItem(dialogIcon(Pic::Range), locale.toString(p - 1));
    }
    chkTime->setChecked(ctx_.data->ShowTime() == 1);
    chkMoves->setChecked(ctx_.data->ShowMoves() == 1);
    chkScore->setChecked(ctx_.data->ShowScore() == 1);
    // A stored range the list cannot show reads as the nearest item, the one
    // the game numbers come from; the stored text stays until an item is
    // chosen.
    imcRange->setCurrentIndex(ctx_.data->RangeIndex() - 1);
}

void frmCustomize::LoadBackgrounds()
{
    mBG = ctx_.data->BGIndex();
    mFade = ctx_.data->Fade();
    mColor = ctx_.data->CustomColor();

    cmdCustom->setEnabled(mBG == CustomColorIndex);
    chkFade->setEnabled(mBG >= CustomColorIndex);
    PreviewBG();
    chkFade->setChecked(mFade == 1);

    const QSignalBlocker block(tvBGround);
    tvBGround->clear();
    auto *root = new QTreeWidgetItem(tvBGround, {QStringLiteral("Backgrounds")});
    root->setData(0, KeyRole, QStringLiteral("main"));
    root->setIcon(0, dialogIcon(Pic::Root));
    auto select = [this](QTreeWidgetItem *entry, int tag) {
        entry->setData(0, TagRole, tag);
        if (tag == mBG)
            tvBGround->setCurrentItem(entry);
    };
    QTreeWidgetItem *colours = treeNode(root, QStringLiteral("c"), QStringLiteral("Colors"), Pic::Group);
    select(treeNode(colours, QStringLiteral("custom"), QStringLiteral("Custom Color"), Pic::Entry), CustomColorIndex);
    for (int i = 1; i <= OfferedColours; ++i) {
        const auto entry = ctx_.data->GetCol(static_cast<int16_t>(CustomColorIndex + i));
        auto *node = new QTreeWidgetItem(colours, {entry ? entry->first : QString()});
        node->setIcon(0, dialogIcon(Pic::Entry));
        select(node, CustomColorIndex + i);
    }
    for (const art::PictureCategory &group : art::BackgroundCategories())
        AddBGGroup(root, group.name, group.ids);
    root->setExpanded(true);
    revealCurrent(tvBGround);
}

void frmCustomize::AddBGGroup(QTreeWidgetItem *root, const QString &Group, const QList<int> &ids)
{
    addPictureGroup(tvBGround, root, Group, ids, mBG);
}

// A group node with one entry per picture ("Bricks 01", ...), the entry of the
// current picture made current.
void frmCustomize::addPictureGroup(QTreeWidget *tree, QTreeWidgetItem *root, const QString &Group,
                                   const QList<int> &ids, int current)
{
    QTreeWidgetItem *node = treeNode(root, Group, Group, Pic::Group);
    for (int i = 1; i <= ids.size(); ++i) {
        const int tag = ids.at(i - 1);
        auto *entry = new QTreeWidgetItem(node, {Group + QStringLiteral(" 0") + QString::number(i)});
        entry->setIcon(0, dialogIcon(Pic::Entry));
        entry->setData(0, TagRole, tag);
        if (tag == current)
            tree->setCurrentItem(entry);
    }
}

void frmCustomize::LoadSpeeds()
{
    // The sliders run from slow on the left to fast on the right.
    Slider1->setValue(MaxSpeed - ctx_.data->CardSpeed());
    Slider2->setValue(MaxSpeed - ctx_.data->UndoSpeed());
    Slider3->setValue(MaxSpeed - ctx_.data->UndoallSpeed());
    Slider4->setValue(MaxSpeed - ctx_.data->ReplaySpeed());
}

void frmCustomize::LoadSounds()
{
    const QSignalBlocker block(lvSound);
    lvSound->clear();
    for (const SoundRow &s : kSounds) {
        auto *row = new QTreeWidgetItem(lvSound, {QString::fromLatin1(s.text)});
        row->setIcon(0, dialogIcon(Pic::Sound));
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, (ctx_.data->*s.get)() != 0 ? Qt::Checked : Qt::Unchecked);
    }
}

void frmCustomize::SaveSounds()
{
    // Sound flags are stored as -1 on and 0 off: the player plays only on -1.
    int row = 0;
    for (const SoundRow &s : kSounds) {
        const QTreeWidgetItem *item = lvSound->topLevelItem(row++);
        if (!item)
            break;
        (ctx_.data->*s.set)(item->checkState(0) == Qt::Checked ? -1 : 0);
    }
}

void frmCustomize::LoadDecks()
{
    const QSignalBlocker block(tvDeck);
    tvDeck->clear();
    mDeck = ctx_.data->DeckIndex();
    auto *root = new QTreeWidgetItem(tvDeck, {QStringLiteral("Decks")});
    root->setData(0, KeyRole, QStringLiteral("main"));
    root->setIcon(0, dialogIcon(Pic::Root));
    for (const art::PictureCategory &group : art::BackCategories())
        AddDeckGroup(root, group.name, group.ids);
    root->setExpanded(true);
    revealCurrent(tvDeck);
    // A stored back that the tree does not offer selects nothing; it stays
    // the choice and is shown.
    QTreeWidgetItem *cur = selectedNode(tvDeck);
    const QVariant tag = cur ? cur->data(0, TagRole) : QVariant();
    PreviewDeck(tag.isValid() ? static_cast<int16_t>(tag.toInt()) : mDeck);
}

void frmCustomize::AddDeckGroup(QTreeWidgetItem *root, const QString &Group, const QList<int> &ids)
{
    addPictureGroup(tvDeck, root, Group, ids, mDeck);
}

void frmCustomize::PreviewBG()
{
    Picture1->SetBackground(mBG, mFade, mColor);
    picDeckBack->SetBackground(mBG, mFade, mColor);
}

void frmCustomize::PreviewDeck(int16_t Id)
{
    const int shown = art::IsBack(Id) ? Id : art::DefaultBack;
    PicDeck->setPixmap(art::Back(shown, PicDeck->devicePixelRatioF()));
    shownBack_ = shown;
    mDeck = Id;
}

void frmCustomize::tvBGround_NodeClick(QTreeWidgetItem *node)
{
    cmdCustom->setEnabled(false);
    chkFade->setEnabled(false);
    const QVariant tag = node ? node->data(0, TagRole) : QVariant();
    if (!tag.isValid())
        return;
    mBG = static_cast<int16_t>(tag.toInt());
    PreviewBG();
    cmdCustom->setEnabled(mBG == CustomColorIndex);
    chkFade->setEnabled(mBG >= CustomColorIndex);
}

void frmCustomize::tvDeck_NodeClick(QTreeWidgetItem *node)
{
    const QVariant tag = node ? node->data(0, TagRole) : QVariant();
    if (tag.isValid())
        PreviewDeck(static_cast<int16_t>(tag.toInt()));
}

void frmCustomize::cmdCustom_Click()
{
    const std::optional<QColor> picked = ctx_.prompt->ChooseColor(this, ColorFromValue(mColor));
    // Cancel in the colour dialog keeps the colour chosen so far.
    if (!picked || !picked->isValid())
        return;
    mColor = colourValue(*picked);
    PreviewBG();
}

void frmCustomize::cmdClearRecent_Click()
{
    if (!ctx_.prompt->Confirm(this, QStringLiteral("Are you sure you want to clear the Recent Games List ?")))
        return;
    ctx_.data->ClearRecent();
    cmdClearRecent->setEnabled(false);
    ctx_.prompt->Info(this, QStringLiteral("Recent Games List has been Cleared."));
}

void frmCustomize::cmdOK_Click()
{
    cData &d = *ctx_.data;
    d.CardSpeed(static_cast<int16_t>(MaxSpeed - Slider1->value()));
    d.UndoSpeed(static_cast<int16_t>(MaxSpeed - Slider2->value()));
    d.UndoallSpeed(static_cast<int16_t>(MaxSpeed - Slider3->value()));
    d.ReplaySpeed(static_cast<int16_t>(MaxSpeed - Slider4->value()));
    SaveSounds();
    d.BGIndex(mBG);
    d.Fade(mFade);
    d.CustomColor(mColor);
    d.DeckIndex(mDeck);
    if (ctx_.applyTableLook)
        ctx_.applyTableLook();
    accept();
}

} // namespace tw
