#include "log/console.h"

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

namespace nodara {
namespace {

/// A string buffer that counts how often it was flushed.
class CountingBuffer : public std::stringbuf {
 public:
  int syncCount = 0;

 protected:
  int sync() override {
    ++syncCount;
    return std::stringbuf::sync();
  }
};

TEST(ConsoleTest, DefaultStreamsAreStandardOutputAndError) {
  Console console;
  EXPECT_EQ(&std::cout, &console.out());
}

TEST(ConsoleTest, PrintLineWritesLineAndNewlineWithoutFlushing) {
  CountingBuffer outBuffer;
  CountingBuffer errBuffer;
  std::ostream out(&outBuffer);
  std::ostream err(&errBuffer);
  Console console(out, err);
  console.printLine("找到 3 个.cub文件");
  console.printLine("");
  EXPECT_EQ("找到 3 个.cub文件\n\n", outBuffer.str());
  EXPECT_EQ("", errBuffer.str());
  EXPECT_EQ(0, outBuffer.syncCount);
}

TEST(ConsoleTest, FlushFlushesTheProgressStream) {
  CountingBuffer outBuffer;
  CountingBuffer errBuffer;
  std::ostream out(&outBuffer);
  std::ostream err(&errBuffer);
  Console console(out, err);
  console.flush();
  EXPECT_EQ(1, outBuffer.syncCount);
  EXPECT_EQ(0, errBuffer.syncCount);
}

TEST(ConsoleTest, PrintErrorWritesLineToFailureStreamAndFlushes) {
  CountingBuffer outBuffer;
  CountingBuffer errBuffer;
  std::ostream out(&outBuffer);
  std::ostream err(&errBuffer);
  Console console(out, err);
  console.printError("未找到任何.cub文件");
  EXPECT_EQ("", outBuffer.str());
  EXPECT_EQ("未找到任何.cub文件\n", errBuffer.str());
  EXPECT_EQ(1, errBuffer.syncCount);
  EXPECT_EQ(0, outBuffer.syncCount);
}

TEST(ConsoleTest, LinesAreWrittenUnchanged) {
  std::ostringstream out;
  std::ostringstream err;
  Console console(out, err);
  console.printLine(std::string("a\0b\nc", 5));
  EXPECT_EQ(std::string("a\0b\nc\n", 6), out.str());
}

TEST(ConsoleTest, OutReturnsTheProgressStream) {
  std::ostringstream out;
  std::ostringstream err;
  Console console(out, err);
  console.out() << "text";
  EXPECT_EQ("text", out.str());
  EXPECT_EQ("", err.str());
}

TEST(ConsoleTest, CopiesShareTheStreams) {
  std::ostringstream out;
  std::ostringstream err;
  Console console(out, err);
  Console copy = console;
  copy.printLine("one");
  copy.printError("two");
  EXPECT_EQ("one\n", out.str());
  EXPECT_EQ("two\n", err.str());
}

}  // namespace
}  // namespace nodara
