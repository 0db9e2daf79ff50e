/// A small strict JSON reader for checking the documents the tool writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nodara::fuzz {

/// One JSON value. Strings are held decoded (escapes turned back into
/// bytes, \u escapes as UTF-8); numbers and literals as their text.
struct JsonValue {
  enum class Kind { Object, Array, String, Number, Literal };
  Kind kind = Kind::Literal;
  std::string text;
  std::vector<JsonValue> items;   ///< array elements or object values
  std::vector<std::string> keys;  ///< object keys, in document order

  /// The value under `key` of an object, or nullptr.
  const JsonValue* member(std::string_view key) const;
};

/// Parses `document` by the JSON grammar, byte by byte: no raw byte below
/// 0x20 and only the standard escapes inside strings; raw bytes of 0x80
/// and above are taken as they are. Nothing may follow the value but
/// white space. Returns nothing when the document is not strict JSON.
std::optional<JsonValue> parseStrictJson(std::string_view document);

}  // namespace nodara::fuzz
