#pragma once

#include <string>
#include <string_view>

namespace varnel {

// `word` written so that /bin/sh reads it back as exactly that one word and
// never expands or runs any part of it: bare when every character is one the
// shell takes literally, otherwise in single quotes. Never fails.
std::string ShellWord(std::string_view word);

}  // namespace varnel
