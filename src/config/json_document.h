/// The viewer's JSON document: escaping, timestamp and layout.
#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/records.h"

namespace nodara {

/// Makes `text` safe inside a JSON string literal. Quote, backslash, LF, CR
/// and TAB get their two-character escapes, other control bytes \u00XX;
/// every other byte (UTF-8 included) is copied unchanged.
std::string escapeJson(std::string_view text);

/// UTC time as "YYYY-MM-DDTHH:MM:SS.uuuuuu".
std::string formatTimestamp(std::chrono::system_clock::time_point time);

/// The whole document for `viewers` with the given timestamp text.
std::string renderConfigDocument(const std::vector<ViewerEntry>& viewers,
                                 const std::string& timestamp);

}  // namespace nodara
