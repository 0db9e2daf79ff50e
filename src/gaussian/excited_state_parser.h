/// Reader of the TD-DFT excited states of a Gaussian log.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "gaussian/excited_state.h"
#include "gaussian/gaussian_log_file.h"
#include "gaussian/log_buffer.h"
#include "gaussian/td_section_reader.h"

namespace nodara {

/// Reads every TD section ("Excitation energies and oscillator strengths:")
/// of a log into blocks of excited states with their contributions. The
/// log is read once, on the first query; the log must outlive the parser.
/// A number out of range makes the parse throw std::out_of_range ("stoi"
/// or "stod") to the caller of the query that started it. The parse keeps
/// where each state is and the text it read; a state becomes a record when
/// a query hands it out, so a log of millions of states costs little.
class ExcitedStateParser {
 public:
  explicit ExcitedStateParser(const GaussianLogFile& log) : log_(log) {}
  ExcitedStateParser(const ExcitedStateParser&) = delete;
  ExcitedStateParser& operator=(const ExcitedStateParser&) = delete;

  void parse();

  std::vector<ExcitedState> allStates();
  /// The first state with number `index`; nothing (and a warning) if none.
  std::optional<ExcitedState> stateByIndex(std::int32_t index);
  std::vector<ExcitedState> singletStates();
  std::vector<ExcitedState> tripletStates();
  /// States whose oscillator strength is at least `minimumStrength`.
  std::vector<ExcitedState> brightStates(double minimumStrength);

  const std::vector<ExcitationBlock>& blocks();
  std::vector<ExcitationBlock> allBlocks();
  /// The last block, or an empty block (index -1) when there is none.
  ExcitationBlock lastBlock();
  ExcitationBlock blockByIndex(std::int32_t index);
  std::int32_t blockCount();

  struct MultiplicityClass;

 private:
  std::vector<ExcitedState> statesOfMultiplicity(
      const MultiplicityClass& multiplicityClass);
  ExcitedState stateAt(std::size_t position) const;
  ExcitationBlock blockOf(const TdSectionIndex::Section& section) const;

  const GaussianLogFile& log_;
  /// The text that was parsed, kept even if the log is loaded again.
  std::shared_ptr<const LogBuffer> text_;
  TdSectionIndex index_;
  /// All blocks as records, made by the first call of blocks().
  std::optional<std::vector<ExcitationBlock>> blocks_;
  bool parsed_ = false;
};

}  // namespace nodara
