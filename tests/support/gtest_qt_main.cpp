// Test entry: a private settings store and runtime directory, the offscreen
// platform unless the environment asks for another, then GoogleTest.

#include "support/private_environment.h"
#include "support/test_application.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    const brookhum::test::PrivateEnvironment environment;
    ::testing::InitGoogleTest(&argc, argv);
    brookhum::test::TestApplication app(argc, argv);
    environment.useForSettings();
    return RUN_ALL_TESTS();
}
