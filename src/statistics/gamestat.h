#pragma once

#include "statistics/appcontext.h"

#include <QDialog>
#include <QIcon>
#include <QString>

class QComboBox;
class QFrame;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace tw {

class ChartControl;

// The game statistics: totals and rates of every recorded game, a table and
// charts per variant, per day, month or year, and per player. It loads the
// score table when it opens, computes everything from that snapshot and
// releases it when it closes.
//
//   frmGameStat::showModal(context);   // Statistics menu and the end-of-game window
class frmGameStat : public QDialog {
    Q_OBJECT
public:
    // Data roles of the period chooser's items: key ("5d", ...) and interval
    // ("d", "m", "yyyy").
    static constexpr int KeyRole = Qt::UserRole;
    static constexpr int TagRole = Qt::UserRole + 1;

    explicit frmGameStat(const AppContext &context, QWidget *parent = nullptr);
    ~frmGameStat() override;

    static int showModal(const AppContext &context, QWidget *owner = nullptr);

    // Picture 1 of the window: a small bar chart.
    static QIcon ChartIcon();

    void done(int r) override;

    QTabWidget *SSTab1 = nullptr;
    QFrame *Frame1 = nullptr; // "Game-wise"
    QFrame *Frame2 = nullptr; // "General Summary"
    QFrame *Frame3 = nullptr; // "Date-wise"
    QFrame *Frame4 = nullptr; // "Player-wise"
    QTreeWidget *lvGeneral = nullptr;
    ChartControl *chGen = nullptr;
    ChartControl *chGen1 = nullptr;
    QTreeWidget *lvGames = nullptr;
    QComboBox *imcGames = nullptr;
    ChartControl *chGames = nullptr;
    ChartControl *chGames1 = nullptr;
    QTreeWidget *lvDate = nullptr;
    QComboBox *imcDate = nullptr;
    ChartControl *chDate = nullptr;
    ChartControl *chDate1 = nullptr;
    QTreeWidget *lvPlayer = nullptr;
    QComboBox *imcPlayer = nullptr;
    ChartControl *chPlayer = nullptr;
    ChartControl *chPlayer1 = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdExport = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void ShowGeneral();
    void ShowGames();
    void FillDateCombo();
    void ShowPlayers();
    void ShowGameCharts(const QString &GName);
    void ShowDates(const QString &Key, const QString &Interval);
    void ShowPlayerCharts(const QString &Player);
    void cmdClear_Click();
    void cmdExport_Click();
    void release();

    AppContext ctx_;
    bool loaded_ = false;
};

} // namespace tw
