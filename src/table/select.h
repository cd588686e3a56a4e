#pragma once

#include "gamecontext.h"

#include <QDialog>
#include <QIcon>
#include <QPointer>

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tw {

class cData;

// The game selector: a tree of the variants with a preview, a player box and
// Play, Rules and Cancel. Play starts a new random deal of the chosen variant.
//
// There is never more than one selector. The main window opens it with
//   frmSelect::showModeless(context);        // at start-up: no owner, returns at once
//   frmSelect::showModal(context, this);     // File > Select Game: owned, run by the prompt
// When the start-up selector is still open, showModal closes it and opens a
// fresh modal one in its place; showModeless raises the open one. While a
// selector is starting a game (hidden, the deal under way) both do nothing.
// Every opening fills the window afresh from the settings object.
class frmSelect : public QDialog {
    Q_OBJECT
public:
    // Data roles of the tree's nodes.
    static constexpr int TagRole = Qt::UserRole;     // catalogue index, 0 for the root
    static constexpr int KeyRole = Qt::UserRole + 1; // "m" for the root

    explicit frmSelect(const GameContext &context, QWidget *parent = nullptr);
    ~frmSelect() override;

    // The selector that is open, or null.
    static frmSelect *instance();
    static frmSelect *showModeless(const GameContext &context);
    // Returns the dialog's result (Accepted when a game was started).
    static int showModal(const GameContext &context, QWidget *owner);

    void done(int r) override;

    QTreeWidget *TreeView1 = nullptr;
    QComboBox *imcPlayer = nullptr;
    QFrame *Frame1 = nullptr;
    QLabel *lblName = nullptr;
    QLabel *imgPick = nullptr;
    QPushButton *cmdPlay = nullptr;
    QPushButton *cmdRules = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void FillTree();
    void ShowNode(QTreeWidgetItem *node);
    void RevealSelection();
    void EnablePlay();
    void cmdPlay_Click();
    void cmdRules_Click();
    static bool IsRoot(const QTreeWidgetItem *node);

    GameContext ctx_;
    bool starting_ = false; // Play is running the start-game routine
    bool closed_ = false;

    static QPointer<frmSelect> current_;
};

// The player box of the selector and of the game-number dialog: one item per
// player, the current player selected, else the first.
void FillPlayerBox(QComboBox *box, const cData &data, const QIcon &icon);
// Makes the player chosen in the box current. A box without players creates
// "Player1" in the first slot, so a game never runs without a player.
void ApplyPlayerChoice(cData &data, const QComboBox *box);

} // namespace tw
