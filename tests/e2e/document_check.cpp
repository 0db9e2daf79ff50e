#include "e2e/document_check.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "e2e/tool_run.h"

namespace nodara {
namespace {

/// A file in the system's temporary directory holding `content`, removed
/// with the object.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& content) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "nodara-document-XXXXXX")
            .string();
    const int descriptor = mkstemp(pattern.data());
    if (descriptor < 0) return;
    path_ = pattern;
    std::size_t written = 0;
    while (written < content.size()) {
      const ssize_t count = ::write(descriptor, content.data() + written,
                                    content.size() - written);
      if (count <= 0) break;
      written += static_cast<std::size_t>(count);
    }
    complete_ = written == content.size();
    close(descriptor);
  }
  ~TemporaryFile() {
    if (!path_.empty()) std::remove(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  /// The file's path; empty when it could not be made or written.
  std::string path() const { return complete_ ? path_ : ""; }

 private:
  std::string path_;
  bool complete_ = false;
};

::testing::AssertionResult parsesWithNlohmann(const std::string& document) {
  try {
    if (!nlohmann::json::parse(document).is_object()) {
      return ::testing::AssertionFailure() << "nlohmann: not an object";
    }
  } catch (const nlohmann::json::exception& error) {
    return ::testing::AssertionFailure() << "nlohmann: " << error.what();
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult passesTheValidatorScript(
    const std::string& document) {
  const TemporaryFile file(document);
  if (file.path().empty()) {
    return ::testing::AssertionFailure() << "cannot write a temporary file";
  }
  // -I: no user site-packages and no PYTHON* variables, only the system's.
  const ToolResult result =
      ToolRun(NODARA_SYSTEM_PYTHON, {"-I", NODARA_VALIDATE_DOCUMENT_SCRIPT,
                                     NODARA_DOCUMENT_SCHEMA, file.path()})
          .run();
  if (result.exited && result.exitStatus == 0) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << NODARA_VALIDATE_DOCUMENT_SCRIPT << " ended with "
         << (result.exited ? "status " + std::to_string(result.exitStatus)
                           : "signal " + std::to_string(result.signal))
         << ":\n"
         << result.out << result.err;
}

}  // namespace

::testing::AssertionResult isValidDocument(const std::string& document) {
  ::testing::AssertionResult parsed = parsesWithNlohmann(document);
  ::testing::AssertionResult validated = passesTheValidatorScript(document);
  if (parsed && validated) return ::testing::AssertionSuccess();
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  if (!parsed) failure << parsed.message() << "\n";
  if (!validated) failure << validated.message() << "\n";
  return failure << "in the document:\n" << document;
}

}  // namespace nodara
