#include "chart.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// Qt Charts gives the value axis at most this share of the chart's width and
// cuts its labels beyond it.
constexpr double kAxisShare = 0.4;
// Room around a label beside its text: Qt Charts' label padding on both
// sides, the tick and a little air.
constexpr double kLabelAir = 30;
// Ticks wanted on the value axis; whole-number steps give 3 to 8.
constexpr int kTicks = 5;
// Beyond this many bars a bar is thinner than a pixel or two at the size the
// windows give their charts, and Qt Charts keeps a graphics item for each (a
// long session's chart took seconds and hundreds of megabytes): each column
// becomes a line instead.
constexpr qsizetype kMostBars = 90; // a month of days, three figures each

struct Ticks {
    double low;
    double high;
    int count;
};

// A range with whole-number steps of 1, 2 or 5 times a power of ten that
// holds low and high, so that every tick is a whole number.
Ticks wholeTicks(double low, double high)
{
    if (!(high > low))
        high = low + 1;
    const double raw = (high - low) / (kTicks - 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for (double m : {1.0, 2.0, 5.0})
        if (m * magnitude >= raw) {
            step = m * magnitude;
            break;
        }
    step = std::max(1.0, std::round(step));
    Ticks t;
    t.low = std::floor(low / step) * step;
    t.high = std::ceil(high / step) * step;
    t.count = static_cast<int>(std::lround((t.high - t.low) / step)) + 1;
    return t;
}

QString wholeText(double v)
{
    return QString::number(static_cast<qint64>(std::llround(v)));
}

} // namespace

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
    // The group labels follow the width of the plot.
    connect(chart_, &QChart::plotAreaChanged, this, [this] { labelRows(false); });
    rebuild();
}

void ChartControl::SetData(const QList<Row> &matrix)
{
    matrix_ = matrix;
    columns_ = 0;
    for (const Row &r : matrix_)
        columns_ = std::max(columns_, static_cast<int>(r.size()));
    labels_ = QList<QString>(columns_);
    rowLabels_.clear();
    firstRow_ = 1;
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
    if (series.isEmpty())
        return;
    if (auto *bars = qobject_cast<QBarSeries *>(series.first())) {
        if (selected_ - 1 < bars->count())
            bars->barSets().at(selected_ - 1)->setLabel(label);
    } else if (selected_ - 1 < series.size()) {
        series.at(selected_ - 1)->setName(label);
    }
    updateMinimum();
}

void ChartControl::SetRowLabels(const QStringList &labels)
{
    rowLabels_ = labels;
    measureRowLabels();
    labelRows(true);
}

void ChartControl::SetFirstRowNumber(int n)
{
    rowLabels_.clear();
    firstRow_ = n;
    measureRowLabels();
    labelRows(true);
}

void ChartControl::SetMinimumChartSize(const QSize &size)
{
    minimum_ = size;
    updateGeometry();
}

QString ChartControl::ColumnLabel(int column) const
{
    return (column >= 1 && column <= columns_) ? labels_[column - 1] : QString();
}

QString ChartControl::RowLabel(int row) const
{
    if (row < 0 || row >= matrix_.size())
        return QString();
    if (!rowLabels_.isEmpty())
        return row < rowLabels_.size() ? rowLabels_[row] : QString();
    return QString::number(static_cast<qint64>(firstRow_) + row);
}

std::optional<double> ChartControl::Value(int row, int column) const
{
    if (row < 0 || row >= matrix_.size() || column < 1 || column > matrix_[row].size())
        return std::nullopt;
    return matrix_[row][column - 1];
}

QSize ChartControl::minimumSizeHint() const
{
    return QWidget::minimumSizeHint().expandedTo(minimum_).expandedTo(needed_);
}

QSize ChartControl::sizeHint() const
{
    return QWidget::sizeHint().expandedTo(minimumSizeHint());
}

void ChartControl::rebuild()
{
    chart_->removeAllSeries();
    for (QAbstractAxis *axis : chart_->axes()) {
        chart_->removeAxis(axis); // hands the axis back: it is ours to delete
        delete axis;
    }
    double low = 0;
    double high = 0;
    QList<QAbstractSeries *> shown;
    if (matrix_.size() * columns_ <= kMostBars) {
        auto *series = new QBarSeries;
        for (int c = 0; c < columns_; ++c) {
            auto *set = new QBarSet(columnName(c));
            for (const Row &r : matrix_) {
                // An empty cell draws no bar.
                const double v = c < r.size() && r[c] ? *r[c] : 0.0;
                *set << v;
                low = std::min(low, v);
                high = std::max(high, v);
            }
            series->append(set);
        }
        shown << series;
    } else {
        for (int c = 0; c < columns_; ++c) {
            auto *line = new QLineSeries;
            line->setName(columnName(c));
            QList<QPointF> points;
            points.reserve(matrix_.size());
            for (int row = 0; row < matrix_.size(); ++row) {
                // An empty cell has no point; the line joins its neighbours.
                const Row &r = matrix_[row];
                if (c < r.size() && r[c]) {
                    points << QPointF(row, *r[c]);
                    low = std::min(low, *r[c]);
                    high = std::max(high, *r[c]);
                }
            }
            line->replace(points);
            shown << line;
        }
    }
    for (QAbstractSeries *series : shown)
        chart_->addSeries(series);

    // The groups stand at 0, 1, 2, ... on a plain number line; the labels are
    // placed under the groups they name.
    rowAxis_ = new QCategoryAxis;
    rowAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const int rows = std::max<int>(1, static_cast<int>(matrix_.size()));
    rowAxis_->setRange(-0.5, rows - 0.5);
    rowAxis_->setStartValue(-0.5);
    rowAxis_->setGridLineVisible(false);
    chart_->addAxis(rowAxis_, Qt::AlignBottom);
    for (QAbstractSeries *series : shown)
        series->attachAxis(rowAxis_);

    valueAxis_ = new QValueAxis;
    const Ticks t = wholeTicks(low, high);
    valueAxis_->setRange(t.low, t.high);
    valueAxis_->setTickCount(t.count);
    valueAxis_->setLabelFormat(QStringLiteral("%d"));
    chart_->addAxis(valueAxis_, Qt::AlignLeft);
    for (QAbstractSeries *series : shown)
        series->attachAxis(valueAxis_);

    rowStep_ = 0;
    measureRowLabels();
    labelRows(true);
    updateMinimum();
}

