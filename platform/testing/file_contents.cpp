#include "platform/testing/file_contents.h"

#include <fstream>
#include <sstream>

namespace varnel {

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

}  // namespace varnel
