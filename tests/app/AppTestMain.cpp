// One application object for all tests of the utility's forms.
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
