/// Forward search of one fixed text in a large buffer.
#pragma once

#include <cstddef>
#include <string_view>

namespace nodara {

/// Finds the occurrences of `pattern` in `text`. The search jumps with
/// memchr between occurrences of the pattern's byte that is rarest in a
/// sample of the text, and falls back to memmem where that byte is common.
class SubstringFinder {
 public:
  SubstringFinder(std::string_view text, std::string_view pattern);

  /// Offset of the first occurrence at or after `from`, or npos.
  std::size_t find(std::size_t from) const;

  /// Like find, but for ascending `from` (it must not decrease from one
  /// call to the next) each byte of the text is searched at most once.
  std::size_t next(std::size_t from);

 private:
  std::size_t findByRareByte(std::size_t from) const;

  std::string_view text_;
  std::string_view pattern_;
  std::size_t rareOffset_ = 0;  ///< position of the rare byte in the pattern
  std::size_t searchedFrom_ = 0;
  std::size_t hit_ = std::string_view::npos;
  bool searched_ = false;
};

/// Offset of the first `pattern` in `text` at or after `from`, or npos.
std::size_t findIn(std::string_view text, std::string_view pattern,
                   std::size_t from);

}  // namespace nodara
