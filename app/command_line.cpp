#include "app/command_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

#include <varnel_version.h>

#include "compare/compare_run.h"
#include "compare/platform.h"

namespace varnel {

namespace {

QString Tr(const char* text) {
  return QCoreApplication::translate("CommandLine", text);
}

QString Usage() {
  const QString name = QString::fromLatin1(kCommandName);
  return Tr("Usage: %1 [SOURCE [TARGET]]\n"
            "Compare two text files line by line in a window.\n"
            "\n"
            "SOURCE is the document before the changes and TARGET the document with\n"
            "changes. The window opens with them in its fields, as if chosen there;\n"
            "with both given, Enter compares them.\n"
            "\n"
            "  -h, --help     display this help and exit\n"
            "      --version  output version information and exit\n")
      .arg(name);
}

CommandLine Refused(const QString& reason) {
  return {CommandLine::Action::kRefuse, {}, reason};
}

bool HasDotPiece(const QByteArray& path) {
  for (const QByteArray& piece : path.split('/')) {
    if (piece == "." || piece == "..") return true;
  }
  return false;
}

bool SameFolder(const QByteArray& a, const QByteArray& b) {
  struct stat first {};
  struct stat second {};
  return stat(a.constData(), &first) == 0 && stat(b.constData(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace

QStringList ArgumentsOf(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

CommandLine ParseCommandLine(const QStringList& arguments, const QString& workingFolder) {
  QCommandLineParser parser;
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOption(help);
  parser.addOption(version);
  if (!parser.parse(arguments)) return Refused(parser.errorText());
  if (parser.isSet(help)) return {CommandLine::Action::kHelp, {}, Usage()};
  if (parser.isSet(version)) {
    return {CommandLine::Action::kVersion,
            {},
            QStringLiteral("%1 %2.%3.%4\n")
                .arg(QString::fromLatin1(kCommandName))
                .arg(kVersionMajor)
                .arg(kVersionMinor)
                .arg(kVersionRevision)};
  }
  const QStringList files = parser.positionalArguments();
  if (files.size() > 2) {
    return Refused(Tr("Too many files: %1 given, but only a source and a target can be "
                      "compared.")
                       .arg(files.size()));
  }
  CommandLine command;
  for (const QString& file : files) command.files << AbsoluteAgainst(workingFolder, file);
  return command;
}

bool Answer(const CommandLine& command) {
  if (command.action != CommandLine::Action::kHelp &&
      command.action != CommandLine::Action::kVersion)
    return false;
  std::fputs(command.text.toLocal8Bit().constData(), stdout);
  return true;
}

int Refuse(const CommandLine& command, Platform& platform) {
  std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", kCommandName,
               command.text.toLocal8Bit().constData(), kCommandName);
  if (!isatty(STDERR_FILENO))
    platform.MessageBox(command.text.toStdString(), BoxStyle::kPlain, kCompareTitle);
  return kRefusedStatus;
}

QString AbsoluteAgainst(const QString& folder, const QString& path) {
  if (path.isEmpty() || path.startsWith(QLatin1Char('/'))) return path;
  QStringView rest(path);
  while (rest.startsWith(QLatin1String("./"))) {
    rest = rest.mid(2);
    while (rest.startsWith(QLatin1Char('/'))) rest = rest.mid(1);
  }
  if (folder.endsWith(QLatin1Char('/'))) return folder + rest.toString();
  return folder + QLatin1Char('/') + rest.toString();
}

QString WorkingFolder() {
  const QByteArray shells = qgetenv("PWD");
  if (shells.startsWith('/') && !HasDotPiece(shells) && SameFolder(shells, "."))
    return QFile::decodeName(shells);
  return QDir::currentPath();
}

}  // namespace varnel
