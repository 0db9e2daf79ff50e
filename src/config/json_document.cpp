#include "config/json_document.h"

#include <cstdint>
#include <cstdio>
#include <ctime>

namespace nodara {
namespace {

/// The two-character escape of `c`, or empty when it has none.
std::string_view shortEscape(char c) {
  switch (c) {
    case '"':
      return "\\\"";
    case '\\':
      return "\\\\";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    default:
      return {};
  }
}

bool needsEscape(char c) {
  return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20;
}

/// Appends `text` escaped; runs of plain bytes are copied whole.
void appendEscaped(std::string& out, std::string_view text) {
  constexpr char kHexDigits[] = "0123456789abcdef";
  std::size_t plainStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (!needsEscape(c)) continue;
    out.append(text, plainStart, i - plainStart);
    plainStart = i + 1;
    const std::string_view escape = shortEscape(c);
    if (!escape.empty()) {
      out += escape;
    } else {
      const auto byte = static_cast<unsigned char>(c);
      out += "\\u00";
      out += kHexDigits[byte >> 4];
      out += kHexDigits[byte & 0x0F];
    }
  }
  out.append(text, plainStart, std::string_view::npos);
}

void appendStringField(std::string& out, std::string_view key,
                       std::string_view value, std::string_view end) {
  out += "      \"";
  out += key;
  out += "\": \"";
  appendEscaped(out, value);
  out += '"';
  out += end;
}

void appendEntry(std::string& out, const ViewerEntry& entry) {
  out += "    {\n";
  out += "      \"id\": " + std::to_string(entry.id) + ",\n";
  appendStringField(out, "title", entry.title, ",\n");
  appendStringField(out, "color1", entry.color1, ",\n");
  appendStringField(out, "color2", entry.color2, ",\n");
  appendStringField(out, "isoValue", entry.isoValue, ",\n");
  out += "      \"showPositive\": ";
  out += entry.showPositive ? "true" : "false";
  out += ",\n";
  appendStringField(out, "fileName1", entry.fileName1, ",\n");
  appendStringField(out, "fileName2", entry.fileName2, ",\n");
  out += "      \"notes\": {\n";
  out += "        \"notes\": \"";
  appendEscaped(out, entry.notes);
  out += "\"\n";
  out += "      }\n";
  out += "    }";
}

}  // namespace

std::string escapeJson(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  appendEscaped(out, text);
  return out;
}

std::string formatTimestamp(std::chrono::system_clock::time_point time) {
  const std::int64_t nanoseconds =
      std::chrono::duration_cast<std::chrono::nanoseconds>(
          time.time_since_epoch())
          .count();
  const std::time_t seconds =
      static_cast<std::time_t>(nanoseconds / 1000000000);
  const std::int64_t microseconds = (nanoseconds / 1000) % 1000000;
  std::tm calendar{};
  gmtime_r(&seconds, &calendar);
  char buffer[64];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%S", &calendar);
  char fraction[16];
  std::snprintf(fraction, sizeof fraction, ".%06d",
                static_cast<int>(microseconds));
  return std::string(buffer) + fraction;
}

std::string renderConfigDocument(const std::vector<ViewerEntry>& viewers,
                                 const std::string& timestamp) {
  constexpr std::size_t kTypicalEntrySize = 320;
  std::string out;
  out.reserve(256 + viewers.size() * kTypicalEntrySize);
  out += "{\n";
  out += "  \"version\": \"1.0\",\n";
  out += "  \"timestamp\": \"" + timestamp + "\",\n";
  out += "  \"viewers\": [\n";
  for (std::size_t i = 0; i < viewers.size(); ++i) {
    if (i != 0) out += ",\n";
    appendEntry(out, viewers[i]);
  }
  out += "\n  ]\n";
  out += "}\n";
  return out;
}

}  // namespace nodara
