// Test support: waiting for a program under test to make a file.
#pragma once

#include <string>

namespace varnel {

// Waits up to five seconds for `path` to appear; false when it does not.
bool WaitForFile(const std::string& path);

}  // namespace varnel
