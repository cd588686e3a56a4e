#include "mainwindow.h"

#include "about.h"
#include "choose.h"
#include "engine/clock.h"
#include "engine/numeric.h"
#include "gamecontext.h"
#include "history.h"
#include "media/artwork.h"
#include "media/resources.h"
#include "players/customize.h"
#include "players/favorites.h"
#include "players/players.h"
#include "records/score.h"
#include "select.h"
#include "settings/data.h"
#include "settings/prompt.h"
#include "settings/store.h"
#include "statefile.h"
#include "statistics/appcontext.h"
#include "statistics/finish.h"
#include "statistics/gamestat.h"
#include "statistics/highscore.h"
#include "statistics/logstat.h"
#include "statistics/sesstat.h"

#include <QActionEvent>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionMenuItem>
#include <QThread>
#include <QToolBar>
#include <QToolButton>

namespace tw {

namespace {
constexpr int TableWidth = 15480; // twips
constexpr int TableHeight = 11205;
constexpr int ToolbarStrip = 380;

// One place of a menu: its item, its caption ("-" for a separator) and its
// shortcut.
template<class Item>
struct MenuEntry {
    Item item;
    QString caption;
    QKeySequence key;
};

// The panel around the fixed-size table: wherever the window is larger than
// the table, or the toolbar is hidden, it shows the table's own background
// carried on, so no seam shows at the table's edges.
class TableSurround : public QWidget {
public:
    using QWidget::QWidget;

    void setTable(QWidget *table)
    {
        table_ = table;
        table_->installEventFilter(this);
        update();
    }

protected:
    void paintEvent(QPaintEvent *e) override
    {
        if (!table_)
            return;
        QPainter p(this);
        p.setClipRegion(e->region() - table_->geometry());
        PaintBackgroundAround(p, e->rect(), table_, table_->pos());
    }

    bool eventFilter(QObject *watched, QEvent *e) override
    {
        // A new background, or the table moved: the surround follows.
        if (watched == table_) {
            switch (e->type()) {
            case QEvent::PaletteChange:
            case QEvent::Move:
            case QEvent::Resize: update(); break;
            default: break;
            }
        }
        return QWidget::eventFilter(watched, e);
    }

private:
    QPointer<QWidget> table_;
};

// The menu bar lays all its items out again, and the window its bar, at any
// change of an item; the status captions change every second. A caption whose
// new text takes the same room as the old one is painted again alone.
class StatusMenuBar : public QMenuBar {
public:
    using QMenuBar::QMenuBar;

    void addCaption(QAction *a)
    {
        addAction(a);
        mnemonics_.insert(a, QKeySequence::mnemonic(a->text()));
    }

protected:
    void actionEvent(QActionEvent *e) override
    {
        QAction *a = e->action();
        const auto known = mnemonics_.find(a);
        if (e->type() == QEvent::ActionChanged && known != mnemonics_.end() && !isNativeMenuBar()) {
            const QKeySequence mnemonic = QKeySequence::mnemonic(a->text());
            const QRect room = actionGeometry(a);
            const QSize needs = itemSize(a);
            if (mnemonic == *known && a->isVisible() && needs.width() == room.width()
                && needs.height() <= room.height()) {
                update(room);
                return;
            }
            *known = mnemonic;
        }
        QMenuBar::actionEvent(e);
    }

private:
    // The room the bar gives an item of text, as it measures it.
    QSize itemSize(QAction *a) const
    {
        QSize text;
        if (!a->text().isEmpty())
            text = fontMetrics().size(Qt::TextShowMnemonic, a->text());
        QStyleOptionMenuItem opt;
        initStyleOption(&opt, a);
        return style()->sizeFromContents(QStyle::CT_MenuBarItem, &opt, text, this);
    }

