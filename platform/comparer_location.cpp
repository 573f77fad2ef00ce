#include "platform/comparer_location.h"

#include "platform/file_kind.h"

namespace varnel {

namespace {

// The folder of the executable in `executableDir`, without a trailing '/'.
std::string Folder(const std::string& executableDir) {
  std::string folder = executableDir;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// The prefix of an installed window in `folder`, or "" and false for one in
// a build tree. The system's own prefixes count as installations even
// without a libexec folder, so the window there never runs a stranger's fc.
bool InstalledPrefix(const std::string& folder, std::string* prefix) {
  const std::size_t slash = folder.rfind('/');
  *prefix = slash == std::string::npos ? "." : folder.substr(0, slash);
  return IsFolder(*prefix + "/libexec") || *prefix == "" || *prefix == "/usr" ||
         *prefix == "/usr/local";
}

}  // namespace

std::string FindComparer(const std::string& executableDir) {
  const std::string folder = Folder(executableDir);
  std::string prefix;
  return InstalledPrefix(folder, &prefix) ? prefix + "/libexec/varnel/fc" : folder + "/fc";
}

std::string FindTranslations(const std::string& executableDir) {
  const std::string folder = Folder(executableDir);
  std::string prefix;
  return InstalledPrefix(folder, &prefix) ? prefix + "/share/varnel/translations"
                                          : folder + "/translations";
}

}  // namespace varnel
