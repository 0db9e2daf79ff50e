#include "gaussian/line_index.h"

#include <algorithm>
#include <cstring>

namespace nodara {
namespace {

// Sixteen bytes compared at once; compilers map this to SIMD instructions.
using ByteVector = unsigned char __attribute__((vector_size(16)));
constexpr std::size_t kVectorSize = sizeof(ByteVector);
/// Vectors that can be summed into 8-bit lanes before a lane overflows.
constexpr std::size_t kVectorsPerBatch = 255;

std::uint64_t sumOfLanes(ByteVector lanes) {
  std::uint64_t sum = 0;
  for (std::size_t i = 0; i < kVectorSize; ++i) sum += lanes[i];
  return sum;
}

}  // namespace

std::uint64_t countNewlines(std::string_view text) {
  const ByteVector newlines = {'\n', '\n', '\n', '\n', '\n', '\n', '\n', '\n',
                               '\n', '\n', '\n', '\n', '\n', '\n', '\n', '\n'};
  std::uint64_t count = 0;
  std::size_t pos = 0;
  while (text.size() - pos >= kVectorSize) {
    ByteVector lanes = {};
    const std::size_t vectors =
        std::min((text.size() - pos) / kVectorSize, kVectorsPerBatch);
    for (std::size_t v = 0; v < vectors; ++v, pos += kVectorSize) {
      ByteVector chunk;
      std::memcpy(&chunk, text.data() + pos, kVectorSize);
      // A lane that holds '\n' compares as 0xFF, which subtracts as +1.
      lanes -= reinterpret_cast<ByteVector>(chunk == newlines);
    }
    count += sumOfLanes(lanes);
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
