#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "loopback_gateway.h"
#include "temp_dir.h"

// The built program, driven as a user drives it: on a virtual screen, through the keyboard.
namespace wrenly::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kWait = 20s;  // the most any one step may take

const std::string kDefGway = "GATEWATY\r\nCLICKATELL\r\n";
const std::string kGateways =
    "GATEWAY,USERNAME,PASSWORD,RECIPIENT,ORIGINATOR,APIID\r\n"
    "KAPOW,kuser,kpass,,,\r\n"
    "CLICKATELL,user,secret,,,3456789\r\n";

// What the program must not take from the test's own environment: another screen, Qt's
// offscreen platform of the widget tests, or a proxy that would bypass the loopback gateway.
const std::vector<std::string> kForeign = {
    "DISPLAY",     "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "http_proxy", "HTTP_PROXY", "https_proxy",
    "HTTPS_PROXY", "all_proxy",       "ALL_PROXY",       "no_proxy",   "NO_PROXY"};

// A virtual screen on a display number that the X server picks free itself; its number is
// empty when the server could not start.
class VirtualScreen {
 public:
  VirtualScreen() {
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
      return;
    }
    constexpr int kReportFd = 3;
    server_.emplace(ChildOptions{{"Xvfb", "-displayfd", std::to_string(kReportFd), "-screen", "0",
                                  "1024x768x24", "-nolisten", "tcp"},
                                 Environment({}, {}),
                                 {},
                                 {{kReportFd, report[1]}}});
    ::close(report[1]);
    // The server writes its display number and a line break once it accepts clients.
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + kWait;
    char c = 0;
    while (number.find('\n') == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd readable{report[0], POLLIN, 0};
      if (left.count() <= 0 || ::poll(&readable, 1, static_cast<int>(left.count())) <= 0 ||
          ::read(report[0], &c, 1) != 1) {
        break;
      }
      number += c;
    }
    ::close(report[0]);
    if (number.find('\n') != std::string::npos) {
      Display = ":" + number.substr(0, number.find('\n'));
    }
  }

  std::string Display;

 private:
  std::optional<ChildProcess> server_;
};

class RealProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (screen_.Display.empty()) {
      GTEST_SKIP() << "Xvfb could not start a virtual screen (is the xvfb package installed?)";
    }
    screenEnv_ = Environment(kForeign, {"DISPLAY=" + screen_.Display, "LC_ALL=C.UTF-8"});
    if (RunCommand({{"xdotool", "version"}, screenEnv_}, kWait).ExitCode != 0) {
      GTEST_SKIP() << "xdotool cannot run (is the xdotool package installed?)";
    }
  }

  // Runs xdotool with Args and gives its output; a failure fails the test.
  std::string Xdotool(std::vector<std::string> Args) {
    Args.insert(Args.begin(), "xdotool");
    const CommandResult result = RunCommand({Args, screenEnv_}, kWait);
    EXPECT_EQ(result.ExitCode, 0) << "xdotool " << Args[1] << " failed or did not end in time";
    return result.Output;
  }

  VirtualScreen screen_;
  std::vector<std::string> screenEnv_;
};

std::vector<std::string> Entries(const std::filesystem::path& Dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(Dir)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(RealProgram, SendsWhatWasTypedAndLeavesTheFilesAsTheyWere) {
  TempDir dir;
  dir.Write("defgway.csv", kDefGway);
  dir.Write("gateways.csv", kGateways);
  LoopbackGateway gateway;
  gateway.SetReply({.Body = "ID: 5b1c"});
  ChildProcess wrenly({{WRENLY_PROGRAM},
                       Environment(kForeign, {"DISPLAY=" + screen_.Display,
                                              "http_proxy=" + gateway.Url(), "no_proxy="}),
                       dir.Path(),
                       {}});

  const std::string window =
      Xdotool({"search", "--sync", "--onlyvisible", "--name", "^HARWICKDALE-Wrenly$"});
  ASSERT_FALSE(window.empty()) << "the main window did not appear";
  // There is no window manager to hand the focus over.
  Xdotool({"windowfocus", "--sync", window.substr(0, window.find('\n'))});

  // The focus starts on the recipient lookup; the tab order is lookup, contacts button, number,
  // Send, message, response box, Exit.
  Xdotool({"key", "Tab", "Tab"});
  Xdotool({"type", "--delay", "30", "07700900123"});
  Xdotool({"key", "Tab", "Tab"});
  Xdotool({"type", "--delay", "30", "Hi there & caf\xC3\xA9"});
  Xdotool({"key", "shift+Tab", "space"});
  ASSERT_TRUE(gateway.WaitForRequests(1, kWait)) << "no request arrived";
  EXPECT_EQ(gateway.Requests()[0].RequestLine,
            "GET http://api.clickatell.com/http/sendmsg?user=user&password=secret"
            "&api_id=3456789&to=07700900123&text=Hi+there+%26+caf%E9 HTTP/1.1");

  Xdotool({"key", "Tab", "Tab", "Tab", "space"});
  const std::optional<int> exitCode = wrenly.Wait(kWait);
  ASSERT_TRUE(exitCode.has_value()) << "the program did not end after Exit";
  EXPECT_EQ(*exitCode, 0);
  EXPECT_EQ(gateway.Requests().size(), 1u);
  EXPECT_EQ(dir.Read("defgway.csv"), kDefGway);
  EXPECT_EQ(dir.Read("gateways.csv"), kGateways);
  EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"defgway.csv", "gateways.csv"}));
}

}  // namespace
}  // namespace wrenly::testing
