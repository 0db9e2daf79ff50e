#include "gaussian/gaussian_log_file.h"

#include <unordered_map>
#include <utility>

#include "gaussian/line_index.h"
#include "gaussian/log_buffer.h"
#include "gaussian/substring_finder.h"
#include "log/library_logger.h"

namespace nodara {

struct GaussianLogFile::State {
  std::string path;
  /// Shared with readers that must keep the text they read.
  std::shared_ptr<const LogBuffer> buffer = std::make_shared<LogBuffer>();
  /// Built on the first question about line numbers.
  std::optional<LineIndex> index;
  bool valid = false;
  std::unordered_map<std::string, std::vector<std::uint64_t>> searchCache;
};

namespace {

constexpr std::string_view kGaussianMark = "Gaussian";

}  // namespace

GaussianLogFile::GaussianLogFile() : state_(std::make_unique<State>()) {}

GaussianLogFile::GaussianLogFile(const std::string& path) : GaussianLogFile() {
  state_->path = path;
  auto buffer = std::make_shared<LogBuffer>();
  const bool loaded = buffer->loadFile(path);
  state_->buffer = std::move(buffer);
  if (!loaded) {
    quor::libraryError("无法打开文件: " + path);
    return;
  }
  judgeValidity();
  if (!state_->valid) {
    quor::libraryWarning("文件可能不是有效的Gaussian输出: " + path);
  }
}

GaussianLogFile::~GaussianLogFile() = default;
GaussianLogFile::GaussianLogFile(GaussianLogFile&&) noexcept = default;
GaussianLogFile& GaussianLogFile::operator=(GaussianLogFile&&) noexcept =
    default;

void GaussianLogFile::loadFromString(std::string content) {
  resetContent();
  state_->buffer = std::make_shared<LogBuffer>(std::move(content));
  judgeValidity();
  if (!state_->valid) {
    quor::libraryWarning("设置的内容可能不是有效的Gaussian输出");
  }
}

void GaussianLogFile::resetContent() {
  state_->searchCache.clear();
  state_->index.reset();
  state_->buffer = std::make_shared<LogBuffer>();
  state_->valid = false;
}

void GaussianLogFile::judgeValidity() {
  const std::string_view content = state_->buffer->text();
  // "Gaussian" holds no newline, so a hit anywhere lies within one line.
  state_->valid = findIn(content, kGaussianMark, 0) != std::string_view::npos;
}

const LineIndex& GaussianLogFile::lineIndex() const {
  if (!state_->index) state_->index.emplace(text());
  return *state_->index;
}

bool GaussianLogFile::isValid() const { return state_->valid; }

std::string GaussianLogFile::filePath() const { return state_->path; }

std::string_view GaussianLogFile::text() const {
  return state_->buffer->text();
}

std::shared_ptr<const LogBuffer> GaussianLogFile::content() const {
  return state_->buffer;
}

std::string_view GaussianLogFile::line(std::uint64_t index) const {
  return lineIndex().line(index);
}

std::string GaussianLogFile::lineText(std::uint64_t index) const {
  return std::string(line(index));
}

std::uint64_t GaussianLogFile::lineCount() const {
  return lineIndex().lineCount();
}

bool GaussianLogFile::containsText(std::string_view pattern) const {
  // Every line holds the empty text; an empty log has no line.
  if (pattern.empty()) return !text().empty();
  if (pattern.find('\n') != std::string_view::npos) return false;
  return SubstringFinder(text(), pattern).find(0) != std::string_view::npos;
}

const std::vector<std::uint64_t>& GaussianLogFile::findLines(
    const std::string& pattern) {
  auto& cache = state_->searchCache;
  const auto found = cache.find(pattern);
  if (found != cache.end()) return found->second;
  return cache.emplace(pattern, searchLines(pattern)).first->second;
}

std::vector<std::uint64_t> GaussianLogFile::searchLines(
    std::string_view pattern) const {
  std::vector<std::uint64_t> hits;
  hits.reserve(64);
  const std::uint64_t count = lineCount();
  if (pattern.empty()) {
    for (std::uint64_t i = 0; i < count; ++i) hits.push_back(i);
    return hits;
  }
  // A line holds no '\n', so such a pattern is in no line.
  if (pattern.find('\n') != std::string_view::npos) return hits;
  const std::string_view content = text();
  const SubstringFinder finder(content, pattern);
  std::size_t pos = finder.find(0);
  while (pos != std::string_view::npos) {
    hits.push_back(lineIndex().lineAt(pos));
    const std::size_t lineEnd = content.find('\n', pos);
    if (lineEnd == std::string_view::npos) break;
    pos = finder.find(lineEnd + 1);
  }
  return hits;
}

std::optional<std::uint64_t> GaussianLogFile::firstLineContaining(
    std::string_view pattern, std::uint64_t fromLine) const {
  if (fromLine >= lineCount() || pattern.find('\n') != std::string_view::npos) {
    return std::nullopt;
  }
  const std::size_t start = lineIndex().lineStart(fromLine);
  const std::size_t hit = SubstringFinder(text(), pattern).find(start);
  if (hit == std::string_view::npos) return std::nullopt;
  return lineIndex().lineAt(hit);
}

}  // namespace nodara
