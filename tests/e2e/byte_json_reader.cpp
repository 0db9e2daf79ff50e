#include "e2e/byte_json_reader.h"

#include <algorithm>
#include <cstdint>

namespace nodara {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void appendUtf8(std::string& out, std::uint32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

/// A recursive-descent reader over the bytes of one document. Every
/// operation returns false after recording the first fault.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool document(ByteJsonValue& value) {
    skipSpace();
    if (!readValue(value)) return false;
    skipSpace();
    return pos_ == text_.size() || fail("content after the value");
  }

  std::string error() const { return error_; }

 private:
  bool fail(const std::string& what) {
    if (error_.empty()) error_ = "offset " + std::to_string(pos_) + ": " + what;
    return false;
  }
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }
  bool take(char c) {
    if (atEnd() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }
  void skipSpace() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' ||
                        peek() == '\r')) {
      ++pos_;
    }
  }

  bool readValue(ByteJsonValue& value) {
    switch (peek()) {
      case '{':
        return readObject(value);
      case '[':
        return readArray(value);
      case '"':
        value.kind = ByteJsonValue::Kind::String;
        return readString(value.text);
      case 't':
        return readLiteral("true", ByteJsonValue::Kind::Boolean, value);
      case 'f':
        return readLiteral("false", ByteJsonValue::Kind::Boolean, value);
      case 'n':
        return readLiteral("null", ByteJsonValue::Kind::Null, value);
      default:
        return readNumber(value);
    }
  }

  bool readLiteral(std::string_view word, ByteJsonValue::Kind kind,
                   ByteJsonValue& value) {
    if (text_.substr(pos_, word.size()) != word) return fail("bad literal");
    pos_ += word.size();
    value.kind = kind;
    value.text = std::string(word);
    return true;
  }

  bool digits() {
    const std::size_t start = pos_;
    while (isDigit(peek())) ++pos_;
    return pos_ > start;
  }

  /// -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
  bool readNumber(ByteJsonValue& value) {
    const std::size_t start = pos_;
    take('-');
    if (!take('0') && !digits()) return fail("bad number");
    if (take('.') && !digits()) return fail("bad fraction");
    if (take('e') || take('E')) {
      if (!take('+')) take('-');
      if (!digits()) return fail("bad exponent");
    }
    value.kind = ByteJsonValue::Kind::Number;
    value.text = std::string(text_.substr(start, pos_ - start));
    return true;
  }

  bool readHex4(std::uint32_t& unit) {
    unit = 0;
    for (int i = 0; i < 4; ++i, ++pos_) {
      const char c = peek();
      unit <<= 4;
      if (isDigit(c)) {
        unit |= static_cast<std::uint32_t>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        unit |= static_cast<std::uint32_t>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        unit |= static_cast<std::uint32_t>(c - 'A' + 10);
      } else {
        return fail("bad \\u escape");
      }
    }
    return true;
  }

  /// The code point of a \u escape whose "\u" is already read; a high
  /// surrogate must be followed by the escape of a low one.
  bool readUnicodeEscape(std::uint32_t& codePoint) {
    if (!readHex4(codePoint)) return false;
    if (codePoint >= 0xDC00 && codePoint <= 0xDFFF) {
      return fail("lone low surrogate");
    }
    if (codePoint < 0xD800 || codePoint > 0xDBFF) return true;
    std::uint32_t low = 0;
    if (!take('\\') || !take('u') || !readHex4(low) || low < 0xDC00 ||
        low > 0xDFFF) {
      return fail("lone high surrogate");
    }
    codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (low - 0xDC00);
    return true;
  }

  bool readEscape(std::string& out) {
    if (atEnd()) return fail("unterminated string");
    const char c = text_[pos_++];
    const std::string_view plain = "\"\\/bfnrt";
    const std::string_view meaning = "\"\\/\b\f\n\r\t";
    const std::size_t at = plain.find(c);
    if (at != std::string_view::npos) {
      out += meaning[at];
      return true;
    }
    std::uint32_t codePoint = 0;
    if (c != 'u') return fail("bad escape");
    if (!readUnicodeEscape(codePoint)) return false;
    appendUtf8(out, codePoint);
    return true;
  }

  bool readString(std::string& out) {
    ++pos_;  // the opening quote
    out.clear();
    while (!take('"')) {
      if (atEnd()) return fail("unterminated string");
      const auto byte = static_cast<unsigned char>(peek());
      if (byte < 0x20) return fail("raw control byte in a string");
      ++pos_;
      if (byte == '\\') {
        if (!readEscape(out)) return false;
      } else {
        out += static_cast<char>(byte);
      }
    }
    return true;
  }

  bool readArray(ByteJsonValue& value) {
    ++pos_;
    value.kind = ByteJsonValue::Kind::Array;
    skipSpace();
    if (take(']')) return true;
    do {
      skipSpace();
      value.items.emplace_back();
      if (!readValue(value.items.back())) return false;
      skipSpace();
    } while (take(','));
    return take(']') || fail("expected ',' or ']'");
  }

  bool readMember(ByteJsonValue& value) {
    skipSpace();
    std::string key;
    if (peek() != '"') return fail("expected a key");
    if (!readString(key)) return false;
    if (std::find(value.keys.begin(), value.keys.end(), key) !=
        value.keys.end()) {
      return fail("repeated key");
    }
    skipSpace();
    if (!take(':')) return fail("expected ':'");
    skipSpace();
    value.keys.push_back(key);
    value.items.emplace_back();
    if (!readValue(value.items.back())) return false;
    skipSpace();
    return true;
  }

  bool readObject(ByteJsonValue& value) {
    ++pos_;
    value.kind = ByteJsonValue::Kind::Object;
    skipSpace();
    if (take('}')) return true;
    do {
      if (!readMember(value)) return false;
    } while (take(','));
    return take('}') || fail("expected ',' or '}'");
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::string error_;
};

}  // namespace

const ByteJsonValue* ByteJsonValue::member(const std::string& key) const {
  if (kind != Kind::Object) return nullptr;
  const auto found = std::find(keys.begin(), keys.end(), key);
  if (found == keys.end()) return nullptr;
  return &items[static_cast<std::size_t>(found - keys.begin())];
}

std::optional<ByteJsonValue> readByteJson(std::string_view document,
                                          std::string& error) {
  Reader reader(document);
  ByteJsonValue value;
  if (!reader.document(value)) {
    error = reader.error();
    return std::nullopt;
  }
  return value;
}

}  // namespace nodara
