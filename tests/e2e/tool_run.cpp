#include "e2e/tool_run.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

extern char** environ;

namespace nodara {
namespace {

/// Everything the child needs, prepared before fork so that the child
/// only makes async-signal-safe calls.
struct ChildSetup {
  const char* binary;
  char* const* argv;
  char* const* envp;
  const char* directory;  ///< nullptr: stay in the current directory
  const mode_t* umask;
  const rlim_t* fileSizeLimit;
  const unsigned* timeLimit;
  const uid_t* user;  ///< nullptr: keep the tests' own user and group
  const gid_t* group;
  int outWrite;
  int errWrite;
};

[[noreturn]] void failInChild(const char* what) {
  const char* reason = std::strerror(errno);
  const ssize_t ignored = ::write(2, what, std::strlen(what)) +
                          ::write(2, ": ", 2) +
                          ::write(2, reason, std::strlen(reason));
  static_cast<void>(ignored);
  _exit(127);
}

[[noreturn]] void runChild(const ChildSetup& setup) {
  if (dup2(setup.outWrite, 1) < 0 || dup2(setup.errWrite, 2) < 0) {
    _exit(127);
  }
  const int devNull = open("/dev/null", O_RDONLY);
  if (devNull < 0 || dup2(devNull, 0) < 0) failInChild("/dev/null");
  if (setup.user != nullptr &&
      (setgroups(0, nullptr) != 0 || setgid(*setup.group) != 0 ||
       setuid(*setup.user) != 0)) {
    failInChild("setuid");
  }
  if (setup.directory != nullptr && chdir(setup.directory) != 0) {
    failInChild("chdir");
  }
  if (setup.umask != nullptr) umask(*setup.umask);
  if (setup.fileSizeLimit != nullptr) {
    signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {*setup.fileSizeLimit, *setup.fileSizeLimit};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) failInChild("setrlimit");
  }
  // A pending alarm survives execve.
  if (setup.timeLimit != nullptr) alarm(*setup.timeLimit);
  execve(setup.binary, setup.argv, setup.envp);
  failInChild("execve");
}

/// Reads both pipes until each reaches end of file, then closes them.
void drain(int outRead, int errRead, std::string& out, std::string& err) {
  pollfd fds[2] = {{outRead, POLLIN, 0}, {errRead, POLLIN, 0}};
  std::string* sinks[2] = {&out, &err};
  int open = 2;
  char buffer[65536];
  while (open > 0) {
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t count = read(fds[i].fd, buffer, sizeof buffer);
      if (count > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(count));
      } else if (count == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (const pollfd& fd : fds) {
    if (fd.fd >= 0) close(fd.fd);
  }
}

void recordStatus(pid_t child, ToolResult& result) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      result.err += "waitpid failed";
      return;
    }
  }
  if (WIFEXITED(status)) {
    result.exited = true;
    result.exitStatus = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    result.signal = WTERMSIG(status);
  }
}

std::vector<char*> pointersTo(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

ToolResult startFailure(const char* what) {
  ToolResult result;
  result.exited = true;
  result.exitStatus = 127;
  result.err = std::string(what) + ": " + std::strerror(errno);
  return result;
}

/// Starts the child described by `setup`, reads its output from the read
/// ends of its two pipes and waits for its end.
ToolResult runToEnd(const ChildSetup& setup, int outRead, int errRead) {
  ToolResult result;
  result.started = std::chrono::system_clock::now();
  const pid_t child = fork();
  if (child == 0) runChild(setup);
  const int forkError = errno;
  close(setup.outWrite);
  close(setup.errWrite);
  if (child < 0) {
    close(outRead);
    close(errRead);
    errno = forkError;
    return startFailure("fork");
  }
  drain(outRead, errRead, result.out, result.err);
  recordStatus(child, result);
  result.finished = std::chrono::system_clock::now();
  return result;
}

}  // namespace

ToolRun::ToolRun(std::vector<std::string> arguments)
    : ToolRun(NODARA_BINARY, std::move(arguments)) {}

ToolRun::ToolRun(std::string binary, std::vector<std::string> arguments)
    : binary_(std::move(binary)), arguments_(std::move(arguments)) {}

ToolRun& ToolRun::inDirectory(std::string directory) {
  directory_ = std::move(directory);
  return *this;
}

ToolRun& ToolRun::withEnvironment(std::string name, std::string value) {
  environmentOverrides_.emplace_back(std::move(name), std::move(value));
  return *this;
}

ToolRun& ToolRun::withUmask(mode_t mask) {
  umask_ = mask;
  return *this;
}

ToolRun& ToolRun::withFileSizeLimit(rlim_t bytes) {
  fileSizeLimit_ = bytes;
  return *this;
}

ToolRun& ToolRun::withTimeLimit(unsigned seconds) {
  timeLimit_ = seconds;
  return *this;
}

ToolRun& ToolRun::asUser(uid_t user, gid_t group) {
  user_ = std::make_pair(user, group);
  return *this;
}

std::vector<std::string> ToolRun::environment() const {
  std::vector<std::string> entries;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    bool overridden = false;
    for (const auto& [name, value] : environmentOverrides_) {
      overridden = overridden || text.rfind(name + "=", 0) == 0;
    }
    if (!overridden) entries.push_back(text);
  }
  for (const auto& [name, value] : environmentOverrides_) {
    entries.push_back(name + "=" + value);
  }
  return entries;
}

ToolResult ToolRun::run() const {
  std::vector<std::string> words = arguments_;
  words.insert(words.begin(), binary_);
  std::vector<std::string> environmentWords = environment();
  const std::vector<char*> argv = pointersTo(words);
  const std::vector<char*> envp = pointersTo(environmentWords);
  int outPipe[2];
  int errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0) return startFailure("pipe");
  if (pipe2(errPipe, O_CLOEXEC) != 0) {
    ToolResult failure = startFailure("pipe");
    close(outPipe[0]);
    close(outPipe[1]);
    return failure;
  }
  const ChildSetup setup = {binary_.c_str(),
                            argv.data(),
                            envp.data(),
                            directory_.empty() ? nullptr : directory_.c_str(),
                            umask_ ? &*umask_ : nullptr,
                            fileSizeLimit_ ? &*fileSizeLimit_ : nullptr,
                            timeLimit_ ? &*timeLimit_ : nullptr,
                            user_ ? &user_->first : nullptr,
                            user_ ? &user_->second : nullptr,
                            outPipe[1],
                            errPipe[1]};
  return runToEnd(setup, outPipe[0], errPipe[0]);
}

}  // namespace nodara
