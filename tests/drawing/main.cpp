#include <QGuiApplication>

#include <gtest/gtest.h>

// Fonts and painting need a QGuiApplication. Nothing here needs a display, and the test
// listing runs without ctest's environment, so default to the offscreen platform.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
