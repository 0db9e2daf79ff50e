#include "gaussian/td_line_mutator.h"

#include <array>
#include <string_view>

namespace nodara {
namespace {

/// Single characters of the two line formats, white space of every kind
/// the expressions know, bytes above 0x7F and NUL.
constexpr char kCharacterList[] =
    "0123456789+-. \t\r\v\fABSabx->=<:*?ExcitedSStatengletTrpVmf\x80\xA0\xC3"
    "\xFF\0";
constexpr std::string_view kCharacters(kCharacterList,
                                       sizeof kCharacterList - 1);

/// Words of the two line formats.
constexpr std::array<std::string_view, 14> kWords = {"Excited State",
                                                     "Excited State ",
                                                     "Singlet",
                                                     "Triplet",
                                                     "eV",
                                                     "nm",
                                                     "f=",
                                                     "<S**2>=",
                                                     "->",
                                                     "<-",
                                                     "1.0",
                                                     "-",
                                                     "A",
                                                     "  "};

}  // namespace

std::size_t TdLineMutator::below(std::size_t bound) {
  return static_cast<std::size_t>(random_() % bound);
}

std::string TdLineMutator::blanks(std::size_t minimum) {
  static constexpr std::string_view kBlanks = "     \t\r";
  std::string text;
  const std::size_t count = minimum + below(4);
  for (std::size_t i = 0; i < count; ++i)
    text += kBlanks[below(kBlanks.size())];
  return text;
}

std::string TdLineMutator::digits(std::size_t minimum, std::size_t maximum) {
  std::string text;
  const std::size_t count = minimum + below(maximum - minimum + 1);
  for (std::size_t i = 0; i < count; ++i) {
    text += static_cast<char>('0' + below(10));
  }
  return text;
}

std::string TdLineMutator::decimal(bool signAllowed) {
  std::string text;
  if (signAllowed && oneIn(3)) text += oneIn(2) ? '-' : '+';
  return text + digits(1, 4) + "." + digits(1, 6);
}

std::string TdLineMutator::multiplicity() {
  switch (below(6)) {
    case 0:
    case 1:
      return "Singlet";
    case 2:
      return "Triplet";
    case 3:
      return (oneIn(2) ? "" : "-") + digits(1, 2);
    case 4:
      return (oneIn(2) ? "+" : "") + digits(1, 2) + ".";
    default:
      return digits(1, 2) + "." + digits(1, 4);
  }
}

std::string TdLineMutator::symmetry() {
  static constexpr std::array<std::string_view, 7> kSymmetries = {
      "A", "B2U", "?Sym", "SGG", "A'", "B-1", "A\"1"};
  return std::string(kSymmetries[below(kSymmetries.size())]);
}

std::string TdLineMutator::orbitalLabel() {
  std::string label = digits(1, 4);
  if (oneIn(2)) label += oneIn(2) ? 'A' : 'B';
  return label;
}

std::string TdLineMutator::stateLine() {
  return blanks(0) + "Excited State" + blanks(1) + digits(1, 3) + ":" +
         blanks(1) + multiplicity() + "-" + symmetry() + blanks(1) +
         decimal(true) + blanks(1) + "eV" + blanks(1) + decimal(true) +
         blanks(1) + "nm" + blanks(1) + "f=" + decimal(true) + blanks(1) +
         "<S**2>=" + decimal(false) + (oneIn(4) ? blanks(1) : "");
}

std::string TdLineMutator::contributionLine() {
  return blanks(0) + orbitalLabel() + blanks(0) + (oneIn(3) ? "<-" : "->") +
         blanks(0) + orbitalLabel() + blanks(1) + (oneIn(3) ? "-" : "") +
         digits(1, 2) + "." + digits(1, 6) + (oneIn(4) ? blanks(1) : "");
}

std::string TdLineMutator::token() {
  if (oneIn(4)) return std::string(kWords[below(kWords.size())]);
  return std::string(1, kCharacters[below(kCharacters.size())]);
}

void TdLineMutator::edit(std::string& line) {
  const std::size_t at = below(line.size() + 1);
  switch (below(3)) {
    case 0:
      line.insert(at, token());
      break;
    case 1:
      line.erase(at, 1 + below(3));
      break;
    default:
      line.replace(at, 1, token());
      break;
  }
}

std::string TdLineMutator::mutate(std::string line) {
  const std::size_t edits = below(5);
  for (std::size_t i = 0; i < edits; ++i) edit(line);
  return line;
}

std::string TdLineMutator::nextLine() {
  std::string line = oneIn(2) ? stateLine() : contributionLine();
  if (oneIn(8)) line += oneIn(2) ? stateLine() : contributionLine();
  if (oneIn(8)) line = mutate(stateLine()) + line;
  return mutate(line);
}

}  // namespace nodara