bool ChartControl::rowShown(int row, int step) const
{
    if (step <= 1)
        return true;
    // Too narrow for more than one: the newest row keeps its label.
    if (step >= matrix_.size())
        return row == matrix_.size() - 1;
    // Numbers show at the round ones; names count back from the newest row,
    // which always keeps its label.
    if (rowLabels_.isEmpty())
        return (static_cast<qint64>(firstRow_) + row) % step == 0;
    return (matrix_.size() - 1 - row) % step == 0;
}

int ChartControl::rowStep(double width) const
{
    const int rows = static_cast<int>(matrix_.size());
    if (rows <= 1 || width <= 0)
        return 1;
    // Qt Charts cuts a label wider than its equal share of the axis, less
    // its padding; where they sit under their groups the labels also need
    // some air between them.
    const double share = widestRow_ + 10;
    const double apart = widestRow_ + 12;
    for (int step = 1;; ) {
        int shown = 0;
        for (int r = 0; r < rows; ++r)
            shown += rowShown(r, step) ? 1 : 0;
        if (step >= rows || (width / (shown + 1) >= share && width * step / rows >= apart))
            return step;
        const int mantissa = step / static_cast<int>(std::pow(10, std::floor(std::log10(step))));
        step = mantissa == 2 ? step / 2 * 5 : step * 2;
    }
}

QString ChartControl::columnName(int column) const
{
    return labels_[column].isEmpty() ? QString::number(column + 1) : labels_[column];
}

void ChartControl::measureRowLabels()
{
    // The labels change only with the matrix or the row names, not with the
    // width that each layout of the plot asks about.
    const QFontMetricsF fm(rowAxis_->labelsFont());
    widestRow_ = 0;
    for (int r = 0; r < matrix_.size(); ++r)
        widestRow_ = std::max(widestRow_, fm.horizontalAdvance(RowLabel(r)));
}

void ChartControl::labelRows(bool force)
{
    if (!rowAxis_)
        return;
    const double plot = chart_->plotArea().width();
    const double width = plot > 0 ? plot : view_->width() * (1 - kAxisShare);
    const int step = rowStep(width);
    if (!force && step == rowStep_)
        return;
    rowStep_ = step;
    for (const QString &label : rowAxis_->categoriesLabels())
        rowAxis_->remove(label);
    QStringList used;
    for (int r = 0; r < matrix_.size(); ++r) {
        if (!rowShown(r, step))
            continue;
        const QString label = RowLabel(r);
        // The axis takes every text once; an empty one needs no place.
        if (label.isEmpty() || used.contains(label))
            continue;
        used << label;
        rowAxis_->append(label, r);
    }
}

void ChartControl::updateMinimum()
{
    const QMargins m = chart_->margins();
    const int frame = 2 * view_->frameWidth() + 4;
    const QFontMetricsF values(valueAxis_->labelsFont());
    const double label = std::max(values.horizontalAdvance(wholeText(valueAxis_->min())),
                                  values.horizontalAdvance(wholeText(valueAxis_->max())));
    double width = (label + kLabelAir) / kAxisShare;
    // The legend lays its entries out in one line and cuts their texts when
    // the line is too short: a marker, the text and spacing for each.
    const QFontMetricsF legendFont(chart_->legend()->font());
    double legend = 16;
    for (const QString &text : labels_)
        legend += legendFont.horizontalAdvance(text) + legendFont.height() + 16;
    width = std::max(width, legend);
    const QFontMetricsF rowsFont(rowAxis_->labelsFont());
    const double height = 2 * legendFont.height() + 2 * rowsFont.height() + 16
                          + valueAxis_->tickCount() * (values.height() + 8);
    const QSize needed(static_cast<int>(std::ceil(width)) + m.left() + m.right() + frame,
                       static_cast<int>(std::ceil(height)) + m.top() + m.bottom() + frame);
    if (needed != needed_) {
        needed_ = needed;
        updateGeometry();
    }
}

} // namespace tw
