#include "config/number_format.h"

#include <locale>
#include <sstream>

namespace nodara {

std::string formatFixed(double value, int decimals) {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out.setf(std::ios::fixed, std::ios::floatfield);
  out.precision(decimals);
  out << value;
  return out.str();
}

}  // namespace nodara
