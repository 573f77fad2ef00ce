#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace varnel {

// An error raised by a platform operation. The compare run shows it as
// "Oops, <number>: <description>"; on this platform the number is an errno.
// The description is for the user: in the user's language, where the system
// or the platform has it so.
class PlatformError : public std::runtime_error {
 public:
  PlatformError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

// Message box styles: an OK button alone, or an OK button with the critical icon.
enum class BoxStyle { kPlain = 0, kCritical = 16 };

// How the interpreter of a comparison ended, as Wait gives it.
struct RunEnd {
  enum class Kind {
    kExited,     // it ended by itself with `status`
    kSignalled,  // it, or the command it ran, was ended by signal `status`
    kStopped,    // EndRun ended it before it finished
  };
  Kind kind = Kind::kExited;
  int status = 0;
  std::string signalName;  // for kSignalled, e.g. "SIGSEGV (Segmentation fault)"
  std::string errors;      // what it wrote on standard error, cut after a limit
};

// The two files that a comparison reads, as the user named them.
struct RunInputs {
  std::string source;
  std::string target;
};

// Called with the reason, as a phrase, when the viewer could not show a report.
using ViewerFailed = std::function<void(const std::string& reason)>;

// The operations through which the compare run, and the window around it,
// reach the outside world. They hold all the logic; an implementation only
// does what each operation says, so they can be tested against a stand-in.
class Platform {
 public:
  virtual ~Platform() = default;

  // The form of an existing path that can stand unquoted between single
  // blanks of a command line and names exactly that path; "" when nothing
  // exists at `path` (or it is empty). Throws PlatformError with ENAMETOOLONG
  // when the path, or the form the comparer would get, is longer than the
  // system takes.
  virtual std::string ShortForm(const std::string& path) const = 0;

  // `word` as the command line carries it: the interpreter hands it to the
  // program as exactly that one argument and reads nothing in it.
  virtual std::string CommandWord(const std::string& word) const = 0;

  // The folder for temporary files, ending in a separator; "" when there is none.
  virtual std::string TempFolder() = 0;

  // Creates a new, empty file in `folder` whose name begins with `prefix`
  // and returns its full name; "" when no such file could be made, with the
  // system's reason in `*whyNot`.
  virtual std::string UniqueTempFile(const std::string& folder, const std::string& prefix,
                                     std::string* whyNot) = 0;

  // Where UniqueTempFile could make no file: creates a new, empty file,
  // private to the user, in `folder`, whose name begins with `prefix`; never
  // one that existed before. Returns its full name; when no such file can be
  // made, throws PlatformError whose description is the folder as tried (made
  // absolute) and the system's reason: "<folder> (<reason>)".
  virtual std::string CreateFallbackFile(const std::string& folder, const std::string& prefix) = 0;

  // What the comparer's command line begins with, up to and including the
  // blank before the first switch: the interpreter, if the platform needs one
  // written into the line, and the comparer.
  virtual std::string CommandPrefix() const = 0;

  // What the viewer's command line begins with, including its trailing blank.
  virtual std::string ViewerPrefix() const = 0;

  // Starts `commandLine` through the command interpreter without waiting.
  // Returns the process identifier, or 0 when nothing was started (with errno
  // telling why, where the platform has it); may also throw PlatformError.
  virtual long Start(const std::string& commandLine) = 0;

  // Waits, without a time-out, until the process `pid` that Start gave has
  // ended, and tells how it ended and what it wrote on standard error. A
  // platform may meanwhile show how much of `inputs` the run has read.
  virtual RunEnd Wait(long pid, const RunInputs& inputs) = 0;

  // Asks a Wait in progress to end its run: the interpreter and everything it
  // started are stopped, and the Wait returns RunEnd::Kind::kStopped. False,
  // doing nothing, when no Wait is in progress.
  virtual bool EndRun() = 0;

  // Starts the viewer's `commandLine` and does not wait for it. When the
  // viewer cannot be started, or later ends with a failure, `onFailure` is
  // called with the reason, from the event loop once the viewer has ended.
  // Never throws.
  virtual void StartViewer(const std::string& commandLine, ViewerFailed onFailure) = 0;

  // Shows the report file `reportFile`, of a comparison that read `inputs`,
  // in a window of the program's own, for where the desktop's viewer could
  // not show it; returns at once, leaving the window open. Throws
  // PlatformError with the system's reason when the report cannot be read.
  virtual void ShowReport(const std::string& reportFile, const RunInputs& inputs) = 0;

  // Shows a modal message box and returns when the user has closed it. Without
  // a title the box carries the application's title.
  virtual void MessageBox(const std::string& prompt, BoxStyle style,
                          const std::optional<std::string>& title) = 0;

  // The folder the program was started in, as the user reached it (through
  // links, where the platform knows that way), as the system's bytes; "" when
  // the system gives none.
  virtual std::string WorkingFolder() const = 0;

  // Whether what the program writes on its standard error reaches a
  // terminal, where somebody reads it.
  virtual bool StandardErrorIsTerminal() const = 0;

  // The user's language's form of `text`, one of the program's own fixed
  // texts, marked for translation in `context` (see program_text.h); `text`
  // as it is where the platform has no translation of it. Never fails.
  virtual std::string Translated(const char* context, const char* text) const = 0;
};

}  // namespace varnel
