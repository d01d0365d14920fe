#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace wrenly::testing {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> Pointers(std::vector<std::string>& Strings) {
  std::vector<char*> pointers;
  for (std::string& s : Strings) {
    pointers.push_back(s.data());
  }
  pointers.push_back(nullptr);
  return pointers;
}

int ExitCode(int Status) {
  return WIFEXITED(Status) ? WEXITSTATUS(Status) : 128 + WTERMSIG(Status);
}

}  // namespace

ChildProcess::ChildProcess(const ChildOptions& Options) {
  // Everything the child needs is made before the fork: between fork and exec a child of a
  // threaded process may only make async-signal-safe calls.
  std::vector<std::string> args = Options.Args;
  std::vector<std::string> env = Options.Env;
  std::vector<char*> argv = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  const std::string dir = Options.Dir.string();
  const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);

  pid_ = ::fork();
  if (pid_ < 0) {
    const int error = errno;
    ::close(devNull);
    throw std::runtime_error(std::string("fork: ") + std::strerror(error));
  }
  if (pid_ == 0) {
    ::setpgid(0, 0);
    ::dup2(devNull, STDIN_FILENO);
    for (const auto& [child, parent] : Options.Fds) {
      // The copy stays open across exec; a descriptor already in place needs its flag cleared.
      if (parent == child) {
        ::fcntl(child, F_SETFD, 0);
      } else {
        ::dup2(parent, child);
      }
    }
    if (!dir.empty() && ::chdir(dir.c_str()) != 0) {
      ::_exit(127);
    }
    ::execvpe(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(devNull);
  // Set here too, so that a kill of the group cannot come before the child made it.
  ::setpgid(pid_, pid_);
}

ChildProcess::~ChildProcess() {
  if (status_ || pid_ <= 0) {
    return;
  }
  ::kill(-pid_, SIGTERM);
  if (!Wait(std::chrono::seconds(2))) {
    ::kill(-pid_, SIGKILL);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds Timeout) {
  const auto deadline = Clock::now() + Timeout;
  while (!status_) {
    int status = 0;
    const pid_t ended = ::waitpid(pid_, &status, WNOHANG);
    if (ended == pid_) {
      status_ = ExitCode(status);
    } else if (ended < 0 && errno != EINTR) {
      status_ = 127;
    } else if (Clock::now() >= deadline) {
      break;
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  return status_;
}

CommandResult RunCommand(ChildOptions Options, std::chrono::milliseconds Timeout) {
  const auto deadline = Clock::now() + Timeout;
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) {
    throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
  }
  Options.Fds.emplace_back(STDOUT_FILENO, out[1]);
  CommandResult result;
  {
    ChildProcess child(Options);
    ::close(out[1]);
    char buffer[4096];
    for (;;) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      pollfd readable{out[0], POLLIN, 0};
      if (left.count() <= 0 || ::poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
        break;
      }
      const ssize_t got = ::read(out[0], buffer, sizeof buffer);
      if (got <= 0) {
        break;
      }
      result.Output.append(buffer, static_cast<std::size_t>(got));
    }
    result.ExitCode = child.Wait(
        std::max(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()),
                 std::chrono::milliseconds(0)));
  }
  ::close(out[0]);
  return result;
}

std::vector<std::string> Environment(const std::vector<std::string>& Drop,
                                     const std::vector<std::string>& Add) {
  std::vector<std::string> env;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string variable = *entry;
    const std::string name = variable.substr(0, variable.find('='));
    if (std::find(Drop.begin(), Drop.end(), name) == Drop.end()) {
      env.push_back(variable);
    }
  }
  env.insert(env.end(), Add.begin(), Add.end());
  return env;
}

}  // namespace wrenly::testing
