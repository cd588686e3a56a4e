#include "logstat.h"

#include "engine/clock.h"
#include "media/icons.h"
#include "media/resources.h"
#include "records/recordfile.h"
#include "records/score.h"
#include "records/scoretable.h"
#include "settings/data.h"
#include "settings/prompt.h"
#include "statistics/columnfit.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <limits>
#include <vector>

namespace tw {

namespace {

// What the log's columns are filled from: one listed row, and the dates'
// format, looked up once for all rows.
struct LogCell {
    const ScoreRec &record;
    int row; // counted from 0
    const QLocale &locale;
    const QString &dateFormat;
};

// The extremes of the figures listed, and what else the widest cell of a
// column may hold.
struct LogExtent {
    qint64 rows = 0;
    int32_t lowTime = 0, highTime = 0, lowScore = 0, highScore = 0, lowMoves = 0, highMoves = 0;
    const cData *data = nullptr;
};

// The log's columns, in order: the caption, whether the column holds figures
// (set to the right), the text of a row, and the texts that may measure
// widest in it, besides the rows the list measures itself.
struct LogColumn {
    const char *caption;
    bool figures;
    QString (*text)(const LogCell &c);
    QStringList (*widest)(const LogExtent &e);
};

const LogColumn kColumns[] = {
    {"S No.", false, [](const LogCell &c) { return QString::number(c.row + 1); },
     [](const LogExtent &e) { return QStringList{QString::number(e.rows)}; }},
    {"Player", false, [](const LogCell &c) { return c.record.Player; },
     [](const LogExtent &e) { return ColumnFit::playerNames(*e.data); }},
    {"Game", false, [](const LogCell &c) { return c.record.GName; },
     [](const LogExtent &e) { return ColumnFit::gameNames(*e.data); }},
    {"Score", true, [](const LogCell &c) { return QString::number(c.record.Score); },
     [](const LogExtent &e) {
         return QStringList{QString::number(e.lowScore), QString::number(e.highScore), QStringLiteral("-32768")};
     }},
    {"Time", true, [](const LogCell &c) { return FormatTime(c.record.Time); },
     [](const LogExtent &e) {
         return QStringList{FormatTime(e.lowTime), FormatTime(e.highTime), FormatTime(359999)};
     }},
    {"Moves", true, [](const LogCell &c) { return QString::number(c.record.Moves); },
     [](const LogExtent &e) {
         return QStringList{QString::number(e.lowMoves), QString::number(e.highMoves), QStringLiteral("32767")};
     }},
    {"Status", false, [](const LogCell &c) { return WonLost(c.record.Status); },
     [](const LogExtent &) {
         return QStringList{WonLost(0), WonLost(1)};
     }},
    // A date that cannot be read shows as it was recorded.
    {"Date", false,
     [](const LogCell &c) {
         return c.record.HasDate() ? c.locale.toString(c.record.Day, c.dateFormat) : c.record.Date;
     },
     [](const LogExtent &) { return QStringList{ColumnFit::widestShortDate()}; }},
    {"Game Number", false, [](const LogCell &c) { return c.record.GNo.toText(); },
     [](const LogExtent &) { return QStringList{ColumnFit::widestGameNumber()}; }},
};
constexpr int ColCount = static_cast<int>(std::size(kColumns));
// The column that carries the row picture.
constexpr int ColNo = 0;

struct DateWindow {
    const char *text;
    const char *key; // empty: every record
};

constexpr DateWindow kDateWindows[] = {
    {"Show Today", "t"},     {"Last 3 Days", "3d"},   {"Last 7 Days", "7d"}, {"Last 30 Days", "30d"},
    {"Last 3 Months", "3m"}, {"Last 5 Months", "5m"}, {"Show All", ""},
};

} // namespace

namespace {

// The calendar days of a date window as Julian day numbers, both ends
// included. Counting by calendar boundaries makes a window a plain range of
// days ending today.
struct DayRange {
    bool everything = false; // "Show All": also records without a date
    qint64 first = 0;
    qint64 last = -1;
    bool holds(const QDate &day) const
    {
        if (everything)
            return true;
        if (!day.isValid())
            return false;
        const qint64 jd = day.toJulianDay();
        return jd >= first && jd <= last;
    }
};

DayRange dayRange(const QDateTime &now, const QString &key)
{
    DayRange r;
    if (key.isEmpty()) {
        r.everything = true;
        return r;
    }
    if (!now.isValid())
        return r;
    const QDate today = now.date();
    const QDate month(today.year(), today.month(), 1);
    r.last = today.toJulianDay();
    if (key == u"t")
        r.first = r.last;
    else if (key == u"3d")
        r.first = r.last - 3;
    else if (key == u"7d")
        r.first = r.last - 7;
    else if (key == u"30d")
        r.first = r.last - 30;
    else if (key == u"3m")
        r.first = month.addMonths(-3).toJulianDay();
    else if (key == u"5m")
        r.first = month.addMonths(-5).toJulianDay();
    else
        r.first = std::numeric_limits<qint64>::min();
    return r;
}

} // namespace

bool logListed(const ScoreRec &rec, const QDateTime &now, const QString &key)
{
    // A date that could not be read lies in no day or month.
    return dayRange(now, key).holds(rec.Day);
}

// The rows of the log: positions in the loaded table, read when a row is
// painted. Nothing is kept per row but its position.
class frmLogStat::Rows : public QAbstractTableModel {
public:
    Rows(const ScoreTable &table, QObject *parent) : QAbstractTableModel(parent), table_(table), icon_(RowIcon()) {}

