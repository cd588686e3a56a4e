#include "media/resources_init.h"
#include "subprocess.h"
#include "testhome.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

// The main of the tests with windows, on the offscreen platform unless told
// otherwise.
int main(int argc, char **argv)
{
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/tarnwick-test-XXXXXX"));
    if (!tw::test::UseTemporaryHome(home))
        return 2;
    if (!getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    tw::test::PrepareChild(home.path());
    QApplication app(argc, argv);
    if (const int rc = tw::test::RunChildRoutine(argc, argv); rc >= 0)
        return rc;
    tw::initResources();
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    tw::test::FinishChild();
    return rc;
}
