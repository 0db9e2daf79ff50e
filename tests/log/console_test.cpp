#include "log/console.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

#include "support/counting_buffer.h"

namespace nodara {
namespace {

/// A console on two counting string streams.
class ConsoleTest : public ::testing::Test {
 protected:
  CapturedStreams streams_;
  Console console_{streams_.outStream, streams_.errStream};
};

TEST_F(ConsoleTest, DefaultStreamsAreStandardOutputAndError) {
  Console console;
  EXPECT_EQ(&std::cout, &console.out());
}

TEST_F(ConsoleTest, PrintLineWritesLineAndNewlineWithoutFlushing) {
  console_.printLine("找到 3 个.cub文件");
  console_.printLine("");
  EXPECT_EQ("找到 3 个.cub文件\n\n", streams_.out());
  EXPECT_EQ("", streams_.err());
  EXPECT_EQ(0, streams_.outBuffer.syncCount);
}

TEST_F(ConsoleTest, FlushFlushesTheProgressStream) {
  console_.flush();
  EXPECT_EQ(1, streams_.outBuffer.syncCount);
  EXPECT_EQ(0, streams_.errBuffer.syncCount);
}

TEST_F(ConsoleTest, PrintErrorWritesLineToFailureStreamAndFlushes) {
  console_.printError("未找到任何.cub文件");
  EXPECT_EQ("", streams_.out());
  EXPECT_EQ("未找到任何.cub文件\n", streams_.err());
  EXPECT_EQ(1, streams_.errBuffer.syncCount);
  EXPECT_EQ(0, streams_.outBuffer.syncCount);
}

TEST_F(ConsoleTest, LinesAreWrittenUnchanged) {
  console_.printLine(std::string("a\0b\nc", 5));
  EXPECT_EQ(std::string("a\0b\nc\n", 6), streams_.out());
}

TEST_F(ConsoleTest, OutReturnsTheProgressStream) {
  console_.out() << "text";
  EXPECT_EQ("text", streams_.out());
  EXPECT_EQ("", streams_.err());
}

TEST_F(ConsoleTest, CopiesShareTheStreams) {
  Console copy = console_;
  copy.printLine("one");
  copy.printError("two");
  EXPECT_EQ("one\n", streams_.out());
  EXPECT_EQ("two\n", streams_.err());
}

}  // namespace
}  // namespace nodara
