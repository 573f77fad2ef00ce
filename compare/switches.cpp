#include "compare/switches.h"

#include <algorithm>
#include <charconv>
#include <clocale>
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

}  // namespace

std::string UserDecimalPoint() {
  const std::lconv* conventions = std::localeconv();
  if (conventions == nullptr || conventions->decimal_point == nullptr) return ".";
  return conventions->decimal_point;
}

// Accepts plain decimal notation only: blanks, an optional sign, digits with at
// most one decimal separator, blanks. Exponents, digit grouping, currency signs
// and "inf"/"nan" are refused, so nothing odd can slip onto the command line.
bool PassesCountTest(std::string_view text, std::string_view decimalPoint) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

  std::string number;  // the same number in the notation std::from_chars reads
  bool sawDigit = false, sawPoint = false;
  while (i < text.size()) {
    if (IsDigit(text[i])) {
      number += text[i++];
      sawDigit = true;
    } else if (!sawPoint && !decimalPoint.empty() && text.substr(i).starts_with(decimalPoint)) {
      number += '.';
      i += decimalPoint.size();
      sawPoint = true;
    } else {
      break;
    }
  }
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (!sawDigit || i != text.size() || negative) return false;

  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large for a double is still above 0; too small rounds to 0.
    const std::size_t firstNonZero = number.find_first_not_of("0");
    return firstNonZero != std::string::npos && number[firstNonZero] != '.';
  }
  return error == std::errc() && end == number.data() + number.size() && value > 0;
}

std::string BuildSwitches(const OptionSet& options, std::string_view decimalPoint) {
  std::string result;
  // The caption is the details state: options count only while they are shown.
  if (options.advancedCaption != kHideDetailsCaption) return result;
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
