#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <optional>

class QChart;
class QChartView;

namespace tw {

// The chart of the statistics and end-of-game windows: a grid of numbers,
// one group of bars per row and one series per column. Filled in one order:
// the matrix, then for each column its label. A new matrix replaces the old
// one; the chart redraws itself.
class ChartControl : public QWidget {
    Q_OBJECT
public:
    using Row = QList<std::optional<double>>; // an empty cell is nullopt
    explicit ChartControl(QWidget *parent = nullptr);

    void SetData(const QList<Row> &matrix);
    // Selects a column by its 1-based index; out of range selects nothing.
    void SetColumn(int column);
    // Labels the selected column.
    void SetColumnLabel(const QString &label);

    int RowCount() const { return static_cast<int>(matrix_.size()); }
    int ColumnCount() const { return columns_; }
    QString ColumnLabel(int column) const;
    std::optional<double> Value(int row, int column) const;
    QChart *Chart() const { return chart_; }

private:
    void rebuild();

    QChartView *view_;
    QChart *chart_;
    QList<Row> matrix_;
    QList<QString> labels_;
    int columns_ = 0;
    int selected_ = 0;
};

} // namespace tw
