// The program's command line: varnel [SOURCE [TARGET]], --help, --version.
#pragma once

#include <QString>
#include <QStringList>

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
  // The source and then the target, made absolute; none, one or two.
  QStringList files;
  QString text;
};

// The exit status for a command line that was refused.
inline constexpr int kRefusedStatus = 2;

// The arguments as main() gets them, the program's name first.
QStringList ArgumentsOf(int argc, char* argv[]);

// Reads `arguments`, the program's name first. Files are made absolute
// against `workingFolder`. Never fails: a line it cannot take comes back as
// Action::kRefuse with the reason in `text`.
CommandLine ParseCommandLine(const QStringList& arguments, const QString& workingFolder);

// Prints the usage or the version on standard output; false, printing
// nothing, for any other command line.
bool Answer(const CommandLine& command);

// Explains why `command` was refused on standard error and, when that is not
// a terminal (the desktop started the program and nobody reads it), in a box
// titled "File Compare" as well. Returns kRefusedStatus.
int Refuse(const CommandLine& command, Platform& platform);

// `path` made absolute against `folder` by putting the folder in front: links
// and ".." stay as they are, for a ".." after a link leads elsewhere than the
// same path with the two cancelled. Leading "./" pieces are dropped, and an
// empty path stays empty.
QString AbsoluteAgainst(const QString& folder, const QString& path);

// The working folder as the user reached it: the shell's PWD while that names
// this very folder, without "." or ".." in it, else the folder the system
// gives (with its links resolved).
QString WorkingFolder();

}  // namespace varnel
