/// Runs the built nodara-config (or a helper program of the tests) as a child
/// process and captures its output.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace nodara {

/// What one run of the tool printed and how it ended.
struct ToolResult {
  std::string out;
  std::string err;
  bool exited = false;  ///< ended by returning from main or calling exit
  int exitStatus = -1;  ///< the status, when `exited`
  int signal = 0;       ///< the signal that ended it, when not `exited`
  std::chrono::system_clock::time_point started;
  std::chrono::system_clock::time_point finished;
};

/// One invocation of the tool: its arguments (word 0, the binary's path, is
/// added), working directory, environment overrides, umask, file-size
/// limit, time limit and user.
/// Standard input is /dev/null; standard output and standard error are
/// captured separately.
class ToolRun {
 public:
  explicit ToolRun(std::vector<std::string> arguments);
  /// An invocation of the program `binary` instead of the tool.
  ToolRun(std::string binary, std::vector<std::string> arguments);

  ToolRun& inDirectory(std::string directory);
  ToolRun& withEnvironment(std::string name, std::string value);
  ToolRun& withUmask(mode_t mask);
  /// Limits the size of files the tool writes (RLIMIT_FSIZE) and ignores
  /// SIGXFSZ, so an oversized write fails with EFBIG instead of a signal.
  ToolRun& withFileSizeLimit(rlim_t bytes);
  /// Ends the tool with SIGALRM when it runs longer than `seconds`, so a
  /// hang shows as that signal instead of blocking the tests.
  ToolRun& withTimeLimit(unsigned seconds);
  /// Runs the tool as the user `user` and the group `group`, without
  /// supplementary groups, so that file permissions apply to it even when
  /// the tests run as root.
  ToolRun& asUser(uid_t user, gid_t group);

  /// Runs the tool to its end. A failure to start it is reported as exit
  /// status 127 with a message on `err`.
  ToolResult run() const;

 private:
  std::vector<std::string> environment() const;

  std::string binary_;
  std::vector<std::string> arguments_;
  std::string directory_;
  std::vector<std::pair<std::string, std::string>> environmentOverrides_;
  std::optional<mode_t> umask_;
  std::optional<rlim_t> fileSizeLimit_;
  std::optional<unsigned> timeLimit_;
  std::optional<std::pair<uid_t, gid_t>> user_;
};

}  // namespace nodara
