#pragma once

#include "statistics/appcontext.h"

#include <QDateTime>
#include <QDialog>
#include <QIcon>
#include <QString>

class QComboBox;
class QPushButton;
class QTreeView;

namespace tw {

struct ScoreRec;

// Whether a recorded game falls into a date window of the game log, measured
// against the moment now. Keys: "t" today, "3d", "7d", "30d" that many
// calendar days back plus today, "3m", "5m" that many calendar months back
// plus the current month; an empty key is "Show All" and takes every record.
// Days and months are counted across calendar boundaries, so 23:59 yesterday
// is one day back at 00:01 today. A record dated after today, or whose date
// text could not be read, is in no window but "Show All".
bool logListed(const ScoreRec &rec, const QDateTime &now, const QString &key);

// The game log: one row per recorded game of every player, filtered by
// player, game and date window. It loads the score table when it opens and
// releases it when it closes. The list reads its rows straight from the
// loaded table, so a history of a million games opens at once.
//
//   frmLogStat::showModal(context);   // Statistics > Log: blocks until closed
class frmLogStat : public QDialog {
    Q_OBJECT
public:
    // The date window's key in the date chooser's items (empty for "Show All").
    static constexpr int KeyRole = Qt::UserRole;

    explicit frmLogStat(const AppContext &context, QWidget *parent = nullptr);
    ~frmLogStat() override;

    static int showModal(const AppContext &context, QWidget *owner = nullptr);

    // Picture 2 of the window: the small sheet in front of every row.
    static QIcon RowIcon();

    void done(int r) override;

    QComboBox *imcPlayer = nullptr;
    QComboBox *imcGames = nullptr;
    QComboBox *imcDate = nullptr;
    QTreeView *lvLog = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void FillGames();
    void FillPlayers();
    void FillDates();
    void ShowLog();
    QDateTime now() const;
    void release();

    AppContext ctx_;
    class Rows;
    Rows *rows_ = nullptr;
    bool loaded_ = false;
};

} // namespace tw
