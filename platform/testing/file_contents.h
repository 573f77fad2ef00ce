// Test support: what a file holds, as the programs under test wrote it.
#pragma once

#include <string>
#include <vector>

namespace varnel {

// The whole content of the file at `path`; "" when it cannot be read.
std::string ReadFile(const std::string& path);

// The NUL-terminated fields of the file at `path`, as a recording script
// writes them with printf '%s\0'.
std::vector<std::string> ReadFields(const std::string& path);

}  // namespace varnel
