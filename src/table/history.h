#pragma once

#include <QColor>
#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tw {

class cTrans;

// The move history of the running deal, one row per journalled move: the
// last move done stands out in dark red and bold, undone moves in olive.
// The rows are taken from the journal once, when the window is made; the
// main window runs it modally through its prompt.
class frmHistory : public QDialog {
    Q_OBJECT
public:
    frmHistory(const cTrans &trans, QWidget *parent = nullptr);

    static QColor LastMoveColor() { return QColor(128, 0, 0); }
    static QColor UndoneColor() { return QColor(128, 128, 0); }

    QTreeWidget *lvHistory = nullptr;
    QLabel *Shape1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Shape2 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void Fill(const cTrans &trans);
};

} // namespace tw
