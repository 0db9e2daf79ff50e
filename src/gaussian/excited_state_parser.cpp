#include "gaussian/excited_state_parser.h"

#include <algorithm>
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
  std::shared_ptr<const LogBuffer> text = log_.content();
  index_ = TdSectionReader(text->text()).indexSections();
  text_ = std::move(text);
  if (index_.stateLines.empty()) {
    quor::libraryWarning("在文件 '" + log_.filePath() +
                         "' 中未找到TD-DFT激发态信息");
  }
  parsed_ = true;
}

ExcitedState ExcitedStateParser::stateAt(std::size_t position) const {
  return TdSectionReader::readState(text_->text(), index_.stateLines[position]);
}

ExcitationBlock ExcitedStateParser::blockOf(
    const TdSectionIndex::Section& section) const {
  ExcitationBlock block;
  block.index = section.index;
  block.totalEnergy = section.totalEnergy;
  block.states.reserve(section.stateCount);
  for (std::size_t i = 0; i < section.stateCount; ++i) {
    block.states.push_back(stateAt(section.firstState + i));
  }
  return block;
}

std::vector<ExcitedState> ExcitedStateParser::allStates() {
  parse();
  std::vector<ExcitedState> states;
  states.reserve(index_.stateLines.size());
  for (std::size_t i = 0; i < index_.stateLines.size(); ++i) {
    states.push_back(stateAt(i));
  }
  return states;
}

std::optional<ExcitedState> ExcitedStateParser::stateByIndex(
    std::int32_t index) {
  parse();
  for (std::size_t i = 0; i < index_.stateLines.size(); ++i) {
    ExcitedState state = stateAt(i);
    if (state.index == index) return state;
  }
  quor::libraryWarning("未找到指定的激发态: " + std::to_string(index));
  return std::nullopt;
}

std::vector<ExcitedState> ExcitedStateParser::statesOfMultiplicity(
    const MultiplicityClass& multiplicityClass) {
  std::vector<ExcitedState> states = allStates();
  states.erase(
      std::remove_if(states.begin(), states.end(),
                     [&](const ExcitedState& state) {
                       return !multiplicityClass.contains(state.multiplicity);
                     }),
      states.end());
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
  std::vector<ExcitedState> states = allStates();
  states.erase(
      std::remove_if(states.begin(), states.end(),
                     [&](const ExcitedState& state) {
                       return !(state.oscillatorStrength >= minimumStrength);
                     }),
      states.end());
  return states;
}

const std::vector<ExcitationBlock>& ExcitedStateParser::blocks() {
  parse();
  if (!blocks_) {
    std::vector<ExcitationBlock> blocks;
    blocks.reserve(index_.sections.size());
    for (const TdSectionIndex::Section& section : index_.sections) {
      blocks.push_back(blockOf(section));
    }
    blocks_ = std::move(blocks);
  }
  return *blocks_;
}

std::vector<ExcitationBlock> ExcitedStateParser::allBlocks() {
  return blocks();
}

ExcitationBlock ExcitedStateParser::lastBlock() {
  parse();
  if (index_.sections.empty()) return ExcitationBlock{};
  return blockOf(index_.sections.back());
}

ExcitationBlock ExcitedStateParser::blockByIndex(std::int32_t index) {
  parse();
  for (const TdSectionIndex::Section& section : index_.sections) {
    if (section.index == index) return blockOf(section);
  }
  return ExcitationBlock{};
}

std::int32_t ExcitedStateParser::blockCount() {
  parse();
  return static_cast<std::int32_t>(index_.sections.size());
}

}  // namespace nodara