    QHash<QAction *, QKeySequence> mnemonics_;
};
} // namespace

frmMain::frmMain(cData &data, Prompt &prompt, QWidget *parent) : QMainWindow(parent), data_(data), prompt_(prompt)
{
    setObjectName(QStringLiteral("frmMain"));
    central_ = new QWidget(this);
    setCentralWidget(central_);
    auto *back = new TableSurround(central_);
    picBack_ = back;
    picBack_->setObjectName(QStringLiteral("PicBack"));
    picMain_ = new QWidget(picBack_);
    picMain_->setObjectName(QStringLiteral("PicMain"));
    picMain_->setFixedSize(twipsToPx(TableWidth), twipsToPx(TableHeight));
    back->setTable(picMain_);
    setMenuBar(new StatusMenuBar(this));
    buildToolbar();
    buildMenus();

    tmrMain_.setInterval(MenuPollMs);
    tmrTime_.setInterval(StatusTickMs);
    tmrForward_.setInterval(StatusTickMs);
    tmrBackward_.setInterval(StatusTickMs);
    connect(&tmrMain_, &QTimer::timeout, this, &frmMain::tmrMain_Timer);
    connect(&tmrTime_, &QTimer::timeout, this, &frmMain::tmrTime_Timer);
    connect(&tmrForward_, &QTimer::timeout, this, &frmMain::tmrForward_Timer);
    connect(&tmrBackward_, &QTimer::timeout, this, &frmMain::tmrBackward_Timer);

    // The window opens exactly around the table.
    resize(twipsToPx(TableWidth), twipsToPx(TableHeight) + twipsToPx(ToolbarStrip) + menuBar()->sizeHint().height());

    // Load: the table start-up, then the captions.
    score_ = std::make_unique<cScore>(data_, &prompt_, this);
    engine_ = std::make_unique<Engine>(data_, *this, score_.get());
    engine_->InitTable();
    tellSettingsProblem();
    setWindowTitle(data_.ProdName());
    item(HelpItem::About)->setText(QStringLiteral("About ") + data_.ProdName() + QStringLiteral("..."));
    UpdateMenus();
    UpdateToolbar();

    // Scripts that drive the program through the X server (the end-to-end
    // test) read what the table shows from this file.
    stateFile_ = qEnvironmentVariable("TARNWICK_STATE_FILE");

    tmrMain_.start();
    tmrTime_.start();
}

frmMain::~frmMain()
{
    tmrMain_.stop();
    tmrTime_.stop();
    tmrForward_.stop();
    tmrBackward_.stop();
}

void frmMain::buildMenus()
{
    QMenuBar *bar = menuBar();
    // Adds a menu's entries in their order; a caption "-" is a separator.
    // Every place of a menu has its enum value, so an item's value is its
    // element of `items`.
    const auto add = [this](QMenu *menu, std::vector<QAction *> &items, const auto &entries, auto handler) {
        items.assign(1, nullptr);
        for (const auto &e : entries) {
            Q_ASSERT(static_cast<size_t>(e.item) == items.size());
            QAction *a = nullptr;
            if (e.caption == u"-") {
                a = menu->addSeparator();
            } else {
                a = menu->addAction(e.caption);
                if (!e.key.isEmpty())
                    a->setShortcut(e.key);
                connect(a, &QAction::triggered, this, [this, handler, item = e.item] { (this->*handler)(item); });
            }
            items.push_back(a);
        }
    };
    const QString separator = QStringLiteral("-");

    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    const MenuEntry<FileItem> fileEntries[] = {
        {FileItem::NewGame, QStringLiteral("&New Game"), QKeySequence(Qt::Key_F2)},
        {FileItem::SelectGame, QStringLiteral("&Select Game"), QKeySequence(Qt::Key_F3)},
        {FileItem::Separator1, separator, {}},
        {FileItem::RestartGame, QStringLiteral("&Restart Game"), QKeySequence(Qt::CTRL | Qt::Key_F2)},
        {FileItem::CloseGame, QStringLiteral("&Close Game"), QKeySequence(Qt::Key_F12)},
        {FileItem::Separator2, separator, {}},
        {FileItem::SelectNumber, QStringLiteral("Select a Number"), QKeySequence(Qt::CTRL | Qt::Key_F12)},
        {FileItem::Separator3, separator, {}},
        {FileItem::RecentGames, QStringLiteral("Recent Games"), {}},
        {FileItem::Separator4, separator, {}},
        {FileItem::Exit, QStringLiteral("E&xit"), {}},
    };
    add(file, fileItems_, fileEntries, &frmMain::mFile_Click);
    // Recent Games is the submenu of the recent list.
    const auto recent = static_cast<size_t>(FileItem::RecentGames);
    mRecent_ = new QMenu(QStringLiteral("Recent Games"), file);
    file->insertMenu(fileItems_[recent], mRecent_);
    file->removeAction(fileItems_[recent]);
    fileItems_[recent] = mRecent_->menuAction();
    recentItems_.assign(1, nullptr);
    for (int k = 1; k <= cData::RecentSlots; ++k) {
        QAction *a = mRecent_->addAction(QString());
        a->setVisible(k == 1);
        connect(a, &QAction::triggered, this, [this, k] { mRecent_Click(k); });
        recentItems_.push_back(a);
    }

    QMenu *game = bar->addMenu(QStringLiteral("&Game"));
    const MenuEntry<GameItem> gameEntries[] = {
        {GameItem::Undo, QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {GameItem::Redo, QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_X)},
        {GameItem::Separator1, separator, {}},
        {GameItem::Autoplay, QStringLiteral("Autoplay"), QKeySequence(Qt::Key_F7)},
        {GameItem::Separator2, separator, {}},
        {GameItem::UndoAll, QStringLiteral("U&ndo All"), QKeySequence(Qt::CTRL | Qt::Key_C)},
        {GameItem::RedoAll, QStringLiteral("R&edo All"), QKeySequence(Qt::CTRL | Qt::Key_V)},
        {GameItem::Separator3, separator, {}},
        {GameItem::ViewToolbar, QStringLiteral("View Toolbar"), {}},
    };
    add(game, gameItems_, gameEntries, &frmMain::mGame_Click);
    item(GameItem::Autoplay)->setCheckable(true);
    item(GameItem::ViewToolbar)->setCheckable(true);

    QMenu *replay = bar->addMenu(QStringLiteral("&Replay"));
    const MenuEntry<ReplayItem> replayEntries[] = {
        {ReplayItem::Forward, QStringLiteral("&Forward"), QKeySequence(Qt::SHIFT | Qt::Key_F1)},
        {ReplayItem::Back, QStringLiteral("&Back"), QKeySequence(Qt::SHIFT | Qt::Key_F2)},
        {ReplayItem::Separator1, separator, {}},
        {ReplayItem::ReplayAll, QStringLiteral("Replay &All"), {}},
        {ReplayItem::Separator2, separator, {}},
        {ReplayItem::Stop, QStringLiteral("Sto&p"), {}},
    };
    add(replay, replayItems_, replayEntries, &frmMain::mReplay_Click);
    item(ReplayItem::Stop)->setEnabled(false);

    QMenu *fav = bar->addMenu(QStringLiteral("Favorites"));
    const MenuEntry<FavItem> favEntries[] = {
        {FavItem::AddToFavorites, QStringLiteral("&Add to Favorites"), QKeySequence(Qt::CTRL | Qt::Key_A)},
        {FavItem::OrganizeFavorites, QStringLiteral("&Organize Favorites"), QKeySequence(Qt::CTRL | Qt::Key_F)},
        {FavItem::Separator1, separator, {}},
        {FavItem::PlayFromFavorites, QStringLiteral("&Play from Favorites"), QKeySequence(Qt::CTRL | Qt::Key_P)},
    };
    add(fav, favItems_, favEntries, &frmMain::mFav_Click);

    QMenu *stat = bar->addMenu(QStringLiteral("Statistics"));
    const MenuEntry<StatItem> statEntries[] = {
        {StatItem::GameStatistics, QStringLiteral("&Game Statistics"), QKeySequence(Qt::Key_F4)},
        {StatItem::SessionStatistics, QStringLiteral("&Session Statistics"), {}},
        {StatItem::Separator1, separator, {}},
        {StatItem::HighScores, QStringLiteral("&High Scores"), QKeySequence(Qt::Key_F9)},
        {StatItem::Separator2, separator, {}},
        {StatItem::LogStatistics, QStringLiteral("&Log Statistics"), {}},
    };
    add(stat, statItems_, statEntries, &frmMain::mStat_Click);

    QMenu *tools = bar->addMenu(QStringLiteral("&Tools"));
    const MenuEntry<ToolsItem> toolsEntries[] = {
        {ToolsItem::Customize, QStringLiteral("Customize"), QKeySequence(Qt::CTRL | Qt::Key_U)},
        {ToolsItem::Separator1, separator, {}},
        {ToolsItem::Players, QStringLiteral("&Players"), QKeySequence(Qt::CTRL | Qt::Key_L)},
        {ToolsItem::Separator2, separator, {}},
        {ToolsItem::History, QStringLiteral("&History"), QKeySequence(Qt::CTRL | Qt::Key_H)},
    };
    add(tools, toolsItems_, toolsEntries, &frmMain::mTools_Click);

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    const MenuEntry<HelpItem> helpEntries[] = {
        {HelpItem::Rules, QStringLiteral("Rules"), QKeySequence(Qt::Key_F1)},
        {HelpItem::Contents, QStringLiteral("Contents"), {}},
        {HelpItem::Separator1, separator, {}},
        {HelpItem::About, QStringLiteral("About..."), {}},
    };
    add(help, helpItems_, helpEntries, &frmMain::mHelp_Click);

    // Three empty items, then the status texts, stand in the menu bar itself.
    for (size_t i = 1; i <= 3; ++i)
        mtemp_[i] = bar->addAction(QString());
    auto *status = static_cast<StatusMenuBar *>(bar);
    for (QAction **caption : {&mScore_, &mTime_, &mMoves_}) {
        *caption = new QAction(this);
        status->addCaption(*caption);
    }
}

void frmMain::buildToolbar()
{
    toolbar_ = new QToolBar(central_);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(18, 18));
    toolbar_->setFixedHeight(twipsToPx(ToolbarStrip));
    struct Button {
        ToolbarButton button;
        const char *key;
        const char *tip;
        art::ToolbarImage image;
    };
    static const Button buttons[] = {
        {ToolbarButton::New, "New", "New Game", art::TbNew},
        {ToolbarButton::Select, "Select", "Select Game", art::TbSelect},
        {ToolbarButton::Restart, "Restart", "Restart Game", art::TbRestart},
        {ToolbarButton::Autoplay, "Autoplay", "Autoplay", art::TbAutoplay},
        {ToolbarButton::Undo, "Undo", "Undo", art::TbUndo},
        {ToolbarButton::Redo, "Redo", "Redo", art::TbRedo},
        {ToolbarButton::Back, "Back", "Replay Back", art::TbReplayBack},
        {ToolbarButton::ReplayStop, "ReplayStop", "Replay Stop", art::TbReplayStop},
        {ToolbarButton::Forward, "Forward", "Replay Forward", art::TbReplayForward},
        {ToolbarButton::Statistics, "Statistics", "Statistics", art::TbStatistics},
        {ToolbarButton::Help, "Help", "Help", art::TbHelp},
    };
    // Every place without a button is a separator.
    constexpr auto last = static_cast<size_t>(ToolbarButton::Help);
    toolButtons_.assign(last + 1, nullptr);
    size_t next = 0;
    for (size_t place = 1; place <= last; ++place) {
        if (next < std::size(buttons) && static_cast<size_t>(buttons[next].button) == place) {
            const Button &b = buttons[next++];
            QAction *a = toolbar_->addAction(art::ToolbarIcon(b.image), QString());
            a->setObjectName(QString::fromLatin1(b.key));
            a->setToolTip(QString::fromLatin1(b.tip));
            a->setData(QString::fromLatin1(b.key));
            connect(a, &QAction::triggered, this, [this, button = b.button] { Toolbar1_ButtonClick(button); });
            toolButtons_[place] = a;
        } else {
            toolButtons_[place] = toolbar_->addSeparator();
        }
    }
    toolButton(ToolbarButton::Autoplay)->setCheckable(true);
}

