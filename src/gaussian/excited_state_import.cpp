// ConfigGenerator: the excited-state import.
#include "catalogue/config_generator.h"

namespace nodara {

bool ConfigGenerator::extractExcitedStates() {
  console_.printError("尚不能读取Gaussian log文件: " + logFile);
  return false;
}

}  // namespace nodara
