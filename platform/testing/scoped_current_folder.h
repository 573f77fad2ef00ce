// Test support: the current folder changed for one test.
#pragma once

#include <string>

namespace varnel {

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

}  // namespace varnel
