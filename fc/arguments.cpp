#include "fc/arguments.h"

#include <cctype>
#include <string_view>

#include "varnel_version.h"

namespace fc {
namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// An argument is a switch when it starts with '/' and holds no second '/'; that is how a
// file directly in the root folder (`//etc`) stays a file name.
bool IsSwitch(std::string_view arg) {
  return !arg.empty() && arg[0] == '/' && arg.find('/', 1) == std::string_view::npos;
}

// Reads a count: optional leading blanks, an optional '+', then decimal digits, nothing else.
// Returns an empty string and sets *value on success, else the reason for the complaint.
std::string ReadCount(std::string_view text, uint64_t* value) {
  size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  if (at == text.size()) return "a count is needed after it";
  bool negative = text[at] == '-';
  if (text[at] == '+' || negative) ++at;
  size_t digits = at;
  while (digits < text.size() && IsDigit(text[digits])) ++digits;
  std::string_view rest = text.substr(digits);
  if (digits > at && !rest.empty() && (rest[0] == '.' || rest[0] == ',')) {
    size_t end = 1;
    while (end < rest.size() && IsDigit(rest[end])) ++end;
    if (end == rest.size()) return "the count must be a whole number";
  }
  if (digits == at || !rest.empty()) return "the count must be a whole number from 1 up";
  uint64_t n = 0;
  for (size_t k = at; k < digits; ++k) {
    n = n * 10 + static_cast<uint64_t>(text[k] - '0');
    if (n > kCountLimit) n = kCountLimit;  // no file has more lines: same behaviour as larger
  }
  if (negative || n == 0) return "the count must be 1 or more";
  *value = n;
  return "";
}

struct Parser {
  explicit Parser(const std::vector<std::string>& all) : args(all) {}

  const std::vector<std::string>& args;
  size_t next = 0;
  Arguments result;

  bool Refuse(std::string_view shown, std::string_view why) {
    result.action = Action::kRefuse;
    result.complaint = "FC: invalid switch " + std::string(shown) + " - " + std::string(why);
    return false;
  }

  // Takes the count written right after the switch letters, or else the next argument,
  // because the window passes a count field's text as typed ("/LB 7" reaches us as two words).
  bool Count(const std::string& arg, std::string_view attached, uint64_t* value) {
    std::string shown = arg;
    std::string_view text = attached;
    if (attached.empty() && next < args.size() && !IsSwitch(args[next])) {
      text = args[next++];
      shown.append(" ").append(text);
    }
    std::string why = ReadCount(text, value);
    return why.empty() || Refuse(shown, why);
  }

  bool Switch(const std::string& arg) {
    std::string body = Upper(std::string_view(arg).substr(1));
    Options& o = result.options;
    if (body == "?") {
      result.action = Action::kUsage;
      return false;
    }
    if (body == "A") return o.abbreviate = true;
    if (body == "B") return o.binary = true;
    if (body == "C") return o.ignore_case = true;
    if (body == "L") return o.force_text = true;
    if (body == "N") return o.line_numbers = true;
    if (body == "T") return o.keep_tabs = true;
    if (body == "W") return o.compress_white = true;
    if (body.rfind("LB", 0) == 0)
      return Count(arg, std::string_view(arg).substr(3), &o.max_mismatch);
    if (body.empty() || IsDigit(body[0]) || body[0] == '+' || body[0] == '-' || body[0] == ' ' ||
        body[0] == '.' || body[0] == '\t')
      return Count(arg, std::string_view(arg).substr(1), &o.min_match);
    return Refuse(arg, "unknown switch");
  }
};

}  // namespace

Arguments ParseArguments(const std::vector<std::string>& args) {
  Parser p(args);
  std::vector<std::string> files;
  while (p.next < args.size()) {
    const std::string& arg = args[p.next++];
    if (!IsSwitch(arg)) {
      files.push_back(arg);
    } else if (!p.Switch(arg)) {
      return p.result;
    }
  }
  if (files.size() != 2) {
    p.result.action = Action::kRefuse;
    p.result.complaint = "FC: two file names are needed, " + std::to_string(files.size()) +
                         (files.size() == 1 ? " was given" : " were given");
    return p.result;
  }
  p.result.action = Action::kCompare;
  p.result.file1 = files[0];
  p.result.file2 = files[1];
  return p.result;
}

std::string UsageText() {
  return std::string(varnel::kProgramTitle) + " file compare " +
         std::to_string(varnel::kVersionMajor) + "." + std::to_string(varnel::kVersionMinor) + "." +
         std::to_string(varnel::kVersionRevision) +
         "\n"
         "Compares two files and reports the differences.\n"
         "\n"
         "fc [/A] [/B] [/C] [/L] [/N] [/T] [/W] [/LB<count>] [/<count>] file1 file2\n"
         "\n"
         "  /A          show only the first and last line of each side of a block\n"
         "  /B          compare byte by byte (also chosen by .exe .com .sys .obj .lib .bin)\n"
         "  /C          disregard letter case\n"
         "  /L          compare as text, whatever the file name\n"
         "  /N          show line numbers\n"
         "  /T          do not expand tabs (by default to every 8th column)\n"
         "  /W          compress blanks and tabs; ignore them at the start and end of lines\n"
         "  /LB<count>  most consecutive differing lines in a block (default 100)\n"
         "  /<count>    equal lines needed to match again after a difference (default 2)\n"
         "  /?          show this text\n"
         "\n"
         "Text is read byte for byte, unless a file starts with a byte-order mark: that\n"
         "names its encoding (EF BB BF UTF-8; FF FE 00 00 UTF-32LE, 00 00 FE FF UTF-32BE;\n"
         "otherwise FF FE UTF-16LE, FE FF UTF-16BE), and the same text compares equal in\n"
         "any of them. A line ends at LF, with or without a CR before it: a file whose\n"
         "lines end in CR alone is one line.\n"
         "A name directly in the root folder needs a second slash (//etc); an argument with\n"
         "a single leading slash is a switch. Exit status: 0 same, 1 different, 2 trouble.\n";
}

bool NameChoosesBinary(const std::string& name) {
  static const char* const kBinary[] = {".EXE", ".COM", ".SYS", ".OBJ", ".LIB", ".BIN"};
  if (name.size() < 4) return false;
  std::string tail = Upper(std::string_view(name).substr(name.size() - 4));
  for (const char* ext : kBinary)
    if (tail == ext) return true;
  return false;
}

}  // namespace fc
