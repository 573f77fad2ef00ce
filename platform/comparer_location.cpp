#include "platform/comparer_location.h"

#include <unistd.h>

#include "platform/processes.h"

namespace varnel {

std::string FindComparer(const std::string& executableDir) {
  const std::string beside = executableDir + "/fc";
  const std::string installed = executableDir + "/../libexec/varnel/fc";
  for (const std::string& candidate : {beside, installed})
    if (IsExecutableFile(candidate)) return candidate;
  // None can be run: name one that is there, so the failure says why.
  for (const std::string& candidate : {beside, installed})
    if (access(candidate.c_str(), F_OK) == 0) return candidate;
  return beside;
}

}  // namespace varnel
