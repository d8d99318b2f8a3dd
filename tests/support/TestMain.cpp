#include "engine/core/Assert.h"

#include <gtest/gtest.h>

// Asserts in tests must not open message boxes: they only throw (and are checked by text).
int main(int argc, char** argv)
{
    SetAssertReporter([](const std::string&, const std::string&) {});
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
