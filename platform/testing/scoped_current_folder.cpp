#include "platform/testing/scoped_current_folder.h"

#include <filesystem>

namespace varnel {

ScopedCurrentFolder::ScopedCurrentFolder(const std::string& folder)
    : old_(std::filesystem::current_path()) {
  std::filesystem::current_path(folder);
}

ScopedCurrentFolder::~ScopedCurrentFolder() {
  std::error_code ignored;
  std::filesystem::current_path(old_, ignored);
}

}  // namespace varnel
