#include <QApplication>

#include <gtest/gtest.h>

// The view is a widget: it needs a QApplication (offscreen under ctest).
int main(int argc, char **argv)
{
    // Listing the tests happens outside ctest's environment: never ask for a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
