#include "engine/catalogue.h"
#include "testutil.h"

#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

TEST(Deal, EveryVariantDealsEveryCardOnce)
{
    TestTable t;
    for (int16_t i = 1; i <= frmGame::GameCount; ++i) {
        const QString name = frmGame::NameAt(i);
        t.start(name, 1000 + i);
        ASSERT_TRUE(t.d.data.GameRunning()) << name.toStdString();
        EXPECT_EQ(t.engine.CheckModel(), QString()) << name.toStdString();
        EXPECT_EQ(t.engine.Array.Total(), t.engine.Games.TotalCards()) << name.toStdString();
    }
}
