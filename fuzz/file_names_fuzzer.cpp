/// libFuzzer harness: the input is a set of file names separated by '/' or
/// NUL (bytes no file name holds). Catalogues the ".cub" names, orders and
/// pairs them, builds the viewer entries and checks that the document is
/// strict JSON that gives back every name, colour, title and note.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue_order.h"
#include "catalogue/config_generator.h"
#include "config/json_document.h"
#include "log/console.h"
#include "strict_json.h"

namespace nodara::fuzz {
namespace {

void check(bool ok, const char* property) {
  if (ok) return;
  std::fprintf(stderr, "property violated: %s\n", property);
  __builtin_trap();
}

bool endsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         text.substr(text.size() - end.size()) == end;
}

/// The pieces of the input between separators, empty ones included.
std::vector<std::string> splitPieces(std::string_view input) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= input.size(); ++i) {
    if (i == input.size() || input[i] == '/' || input[i] == '\0') {
      pieces.emplace_back(input.substr(start, i - start));
      start = i + 1;
    }
  }
  return pieces;
}

/// Names the scan would catalogue: the extension (from the last '.', not
/// counting a leading one) is ".cub".
std::set<std::string> cubeNames(const std::vector<std::string>& pieces) {
  std::set<std::string> names;
  for (const std::string& piece : pieces) {
    if (piece.size() > 4 && endsWith(piece, ".cub")) names.insert(piece);
  }
  return names;
}

void checkParsedName(const CubeFileInfo& info, const std::string& name) {
  check(info.fileName == name, "parseCubeFileName keeps the name");
  const std::string_view base =
      std::string_view(name).substr(0, name.size() - 4);
  std::vector<std::string> parts;
  std::string part;
  for (const char c : std::string(base) + "_") {
    if (c != '_') {
      part += c;
    } else if (!part.empty()) {
      parts.push_back(part);
      part.clear();
    }
  }
  check(info.parts == parts, "parts are the non-empty '_' pieces");
  const std::string last = parts.empty() ? "" : parts.back();
  check(info.typeCode == last.substr(last.size() < 3 ? 0 : last.size() - 3),
        "typeCode is the last three bytes");
}

/// The orbital key by the standard int conversion of the number after
/// "oH"/"oL"; absent when it does not convert or leaves 32 bits.
std::optional<std::int32_t> expectedKey(const CubeFileInfo& info) {
  if (info.parts.empty()) return std::nullopt;
  const std::string& last = info.parts.back();
  const bool homo = last.rfind("oH", 0) == 0;
  if (!homo && last.rfind("oL", 0) != 0) return std::nullopt;
  if (last.size() == 2) return homo ? 0 : 1;
  std::int64_t number;
  try {
    number = std::stoi(last.substr(2));
  } catch (const std::logic_error&) {
    return std::nullopt;
  }
  const std::int64_t key = homo ? -number : number + 1;
  if (key < std::numeric_limits<std::int32_t>::min() ||
      key > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(key);
}

std::vector<CubeFileInfo> catalogue(const std::set<std::string>& names) {
  std::vector<CubeFileInfo> files;
  for (const std::string& name : names) {
    files.push_back(ConfigGenerator::parseCubeFileName(name));
    checkParsedName(files.back(), name);
    check(orbitalSortKey(files.back()) == expectedKey(files.back()),
          "orbitalSortKey");
  }
  sortCatalogue(files);
  check(files.size() == names.size(), "sort keeps every file");
  for (std::size_t i = 1; i < files.size(); ++i) {
    check(catalogueLess(files[i - 1], files[i]), "catalogue order");
    check(!catalogueLess(files[i], files[i - 1]), "catalogue order strict");
  }
  return files;
}

/// Per state label, the last hole and electron file in catalogue order.
void checkPairs(const ConfigGenerator& generator) {
  std::map<std::string, std::pair<std::string, std::string>> byLabel;
  for (const CubeFileInfo& info : generator.cubeFiles) {
    std::string label;
    std::string kind;
    if (!ConfigGenerator::classifyHoleElectron(info, label, kind)) continue;
    (kind == "ole" ? byLabel[label].first : byLabel[label].second) =
        info.fileName;
  }
  std::size_t next = 0;
  for (const auto& [label, files] : byLabel) {
    if (files.first.empty() || files.second.empty()) continue;
    check(next < generator.pairs.size(), "a pair is missing");
    const CubePair& pair = generator.pairs[next++];
    check(pair.stateLabel == label && pair.holeFile == files.first &&
              pair.electronFile == files.second,
          "pair of a state label");
  }
  check(next == generator.pairs.size(), "no extra pair");
}

/// Fills the two note tables from input bytes so that notes carry them.
void fillNoteTables(ConfigGenerator& generator,
                    const std::vector<std::string>& pieces,
                    std::string_view input) {
  if (pieces.size() > 4) {
    generator.excitedStates["S1"] = {pieces[2], pieces[3], pieces[4]};
  }
  if (input.size() < 12) return;
  std::int32_t index;
  double energy;
  std::memcpy(&index, input.data(), sizeof index);
  std::memcpy(&energy, input.data() + 4, sizeof energy);
  // Neighbouring numbers wrap around at the ends of the 32-bit range.
  const auto offset = [index](std::uint32_t by) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(index) + by);
  };
  generator.orbitalEnergies["h-1"] = {offset(0xFFFFFFFFu), energy * 1.5};
  generator.orbitalEnergies["h"] = {index, energy};
  generator.orbitalEnergies["l"] = {offset(1), -energy};
  generator.orbitalEnergies["l+1"] = {std::numeric_limits<int32_t>::min(),
                                      energy * 1e300};
}

