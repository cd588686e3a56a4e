#pragma once

#include "nameinput.h"
#include "statistics/appcontext.h"

#include <QDialog>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace tw {

// The players window: lists the players of slots 1 to 20, adds one, renames
// one, deletes one with its score file and chooses the current player. The
// slots stay filled from 1 without a gap. Every change is written at once;
// Cancel only closes. Its boxes and the name dialog go through the context's
// prompt.
class frmPlayers : public QDialog {
    Q_OBJECT
public:
    static constexpr int16_t MaxPlayers = 20;

    explicit frmPlayers(const AppContext &ctx, QWidget *parent = nullptr);

    // Opens the window modal, run by the context's prompt. Accepted when a
    // player was chosen.
    static int showModal(const AppContext &ctx, QWidget *owner = nullptr);

    // Moves every name after an empty slot down by one, so that the slots in
    // use are again 1 to TotalPlayers.
    static void CompactPlayers(cData &data);

    QListWidget *lvPlayer = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdDelete = nullptr;
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdCancel = nullptr;

    void FillPlayerList();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void cmdSelect_Click();

private:
    void selectionChanged();
    QString selectedName() const;
    bool hasSelection() const;

    AppContext ctx_;
};

} // namespace tw
