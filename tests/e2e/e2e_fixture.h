/// Test fixture of the end-to-end tests: a fresh temporary directory per
/// test, file helpers, and runs of the tool inside that directory.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/tool_run.h"

namespace nodara {

/// Gives each test its own temporary directory (removed in TearDown) and
/// runs the tool there with a local time zone eight hours off UTC, so a
/// timestamp written in local time would show.
class E2eFixture : public ::testing::Test {
 protected:
  /// What the timestamp of a checked document is replaced with.
  static constexpr const char* kTimestampMask = "YYYY-MM-DDTHH:MM:SS.uuuuuu";

  void SetUp() override;
  void TearDown() override;

  /// `relative` inside the test's directory; the directory itself for "".
  std::string path(const std::string& relative = "") const;
  void makeDirectory(const std::string& relative) const;
  void writeFile(const std::string& relative, const std::string& content) const;
  /// Creates empty files `names` in the directory `relative`.
  void makeFiles(const std::string& relative,
                 const std::vector<std::string>& names) const;
  std::string readFile(const std::string& relative) const;
  /// The document the tool wrote to `relative`; adds a failure unless it is
  /// valid (see isValidDocument).
  std::string readDocument(const std::string& relative) const;
  /// The content of the file `name` in tests/e2e/golden.
  static std::string golden(const std::string& name);
  /// The names in the directory `relative`, sorted byte-wise.
  std::vector<std::string> entryNames(const std::string& relative) const;

  /// A run of the tool with `arguments` in the directory `relative`.
  ToolRun tool(const std::vector<std::string>& arguments,
               const std::string& relative = "") const;

  /// Checks that `document` is valid (see isValidDocument) and starts with
  /// the version and a UTC timestamp taken during `run`, and returns it with
  /// the timestamp replaced by kTimestampMask. Adds a failure and returns it
  /// unchanged otherwise.
  static std::string maskTimestamp(const std::string& document,
                                   const ToolResult& run);

 private:
  std::string root_;
};

/// Whether the run ended normally with `status`; the failure message shows
/// how it ended and what it wrote on standard error.
::testing::AssertionResult exitedWith(const ToolResult& result, int status);

}  // namespace nodara
