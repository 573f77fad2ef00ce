#include "platform/testing/wait_for_file.h"

#include <unistd.h>

#include <chrono>
#include <thread>

namespace varnel {

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