    void show(std::vector<uint32_t> rows)
    {
        beginResetModel();
        rows_ = std::move(rows);
        cachedRow_ = -1;
        locale_ = QLocale();
        dateFormat_ = recordfile::shortDateFormat();
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex &parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : ColCount;
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= rowCount())
            return {};
        const int c = index.column();
        if (role == Qt::DecorationRole)
            return c == ColNo ? QVariant(icon_) : QVariant();
        if (role == Qt::TextAlignmentRole)
            return alignment(c);
        if (role != Qt::DisplayRole)
            return {};
        return kColumns[c].text({record(index.row()), index.row(), locale_, dateFormat_});
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= ColCount)
            return {};
        if (role == Qt::TextAlignmentRole)
            return alignment(section);
        if (role != Qt::DisplayRole)
            return {};
        return QString::fromLatin1(kColumns[section].caption);
    }

private:
    static QVariant alignment(int column)
    {
        if (kColumns[column].figures)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        return {};
    }

    // The cells of a row are asked for one after another: the record is read
    // once for all of them.
    const ScoreRec &record(int row) const
    {
        if (row != cachedRow_) {
            cached_ = table_.record(rows_[static_cast<size_t>(row)]);
            cachedRow_ = row;
        }
        return cached_;
    }

    const ScoreTable &table_;
    std::vector<uint32_t> rows_;
    QIcon icon_;
    QLocale locale_;
    QString dateFormat_;
    mutable int cachedRow_ = -1;
    mutable ScoreRec cached_;
};

QIcon frmLogStat::RowIcon()
{
    // A small ruled sheet.
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(QColor(252, 250, 235));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(QPen(QColor(40, 90, 170), 1));
    for (int y = 5; y <= 11; y += 3)
        p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
    return QIcon(pm);
}

frmLogStat::frmLogStat(const AppContext &context, QWidget *parent) : QDialog(parent), ctx_(context)
{
    setObjectName(QStringLiteral("frmLogStat"));
    setWindowTitle(QStringLiteral("Log Statistics"));
    setWindowIcon(Pictures(*ctx_.data).Icon());

    imcPlayer = new QComboBox(this);
    imcPlayer->setObjectName(QStringLiteral("imcPlayer"));
    imcPlayer->setMinimumWidth(150);
    imcGames = new QComboBox(this);
    imcGames->setObjectName(QStringLiteral("imcGames"));
    imcGames->setMinimumWidth(190);
    imcGames->setMaxVisibleItems(20);
    imcDate = new QComboBox(this);
    imcDate->setObjectName(QStringLiteral("imcDate"));
    imcDate->setMinimumWidth(140);

    rows_ = new Rows(ctx_.score->Table(), this);
    lvLog = new QTreeView(this);
    lvLog->setObjectName(QStringLiteral("lvLog"));
    lvLog->setRootIsDecorated(false);
    lvLog->setItemsExpandable(false);
    lvLog->setUniformRowHeights(true);
    lvLog->setAllColumnsShowFocus(true);
    lvLog->setSelectionMode(QAbstractItemView::SingleSelection);
    lvLog->setIconSize(QSize(16, 16));
    lvLog->setModel(rows_);

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);

    auto *choosers = new QHBoxLayout;
    choosers->addWidget(imcPlayer);
    choosers->addWidget(imcGames);
    choosers->addWidget(imcDate);
    choosers->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto *main = new QVBoxLayout(this);
    main->addLayout(choosers);
    main->addWidget(lvLog, 1);
    main->addLayout(buttons);
    resize(860, 460);

    ctx_.score->OpenAllScore();
    loaded_ = true;
    FillGames();
    FillPlayers();
    FillDates();
    ShowLog();

    for (QComboBox *box : {imcPlayer, imcGames, imcDate})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { ShowLog(); });
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

