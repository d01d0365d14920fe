#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>

#include <clocale>
#include <cstdlib>

#include "platform/internet.h"

// Widget tests need an application object and no display: Qt's offscreen platform, C locale.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::setlocale(LC_ALL, "C");
  wrenly::InitInternet();
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  return RUN_ALL_TESTS();
}
