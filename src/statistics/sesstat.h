#pragma once

#include "chart.h"
#include "statistics/appcontext.h"

#include <QDateTime>
#include <QDialog>
#include <QList>
#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace tw {

// The session statistics window: the games finished in this run of the
// program and the game in progress, with the session's totals, two lists and
// two charts. It reads memory only; a 500 ms timer keeps the elapsed times and
// the running game's time and score current.
class frmSesStat : public QDialog {
    Q_OBJECT
public:
    explicit frmSesStat(const AppContext &ctx, QWidget *parent = nullptr);

    static int showModal(const AppContext &ctx, QWidget *owner = nullptr);

    // The colour of the running game's rows.
    static QColor RunningColour() { return QColor(120, 0, 0); }

    QTabWidget *SSTab1 = nullptr;
    QTreeWidget *lvSession = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *lblSesStarted = nullptr;
    QLabel *lblSesPlayed = nullptr;
    QLabel *lblSesWon = nullptr;
    QLabel *lblSesLost = nullptr;
    QLabel *lblsesScore = nullptr;
    QLabel *lblSesMoves = nullptr;
    QLabel *lblSesElapsedTime = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *lblGameStarted = nullptr;
    QLabel *lblGameName = nullptr;
    QLabel *lblGameNo = nullptr;
    QLabel *lblGameScore = nullptr;
    QLabel *lblGameMoves = nullptr;
    QLabel *lblGameTime = nullptr;
    QLabel *lblPlayer = nullptr;
    QGroupBox *Frame3 = nullptr;
    QPushButton *cmdRefresh = nullptr;
    QTreeWidget *lvSesChart = nullptr;
    ChartControl *chChart = nullptr;
    ChartControl *chSummary = nullptr;
    QPushButton *cmdClose = nullptr;
    QTimer *Timer1 = nullptr;

    // Score, moves and time of each session game, one row per game and a last
    // row for the game in progress (empty when none runs).
    const QList<ChartControl::Row> &SesChartData() const { return sesChartData_; }

    // The clock of the session's elapsed time; tests replace it.
    std::function<QDateTime()> Now = [] { return QDateTime::currentDateTime(); };

    void Timer1_Timer();
    void cmdRefresh_Click();

private:
    void ShowSession();
    void ShowSessionChart();
    void ShowCurrentGame();
    void labelChart();
    QString sessionElapsed() const;
    QTreeWidgetItem *runningRow(QTreeWidget *list) const;

    AppContext ctx_;
    QList<ChartControl::Row> sesChartData_;
};

} // namespace tw
