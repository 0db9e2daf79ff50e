#include "e2e/expected_output.h"

namespace nodara {
namespace {

/// JSON string contents of `text`; enough for the texts of these tests.
std::string quoted(const std::string& text) {
  std::string escaped;
  for (const char byte : text) {
    switch (byte) {
      case '"':
        escaped += "\\\"";
        break;
      case '\\':
        escaped += "\\\\";
        break;
      case '\n':
        escaped += "\\n";
        break;
      default:
        escaped += byte;
    }
  }
  return "\"" + escaped + "\"";
}

/// One key of an entry, with the value as written.
std::string field(const std::string& key, const std::string& value) {
  return "      \"" + key + "\": " + value + ",\n";
}

std::string entryBlock(const DocumentEntry& entry, std::size_t id) {
  return "    {\n" + field("id", std::to_string(id)) +
         field("title", quoted(entry.title)) + field("color1", "\"#0000FF\"") +
         field("color2", "\"#FF0000\"") +
         field("isoValue", quoted(entry.isoValue)) +
         field("showPositive", "true") +
         field("fileName1", quoted(entry.fileName1)) +
         field("fileName2", quoted(entry.fileName2)) +
         "      \"notes\": {\n        \"notes\": " + quoted(entry.notes) +
         "\n      }\n    }";
}

}  // namespace

std::string scanStart(const EchoedSettings& settings) {
  const std::string rule(40, '=');
  std::string text = rule + "\n     Nodara config generator\n" + rule +
                     "\n\n配置参数:\n  扫描目录: " + settings.scanDirectory +
                     "\n  输出文件: " + settings.outputFile + "\n";
  if (!settings.logFile.empty()) {
    text += "  Log文件: " + settings.logFile + "\n";
  }
  return text + "  系数阈值: " + settings.threshold +
         "\n  Color1: " + settings.color1 + "\n  Color2: " + settings.color2 +
         "\n\n>>> Scanning .cub files...\n";
}

std::string generationStart(const EchoedSettings& settings, int found,
                            const std::string& pairLines) {
  return scanStart(settings) + "找到 " + std::to_string(found) +
         " 个.cub文件\n" + pairLines + "\n>>> Generating config file...\n";
}

std::string generationEnd(const std::string& outputFile, int entries) {
  return "配置文件已生成: " + outputFile + "\n共 " + std::to_string(entries) +
         " 个配置项\n\nConfig file generated successfully!\n";
}

std::string pairLine(const std::string& stateLabel, const std::string& holeFile,
                     const std::string& electronFile) {
  return "识别到配对: " + stateLabel + " -> " + holeFile + " + " +
         electronFile + "\n";
}

std::string excitedStateImportStart(const std::string& logFile) {
  return "从log文件提取激发态数据: " + logFile + "\n";
}

std::string logImportLines(const std::string& logFile, int states,
                           int orbitals) {
  return excitedStateImportStart(logFile) + "成功提取 " +
         std::to_string(states) +
         " 个激发态数据\n从log文件提取轨道能量: " + logFile + "\n成功提取 " +
         std::to_string(orbitals) + " 个轨道能量\n";
}

std::string libraryError(const std::string& message) {
  return "\x1b[31m[ERROR] " + message + "\x1b[0m\n";
}

std::string stateNotes(const std::string& wavelength,
                       const std::string& oscillatorStrength,
                       const std::vector<std::string>& transitions) {
  std::string notes = "λ = " + wavelength + " nm\nf = " + oscillatorStrength +
                      "\nTransOrbit:\n";
  for (std::size_t i = 0; i < transitions.size(); ++i) {
    notes += (i == 0 ? "" : "\n") + transitions[i];
  }
  return notes;
}

std::string expectedDocument(const std::vector<DocumentEntry>& entries,
                             const std::string& timestampMask) {
  std::string document = "{\n  \"version\": \"1.0\",\n  \"timestamp\": \"" +
                         timestampMask + "\",\n  \"viewers\": [\n";
  for (std::size_t id = 0; id < entries.size(); ++id) {
    document += (id == 0 ? "" : ",\n") + entryBlock(entries[id], id);
  }
  return document + "\n  ]\n}\n";
}

}  // namespace nodara
