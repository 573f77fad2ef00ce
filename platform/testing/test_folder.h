// Test support: a scratch folder for one test.
#pragma once

#include <sys/types.h>

#include <string>

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

}  // namespace varnel