GameContext frmMain::context()
{
    GameContext c;
    c.data = &data_;
    c.prompt = &prompt_;
    c.startGame = [this](const QString &name, const GameNo &number) { startDeal(name, number); };
    c.randomGameNo = [this] { return engine_->GetRandomGameNo(); };
    c.preview = [](int index) { return art::Preview(index, art::AppDpr()); };
    c.busy = [this] { return engine_->Dealing(); };
    return c;
}

AppContext frmMain::appContext()
{
    AppContext c;
    c.data = &data_;
    c.score = score_.get();
    c.engine = engine_.get();
    c.mainWindow = this;
    c.prompt = &prompt_;
    c.startGame = [this](const QString &name, const GameNo &number) { startDeal(name, number); };
    c.randomGameNo = [this] { return engine_->GetRandomGameNo(); };
    c.showSelector = [this] { showSelect(true); };
    c.applyTableLook = [this] {
        Pictures(data_).SetBG(data_.BGIndex(), picMain_, data_.Fade(), data_.CustomColor());
        SetDeckAll();
    };
    c.openGameStats = [this] { mStat_Click(StatItem::GameStatistics); };
    return c;
}

void frmMain::startDeal(const QString &name, const GameNo &number)
{
    engine_->StartGame(name, number);
    if (closePending_ && !engine_->Dealing()) {
        closePending_ = false;
        closeAskedInDeal_ = true;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

QelEmpty *frmMain::markerControl(MarkerKind kind, int index)
{
    const auto at = [index](const auto &markers) {
        return static_cast<size_t>(index) < markers.size() ? markers[static_cast<size_t>(index)] : nullptr;
    };
    switch (kind) {
    case MarkerKind::Home: return at(picHome_);
    case MarkerKind::Right: return at(picRight_);
    case MarkerKind::Res: return at(picRes_);
    case MarkerKind::Waste: return index == 0 ? picWaste_ : nullptr;
    case MarkerKind::Stock: return index == 0 ? picStock_ : nullptr;
    }
    return nullptr;
}

// --- table start-up and the engine's view ---

void frmMain::SetDeckPics()
{
    // Markers first, so that every card stands in front of them.
    // Every control starts off the table.
    const auto makeMarkers = [this](auto &array) {
        for (auto &m : array)
            m = new QelEmpty(picMain_);
    };
    makeMarkers(picHome_);
    makeMarkers(picRight_);
    makeMarkers(picRes_);
    picWaste_ = new QelEmpty(picMain_);
    picStock_ = new QelEmpty(picMain_);
    connect(picStock_, &QelEmpty::Click, this, [this] { engine_->StockMarkerClick(); });

    const QPixmap back = Pictures(data_).DeckPic();
    for (int i = 0; i < MaxCards; ++i) {
        auto *c = new QelCard(i, *engine_, picMain_);
        c->DeckPic(back);
        connect(c, &QelCard::MouseDown, this,
                [this](int card, float X, float Y) { engine_->CardMouseDown(card, X, Y); });
        connect(c, &QelCard::MouseMove, this,
                [this](int card, float X, float Y) { engine_->CardMouseMove(card, X, Y); });
        connect(c, &QelCard::MouseUp, this, [this](int card, float X, float Y) { engine_->CardMouseUp(card, X, Y); });
        cards_[static_cast<size_t>(i)] = c;
    }
}

void frmMain::SetDeckAll()
{
    const QPixmap back = Pictures(data_).DeckPic();
    for (QelCard *c : cards_)
        c->DeckPic(back);
}

void frmMain::PrepareTable()
{
    SetDeckPics();
    UpdateRecentMenu();
    ArrangeTable();
    Pictures(data_).SetBG(data_.BGIndex(), picMain_, data_.Fade(), data_.CustomColor());
}

void frmMain::touch(const QRect &r)
{
    // While drawing is held the whole table is drawn when it resumes: the
    // places of a whole deal need not be gathered one by one.
    if (picMain_->updatesEnabled())
        dirty_ += r;
}

void frmMain::Refreshcard(int card)
{
    if (card < 0 || card >= MaxCards || !cards_[static_cast<size_t>(card)])
        return;
    const CardState &s = engine_->Cards[static_cast<size_t>(card)];
    QelCard *c = cards_[static_cast<size_t>(card)];
    c->MainPic(Pictures(data_).MainPic(static_cast<int16_t>(s.Suit * 13 + s.Num + 1)));
    c->Refreshcard();
    if (c->OnTable())
        touch(c->geometry());
}

void frmMain::CardMoved(int card)
{
    if (card < 0 || card >= MaxCards || !cards_[static_cast<size_t>(card)])
        return;
    QelCard *c = cards_[static_cast<size_t>(card)];
    const QRect before = c->geometry();
    c->SyncGeometry();
    if (c->OnTable() && c->geometry() != before) {
        touch(before);
        touch(c->geometry());
    }
}

void frmMain::CardRaised(int card)
{
    if (card < 0 || card >= MaxCards || !cards_[static_cast<size_t>(card)])
        return;
    QelCard *c = cards_[static_cast<size_t>(card)];
    // A card already in front of all others looks the same raised.
    if (c->OnTable() && picMain_->children().constLast() != c)
        touch(c->geometry());
    c->raise();
}

void frmMain::CardShown(int card)
{
    if (card < 0 || card >= MaxCards || !cards_[static_cast<size_t>(card)])
        return;
    QelCard *c = cards_[static_cast<size_t>(card)];
    if (c->OnTable())
        touch(c->geometry());
    c->SyncGeometry();
    if (c->OnTable())
        touch(c->geometry());
}

void frmMain::MarkerChanged(MarkerKind kind, int index)
{
    QelEmpty *w = markerControl(kind, index);
    if (!w)
        return;
    const MarkerState *m = nullptr;
    switch (kind) {
    case MarkerKind::Home: m = &engine_->PicHome[static_cast<size_t>(index)]; break;
    case MarkerKind::Right: m = &engine_->PicRight[static_cast<size_t>(index)]; break;
    case MarkerKind::Res: m = &engine_->PicRes[static_cast<size_t>(index)]; break;
    case MarkerKind::Waste: m = &engine_->PicWaste; break;
    case MarkerKind::Stock: m = &engine_->PicStock; break;
    }
    if (w->OnTable())
        touch(w->geometry());
    if (m->Pic >= 0)
        w->Pic(Pictures(data_).RightPic(m->Pic));
    w->Place(m->Visible, QPoint(twipsToPx(m->Left), twipsToPx(m->Top)));
    if (w->OnTable())
        touch(w->geometry());
}

void frmMain::RefreshTable()
{
    // Only the places that cards and markers left or entered are painted:
    // the rest of the table shows what it showed.
    if (!picMain_->isVisible() || dirty_.isEmpty()) {
        dirty_ = QRegion();
        return;
    }
    const QRegion region = dirty_;
    dirty_ = QRegion();
    picMain_->repaint(region);
}

void frmMain::AnimationPause()
{
    // Modern machines repaint in a fraction of a millisecond; a short pause
    // per step keeps a moving card visible without slowing play down.
    if (animationDelay_ > 0 && picMain_->isVisible())
        QThread::msleep(static_cast<unsigned long>(animationDelay_));
}

void frmMain::PumpEvents() { QCoreApplication::processEvents(); }

void frmMain::HoldDrawing(bool hold)
{
    // Qt paints nothing of a widget whose updates are off, neither the
    // repaints of each placed card nor what the events let through. Turned
    // on again, the whole table is drawn in the next turn of the event loop.
    picMain_->setUpdatesEnabled(!hold);
    if (!hold)
        dirty_ = QRegion();
}

void frmMain::CaptionChanged(const QString &caption)
{
    // The caption holds the player's name and the game number as typed. A
    // window title takes "[*]" for its changed-document mark and drops it;
    // doubled, it shows as written.
    setWindowTitle(QString(caption).replace(QLatin1String("[*]"), QLatin1String("[*][*]")));
}

void frmMain::RecentChanged() { UpdateRecentMenu(); }

void frmMain::GameEnded() { StopReplay(); }

void frmMain::GameWon() { frmFinish::showModal(appContext(), this); }

// --- window events ---

void frmMain::closeEvent(QCloseEvent *e)
{
    if (engine_->Dealing()) {
        // The deal finishes first; the window closes as soon as it has. The
        // game being dealt was not running when the player closed: it is
        // no game of his, and nothing is recorded for it.
        closePending_ = true;
        e->ignore();
        return;
    }
    if (closing_) {
        e->accept();
        return;
    }
    closing_ = true;
    if (data_.GameRunning() && !closeAskedInDeal_)
        engine_->EndGame(0);
    tmrMain_.stop();
    tmrTime_.stop();
    StopReplay();
    e->accept();
    if (onUnload)
        QTimer::singleShot(0, this, onUnload);
}

void frmMain::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    ArrangeTable();
}

void frmMain::changeEvent(QEvent *e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        ArrangeTable();
}

bool frmMain::event(QEvent *e)
{
    // A modal window opened by a shortcut while a card is held swallows the
    // release: the cards go back now rather than hang in the air.
    if (e->type() == QEvent::WindowBlocked && engine_)
        engine_->CancelDrag();
    return QMainWindow::event(e);
}

// --- menus ---

void frmMain::mFile_Click(FileItem item)
{
    switch (item) {
    case FileItem::NewGame: startDeal(data_.LastGName(), engine_->GetRandomGameNo()); break;
    case FileItem::SelectGame: showSelect(true); break;
    case FileItem::RestartGame:
        // Only a running game is restarted: a late shortcut never redeals a
        // finished number.
        if (data_.GameRunning())
            startDeal(data_.CurGName(), data_.CurGNo());
        break;
    case FileItem::CloseGame:
        if (data_.GameRunning() && !engine_->Dealing())
            engine_->EndGame(0);
        break;
    case FileItem::SelectNumber: showChoose(); break;
    case FileItem::Exit:
        // Ends the program at once: no window is closed, nothing is recorded.
        QCoreApplication::exit(0);
        break;
    default: break;
    }
}

void frmMain::mRecent_Click(int index)
{
    // An empty entry names no variant; the start routine ignores it.
    startDeal(data_.GetRecent(static_cast<int16_t>(index)), engine_->GetRandomGameNo());
}

void frmMain::mGame_Click(GameItem item)
{
    switch (item) {
    case GameItem::Undo:
        if (!replaying())
            engine_->Undo(data_.UndoSpeed());
        break;
    case GameItem::Redo:
        if (!replaying())
            engine_->Redo(data_.UndoSpeed());
        break;
    case GameItem::Autoplay:
        if (data_.Autoplay() != 1) {
            data_.Autoplay(1);
            // The setting changes at any time; cards move only in a running
            // game that no deal or drag is working on.
            if (data_.GameRunning() && !engine_->Busy() && !replaying())
                engine_->AutoPlay();
        } else {
            data_.Autoplay(0);
        }
        break;
    case GameItem::UndoAll:
        if (!replaying())
            engine_->UndoAll(data_.UndoallSpeed());
        break;
    case GameItem::RedoAll:
        if (!replaying())
            engine_->RedoAll(data_.UndoallSpeed());
        break;
    case GameItem::ViewToolbar:
        data_.ShowToolbar(data_.ShowToolbar() == 1 ? 0 : 1);
        ArrangeTable();
        break;
    default: break;
    }
}

void frmMain::mReplay_Click(ReplayItem item)
{
    if (item == ReplayItem::Stop) {
        StopReplay();
        return;
    }
    if (!data_.GameRunning() || engine_->Busy())
        return;
    switch (item) {
    case ReplayItem::Forward: tmrForward_.start(); break;
    case ReplayItem::Back: tmrBackward_.start(); break;
    case ReplayItem::ReplayAll:
        engine_->UndoAll(1);
        tmrForward_.start();
        break;
    default: break;
    }
}

void frmMain::mFav_Click(FavItem item)
{
    switch (item) {
    case FavItem::AddToFavorites:
        if (!data_.GameRunning())
            return;
        // A favourite that could not be kept has been reported: no success.
        if (score_->AddFav(data_.CurGName(), data_.CurGNo()))
            prompt_.Info(this, QStringLiteral("Game <") + data_.CurGNo().toText()
                                   + QStringLiteral("> Successfully Added to Favorites Under <") + data_.CurGName()
                                   + QStringLiteral("> Folder"));
        break;
    case FavItem::OrganizeFavorites: frmOrgFav::showModal(appContext(), this); break;
    case FavItem::PlayFromFavorites: frmPlayFav::showModal(appContext(), this); break;
    default: break;
    }
}

void frmMain::mStat_Click(StatItem item)
{
    switch (item) {
    case StatItem::GameStatistics: frmGameStat::showModal(appContext(), this); break;
    case StatItem::SessionStatistics: frmSesStat::showModal(appContext(), this); break;
    case StatItem::HighScores: frmHighScore::showModal(appContext(), this); break;
    case StatItem::LogStatistics: frmLogStat::showModal(appContext(), this); break;
    default: break;
    }
}

void frmMain::mTools_Click(ToolsItem item)
{
    switch (item) {
    case ToolsItem::Customize: frmCustomize::showModal(appContext(), this); break;
    case ToolsItem::Players: frmPlayers::showModal(appContext(), this); break;
    case ToolsItem::History: showHistory(); break;
    default: break;
    }
}

void frmMain::mHelp_Click(HelpItem item)
{
    switch (item) {
    case HelpItem::Rules:
        if (data_.GameRunning())
            data_.ShowRules(data_.CurGName());
        else
            data_.ShowContents();
        break;
    case HelpItem::Contents: data_.ShowContents(); break;
    case HelpItem::About: showAbout(); break;
    default: break;
    }
}

void frmMain::Toolbar1_ButtonClick(ToolbarButton button)
{
    switch (button) {
    case ToolbarButton::New: mFile_Click(FileItem::NewGame); break;
    case ToolbarButton::Select: mFile_Click(FileItem::SelectGame); break;
    case ToolbarButton::Restart: mFile_Click(FileItem::RestartGame); break;
    case ToolbarButton::Autoplay: mGame_Click(GameItem::Autoplay); break;
    case ToolbarButton::Undo: mGame_Click(GameItem::Undo); break;
    case ToolbarButton::Redo: mGame_Click(GameItem::Redo); break;
    case ToolbarButton::Back: mReplay_Click(ReplayItem::Back); break;
    case ToolbarButton::ReplayStop: mReplay_Click(ReplayItem::Stop); break;
    case ToolbarButton::Forward: mReplay_Click(ReplayItem::Forward); break;
    case ToolbarButton::Statistics: mStat_Click(StatItem::GameStatistics); break;
    case ToolbarButton::Help: mHelp_Click(HelpItem::Rules); break;
    default: break;
    }
}

void frmMain::showSelect(bool modal)
{
    if (modal)
        frmSelect::showModal(context(), this);
    else
        frmSelect::showModeless(context());
}

void frmMain::showChoose() { frmChoose::showModal(context(), this); }

void frmMain::showHistory()
{
    if (!data_.GameRunning())
        return;
    frmHistory dlg(*engine_->Trans, this);
    prompt_.Run(dlg);
}

void frmMain::showAbout()
{
    frmAbout dlg(data_, this);
    prompt_.Run(dlg);
}

// --- timers ---

bool frmMain::replaying() const { return tmrForward_.isActive() || tmrBackward_.isActive(); }

void frmMain::tmrMain_Timer()
{
    UpdateMenus();
    UpdateToolbar();
    // Not in the middle of a deal or a drag, which a message box would stop.
    if (!engine_->Busy())
        tellSettingsProblem();
}

void frmMain::tellSettingsProblem()
{
    // Each new reason once; meanwhile the settings go on in memory.
    const QString problem = data_.Store().Problem();
    if (problem == settingsProblem_)
        return;
    settingsProblem_ = problem;
    if (!problem.isEmpty())
        prompt_.Error(this, problem);
}

void frmMain::tmrTime_Timer()
{
    const bool running = data_.GameRunning();
    // A text that stays is left alone; a new one of the same width paints its
    // caption again (StatusMenuBar).
    const auto show = [](QAction *a, const QString &text) {
        if (a->text() != text)
            a->setText(text);
    };
    show(mScore_, data_.ShowScore() == 1 && running ? QStringLiteral("Score :") + QString::number(engine_->CalcScore())
                                                    : QString());
    show(mTime_, data_.ShowTime() == 1 && running ? QStringLiteral("Time :") + FormatTime(engine_->GetGameSeconds())
                                                  : QString());
    show(mMoves_, data_.ShowMoves() == 1 && running
                      ? QStringLiteral("Moves :") + QString::number(engine_->Trans->GetTransID())
                      : QString());
    if (!stateFile_.isEmpty())
        WriteTableState(stateFile_, *this);
    if (!running)
        return;
    engine_->SampleStatus();
    if (engine_->Games.StockNum() == StockMarker::Redeal) {
        // A redeal marker with nothing left to turn back shows the stop.
        const bool empty =
            engine_->Array.GetTop(PileType::Stock, 0) < 0 && engine_->Array.GetTop(PileType::Waste, 0) < 0;
        engine_->SetStockMarkerPic(empty ? MarkerPic::Stop : MarkerPic::Redeal);
    }
}

void frmMain::tmrForward_Timer() { replayTick(true); }

void frmMain::tmrBackward_Timer() { replayTick(false); }

void frmMain::replayTick(bool forward)
{
    // Starting one direction stops the other; the replay ends by itself at
    // either end of the journal, and with the game.
    (forward ? tmrBackward_ : tmrForward_).stop();
    item(ReplayItem::Stop)->setEnabled(true);
    if (!data_.GameRunning()) {
        StopReplay();
        return;
    }
    if (engine_->Busy())
        return;
    const int16_t speed = data_.ReplaySpeed();
    if (!(forward ? engine_->Redo(speed) : engine_->Undo(speed)))
        StopReplay();
}

void frmMain::StopReplay()
{
    item(ReplayItem::Stop)->setEnabled(false);
    tmrBackward_.stop();
    tmrForward_.stop();
}

void frmMain::UpdateMenus()
{
    const bool running = data_.GameRunning();
    item(GameItem::ViewToolbar)->setChecked(data_.ShowToolbar() != 0);
    for (QAction *a : {item(FileItem::RestartGame), item(FileItem::CloseGame), item(FavItem::AddToFavorites),
                       item(ToolsItem::History)})
        a->setEnabled(running);
    item(GameItem::Autoplay)->setChecked(data_.Autoplay() != 0);
    item(GameItem::Autoplay)->setEnabled(engine_->Games.DisAutoPlay() == 0);
    const cTrans &t = *engine_->Trans;
    if (!running || replaying()) {
        for (GameItem i : {GameItem::Undo, GameItem::Redo, GameItem::UndoAll, GameItem::RedoAll})
            item(i)->setEnabled(false);
        for (ReplayItem i : {ReplayItem::Forward, ReplayItem::Back, ReplayItem::ReplayAll})
            item(i)->setEnabled(false);
    } else {
        item(GameItem::Undo)->setEnabled(t.UndoPossible());
        item(GameItem::Redo)->setEnabled(t.RedoPossible());
        item(GameItem::UndoAll)->setEnabled(t.UndoPossible());
        item(GameItem::RedoAll)->setEnabled(t.RedoPossible());
        item(ReplayItem::Forward)->setEnabled(t.RedoPossible());
        item(ReplayItem::Back)->setEnabled(t.UndoPossible());
        item(ReplayItem::ReplayAll)->setEnabled(t.UndoPossible() || t.RedoPossible());
    }
    UpdateRecentMenu();
}

void frmMain::UpdateToolbar()
{
    const auto copy = [this](ToolbarButton button, const QAction *menuItem) {
        QAction *b = toolButton(button);
        if (b->isEnabled() != menuItem->isEnabled())
            b->setEnabled(menuItem->isEnabled());
    };
    copy(ToolbarButton::Restart, item(FileItem::RestartGame));
    copy(ToolbarButton::Undo, item(GameItem::Undo));
    copy(ToolbarButton::Redo, item(GameItem::Redo));
    const bool pressed = data_.Autoplay() == 1;
    if (toolButton(ToolbarButton::Autoplay)->isChecked() != pressed)
        toolButton(ToolbarButton::Autoplay)->setChecked(pressed);
    copy(ToolbarButton::Back, item(ReplayItem::Back));
    copy(ToolbarButton::ReplayStop, item(ReplayItem::Stop));
    copy(ToolbarButton::Forward, item(ReplayItem::Forward));
    copy(ToolbarButton::Autoplay, item(GameItem::Autoplay));
}

void frmMain::ArrangeTable()
{
    if (!picMain_)
        return;
    // The setting is a flag; a stray stored value such as 2 must not open a
    // gap of two toolbar heights.
    const int strip = data_.ShowToolbar() != 0 ? ToolbarStrip : 0;
    if (!isMinimized()) {
        toolbar_->setVisible(strip > 0);
        toolbar_->setGeometry(0, 0, central_->width(), twipsToPx(ToolbarStrip));
        const int top = twipsToPx(strip);
        picBack_->setGeometry(0, top, central_->width(), std::max(0, central_->height() - top));
    }
    picMain_->resize(twipsToPx(TableWidth), twipsToPx(TableHeight));
    const double left = (pixelsToTwips(picBack_->width()) - TableWidth) / 2.0 - 20.0;
    picMain_->move(twipsToPx(left), 0);
}

void frmMain::UpdateRecentMenu()
{
    if (recentItems_.size() <= size_t(cData::RecentSlots))
        return;
    // The poll asks ten times a second; the items change only with the list.
    std::array<QString, cData::RecentSlots> names;
    for (int k = 1; k <= cData::RecentSlots; ++k)
        names[static_cast<size_t>(k - 1)] = data_.GetRecent(static_cast<int16_t>(k));
    if (shownRecent_ && *shownRecent_ == names)
        return;
    shownRecent_ = names;
    for (int k = 1; k <= cData::RecentSlots; ++k) {
        QAction *entry = recentItems_[static_cast<size_t>(k)];
        const QString &name = names[static_cast<size_t>(k - 1)];
        // A menu text takes "&" for its access key: the name's own are doubled.
        const QString caption =
            name.isEmpty() ? QString()
                           : u'&' + QString::number(k) + u' ' + QString(name).replace(u'&', QLatin1String("&&"));
        if (k == 1) {
            if (entry->text() != caption)
                entry->setText(caption);
            continue;
        }
        if (entry->isVisible() != !name.isEmpty())
            entry->setVisible(!name.isEmpty());
        if (entry->text() != caption)
            entry->setText(caption);
    }
}

} // namespace tw
