#include "gaussian/excited_state_parser.h"

#include <cmath>
#include <string>

#include "gaussian/number_conversion.h"
#include "gaussian/td_section_reader.h"
#include "log/library_logger.h"

namespace nodara {

/// Texts and number that put a state in one multiplicity class.
struct ExcitedStateParser::MultiplicityClass {
  std::string_view word;
  std::string_view lowerWord;
  std::string_view otherWord;
  std::string_view lowerOtherWord;
  double spin;

  /// The class's words count, the other class's words do not, and a
  /// number counts within 0.6 of `spin`.
  bool contains(const std::string& multiplicity) const {
    if (multiplicity == word || multiplicity == lowerWord) return true;
    if (multiplicity == otherWord || multiplicity == lowerOtherWord) {
      return false;
    }
    const std::optional<double> value = tryToDouble(multiplicity);
    return value && std::fabs(*value - spin) < 0.6;
  }
};

namespace {

constexpr ExcitedStateParser::MultiplicityClass kSinglets{
    "Singlet", "singlet", "Triplet", "triplet", 1.0};
constexpr ExcitedStateParser::MultiplicityClass kTriplets{
    "Triplet", "triplet", "Singlet", "singlet", 3.0};

}  // namespace

void ExcitedStateParser::parse() {
  if (parsed_) return;
  blocks_ = TdSectionReader(log_.text()).readBlocks();
  bool anyState = false;
  for (const ExcitationBlock& block : blocks_) {
    anyState = anyState || !block.states.empty();
  }
  if (!anyState) {
    quor::libraryWarning("在文件 '" + log_.filePath() +
                         "' 中未找到TD-DFT激发态信息");
  }
  parsed_ = true;
}

std::vector<ExcitedState> ExcitedStateParser::allStates() {
  parse();
  std::vector<ExcitedState> states;
  for (const ExcitationBlock& block : blocks_) {
    states.insert(states.end(), block.states.begin(), block.states.end());
  }
  return states;
}

std::optional<ExcitedState> ExcitedStateParser::stateByIndex(
    std::int32_t index) {
  parse();
  for (const ExcitationBlock& block : blocks_) {
    for (const ExcitedState& state : block.states) {
      if (state.index == index) return state;
    }
  }
  quor::libraryWarning("未找到指定的激发态: " + std::to_string(index));
  return std::nullopt;
}

std::vector<ExcitedState> ExcitedStateParser::statesOfMultiplicity(
    const MultiplicityClass& multiplicityClass) {
  std::vector<ExcitedState> states;
  for (const ExcitedState& state : allStates()) {
    if (multiplicityClass.contains(state.multiplicity)) states.push_back(state);
  }
  return states;
}

std::vector<ExcitedState> ExcitedStateParser::singletStates() {
  return statesOfMultiplicity(kSinglets);
}

std::vector<ExcitedState> ExcitedStateParser::tripletStates() {
  return statesOfMultiplicity(kTriplets);
}

std::vector<ExcitedState> ExcitedStateParser::brightStates(
    double minimumStrength) {
  std::vector<ExcitedState> states;
  for (const ExcitedState& state : allStates()) {
    if (state.oscillatorStrength >= minimumStrength) states.push_back(state);
  }
  return states;
}

const std::vector<ExcitationBlock>& ExcitedStateParser::blocks() {
  parse();
  return blocks_;
}

std::vector<ExcitationBlock> ExcitedStateParser::allBlocks() {
  parse();
  return blocks_;
}

ExcitationBlock ExcitedStateParser::lastBlock() {
  parse();
  return blocks_.empty() ? ExcitationBlock{} : blocks_.back();
}

ExcitationBlock ExcitedStateParser::blockByIndex(std::int32_t index) {
  parse();
  for (const ExcitationBlock& block : blocks_) {
    if (block.index == index) return block;
  }
  return ExcitationBlock{};
}

std::int32_t ExcitedStateParser::blockCount() {
  parse();
  return static_cast<std::int32_t>(blocks_.size());
}

}  // namespace nodara
