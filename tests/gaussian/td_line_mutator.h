/// Random TD lines for checking the line matchers against the expressions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace nodara {

/// Makes "Excited State" and contribution lines in many spellings, valid
/// ones and ones broken by random edits. Deterministic for a given seed.
class TdLineMutator {
 public:
  explicit TdLineMutator(std::uint32_t seed) : random_(seed) {}

  /// A state line that both the expression and the matcher accept.
  std::string stateLine();
  /// A contribution line that both accept.
  std::string contributionLine();
  /// `line` after zero to four random insertions, deletions and
  /// replacements of characters and words.
  std::string mutate(std::string line);
  /// A state or contribution line, sometimes two glued together, then
  /// mutated.
  std::string nextLine();

 private:
  std::size_t below(std::size_t bound);
  bool oneIn(std::size_t chance) { return below(chance) == 0; }
  std::string blanks(std::size_t minimum);
  std::string digits(std::size_t minimum, std::size_t maximum);
  std::string decimal(bool signAllowed);
  std::string multiplicity();
  std::string symmetry();
  std::string orbitalLabel();
  std::string token();
  void edit(std::string& line);

  std::mt19937 random_;
};

}  // namespace nodara
