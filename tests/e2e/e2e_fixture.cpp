#include "e2e/e2e_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>

#include "e2e/document_check.h"

namespace nodara {
namespace fs = std::filesystem;
namespace {

constexpr const char* kDocumentStart =
    "{\n  \"version\": \"1.0\",\n  \"timestamp\": \"";
constexpr std::size_t kTimestampLength = 26;
constexpr std::time_t kClockSlackSeconds = 3;

/// Seconds since the epoch of "YYYY-MM-DDTHH:MM:SS" read as UTC; -1 when
/// the text does not have that form.
std::time_t utcSeconds(const std::string& text) {
  std::tm calendar{};
  std::istringstream stream(text);
  stream >> std::get_time(&calendar, "%Y-%m-%dT%H:%M:%S");
  if (stream.fail()) return -1;
  return timegm(&calendar);
}

/// Whether `text` reads "YYYY-MM-DDTHH:MM:SS.uuuuuu" with digits in place
/// of the letters.
bool hasTimestampShape(const std::string& text) {
  const std::string shape = "0000-00-00T00:00:00.000000";
  if (text.size() != shape.size()) return false;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (shape[i] == '0' ? !digit : text[i] != shape[i]) return false;
  }
  return true;
}

std::time_t toSeconds(std::chrono::system_clock::time_point time) {
  return std::chrono::system_clock::to_time_t(time);
}

}  // namespace

void E2eFixture::SetUp() {
  std::string pattern =
      (fs::temp_directory_path() / "nodara-e2e-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr) << "mkdtemp " << pattern;
  root_ = pattern;
}

void E2eFixture::TearDown() {
  if (root_.empty()) return;
  std::error_code error;
  fs::remove_all(root_, error);
  EXPECT_FALSE(error) << "cannot remove " << root_ << ": " << error.message();
}

std::string E2eFixture::path(const std::string& relative) const {
  return relative.empty() ? root_ : root_ + "/" + relative;
}

void E2eFixture::makeDirectory(const std::string& relative) const {
  fs::create_directories(path(relative));
}

void E2eFixture::writeFile(const std::string& relative,
                           const std::string& content) const {
  std::ofstream file(path(relative), std::ios::binary | std::ios::trunc);
  file << content;
  ASSERT_TRUE(file.good()) << "cannot write " << path(relative);
}

void E2eFixture::makeFiles(const std::string& relative,
                           const std::vector<std::string>& names) const {
  makeDirectory(relative);
  const std::string prefix = relative.empty() ? "" : relative + "/";
  for (const std::string& name : names) writeFile(prefix + name, "");
}

std::string E2eFixture::readFile(const std::string& relative) const {
  std::ifstream file(path(relative), std::ios::binary);
  EXPECT_TRUE(file.is_open()) << "cannot read " << path(relative);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string E2eFixture::readDocument(const std::string& relative) const {
  const std::string document = readFile(relative);
  EXPECT_TRUE(isValidDocument(document)) << relative;
  return document;
}

std::string E2eFixture::golden(const std::string& name) {
  const std::string file = std::string(NODARA_E2E_GOLDEN_DIR) + "/" + name;
  std::ifstream stream(file, std::ios::binary);
  EXPECT_TRUE(stream.is_open()) << "cannot read " << file;
  return std::string(std::istreambuf_iterator<char>(stream), {});
}

std::vector<std::string> E2eFixture::entryNames(
    const std::string& relative) const {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(path(relative))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

ToolRun E2eFixture::tool(const std::vector<std::string>& arguments,
                         const std::string& relative) const {
  ToolRun run(arguments);
  run.inDirectory(path(relative)).withEnvironment("TZ", "CST-8");
  return run;
}

std::string E2eFixture::maskTimestamp(const std::string& document,
                                      const ToolResult& run) {
  EXPECT_TRUE(isValidDocument(document));
  const std::string start = kDocumentStart;
  const std::size_t end = start.size() + kTimestampLength;
  if (document.size() < end + 3 ||
      document.compare(0, start.size(), start) != 0 ||
      document.compare(end, 3, "\",\n") != 0) {
    ADD_FAILURE() << "no version and timestamp lines at the start of:\n"
                  << document;
    return document;
  }
  const std::string timestamp = document.substr(start.size(), kTimestampLength);
  EXPECT_TRUE(hasTimestampShape(timestamp)) << timestamp;
  const std::time_t seconds = utcSeconds(timestamp.substr(0, 19));
  EXPECT_GE(seconds, toSeconds(run.started) - kClockSlackSeconds) << timestamp;
  EXPECT_LE(seconds, toSeconds(run.finished) + kClockSlackSeconds) << timestamp;
  std::string masked = document;
  masked.replace(start.size(), kTimestampLength, kTimestampMask);
  return masked;
}

::testing::AssertionResult exitedWith(const ToolResult& result, int status) {
  if (result.exited && result.exitStatus == status) {
    return ::testing::AssertionSuccess();
  }
  ::testing::AssertionResult failure = ::testing::AssertionFailure();
  if (result.exited) {
    failure << "exit status " << result.exitStatus;
  } else {
    failure << "ended by signal " << result.signal;
  }
  return failure << ", expected status " << status << "; stderr:\n"
                 << result.err;
}

}  // namespace nodara
