#include "platform/comparer_location.h"

#include "platform/file_kind.h"

namespace varnel {

std::string FindComparer(const std::string& executableDir) {
  std::string folder = executableDir;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  const std::size_t slash = folder.rfind('/');
  const std::string prefix = slash == std::string::npos ? "." : folder.substr(0, slash);
  // The system's own prefixes count as installations even without a libexec
  // folder, so the window there never runs a stranger's fc.
  const bool installed =
      IsFolder(prefix + "/libexec") || prefix == "" || prefix == "/usr" || prefix == "/usr/local";
  return installed ? prefix + "/libexec/varnel/fc" : folder + "/fc";
}

}  // namespace varnel
