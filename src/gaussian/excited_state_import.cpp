// ConfigGenerator: the import of the excited states of the last TD section.
#include <cmath>
#include <exception>

#include "catalogue/config_generator.h"
#include "config/number_format.h"
#include "gaussian/excited_state_parser.h"
#include "gaussian/gaussian_log_file.h"

namespace nodara {
namespace {

constexpr std::int32_t kHighestStoredState = 10;

/// "45->47=0.70123" per contribution above the threshold, one per line.
std::string transitionsText(const ExcitedState& state, double threshold) {
  std::string text;
  for (const TransitionContribution& contribution : state.transitions) {
    if (!(std::fabs(contribution.coefficient) > threshold)) continue;
    if (!text.empty()) text += '\n';
    text += std::to_string(contribution.fromOrbital);
    text += contribution.deexcitation ? "<-" : "->";
    text += std::to_string(contribution.toOrbital);
    text += '=';
    text += formatFixed(contribution.coefficient, 5);
  }
  return text;
}

ExcitedStateText displayTexts(const ExcitedState& state, double threshold) {
  return ExcitedStateText{formatFixed(state.wavelengthNm, 2),
                          formatFixed(state.oscillatorStrength, 4),
                          transitionsText(state, threshold)};
}

}  // namespace

bool ConfigGenerator::extractExcitedStates() {
  excitedStates.clear();
  console_.printLine("从log文件提取激发态数据: " + logFile);
  console_.flush();
  try {
    GaussianLogFile log(logFile);
    if (!log.isValid()) {
      console_.printError("无效的Gaussian文件");
      return false;
    }
    if (!log.containsText("Excitation energies and oscillator strengths:")) {
      console_.printError(
          "未在log中找到TDDFT段落（Excitation energies and oscillator "
          "strengths:），退出。");
      return false;
    }
    // The marker is there, so the log has at least one block; only its
    // last one is turned into records.
    ExcitedStateParser parser(log);
    for (const ExcitedState& state : parser.lastBlock().states) {
      if (state.index > kHighestStoredState) break;
      excitedStates["S" + std::to_string(state.index)] =
          displayTexts(state, threshold);
    }
  } catch (const std::exception& e) {
    console_.printError(std::string("提取激发态数据失败: ") + e.what());
    return false;
  }
  console_.printLine("成功提取 " + std::to_string(excitedStates.size()) +
                     " 个激发态数据");
  console_.flush();
  return true;
}

}  // namespace nodara
