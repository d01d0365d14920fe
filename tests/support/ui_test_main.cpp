#include <gtest/gtest.h>

#include <QLocale>

#include <clocale>
#include <cstdlib>

#include "platform/application.h"
#include "platform/internet.h"
#include "platform/message_box.h"
#include "temp_dir.h"

// Widget tests need the program's application object and no display: Qt's offscreen platform,
// C locale. A message box that no test expects fails the test instead of waiting for a click.
// The tables read and write their files in the current directory: a test that forgets to give
// them a directory of its own works in an empty one, never in the build tree.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::setlocale(LC_ALL, "C");
  wrenly::InitInternet();
  ::testing::InitGoogleTest(&argc, argv);
  wrenly::TApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  wrenly::testing::TempDir workDir;
  wrenly::testing::ScopedCurrentDir inWorkDir(workDir.Path());
  wrenly::MessageBoxRecorder unexpected([](const wrenly::MessageBoxRecord& Box) {
    ADD_FAILURE() << "unexpected message box \"" << Box.Title.toStdString()
                  << "\": " << Box.Text.toStdString();
  });
  return RUN_ALL_TESTS();
}
