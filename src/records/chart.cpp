#include "chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

namespace tw {

ChartControl::ChartControl(QWidget *parent)
    : QWidget(parent), view_(new QChartView(this)), chart_(new QChart)
{
    chart_->legend()->setVisible(true);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundRoundness(0);
    chart_->layout()->setContentsMargins(0, 0, 0, 0);
    view_->setChart(chart_);
    view_->setRenderHint(QPainter::Antialiasing);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
}

void ChartControl::SetData(const QList<Row> &matrix)
{
    matrix_ = matrix;
    columns_ = 0;
    for (const Row &r : matrix_)
        columns_ = std::max(columns_, static_cast<int>(r.size()));
    labels_ = QList<QString>(columns_);
    selected_ = 0;
    rebuild();
}

void ChartControl::SetColumn(int column)
{
    selected_ = (column >= 1 && column <= columns_) ? column : 0;
}

void ChartControl::SetColumnLabel(const QString &label)
{
    if (selected_ < 1)
        return;
    labels_[selected_ - 1] = label;
    const auto series = chart_->series();
    if (!series.isEmpty())
        if (auto *bars = qobject_cast<QBarSeries *>(series.first()))
            if (selected_ - 1 < bars->count())
                bars->barSets().at(selected_ - 1)->setLabel(label);
}

QString ChartControl::ColumnLabel(int column) const
{
    return (column >= 1 && column <= columns_) ? labels_[column - 1] : QString();
}

std::optional<double> ChartControl::Value(int row, int column) const
{
    if (row < 0 || row >= matrix_.size() || column < 1 || column > matrix_[row].size())
        return std::nullopt;
    return matrix_[row][column - 1];
}

void ChartControl::rebuild()
{
    chart_->removeAllSeries();
    for (QAbstractAxis *axis : chart_->axes()) {
        chart_->removeAxis(axis); // hands the axis back: it is ours to delete
        delete axis;
    }
    auto *series = new QBarSeries;
    double low = 0;
    double high = 0;
    for (int c = 0; c < columns_; ++c) {
        auto *set = new QBarSet(labels_[c].isEmpty() ? QString::number(c + 1) : labels_[c]);
        for (const Row &r : matrix_) {
            // An empty cell draws no bar.
            const double v = c < r.size() && r[c] ? *r[c] : 0.0;
            *set << v;
            low = std::min(low, v);
            high = std::max(high, v);
        }
        series->append(set);
    }
    chart_->addSeries(series);
    auto *categories = new QBarCategoryAxis;
    for (int r = 0; r < matrix_.size(); ++r)
        categories->append(QString::number(r + 1));
    chart_->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    auto *values = new QValueAxis;
    values->setRange(low, high > low ? high : low + 1);
    values->applyNiceNumbers();
    chart_->addAxis(values, Qt::AlignLeft);
    series->attachAxis(values);
}

} // namespace tw
