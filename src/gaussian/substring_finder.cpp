#include "gaussian/substring_finder.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace nodara {
namespace {

constexpr std::size_t kSampleChunks = 64;
constexpr std::size_t kSampleChunkSize = 4096;
/// Candidates that fail to match, per byte scanned, above which the rare
/// byte is not rare enough and memmem takes over.
constexpr std::size_t kMinBytesPerCandidate = 32;
constexpr std::size_t kCandidatesBeforeCheck = 64;

/// Byte counts of up to 64 chunks spread evenly over `text`.
std::array<std::size_t, 256> sampleByteCounts(std::string_view text) {
  std::array<std::size_t, 256> counts{};
  const std::size_t step =
      std::max<std::size_t>(text.size() / kSampleChunks, kSampleChunkSize);
  for (std::size_t start = 0; start < text.size(); start += step) {
    for (const char c : text.substr(start, kSampleChunkSize)) {
      ++counts[static_cast<unsigned char>(c)];
    }
  }
  return counts;
}

std::size_t rarestByteOffset(std::string_view text, std::string_view pattern) {
  const std::array<std::size_t, 256> counts = sampleByteCounts(text);
  std::size_t best = 0;
  for (std::size_t i = 1; i < pattern.size(); ++i) {
    if (counts[static_cast<unsigned char>(pattern[i])] <
        counts[static_cast<unsigned char>(pattern[best])]) {
      best = i;
    }
  }
  return best;
}

}  // namespace

std::size_t findIn(std::string_view text, std::string_view pattern,
                   std::size_t from) {
  if (from > text.size()) return std::string_view::npos;
  const void* hit = memmem(text.data() + from, text.size() - from,
                           pattern.data(), pattern.size());
  if (hit == nullptr) return std::string_view::npos;
  return static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

SubstringFinder::SubstringFinder(std::string_view text,
                                 std::string_view pattern)
    : text_(text), pattern_(pattern) {
  if (pattern.size() > 1) rareOffset_ = rarestByteOffset(text, pattern);
}

std::size_t SubstringFinder::find(std::size_t from) const {
  if (pattern_.empty() || from > text_.size() ||
      text_.size() - from < pattern_.size()) {
    return findIn(text_, pattern_, from);
  }
  return findByRareByte(from);
}

std::size_t SubstringFinder::findByRareByte(std::size_t from) const {
  const char rare = pattern_[rareOffset_];
  const char* const base = text_.data();
  const char* const first = base + from + rareOffset_;
  // The rare byte of the last possible occurrence.
  const char* const limit =
      base + text_.size() - pattern_.size() + rareOffset_ + 1;
  std::size_t misses = 0;
  for (const char* p = first; p < limit; ++p) {
    p = static_cast<const char*>(
        std::memchr(p, rare, static_cast<std::size_t>(limit - p)));
    if (p == nullptr) return std::string_view::npos;
    const char* start = p - rareOffset_;
    if (std::memcmp(start, pattern_.data(), pattern_.size()) == 0) {
      return static_cast<std::size_t>(start - base);
    }
    if (++misses > kCandidatesBeforeCheck &&
        misses * kMinBytesPerCandidate > static_cast<std::size_t>(p - first)) {
      return findIn(text_, pattern_,
                    static_cast<std::size_t>(start + 1 - base));
    }
  }
  return std::string_view::npos;
}

std::size_t SubstringFinder::next(std::size_t from) {
  const bool stillValid = searched_ && from >= searchedFrom_ &&
                          (hit_ == std::string_view::npos || hit_ >= from);
  if (!stillValid) {
    hit_ = find(from);
    searchedFrom_ = from;
    searched_ = true;
  }
  return hit_;
}

}  // namespace nodara
