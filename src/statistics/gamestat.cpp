#include "gamestat.h"

#include "media/icons.h"
#include "media/resources.h"
#include "records/recordfile.h"
#include "records/score.h"
#include "records/statfigures.h"
#include "settings/data.h"
#include "settings/prompt.h"
#include "statistics/chart.h"
#include "statistics/columnfit.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tw {

namespace {

using Row = ChartControl::Row;

using statfigures::count;

// The won/lost matrix of a summary chart, with its labels. Its one group is
// named by what it sums up: all games, a game or a player.
void showWonLost(ChartControl *chart, const StatTotals &t, const QString &group)
{
    const qint64 won = t.Won;
    const qint64 lost = statfigures::lost(t);
    chart->SetData({Row{double(won), double(lost)}});
    chart->SetRowLabels({group});
    chart->SetColumn(1);
    chart->SetColumnLabel(QStringLiteral("Won : ") + count(won));
    chart->SetColumn(2);
    chart->SetColumnLabel(QStringLiteral("Lost : ") + count(lost));
}

void labelColumns(ChartControl *chart, std::initializer_list<const char *> labels)
{
    int c = 1;
    for (const char *label : labels) {
        chart->SetColumn(c++);
        chart->SetColumnLabel(QLatin1String(label));
    }
}

// Score (never below 0 on the chart), moves and time of a summary, named as
// its won/lost chart.
void showTotalsChart(ChartControl *chart, const StatTotals &t, const QString &group)
{
    chart->SetData({Row{double(std::max<int64_t>(t.Score, 0)), double(t.Moves), double(t.Time)}});
    chart->SetRowLabels({group});
    labelColumns(chart, {"Score", "Moves", "Time"});
}

const char *const kAllGames = "All Games";

// A row of a per-game or per-player table: name, the totals and the share won.
QTreeWidgetItem *totalsRow(const QString &name, const StatTotals &t, const QString &perc, const QIcon &icon)
{
    auto *item = new QTreeWidgetItem(statfigures::totalsRow(name, t, perc));
    item->setIcon(0, icon);
    for (int c = 1; c < 8; ++c)
        item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

ChartControl *makeChart(QWidget *parent, const char *name)
{
    auto *chart = new ChartControl(parent);
    chart->setObjectName(QLatin1String(name));
    chart->SetMinimumChartSize(QSize(220, 180));
    return chart;
}

// A chart of score, moves and time: the seconds would dwarf the other two,
// so they stand in minutes on an axis of their own.
ChartControl *makeFiguresChart(QWidget *parent, const char *name)
{
    ChartControl *chart = makeChart(parent, name);
    chart->SetTimeColumn(3);
    return chart;
}

QComboBox *makeCombo(QWidget *parent, const char *name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setMinimumWidth(190);
    box->setMaxVisibleItems(20);
    return box;
}

QFrame *makeFrame(const char *name)
{
    auto *frame = new QFrame;
    frame->setObjectName(QLatin1String(name));
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

QStringList totalsHeaders(const char *first)
{
    return {QLatin1String(first),   QStringLiteral("Played"), QStringLiteral("Won"),   QStringLiteral("Lost"),
            QStringLiteral("Time"), QStringLiteral("Moves"),  QStringLiteral("Score"), QStringLiteral("Perc")};
}

// The name column takes the room the figures leave; the figures sit
// right-aligned under right-aligned headers.
void alignFigures(QTreeWidget *list)
{
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < list->columnCount(); ++c)
        list->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
}

// Every column as wide as its widest cell, the names given (every game or
// every player) included.
void fitColumns(QTreeWidget *list, const QStringList &names = {})
{
    ColumnFit fit(list);
    fit.add(0, names);
    fit.apply(list);
}

struct Period {
    const char *text;
    const char *key;
    const char *interval;
};

constexpr Period kPeriods[] = {
    {"Last 5 Days", "5d", "d"},   {"Last 10 Days", "10d", "d"},   {"Last 30 Days", "30d", "d"},
    {"Last 5 Months", "5m", "m"}, {"Last 10 Months", "10m", "m"}, {"Last 5 Years", "5y", "yyyy"},
};

} // namespace

QIcon frmGameStat::ChartIcon()
{
    // Three bars on a base line.
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::NoPen);
    p.fillRect(QRect(2, 8, 3, 6), QColor(200, 40, 40));
    p.fillRect(QRect(6, 3, 3, 11), QColor(40, 110, 200));
    p.fillRect(QRect(10, 6, 3, 8), QColor(40, 160, 70));
    p.fillRect(QRect(1, 14, 14, 1), QColor(60, 60, 60));
    return QIcon(pm);
}