const char* const kEntryKeys[] = {
    "id",           "title",     "color1",    "color2", "isoValue",
    "showPositive", "fileName1", "fileName2", "notes",
};

bool isKnownIsoValue(const std::string& iso) {
  return iso == "0.001" || iso == "0.002" || iso == "0.010" || iso == "0.025" ||
         iso == "0.500";
}

const std::string& stringMember(const JsonValue& object, const char* key) {
  const JsonValue* value = object.member(key);
  check(value != nullptr && value->kind == JsonValue::Kind::String,
        "string member present");
  return value->text;
}

void checkEntry(const JsonValue& json, const ViewerEntry& entry,
                std::size_t id) {
  check(json.kind == JsonValue::Kind::Object, "entry is an object");
  check(json.keys == std::vector<std::string>(std::begin(kEntryKeys),
                                              std::end(kEntryKeys)),
        "entry keys in order");
  check(json.items[0].kind == JsonValue::Kind::Number &&
            json.items[0].text == std::to_string(id),
        "ids run 0..n-1");
  check(stringMember(json, "title") == entry.title, "title round-trips");
  check(stringMember(json, "color1") == entry.color1, "color1 round-trips");
  check(stringMember(json, "color2") == entry.color2, "color2 round-trips");
  check(isKnownIsoValue(stringMember(json, "isoValue")), "isoValue");
  check(json.items[5].text == "true", "showPositive true");
  check(stringMember(json, "fileName1") == entry.fileName1,
        "fileName1 round-trips");
  check(stringMember(json, "fileName2") == entry.fileName2,
        "fileName2 round-trips");
  const JsonValue& notes = json.items[8];
  check(notes.kind == JsonValue::Kind::Object &&
            notes.keys == std::vector<std::string>{"notes"},
        "notes object");
  check(stringMember(notes, "notes") == entry.notes, "notes round-trip");
}

bool isTimestamp(const std::string& text) {
  const std::string shape = "dddd-dd-ddTdd:dd:dd.dddddd";
  if (text.size() != shape.size()) return false;
  for (std::size_t i = 0; i < shape.size(); ++i) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (shape[i] == 'd' ? !digit : text[i] != shape[i]) return false;
  }
  return true;
}

/// Each catalogued name stands exactly once in fileName1 or fileName2.
void checkNamesCovered(const JsonValue& viewers,
                       const std::set<std::string>& names) {
  std::multiset<std::string> seen;
  for (const JsonValue& entry : viewers.items) {
    seen.insert(stringMember(entry, "fileName1"));
    const std::string& second = stringMember(entry, "fileName2");
    if (!second.empty()) seen.insert(second);
  }
  check(seen.size() == names.size(), "one file name per catalogued file");
  for (const std::string& name : names) {
    check(seen.count(name) == 1, "each name exactly once");
  }
}

void checkDocument(const ConfigGenerator& generator,
                   const std::set<std::string>& names) {
  const std::string document = generator.generateJson();
  const std::optional<JsonValue> json = parseStrictJson(document);
  check(json.has_value(), "the document is strict JSON");
  check(json->kind == JsonValue::Kind::Object &&
            json->keys ==
                std::vector<std::string>{"version", "timestamp", "viewers"},
        "top-level keys");
  check(stringMember(*json, "version") == "1.0", "version");
  const std::string& timestamp = stringMember(*json, "timestamp");
  check(isTimestamp(timestamp), "timestamp shape");
  check(document == renderConfigDocument(generator.viewers, timestamp),
        "generateJson renders the viewers");
  const JsonValue& viewers = json->items[2];
  check(viewers.kind == JsonValue::Kind::Array &&
            viewers.items.size() == generator.viewers.size(),
        "one element per viewer entry");
  for (std::size_t i = 0; i < viewers.items.size(); ++i) {
    checkEntry(viewers.items[i], generator.viewers[i], i);
  }
  checkNamesCovered(viewers, names);
}

/// escapeJson alone: any bytes, NUL included, decode back unchanged.
void checkEscape(std::string_view text) {
  const std::optional<JsonValue> json =
      parseStrictJson("\"" + escapeJson(text) + "\"");
  check(json.has_value() && json->text == text, "escapeJson round-trips");
}

void runFileNames(std::string_view input) {
  checkEscape(input);
  const std::vector<std::string> pieces = splitPieces(input);
  const std::set<std::string> names = cubeNames(pieces);
  std::ostringstream out;
  std::ostringstream err;
  ConfigGenerator generator{Console(out, err)};
  if (!pieces.empty()) generator.color1 = pieces[0];
  if (pieces.size() > 1) generator.color2 = pieces[1];
  fillNoteTables(generator, pieces, input);
  generator.cubeFiles = catalogue(names);
  generator.pairHoleElectronFiles();
  checkPairs(generator);
  generator.buildViewerEntries();
  check(generator.viewers.size() == names.size() - generator.pairs.size(),
        "one entry per pair and per single file");
  checkDocument(generator, names);
}

}  // namespace
}  // namespace nodara::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  nodara::fuzz::runFileNames(
      std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
