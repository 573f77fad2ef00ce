#include "platform/testing/test_folder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace varnel {

TestFolder::TestFolder() {
  char pattern[] = "/tmp/varnel-test-XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  path_ = pattern;
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string TestFolder::Write(const std::string& name, const std::string& content,
                              mode_t mode) const {
  const std::string full = path_ + "/" + name;
  std::ofstream(full, std::ios::binary) << content;
  chmod(full.c_str(), mode);
  return full;
}

}  // namespace varnel
