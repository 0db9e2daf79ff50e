#include "support/expected_usage.h"

namespace nodara {

std::string expectedUsage(const std::string& program) {
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

}  // namespace nodara
