#include "platform/test_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

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

ScopedEnvironment::ScopedEnvironment(const char* name, const std::optional<std::string>& value)
    : name_(name) {
  if (const char* old = std::getenv(name)) old_ = old;
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
}

ScopedEnvironment::~ScopedEnvironment() {
  if (old_) {
    setenv(name_.c_str(), old_->c_str(), 1);
  } else {
    unsetenv(name_.c_str());
  }
}

ScopedCurrentFolder::ScopedCurrentFolder(const std::string& folder)
    : old_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
  std::error_code ignored;
  std::filesystem::current_path(old_, ignored);
}

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

std::vector<std::string> ReadFields(const std::string& path) {
  const std::string content = ReadFile(path);
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t end; (end = content.find('\0', start)) != std::string::npos; start = end + 1) {
    fields.push_back(content.substr(start, end - start));
  }
  return fields;
}

bool WaitForFile(const std::string& path) {
  using namespace std::chrono_literals;
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  while (access(path.c_str(), F_OK) != 0) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

}  // namespace varnel
