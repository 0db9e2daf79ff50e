/// The usage text the tool must print, written out by hand for the tests.
#pragma once

#include <string>

namespace nodara {

/// The fourteen usage lines for the program name `program`.
std::string expectedUsage(const std::string& program);

}  // namespace nodara
