#include "gaussian/line_index.h"

#include <algorithm>
#include <cstring>

namespace nodara {
namespace {

constexpr std::uint64_t kLowBits = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
constexpr std::uint64_t kSevenBits = 0x7F7F7F7F7F7F7F7FULL;

/// One 0x80 byte for every '\n' byte of `word`, zero elsewhere.
std::uint64_t newlineMask(std::uint64_t word) {
  const std::uint64_t x = word ^ (kLowBits * '\n');
  return ~(((x & kSevenBits) + kSevenBits) | x) & kHighBits;
}

/// Sum of the eight bytes of `lanes`.
std::uint64_t sumOfBytes(std::uint64_t lanes) {
  constexpr std::uint64_t kEvenBytes = 0x00FF00FF00FF00FFULL;
  constexpr std::uint64_t kLowHalfwords = 0x0001000100010001ULL;
  const std::uint64_t pairs =
      (lanes & kEvenBytes) + ((lanes >> 8) & kEvenBytes);
  return (pairs * kLowHalfwords) >> 48;
}

}  // namespace

std::uint64_t countNewlines(std::string_view text) {
  std::uint64_t count = 0;
  std::size_t pos = 0;
  // Eight bytes at a time; per-byte counters are summed every 255 words.
  while (text.size() - pos >= 8) {
    std::uint64_t lanes = 0;
    const std::size_t words =
        std::min<std::size_t>((text.size() - pos) / 8, 255);
    for (std::size_t w = 0; w < words; ++w, pos += 8) {
      std::uint64_t word;
      std::memcpy(&word, text.data() + pos, 8);
      lanes += newlineMask(word) >> 7;
    }
    count += sumOfBytes(lanes);
  }
  for (; pos < text.size(); ++pos) count += text[pos] == '\n';
  return count;
}

LineIndex::LineIndex(std::string_view text) : text_(text) {
  const std::size_t blocks = (text.size() + kBlockSize - 1) / kBlockSize;
  newlinesBefore_.reserve(blocks + 1);
  std::uint64_t total = 0;
  newlinesBefore_.push_back(0);
  for (std::size_t b = 0; b < blocks; ++b) {
    total += countNewlines(text.substr(b * kBlockSize, kBlockSize));
    newlinesBefore_.push_back(total);
  }
  lineCount_ = total + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

std::uint64_t LineIndex::lineAt(std::size_t offset) const {
  const std::size_t block = offset / kBlockSize;
  const std::size_t blockStart = block * kBlockSize;
  return newlinesBefore_[block] +
         countNewlines(text_.substr(blockStart, offset - blockStart));
}

std::size_t LineIndex::lineStart(std::uint64_t index) const {
  if (index == 0) return 0;
  // Walk forward from a place with a known number of newlines before it:
  // the last line asked for, or the block holding the index-th newline.
  std::size_t pos = cursorStart_;
  std::uint64_t newlines = cursorLine_;
  if (index < cursorLine_ || index - cursorLine_ > kMaxCursorWalk) {
    const std::size_t block =
        static_cast<std::size_t>(std::lower_bound(newlinesBefore_.begin(),
                                                  newlinesBefore_.end(),
                                                  index) -
                                 newlinesBefore_.begin()) -
        1;
    pos = block * kBlockSize;
    newlines = newlinesBefore_[block];
  }
  while (newlines < index) {
    pos = text_.find('\n', pos) + 1;
    ++newlines;
  }
  cursorLine_ = index;
  cursorStart_ = pos;
  return pos;
}

std::string_view LineIndex::lineFrom(std::size_t start) const {
  const std::size_t end = text_.find('\n', start);
  return text_.substr(start, end == std::string_view::npos ? end : end - start);
}

std::string_view LineIndex::line(std::uint64_t index) const {
  if (index >= lineCount_) return {};
  return lineFrom(lineStart(index));
}

}  // namespace nodara
