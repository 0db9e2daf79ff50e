/// The number conversions of the log readers.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace nodara {

/// Decimal integer as std::stoi reads it; throws std::invalid_argument or
/// std::out_of_range (whose text is "stoi") like it.
std::int32_t toInt(std::string_view text);

/// Decimal number as std::stod reads it; throws like it ("stod").
double toDouble(std::string_view text);

/// Like toDouble, but nothing instead of an exception.
std::optional<double> tryToDouble(std::string_view text);

/// Like toInt, but nothing instead of an exception.
std::optional<std::int32_t> tryToInt(std::string_view text);

/// The longest decimal number at the start of `text` (strtod rules, no
/// range error); nothing when no character converts.
std::optional<double> leadingDouble(std::string_view text);

}  // namespace nodara
