// What kind of thing a path names, as the file system tells it.
#pragma once

#include <string>

namespace varnel {

// True when `path` names a folder, or a link to one; false when nothing is
// there or it cannot be looked at.
bool IsFolder(const std::string& path);

// True when `path` names a regular file that this program may execute.
bool IsExecutableFile(const std::string& path);

}  // namespace varnel
