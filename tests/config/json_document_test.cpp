#include "config/json_document.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace nodara {
namespace {

struct EscapeCase {
  std::string input;
  std::string expected;
};

const EscapeCase kEscapeCases[] = {
    {"", ""},
    {"plain text", "plain text"},
    {"\"", "\\\""},
    {"\\", "\\\\"},
    {"\n", "\\n"},
    {"\r", "\\r"},
    {"\t", "\\t"},
    {"a\"b\\c\td\re\nf", "a\\\"b\\\\c\\td\\re\\nf"},
    {"\\n", "\\\\n"},
    {"/", "/"},
    {"'", "'"},
    // Other control bytes: \u00XX with lower-case hex digits.
    {std::string(1, '\0'), "\\u0000"},
    {"\x01", "\\u0001"},
    {"\x07", "\\u0007"},
    {"\x08", "\\u0008"},
    {"\x0b", "\\u000b"},
    {"\x0c", "\\u000c"},
    {"\x0e", "\\u000e"},
    {"\x10", "\\u0010"},
    {"\x1a", "\\u001a"},
    {"\x1b", "\\u001b"},
    {"\x1f", "\\u001f"},
    {std::string("a\0b", 3), "a\\u0000b"},
    {"\x01\x02", "\\u0001\\u0002"},
    // 0x20 and above stay raw, DEL and every byte from 0x80 included.
    {" ", " "},
    {"~", "~"},
    {"\x7f", "\x7f"},
    {"\x80", "\x80"},
    {"\xff", "\xff"},
    {"\xc3", "\xc3"},
    {"空穴电子分析", "空穴电子分析"},
    {"λ = 350.12 nm\nf = 0.1234", "λ = 350.12 nm\\nf = 0.1234"},
};

TEST(EscapeJsonTest, Table) {
  for (const EscapeCase& c : kEscapeCases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(c.expected, escapeJson(c.input));
  }
}

TEST(EscapeJsonTest, EveryByte) {
  for (int byte = 0; byte < 256; ++byte) {
    SCOPED_TRACE(byte);
    const std::string input(1, static_cast<char>(byte));
    std::string expected;
    switch (byte) {
      case '"':
        expected = "\\\"";
        break;
      case '\\':
        expected = "\\\\";
        break;
      case '\n':
        expected = "\\n";
        break;
      case '\r':
        expected = "\\r";
        break;
      case '\t':
        expected = "\\t";
        break;
      default:
        if (byte < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", byte);
          expected = buffer;
        } else {
          expected = input;
        }
    }
    EXPECT_EQ(expected, escapeJson(input));
  }
}

std::chrono::system_clock::time_point timePoint(std::int64_t seconds,
                                                std::int64_t nanoseconds) {
  return std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(
          std::chrono::seconds(seconds) +
          std::chrono::nanoseconds(nanoseconds)));
}

struct TimestampCase {
  std::int64_t seconds;
  std::int64_t nanoseconds;
  std::string expected;
};

const TimestampCase kTimestampCases[] = {
    {0, 0, "1970-01-01T00:00:00.000000"},
    {0, 1000, "1970-01-01T00:00:00.000001"},
    {0, 999, "1970-01-01T00:00:00.000000"},
    {951868799, 999999999, "2000-02-29T23:59:59.999999"},
    {1234567890, 5000, "2009-02-13T23:31:30.000005"},
    {1234567890, 120000, "2009-02-13T23:31:30.000120"},
    {1700000000, 123456789, "2023-11-14T22:13:20.123456"},
    {2147483648, 0, "2038-01-19T03:14:08.000000"},
    {4102444800, 1000, "2100-01-01T00:00:00.000001"},
};

TEST(FormatTimestampTest, FixedTimePoints) {
  for (const TimestampCase& c : kTimestampCases) {
    SCOPED_TRACE(c.expected);
    const std::string text =
        formatTimestamp(timePoint(c.seconds, c.nanoseconds));
    EXPECT_EQ(c.expected, text);
    EXPECT_EQ(26u, text.size());
  }
}

