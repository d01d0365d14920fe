#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Starting, waiting for and ending the programs an end-to-end test drives. Every wait has a
// time-out, and whatever a test started is ended when its object goes, on every path.
namespace wrenly::testing {

struct ChildOptions {
  std::vector<std::string> Args;  // Args[0] is looked up in PATH unless it holds a "/"
  std::vector<std::string> Env;   // the whole environment, "NAME=value" each
  std::filesystem::path Dir;      // the working directory; empty for the test's own
  // Descriptors of the test handed to the child: {child's number, test's descriptor}. The
  // child's standard input is /dev/null; its standard output and error are the test's unless
  // mapped here.
  std::vector<std::pair<int, int>> Fds;
};

// A program started in a process group of its own. The destructor ends the group if the
// program still runs: SIGTERM, then SIGKILL if it has not gone within two seconds.
class ChildProcess {
 public:
  // Raises std::runtime_error when no process can be made; a program that cannot be executed
  // ends at once with the code 127.
  explicit ChildProcess(const ChildOptions& Options);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }
  // The exit code once the program has ended (128 plus the signal for one killed by a signal),
  // or nothing when it still runs after Timeout.
  std::optional<int> Wait(std::chrono::milliseconds Timeout);

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
};

struct CommandResult {
  std::optional<int> ExitCode;  // nothing when the command did not end in time (it was killed)
  std::string Output;           // what it wrote to its standard output
};

// Runs a command to its end, at most Timeout long.
CommandResult RunCommand(ChildOptions Options, std::chrono::milliseconds Timeout);

// This process's environment without the variables named in Drop, followed by Add.
std::vector<std::string> Environment(const std::vector<std::string>& Drop,
                                     const std::vector<std::string>& Add);

}  // namespace wrenly::testing
