/// Reads a JSON text byte by byte, for documents whose strings hold bytes
/// that are not UTF-8 (file names are written as they are on disk).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nodara {

/// One JSON value; strings are byte strings.
struct ByteJsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };

  Kind kind = Kind::Null;
  /// The bytes of a string (escapes resolved), or the literal of a number
  /// or a boolean.
  std::string text;
  /// The items of an array, or the values of an object.
  std::vector<ByteJsonValue> items;
  /// The keys of an object, in document order, one per item.
  std::vector<std::string> keys;

  /// The value of `key` in an object; nullptr when there is none.
  const ByteJsonValue* member(const std::string& key) const;
};

/// Reads `document` as exactly one JSON value with the grammar of RFC 8259
/// applied to bytes: between the quotes of a string any byte from 0x20 up
/// may stand raw except the quote and the backslash, so bytes that are no
/// UTF-8 pass, raw control bytes do not. \u escapes give the UTF-8 bytes
/// of their code point. An object must not repeat a key. Returns nothing
/// and sets `error` (the offset and the fault) when the document does not
/// conform.
std::optional<ByteJsonValue> readByteJson(std::string_view document,
                                          std::string& error);

}  // namespace nodara
