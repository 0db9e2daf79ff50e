#include "gaussian/gaussian_log_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "gaussian/library_log_capture.h"
#include "gaussian/td_line_reference.h"
#include "log/library_logger.h"
#include "support/temp_directory.h"

namespace nodara {
namespace {

using namespace std::string_literals;

/// The lines of `text` split at '\n', as the log file must see them.
std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::vector<std::string> linesOf(const GaussianLogFile& log) {
  std::vector<std::string> lines;
  for (const std::string_view line : log.lines()) lines.emplace_back(line);
  return lines;
}

struct ContentCase {
  std::string name;
  std::string content;
  bool valid;
};

const ContentCase kContentCases[] = {
    {"banner", " Entering Gaussian System, Link 0=g16\n", true},
    {"only last line", "line 1\nline 2\n Normal termination of Gaussian 16.\n",
     true},
    {"last line without newline", "a\nb\nGaussian", true},
    {"lower case only", " entering gaussian system\n", false},
    {"upper case only", " GAUSSIAN\n", false},
    {"split by a line break", "Gauss\nian\n", false},
    {"empty", "", false},
    {"one empty line", "\n", false},
    {"empty lines", "\n\n\n", false},
    {"CRLF lines", " Entering Gaussian System\r\n x\r\n\r\n", true},
    {"NUL bytes", "a\0b Gaussian\0\n\0\n"s, true},
    {"no final newline", "Gaussian\nlast", true},
};

/// Loads logs while the library logger's lines are captured.
class GaussianLogFileLoadTest : public LibraryLogCapture {
 protected:
  TempDirectory dir_;
};

TEST_F(GaussianLogFileLoadTest, LoadFromStringKeepsEveryLineAndJudgesValidity) {
  for (const ContentCase& c : kContentCases) {
    SCOPED_TRACE(c.name);
    clearLogged();
    GaussianLogFile log;
    log.loadFromString(c.content);
    EXPECT_EQ(c.valid, log.isValid());
    EXPECT_EQ(splitLines(c.content), linesOf(log));
    EXPECT_EQ(splitLines(c.content).size(), log.lineCount());
    EXPECT_EQ(c.content, log.text());
    EXPECT_EQ("", loggedOut());
    EXPECT_EQ(
        c.valid ? "" : warningLine("设置的内容可能不是有效的Gaussian输出"),
        loggedErr());
  }
}

TEST_F(GaussianLogFileLoadTest, LoadingAFileKeepsEveryLineAndJudgesValidity) {
  for (const ContentCase& c : kContentCases) {
    SCOPED_TRACE(c.name);
    clearLogged();
    const std::string path = dir_.writeFile("case.log", c.content);
    const GaussianLogFile log(path);
    EXPECT_EQ(c.valid, log.isValid());
    EXPECT_EQ(path, log.filePath());
    EXPECT_EQ(splitLines(c.content), linesOf(log));
    EXPECT_EQ(c.content, log.text());
    EXPECT_EQ(
        c.valid ? "" : warningLine("文件可能不是有效的Gaussian输出: " + path),
        loggedErr());
  }
}

TEST_F(GaussianLogFileLoadTest, UnopenablePathGivesTheErrorLineAndNoLines) {
  const std::string missing = (dir_.path() / "missing.log").string();
  const std::string underFile =
      dir_.writeFile("plain", "Gaussian\n") + "/inside.log";
  for (const std::string& path : {missing, dir_.path().string(), underFile}) {
    SCOPED_TRACE(path);
    clearLogged();
    const GaussianLogFile log(path);
    EXPECT_FALSE(log.isValid());
    EXPECT_EQ(0u, log.lineCount());
    EXPECT_EQ("", log.line(0));
    EXPECT_EQ(path, log.filePath());
    EXPECT_EQ("\x1b[31m[ERROR] 无法打开文件: " + path + "\x1b[0m\n",
              loggedErr());
    EXPECT_EQ("", loggedOut());
  }
}

TEST(GaussianLogFileLoggerTest, OnlyTheErrorReachesTheDefaultLevel) {
  // At the library logger's own level the warning for a non-Gaussian text
  // is dropped.
  std::ostringstream out;
  std::ostringstream err;
  quor::LibraryLogger::instance().setStreams(out, err);
  GaussianLogFile log;
  log.loadFromString("no such program\n");
  const GaussianLogFile missing("/nonexistent/nodara/x.log");
  quor::LibraryLogger::instance().setStreams(std::cout, std::cerr);
  EXPECT_EQ("", out.str());
  EXPECT_EQ(errorLine("无法打开文件: /nonexistent/nodara/x.log"), err.str());
}

TEST(GaussianLogFileTest, DefaultConstructedIsEmptyAndNotValid) {
  const GaussianLogFile log;
  EXPECT_FALSE(log.isValid());
  EXPECT_EQ("", log.filePath());
  EXPECT_EQ(0u, log.lineCount());
  EXPECT_EQ(0u, log.lines().size());
  EXPECT_EQ("", log.text());
}

TEST(GaussianLogFileTest, LineGivesEachLineAndEmptyPastTheEnd) {
  GaussianLogFile log;
  log.loadFromString(" Gaussian\r\nsecond\r\n\r\nlast");
  ASSERT_EQ(4u, log.lineCount());
  EXPECT_EQ(" Gaussian\r", log.line(0));
  EXPECT_EQ("second\r", log.line(1));
  EXPECT_EQ("\r", log.line(2));
  EXPECT_EQ("last", log.line(3));
  EXPECT_EQ("second\r", log.lineText(1));
  EXPECT_EQ("", log.line(4));
  EXPECT_EQ("", log.lineText(4));
  EXPECT_EQ("", log.line(UINT64_MAX));
  EXPECT_EQ("second\r", log.lines()[1]);
  EXPECT_EQ("", log.lines()[4]);
  EXPECT_EQ(std::vector<std::uint64_t>({1}), log.findLines("d\r"));
}

TEST(GaussianLogFileTest, NulBytesStayInsideTheirLines) {
  GaussianLogFile log;
  log.loadFromString("a\0Gaussian\nb\0\0c\n"s);
  ASSERT_EQ(2u, log.lineCount());
  EXPECT_EQ("a\0Gaussian"s, log.line(0));
  EXPECT_EQ("b\0\0c"s, log.line(1));
  EXPECT_EQ(std::vector<std::uint64_t>({1}), log.findLines("\0c"s));
}

struct FindCase {
  std::string pattern;
  std::vector<std::uint64_t> lines;
};

TEST(GaussianLogFileTest, FindLinesListsTheLinesHoldingThePattern) {
  GaussianLogFile log;
  log.loadFromString(
      " Entering Gaussian System\n"
      " Alpha  occ. eigenvalues --  -1.0 Alpha  occ. eigenvalues\n"
      " Alpha virt. eigenvalues --   0.5\n"
      "\n"
      " Alpha  occ. eigenvalues --  -0.5\n"
      "tail Alpha");
  const FindCase cases[] = {
      {"Alpha  occ. eigenvalues", {1, 4}},
      {"Alpha", {1, 2, 4, 5}},
      {"alpha", {}},
      {"Gaussian", {0}},
      {"tail Alpha", {5}},
      {"", {0, 1, 2, 3, 4, 5}},
      {"no such text", {}},
  };
  for (const FindCase& c : cases) {
    SCOPED_TRACE(escaped(c.pattern));
    EXPECT_EQ(c.lines, log.findLines(c.pattern));
  }
}

TEST(GaussianLogFileTest, FindLinesAnswersFromItsCache) {
  GaussianLogFile log;
  log.loadFromString("Gaussian\nx\ny x\n");
  for (const std::string pattern : {"x", "absent", ""}) {
    SCOPED_TRACE(pattern);
    const std::vector<std::uint64_t>& first = log.findLines(pattern);
    log.findLines("another pattern");
    const std::vector<std::uint64_t>& second = log.findLines(pattern);
    EXPECT_EQ(&first, &second);
  }
}

TEST(GaussianLogFileTest, LoadFromStringReplacesLinesAndCacheButKeepsPath) {
  TempDirectory dir;
  const std::string path = dir.writeFile("first.log", "Gaussian\nold x\n");
  GaussianLogFile log(path);
  EXPECT_EQ(std::vector<std::uint64_t>({1}), log.findLines("x"));
  EXPECT_EQ(std::vector<std::uint64_t>({}), log.findLines("new"));
  log.loadFromString("x\nnew\nGaussian new x\n");
  EXPECT_EQ(path, log.filePath());
  EXPECT_TRUE(log.isValid());
  EXPECT_EQ(3u, log.lineCount());
  EXPECT_EQ(std::vector<std::uint64_t>({0, 2}), log.findLines("x"));
  EXPECT_EQ(std::vector<std::uint64_t>({1, 2}), log.findLines("new"));
  log.loadFromString("nothing here\n");
  EXPECT_FALSE(log.isValid());
  EXPECT_EQ(std::vector<std::uint64_t>({}), log.findLines("x"));
  EXPECT_EQ("nothing here", log.line(0));
  EXPECT_EQ("", log.line(1));
}

TEST(GaussianLogFileTest, FirstLineContainingSearchesFromALine) {
  GaussianLogFile log;
  log.loadFromString("Gaussian\nCondensed\nx\nCondensed to atoms\ny");
  EXPECT_EQ(1u, log.firstLineContaining("Condensed", 0));
  EXPECT_EQ(1u, log.firstLineContaining("Condensed", 1));
  EXPECT_EQ(3u, log.firstLineContaining("Condensed", 2));
  EXPECT_EQ(4u, log.firstLineContaining("y", 4));
  EXPECT_FALSE(log.firstLineContaining("Condensed", 4));
  EXPECT_FALSE(log.firstLineContaining("Gaussian", 5));
  EXPECT_FALSE(log.firstLineContaining("absent", 0));
}

TEST(GaussianLogFileTest, ContainsTextAgreesWithFindLines) {
  struct Case {
    std::string content;
    std::string pattern;
  };
  const Case cases[] = {
      {"", ""},
      {"\n", ""},
      {"Gaussian", ""},
      {"Gaussian\nx", "x"},
      {"Gaussian\nx", "Gaussian\nx"},
      {"Gaussian\nx", "y"},
      {"a\n\nb", "a\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("content \"" + c.content + "\", pattern \"" + c.pattern +
                 "\"");
    GaussianLogFile log;
    log.loadFromString(c.content);
    EXPECT_EQ(!log.findLines(c.pattern).empty(), log.containsText(c.pattern));
  }
}

TEST(GaussianLogFileTest, NoLineHoldsAPatternThatSpansALineBreak) {
  // Lines end before their '\n', so a pattern holding one is in no line.
  GaussianLogFile log;
  log.loadFromString("Gaussian\nx\nCondensed\n");
  for (const std::string pattern : {"\n", "x\nCondensed", "Gaussian\n"}) {
    SCOPED_TRACE(escaped(pattern));
    EXPECT_EQ(std::vector<std::uint64_t>({}), log.findLines(pattern));
    EXPECT_FALSE(log.firstLineContaining(pattern, 0));
  }
}

TEST(GaussianLogFileTest, MovedLogKeepsItsContent) {
  GaussianLogFile log;
  log.loadFromString("Gaussian\nline\n");
  const GaussianLogFile moved(std::move(log));
  EXPECT_TRUE(moved.isValid());
  EXPECT_EQ("line", moved.line(1));
}

}  // namespace
}  // namespace nodara
