#pragma once

#include "records/chart.h"

#include <QAbstractAxis>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QMap>
#include <QStringList>
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
inline const QValueAxis *valueAxis(const ChartControl *chart)
{
    for (QAbstractAxis *a : chart->Chart()->axes(Qt::Vertical))
        if (auto *v = qobject_cast<QValueAxis *>(a))
            return v;
    return nullptr;
}

// True when every tick of the value axis falls on a whole number.
inline bool wholeTicks(const QValueAxis *axis)
{
    if (!axis || axis->tickCount() < 2)
        return false;
    const double step = (axis->max() - axis->min()) / (axis->tickCount() - 1);
    auto whole = [](double v) { return std::abs(v - std::round(v)) < 1e-9; };
    return step >= 1 && whole(step) && whole(axis->min()) && whole(axis->max());
}

// The labels of the group axis by the row (0-based) they stand under.
inline QMap<int, QString> groupAxisLabels(const ChartControl *chart)
{
    QMap<int, QString> out;
    for (QAbstractAxis *a : chart->Chart()->axes(Qt::Horizontal)) {
        if (auto *c = qobject_cast<QCategoryAxis *>(a)) {
            for (const QString &label : c->categoriesLabels())
                out.insert(static_cast<int>(std::lround(c->endValue(label))), label);
        } else if (auto *b = qobject_cast<QBarCategoryAxis *>(a)) {
            const QStringList cats = b->categories();
            for (int i = 0; i < cats.size(); ++i)
                out.insert(i, cats[i]);
        }
    }
    return out;
}

} // namespace tw::test
