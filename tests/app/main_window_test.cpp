#include "app/main_window.h"

#include <gtest/gtest.h>

namespace wrenly {
namespace {

TEST(MainWindow, HasItsCaptionAndFixedClientSize) {
  TMainFrm mainFrm;
  EXPECT_EQ(mainFrm.windowTitle().toStdString(), "HARWICKDALE-Wrenly");
  EXPECT_EQ(mainFrm.centralWidget()->size(), QSize(300, 316));
  EXPECT_EQ(mainFrm.minimumSize(), mainFrm.maximumSize());
}

}  // namespace
}  // namespace wrenly
