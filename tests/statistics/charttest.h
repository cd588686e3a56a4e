#pragma once

#include "statistics/chart.h"

#include <QAbstractAxis>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QMap>
#include <QStringList>
#include <QTextDocumentFragment>
#include <QValueAxis>
#include <QWidget>
#include <cmath>

namespace tw::test {

// The texts a person sees on a chart that is laid out: axis labels and
// legend entries.
inline QStringList chartTexts(const ChartControl *chart)
{
    QApplication::processEvents();
    QStringList out;
    const QGraphicsScene *scene = chart->Chart()->scene();
    if (!scene)
        return out;
    for (const QGraphicsItem *item : scene->items()) {
        if (item->type() != QGraphicsTextItem::Type || !item->isVisible())
            continue;
        const QString text = static_cast<const QGraphicsTextItem *>(item)->toPlainText();
        if (!text.isEmpty())
            out << text;
    }
    return out;
}

// The texts that the chart had to shorten to fit: Qt Charts ends them in
// "..." (or shows nothing but the dots).
inline QStringList cutTexts(const ChartControl *chart)
{
    QStringList out;
    for (const QString &t : chartTexts(chart))
        if (t.contains(QLatin1String("...")) || t.contains(QChar(0x2026)))
            out << t;
    return out;
}

// The value axis of a chart (the left one).
inline const QValueAxis *valueAxis(const ChartControl *chart) { return chart->ValueAxis(); }

// The values at which an axis has its ticks and labels, lowest first.
inline QList<double> tickValues(const QValueAxis *axis)
{
    QList<double> out;
    if (!axis)
        return out;
    if (axis->tickType() == QValueAxis::TicksFixed) {
        const double step = axis->tickCount() > 1 ? (axis->max() - axis->min()) / (axis->tickCount() - 1) : 0;
        for (int i = 0; i < axis->tickCount(); ++i)
            out << axis->min() + i * step;
        return out;
    }
    const double step = axis->tickInterval();
    if (!(step > 0))
        return out;
    for (double v = axis->tickAnchor() + std::ceil((axis->min() - axis->tickAnchor()) / step) * step;
         v <= axis->max() + 1e-9; v += step)
        out << v;
    return out;
}

// True when the axis has at least two ticks and every one falls on a whole
// number.
inline bool wholeTicks(const QValueAxis *axis)
{
    const QList<double> ticks = tickValues(axis);
    if (ticks.size() < 2)
        return false;
    auto whole = [](double v) { return std::abs(v - std::round(v)) < 1e-9; };
    for (double v : ticks)
        if (!whole(v))
            return false;
    return ticks[1] - ticks[0] >= 1;
}

// The share of an axis's range left empty below `low` and above `high`.
inline double emptyBelow(const QValueAxis *axis, double low)
{
    return (low - axis->min()) / (axis->max() - axis->min());
}
inline double emptyAbove(const QValueAxis *axis, double high)
{
    return (axis->max() - high) / (axis->max() - axis->min());
}

// The text a label of Qt Charts shows: it reads labels as markup.
inline QString shownText(const QString &label)
{
    return QTextDocumentFragment::fromHtml(label).toPlainText().replace(QChar::Nbsp, u' ');
}

// The labels of the group axis by the row (0-based) they stand under; a
// single group is named by the axis title.
inline QMap<int, QString> groupAxisLabels(const ChartControl *chart)
{
    QMap<int, QString> out;
    for (QAbstractAxis *a : chart->Chart()->axes(Qt::Horizontal)) {
        if (auto *c = qobject_cast<QCategoryAxis *>(a)) {
            for (const QString &label : c->categoriesLabels())
                if (!shownText(label).trimmed().isEmpty()) // a mark without a name
                    out.insert(static_cast<int>(std::lround(c->endValue(label))), shownText(label));
            if (!c->titleText().isEmpty())
                out.insert(0, shownText(c->titleText()));
        } else if (auto *b = qobject_cast<QBarCategoryAxis *>(a)) {
            const QStringList cats = b->categories();
            for (int i = 0; i < cats.size(); ++i)
                out.insert(i, shownText(cats[i]));
        }
    }
    return out;
}

} // namespace tw::test
