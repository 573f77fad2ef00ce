#include "platform/shell_word.h"

namespace varnel {

namespace {

// Characters that mean nothing to the shell anywhere in a word. '=' is left
// out: a bare word like "A=b" in command position would be an assignment.
bool IsLiteral(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.' || c == '/' || c == '+' || c == '-' || c == ',' || c == ':' || c == '@' ||
         c == '%';
}

}  // namespace

std::string ShellWord(std::string_view word) {
  bool bare = !word.empty();
  for (char c : word) bare = bare && IsLiteral(c);
  if (bare) return std::string(word);

  // Inside single quotes every byte is literal except the closing quote, so a
  // quote in the word ends the quoted part, stands escaped, and reopens it.
  std::string quoted = "'";
  for (char c : word) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  quoted += '\'';
  return quoted;
}

}  // namespace varnel
