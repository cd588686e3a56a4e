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
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// Qt Charts gives the value axes together at most this share of the chart's
// width and cuts their labels beyond it.
constexpr double kAxisShare = 0.4;
// Room around a label beside its text: Qt Charts' label padding on both
// sides, the tick and a little air.
constexpr double kLabelAir = 30;
// Steps wanted between the lowest and the highest value; steps of 1, 2 or 5
// times a power of ten give 2 to 6 ticks.
constexpr int kTicks = 5;
// Beyond this many bars a bar is thinner than a pixel or two at the size the
// windows give their charts, and Qt Charts keeps a graphics item for each (a
// long session's chart took seconds and hundreds of megabytes): each column
// becomes a line instead.
constexpr qsizetype kMostBars = 90; // a month of days, three figures each

// Room left above the highest value and below a negative lowest one, as a
// share of the values' span: enough to tell the tallest bar from the frame,
// too little to leave the plot empty.
constexpr double kRoom = 0.04;

// A value axis: its range and the step of its ticks, which fall on the
// multiples of the step.
struct Scale {
    double low;
    double high;
    double step;
};

// A scale for values from low to high in whole-number steps of 1, 2 or 5
// times a power of ten. The axis starts at 0 unless a value is negative and
// ends a little beyond the values, not at the next tick: a single negative
// score beside large figures must not push it a whole step down. Values
// below 1 (minutes of a short game) get steps of 1 all the same.
Scale scaleFor(double low, double high)
{
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (!(high > low))
        high = low + 1;
    const double span = high - low;
    const double raw = span / kTicks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * magnitude;
    for (double m : {1.0, 2.0, 5.0})
        if (m * magnitude >= raw) {
            step = m * magnitude;
            break;
        }
    Scale sc;
    sc.step = std::max(1.0, std::round(step));
    sc.low = low < 0 ? low - span * kRoom : 0.0;
    sc.high = high > 0 ? high + span * kRoom : 0.0;
    // Values of one sign reach at least one tick beyond 0: a game of a few
    // seconds is a short bar beside "1 min", not a full one beside "0 min".
    if (sc.low == 0)
        sc.high = std::max(sc.high, sc.step);
    if (sc.high == 0)
        sc.low = std::min(sc.low, -sc.step);
    return sc;
}

int tickCount(const Scale &sc)
{
    return static_cast<int>(std::floor(sc.high / sc.step) - std::ceil(sc.low / sc.step)) + 1;
}

void applyScale(QValueAxis *axis, const Scale &sc)
{
    axis->setRange(sc.low, sc.high);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(sc.step);
}

QString wholeText(double v) { return QString::number(static_cast<qint64>(std::llround(v))); }

// Qt Charts reads every label as markup: the text is escaped so that a name
// shows as it was typed, blanks included where markup would drop them.
QString asShown(const QString &text)
{
    const QString escaped = text.toHtmlEscaped();
    QString out;
    out.reserve(escaped.size());
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const bool blank = escaped[i] == u' ';
        if (blank && (i == 0 || i + 1 == escaped.size() || escaped[i - 1] == u' '))
            out += QLatin1String("&nbsp;");
        else
            out += escaped[i];
    }
    return out;
}

constexpr double kSecondsPerMinute = 60;
const char *const kMinutesFormat = "%d min";

} // namespace

ChartControl::ChartControl(QWidget *parent) : QWidget(parent), view_(new QChartView(this)), chart_(new QChart)
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

void ChartControl::SetColumn(int column) { selected_ = (column >= 1 && column <= columns_) ? column : 0; }

void ChartControl::SetColumnLabel(const QString &label)
{
    if (selected_ < 1)
        return;
    labels_[selected_ - 1] = label;
    showColumnLabel(selected_ - 1);
    updateMinimum();
}

void ChartControl::showColumnLabel(int column)
{
    const QString text = asShown(columnName(column));
    if (column < barSets_.size())
        barSets_[column]->setLabel(text);
    else if (column < lines_.size())
        lines_[column]->setName(text);
}

void ChartControl::SetRowLabels(const QStringList &labels)
{
    rowLabels_ = labels;
    measureRowLabels();
    labelRows(true);
    updateMinimum();
}

void ChartControl::SetFirstRowNumber(int n)
{
    rowLabels_.clear();
    firstRow_ = n;
    measureRowLabels();
    labelRows(true);
    updateMinimum();
}

void ChartControl::SetMinimumChartSize(const QSize &size)
{
    minimum_ = size;
    updateGeometry();
}

