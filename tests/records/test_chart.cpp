#include "records/chart.h"
#include "charttest.h"

#include <QAbstractAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLineSeries>
#include <QPointer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace tw;

TEST(Chart, MatrixLabelsAndReplacement)
{
    ChartControl c;
    c.SetData({{std::nullopt}});
    EXPECT_EQ(c.RowCount(), 1); // a session without games: one empty row, no error
    EXPECT_FALSE(c.Value(0, 1).has_value());

    c.SetData({{3.0, 4.0}});
    c.SetColumn(1);
    c.SetColumnLabel(QStringLiteral("Won : 3"));
    c.SetColumn(2);
    c.SetColumnLabel(QStringLiteral("Lost : 4"));
    EXPECT_EQ(c.ColumnCount(), 2);
    EXPECT_EQ(c.ColumnLabel(1), QStringLiteral("Won : 3"));
    EXPECT_EQ(c.ColumnLabel(2), QStringLiteral("Lost : 4"));
    auto *bars = qobject_cast<QBarSeries *>(c.Chart()->series().first());
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->barSets().at(1)->label(), QStringLiteral("Lost : 4"));
    c.SetColumn(3); // out of range selects nothing
    c.SetColumnLabel(QStringLiteral("x"));
    EXPECT_EQ(c.ColumnLabel(2), QStringLiteral("Lost : 4"));

    // A new matrix replaces the old one, labels included, and the old axes go.
    QList<QPointer<QAbstractAxis>> old;
    for (QAbstractAxis *a : c.Chart()->axes())
        old << a;
    ASSERT_FALSE(old.isEmpty());
    c.SetData({{1.0, 2.0, 3.0}, {4.0, 5.0, 6.0}});
    EXPECT_EQ(c.RowCount(), 2);
    EXPECT_EQ(c.ColumnCount(), 3);
    EXPECT_EQ(c.ColumnLabel(1), QString());
    EXPECT_EQ(c.Value(1, 3), 6.0);
    for (const auto &a : old)
        EXPECT_TRUE(a.isNull());
}

namespace {

using tw::test::chartTexts;
using tw::test::cutTexts;
using tw::test::groupAxisLabels;
using tw::test::valueAxis;
using tw::test::wholeTicks;

void label(ChartControl &c, const QStringList &labels)
{
    for (int i = 0; i < labels.size(); ++i) {
        c.SetColumn(i + 1);
        c.SetColumnLabel(labels[i]);
    }
}

bool isNumber(const QString &text)
{
    bool ok = false;
    text.toDouble(&ok);
    return ok;
}

} // namespace

TEST(Chart, CountsShowAsWholeNumbers)
{
    ChartControl c;
    c.SetData({{2.0, 0.0}});
    label(c, {"Won : 2", "Lost : 0"});
    c.resize(320, 240);
    c.show();
    EXPECT_TRUE(wholeTicks(valueAxis(&c)));
    QStringList numbers;
    for (const QString &t : chartTexts(&c))
        if (isNumber(t))
            numbers << t;
    EXPECT_TRUE(numbers.contains("0")) << numbers.join(' ').toStdString();
    EXPECT_TRUE(numbers.contains("2")) << numbers.join(' ').toStdString();
    for (const QString &t : numbers)
        EXPECT_FALSE(t.contains('.')) << t.toStdString();
}

TEST(Chart, LabelsAreNotCutAtTheSmallestSizeTheChartAllows)
{
    // Totals of a long history: nine- and ten-digit values, long legend texts.
    QWidget host;
    auto *layout = new QVBoxLayout(&host);
    auto *c = new ChartControl;
    layout->addWidget(c);
    c->SetData({{1800000000.0, 123456789.0, 2147483647.0}});
    label(*c, {"Score", "Moves", "Time"});
    host.resize(host.minimumSizeHint());
    host.show();
    EXPECT_TRUE(cutTexts(c).isEmpty()) << cutTexts(c).join(" | ").toStdString();
    EXPECT_TRUE(wholeTicks(valueAxis(c)));

    c->SetData({{1000000.0, 999999.0}});
    label(*c, {"Won : 1000000", "Lost : 999999"});
    host.resize(host.minimumSizeHint());
    EXPECT_TRUE(cutTexts(c).isEmpty()) << cutTexts(c).join(" | ").toStdString();
}

