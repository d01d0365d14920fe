#include <gtest/gtest.h>

#include <clocale>

#include "platform/internet.h"

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C");
  wrenly::InitInternet();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
