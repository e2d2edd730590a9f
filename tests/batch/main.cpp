#include "platform/font_substitutions.h"

#include <QApplication>

#include <gtest/gtest.h>

// The rows are drawn into PDFs, with fonts: a QApplication, without any display.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::RegisterFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
