#include "platform/shell.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "temp_dir.h"

namespace wrenly {
namespace {

using namespace std::chrono_literals;
using testing::TempDir;

// Stands in for the desktop's opener as the only program on PATH. It writes down its
// arguments, one a line, then waits until it is released or its directory goes (giving up
// after 20 s), so a caller that waited for it would be seen to hang.
class FakeOpener {
 public:
  FakeOpener() {
    const std::string dir = Dir.Path().string();
    Dir.Write("xdg-open",
              "#!/bin/sh\n"
              "printf '%s\\n' \"$@\" > '" +
                  dir +
                  "/args.part'\n"
                  "/bin/mv '" +
                  dir + "/args.part' '" + dir +
                  "/args'\n"
                  "i=0\n"
                  "while [ -d '" +
                  dir + "' ] && [ ! -e '" + dir +
                  "/release' ] &&\n"
                  "      [ $i -lt 400 ]; do\n"
                  "  /bin/sleep 0.05; i=$((i+1))\n"
                  "done\n");
    std::filesystem::permissions(Dir / "xdg-open", std::filesystem::perms::owner_all);
    if (const char* path = std::getenv("PATH")) {
      savedPath_ = path;
    }
    setenv("PATH", dir.c_str(), 1);
  }
  ~FakeOpener() {
    Dir.Write("release", "");
    setenv("PATH", savedPath_.c_str(), 1);
  }
  FakeOpener(const FakeOpener&) = delete;
  FakeOpener& operator=(const FakeOpener&) = delete;

  // The arguments the opener was started with, once it has written them down.
  std::optional<std::string> Arguments() const {
    for (auto waited = 0ms; waited < 10s; waited += 20ms) {
      if (Dir.Exists("args")) {
        return Dir.Read("args");
      }
      std::this_thread::sleep_for(20ms);
    }
    return std::nullopt;
  }

  TempDir Dir;

 private:
  std::string savedPath_;
};

TEST(Shell, HandsTheTargetToTheDesktopsOpenerAndDoesNotWaitForIt) {
  const std::string here = std::filesystem::current_path().string();
  const struct {
    const char* Name;
    bool (*Open)(const QString&);
    QString Target;
    std::string Argument;
  } cases[] = {
      {"address", ShellOpenUrl, QStringLiteral("https://www.kapow.co.uk/?a=1&b=2"),
       "https://www.kapow.co.uk/?a=1&b=2"},
      {"absolute path", ShellOpenFile, QStringLiteral("/opt/my docs/Agreement.rtf"),
       "/opt/my docs/Agreement.rtf"},
      // Made absolute, so it cannot pass for an option either.
      {"relative path", ShellOpenFile, QStringLiteral("-x.rtf"), here + "/-x.rtf"},
  };
  for (const auto& c : cases) {
    FakeOpener opener;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(c.Open(c.Target)) << c.Name;
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s) << c.Name;
    EXPECT_EQ(opener.Arguments(), c.Argument + "\n") << c.Name;
  }
}

TEST(Shell, SaysWhenNothingCouldBeStarted) {
  FakeOpener opener;
  // An address that the opener would take for an option, and nothing at all.
  EXPECT_FALSE(ShellOpenUrl(QStringLiteral("--help")));
  EXPECT_FALSE(ShellOpenUrl(QString()));
  EXPECT_FALSE(ShellOpenFile(QString()));
  // No opener on PATH.
  std::filesystem::remove(opener.Dir / "xdg-open");
  EXPECT_FALSE(ShellOpenUrl(QStringLiteral("https://www.kapow.co.uk/")));
  EXPECT_FALSE(opener.Dir.Exists("args"));
}

TEST(ShellRecorder, TakesTheRequestsInsteadOfTheSystemAndAnswersAsTold) {
  ShellRecorder outer;
  {
    ShellRecorder inner;
    inner.SetStarted(false);
    EXPECT_FALSE(ShellOpenUrl(QStringLiteral("https://www.clickatell.com/sign-up/")));
    EXPECT_FALSE(ShellOpenFile(QStringLiteral("EndUserLicenseAgreement.rtf")));
    ASSERT_EQ(inner.Requests().size(), 2u);
    EXPECT_EQ(inner.Requests()[0].Target, QStringLiteral("https://www.clickatell.com/sign-up/"));
    EXPECT_FALSE(inner.Requests()[0].IsFile);
    EXPECT_EQ(inner.Requests()[1].Target, QStringLiteral("EndUserLicenseAgreement.rtf"));
    EXPECT_TRUE(inner.Requests()[1].IsFile);
  }
  EXPECT_TRUE(ShellOpenUrl(QStringLiteral("https://www.kapow.co.uk/")));
  ASSERT_EQ(outer.Requests().size(), 1u);
  EXPECT_EQ(outer.Requests()[0].Target, QStringLiteral("https://www.kapow.co.uk/"));
}

}  // namespace
}  // namespace wrenly
