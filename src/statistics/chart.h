#pragma once

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <optional>

class QAbstractSeries;
class QBarSet;
class QCategoryAxis;
class QChart;
class QChartView;
class QValueAxis;

namespace tw {

// The chart of the statistics and end-of-game windows: a grid of numbers,
// one group of bars per row and one series per column (a line per column
// when there are more groups than bars could show). Filled in one order:
// the matrix, then for each column its label. A new matrix replaces the old
// one; the chart redraws itself.
//
// The rows are numbered from 1 under their groups unless the window numbers
// them from elsewhere or names them (days, months, years, a player). When the
// groups are too narrow for every label, only every second, fifth, tenth, ...
// one is shown, so that no label is ever cut. The values are whole numbers
// (counts, points, seconds) and the value axis shows them so; it spans the
// values with a little room, from 0 unless a value is negative. A column of
// seconds may be drawn in minutes against an axis of its own on the right, so
// that long games do not flatten the other columns.
//
// Every label is shown as given, never read as markup.
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
    // Names the rows in order, until the next matrix.
    void SetRowLabels(const QStringList &labels);
    // Numbers the rows from n instead of 1, until the next matrix.
    void SetFirstRowNumber(int n);
    // The least room the window gives the chart; the chart takes more when
    // its labels need it.
    void SetMinimumChartSize(const QSize &size);
    // The column (1-based) that holds seconds, drawn in minutes on the right
    // axis of every matrix from now on; 0 for none.
    void SetTimeColumn(int column);

    int RowCount() const { return static_cast<int>(matrix_.size()); }
    int ColumnCount() const { return columns_; }
    QString ColumnLabel(int column) const;
    // The label of a row (0-based), shown under its group when there is room.
    QString RowLabel(int row) const;
    std::optional<double> Value(int row, int column) const;
    QChart *Chart() const { return chart_; }
    // The axis of every column but the time column, and the time column's
    // (null without one).
    const QValueAxis *ValueAxis() const { return valueAxis_; }
    const QValueAxis *TimeAxis() const { return timeAxis_; }

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

private:
    void rebuild();
    void showColumnLabel(int column);     // 0-based
    QString columnName(int column) const; // 0-based
    void measureRowLabels();
    void labelRows(bool force);
    int rowStep(double width) const;
    bool rowShown(int row, int step) const;
    void updateMinimum();

    QChartView *view_;
    QChart *chart_;
    QCategoryAxis *rowAxis_ = nullptr;
    QValueAxis *valueAxis_ = nullptr;
    QValueAxis *timeAxis_ = nullptr;
    QList<QBarSet *> barSets_;       // the bars of each column, in bar mode
    QList<QAbstractSeries *> lines_; // the line of each column, in line mode
    QList<Row> matrix_;
    QList<QString> labels_;
    QStringList rowLabels_; // empty: the rows are numbered
    int firstRow_ = 1;
    int columns_ = 0;
    int selected_ = 0;
    int timeColumn_ = -1;  // 0-based; -1 for none
    int rowStep_ = 0;      // every how many rows a label is shown; 0 before the first layout
    double widestRow_ = 0; // the widest row label
    QSize minimum_;
    QSize needed_;
};

} // namespace tw
