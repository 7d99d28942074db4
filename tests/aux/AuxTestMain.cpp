// Test entry: one application object for the whole run.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gui/Forms.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Offscreen also when the build lists the tests, which runs this
    // program without the tests' environment.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
