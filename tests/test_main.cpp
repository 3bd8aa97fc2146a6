// Test entry point: takes the locale from the environment (the test runner sets
// one with a decimal comma), so that code relying on the user's locale for
// numbers shows up as failures.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
