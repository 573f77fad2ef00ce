// The few ICU calls of the comparer, made through ICU loaded when the first of them comes: only
// folding case (/C) and decoding UTF-16 text that is not ASCII need it, and most comparisons
// never call it. Loading ICU, and the shared C++ library that it brings, at every start took
// some 2.5 ms, a fifth of the time of comparing two identical files of 40 MB. Linked into the
// comparer only: its tests and fuzz targets call ICU itself.
#include <dlfcn.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>
#include <unicode/uvernum.h>
#include <unistd.h>

#include <cstring>

namespace {

// The name that a call to ICU's `function` links to: ICU's headers add its version to each.
#define FC_LINK_NAME(function) FC_QUOTE(function)
#define FC_QUOTE(name) #name

// ICU's function `name`, of type F. A comparer whose ICU cannot be loaded is a broken install,
// as one that the system's loader could not start would be: it says so and ends with status 2.
template <typename F>
F* Find(const char* name) {
  static void* library = dlopen("libicuuc.so." U_ICU_VERSION_SHORT, RTLD_NOW | RTLD_LOCAL);
  void* found = library != nullptr ? dlsym(library, name) : nullptr;
  if (found == nullptr) {
    const char* why = dlerror();
    for (const char* part : {"FC: cannot load ICU - ", why != nullptr ? why : name, "\n"}) {
      ssize_t ignored = write(STDERR_FILENO, part, std::strlen(part));
      (void)ignored;
    }
    _exit(2);
  }
  return reinterpret_cast<F*>(found);
}

}  // namespace

extern "C" {

UChar32 u_foldCase(UChar32 c, uint32_t options) {
  static auto* const call = Find<decltype(u_foldCase)>(FC_LINK_NAME(u_foldCase));
  return call(c, options);
}

const char* u_errorName(UErrorCode code) {
  static auto* const call = Find<decltype(u_errorName)>(FC_LINK_NAME(u_errorName));
  return call(code);
}

UConverter* ucnv_open(const char* name, UErrorCode* status) {
  static auto* const call = Find<decltype(ucnv_open)>(FC_LINK_NAME(ucnv_open));
  return call(name, status);
}

void ucnv_close(UConverter* converter) {
  if (converter == nullptr) return;  // as ICU's own does, without loading it for nothing
  static auto* const call = Find<decltype(ucnv_close)>(FC_LINK_NAME(ucnv_close));
  call(converter);
}

void ucnv_convertEx(UConverter* target_converter, UConverter* source_converter, char** target,
                    const char* target_limit, const char** source, const char* source_limit,
                    UChar* pivot_start, UChar** pivot_source, UChar** pivot_target,
                    const UChar* pivot_limit, UBool reset, UBool flush, UErrorCode* status) {
  static auto* const call = Find<decltype(ucnv_convertEx)>(FC_LINK_NAME(ucnv_convertEx));
  call(target_converter, source_converter, target, target_limit, source, source_limit,
       pivot_start, pivot_source, pivot_target, pivot_limit, reset, flush, status);
}

}  // extern "C"