TEST(Chart, RowsAreNumberedFromTheFirstNumberAndStayReadableWhenMany)
{
    ChartControl c;
    QList<ChartControl::Row> rows{ChartControl::Row(3)};
    for (int i = 1; i <= 50; ++i)
        rows << ChartControl::Row{double(i * 7), double(i), double(i * 60)};
    c.SetData(rows);
    c.SetFirstRowNumber(0);
    label(c, {"Score", "Moves", "Time"});
    EXPECT_EQ(c.RowLabel(0), "0");
    EXPECT_EQ(c.RowLabel(1), "1");
    EXPECT_EQ(c.RowLabel(50), "50");
    c.resize(420, 260);
    c.show();
    EXPECT_TRUE(cutTexts(&c).isEmpty()) << cutTexts(&c).join(" | ").toStdString();
    const QMap<int, QString> shown = groupAxisLabels(&c);
    EXPECT_GE(shown.size(), 3);
    for (auto it = shown.begin(); it != shown.end(); ++it)
        EXPECT_EQ(it.value(), QString::number(it.key()));

    // A new matrix numbers from 1 again.
    c.SetData({{1.0}, {2.0}});
    EXPECT_EQ(c.RowLabel(0), "1");
    EXPECT_EQ(c.RowLabel(1), "2");
}

TEST(Chart, RowLabelsNameTheGroups)
{
    ChartControl c;
    QList<ChartControl::Row> rows;
    QStringList days;
    for (int i = 0; i < 30; ++i) {
        rows << ChartControl::Row{double(i % 4), double(i % 3)};
        days << QStringLiteral("Mar %1").arg(i + 1, 2, 10, QLatin1Char('0'));
    }
    c.SetData(rows);
    c.SetRowLabels(days);
    label(c, {"Played", "Won"});
    EXPECT_EQ(c.RowLabel(29), "Mar 30");
    c.resize(480, 260);
    c.show();
    EXPECT_TRUE(cutTexts(&c).isEmpty()) << cutTexts(&c).join(" | ").toStdString();
    const QMap<int, QString> shown = groupAxisLabels(&c);
    // The newest group always keeps its label; the others are thinned out
    // only as far as the width needs.
    ASSERT_TRUE(shown.contains(29));
    EXPECT_GE(shown.size(), 3);
    for (auto it = shown.begin(); it != shown.end(); ++it)
        EXPECT_EQ(it.value(), days[it.key()]);

    c.resize(2400, 300);
    EXPECT_EQ(groupAxisLabels(&c).size(), 30);
    EXPECT_TRUE(cutTexts(&c).isEmpty()) << cutTexts(&c).join(" | ").toStdString();
}

TEST(Chart, ALongSeriesIsDrawnAsLinesWithItsLabelsAndEveryValue)
{
    // A full session: more groups than bars could show side by side.
    ChartControl c;
    QList<ChartControl::Row> rows;
    for (int i = 0; i < 32767; ++i)
        rows << ChartControl::Row{double(i % 1000) - 200, double(i % 500), double(i % 3600)};
    rows << ChartControl::Row(3); // no game running: an empty last row
    c.SetData(rows);
    label(c, {"Score", "Moves", "Time"});

    const QList<QAbstractSeries *> series = c.Chart()->series();
    ASSERT_EQ(series.size(), 3);
    QStringList names;
    for (const QAbstractSeries *s : series) {
        const auto *line = qobject_cast<const QLineSeries *>(s);
        ASSERT_NE(line, nullptr);
        names << line->name();
        // Every filled cell is a point at its row; the empty row has none.
        EXPECT_EQ(line->count(), 32767);
    }
    EXPECT_EQ(names, QStringList({"Score", "Moves", "Time"}));
    const auto *score = qobject_cast<const QLineSeries *>(series.first());
    EXPECT_EQ(score->at(1234), QPointF(1234, 34));
    EXPECT_EQ(score->at(32766), QPointF(32766, 566));
    EXPECT_EQ(c.Value(32767, 1), std::nullopt);

    c.resize(420, 260);
    c.show();
    EXPECT_TRUE(cutTexts(&c).isEmpty()) << cutTexts(&c).join(" | ").toStdString();
    EXPECT_TRUE(wholeTicks(valueAxis(&c)));
    EXPECT_LE(valueAxis(&c)->min(), -200);
    EXPECT_GE(valueAxis(&c)->max(), 3599);
    const QMap<int, QString> shown = groupAxisLabels(&c);
    EXPECT_GE(shown.size(), 2);
    for (auto it = shown.begin(); it != shown.end(); ++it)
        EXPECT_EQ(it.value(), QString::number(it.key() + 1));

    // Bars as long as each can be seen: up to a month's days of three figures.
    auto kinds = [&c](int groups, int columns) {
        c.SetData(QList<ChartControl::Row>(groups, ChartControl::Row(columns, 1.0)));
        QStringList out;
        for (const QAbstractSeries *s : c.Chart()->series())
            out << (qobject_cast<const QBarSeries *>(s) ? "bars" : qobject_cast<const QLineSeries *>(s) ? "line" : "?");
        return out.join(' ');
    };
    EXPECT_EQ(kinds(30, 3), "bars");
    EXPECT_EQ(kinds(45, 2), "bars");
    EXPECT_EQ(kinds(31, 3), "line line line");
    EXPECT_EQ(kinds(46, 2), "line line");
    EXPECT_EQ(kinds(1, 2), "bars");
}
