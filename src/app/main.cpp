#include <cstdio>
#include <cstdlib>

#include "app/program.h"
#include "platform/application.h"
#include "platform/internet.h"

namespace {

// Qt's own complaint about a missing display is a stack of warnings and an abort; one line
// saying what to do serves the user better.
bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') {
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    std::fputs(
        "wrenly: no display found (DISPLAY is not set); start it in a desktop session, or on a "
        "virtual screen with: xvfb-run -a wrenly\n",
        stderr);
    return 1;
  }
  wrenly::InitInternet();
  wrenly::TApplication app(argc, argv);
  wrenly::TProgram program;
  return program.Run();
}
