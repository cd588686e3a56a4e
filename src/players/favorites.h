#pragma once

#include "statistics/appcontext.h"

#include <QDialog>

class QComboBox;
class QListWidget;
class QPushButton;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace tw {

// "Organize Favorites": every game of the catalogue, the favourite numbers of
// the chosen one, and a button that deletes all favourites. Opened modal (run
// by the context's prompt) with
//   frmOrgFav::showModal(context);
class frmOrgFav : public QDialog {
    Q_OBJECT
public:
    explicit frmOrgFav(const AppContext &ctx, QWidget *parent = nullptr);
    static int showModal(const AppContext &ctx, QWidget *owner = nullptr);

    // Fills lvFav with the favourites of the game GName, in file order.
    void UpdateLVFav(const QString &GName);

    QTreeWidget *lvGames = nullptr;
    QTreeWidget *lvFav = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdClose = nullptr;
    QTimer *Timer1 = nullptr;

private:
    void FillGameList();
    void cmdClear_Click();
    void Timer1_Timer();

    AppContext ctx_;
};

// "Play from Favorites": a game, one of its favourite numbers, and Play, which
// starts that deal. Opened modal (run by the context's prompt) with
//   frmPlayFav::showModal(context);
// which returns Accepted when a game was started.
class frmPlayFav : public QDialog {
    Q_OBJECT
public:
    explicit frmPlayFav(const AppContext &ctx, QWidget *parent = nullptr);
    static int showModal(const AppContext &ctx, QWidget *owner = nullptr);

    // Fills lvFav with the favourites of the game GName and selects the last;
    // Play is enabled exactly when there is one.
    void UpdateLVFav(const QString &GName);

    QComboBox *imcGames = nullptr;
    QListWidget *lvFav = nullptr;
    QPushButton *cmdPlay = nullptr;
    QPushButton *cmdCancel = nullptr;

private:
    void FillGameCombo();
    void cmdPlay_Click();

    AppContext ctx_;
    bool starting_ = false;
};

} // namespace tw
