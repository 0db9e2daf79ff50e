/// Console output of the tool itself: progress lines and failure lines.
#pragma once

#include <iosfwd>
#include <string_view>

namespace nodara {

/// Writes progress to one stream and failures to another; by default
/// standard output and standard error. Tests hand in string streams.
class Console {
 public:
  Console();
  Console(std::ostream& out, std::ostream& err);

  /// Writes `line` and a newline to the progress stream, without flushing.
  void printLine(std::string_view line);
  /// Flushes the progress stream (at the end of a block of lines).
  void flush();
  /// Writes `line` and a newline to the failure stream and flushes it.
  void printError(std::string_view line);

  std::ostream& out() { return *out_; }

 private:
  std::ostream* out_;
  std::ostream* err_;
};

}  // namespace nodara
