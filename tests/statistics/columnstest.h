#pragma once

#include "engine/catalogue.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QListView>
#include <QScreen>
#include <QScrollBar>
#include <QString>
#include <QStringList>
#include <QTreeView>
#include <algorithm>

namespace tw::test {

// The widest texts a records list must show: a player name of 25 characters
// (the most the name dialog takes), a 15-digit game number (the default
// range) and the catalogue name that measures widest in the list's font.
inline QString widestPlayer() { return QString(25, QLatin1Char('W')); }
inline QString widestGameNumber() { return QStringLiteral("999999999999999"); }
inline QString widestGameName(const QFont &font)
{
    const QFontMetrics fm(font);
    QString best;
    for (int16_t i = 1; i <= frmGame::GameCount; ++i) {
        const QString name = frmGame::NameAt(i);
        if (fm.horizontalAdvance(name) > fm.horizontalAdvance(best))
            best = name;
    }
    return best;
}

// The columns of a list whose widest cell or whose header does not fit in
// the column, each as "header: needs n, has m". Item views cut such texts
// with "...".
inline QStringList cutColumns(const QTreeView *view)
{
    QApplication::processEvents();
    QStringList out;
    const QHeaderView *header = view->header();
    for (int c = 0; c < header->count(); ++c) {
        if (header->isSectionHidden(c))
            continue;
        // QTreeView hides the public measure of its base.
        const int cells = static_cast<const QAbstractItemView *>(view)->sizeHintForColumn(c);
        const int head = view->isHeaderHidden() ? 0 : header->sectionSizeHint(c);
        const int has = view->columnWidth(c);
        if (std::max(cells, head) > has)
            out << view->model()->headerData(c, Qt::Horizontal).toString()
                       + QStringLiteral(": needs %1, has %2").arg(std::max(cells, head)).arg(has);
    }
    return out;
}

// True when a shown list has room for all its columns without scrolling
// sideways, or, on a screen too narrow for them, when its window takes the
// screen's width (all but a twentieth) and the list scrolls.
inline bool columnsInView(const QTreeView *view)
{
    QApplication::processEvents();
    int sum = 0;
    for (int c = 0; c < view->header()->count(); ++c)
        if (!view->header()->isSectionHidden(c))
            sum += view->columnWidth(c);
    if (sum <= view->viewport()->width() && !view->horizontalScrollBar()->isVisible())
        return true;
    const int screen = view->screen()->availableGeometry().width();
    return view->window()->width() >= screen * 19 / 20 && view->horizontalScrollBar()->isVisible();
}

// The rows of a plain list whose text does not fit its width.
inline QStringList cutRows(const QListView *view)
{
    QApplication::processEvents();
    QStringList out;
    const QAbstractItemModel *m = view->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        const QModelIndex i = m->index(r, 0);
        if (view->sizeHintForIndex(i).width() > view->viewport()->width())
            out << i.data().toString();
    }
    return out;
}

} // namespace tw::test
