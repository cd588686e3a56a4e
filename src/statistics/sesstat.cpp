#include "sesstat.h"

#include "columnfit.h"
#include "engine/clock.h"
#include "media/artwork.h"
#include "media/resources.h"
#include "records/score.h"
#include "records/statfigures.h"
#include "settings/data.h"
#include "settings/prompt.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdint>

namespace tw {

namespace {

// The row pictures, as large as a records list shows them (MakeRecordsList).
constexpr int kPicture = 16;

// Picture 1: a finished game (a small card); picture 2: the game in progress.
QIcon rowPicture(int which)
{
    const qreal dpr = art::AppDpr();
    QPixmap pm(QSize(kPicture, kPicture) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (which == 1) {
        p.setPen(QPen(QColor(60, 60, 60), 0.8));
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(3.5, 1.5, 9.0, 13.0), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 90, 160));
        p.drawRoundedRect(QRectF(5.0, 3.0, 6.0, 10.0), 1.0, 1.0);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(frmSesStat::RunningColour());
        QPolygonF play;
        play << QPointF(4.0, 2.5) << QPointF(13.5, 8.0) << QPointF(4.0, 13.5);
        p.drawPolygon(play);
    }
    return QIcon(pm);
}

using statfigures::count;

void paintRow(QTreeWidgetItem *item)
{
    for (int c = 0; c < item->columnCount(); ++c)
        item->setForeground(c, frmSesStat::RunningColour());
}

// The session's lists: the focus frame spans the row, and the columns keep
// the widths fitted to their texts.
constexpr ListLook kSessionLook{.wholeRowFocus = true, .stretchLast = false};

// Room for every row and for the longest texts a row may show: a session
// game or the running one, whose time and score keep changing.
void fitColumns(QTreeWidget *list, ColumnFit &fit, int timeColumn, int scoreColumn)
{
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        for (int c = 0; c < list->columnCount(); ++c)
            fit.add(c, item->text(c));
    }
    fit.add(timeColumn, FormatTime(359999));
    fit.add(scoreColumn, QStringLiteral("-32768"));
    fit.apply(list);
}

QLabel *makeLabel(QWidget *parent, const char *name, QLayout *layout)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    // Names, game numbers and dates are shown as stored: a player called
    // "<b>Tom" is not drawn in bold.
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    return label;
}

} // namespace

frmSesStat::frmSesStat(const AppContext &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("frmSesStat"));
    setWindowTitle(QStringLiteral("Session Statistics"));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    // Summary: the session's games above, the session and the game below.
    auto *summary = new QWidget;
    lvSession = MakeRecordsList(summary, QStringLiteral("lvSession"),
                                {QStringLiteral("Game"), QStringLiteral("Game No"), QStringLiteral("Player"),
                                 QStringLiteral("Time"), QStringLiteral("Moves"), QStringLiteral("Status"),
                                 QStringLiteral("Score")},
                                kSessionLook);
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('M'));

    Frame1 = new QGroupBox(QStringLiteral("This Session"), summary);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *f1 = new QVBoxLayout(Frame1);
    lblSesStarted = makeLabel(Frame1, "lblSesStarted", f1);
    lblSesPlayed = makeLabel(Frame1, "lblSesPlayed", f1);
    lblSesWon = makeLabel(Frame1, "lblSesWon", f1);
    lblSesLost = makeLabel(Frame1, "lblSesLost", f1);
    lblsesScore = makeLabel(Frame1, "lblsesScore", f1);
    lblSesMoves = makeLabel(Frame1, "lblSesMoves", f1);
    lblSesElapsedTime = makeLabel(Frame1, "lblSesElapsedTime", f1);
    f1->addStretch(1);

    Frame2 = new QGroupBox(QStringLiteral("This Game"), summary);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto *f2 = new QVBoxLayout(Frame2);
    lblGameStarted = makeLabel(Frame2, "lblGameStarted", f2);
    lblGameName = makeLabel(Frame2, "lblGameName", f2);
    lblGameNo = makeLabel(Frame2, "lblGameNo", f2);
    lblGameScore = makeLabel(Frame2, "lblGameScore", f2);
    lblGameMoves = makeLabel(Frame2, "lblGameMoves", f2);
    lblGameTime = makeLabel(Frame2, "lblGameTime", f2);
    lblPlayer = makeLabel(Frame2, "lblPlayer", f2);
    f2->addStretch(1);

    auto *frames = new QHBoxLayout;
    frames->addWidget(Frame1, 1);
    frames->addWidget(Frame2, 1);
    auto *summaryLayout = new QVBoxLayout(summary);
    summaryLayout->addWidget(lvSession, 1);
    summaryLayout->addLayout(frames);
    SSTab1->addTab(summary, QStringLiteral("Summary"));

    // Session details: the per-game list and the two charts.
    auto *details = new QWidget;
    Frame3 = new QGroupBox(details);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    cmdRefresh = new QPushButton(QStringLiteral("Refresh Chart"), Frame3);
    cmdRefresh->setObjectName(QStringLiteral("cmdRefresh"));
    cmdRefresh->setAutoDefault(false);
    lvSesChart = MakeRecordsList(Frame3, QStringLiteral("lvSesChart"),
                                 {QStringLiteral("No."), QStringLiteral("Time"), QStringLiteral("Moves"),
                                  QStringLiteral("Score")},
                                 kSessionLook);
    chChart = new ChartControl(Frame3);
    chChart->setObjectName(QStringLiteral("chChart"));
    chSummary = new ChartControl(Frame3);
    chSummary->setObjectName(QStringLiteral("chSummary"));
    // Seconds would dwarf scores and moves: the time stands in minutes on an
    // axis of its own.
    chChart->SetTimeColumn(3);
    chChart->SetMinimumChartSize(QSize(380, 240));
    chSummary->SetMinimumChartSize(QSize(380, 190));

    auto *left = new QVBoxLayout;
    left->addWidget(cmdRefresh, 0, Qt::AlignLeft);
    left->addWidget(lvSesChart, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(chChart, 3);
    right->addWidget(chSummary, 2);
    auto *f3 = new QHBoxLayout(Frame3);
    f3->addLayout(left);
    f3->addLayout(right, 1);
    auto *detailsLayout = new QVBoxLayout(details);
    detailsLayout->addWidget(Frame3);
    SSTab1->addTab(details, QStringLiteral("Session Details"));

    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setDefault(true);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1, 1);
    layout->addLayout(bottom);
    resize(56 * em, 40 * em);

    connect(cmdRefresh, &QPushButton::clicked, this, &frmSesStat::cmdRefresh_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &frmSesStat::Timer1_Timer);

    // Load.
    SSTab1->setCurrentIndex(0);
    setWindowIcon(Pictures(*ctx_.data).Icon());
    ShowSession();
    ShowSessionChart();
    ShowCurrentGame();
    Timer1->start();
}

