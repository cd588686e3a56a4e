#include "charttest.h"
#include "statistics/chart.h"

#include <QAbstractAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
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
    // A series of bars per column.
    ASSERT_EQ(c.Chart()->series().size(), 2);
    auto *bars = qobject_cast<QBarSeries *>(c.Chart()->series().at(1));
    ASSERT_NE(bars, nullptr);
    ASSERT_EQ(bars->count(), 1);
    EXPECT_EQ(bars->barSets().at(0)->label(), QStringLiteral("Lost : 4"));
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
    EXPECT_EQ(kinds(30, 3), "bars bars bars");
    EXPECT_EQ(kinds(45, 2), "bars bars");
    EXPECT_EQ(kinds(31, 3), "line line line");
    EXPECT_EQ(kinds(46, 2), "line line");
    EXPECT_EQ(kinds(1, 2), "bars bars");
}

// Qt Charts reads labels as markup: a player called "<b>Big<br>Tom<i>J" must
// not show as a bold "Big", a line break and an italic "J", and blanks stay.
TEST(Chart, LabelsAreShownAsGivenNotAsMarkup)
{
    const QString name = QStringLiteral("<b>Big<br>Tom<i>J");
    const QString blanks = QStringLiteral("  Ann &amp;  Bob ");
    ChartControl c;
    c.SetData({{3.0, 4.0}});
    c.SetRowLabels({name});
    label(c, {blanks, QStringLiteral("Lost : 4")});
    c.resize(600, 300);
    c.show();
    EXPECT_EQ(c.ColumnLabel(1), blanks);
    EXPECT_EQ(c.RowLabel(0), name);
    const QStringList shown = chartTexts(&c);
    EXPECT_TRUE(shown.contains(name)) << shown.join(" | ").toStdString();
    EXPECT_TRUE(shown.contains(blanks)) << shown.join(" | ").toStdString();
    EXPECT_EQ(groupAxisLabels(&c).value(0), name);

    // In lines as in bars.
    QList<ChartControl::Row> rows(100, ChartControl::Row{1.0, 2.0});
    c.SetData(rows);
    label(c, {name, blanks});
    const QStringList lines = chartTexts(&c);
    EXPECT_TRUE(lines.contains(name)) << lines.join(" | ").toStdString();
    EXPECT_TRUE(lines.contains(blanks)) << lines.join(" | ").toStdString();
}

namespace {

// The legend entries that are shown.
QStringList legendEntries(const ChartControl &c)
{
    QApplication::processEvents(); // the legend lays its entries out
    QStringList out;
    for (const QLegendMarker *m : c.Chart()->legend()->markers())
        if (m->isVisible())
            out << tw::test::shownText(m->label());
    return out;
}

// The series drawn against an axis.
int seriesOn(const ChartControl &c, const QAbstractAxis *axis)
{
    int n = 0;
    for (QAbstractSeries *s : c.Chart()->series())
        n += s->attachedAxes().contains(const_cast<QAbstractAxis *>(axis)) ? 1 : 0;
    return n;
}

} // namespace

// One score of -5 beside a 25-hour game: the axis reaches just below -5, not
// a whole step of 50,000 further down.
TEST(Chart, ANegativeValueLeavesNoLargePartOfThePlotEmpty)
{
    using tw::test::emptyAbove;
    using tw::test::emptyBelow;
    ChartControl c;
    c.SetData({{-5.0, 120.0, 90000.0}});
    label(c, {"Score", "Moves", "Time"});
    const QValueAxis *axis = valueAxis(&c);
    ASSERT_NE(axis, nullptr);
    EXPECT_LT(axis->min(), -5);
    EXPECT_LT(emptyBelow(axis, -5), 0.05) << axis->min();
    EXPECT_LT(emptyAbove(axis, 90000), 0.05) << axis->max();
    EXPECT_TRUE(wholeTicks(axis));
    EXPECT_EQ(tw::test::tickValues(axis).first(), 0); // the ticks keep to round numbers

    // Without a negative value the axis starts at 0; the highest value is
    // not pushed a whole step up either.
    c.SetData({{201.0, 120.0}});
    EXPECT_EQ(valueAxis(&c)->min(), 0);
    EXPECT_LT(emptyAbove(valueAxis(&c), 201), 0.05);
    EXPECT_TRUE(wholeTicks(valueAxis(&c)));
    c.SetData({{-30.0, -4.0}});
    EXPECT_EQ(valueAxis(&c)->max(), 0);
    EXPECT_LT(emptyBelow(valueAxis(&c), -30), 0.05);
}

