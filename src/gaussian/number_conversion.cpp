#include "gaussian/number_conversion.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace nodara {

std::int32_t toInt(std::string_view text) {
  return std::stoi(std::string(text));
}

double toDouble(std::string_view text) { return std::stod(std::string(text)); }

std::optional<double> tryToDouble(std::string_view text) {
  try {
    return toDouble(text);
  } catch (const std::logic_error&) {
    return std::nullopt;
  }
}

std::optional<std::int32_t> tryToInt(std::string_view text) {
  try {
    return toInt(text);
  } catch (const std::logic_error&) {
    return std::nullopt;
  }
}

std::optional<double> leadingDouble(std::string_view text) {
  const std::string copy(text);
  char* end = nullptr;
  const double value = std::strtod(copy.c_str(), &end);
  if (end == copy.c_str()) return std::nullopt;
  return value;
}

}  // namespace nodara
