// The check every written document goes through: it accepts a document of
// the tool and rejects the faults a broken writer could make.
#include <gtest/gtest.h>

#include <string>

#include "e2e/document_check.h"
#include "e2e/e2e_fixture.h"

namespace nodara {
namespace {

class DocumentCheckE2eTest : public E2eFixture {
 protected:
  /// golden/single_lumo.json with a real timestamp.
  static std::string validDocument() {
    std::string document = golden("single_lumo.json");
    const std::string mask = kTimestampMask;
    document.replace(document.find(mask), mask.size(),
                     "2024-02-29T23:59:59.000001");
    return document;
  }
};

std::string replaced(std::string text, const std::string& from,
                     const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST_F(DocumentCheckE2eTest, AcceptsAWrittenDocument) {
  EXPECT_TRUE(isValidDocument(validDocument()));
  EXPECT_TRUE(isValidDocument(
      replaced(validDocument(), "mol_oL.cub", "tab\\t\\u0001\\\"_oL.cub")));
}

TEST_F(DocumentCheckE2eTest, RejectsBrokenDocuments) {
  struct Case {
    std::string name;
    std::string from;
    std::string to;
  };
  const Case cases[] = {
      {"raw control byte", "mol_oL.cub", "mol\t_oL.cub"},
      {"unescaped quote", "mol_oL.cub", "mo\"l_oL.cub"},
      {"trailing comma", "\"notes\": \"\"", "\"notes\": \"\","},
      {"repeated key", "\"id\": 0,", "\"id\": 0,\n      \"id\": 1,"},
      {"byte-order mark", "{\n  \"version\"", "\xef\xbb\xbf{\n  \"version\""},
      {"invalid UTF-8", "mol_LUMO", "mol_\xff"},
      {"quoted id", "\"id\": 0", "\"id\": \"0\""},
      {"negative id", "\"id\": 0", "\"id\": -1"},
      {"quoted boolean", "true", "\"true\""},
      {"unknown iso value", "\"0.025\"", "\"0.3\""},
      {"iso value as number", "\"0.025\"", "0.025"},
      {"local time zone", ".000001\"", ".000001+08:00\""},
      {"path in a file name", "mol_oL.cub", "dir/mol_oL.cub"},
      {"not a cube file", "mol_oL.cub", "mol_oL.json"},
      {"notes as text", "{\n        \"notes\": \"\"\n      }", "\"\""},
      {"unknown key", "\"showPositive\"", "\"extra\": 1,\n \"showPositive\""},
      {"missing key", "      \"fileName2\": \"\",\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(isValidDocument(replaced(validDocument(), c.from, c.to)));
  }
}

}  // namespace
}  // namespace nodara
