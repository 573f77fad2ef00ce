#pragma once

#include <string>
#include <string_view>

namespace varnel {

class Platform;

// The form of `path` that the comparer's command line carries (see
// Platform::ShortForm). Only the text before the first NUL counts. "" when
// the path is empty or nothing exists there.
std::string ShortName(const Platform& platform, std::string_view path);

// The folder part of `strFile`, up to and including its last '/'; "" when it
// holds no '/'. Never fails.
std::string JustPath(std::string_view strFile);

}  // namespace varnel
