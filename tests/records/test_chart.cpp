#include "records/chart.h"

#include <QAbstractAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QPointer>
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
