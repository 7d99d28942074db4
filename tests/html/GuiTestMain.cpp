// Runs the tests that need the application object (controls, timers, the
// event pump), without a display.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gui/Forms.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
