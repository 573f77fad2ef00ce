// Test support: an environment variable set for one test.
#pragma once

#include <optional>
#include <string>

namespace varnel {

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

}  // namespace varnel
