#pragma once

#include <string>

namespace varnel {

// The comparer `fc` for the window program whose executable lies in
// `executableDir`. An installed window is in the bin folder of a prefix that
// has a libexec folder, and its comparer is <prefix>/libexec/varnel/fc, even
// when that is missing or broken (the failure to run it then shows, with its
// reason, when a comparison is tried): the bin folder is shared, and some
// systems ship an fc of their own there. Anywhere else, as in a build tree,
// the comparer is the fc beside the executable.
std::string FindComparer(const std::string& executableDir);

// The folder of the program's translations for the window whose executable
// lies in `executableDir`: <prefix>/share/varnel/translations for a window
// installed as FindComparer tells it, else the folder "translations" beside
// the executable, where the build puts them.
std::string FindTranslations(const std::string& executableDir);

}  // namespace varnel
