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

// Prints the usage or the version on standard output; false, printing
// nothing, for any other command line.
bool Answer(const CommandLine& command);

// Explains why `command` was refused on standard error and, when that is not
// a terminal (the desktop started the program and nobody reads it), in a box
// titled "File Compare" as well. Returns kRefusedStatus.
int Refuse(const CommandLine& command, Platform& platform);

// `path` made absolute against `folder` by putting the folder in front: links
// and ".." stay as they are, for a ".." after a link leads elsewhere than the
// same path with the two cancelled. Leading "./" pieces are dropped. An empty
// path stays empty, and without a folder a path stays as it is.
QByteArray AbsoluteAgainst(const QByteArray& folder, const QByteArray& path);

// The working folder as the user reached it: the shell's PWD while that names
// this very folder, without "." or ".." in it, else the folder the system
// gives (with its links resolved); empty when the system gives none.
QByteArray WorkingFolder();

}  // namespace varnel
