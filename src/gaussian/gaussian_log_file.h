/// One Gaussian output file held in memory, with a cached line search.
#pragma once

#include <cstdint>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nodara {

class LineIndex;
class LogBuffer;

/// Holds a whole log in one buffer, decides whether it is Gaussian output
/// (some line contains "Gaussian") and answers which lines contain a text.
/// Lines are views into the buffer, valid until the next load.
class GaussianLogFile {
 public:
  /// The lines of the log as a read-only range of views.
  class LineRange {
   public:
    class Iterator;
    explicit LineRange(const GaussianLogFile& log) : log_(&log) {}
    std::uint64_t size() const { return log_->lineCount(); }
    std::string_view operator[](std::uint64_t index) const {
      return log_->line(index);
    }
    Iterator begin() const;
    Iterator end() const;

   private:
    const GaussianLogFile* log_;
  };

  GaussianLogFile();
  /// Loads the file at `path`; check isValid() afterwards.
  explicit GaussianLogFile(const std::string& path);
  ~GaussianLogFile();
  GaussianLogFile(GaussianLogFile&&) noexcept;
  GaussianLogFile& operator=(GaussianLogFile&&) noexcept;

  /// Replaces the content with `content`; the path stays.
  void loadFromString(std::string content);

  bool isValid() const;
  std::string filePath() const;
  LineRange lines() const { return LineRange(*this); }
  /// The line `index`; empty when there is no such line.
  std::string_view line(std::uint64_t index) const;
  std::string lineText(std::uint64_t index) const;
  std::uint64_t lineCount() const;
  /// Ascending numbers of the lines that contain `pattern` (every line for
  /// an empty pattern). Cached per pattern until the next load.
  const std::vector<std::uint64_t>& findLines(const std::string& pattern);
  /// Whether some line contains `pattern`; stops at the first one.
  bool containsText(std::string_view pattern) const;
  /// The first line at or after `fromLine` that contains `pattern`.
  std::optional<std::uint64_t> firstLineContaining(
      std::string_view pattern, std::uint64_t fromLine) const;
  /// The whole content, lines separated by '\n'.
  std::string_view text() const;
  /// The buffer holding text(); it outlives a later load for its holders.
  std::shared_ptr<const LogBuffer> content() const;

 private:
  struct State;

  const LineIndex& lineIndex() const;
  void resetContent();
  void judgeValidity();
  std::vector<std::uint64_t> searchLines(std::string_view pattern) const;

  std::unique_ptr<State> state_;
};

/// Walks the lines of a log in order.
class GaussianLogFile::LineRange::Iterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = std::string_view;
  using difference_type = std::ptrdiff_t;
  using pointer = const std::string_view*;
  using reference = std::string_view;

  Iterator(const GaussianLogFile* log, std::uint64_t index)
      : log_(log), index_(index) {}
  std::string_view operator*() const { return log_->line(index_); }
  Iterator& operator++() {
    ++index_;
    return *this;
  }
  bool operator==(const Iterator& other) const {
    return index_ == other.index_;
  }
  bool operator!=(const Iterator& other) const { return !(*this == other); }

 private:
  const GaussianLogFile* log_;
  std::uint64_t index_;
};

inline GaussianLogFile::LineRange::Iterator GaussianLogFile::LineRange::begin()
    const {
  return Iterator(log_, 0);
}

inline GaussianLogFile::LineRange::Iterator GaussianLogFile::LineRange::end()
    const {
  return Iterator(log_, log_->lineCount());
}

}  // namespace nodara
