#include "highscore.h"

#include "columnfit.h"
#include "engine/clock.h"
#include "media/icons.h"
#include "media/resources.h"
#include "records/recordfile.h"
#include "records/score.h"
#include "settings/data.h"
#include "settings/prompt.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tw {

namespace {

// The cells a ranking row can show, in the order the lists use them.
enum class Cell { Player, Game, Score, Time, Moves, Status, Date, GameNo };

QString header(Cell c)
{
    switch (c) {
    case Cell::Player: return QStringLiteral("Player");
    case Cell::Game: return QStringLiteral("Game");
    case Cell::Score: return QStringLiteral("Score");
    case Cell::Time: return QStringLiteral("Time");
    case Cell::Moves: return QStringLiteral("Moves");
    case Cell::Status: return QStringLiteral("Status");
    case Cell::Date: return QStringLiteral("Date");
    case Cell::GameNo: return QStringLiteral("Game No.");
    }
    return QString();
}

QString cellText(Cell c, const ScoreRec &r)
{
    switch (c) {
    case Cell::Player: return r.Player;
    case Cell::Game: return r.GName;
    case Cell::Score: return QString::number(r.Score);
    case Cell::Time: return FormatTime(r.Time);
    case Cell::Moves: return QString::number(r.Moves);
    case Cell::Status: return WonLost(r.Status);
    // A date the reader could not make out is shown as it stands in the file.
    case Cell::Date: return r.HasDate() ? recordfile::shortDateText(r.Day) : r.Date;
    case Cell::GameNo: return r.GNo.toText();
    }
    return QString();
}

const QList<Cell> kTopCells = {Cell::Player, Cell::Game,   Cell::Score, Cell::Time,
                               Cell::Moves,  Cell::Status, Cell::Date,  Cell::GameNo};
const QList<Cell> kGameCells = {Cell::Player, Cell::Score, Cell::Time,  Cell::Moves,
                                Cell::Status, Cell::Date,  Cell::GameNo};
const QList<Cell> kPlayerCells = {Cell::Game,   Cell::Score, Cell::Time,  Cell::Moves,
                                  Cell::Status, Cell::Date,  Cell::GameNo};
const QList<Cell> kFinCells = {Cell::Player, Cell::Game, Cell::Score, Cell::Time,
                               Cell::Moves,  Cell::Date, Cell::GameNo};

// A ranking list: the rank, then the cells. The focus frame spans the row,
// and the columns stay in the order of the ranking.
QTreeWidget *makeRanking(QWidget *parent, const QString &name, const QList<Cell> &cells)
{
    QStringList labels{QStringLiteral("S No.")};
    for (Cell c : cells)
        labels << header(c);
    return MakeRecordsList(parent, name, labels, {.wholeRowFocus = true, .movableColumns = false});
}

// One ranked row: the rank with its picture, then the record's cells; the
// ranking key's cell in bold.
void addRow(QTreeWidget *lv, int rank, const QIcon &icon, const ScoreRec &r, const QList<Cell> &cells, Cell bold)
{
    auto *item = new QTreeWidgetItem(lv);
    item->setText(0, QString::number(rank));
    item->setIcon(0, icon);
    for (int k = 0; k < cells.size(); ++k) {
        item->setText(k + 1, cellText(cells[k], r));
        if (cells[k] == bold) {
            QFont f = lv->font();
            f.setBold(true);
            item->setFont(k + 1, f);
        }
    }
}

// Room for every row the list shows and for the longest texts a ranking may
// bring: any player's name, any game's name, a 15-digit game number.
void fitColumns(QTreeWidget *lv, const QList<Cell> &cells, const cData &data)
{
    ColumnFit fit(lv);
    for (int k = 0; k < cells.size(); ++k) {
        switch (cells[k]) {
        case Cell::Player: fit.add(k + 1, ColumnFit::playerNames(data)); break;
        case Cell::Game: fit.add(k + 1, ColumnFit::gameNames(data)); break;
        case Cell::Date: fit.add(k + 1, ColumnFit::widestShortDate()); break;
        case Cell::GameNo: fit.add(k + 1, ColumnFit::widestGameNumber()); break;
        default: break;
        }
    }
    fit.apply(lv);
}

QIcon cupPicture()
{
    // A gold cup on a small foot.
    return art::SmallIcon([](QPainter &p) {
        const QColor gold(230, 180, 30);
        const QPen rim(QColor(140, 95, 10), 1);
        p.setPen(rim);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(1, 3, 5, 5), 90 * 16, 180 * 16); // handles
        p.drawArc(QRectF(10, 3, 5, 5), 270 * 16, 180 * 16);
        QPainterPath bowl;
        bowl.moveTo(3.5, 1.5);
        bowl.lineTo(12.5, 1.5);
        bowl.cubicTo(12.5, 8, 10.5, 10, 8, 10);
        bowl.cubicTo(5.5, 10, 3.5, 8, 3.5, 1.5);
        bowl.closeSubpath();
        p.setBrush(gold);
        p.drawPath(bowl);
        p.drawRect(QRectF(7, 10, 2, 2.5));
        p.drawRect(QRectF(4.5, 12.5, 7, 2));
    });
}