// Time in seconds beside scores and moves flattened them: the time column
// stands in minutes on an axis of its own, the others keep theirs.
TEST(Chart, TheTimeColumnIsDrawnInMinutesOnItsOwnAxis)
{
    using tw::test::emptyAbove;
    using tw::test::emptyBelow;
    ChartControl c;
    c.SetTimeColumn(3);
    c.SetData({{-5.0, 120.0, 90000.0}, {300.0, 80.0, 600.0}});
    label(c, {"Score", "Moves", "Time"});
    c.resize(c.minimumSizeHint());
    c.show();

    const QValueAxis *values = valueAxis(&c);
    const QValueAxis *minutes = c.TimeAxis();
    ASSERT_NE(values, nullptr);
    ASSERT_NE(minutes, nullptr);
    EXPECT_LT(emptyBelow(values, -5), 0.05);
    EXPECT_LT(emptyAbove(values, 300), 0.05);
    EXPECT_LT(emptyAbove(minutes, 1500), 0.05);
    // Both axes have their 0 at the same height: every bar starts from one line.
    EXPECT_NEAR(emptyBelow(minutes, 0), emptyBelow(values, 0), 1e-9);
    EXPECT_TRUE(wholeTicks(values));
    EXPECT_TRUE(wholeTicks(minutes));
    EXPECT_EQ(minutes->labelFormat(), QStringLiteral("%d min"));
    EXPECT_TRUE(chartTexts(&c).contains(QStringLiteral("1000 min"))) << chartTexts(&c).join(" | ").toStdString();
    EXPECT_TRUE(cutTexts(&c).isEmpty()) << cutTexts(&c).join(" | ").toStdString();
    EXPECT_EQ(seriesOn(c, minutes), 1);
    EXPECT_GE(seriesOn(c, values), 1);
    // The window's figures stay as given; only the drawing is in minutes.
    EXPECT_EQ(c.Value(0, 3), 90000.0);
    EXPECT_EQ(legendEntries(c), QStringList({"Score", "Moves", "Time"}));
    // Each column in a colour of its own.
    QList<QColor> colours;
    for (const QAbstractSeries *s : c.Chart()->series())
        for (QBarSet *set : qobject_cast<const QBarSeries *>(s)->barSets())
            colours << set->color();
    ASSERT_EQ(colours.size(), 3);
    EXPECT_NE(colours[0], colours[1]);
    EXPECT_NE(colours[0], colours[2]);
    EXPECT_NE(colours[1], colours[2]);

    // A long session as lines: the time line on the minutes axis.
    QList<ChartControl::Row> rows;
    for (int i = 0; i < 200; ++i)
        rows << ChartControl::Row{double(i % 7) - 2, double(i % 50), double(60 * (i % 90))};
    c.SetData(rows);
    label(c, {"Score", "Moves", "Time"});
    ASSERT_NE(c.TimeAxis(), nullptr);
    EXPECT_EQ(seriesOn(c, c.TimeAxis()), 1);
    EXPECT_EQ(seriesOn(c, valueAxis(&c)), 2);
    EXPECT_LT(emptyAbove(c.TimeAxis(), 89), 0.05);
    EXPECT_LT(emptyAbove(valueAxis(&c), 49), 0.05);
    EXPECT_EQ(legendEntries(c), QStringList({"Score", "Moves", "Time"}));

    // Without a time column every series shares the one axis.
    c.SetTimeColumn(0);
    EXPECT_EQ(c.TimeAxis(), nullptr);
    EXPECT_EQ(seriesOn(c, valueAxis(&c)), 3);
}
