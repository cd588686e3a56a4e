#pragma once

#include <QFontMetrics>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QListView;
class QTreeView;
class QTreeWidget;
class QWidget;

namespace tw {

class cData;

// The column widths of a records list, so that no header and no cell is cut.
// A list cannot measure every row of a large table, so the window adds the
// texts its columns may show (the players, the game names, the widest game
// number, the extremes of the figures), and the rows the view holds are
// measured as well. Column 0 carries the row picture.
//
//   ColumnFit fit(list);
//   fit.add(1, playerNames);
//   fit.apply(list);
class ColumnFit {
public:
    explicit ColumnFit(const QTreeView *view);

    void add(int column, const QString &text);
    void add(int column, const QStringList &texts);

    // Sets every column to the widest of its header, its texts and the cells
    // of the view, and makes the view ask for room for all its columns.
    void apply(QTreeView *view) const;

    // The texts that measure widest among those a records list shows.
    static QString widestGameNumber(); // 15 digits: the default range
    static QStringList gameNames(const cData &data);
    static QStringList playerNames(const cData &data);
    static QString widestShortDate();

private:
    struct Widest {
        QString text;
        int advance = -1;
    };
    int cellWidth(const QTreeView *view, int column, const Widest &w) const;

    QFontMetrics metrics_;
    QList<Widest> widest_;         // per column
    QHash<QString, int> advances_; // every text measured so far
};

// Makes a one-column list at least as wide as its widest row, beside its
// frame and scroll bar, and never narrower than floor.
void FitListWidth(QListView *list, int floor);

// Where the lists of the records windows differ from one another.
struct ListLook {
    bool wholeRowFocus = false; // the focus frame spans every column
    bool stretchLast = true;    // the last column takes the room left over
    bool movableColumns = true; // columns can be dragged to another place
};

// A list of the records windows (statistics, high scores): flat rows of one
// height, one row selected at a time, a 16 x 16 picture in column 0, one
// column per header.
//
//   lvSession = MakeRecordsList(parent, QStringLiteral("lvSession"), headers, {.wholeRowFocus = true});
QTreeWidget *MakeRecordsList(QWidget *parent, const QString &name, const QStringList &headers, ListLook look = {});

} // namespace tw
