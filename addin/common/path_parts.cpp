// Path parts: cut a path at its last separator, or a name at its last dot.
#include "addin/common/path_parts.h"

namespace qm {

std::string PathPart(std::string_view path, bool folderPart, bool folderName, char separator) {
  const auto cut = path.rfind(separator);
  if (path.empty() || cut == std::string_view::npos) return std::string(path);
  if (!folderPart) return std::string(path.substr(cut + 1));
  const std::string_view folder = path.substr(0, cut);
  if (!folderName) return std::string(folder);
  return PathPart(folder, false, false, separator);
}

std::string StripExtension(std::string_view text) {
  const auto dot = text.rfind('.');
  return std::string(dot == std::string_view::npos ? text : text.substr(0, dot));
}

std::string JoinPath(std::string_view folder, std::string_view name, char separator) {
  if (folder.empty()) return std::string(name);
  std::string joined(folder);
  if (joined.back() != separator) joined += separator;
  joined += name;
  return joined;
}

}  // namespace qm
