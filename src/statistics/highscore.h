#pragma once

#include "statistics/appcontext.h"

#include <QDialog>
#include <QIcon>

class QComboBox;
class QGroupBox;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace tw {

struct ScoreRec;

// The best recorded games of all players in four tabs: the 20 best scores
// overall, of one game, of one player, and the 20 best won games by score,
// fewest moves or shortest time. Opening loads every listed player's score
// file into the store; closing, by any means, releases it.
//
// The main window's Statistics menu and the end-of-game window open it with
//   frmHighScore::showModal(context, owner);
class frmHighScore : public QDialog {
    Q_OBJECT
public:
    // Builds the window and runs its load (loads the table, fills every tab).
    explicit frmHighScore(const AppContext &context, QWidget *parent = nullptr);
    ~frmHighScore() override;

    static int showModal(const AppContext &context, QWidget *owner = nullptr);

    // The small pictures of the lists and choosers, 1 to 3: a cup for the
    // overall ranks, the game and the ranking keys; a card for the rows of a
    // chosen ranking; a person for the players. Null outside 1..3.
    static QIcon SmallPicture(int index);

    void done(int r) override;

    void ShowTopGames();
    void FillGames();
    void FillPlayers();
    void FillFinSort();
    void ShowFinished(const QString &key);
    void ShowGameWise(const QString &GName);
    void ShowPlayerWise(const QString &Player);

    QTabWidget *SSTab1 = nullptr;
    QTreeWidget *lvTop = nullptr;
    QGroupBox *Frame1 = nullptr;
    QComboBox *imcGames = nullptr;
    QTreeWidget *lvGames = nullptr;
    QGroupBox *Frame2 = nullptr;
    QComboBox *imcPlayer = nullptr;
    QTreeWidget *lvPlayer = nullptr;
    QGroupBox *Frame3 = nullptr;
    QComboBox *imcFin = nullptr;
    QTreeWidget *lvFin = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void Form_Load();
    void Form_Unload();

    AppContext ctx_;
    bool loaded_ = false; // the store holds the table this window loaded
};

} // namespace tw
