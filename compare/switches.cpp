#include "compare/switches.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <optional>
#include <string>

#include "compare/platform.h"

namespace varnel {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool Ticked(std::int16_t state) {
  return state != 0;
}

// A count field's text read in plain decimal notation: blanks, an optional
// sign, digits with at most one decimal separator, blanks. Exponents, digit
// grouping, currency signs and "inf"/"nan" are not numbers here, so nothing
// odd can slip onto the command line.
struct PlainNumber {
  bool negative = false;
  bool whole = true;   // no decimal separator
  std::string number;  // the same number in the notation std::from_chars reads
};

std::optional<PlainNumber> ReadPlainNumber(std::string_view text, std::string_view decimalPoint) {
  PlainNumber read;
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) read.negative = text[i++] == '-';
  bool sawDigit = false;
  while (i < text.size()) {
    if (IsDigit(text[i])) {
      read.number += text[i++];
      sawDigit = true;
    } else if (read.whole && !decimalPoint.empty() && text.substr(i).starts_with(decimalPoint)) {
      read.number += '.';
      i += decimalPoint.size();
      read.whole = false;
    } else {
      break;
    }
  }
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (!sawDigit || i != text.size()) return std::nullopt;
  return read;
}

// True when the digits of `number` are not all zeros.
bool AboveZero(const std::string& number) {
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large for a double is still above 0; too small rounds to 0.
    const std::size_t firstNonZero = number.find_first_not_of("0");
    return firstNonZero != std::string::npos && number[firstNonZero] != '.';
  }
  return error == std::errc() && end == number.data() + number.size() && value > 0;
}

bool IsBlankText(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsBlank);
}

}  // namespace

std::string UserDecimalPoint() {
  const std::lconv* conventions = std::localeconv();
  if (conventions == nullptr || conventions->decimal_point == nullptr) return ".";
  return conventions->decimal_point;
}

bool PassesCountTest(std::string_view text, std::string_view decimalPoint) {
  const std::optional<PlainNumber> read = ReadPlainNumber(text, decimalPoint);
  return read && !read->negative && AboveZero(read->number);
}

// The comparer takes a whole number from 1 up, with blanks and a '+' in
// front; blanks behind it reach it as blanks between words. So a count that
// passes the test is refused only for its decimal separator.
CountFate FateOfCount(std::string_view text, std::string_view decimalPoint) {
  const std::optional<PlainNumber> read = ReadPlainNumber(text, decimalPoint);
  if (!read) return IsBlankText(text) ? CountFate::kUnset : CountFate::kNotUsed;
  if (!AboveZero(read->number)) return CountFate::kUnset;
  if (read->negative) return CountFate::kNotUsed;
  return read->whole ? CountFate::kSent : CountFate::kRefused;
}

std::string BuildSwitches(const OptionSet& options, std::string_view decimalPoint) {
  std::string result;
  // The caption is the details state: options count only while they are shown.
  if (options.advancedCaption != options.hideDetailsCaption) return result;
  if (Ticked(options.chkB)) return "/B ";

  if (Ticked(options.chkA)) result += "/A ";
  if (Ticked(options.chkC)) result += "/C ";
  if (Ticked(options.chkL)) result += "/L ";
  if (Ticked(options.chkN)) result += "/N ";
  if (Ticked(options.chkT)) result += "/T ";
  if (Ticked(options.chkW)) result += "/W ";
  // The counts go out exactly as typed; the test only decides whether they go.
  if (PassesCountTest(options.txtLB, decimalPoint)) result += "/LB" + options.txtLB + " ";
  if (PassesCountTest(options.txtMinMatch, decimalPoint)) result += "/" + options.txtMinMatch + " ";
  return result;
}

std::string BuildSwitches(const OptionSet& options) {
  return BuildSwitches(options, UserDecimalPoint());
}

std::string CommandSwitches(const Platform& platform, std::string_view switches) {
  constexpr char kBlanks[] = " \t";
  std::string line;
  std::size_t at = 0;
  while (at < switches.size()) {
    const std::size_t end = std::min(switches.find_first_of(kBlanks, at), switches.size());
    if (end == at) {
      line += switches[at++];
      continue;
    }
    line += platform.CommandWord(std::string(switches.substr(at, end - at)));
    at = end;
  }
  return line;
}

}  // namespace varnel
