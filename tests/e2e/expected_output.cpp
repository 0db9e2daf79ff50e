#include "e2e/expected_output.h"

namespace nodara {

std::string usageText(const std::string& program) {
  return "用法: " + program +
         " [选项]\n"
         "\n"
         "选项:\n"
         "  -d <目录>       指定扫描.cub文件的目录 (默认: 当前目录)\n"
         "  -o <输出文件>   指定输出JSON文件名 (默认: nodara-config.json)\n"
         "  -l <log文件>    指定Gaussian log文件 (默认: 自动查找)\n"
         "  -t <阈值>       设置最小系数阈值 (默认: 0.1)\n"
         "  -c1 <颜色>      设置color1 (默认: #0000FF)\n"
         "  -c2 <颜色>      设置color2 (默认: #FF0000)\n"
         "  -h, --help     显示此帮助信息\n"
         "\n"
         "示例:\n"
         "  " +
         program +
         " -d . -o config.json -l molecule.log\n"
         "  " +
         program + " -t 0.15 -l calculation.log\n";
}

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

}  // namespace nodara
