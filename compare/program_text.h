// The program's own fixed texts: those the user reads are written in English
// here and shown in the user's language (Platform::Translated).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Marks a fixed text, with the context it is translated in, for the
// translators' tools, which read it from the source; the text stays as
// written. Qt defines the macro the same way, where its headers are included.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace varnel {

// `pattern` with each "%1" to "%9" replaced by the value of that number, in
// one pass: a value that holds "%2" itself stays as it is. A number that has
// no value, and any other '%', stays as written.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace varnel
