#pragma once

#include "statistics/appcontext.h"

#include <QDialog>

class QAction;
class QGroupBox;
class QListWidget;
class QToolBar;

namespace tw {

class ChartControl;

// The window that congratulates the player on a won game. Its making records
// the win: the summary list and chart are filled from the current game's
// figures, "Win" plays, and the game ends with status 1, all before the window
// is first shown, so a win is recorded exactly once however often the window
// is shown, hidden or minimised.
//
// The main window opens it from EngineView::GameWon with
//   frmFinish::showModal(context, owner);
// which returns the closing action (a Next value) after carrying it out: a new
// game, the selector or the same deal again start only once the window has
// closed and is gone.
class frmFinish : public QDialog {
    Q_OBJECT
public:
    // The dialog's result: what follows once it has closed.
    enum Next { Closed = 0, NewGame = 1, SelectGame = 2, RestartGame = 3 };

    // Builds the window and runs its load (which records the win).
    explicit frmFinish(const AppContext &context, QWidget *parent = nullptr);

    // Makes the window, records the win, runs it modally through the
    // context's prompt and then starts
    // whatever its closing button asked for. Returns the Next value.
    static int showModal(const AppContext &context, QWidget *owner = nullptr);

    // Carries out a closing action; showModal calls it after the window is gone.
    static void RunNext(const AppContext &context, int next);

    // The toolbar button with the given key ("New", "Select", "Restart",
    // "Statistics", "Highscore", "Close"), or null.
    QAction *Button(const QString &key) const;
    // The toolbar's click handler, by button key; unknown keys do nothing.
    void Toolbar1_ButtonClick(const QString &key);

    QToolBar *Toolbar1 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QListWidget *ListView1 = nullptr;
    ChartControl *chFin = nullptr;

private:
    void Form_Load();

    AppContext ctx_;
};

} // namespace tw
