#include "gaussian/line_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace nodara {
namespace {

constexpr std::size_t kBlock = 4096;

/// A line of `length` bytes, then '\n'.
std::string lineOf(std::size_t length, char fill = 'x') {
  return std::string(length, fill) + "\n";
}

/// Lines whose '\n' falls just before, on and just after block boundaries.
std::string aroundBoundaries() {
  std::string text;
  for (const std::size_t newlineAt :
       {kBlock - 2, kBlock - 1, kBlock, kBlock + 1, 2 * kBlock - 1, 2 * kBlock,
        3 * kBlock + 5}) {
    text += lineOf(newlineAt - text.size(), 'a' + text.size() % 26);
  }
  return text + "tail";
}

std::string repeated(const std::string& piece, std::size_t times) {
  std::string text;
  for (std::size_t i = 0; i < times; ++i) text += piece;
  return text;
}

/// Lines of random lengths, from empty to several blocks, fixed seed.
std::string randomLines(std::uint32_t seed, std::size_t lines) {
  std::mt19937 random(seed);
  std::string text;
  for (std::size_t i = 0; i < lines; ++i) {
    const std::size_t kind = random() % 10;
    const std::size_t length = kind < 3   ? 0
                               : kind < 8 ? random() % 120
                               : kind < 9 ? random() % 5000
                                          : random() % 20000;
    text += lineOf(length, static_cast<char>('A' + i % 26));
  }
  return text;
}

struct TextCase {
  std::string name;
  std::string text;
};

std::vector<TextCase> textCases() {
  return {
      {"empty", ""},
      {"one newline", "\n"},
      {"no final newline", "a\nbc"},
      {"one block exactly", lineOf(kBlock - 1)},
      {"around block boundaries", aroundBoundaries()},
      {"very long lines", lineOf(5 * kBlock + 3) + "short\n" +
                              lineOf(3 * kBlock - 1) + lineOf(kBlock * 2)},
      {"a line of ten blocks without newline", std::string(10 * kBlock, 'z')},
      {"only newlines", std::string(3 * kBlock + 7, '\n')},
      {"short lines", repeated("ab\n", 3000)},
      {"CRLF lines", repeated("line\r\n", 2000)},
      {"random lines", randomLines(42, 600)},
  };
}

/// The lines of `text` split at '\n' one by one.
std::vector<std::string_view> naiveLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

TEST(LineIndexTest, CountsLinesLikeANaiveSplit) {
  for (const TextCase& c : textCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(naiveLines(c.text).size(), LineIndex(c.text).lineCount());
    EXPECT_EQ(static_cast<std::uint64_t>(
                  std::count(c.text.begin(), c.text.end(), '\n')),
              countNewlines(c.text));
  }
}

TEST(LineIndexTest, SequentialAccessAgreesWithANaiveSplit) {
  for (const TextCase& c : textCases()) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string_view> expected = naiveLines(c.text);
    const LineIndex index(c.text);
    for (std::uint64_t i = 0; i < expected.size(); ++i) {
      ASSERT_EQ(expected[i], index.line(i)) << "line " << i;
    }
    EXPECT_EQ("", index.line(expected.size()));
    EXPECT_EQ("", index.line(expected.size() + 1000));
  }
}

TEST(LineIndexTest, RandomAccessAgreesWithANaiveSplit) {
  std::mt19937 random(5);
  for (const TextCase& c : textCases()) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string_view> expected = naiveLines(c.text);
    const LineIndex index(c.text);
    std::vector<std::uint64_t> shuffled(expected.size());
    std::iota(shuffled.begin(), shuffled.end(), 0);
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    // Backwards, in random order, then short hops forward from random lines.
    std::vector<std::uint64_t> queries(shuffled.rbegin(), shuffled.rend());
    std::sort(queries.begin(), queries.end(), std::greater<>());
    queries.insert(queries.end(), shuffled.begin(), shuffled.end());
    for (std::size_t i = 0; i < shuffled.size() && i < 2000; ++i) {
      for (const std::uint64_t hop : {0, 1, 63, 64, 65, 200}) {
        queries.push_back(shuffled[i] + hop);
      }
    }
    for (const std::uint64_t i : queries) {
      if (i >= expected.size()) continue;
      ASSERT_EQ(expected[i], index.line(i)) << "line " << i;
    }
  }
}

TEST(LineIndexTest, LineAtAndLineStartAgreeWithANaiveSplit) {
  for (const TextCase& c : textCases()) {
    SCOPED_TRACE(c.name);
    const LineIndex index(c.text);
    std::uint64_t line = 0;
    std::size_t lineStart = 0;
    for (std::size_t offset = 0; offset < c.text.size(); ++offset) {
      ASSERT_EQ(line, index.lineAt(offset)) << "offset " << offset;
      if (offset == lineStart) {
        ASSERT_EQ(lineStart, index.lineStart(line)) << "line " << line;
        ASSERT_EQ(index.line(line), index.lineFrom(lineStart));
      }
      if (c.text[offset] == '\n') {
        ++line;
        lineStart = offset + 1;
      }
    }
  }
}

}  // namespace
}  // namespace nodara
