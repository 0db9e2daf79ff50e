/// Forward search of one fixed text in a large buffer.
#pragma once

#include <cstddef>
#include <string_view>

namespace nodara {

/// Finds the occurrences of `pattern` in `text` for ascending start
/// offsets; each byte of the text is searched at most once over all calls.
class SubstringFinder {
 public:
  SubstringFinder(std::string_view text, std::string_view pattern)
      : text_(text), pattern_(pattern) {}

  /// Offset of the first occurrence at or after `from`, or npos. `from`
  /// must not decrease from one call to the next.
  std::size_t next(std::size_t from);

 private:
  std::string_view text_;
  std::string_view pattern_;
  std::size_t searchedFrom_ = 0;
  std::size_t hit_ = std::string_view::npos;
  bool searched_ = false;
};

/// Offset of the first `pattern` in `text` at or after `from`, or npos.
std::size_t findIn(std::string_view text, std::string_view pattern,
                   std::size_t from);

}  // namespace nodara
