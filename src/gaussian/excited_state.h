/// Records of the TD-DFT excited-state reader.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nodara {

/// One orbital-to-orbital contribution line under an excited state.
struct TransitionContribution {
  std::int32_t fromOrbital = -1;  ///< -1 when the label has no digits
  std::int32_t toOrbital = -1;
  std::string fromSpin;  ///< "A", "B" or empty
  std::string toSpin;
  double coefficient = 0.0;
  bool deexcitation = false;  ///< the arrow is "<-"
};

/// One "Excited State" line with its contribution lines.
struct ExcitedState {
  std::int32_t index = 0;
  std::string multiplicity;  ///< "Singlet", "Triplet" or a number as printed
  std::string symmetry;
  double energyEv = 0.0;
  double wavelengthNm = 0.0;
  double oscillatorStrength = 0.0;
  double spinSquared = 0.0;
  std::vector<TransitionContribution> transitions;
};

/// One TD section of the log.
struct ExcitationBlock {
  std::int32_t index = -1;  ///< order of the section's marker line, from 0
  std::vector<ExcitedState> states;
  double totalEnergy = 0.0;  ///< hartree; 0 when the section prints none
};

}  // namespace nodara