namespace {
// A tab of totals: the table on top; below it the chooser over the first
// chart, beside the second chart.
void layoutTotalsTab(QWidget *frame, QTreeWidget *list, QComboBox *chooser, ChartControl *chart, ChartControl *chart1,
                     int chart1Stretch)
{
    auto *left = new QVBoxLayout;
    left->addWidget(chooser);
    left->addWidget(chart, 1);
    auto *charts = new QHBoxLayout;
    charts->addLayout(left, 1);
    charts->addWidget(chart1, chart1Stretch);
    auto *l = new QVBoxLayout(frame);
    l->addWidget(list, 1);
    l->addLayout(charts, 1);
}
} // namespace

frmGameStat::frmGameStat(const AppContext &context, QWidget *parent) : QDialog(parent), ctx_(context)
{
    setObjectName(QStringLiteral("frmGameStat"));
    setWindowTitle(QStringLiteral("Game Statistics"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    Frame2 = makeFrame("Frame2");
    Frame1 = makeFrame("Frame1");
    Frame3 = makeFrame("Frame3");
    Frame4 = makeFrame("Frame4");
    SSTab1->addTab(Frame2, QStringLiteral("General Summary"));
    SSTab1->addTab(Frame1, QStringLiteral("Game-wise"));
    SSTab1->addTab(Frame3, QStringLiteral("Date-wise"));
    SSTab1->addTab(Frame4, QStringLiteral("Player-wise"));

    // General summary: the figures beside their two charts.
    lvGeneral = MakeRecordsList(Frame2, QStringLiteral("lvGeneral"), {QString()});
    lvGeneral->setHeaderHidden(true);
    lvGeneral->header()->setStretchLastSection(true);
    chGen = makeChart(Frame2, "chGen");
    chGen1 = makeFiguresChart(Frame2, "chGen1");
    {
        auto *charts = new QVBoxLayout;
        charts->addWidget(chGen, 1);
        charts->addWidget(chGen1, 1);
        auto *l = new QHBoxLayout(Frame2);
        l->addWidget(lvGeneral, 0);
        l->addLayout(charts, 1);
    }

    // Game-wise: the table of every variant over the charts of the picked one.
    lvGames = MakeRecordsList(Frame1, QStringLiteral("lvGames"), totalsHeaders("Game"));
    alignFigures(lvGames);
    imcGames = makeCombo(Frame1, "imcGames");
    chGames = makeChart(Frame1, "chGames");
    chGames1 = makeFiguresChart(Frame1, "chGames1");
    layoutTotalsTab(Frame1, lvGames, imcGames, chGames, chGames1, 2);

    // Date-wise: one row per period bucket beside its charts.
    lvDate =
        MakeRecordsList(Frame3, QStringLiteral("lvDate"), {QString(), QStringLiteral("Played"), QStringLiteral("Won")});
    alignFigures(lvDate);
    imcDate = makeCombo(Frame3, "imcDate");
    chDate = makeChart(Frame3, "chDate");
    chDate1 = makeFiguresChart(Frame3, "chDate1");
    {
        auto *right = new QVBoxLayout;
        auto *chooser = new QHBoxLayout;
        chooser->addWidget(imcDate);
        chooser->addStretch(1);
        right->addLayout(chooser);
        right->addWidget(chDate, 1);
        right->addWidget(chDate1, 1);
        auto *l = new QHBoxLayout(Frame3);
        l->addWidget(lvDate, 0);
        l->addLayout(right, 1);
    }

    // Player-wise: the table of every player over the charts of the picked one.
    lvPlayer = MakeRecordsList(Frame4, QStringLiteral("lvPlayer"), totalsHeaders("Player"));
    alignFigures(lvPlayer);
    imcPlayer = makeCombo(Frame4, "imcPlayer");
    chPlayer = makeChart(Frame4, "chPlayer");
    chPlayer1 = makeFiguresChart(Frame4, "chPlayer1");
    layoutTotalsTab(Frame4, lvPlayer, imcPlayer, chPlayer, chPlayer1, 1);

    cmdClear = new QPushButton(QStringLiteral("Clear Statistics"), this);
    cmdClear->setObjectName(QStringLiteral("cmdClear"));
    cmdClear->setAutoDefault(false);
    cmdExport = new QPushButton(QStringLiteral("Export Statistics"), this);
    cmdExport->setObjectName(QStringLiteral("cmdExport"));
    cmdExport->setAutoDefault(false);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdClear);
    buttons->addWidget(cmdExport);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);

    auto *main = new QVBoxLayout(this);
    main->addWidget(SSTab1, 1);
    main->addLayout(buttons);
    resize(900, 640);

    SSTab1->setCurrentIndex(0);
    setWindowIcon(Pictures(*ctx_.data).Icon());
    ctx_.score->OpenAllScore();
    loaded_ = true;
    ShowGeneral();
    ShowGames();
    FillDateCombo();
    ShowPlayers();

    connect(imcGames, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            ShowGameCharts(imcGames->itemText(i));
    });
    connect(imcDate, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            ShowDates(imcDate->itemData(i, KeyRole).toString(), imcDate->itemData(i, TagRole).toString());
    });
    connect(imcPlayer, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            ShowPlayerCharts(imcPlayer->itemText(i));
    });
    connect(cmdClear, &QPushButton::clicked, this, &frmGameStat::cmdClear_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmGameStat::cmdExport_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

frmGameStat::~frmGameStat() { release(); }

void frmGameStat::release()
{
    if (loaded_) {
        loaded_ = false;
        ctx_.score->CloseScore();
    }
}

void frmGameStat::done(int r)
{
    release();
    QDialog::done(r);
}

void frmGameStat::ShowGeneral()
{
    StatTotals t;
    ctx_.score->SumStats(t);
    const QStringList lines = statfigures::summaryLines(t);
    lvGeneral->clear();
    const QIcon icon = ChartIcon();
    for (const QString &text : lines) {
        auto *item = new QTreeWidgetItem(lvGeneral, QStringList(text));
        item->setIcon(0, icon);
    }
    fitColumns(lvGeneral);
    showWonLost(chGen, t, QLatin1String(kAllGames));
    showTotalsChart(chGen1, t, QLatin1String(kAllGames));
}

void frmGameStat::ShowGames()
{
    lvGames->clear();
    const QIcon rowIcon = art::GameIcon();
    const int16_t n = ctx_.data->TotalGames();
    QList<QTreeWidgetItem *> rows;
    for (int16_t i = 1; i <= n; ++i) {
        const QString name = ctx_.data->GetGName(i);
        StatTotals t;
        ctx_.score->SumGameStats(name, t);
        rows << totalsRow(name, t, statfigures::gamePercentage(t), rowIcon);
    }
    lvGames->addTopLevelItems(rows);
    fitColumns(lvGames, ColumnFit::gameNames(*ctx_.data));

    {
        const QSignalBlocker block(imcGames);
        imcGames->clear();
        const QIcon icon = ChartIcon();
        for (int16_t i = 1; i <= n; ++i)
            imcGames->addItem(icon, ctx_.data->GetGName(i));
        if (imcGames->count() > 0)
            imcGames->setCurrentIndex(0);
        const QString cur = ctx_.data->CurGName();
        for (int i = 0; i < imcGames->count(); ++i)
            if (imcGames->itemText(i) == cur)
                imcGames->setCurrentIndex(i);
    }
    ShowGameCharts(imcGames->currentText());
}

void frmGameStat::ShowGameCharts(const QString &GName)
{
    StatTotals t;
    ctx_.score->SumGameStats(GName, t);
    showWonLost(chGames, t, GName);

    // The first fifty records of the game in load order, from row 1; row 0
    // is an empty group.
    const auto n = static_cast<int32_t>(std::min<int64_t>(t.Played, 50));
    QList<Row> history;
    history.reserve(n + 1);
    history << Row(3);
    ScoreRec r;
    for (int32_t i = 1; i <= n; ++i) {
        ctx_.score->GetGameRec(GName, i, r);
        history << Row{double(r.Score), double(r.Moves), double(r.Time)};
    }
    chGames1->SetData(history);
    // Row 0 stands before the first record, so each record keeps its number.
    chGames1->SetFirstRowNumber(0);
    labelColumns(chGames1, {"Score", "Moves", "Time"});
}

void frmGameStat::FillDateCombo()
{
    {
        const QSignalBlocker block(imcDate);
        imcDate->clear();
        const QIcon icon = ChartIcon();
        for (const Period &p : kPeriods) {
            imcDate->addItem(icon, QLatin1String(p.text), QString::fromLatin1(p.key));
            imcDate->setItemData(imcDate->count() - 1, QString::fromLatin1(p.interval), TagRole);
        }
        imcDate->setCurrentIndex(0);
    }
    ShowDates(QStringLiteral("5d"), QStringLiteral("d"));
}

void frmGameStat::ShowDates(const QString &Key, const QString &Interval)
{
    lvDate->clear();
    int m = 0;
    if (Key == u"5d" || Key == u"5m" || Key == u"5y")
        m = 4;
    else if (Key == u"10d" || Key == u"10m")
        m = 9;
    else if (Key == u"30d")
        m = 29;

    const QDateTime now = ctx_.score->Now ? ctx_.score->Now() : QDateTime::currentDateTime();
    const QIcon icon = art::GameIcon();
    QList<Row> playedWon(m + 1);
    QList<Row> figures(m + 1);
    QStringList periods;
    QList<QTreeWidgetItem *> rows;
    for (int j = -m; j <= 0; ++j) {
        QDateTime ref = now;
        if (Interval == u"d")
            ref = now.addDays(j);
        else if (Interval == u"m")
            ref = now.addMonths(j);
        else if (Interval == u"yyyy")
            ref = now.addYears(j);
        PeriodTotals b;
        ctx_.score->SumPeriodStats(recordfile::recordDateText(ref), Interval, b);
        playedWon[m + j] = Row{double(b.Played), double(b.Won)};
        figures[m + j] = Row{double(b.Score), double(b.Moves), double(b.Time)};
        periods << b.Label;
        auto *item = new QTreeWidgetItem(QStringList{b.Label, count(b.Played), count(b.Won)});
        item->setIcon(0, icon);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        rows << item;
    }
    lvDate->addTopLevelItems(rows);

    // The groups are named by their periods, as the list's rows are.
    chDate->SetData(playedWon);
    chDate->SetRowLabels(periods);
    labelColumns(chDate, {"Played", "Won"});
    chDate1->SetData(figures);
    chDate1->SetRowLabels(periods);
    labelColumns(chDate1, {"Score", "Moves", "Time"});

    QString header;
    if (Key == u"5d" || Key == u"10d" || Key == u"30d")
        header = QStringLiteral("Day");
    else if (Key == u"5m" || Key == u"10m")
        header = QStringLiteral("Month");
    else if (Key == u"5y")
        header = QStringLiteral("Year");
    lvDate->headerItem()->setText(0, header);
    fitColumns(lvDate);
}

void frmGameStat::ShowPlayers()
{
    lvPlayer->clear();
    const QString cur = ctx_.data->CurPlayer();
    const QIcon icon = art::PlayerIcon();
    QList<QTreeWidgetItem *> rows;
    {
        const QSignalBlocker block(imcPlayer);
        imcPlayer->clear();
        int selected = -1;
        const int16_t n = ctx_.data->TotalPlayers();
        for (int16_t i = 1; i <= n; ++i) {
            const QString name = ctx_.data->GetPlayer(i);
            imcPlayer->addItem(icon, name);
            if (name == cur)
                selected = imcPlayer->count() - 1;
            StatTotals t;
            ctx_.score->SumPlayerStats(name, t);
            rows << totalsRow(name, t, statfigures::playerPercentage(t), icon);
        }
        imcPlayer->setCurrentIndex(selected);
    }
    lvPlayer->addTopLevelItems(rows);
    fitColumns(lvPlayer, ColumnFit::playerNames(*ctx_.data));
    ShowPlayerCharts(cur);
}

void frmGameStat::ShowPlayerCharts(const QString &Player)
{
    StatTotals t;
    ctx_.score->SumPlayerStats(Player, t);
    showWonLost(chPlayer, t, Player);
    showTotalsChart(chPlayer1, t, Player);
}

void frmGameStat::cmdClear_Click()
{
    // Deletes the files only; this window goes on showing what it loaded.
    ctx_.score->ClearStat();
}

void frmGameStat::cmdExport_Click()
{
    // The report is written from a table of its own; the one loaded here
    // stays as it is.
    ctx_.score->ExportStat();
}

int frmGameStat::showModal(const AppContext &context, QWidget *owner)
{
    QPointer<frmGameStat> w = new frmGameStat(context, owner);
    const int r = context.prompt->Run(*w);
    delete w.data();
    return r;
}

} // namespace tw
