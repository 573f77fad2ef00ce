#pragma once

#include <string>

namespace varnel {

// The comparer `fc` for the window program whose executable lies in
// `executableDir`: beside it in a build tree, else in ../libexec/varnel/ of an
// installed copy. When neither is an executable file, the first of the two
// that exists, else the name beside it, so that the failure to run it shows up,
// with its reason, when a comparison is tried.
std::string FindComparer(const std::string& executableDir);

}  // namespace varnel