int frmSesStat::showModal(const AppContext &ctx, QWidget *owner)
{
    frmSesStat w(ctx, owner);
    return ctx.prompt->Run(w);
}

QString frmSesStat::sessionElapsed() const
{
    return QStringLiteral("Time Elapsed : ") + FormatTime(statfigures::sessionSeconds(ctx_.data->SesStart(), Now()));
}

void frmSesStat::ShowSession()
{
    const cData &d = *ctx_.data;
    const cScore &score = *ctx_.score;
    lvSession->clear();
    StatTotals t;
    score.SumSesStats(t);
    const int16_t top = score.SesTop();
    lblSesStarted->setText(QStringLiteral("Started : ") + d.SesStartTime());
    lblSesPlayed->setText(QStringLiteral("Games Played : ") + count(top));
    lblSesWon->setText(QStringLiteral("Games Won : ") + count(t.Won));
    lblSesLost->setText(QStringLiteral("Games Lost : ") + count(t.Lost));
    lblsesScore->setText(QStringLiteral("Total Score : ") + count(t.Score));
    lblSesMoves->setText(QStringLiteral("Total Moves : ") + count(t.Moves));
    lblSesElapsedTime->setText(sessionElapsed());

    const QIcon finished = rowPicture(1);
    // The rows go into the list at once: one by one, each would be announced
    // to the view on its own. The count is 16-bit and may be its largest
    // value: an int16_t counter would never pass it.
    QList<QTreeWidgetItem *> rows;
    rows.reserve(top);
    for (int i = 1; i <= top; ++i) {
        ScoreRec r;
        score.GetSesRec(static_cast<int16_t>(i), r);
        auto *item = new QTreeWidgetItem(
            {r.GName, r.GNo.toText(), r.Player, FormatTime(r.Time), count(r.Moves), WonLost(r.Status), count(r.Score)});
        item->setIcon(0, finished);
        rows << item;
    }
    lvSession->addTopLevelItems(rows);

    chSummary->SetData({ChartControl::Row{double(t.Won), double(t.Lost)}});
    chSummary->SetRowLabels({QStringLiteral("This Session")});
    chSummary->SetColumn(1);
    chSummary->SetColumnLabel(QStringLiteral("Won : ") + count(t.Won));
    chSummary->SetColumn(2);
    chSummary->SetColumnLabel(QStringLiteral("Lost : ") + count(t.Lost));

    if (d.GameRunning()) {
        auto *item =
            new QTreeWidgetItem(lvSession, {d.CurGName(), d.CurGNo().toText(), d.CurPlayer(), FormatTime(d.CurTime()),
                                            count(d.CurMoves()), QStringLiteral("Running"), count(d.CurScore())});
        item->setIcon(0, rowPicture(2));
        paintRow(item);
        lvSession->scrollToItem(item);
    }
    ColumnFit fit(lvSession);
    fit.add(0, ColumnFit::gameNames(d));
    fit.add(1, ColumnFit::widestGameNumber());
    fit.add(2, ColumnFit::playerNames(d));
    fitColumns(lvSession, fit, 3, 6);
}

