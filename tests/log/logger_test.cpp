#include "log/logger.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "log/library_logger.h"
#include "support/counting_buffer.h"

namespace quor {
namespace {

using nodara::CountingBuffer;

constexpr const char* kReset = "\x1b[0m";

/// A logger of its own writing to two counting string streams.
class LoggerTest : public ::testing::Test {
 protected:
  void SetUp() override { logger_.setStreams(out_, err_); }

  std::string out() const { return outBuffer_.str(); }
  std::string err() const { return errBuffer_.str(); }

  CountingBuffer outBuffer_;
  CountingBuffer errBuffer_;
  std::ostream out_{&outBuffer_};
  std::ostream err_{&errBuffer_};
  Logger logger_;
};

TEST_F(LoggerTest, MinimumLevelStartsAtInfo) {
  EXPECT_EQ(Info, logger_.level());
}

TEST(LibraryLoggerTest, MinimumLevelStartsAtError) {
  LibraryLogger logger;
  EXPECT_EQ(Error, logger.level());
}

TEST(LibraryLoggerTest, IsALoggerDestroyedThroughTheBase) {
  std::unique_ptr<Logger> logger = std::make_unique<LibraryLogger>();
  EXPECT_EQ(Error, logger->level());
}

TEST_F(LoggerTest, SetLevelIsReadBack) {
  logger_.setLevel(-5);
  EXPECT_EQ(-5, logger_.level());
  logger_.setLevel(INT32_MAX);
  EXPECT_EQ(INT32_MAX, logger_.level());
}

struct LevelCase {
  std::int32_t level;
  bool toError;      // written to the error stream, not the output stream
  std::string line;  // with colour
  std::string plainLine;
  bool flushed;
};

const LevelCase kLevelCases[] = {
    {Debug, false, "\x1b[36m[DEBUG] m\x1b[0m\n", "[DEBUG] m\n", false},
    {Info, false, "\x1b[32m[INFO] m\x1b[0m\n", "[INFO] m\n", false},
    {Warning, true, "\x1b[33m[WARNING] m\x1b[0m\n", "[WARNING] m\n", false},
    {Error, true, "\x1b[31m[ERROR] m\x1b[0m\n", "[ERROR] m\n", true},
    {4, true, "[UNKNOWN] m\x1b[0m\n", "[UNKNOWN] m\n", true},
    {7, true, "[UNKNOWN] m\x1b[0m\n", "[UNKNOWN] m\n", true},
    {INT32_MAX, true, "[UNKNOWN] m\x1b[0m\n", "[UNKNOWN] m\n", true},
    {-1, false, "[UNKNOWN] m\x1b[0m\n", "[UNKNOWN] m\n", false},
    {INT32_MIN, false, "[UNKNOWN] m\x1b[0m\n", "[UNKNOWN] m\n", false},
};

TEST(LoggerLevelTest, LabelColourStreamAndFlushPerLevel) {
  for (const LevelCase& c : kLevelCases) {
    for (const bool colour : {true, false}) {
      SCOPED_TRACE("level " + std::to_string(c.level) +
                   (colour ? " with colour" : " without colour"));
      CountingBuffer outBuffer;
      CountingBuffer errBuffer;
      std::ostream out(&outBuffer);
      std::ostream err(&errBuffer);
      Logger logger;
      logger.setStreams(out, err);
      logger.setLevel(INT32_MIN);
      logger.setColorEnabled(colour);
      logger.log(c.level, "m");
      const std::string expected = colour ? c.line : c.plainLine;
      EXPECT_EQ(c.toError ? "" : expected, outBuffer.str());
      EXPECT_EQ(c.toError ? expected : "", errBuffer.str());
      EXPECT_EQ(c.flushed ? 1 : 0,
                (c.toError ? errBuffer : outBuffer).syncCount);
      EXPECT_EQ(0, (c.toError ? outBuffer : errBuffer).syncCount);
    }
  }
}

TEST_F(LoggerTest, MemberFunctionsLogAtTheirLevels) {
  logger_.setLevel(Debug);
  logger_.debug("d");
  logger_.info("i");
  logger_.warning("w");
  logger_.error("e");
  EXPECT_EQ("\x1b[36m[DEBUG] d\x1b[0m\n\x1b[32m[INFO] i\x1b[0m\n", out());
  EXPECT_EQ("\x1b[33m[WARNING] w\x1b[0m\n\x1b[31m[ERROR] e\x1b[0m\n", err());
}

TEST_F(LoggerTest, MessageBelowMinimumLevelIsDropped) {
  logger_.setLevel(Error);
  logger_.debug("d");
  logger_.info("i");
  logger_.warning("w");
  logger_.log(-1, "u");
  EXPECT_EQ("", out());
  EXPECT_EQ("", err());
  EXPECT_EQ(0, outBuffer_.syncCount);
  EXPECT_EQ(0, errBuffer_.syncCount);
}

TEST_F(LoggerTest, MessageAtMinimumLevelIsWritten) {
  logger_.setLevel(Warning);
  logger_.info("i");
  logger_.warning("w");
  EXPECT_EQ("", out());
  EXPECT_EQ("\x1b[33m[WARNING] w\x1b[0m\n", err());
}

TEST_F(LoggerTest, DebugIsDroppedAtTheInitialLevel) {
  logger_.debug("d");
  EXPECT_EQ("", out());
  EXPECT_EQ("", err());
}

TEST_F(LoggerTest, UnknownLevelSevenWithMinimumZero) {
  logger_.setLevel(0);
  logger_.log(7, "seven");
  EXPECT_EQ("", out());
  EXPECT_EQ(std::string("[UNKNOWN] seven") + kReset + "\n", err());
  EXPECT_EQ(1, errBuffer_.syncCount);
}

TEST_F(LoggerTest, UnknownLevelMinusOneWithMinimumMinusOne) {
  logger_.setLevel(-1);
  logger_.log(-1, "minus one");
  EXPECT_EQ(std::string("[UNKNOWN] minus one") + kReset + "\n", out());
  EXPECT_EQ("", err());
  EXPECT_EQ(0, outBuffer_.syncCount);
}

TEST_F(LoggerTest, MessageWithNewlinesIsWrittenUnchanged) {
  logger_.error("first\nsecond\n\nthird");
  EXPECT_EQ("\x1b[31m[ERROR] first\nsecond\n\nthird\x1b[0m\n", err());
}

TEST_F(LoggerTest, MessageWithNewlinesWithoutColour) {
  logger_.setColorEnabled(false);
  logger_.info("a\nb\n");
  EXPECT_EQ("[INFO] a\nb\n\n", out());
}

TEST_F(LoggerTest, EmptyMessage) {
  logger_.info("");
  EXPECT_EQ("\x1b[32m[INFO] \x1b[0m\n", out());
}

TEST_F(LoggerTest, MessageBytesAreCopiedRaw) {
  const std::string message("\xe6\x97\xa0\x00\x1b\xff", 6);
  logger_.info(message);
  EXPECT_EQ("\x1b[32m[INFO] " + message + kReset + "\n", out());
}

TEST_F(LoggerTest, ColourCanBeSwitchedOffAndOnAgain) {
  logger_.setColorEnabled(false);
  logger_.error("off");
  logger_.setColorEnabled(true);
  logger_.error("on");
  EXPECT_EQ("[ERROR] off\n\x1b[31m[ERROR] on\x1b[0m\n", err());
  EXPECT_EQ(2, errBuffer_.syncCount);
}

TEST_F(LoggerTest, OnlyErrorAndHigherAreFlushed) {
  logger_.setLevel(Debug);
  logger_.debug("d");
  logger_.info("i");
  logger_.warning("w");
  EXPECT_EQ(0, outBuffer_.syncCount);
  EXPECT_EQ(0, errBuffer_.syncCount);
  logger_.error("e");
  EXPECT_EQ(0, outBuffer_.syncCount);
  EXPECT_EQ(1, errBuffer_.syncCount);
}

TEST_F(LoggerTest, SetStreamsRedirectsLaterMessages) {
  std::ostringstream otherOut;
  std::ostringstream otherErr;
  logger_.info("before");
  logger_.setStreams(otherOut, otherErr);
  logger_.info("after");
  logger_.error("error");
  EXPECT_EQ("\x1b[32m[INFO] before\x1b[0m\n", out());
  EXPECT_EQ("\x1b[32m[INFO] after\x1b[0m\n", otherOut.str());
  EXPECT_EQ("\x1b[31m[ERROR] error\x1b[0m\n", otherErr.str());
}

TEST_F(LoggerTest, ConcurrentLinesStayWhole) {
  constexpr int kThreads = 4;
  constexpr int kLines = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([this, t] {
      for (int i = 0; i < kLines; ++i) {
        logger_.info("thread " + std::to_string(t) + " line");
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::istringstream lines(out());
  std::string line;
  int count = 0;
  while (std::getline(lines, line)) {
    ++count;
    ASSERT_EQ(0u, line.rfind("\x1b[32m[INFO] thread ", 0)) << line;
    ASSERT_EQ(std::string(" line") + kReset,
              line.substr(line.size() - 5 - std::string(kReset).size()))
        << line;
  }
  EXPECT_EQ(kThreads * kLines, count);
}

/// The two process-wide loggers, redirected to string streams and restored
/// to their initial state afterwards.
class ProcessLoggerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Logger::instance().setStreams(out_, err_);
    LibraryLogger::instance().setStreams(out_, err_);
  }

  void TearDown() override {
    Logger::instance().setStreams(std::cout, std::cerr);
    Logger::instance().setLevel(Info);
    Logger::instance().setColorEnabled(true);
    LibraryLogger::instance().setStreams(std::cout, std::cerr);
    LibraryLogger::instance().setLevel(Error);
    LibraryLogger::instance().setColorEnabled(true);
  }

  std::string out() const { return outBuffer_.str(); }
  std::string err() const { return errBuffer_.str(); }

  CountingBuffer outBuffer_;
  CountingBuffer errBuffer_;
  std::ostream out_{&outBuffer_};
  std::ostream err_{&errBuffer_};
};

TEST_F(ProcessLoggerTest, InstancesAreProcessWideAndDistinct) {
  EXPECT_EQ(&Logger::instance(), &Logger::instance());
  EXPECT_EQ(&LibraryLogger::instance(), &LibraryLogger::instance());
  EXPECT_NE(static_cast<Logger*>(&LibraryLogger::instance()),
            &Logger::instance());
}

TEST_F(ProcessLoggerTest, InitialLevels) {
  EXPECT_EQ(Info, Logger::instance().level());
  EXPECT_EQ(Error, LibraryLogger::instance().level());
}

struct FreeFunctionCase {
  const char* name;
  void (*function)(std::string_view);
  std::string out;
  std::string err;
  int outFlushes;
  int errFlushes;
};

TEST_F(ProcessLoggerTest, FreeFunctionsWriteAtTheirLevel) {
  const FreeFunctionCase cases[] = {
      {"logDebug", logDebug, "", "", 0, 0},
      {"logInfo", logInfo, "\x1b[32m[INFO] m\x1b[0m\n", "", 0, 0},
      {"logWarning", logWarning, "", "\x1b[33m[WARNING] m\x1b[0m\n", 0, 0},
      {"logError", logError, "", "\x1b[31m[ERROR] m\x1b[0m\n", 0, 1},
  };
  for (const FreeFunctionCase& c : cases) {
    SCOPED_TRACE(c.name);
    CountingBuffer outBuffer;
    CountingBuffer errBuffer;
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);
    Logger::instance().setStreams(out, err);
    c.function("m");
    EXPECT_EQ(c.out, outBuffer.str());
    EXPECT_EQ(c.err, errBuffer.str());
    EXPECT_EQ(c.outFlushes, outBuffer.syncCount);
    EXPECT_EQ(c.errFlushes, errBuffer.syncCount);
  }
}

TEST_F(ProcessLoggerTest, LogErrorWithoutColourStillFlushes) {
  Logger::instance().setColorEnabled(false);
  logError("m");
  EXPECT_EQ("[ERROR] m\n", err());
  EXPECT_EQ(1, errBuffer_.syncCount);
}

TEST_F(ProcessLoggerTest, LogDebugAfterLoweringTheLevel) {
  Logger::instance().setLevel(Debug);
  logDebug("m");
  EXPECT_EQ("\x1b[36m[DEBUG] m\x1b[0m\n", out());
}

TEST_F(ProcessLoggerTest, LibraryDebugInfoAndWarningWriteNothing) {
  libraryDebug("m");
  libraryInfo("m");
  libraryWarning("m");
  EXPECT_EQ("", out());
  EXPECT_EQ("", err());
  EXPECT_EQ(0, errBuffer_.syncCount);
}

TEST_F(ProcessLoggerTest, LibraryErrorWritesRedLineAndFlushes) {
  libraryError("无法打开文件: /missing.log");
  EXPECT_EQ("", out());
  EXPECT_EQ("\x1b[31m[ERROR] 无法打开文件: /missing.log\x1b[0m\n", err());
  EXPECT_EQ(1, errBuffer_.syncCount);
}

TEST_F(ProcessLoggerTest, LibraryFunctionsAfterLoweringTheLevel) {
  LibraryLogger::instance().setLevel(Debug);
  libraryDebug("d");
  libraryInfo("i");
  libraryWarning("w");
  EXPECT_EQ("\x1b[36m[DEBUG] d\x1b[0m\n\x1b[32m[INFO] i\x1b[0m\n", out());
  EXPECT_EQ("\x1b[33m[WARNING] w\x1b[0m\n", err());
}

TEST_F(ProcessLoggerTest, LoggersHaveSeparateSettings) {
  Logger::instance().setColorEnabled(false);
  Logger::instance().setLevel(Warning);
  EXPECT_EQ(Error, LibraryLogger::instance().level());
  libraryError("lib");
  logError("gen");
  EXPECT_EQ("\x1b[31m[ERROR] lib\x1b[0m\n[ERROR] gen\n", err());
}

}  // namespace
}  // namespace quor