void ChartControl::SetTimeColumn(int column)
{
    timeColumn_ = column - 1;
    rebuild();
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

QSize ChartControl::sizeHint() const { return QWidget::sizeHint().expandedTo(minimumSizeHint()); }

void ChartControl::rebuild()
{
    chart_->removeAllSeries();
    for (QAbstractAxis *axis : chart_->axes()) {
        chart_->removeAxis(axis); // hands the axis back: it is ours to delete
        delete axis;
    }
    barSets_.clear();
    lines_.clear();
    const bool timed = timeColumn_ >= 0 && timeColumn_ < columns_;
    // A cell as drawn: the time column in minutes.
    auto drawn = [&](int column, double v) { return timed && column == timeColumn_ ? v / kSecondsPerMinute : v; };
    double low = 0;
    double high = 0;
    double longest = 0; // of the time column, in minutes
    auto take = [&](int column, double v) {
        if (timed && column == timeColumn_) {
            longest = std::max(longest, v);
        } else {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    };
    QList<QAbstractSeries *> shown;    // in column order
    QAbstractSeries *onTime = nullptr; // the time column's
    if (matrix_.size() * columns_ <= kMostBars) {
        // A series of bars per column: Qt Charts sets the series of a group
        // side by side, each as wide as the others, and each may stand on an
        // axis of its own.
        for (int c = 0; c < columns_; ++c) {
            auto *set = new QBarSet(asShown(columnName(c)));
            for (const Row &r : matrix_) {
                // An empty cell draws no bar.
                const double v = c < r.size() && r[c] ? drawn(c, *r[c]) : 0.0;
                *set << v;
                take(c, v);
            }
            auto *series = new QBarSeries;
            series->append(set);
            shown << series;
            barSets_ << set;
        }
    } else {
        for (int c = 0; c < columns_; ++c) {
            auto *line = new QLineSeries;
            line->setName(asShown(columnName(c)));
            QList<QPointF> points;
            points.reserve(matrix_.size());
            for (int row = 0; row < matrix_.size(); ++row) {
                // An empty cell has no point; the line joins its neighbours.
                const Row &r = matrix_[row];
                if (c < r.size() && r[c]) {
                    const double v = drawn(c, *r[c]);
                    points << QPointF(row, v);
                    take(c, v);
                }
            }
            line->replace(points);
            shown << line;
            lines_ << line;
        }
    }
    if (timed)
        onTime = shown[timeColumn_];
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
    // A title names a single group: it looks like the other groups' labels.
    rowAxis_->setTitleFont(rowAxis_->labelsFont());
    rowAxis_->setTitleBrush(rowAxis_->labelsBrush());
    for (QAbstractSeries *series : shown)
        series->attachAxis(rowAxis_);

    valueAxis_ = new QValueAxis;
    const Scale values = scaleFor(low, high);
    applyScale(valueAxis_, values);
    valueAxis_->setLabelFormat(QStringLiteral("%d"));
    chart_->addAxis(valueAxis_, Qt::AlignLeft);
    for (QAbstractSeries *series : shown)
        if (series != onTime)
            series->attachAxis(valueAxis_);

    timeAxis_ = nullptr;
    if (timed) {
        timeAxis_ = new QValueAxis;
        Scale minutes = scaleFor(0, longest);
        // The time bars start from the same line as the others: below a
        // negative score the minutes reach down as far.
        if (values.low < 0 && values.high > 0)
            minutes.low = minutes.high * values.low / values.high;
        applyScale(timeAxis_, minutes);
        timeAxis_->setLabelFormat(QLatin1String(kMinutesFormat));
        // The left axis draws the grid; two grids would cross each other.
        timeAxis_->setGridLineVisible(false);
        chart_->addAxis(timeAxis_, Qt::AlignRight);
        onTime->attachAxis(timeAxis_);
    }

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
    for (int step = 1;;) {
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
    // Qt Charts gives a label under a group at most half the plot; a single
    // group's name stands under it as the axis title instead, which may take
    // the whole width.
    const bool single = matrix_.size() == 1;
    rowAxis_->setTitleText(single ? asShown(RowLabel(0)) : QString());
    if (single) {
        // Qt Charts places the title only on an axis with a group mark.
        rowAxis_->append(QStringLiteral("&nbsp;"), 0);
        return;
    }
    QStringList used;
    for (int r = 0; r < matrix_.size(); ++r) {
        if (!rowShown(r, step))
            continue;
        const QString label = RowLabel(r);
        // The axis takes every text once; an empty one needs no place.
        if (label.isEmpty() || used.contains(label))
            continue;
        used << label;
        rowAxis_->append(asShown(label), r);
    }
}

void ChartControl::updateMinimum()
{
    const QMargins m = chart_->margins();
    const int frame = 2 * view_->frameWidth() + 4;
    const QFontMetricsF values(valueAxis_->labelsFont());
    auto labelWidth = [&values](const QValueAxis *axis, const QString &format) {
        const Scale sc{axis->min(), axis->max(), axis->tickInterval()};
        const double first = std::ceil(sc.low / sc.step) * sc.step;
        const double last = std::floor(sc.high / sc.step) * sc.step;
        return std::max(values.horizontalAdvance(QString(format).replace(QLatin1String("%d"), wholeText(first))),
                        values.horizontalAdvance(QString(format).replace(QLatin1String("%d"), wholeText(last))));
    };
    double axes = labelWidth(valueAxis_, QStringLiteral("%d")) + kLabelAir;
    int ticks = tickCount({valueAxis_->min(), valueAxis_->max(), valueAxis_->tickInterval()});
    if (timeAxis_) {
        axes += labelWidth(timeAxis_, QLatin1String(kMinutesFormat)) + kLabelAir;
        ticks = std::max(ticks, tickCount({timeAxis_->min(), timeAxis_->max(), timeAxis_->tickInterval()}));
    }
    double width = axes / kAxisShare;
    // The name of a single group takes the plot's width.
    if (matrix_.size() == 1)
        width = std::max(width, axes + widestRow_ + kLabelAir);
    // The legend lays its entries out in one line and cuts their texts when
    // the line is too short: a marker, the text and spacing for each.
    const QFontMetricsF legendFont(chart_->legend()->font());
    double legend = 16;
    for (const QString &text : labels_)
        legend += legendFont.horizontalAdvance(text) + legendFont.height() + 16;
    width = std::max(width, legend);
    const QFontMetricsF rowsFont(rowAxis_->labelsFont());
    const double height = 2 * legendFont.height() + 2 * rowsFont.height() + 16 + ticks * (values.height() + 8);
    const QSize needed(static_cast<int>(std::ceil(width)) + m.left() + m.right() + frame,
                       static_cast<int>(std::ceil(height)) + m.top() + m.bottom() + frame);
    if (needed != needed_) {
        needed_ = needed;
        updateGeometry();
    }
}

} // namespace tw
