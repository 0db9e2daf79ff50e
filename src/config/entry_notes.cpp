// ConfigGenerator: the notes texts of the viewer entries.
#include <cstdio>
#include <string_view>

#include "catalogue/config_generator.h"
#include "config/number_format.h"

namespace nodara {
namespace {

constexpr double kHartreeToElectronVolt = 27.211386245988;

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

/// Orbital spec of an orbital file's last name part: oH gives h, oH1 h-1,
/// oL l, oL1 l+1; empty for anything else.
std::string orbitalSpecOf(const std::string& label) {
  if (label == "oH") return "h";
  if (label == "oL") return "l";
  if (label.size() > 2 && startsWith(label, "oH"))
    return "h-" + label.substr(2);
  if (label.size() > 2 && startsWith(label, "oL"))
    return "l+" + label.substr(2);
  return "";
}

}  // namespace

std::string ConfigGenerator::excitedStateNotes(
    const std::string& stateLabel) const {
  const auto found = excitedStates.find(stateLabel);
  if (found == excitedStates.end()) return "";
  const ExcitedStateText& state = found->second;
  return "λ = " + state.wavelengthText + " nm\n" +
         "f = " + state.oscillatorText + "\n" + "TransOrbit:\n" +
         state.transitionsText;
}

std::string ConfigGenerator::cubeFileNotes(const std::string& lastPart) const {
  if (lastPart == "f+" || lastPart == "Of+") return "正值亲电";
  if (lastPart == "f-" || lastPart == "Of-") return "正值亲核";
  if (lastPart == "DD" || lastPart == "ODD") return "正值亲电";
  if (startsWith(lastPart, "oH") || startsWith(lastPart, "oL")) {
    return orbitalEnergyNotes(lastPart);
  }
  return "";
}

std::string ConfigGenerator::orbitalEnergyNotes(
    const std::string& label) const {
  const auto found = orbitalEnergies.find(orbitalSpecOf(label));
  if (found == orbitalEnergies.end()) return "";
  const OrbitalEnergy& orbital = found->second;
  return std::to_string(orbital.index) + " = " +
         formatFixed(orbital.energy * kHartreeToElectronVolt, 4) + " eV";
}

}  // namespace nodara
