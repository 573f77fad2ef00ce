// The program's command line: varnel [SOURCE [TARGET]], --help, --version.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace varnel {

class Platform;

// What a command line asks of the program.
struct CommandLine {
  enum class Action {
    kRun,      // open the window, with `files` in its fields
    kHelp,     // print `text` (the usage) on standard output and end
    kVersion,  // print `text` (the version) on standard output and end
    kRefuse,   // tell the user `text` (what is wrong) and end with kRefusedStatus
  };
  Action action = Action::kRun;
  // The source and then the target, made absolute, as the system's bytes for
  // their names, whether or not those are text; none, one or two.
  QList<QByteArray> files;
  QString text;
};

// The exit status for a command line that was refused.
inline constexpr int kRefusedStatus = 2;

// The arguments as main() gets them, the program's name first, byte for byte.
QList<QByteArray> ArgumentsOf(int argc, char* argv[]);

// How many of `arguments`, the program's name first, are Qt's to read: those
// before the first "--". Qt takes its own options (-platform, -title,
// -reverse, ...) out of a command line wherever they stand, so the files
// after "--" must never reach it.
int QtArgumentCount(const QList<QByteArray>& arguments);

// Reads `arguments`, the program's name first. Files are made absolute
// against `workingFolder`. Never fails: a line it cannot take comes back as
// Action::kRefuse with the reason in `text`.
CommandLine ParseCommandLine(const QList<QByteArray>& arguments, const QByteArray& workingFolder);

// Whether `arguments` (as ArgumentsOf gives them) ask for the usage or the
// version: neither needs a screen, so they are answered before the window's
// application is made.
bool AsksBeforeStart(const QList<QByteArray>& arguments);

// Prints the usage or the version when `arguments` ask for it, in the
// language of the application's translators, if there is an application.
// False, printing nothing, for any other command line.
bool AnswerBeforeStart(const QList<QByteArray>& arguments);

// Reads the command line once the application has been made from the first
// `qtArgc` arguments of `argv` and has taken its own options out of them;
// `arguments` are all of them as they were before. Files are made absolute
// against the platform's working folder. Never fails.
CommandLine ReadCommandLine(const QList<QByteArray>& arguments, int qtArgc, char* argv[],
                            const Platform& platform);

// Carries out a command line that opens no window: prints the usage or the
// version and returns 0, or explains why it was refused on standard error
// and, when that is not a terminal (the desktop started the program and
// nobody reads it), in a box titled "File Compare" as well, and returns
// kRefusedStatus.
int Finish(const CommandLine& command, Platform& platform);

// `path` made absolute against `folder` by putting the folder in front: links
// and ".." stay as they are, for a ".." after a link leads elsewhere than the
// same path with the two cancelled. Leading "./" pieces are dropped. An empty
// path stays empty, and without a folder a path stays as it is.
QByteArray AbsoluteAgainst(const QByteArray& folder, const QByteArray& path);

}  // namespace varnel