QIcon cardPicture()
{
    // One card with a black spade pip drawn as a dot and stem.
    return art::SmallIcon([](QPainter &p) {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(3.5, 1.5, 9, 13), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(25, 25, 25));
        QPainterPath s;
        s.moveTo(8, 4);
        s.cubicTo(11.5, 7, 11, 10, 8, 9);
        s.cubicTo(5, 10, 4.5, 7, 8, 4);
        p.drawPath(s);
        p.drawRect(QRectF(7.5, 8.5, 1, 3));
    });
}

// A ranking slot holds a record when it differs from the empty record; a
// record read from a file always names its player and has a game number.
// The 20 best positive scores, of one game or player when named, one row each.
void listScores(cScore &score, const cData &data, QTreeWidget *lv, const QList<Cell> &cells, const QIcon &icon,
                const QString &GName, const QString &Player)
{
    // The store's ranking table is shared by every view: copy it at once.
    score.Sort(GName, Player, 0);
    lv->clear();
    for (int16_t i = 1; i <= 20; ++i) {
        ScoreRec r;
        score.GetTopRec(i, r);
        if (r.Score > 0)
            addRow(lv, i, icon, r, cells, Cell::Score);
    }
    fitColumns(lv, cells, data);
}

bool slotFilled(const ScoreRec &r)
{
    return !r.Date.isEmpty() || !r.GName.isEmpty() || !r.GNo.isEmpty() || r.Time != 0 || r.Moves != 0 || r.Score != 0
           || r.Status != 0 || !r.Player.isEmpty();
}

} // namespace

QIcon frmHighScore::SmallPicture(int index)
{
    switch (index) {
    case 1: return cupPicture();
    case 2: return cardPicture();
    case 3: return art::PlayerIcon();
    default: return QIcon();
    }
}

frmHighScore::frmHighScore(const AppContext &context, QWidget *parent) : QDialog(parent), ctx_(context)
{
    setWindowTitle(QStringLiteral("High Score"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    auto *top = new QWidget;
    lvTop = makeRanking(top, QStringLiteral("lvTop"), kTopCells);
    auto *topLayout = new QVBoxLayout(top);
    topLayout->addWidget(lvTop);
    SSTab1->addTab(top, QStringLiteral("Top Games"));

    // The three chosen rankings: a frame with the chooser above its list.
    auto framed = [this](const QString &tab, const QString &frame, const QString &chooser, const QString &list,
                         const QList<Cell> &cells, QGroupBox *&box, QComboBox *&combo, QTreeWidget *&lv) {
        auto *page = new QWidget;
        box = new QGroupBox(page);
        box->setObjectName(frame);
        combo = new QComboBox(box);
        combo->setObjectName(chooser);
        combo->setIconSize(QSize(16, 16));
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->setMinimumWidth(200);
        lv = makeRanking(box, list, cells);
        auto *row = new QHBoxLayout;
        row->addWidget(combo);
        row->addStretch(1);
        auto *inner = new QVBoxLayout(box);
        inner->addLayout(row);
        inner->addWidget(lv);
        auto *pageLayout = new QVBoxLayout(page);
        pageLayout->addWidget(box);
        SSTab1->addTab(page, tab);
    };
    framed(QStringLiteral("Game-wise"), QStringLiteral("Frame1"), QStringLiteral("imcGames"), QStringLiteral("lvGames"),
           kGameCells, Frame1, imcGames, lvGames);
    framed(QStringLiteral("Player-wise"), QStringLiteral("Frame2"), QStringLiteral("imcPlayer"),
           QStringLiteral("lvPlayer"), kPlayerCells, Frame2, imcPlayer, lvPlayer);
    framed(QStringLiteral("Finished Games"), QStringLiteral("Frame3"), QStringLiteral("imcFin"),
           QStringLiteral("lvFin"), kFinCells, Frame3, imcFin, lvFin);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, [this] { close(); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(buttons);
    resize(780, 540); // room for all twenty rows

    Form_Load();

    // Only a person's choice re-ranks; the fills above ran each view once.
    connect(imcGames, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            ShowGameWise(imcGames->itemText(i));
    });
    connect(imcPlayer, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            ShowPlayerWise(imcPlayer->itemText(i));
    });
    connect(imcFin, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            ShowFinished(imcFin->itemText(i));
    });
}

