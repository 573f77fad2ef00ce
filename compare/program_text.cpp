#include "compare/program_text.h"

namespace varnel {

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string text;
  text.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const std::size_t number =
        next >= '1' && next <= '9' ? static_cast<std::size_t>(next - '0') : 0;
    if (pattern[i] != '%' || number == 0 || number > values.size()) {
      text += pattern[i];
      continue;
    }
    text += values.begin()[number - 1];
    ++i;
  }
  return text;
}

}  // namespace varnel
