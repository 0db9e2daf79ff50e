#include "config/cube_kind.h"

#include <string_view>

namespace nodara {
namespace {

enum class Match {
  TypeCode,        // the type code equals the text
  Is,              // the last part equals the text
  BeginsWith,      // the last part is longer and begins with the text
  IsOrBeginsWith,  // either of the two above
};

enum class Title {
  PrefixLast,        // prefix, "_", last part
  PrefixSuffix,      // prefix, suffix
  PrefixSuffixRest,  // prefix, suffix, the last part after the text
};

struct KindRule {
  Match match;
  std::string_view text;
  std::string_view isoValue;
  Title title;
  std::string_view suffix;
};

// Tried in order; the first matching row decides.
constexpr KindRule kKindRules[] = {
    {Match::TypeCode, "esd", "0.001", Title::PrefixLast, ""},
    {Match::TypeCode, "den", "0.001", Title::PrefixLast, ""},
    {Match::TypeCode, "elf", "0.010", Title::PrefixLast, ""},
    {Match::TypeCode, "lol", "0.010", Title::PrefixLast, ""},
    {Match::TypeCode, "rdg", "0.500", Title::PrefixLast, ""},
    {Match::TypeCode, "ele", "0.001", Title::PrefixSuffix, "_空穴电子分析"},
    {Match::TypeCode, "ole", "0.001", Title::PrefixSuffix, "_空穴电子分析"},
    {Match::TypeCode, "ehe", "0.001", Title::PrefixSuffix, "_空穴电子分析"},
    {Match::TypeCode, "orb", "0.025", Title::PrefixSuffix, ""},
    {Match::Is, "oH", "0.025", Title::PrefixSuffix, "_HOMO"},
    {Match::BeginsWith, "oH", "0.025", Title::PrefixSuffixRest, "_HOMO-"},
    {Match::Is, "oL", "0.025", Title::PrefixSuffix, "_LUMO"},
    {Match::BeginsWith, "oL", "0.025", Title::PrefixSuffixRest, "_LUMO+"},
    {Match::Is, "f+", "0.002", Title::PrefixSuffix, "_Electrophilic"},
    {Match::BeginsWith, "f+", "0.002", Title::PrefixSuffix,
     "_OW_Electrophilic"},
    {Match::IsOrBeginsWith, "Of+", "0.002", Title::PrefixSuffix,
     "_OW_Electrophilic"},
    {Match::Is, "f-", "0.002", Title::PrefixSuffix, "_Nucleophilic"},
    {Match::BeginsWith, "f-", "0.002", Title::PrefixSuffix, "_OW_Nucleophilic"},
    {Match::IsOrBeginsWith, "Of-", "0.002", Title::PrefixSuffix,
     "_OW_Nucleophilic"},
    {Match::TypeCode, "f+D", "0.002", Title::PrefixSuffix, "_Dual_Descriptor"},
    {Match::Is, "DD", "0.002", Title::PrefixSuffix, "_Dual_Descriptor"},
    {Match::Is, "ODD", "0.002", Title::PrefixSuffix, "_OW_Dual_Descriptor"},
};

constexpr std::string_view kDefaultIsoValue = "0.025";
constexpr std::string_view kSurfaceTitle = "等值面";

bool matches(const KindRule& rule, const CubeFileInfo& info) {
  const std::string_view last = info.parts.back();
  const bool longer = last.size() > rule.text.size() &&
                      last.substr(0, rule.text.size()) == rule.text;
  switch (rule.match) {
    case Match::TypeCode:
      return info.typeCode == rule.text;
    case Match::Is:
      return last == rule.text;
    case Match::BeginsWith:
      return longer;
    case Match::IsOrBeginsWith:
      return last == rule.text || longer;
  }
  return false;
}

std::string titleOf(const KindRule& rule, const std::string& prefix,
                    const std::string& last) {
  switch (rule.title) {
    case Title::PrefixLast:
      return prefix + "_" + last;
    case Title::PrefixSuffix:
      return prefix + std::string(rule.suffix);
    case Title::PrefixSuffixRest:
      return prefix + std::string(rule.suffix) + last.substr(rule.text.size());
  }
  return prefix;
}

}  // namespace

CubeDescription describeCubeFile(const CubeFileInfo& info) {
  const std::size_t n = info.parts.size();
  if (n == 0) {
    return {std::string(kDefaultIsoValue), std::string(kSurfaceTitle)};
  }
  const std::string& last = info.parts.back();
  const std::string prefix = n >= 2 ? info.parts[n - 2] : std::string();
  for (const KindRule& rule : kKindRules) {
    if (matches(rule, info)) {
      return {std::string(rule.isoValue), titleOf(rule, prefix, last)};
    }
  }
  const std::string& base = n == 1 ? last : prefix;
  return {std::string(kDefaultIsoValue), base + std::string(kSurfaceTitle)};
}

}  // namespace nodara
