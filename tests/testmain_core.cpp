#include "subprocess.h"
#include "testhome.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The main of the headless tests: no display, no GUI library.
int main(int argc, char **argv)
{
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/tarnwick-test-XXXXXX"));
    if (!tw::test::UseTemporaryHome(home))
        return 2;
    tw::test::PrepareChild(home.path());
    QCoreApplication app(argc, argv);
    if (const int rc = tw::test::RunChildRoutine(argc, argv); rc >= 0)
        return rc;
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    tw::test::FinishChild();
    return rc;
}