/// Sets the TZ variable for one test and restores it afterwards.
class TimeZoneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* previous = std::getenv("TZ");
    if (previous != nullptr) previous_ = previous;
    setenv("TZ", "XYZ-8", 1);
    tzset();
  }
  void TearDown() override {
    if (previous_) {
      setenv("TZ", previous_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

  std::optional<std::string> previous_;
};

TEST_F(TimeZoneTest, TimestampIsUtcWhateverTheLocalZone) {
  EXPECT_EQ("2023-11-14T22:13:20.123456",
            formatTimestamp(timePoint(1700000000, 123456789)));
  EXPECT_EQ("1970-01-01T00:00:00.000000", formatTimestamp(timePoint(0, 0)));
}

const char kEmptyDocument[] =
    "{\n"
    "  \"version\": \"1.0\",\n"
    "  \"timestamp\": \"2023-11-14T22:13:20.123456\",\n"
    "  \"viewers\": [\n"
    "\n"
    "  ]\n"
    "}\n";

TEST(RenderConfigDocumentTest, EmptyList) {
  EXPECT_EQ(kEmptyDocument,
            renderConfigDocument({}, "2023-11-14T22:13:20.123456"));
}

ViewerEntry pairEntry() {
  return ViewerEntry{0,
                     "S1_空穴电子分析",
                     "#0000FF",
                     "#FF0000",
                     "0.001",
                     true,
                     "a_S1_hole.cub",
                     "a_S1_ele.cub",
                     "λ = 350.12 nm\nf = 0.1234\nTransOrbit:\n45->47=0.70123"};
}

ViewerEntry singleEntry() {
  return ViewerEntry{1,     "mol_HOMO",   "#0000FF", "#FF0000", "0.025",
                     false, "mol_oH.cub", "",        ""};
}

const char kPairBlock[] =
    "    {\n"
    "      \"id\": 0,\n"
    "      \"title\": \"S1_空穴电子分析\",\n"
    "      \"color1\": \"#0000FF\",\n"
    "      \"color2\": \"#FF0000\",\n"
    "      \"isoValue\": \"0.001\",\n"
    "      \"showPositive\": true,\n"
    "      \"fileName1\": \"a_S1_hole.cub\",\n"
    "      \"fileName2\": \"a_S1_ele.cub\",\n"
    "      \"notes\": {\n"
    "        \"notes\": \"λ = 350.12 nm\\nf = 0.1234\\nTransOrbit:\\n"
    "45->47=0.70123\"\n"
    "      }\n"
    "    }";

const char kSingleBlock[] =
    "    {\n"
    "      \"id\": 1,\n"
    "      \"title\": \"mol_HOMO\",\n"
    "      \"color1\": \"#0000FF\",\n"
    "      \"color2\": \"#FF0000\",\n"
    "      \"isoValue\": \"0.025\",\n"
    "      \"showPositive\": false,\n"
    "      \"fileName1\": \"mol_oH.cub\",\n"
    "      \"fileName2\": \"\",\n"
    "      \"notes\": {\n"
    "        \"notes\": \"\"\n"
    "      }\n"
    "    }";

const std::string kHead =
    "{\n"
    "  \"version\": \"1.0\",\n"
    "  \"timestamp\": \"T\",\n"
    "  \"viewers\": [\n";
const std::string kTail = "\n  ]\n}\n";

TEST(RenderConfigDocumentTest, OneEntry) {
  EXPECT_EQ(kHead + kPairBlock + kTail,
            renderConfigDocument({pairEntry()}, "T"));
}

TEST(RenderConfigDocumentTest, TwoEntries) {
  EXPECT_EQ(kHead + kPairBlock + ",\n" + kSingleBlock + kTail,
            renderConfigDocument({pairEntry(), singleEntry()}, "T"));
}

TEST(RenderConfigDocumentTest, ThreeEntriesHaveTwoSeparators) {
  const std::string document =
      renderConfigDocument({singleEntry(), singleEntry(), singleEntry()}, "T");
  EXPECT_EQ(kHead + kSingleBlock + ",\n" + kSingleBlock + ",\n" + kSingleBlock +
                kTail,
            document);
}

TEST(RenderConfigDocumentTest, IdsAreWrittenAsPlainNumbers) {
  ViewerEntry entry = singleEntry();
  for (const std::int32_t id : {0, 42, -7, INT32_MAX, INT32_MIN}) {
    entry.id = id;
    const std::string document = renderConfigDocument({entry}, "T");
    EXPECT_NE(std::string::npos,
              document.find("      \"id\": " + std::to_string(id) + ",\n"))
        << id;
  }
}

TEST(RenderConfigDocumentTest, EveryStringFieldIsEscaped) {
  ViewerEntry entry{3,    "t\"1", "c\\1", "c\n2", "0.0\x01",
                    true, "f\t1", "f\r2", "n\x1f"};
  const std::string document = renderConfigDocument({entry}, "T");
  const std::string block =
      "    {\n"
      "      \"id\": 3,\n"
      "      \"title\": \"t\\\"1\",\n"
      "      \"color1\": \"c\\\\1\",\n"
      "      \"color2\": \"c\\n2\",\n"
      "      \"isoValue\": \"0.0\\u0001\",\n"
      "      \"showPositive\": true,\n"
      "      \"fileName1\": \"f\\t1\",\n"
      "      \"fileName2\": \"f\\r2\",\n"
      "      \"notes\": {\n"
      "        \"notes\": \"n\\u001f\"\n"
      "      }\n"
      "    }";
  EXPECT_EQ(kHead + block + kTail, document);
}

TEST(RenderConfigDocumentTest, TimestampIsWrittenAsGiven) {
  EXPECT_NE(std::string::npos,
            renderConfigDocument({}, "1970-01-01T00:00:00.000000")
                .find("  \"timestamp\": \"1970-01-01T00:00:00.000000\",\n"));
}

}  // namespace
}  // namespace nodara
