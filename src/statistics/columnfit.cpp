#include "columnfit.h"

#include "records/recordfile.h"
#include "settings/data.h"

#include <QHeaderView>
#include <QListView>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

namespace tw {

ColumnFit::ColumnFit(const QTreeView *view) : metrics_(view->font()) {}

void ColumnFit::add(int column, const QString &text)
{
    if (column < 0)
        return;
    if (widest_.size() <= column)
        widest_.resize(column + 1);
    // A long list repeats most of its texts (names, statuses, times): each
    // is laid out once.
    auto known = advances_.constFind(text);
    if (known == advances_.cend())
        known = advances_.insert(text, metrics_.horizontalAdvance(text));
    const int advance = *known;
    if (advance > widest_[column].advance)
        widest_[column] = Widest{text, advance};
}

void ColumnFit::add(int column, const QStringList &texts)
{
    for (const QString &t : texts)
        add(column, t);
}

int ColumnFit::cellWidth(const QTreeView *view, int column, const Widest &w) const
{
    // The cell as the item delegate lays it out: the text with its margins,
    // and the row picture in the first column.
    QStyleOptionViewItem opt;
    opt.initFrom(view);
    opt.font = view->font();
    opt.fontMetrics = metrics_;
    opt.features = QStyleOptionViewItem::HasDisplay;
    opt.text = w.text;
    if (column == 0) {
        opt.features |= QStyleOptionViewItem::HasDecoration;
        opt.decorationSize = view->iconSize();
    }
    return view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &opt, QSize(), view).width();
}

void ColumnFit::apply(QTreeView *view) const
{
    const QHeaderView *header = view->header();
    // QTreeView keeps its base's public measure of the cells protected.
    const QAbstractItemView *cells = view;
    int total = 0;
    for (int c = 0; c < header->count(); ++c) {
        int w = view->isHeaderHidden() ? 0 : header->sectionSizeHint(c);
        if (c < widest_.size() && widest_[c].advance >= 0)
            w = std::max(w, cellWidth(view, c, widest_[c]));
        w = std::max(w, cells->sizeHintForColumn(c));
        view->setColumnWidth(c, w);
        if (!header->isSectionHidden(c))
            total += w;
    }
    // Room for every column beside the frame and the scroll bar, within the
    // screen; a narrower screen scrolls sideways but still cuts nothing.
    int want =
        total + 2 * view->frameWidth() + view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view) + 2;
    if (const QScreen *screen = view->screen())
        want = std::min(want, screen->availableGeometry().width() * 19 / 20);
    view->setMinimumWidth(want);
}

void FitListWidth(QListView *list, int floor)
{
    // QListView keeps its base's public measure of the rows protected.
    const QAbstractItemView *rows = list;
    list->setMinimumWidth(std::max(floor, rows->sizeHintForColumn(0) + 2 * (list->frameWidth() + list->spacing())
                                              + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list)
                                              + 4));
}

QTreeWidget *MakeRecordsList(QWidget *parent, const QString &name, const QStringList &headers, ListLook look)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(look.wholeRowFocus);
    list->setIconSize(QSize(16, 16));
    list->setColumnCount(static_cast<int>(headers.size()));
    list->setHeaderLabels(headers);
    list->header()->setStretchLastSection(look.stretchLast);
    list->header()->setSectionsMovable(look.movableColumns);
    return list;
}

QString ColumnFit::widestGameNumber() { return QStringLiteral("999999999999999"); }

QStringList ColumnFit::gameNames(const cData &data)
{
    QStringList out;
    for (int16_t i = 1; i <= data.TotalGames(); ++i)
        out << data.GetGName(i);
    return out;
}

QStringList ColumnFit::playerNames(const cData &data)
{
    QStringList out;
    for (int16_t i = 1; i <= data.TotalPlayers(); ++i)
        out << data.GetPlayer(i);
    return out;
}

QString ColumnFit::widestShortDate() { return recordfile::shortDateText(QDate(2028, 12, 28)); }

} // namespace tw
