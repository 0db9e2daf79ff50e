/// Writing the output document without losing an existing file.
#pragma once

#include <string>
#include <string_view>

namespace nodara {

/// Writes a whole document to a path. A regular file (or a path that does
/// not exist yet) is replaced through a temporary file in its directory and
/// a rename, so a failure leaves any earlier file as it was; symbolic links
/// are followed to that file and stay links. Anything else (a terminal,
/// /dev/null, a FIFO) is written in place.
class OutputFile {
 public:
  enum class Result {
    Written,
    OpenFailed,   ///< the file could not be created or opened
    WriteFailed,  ///< opened, but writing, closing or renaming failed
  };

  static Result write(const std::string& path, std::string_view content);
};

}  // namespace nodara
