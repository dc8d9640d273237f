// Test entry point. Death tests re-run this binary for just the dying
// statement ("threadsafe" style): forking a process that holds a GL context
// and the driver's threads would share one X connection between two
// processes and crash the child.
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    return RUN_ALL_TESTS();
}
