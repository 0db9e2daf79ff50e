#include "strict_json.h"

#include <cstdint>

namespace nodara::fuzz {
namespace {

constexpr int kMaxDepth = 32;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void appendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

/// Recursive-descent reader over one document.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool document(JsonValue& value) {
    if (!parseValue(value, 0)) return false;
    skipSpace();
    return pos_ == text_.size();
  }

 private:
  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return atEnd() ? '\0' : text_[pos_]; }

  void skipSpace() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' ||
                        peek() == '\r')) {
      ++pos_;
    }
  }

  bool consume(char c) {
    if (atEnd() || text_[pos_] != c) return false;
    ++pos_;
    return true;
  }

  bool parseValue(JsonValue& value, int depth) {
    if (depth > kMaxDepth) return false;
    skipSpace();
    switch (peek()) {
      case '{':
        return parseObject(value, depth);
      case '[':
        return parseArray(value, depth);
      case '"':
        value.kind = JsonValue::Kind::String;
        return parseString(value.text);
      default:
        break;
    }
    if (peek() == '-' || isDigit(peek())) return parseNumber(value);
    return parseLiteral(value);
  }

  bool parseObject(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::Object;
    ++pos_;
    skipSpace();
    if (consume('}')) return true;
    do {
      skipSpace();
      std::string key;
      if (peek() != '"' || !parseString(key)) return false;
      skipSpace();
      if (!consume(':')) return false;
      value.keys.push_back(std::move(key));
      value.items.emplace_back();
      if (!parseValue(value.items.back(), depth + 1)) return false;
      skipSpace();
    } while (consume(','));
    return consume('}');
  }

  bool parseArray(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::Array;
    ++pos_;
    skipSpace();
    if (consume(']')) return true;
    do {
      value.items.emplace_back();
      if (!parseValue(value.items.back(), depth + 1)) return false;
      skipSpace();
    } while (consume(','));
    return consume(']');
  }

  bool parseString(std::string& out) {
    ++pos_;
    while (!atEnd()) {
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
      } else if (!parseEscape(out)) {
        return false;
      }
    }
    return false;
  }

  bool parseEscape(std::string& out) {
    if (atEnd()) return false;
    const char c = text_[pos_++];
    switch (c) {
      case '"':
      case '\\':
      case '/':
        out += c;
        return true;
      case 'b':
        out += '\b';
        return true;
      case 'f':
        out += '\f';
        return true;
      case 'n':
        out += '\n';
        return true;
      case 'r':
        out += '\r';
        return true;
      case 't':
        out += '\t';
        return true;
      case 'u':
        return parseUnicodeEscape(out);
      default:
        return false;
    }
  }

  bool parseUnicodeEscape(std::string& out) {
    if (text_.size() - pos_ < 4) return false;
    std::uint32_t code = 0;
    for (int i = 0; i < 4; ++i) {
      const int digit = hexValue(text_[pos_++]);
      if (digit < 0) return false;
      code = code * 16 + static_cast<std::uint32_t>(digit);
    }
    appendUtf8(out, code);
    return true;
  }

  bool digits() {
    const std::size_t start = pos_;
    while (isDigit(peek())) ++pos_;
    return pos_ > start;
  }

  bool parseNumber(JsonValue& value) {
    const std::size_t start = pos_;
    consume('-');
    if (!consume('0') && !(isDigit(peek()) && digits())) return false;
    if (consume('.') && !digits()) return false;
    if (consume('e') || consume('E')) {
      if (!consume('+')) consume('-');
      if (!digits()) return false;
    }
    value.kind = JsonValue::Kind::Number;
    value.text = std::string(text_.substr(start, pos_ - start));
    return true;
  }

  bool parseLiteral(JsonValue& value) {
    for (const std::string_view word : {"true", "false", "null"}) {
      if (text_.substr(pos_, word.size()) == word) {
        pos_ += word.size();
        value.kind = JsonValue::Kind::Literal;
        value.text = std::string(word);
        return true;
      }
    }
    return false;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view key) const {
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == key) return &items[i];
  }
  return nullptr;
}

std::optional<JsonValue> parseStrictJson(std::string_view document) {
  JsonValue value;
  if (!Reader(document).document(value)) return std::nullopt;
  return value;
}

}  // namespace nodara::fuzz