void frmSesStat::labelChart()
{
    chChart->SetData(sesChartData_);
    chChart->SetColumn(1);
    chChart->SetColumnLabel(QStringLiteral("Score"));
    chChart->SetColumn(2);
    chChart->SetColumnLabel(QStringLiteral("Moves"));
    chChart->SetColumn(3);
    chChart->SetColumnLabel(QStringLiteral("Time"));
}

void frmSesStat::ShowSessionChart()
{
    const cData &d = *ctx_.data;
    const cScore &score = *ctx_.score;
    lvSesChart->clear();
    const int16_t top = score.SesTop();
    const QIcon finished = rowPicture(1);
    sesChartData_.clear();
    sesChartData_.reserve(top + 1);
    QList<QTreeWidgetItem *> rows;
    rows.reserve(top);
    for (int i = 1; i <= top; ++i) {
        ScoreRec r;
        score.GetSesRec(static_cast<int16_t>(i), r);
        auto *item = new QTreeWidgetItem({count(i), FormatTime(r.Time), count(r.Moves), count(r.Score)});
        item->setIcon(0, finished);
        rows << item;
        sesChartData_.append(ChartControl::Row{double(r.Score), double(r.Moves), double(r.Time)});
    }
    lvSesChart->addTopLevelItems(rows);
    // The running game's row, left empty when none runs.
    if (d.GameRunning())
        sesChartData_.append(ChartControl::Row{double(d.CurScore()), double(d.CurMoves()), double(d.CurTime())});
    else
        sesChartData_.append(ChartControl::Row(3));
    labelChart();

    if (d.GameRunning()) {
        auto *item = new QTreeWidgetItem(lvSesChart, {count(top + 1), FormatTime(d.CurTime()), count(d.CurMoves()),
                                                      count(d.CurScore())});
        item->setIcon(0, rowPicture(2));
        paintRow(item);
        lvSesChart->scrollToItem(item);
    }
    ColumnFit fit(lvSesChart);
    fitColumns(lvSesChart, fit, 1, 3);
    // The list keeps its width; the charts take the rest.
    lvSesChart->setMaximumWidth(lvSesChart->minimumWidth());
}

void frmSesStat::ShowCurrentGame()
{
    const cData &d = *ctx_.data;
    lblGameStarted->setText(QStringLiteral("Game Started : ") + d.GameStartTime());
    lblGameName->setText(QStringLiteral("Game : ") + d.CurGName());
    lblGameNo->setText(QStringLiteral("Game Number : ") + d.CurGNo().toText());
    lblGameScore->setText(QStringLiteral("Score : ") + count(d.CurScore()));
    lblGameMoves->setText(QStringLiteral("Moves : ") + count(d.CurMoves()));
    lblGameTime->setText(QStringLiteral("Time Elapsed : ") + FormatTime(d.CurTime()));
    lblPlayer->setText(QStringLiteral("Player Name : ") + d.CurPlayer());
}

QTreeWidgetItem *frmSesStat::runningRow(QTreeWidget *list) const
{
    // Row SesTop + 1 exists only when a game was running at load.
    const int index = ctx_.score->SesTop();
    return index < list->topLevelItemCount() ? list->topLevelItem(index) : nullptr;
}

void frmSesStat::Timer1_Timer()
{
    lblSesElapsedTime->setText(sessionElapsed());
    const cData &d = *ctx_.data;
    if (!d.GameRunning())
        return;
    const QString time = FormatTime(d.CurTime());
    const QString score = count(d.CurScore());
    if (QTreeWidgetItem *row = runningRow(lvSession)) {
        row->setText(3, time);
        row->setText(6, score);
    }
    if (QTreeWidgetItem *row = runningRow(lvSesChart)) {
        row->setText(1, time);
        row->setText(3, score);
    }
    lblGameScore->setText(QStringLiteral("Score : ") + score);
    lblGameTime->setText(QStringLiteral("Time Elapsed : ") + time);
}

void frmSesStat::cmdRefresh_Click()
{
    const cData &d = *ctx_.data;
    const int index = ctx_.score->SesTop();
    if (!d.GameRunning() || index >= sesChartData_.size())
        return;
    sesChartData_[index] = ChartControl::Row{double(d.CurScore()), double(d.CurMoves()), double(d.CurTime())};
    labelChart();
}

} // namespace tw
