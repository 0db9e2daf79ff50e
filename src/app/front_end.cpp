#include "app/front_end.h"

#include <locale>
#include <ostream>
#include <sstream>

#include "catalogue/config_generator.h"

namespace nodara {
namespace {

std::string formatThreshold(double threshold) {
  std::ostringstream text;
  text.imbue(std::locale::classic());
  text << threshold;
  return text.str();
}

bool runGenerator(const RunSettings& settings, Console& console) {
  ConfigGenerator generator(console);
  generator.logFile = settings.logFile;
  generator.threshold = settings.threshold;
  generator.color1 = settings.color1;
  generator.color2 = settings.color2;
  console.printLine(">>> Scanning .cub files...");
  if (!generator.scanDirectory(settings.scanDirectory)) {
    console.printError("Scanning failed!");
    return false;
  }
  console.printLine("");
  console.flush();
  console.printLine(">>> Generating config file...");
  if (!generator.generateConfig(settings.outputFile)) {
    console.printError("Failed to generate config file!");
    return false;
  }
  console.printLine("");
  console.flush();
  console.printLine("Config file generated successfully!");
  return true;
}

}  // namespace

void printUsage(std::ostream& out, const std::string& programName) {
  out << "用法: " << programName << " [选项]\n"
      << "\n"
      << "选项:\n"
      << "  -d <目录>       指定扫描.cub文件的目录 (默认: 当前目录)\n"
      << "  -o <输出文件>   指定输出JSON文件名 (默认: nodara-config.json)\n"
      << "  -l <log文件>    指定Gaussian log文件 (默认: 自动查找)\n"
      << "  -t <阈值>       设置最小系数阈值 (默认: 0.1)\n"
      << "  -c1 <颜色>      设置color1 (默认: #0000FF)\n"
      << "  -c2 <颜色>      设置color2 (默认: #FF0000)\n"
      << "  -h, --help     显示此帮助信息\n"
      << "\n"
      << "示例:\n"
      << "  " << programName << " -d . -o config.json -l molecule.log\n"
      << "  " << programName << " -t 0.15 -l calculation.log\n";
}

void printBanner(std::ostream& out, const RunSettings& settings) {
  const std::string rule(40, '=');
  out << rule << "\n"
      << "     Nodara config generator\n"
      << rule << "\n"
      << "\n"
      << "配置参数:\n"
      << "  扫描目录: " << settings.scanDirectory << "\n"
      << "  输出文件: " << settings.outputFile << "\n";
  if (!settings.logFile.empty()) {
    out << "  Log文件: " << settings.logFile << "\n";
  }
  out << "  系数阈值: " << formatThreshold(settings.threshold) << "\n"
      << "  Color1: " << settings.color1 << "\n"
      << "  Color2: " << settings.color2 << "\n"
      << "\n";
  out.flush();
}

bool runFrontEnd(const std::vector<std::string>& argv, Console& console) {
  const std::string programName = argv.empty() ? "" : argv.front();
  const std::vector<std::string> words(
      argv.empty() ? argv.end() : argv.begin() + 1, argv.end());
  const CommandLine commandLine = parseCommandLine(words);
  switch (commandLine.action) {
    case CommandLine::Action::ShowHelp:
      printUsage(console.out(), programName);
      return true;
    case CommandLine::Action::UnknownOption:
      console.printError("未知选项: " + commandLine.offendingWord);
      printUsage(console.out(), programName);
      return false;
    case CommandLine::Action::InvalidThreshold:
      console.printError("无效的阈值: " + commandLine.offendingWord);
      return false;
    case CommandLine::Action::Run:
      break;
  }
  printBanner(console.out(), commandLine.settings);
  return runGenerator(commandLine.settings, console);
}

}  // namespace nodara