frmHighScore::~frmHighScore()
{
    // A window destroyed without being closed still gives the table back.
    Form_Unload();
}

void frmHighScore::Form_Load()
{
    SSTab1->setCurrentIndex(0);
    if (ctx_.data)
        setWindowIcon(Pictures(*ctx_.data).Icon());
    ctx_.score->OpenAllScore();
    loaded_ = true;
    ShowTopGames();
    FillGames();
    FillPlayers();
    FillFinSort();
}

void frmHighScore::Form_Unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    ctx_.score->CloseScore();
}

void frmHighScore::done(int r)
{
    // Every way out (Close, the close box, Escape) passes here.
    Form_Unload();
    QDialog::done(r);
}

int frmHighScore::showModal(const AppContext &context, QWidget *owner)
{
    frmHighScore w(context, owner);
    return context.prompt->Run(w);
}

void frmHighScore::ShowTopGames()
{
    listScores(*ctx_.score, *ctx_.data, lvTop, kTopCells, SmallPicture(1), QString(), QString());
}

void frmHighScore::FillGames()
{
    const cData &d = *ctx_.data;
    const QString current = d.CurGName();
    const QIcon icon = SmallPicture(1);
    {
        const QSignalBlocker block(imcGames);
        imcGames->clear();
        const int16_t n = d.TotalGames();
        for (int16_t i = 1; i <= n; ++i) {
            const QString name = d.GetGName(i);
            imcGames->addItem(icon, name);
            // The first game, unless the current one comes later.
            if (i == 1 || name == current)
                imcGames->setCurrentIndex(imcGames->count() - 1);
        }
    }
    ShowGameWise(imcGames->currentText());
}

void frmHighScore::ShowGameWise(const QString &GName)
{
    // No game chosen is no ranking of one game (an empty name would rank all).
    if (GName.isEmpty()) {
        lvGames->clear();
        fitColumns(lvGames, kGameCells, *ctx_.data);
        return;
    }
    listScores(*ctx_.score, *ctx_.data, lvGames, kGameCells, SmallPicture(2), GName, QString());
}

void frmHighScore::FillPlayers()
{
    const cData &d = *ctx_.data;
    const QString current = d.CurPlayer();
    const QIcon icon = SmallPicture(3);
    {
        const QSignalBlocker block(imcPlayer);
        imcPlayer->clear();
        const int16_t n = d.TotalPlayers();
        int selected = -1;
        for (int16_t i = 1; i <= n; ++i) {
            const QString name = d.GetPlayer(i);
            imcPlayer->addItem(icon, name);
            if (name == current)
                selected = imcPlayer->count() - 1;
        }
        // A current player outside the list selects nobody.
        imcPlayer->setCurrentIndex(selected);
    }
    ShowPlayerWise(current);
}

void frmHighScore::ShowPlayerWise(const QString &Player)
{
    // No player is no ranking of one player (an empty name would rank all).
    if (Player.isEmpty()) {
        lvPlayer->clear();
        fitColumns(lvPlayer, kPlayerCells, *ctx_.data);
        return;
    }
    listScores(*ctx_.score, *ctx_.data, lvPlayer, kPlayerCells, SmallPicture(2), QString(), Player);
}

void frmHighScore::FillFinSort()
{
    const QIcon icon = SmallPicture(1);
    {
        const QSignalBlocker block(imcFin);
        imcFin->clear();
        imcFin->addItem(icon, QStringLiteral("Score"));
        imcFin->addItem(icon, QStringLiteral("Moves"));
        imcFin->addItem(icon, QStringLiteral("Time"));
        imcFin->setCurrentIndex(0);
    }
    ShowFinished(imcFin->currentText());
}

void frmHighScore::ShowFinished(const QString &key)
{
    Cell bold;
    if (key == QLatin1String("Score")) {
        ctx_.score->Sort(QString(), QString(), 1); // won games only
        bold = Cell::Score;
    } else if (key == QLatin1String("Moves")) {
        ctx_.score->FinSort(false, true);
        bold = Cell::Moves;
    } else if (key == QLatin1String("Time")) {
        ctx_.score->FinSort(true, false);
        bold = Cell::Time;
    } else {
        lvFin->clear();
        return;
    }
    lvFin->clear();
    const QIcon icon = SmallPicture(2);
    for (int16_t i = 1; i <= 20; ++i) {
        ScoreRec r;
        ctx_.score->GetTopRec(i, r);
        // Every ranked record is listed, also one whose date text is empty.
        if (slotFilled(r))
            addRow(lvFin, i, icon, r, kFinCells, bold);
    }
    fitColumns(lvFin, kFinCells, *ctx_.data);
}

} // namespace tw
