#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compare/program_text.h"

namespace varnel {

class Platform;

// The Details toggle's two captions, as written; the window shows them in the
// user's language. The caption is the view state: options take part in a
// comparison only while the details are shown.
inline constexpr std::string_view kShowDetailsCaption = QT_TRANSLATE_NOOP("UIForm", "Details >>>");
inline constexpr std::string_view kHideDetailsCaption =
    QT_TRANSLATE_NOOP("UIForm", "No Details <<<");

// The option set of one comparison, as the main window holds it.
struct OptionSet {
  std::string advancedCaption{kShowDetailsCaption};  // the Details toggle's caption
  // The caption that the toggle shows while the details are shown, in the
  // language that the window speaks: kHideDetailsCaption in English.
  std::string hideDetailsCaption{kHideDetailsCaption};
  // Tick states: 0 unticked, 1 ticked, 2 grayed; anything but 0 counts as ticked.
  std::int16_t chkA = 0, chkB = 0, chkC = 0, chkL = 0, chkN = 0, chkT = 0, chkW = 0;
  std::string txtLB = "0";        // count fields, untrimmed, as typed
  std::string txtMinMatch = "0";
};

// The decimal separator of the user's locale (LC_NUMERIC).
std::string UserDecimalPoint();

// True when `text` is a plain decimal number (blanks around, optional sign,
// digits, `decimalPoint`) whose value is strictly greater than 0.
bool PassesCountTest(std::string_view text, std::string_view decimalPoint);

// What becomes of a count field's text in a comparison.
enum class CountFate {
  kSent,     // it passes the count test and the comparer takes it
  kUnset,    // blank or zero: not sent, so the default applies, as meant
  kNotUsed,  // any other text that fails the count test: not sent, the default applies
  kRefused,  // it passes the count test and is sent, but the comparer takes whole numbers only
};
CountFate FateOfCount(std::string_view text, std::string_view decimalPoint);

// The switch string: zero or more comparer switches, each followed by exactly
// one blank, in fixed order; "" unless the toggle's caption is the
// hide-caption, compared whole and case-sensitively. Changes nothing and
// reports no error of its own.
std::string BuildSwitches(const OptionSet& options, std::string_view decimalPoint);
std::string BuildSwitches(const OptionSet& options);

// `switches`, a switch string, as the comparer's command line carries it:
// each run of characters between blanks becomes one word of the line
// (Platform::CommandWord), and the blanks stay as they are. So the comparer
// gets the same arguments that the blanks have always made of a count typed
// with blanks ("/LB 7" as "/LB" and "7"), and a count that holds a character
// the interpreter would read reaches it as typed, never as a command.
std::string CommandSwitches(const Platform& platform, std::string_view switches);

}  // namespace varnel
