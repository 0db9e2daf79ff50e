#include "gaussian/substring_finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace nodara {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

std::string randomText(std::mt19937& random, std::string_view alphabet,
                       std::size_t size) {
  std::string text(size, ' ');
  for (char& c : text) c = alphabet[random() % alphabet.size()];
  return text;
}

std::string allBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

struct TextCase {
  std::string name;
  std::string text;
};

/// Texts where the rarest byte of a pattern is rare, common, or varies
/// along the text (so that the sample misleads the search).
std::vector<TextCase> textCases() {
  std::mt19937 random(11);
  const std::string logLike =
      " Excited State   1:      Singlet-A      3.5013 eV  354.11 nm\n"
      "      45 -> 47         0.70123\n\n";
  std::string repeatedLog;
  while (repeatedLog.size() < 200000) repeatedLog += logLike;
  return {
      {"empty", ""},
      {"two letters", randomText(random, "ab", 300000)},
      {"letters and newlines", randomText(random, "abcde\n", 300000)},
      {"all bytes", randomText(random, allBytes(), 100000)},
      {"log lines", repeatedLog},
      {"rare byte common only at the end",
       randomText(random, "xy", 200000) + std::string(100000, 'z') + "xyz"},
  };
}

/// Patterns cut from the text, plus some that may occur nowhere.
std::vector<std::string> patternsFor(const std::string& text,
                                     std::mt19937& random) {
  std::vector<std::string> patterns = {
      "a", "ab", "zzz", "xyz", "\n\n", "Excited State", "-> 47", "nowhere!"};
  for (int i = 0; i < 30 && !text.empty(); ++i) {
    const std::size_t length = 1 + random() % 24;
    patterns.push_back(text.substr(random() % text.size(), length));
  }
  return patterns;
}

std::vector<std::size_t> startsFor(const std::string& text,
                                   std::mt19937& random) {
  std::vector<std::size_t> starts = {0, text.size(), text.size() + 1};
  if (text.size() > 3) starts.push_back(text.size() - 3);
  for (int i = 0; i < 40 && !text.empty(); ++i) {
    starts.push_back(random() % text.size());
  }
  return starts;
}

std::size_t naiveFind(std::string_view text, std::string_view pattern,
                      std::size_t from) {
  if (from > text.size()) return kNone;
  return text.find(pattern, from);
}

TEST(SubstringFinderTest, FindAgreesWithANaiveSearch) {
  std::mt19937 random(3);
  for (const TextCase& c : textCases()) {
    SCOPED_TRACE(c.name);
    for (const std::string& pattern : patternsFor(c.text, random)) {
      const SubstringFinder finder(c.text, pattern);
      for (const std::size_t from : startsFor(c.text, random)) {
        const std::size_t expected = naiveFind(c.text, pattern, from);
        ASSERT_EQ(expected, finder.find(from))
            << "pattern \"" << pattern << "\" from " << from;
        ASSERT_EQ(expected, findIn(c.text, pattern, from));
      }
    }
  }
}

TEST(SubstringFinderTest, NextAgreesWithANaiveSearchForAscendingStarts) {
  std::mt19937 random(4);
  for (const TextCase& c : textCases()) {
    SCOPED_TRACE(c.name);
    for (const std::string& pattern : patternsFor(c.text, random)) {
      SubstringFinder finder(c.text, pattern);
      std::vector<std::size_t> starts = startsFor(c.text, random);
      std::sort(starts.begin(), starts.end());
      for (const std::size_t from : starts) {
        // Every start is asked twice, as the section reader does.
        const std::size_t expected = naiveFind(c.text, pattern, from);
        ASSERT_EQ(expected, finder.next(from))
            << "pattern \"" << pattern << "\" from " << from;
        ASSERT_EQ(expected, finder.next(from));
      }
    }
  }
}

TEST(SubstringFinderTest, EmptyPatternIsFoundAtTheStart) {
  const std::string text = "abc";
  const SubstringFinder finder(text, "");
  EXPECT_EQ(0u, finder.find(0));
  EXPECT_EQ(3u, finder.find(3));
  EXPECT_EQ(kNone, finder.find(4));
}

}  // namespace
}  // namespace nodara
