#include "gaussian/substring_finder.h"

#include <cstring>

namespace nodara {

std::size_t findIn(std::string_view text, std::string_view pattern,
                   std::size_t from) {
  if (from > text.size()) return std::string_view::npos;
  const void* hit = memmem(text.data() + from, text.size() - from,
                           pattern.data(), pattern.size());
  if (hit == nullptr) return std::string_view::npos;
  return static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

std::size_t SubstringFinder::next(std::size_t from) {
  const bool stillValid = searched_ && from >= searchedFrom_ &&
                          (hit_ == std::string_view::npos || hit_ >= from);
  if (!stillValid) {
    hit_ = findIn(text_, pattern_, from);
    searchedFrom_ = from;
    searched_ = true;
  }
  return hit_;
}

}  // namespace nodara
