// Test entry for GUI tests: one application object for the whole run.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QtGlobal>

#include "platform/gui/Forms.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Unit tests never need a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
