#pragma once

#include "gamecontext.h"

#include <QDialog>
#include <QtGlobal>
#include <cstdint>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tw {

// The game-number dialog: a variant, a player and the number of the exact
// deal to play. The main window opens it modal with
//   frmChoose::showModal(context, this);
// Every opening fills it afresh from the settings object. The dialog runs,
// and shows its range message, through the context's prompt.
class frmChoose : public QDialog {
    Q_OBJECT
public:
    explicit frmChoose(const GameContext &context, QWidget *parent = nullptr);

    // Returns the dialog's result (Accepted when a game was started).
    static int showModal(const GameContext &context, QWidget *owner);

    // The largest number the dialog accepts: 10^RangeIndex - 1, with the
    // range held to the 1 to 15 the random numbers are drawn from.
    static qint64 LargestNumber(int16_t RangeIndex);
    // A whole number with "," between groups of three digits.
    static QString GroupDigits(qint64 value);

    QGroupBox *Frame1 = nullptr;
    QLabel *lblName = nullptr;
    QLabel *lblRange = nullptr;
    QLineEdit *Text1 = nullptr;
    QComboBox *imcGames = nullptr;
    QComboBox *imcPlayer = nullptr;
    QPushButton *cmdSelect = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void cmdSelect_Click();
    void ShowRangeMessage();

    GameContext ctx_;
    bool starting_ = false;
};

} // namespace tw
