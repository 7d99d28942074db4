// Test entry for GUI tests: one application object for the whole run.
#include <gtest/gtest.h>

#include "platform/gui/Forms.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
