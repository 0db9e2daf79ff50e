/// Fixed-point number texts of the notes.
#pragma once

#include <string>

namespace nodara {

/// `value` in fixed-point notation with `decimals` digits after the point,
/// in the classic format (point as separator, no grouping).
std::string formatFixed(double value, int decimals);

}  // namespace nodara
