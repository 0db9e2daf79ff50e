#include "gaussian/td_section_reader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "gaussian/number_conversion.h"
#include "gaussian/td_line_patterns.h"

namespace nodara {
namespace {

constexpr std::string_view kSectionMarker =
    "Excitation energies and oscillator strengths:";
constexpr std::string_view kStateMark = "Excited State";
constexpr std::string_view kTotalEnergyMark = "Total Energy, E(TD-HF/TD-DFT)";
constexpr std::size_t kNone = std::string_view::npos;

bool isLabelSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' ||
         c == '\r';
}

bool isAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

/// Orbital number and upper-cased spin letter of a label such as 45A.
/// Numbers beyond 32 bits throw std::out_of_range ("stoi").
void parseOrbitalLabel(std::string_view label, std::int32_t& number,
                       std::string& spin) {
  number = -1;
  spin.clear();
  std::size_t pos = 0;
  while (pos < label.size() && isLabelSpace(label[pos])) ++pos;
  const std::size_t digitsStart = pos;
  while (pos < label.size() && label[pos] >= '0' && label[pos] <= '9') ++pos;
  if (pos > digitsStart) {
    number = toInt(label.substr(digitsStart, pos - digitsStart));
  }
  while (pos < label.size() && isLabelSpace(label[pos])) ++pos;
  if (pos < label.size() && isAsciiLetter(label[pos])) {
    const char letter = label[pos];
    spin.assign(1,
                letter >= 'a' ? static_cast<char>(letter - 'a' + 'A') : letter);
  }
}

ExcitedState makeState(const StateLineMatch& match) {
  ExcitedState state;
  state.index = toInt(match.index);
  state.multiplicity = std::string(match.multiplicity);
  state.symmetry = std::string(match.symmetry);
  state.energyEv = toDouble(match.energyEv);
  state.wavelengthNm = toDouble(match.wavelengthNm);
  state.oscillatorStrength = toDouble(match.oscillatorStrength);
  state.spinSquared = toDouble(match.spinSquared);
  return state;
}

TransitionContribution makeContribution(const ContributionLineMatch& match) {
  TransitionContribution contribution;
  parseOrbitalLabel(match.fromLabel, contribution.fromOrbital,
                    contribution.fromSpin);
  parseOrbitalLabel(match.toLabel, contribution.toOrbital, contribution.toSpin);
  contribution.deexcitation = match.arrow.find("->") == kNone;
  contribution.coefficient = toDouble(match.coefficient);
  return contribution;
}

/// The number after the first '=' of a total-energy line, with Fortran's
/// D exponents read as E; nothing when there is none.
std::optional<double> totalEnergyOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == kNone) return std::nullopt;
  const std::size_t start = line.find_first_of("+-0123456789", equals + 1);
  if (start == kNone) return std::nullopt;
  std::size_t end = line.find_first_not_of("+-.0123456789EeDd", start);
  if (end == kNone) end = line.size();
  std::string number(line.substr(start, end - start));
  std::replace_if(
      number.begin(), number.end(), [](char c) { return c == 'D' || c == 'd'; },
      'E');
  return leadingDouble(number);
}

}  // namespace

TdSectionReader::TdSectionReader(std::string_view text)
    : text_(text),
      markers_(text, kSectionMarker),
      states_(text, kStateMark),
      totalEnergies_(text, kTotalEnergyMark) {}

std::vector<ExcitationBlock> TdSectionReader::readBlocks() {
  std::size_t pos = 0;  // always the start of a line
  while (pos < text_.size()) {
    std::size_t hit = markers_.next(pos);
    if (!blocks_.empty()) {
      hit = std::min({hit, states_.next(pos), totalEnergies_.next(pos)});
    }
    if (hit == kNone) break;
    pos = handleLine(lineStartOf(hit, pos), lineEndOf(hit));
  }
  return std::move(blocks_);
}

std::size_t TdSectionReader::handleLine(std::size_t start, std::size_t end) {
  const std::string_view line = text_.substr(start, end - start);
  if (markers_.next(start) < end) {
    ExcitationBlock block;
    block.index = static_cast<std::int32_t>(blocks_.size());
    blocks_.push_back(std::move(block));
    return nextLine(end);
  }
  if (blocks_.empty()) return nextLine(end);
  ExcitationBlock& block = blocks_.back();
  if (states_.next(start) < end) {
    if (const auto match = matchStateLine(line)) {
      ExcitedState state = makeState(*match);
      const std::size_t after = readContributions(nextLine(end), state);
      block.states.push_back(std::move(state));
      return after;
    }
  }
  if (totalEnergies_.next(start) < end) {
    if (const auto energy = totalEnergyOf(line)) block.totalEnergy = *energy;
  }
  return nextLine(end);
}

std::size_t TdSectionReader::readContributions(std::size_t start,
                                               ExcitedState& state) const {
  std::size_t pos = start;
  while (pos < text_.size()) {
    const std::size_t end = lineEndOf(pos);
    const auto match = matchContributionLine(text_.substr(pos, end - pos));
    if (!match) return pos;
    state.transitions.push_back(makeContribution(*match));
    pos = nextLine(end);
  }
  return pos;
}

std::size_t TdSectionReader::lineStartOf(std::size_t hit,
                                         std::size_t walkPos) const {
  const void* newline = memrchr(text_.data() + walkPos, '\n', hit - walkPos);
  if (newline == nullptr) return walkPos;
  return static_cast<std::size_t>(static_cast<const char*>(newline) -
                                  text_.data()) +
         1;
}

std::size_t TdSectionReader::lineEndOf(std::size_t pos) const {
  const std::size_t end = text_.find('\n', pos);
  return end == kNone ? text_.size() : end;
}

std::size_t TdSectionReader::nextLine(std::size_t end) const {
  return std::min(end + 1, text_.size());
}

}  // namespace nodara
