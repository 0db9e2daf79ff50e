#include "app/command_line.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace nodara {
namespace {

std::size_t skipDigits(const std::string& word, std::size_t pos) {
  while (pos < word.size() &&
         std::isdigit(static_cast<unsigned char>(word[pos]))) {
    ++pos;
  }
  return pos;
}

/// Length of the decimal number at the start of `word` after white space
/// and sign; 0 when there is none.
std::size_t decimalPrefixLength(const std::string& word) {
  std::size_t pos = 0;
  while (pos < word.size() &&
         std::isspace(static_cast<unsigned char>(word[pos]))) {
    ++pos;
  }
  if (pos < word.size() && (word[pos] == '+' || word[pos] == '-')) ++pos;
  const std::size_t integerEnd = skipDigits(word, pos);
  std::size_t end = integerEnd;
  std::size_t digits = integerEnd - pos;
  if (end < word.size() && word[end] == '.') {
    const std::size_t fractionEnd = skipDigits(word, end + 1);
    digits += fractionEnd - (end + 1);
    end = fractionEnd;
  }
  if (digits == 0) return 0;
  if (end < word.size() && (word[end] == 'e' || word[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < word.size() &&
        (word[exponent] == '+' || word[exponent] == '-')) {
      ++exponent;
    }
    const std::size_t exponentEnd = skipDigits(word, exponent);
    if (exponentEnd > exponent) end = exponentEnd;
  }
  return end;
}

bool isValueOption(const std::string& word) {
  return word == "-d" || word == "-o" || word == "-l" || word == "-t" ||
         word == "-c1" || word == "-c2";
}

void assign(RunSettings& settings, const std::string& option,
            const std::string& value) {
  if (option == "-d") settings.scanDirectory = value;
  if (option == "-o") settings.outputFile = value;
  if (option == "-l") settings.logFile = value;
  if (option == "-c1") settings.color1 = value;
  if (option == "-c2") settings.color2 = value;
}

CommandLine stopWith(CommandLine::Action action, const std::string& word) {
  CommandLine result;
  result.action = action;
  result.offendingWord = word;
  return result;
}

}  // namespace

std::optional<double> parseThreshold(const std::string& word) {
  const std::size_t length = decimalPrefixLength(word);
  if (length == 0) return std::nullopt;
  const std::string number = word.substr(0, length);
  errno = 0;
  const double value = std::strtod(number.c_str(), nullptr);
  if (errno == ERANGE) return std::nullopt;
  return value;
}

CommandLine parseCommandLine(const std::vector<std::string>& words) {
  CommandLine result;
  for (std::size_t i = 0; i < words.size(); i += 2) {
    const std::string& option = words[i];
    if (option == "-h" || option == "--help") {
      return stopWith(CommandLine::Action::ShowHelp, option);
    }
    if (!isValueOption(option) || i + 1 >= words.size()) {
      return stopWith(CommandLine::Action::UnknownOption, option);
    }
    const std::string& value = words[i + 1];
    if (option == "-t") {
      const std::optional<double> threshold = parseThreshold(value);
      if (!threshold) {
        return stopWith(CommandLine::Action::InvalidThreshold, value);
      }
      result.settings.threshold = *threshold;
    } else {
      assign(result.settings, option, value);
    }
  }
  return result;
}

}  // namespace nodara
