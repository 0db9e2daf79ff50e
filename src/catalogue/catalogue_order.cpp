#include "catalogue/catalogue_order.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nodara {
namespace {

/// Reads an int the way std::stoi does (leading white space, one sign,
/// digits, trailing text ignored); absent when there is no digit or the
/// value leaves the 32-bit range.
std::optional<std::int64_t> readLeadingInt(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() &&
         std::isspace(static_cast<unsigned char>(text[pos]))) {
    ++pos;
  }
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t firstDigit = pos;
  std::int64_t value = 0;
  constexpr std::int64_t kLimit = std::int64_t{1} << 31;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    if (value > kLimit) return std::nullopt;
    ++pos;
  }
  if (pos == firstDigit) return std::nullopt;
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return value;
}

std::optional<std::int32_t> keyInRange(std::int64_t key) {
  if (key < std::numeric_limits<std::int32_t>::min() ||
      key > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(key);
}

using SortKey = std::optional<std::int32_t>;

bool orderedBefore(const SortKey& keyA, const std::string& nameA,
                   const SortKey& keyB, const std::string& nameB) {
  if (keyA && keyB && *keyA != *keyB) return *keyA < *keyB;
  if (keyA.has_value() != keyB.has_value()) return keyA.has_value();
  return nameA < nameB;
}

}  // namespace

std::optional<std::int32_t> orbitalSortKey(const CubeFileInfo& info) {
  if (info.parts.empty()) return std::nullopt;
  const std::string& last = info.parts.back();
  const bool homo = last.compare(0, 2, "oH") == 0;
  const bool lumo = last.compare(0, 2, "oL") == 0;
  if (!homo && !lumo) return std::nullopt;
  if (last.size() == 2) return homo ? 0 : 1;
  const std::optional<std::int64_t> number =
      readLeadingInt(std::string_view(last).substr(2));
  if (!number) return std::nullopt;
  return keyInRange(homo ? -*number : *number + 1);
}

bool catalogueLess(const CubeFileInfo& a, const CubeFileInfo& b) {
  return orderedBefore(orbitalSortKey(a), a.fileName, orbitalSortKey(b),
                       b.fileName);
}

void sortCatalogue(std::vector<CubeFileInfo>& files) {
  // Keys are computed once per file rather than once per comparison.
  std::vector<std::pair<SortKey, std::size_t>> order;
  order.reserve(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    order.emplace_back(orbitalSortKey(files[i]), i);
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](const auto& a, const auto& b) {
                     return orderedBefore(a.first, files[a.second].fileName,
                                          b.first, files[b.second].fileName);
                   });
  std::vector<CubeFileInfo> sorted;
  sorted.reserve(files.size());
  for (const auto& entry : order)
    sorted.push_back(std::move(files[entry.second]));
  files = std::move(sorted);
}

}  // namespace nodara
