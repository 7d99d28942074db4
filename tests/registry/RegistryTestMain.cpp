// Test entry: one application object for the whole run (the check box and
// radio button tests need it).
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gui/Forms.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // No test here needs a screen; also when ctest lists the tests without one.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
