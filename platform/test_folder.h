#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace varnel {

// A fresh folder under /tmp for one test, removed with everything in it when
// the object goes. Aborts the test program when no folder can be made.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& path() const { return path_; }
  // Writes `content` to `name` inside the folder and returns the full name.
  std::string Write(const std::string& name, const std::string& content, mode_t mode = 0644) const;

 private:
  std::string path_;
};

// Sets (or, with nullopt, unsets) an environment variable until it goes.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::optional<std::string>& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

// Makes `folder` the current folder until it goes.
class ScopedCurrentFolder {
 public:
  explicit ScopedCurrentFolder(const std::string& folder);
  ~ScopedCurrentFolder();
  ScopedCurrentFolder(const ScopedCurrentFolder&) = delete;
  ScopedCurrentFolder& operator=(const ScopedCurrentFolder&) = delete;

 private:
  std::string old_;
};

// The whole content of the file at `path`; "" when it cannot be read.
std::string ReadFile(const std::string& path);

// The NUL-terminated fields of the file at `path`, as a recording script
// writes them with printf '%s\0'.
std::vector<std::string> ReadFields(const std::string& path);

// Waits up to five seconds for `path` to appear; false when it does not.
bool WaitForFile(const std::string& path);

}  // namespace varnel
