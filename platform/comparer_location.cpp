#include "platform/comparer_location.h"

#include "platform/processes.h"

namespace varnel {

std::string FindComparer(const std::string& executableDir) {
  const std::string beside = executableDir + "/fc";
  if (IsExecutableFile(beside)) return beside;
  const std::string installed = executableDir + "/../libexec/varnel/fc";
  if (IsExecutableFile(installed)) return installed;
  return beside;
}

}  // namespace varnel
