// ConfigGenerator: the orbital-energy import.
#include "catalogue/config_generator.h"

namespace nodara {

bool ConfigGenerator::extractOrbitalEnergies() { return false; }

}  // namespace nodara