frmLogStat::~frmLogStat() { release(); }

void frmLogStat::release()
{
    if (loaded_) {
        loaded_ = false;
        // The rows point into the table that goes now.
        rows_->show({});
        ctx_.score->CloseScore();
    }
}

void frmLogStat::done(int r)
{
    release();
    QDialog::done(r);
}

QDateTime frmLogStat::now() const { return ctx_.score->Now ? ctx_.score->Now() : QDateTime::currentDateTime(); }

void frmLogStat::FillGames()
{
    const QSignalBlocker block(imcGames);
    imcGames->clear();
    const QIcon icon = art::GameIcon();
    imcGames->addItem(icon, QStringLiteral("All Games"));
    const int16_t n = ctx_.data->TotalGames();
    for (int16_t i = 1; i <= n; ++i)
        imcGames->addItem(icon, ctx_.data->GetGName(i));
    imcGames->setCurrentIndex(0);
}

void frmLogStat::FillPlayers()
{
    const QSignalBlocker block(imcPlayer);
    imcPlayer->clear();
    const QIcon icon = art::PlayerIcon();
    imcPlayer->addItem(icon, QStringLiteral("All Players"));
    const int16_t n = ctx_.data->TotalPlayers();
    for (int16_t i = 1; i <= n; ++i)
        imcPlayer->addItem(icon, ctx_.data->GetPlayer(i));
    imcPlayer->setCurrentIndex(0);
}

void frmLogStat::FillDates()
{
    const QSignalBlocker block(imcDate);
    imcDate->clear();
    const QIcon icon = art::GameIcon();
    for (const DateWindow &w : kDateWindows)
        imcDate->addItem(icon, QLatin1String(w.text), QString::fromLatin1(w.key));
    imcDate->setCurrentIndex(imcDate->count() - 1);
}

void frmLogStat::ShowLog()
{
    // The first item of each chooser means "everybody" / "every game", even
    // when a player happens to carry that item's text as a name.
    const bool anyPlayer = imcPlayer->currentIndex() <= 0;
    const bool anyGame = imcGames->currentIndex() <= 0;
    const ScoreTable &table = ctx_.score->Table();
    const int64_t player = anyPlayer ? -1 : table.playerIndex(imcPlayer->currentText());
    const int64_t game = anyGame ? -1 : table.gameIndex(imcGames->currentText());
    const DayRange days = dayRange(now(), imcDate->currentData(KeyRole).toString());

    LogExtent extent{.data = ctx_.data};
    std::vector<uint32_t> shown;
    // A name no loaded record carries lists nothing.
    if ((anyPlayer || player >= 0) && (anyGame || game >= 0)) {
        const std::vector<ScoreTable::Row> &all = table.rows();
        shown.reserve(all.size());
        for (size_t i = 0; i < all.size(); ++i) {
            const ScoreTable::Row &r = all[i];
            if (player >= 0 && r.player != static_cast<uint32_t>(player))
                continue;
            if (game >= 0 && r.game != static_cast<uint32_t>(game))
                continue;
            if (!days.everything && !days.holds(recordfile::stampDate(r.stamp)))
                continue;
            shown.push_back(static_cast<uint32_t>(i));
            extent.lowTime = std::min(extent.lowTime, r.time);
            extent.highTime = std::max(extent.highTime, r.time);
            extent.lowScore = std::min(extent.lowScore, r.score);
            extent.highScore = std::max(extent.highScore, r.score);
            extent.lowMoves = std::min(extent.lowMoves, r.moves);
            extent.highMoves = std::max(extent.highMoves, r.moves);
        }
        shown.shrink_to_fit();
    }
    extent.rows = static_cast<qint64>(shown.size());
    rows_->show(std::move(shown));

    ColumnFit fit(lvLog);
    for (int c = 0; c < ColCount; ++c)
        fit.add(c, kColumns[c].widest(extent));
    fit.apply(lvLog);
}

int frmLogStat::showModal(const AppContext &context, QWidget *owner)
{
    QPointer<frmLogStat> w = new frmLogStat(context, owner);
    const int r = context.prompt->Run(*w);
    delete w.data();
    return r;
}

} // namespace tw
