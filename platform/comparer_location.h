#pragma once

#include <string>

namespace varnel {

// The comparer `fc` for the window program whose executable lies in
// `executableDir`: beside it in a build tree, else in ../libexec/varnel/ of an
// installed copy. When neither is an executable file, the name beside it, so
// that the failure to run it shows up when a comparison is tried.
std::string FindComparer(const std::string& executableDir);

}  // namespace varnel
