// ConfigGenerator: the JSON document and the output file.
#include <chrono>

#include "catalogue/config_generator.h"
#include "config/json_document.h"
#include "config/output_file.h"

namespace nodara {

std::string ConfigGenerator::generateJson() const {
  return renderConfigDocument(
      viewers, formatTimestamp(std::chrono::system_clock::now()));
}

bool ConfigGenerator::writeConfigFile(const std::string& outputPath) {
  const std::string document = generateJson();
  // When the document goes to standard output, the lines printed so far
  // come first.
  console_.flush();
  switch (OutputFile::write(outputPath, document)) {
    case OutputFile::Result::Written:
      return true;
    case OutputFile::Result::OpenFailed:
      console_.printError("无法打开输出文件: " + outputPath);
      return false;
    case OutputFile::Result::WriteFailed:
      console_.printError("写入输出文件失败: " + outputPath);
      return false;
  }
  return false;
}

}  // namespace nodara
