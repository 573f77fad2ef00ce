#include "compare/path_helpers.h"

#include "compare/platform.h"

namespace varnel {

std::string ShortName(const Platform& platform, std::string_view path) {
  // A name handed over in a fixed-size buffer carries a NUL and padding behind it.
  const std::string_view name = path.substr(0, path.find('\0'));
  if (name.empty()) return "";
  return platform.ShortForm(std::string(name));
}

std::string JustPath(std::string_view strFile) {
  // Only '/' separates here; '\' and ':' are ordinary characters in names.
  const std::size_t slash = strFile.rfind('/');
  if (slash == std::string_view::npos) return "";
  return std::string(strFile.substr(0, slash + 1));
}

}  // namespace varnel
