// ConfigGenerator: discovery of the cube files and parsing of their names.
#include "catalogue/config_generator.h"

#include <filesystem>
#include <new>
#include <string_view>
#include <system_error>

#include "catalogue/catalogue_order.h"

namespace nodara {
namespace fs = std::filesystem;
namespace {

/// The extension as the scan reads it: from the last '.' to the end; a
/// name that begins with '.' and holds no other '.' has none.
std::string_view extensionOf(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return {};
  return name.substr(dot);
}

/// A link whose target is missing or that loops leads to no file; such an
/// entry is passed over like any other entry that is not a regular file.
bool isBrokenLink(const std::error_code& error) {
  return error == std::errc::no_such_file_or_directory ||
         error == std::errc::not_a_directory ||
         error == std::errc::too_many_symbolic_link_levels;
}

std::string describe(const char* operation, const fs::path& path,
                     const std::error_code& error) {
  return fs::filesystem_error(operation, path, error).what();
}

/// Appends a record per regular ".cub" file of `directory` to `found`, in
/// listing order. Returns the description of the error that stopped the
/// listing, or an empty text.
std::string listCubeFiles(const std::string& directory,
                          std::vector<CubeFileInfo>& found) {
  try {
    std::error_code error;
    fs::directory_iterator it(directory, error);
    if (error) {
      return describe("directory iterator cannot open directory", directory,
                      error);
    }
    for (; it != fs::directory_iterator(); it.increment(error)) {
      if (error) {
        return describe("directory iterator cannot advance", directory, error);
      }
      const fs::file_status status = it->status(error);
      if (error && !isBrokenLink(error)) {
        return describe("cannot get file status", it->path(), error);
      }
      error.clear();
      const std::string name = it->path().filename().string();
      if (fs::is_regular_file(status) && extensionOf(name) == ".cub") {
        found.push_back(ConfigGenerator::parseCubeFileName(name));
      }
    }
    if (error) {
      return describe("directory iterator cannot advance", directory, error);
    }
  } catch (const std::exception& e) {
    return e.what();
  }
  return "";
}

}  // namespace

bool ConfigGenerator::scanDirectory(const std::string& directory) {
  cubeFiles.clear();
  viewers.clear();
  pairs.clear();
  const std::string failure = listCubeFiles(directory, cubeFiles);
  if (!failure.empty()) {
    console_.printError("扫描目录失败: " + failure);
    return false;
  }
  if (cubeFiles.empty()) {
    console_.printError("未找到任何.cub文件");
    return false;
  }
  console_.printLine("找到 " + std::to_string(cubeFiles.size()) +
                     " 个.cub文件");
  console_.flush();
  sortCatalogue(cubeFiles);
  pairHoleElectronFiles();
  return true;
}

CubeFileInfo ConfigGenerator::parseCubeFileName(const std::string& fileName) {
  CubeFileInfo info;
  info.fileName = fileName;
  std::string_view base = fileName;
  constexpr std::string_view kExtension = ".cub";
  if (base.size() > kExtension.size() &&
      base.substr(base.size() - kExtension.size()) == kExtension) {
    base.remove_suffix(kExtension.size());
  }
  std::size_t start = 0;
  while (start <= base.size()) {
    std::size_t end = base.find('_', start);
    if (end == std::string_view::npos) end = base.size();
    if (end > start) info.parts.emplace_back(base.substr(start, end - start));
    start = end + 1;
  }
  if (!info.parts.empty()) {
    const std::string& last = info.parts.back();
    info.typeCode = last.size() < 3 ? last : last.substr(last.size() - 3);
  }
  return info;
}

}  // namespace nodara
