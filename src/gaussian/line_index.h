/// Line numbers of a text held in one buffer, without a record per line.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace nodara {

/// Maps byte offsets to line numbers and line numbers to lines. Lines end
/// at '\n' (which is not part of the line); a last line without '\n' still
/// counts. Keeps one newline count per 4 KiB block, so its size depends on
/// the text's length, not on its number of lines.
class LineIndex {
 public:
  LineIndex() = default;
  explicit LineIndex(std::string_view text);

  std::uint64_t lineCount() const { return lineCount_; }
  /// The line with number `index`; empty when there is no such line.
  std::string_view line(std::uint64_t index) const;
  /// Number of the line that holds the byte at `offset`.
  std::uint64_t lineAt(std::size_t offset) const;
  /// Offset of the first byte of line `index` (`index` < lineCount).
  std::size_t lineStart(std::uint64_t index) const;
  /// The line that starts at `start`.
  std::string_view lineFrom(std::size_t start) const;

 private:
  static constexpr std::size_t kBlockSize = 4096;
  static constexpr std::uint64_t kMaxCursorWalk = 64;

  std::string_view text_;
  /// newlinesBefore_[b]: number of '\n' in the blocks before block b; one
  /// more element than there are blocks.
  std::vector<std::uint64_t> newlinesBefore_;
  std::uint64_t lineCount_ = 0;
  /// Last line found by lineStart, so that walking forward is cheap.
  mutable std::uint64_t cursorLine_ = 0;
  mutable std::size_t cursorStart_ = 0;
};

/// Number of '\n' bytes in `text`.
std::uint64_t countNewlines(std::string_view text);

}  // namespace nodara
