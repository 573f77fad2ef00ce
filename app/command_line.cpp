#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include <varnel_version.h>

#include "compare/compare_run.h"
#include "compare/platform.h"

namespace varnel {

namespace {

QString Usage() {
  const QString name = QString::fromLatin1(kCommandName);
  return QCoreApplication::translate(
             "CommandLine",
             "Usage: %1 [SOURCE [TARGET]]\n"
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

// What the parser is given for `arguments`. It reads text, but a file's name
// is bytes that need not be text at all; so every argument that can only be a
// file (one that does not start with '-', "-" itself, and all after "--") is
// given as its position, which the parser then hands back among the
// positional arguments.
QStringList ParserView(const QList<QByteArray>& arguments) {
  QStringList view;
  bool optionsEnded = false;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QByteArray& argument = arguments[i];
    const bool option = i > 0 && !optionsEnded && argument.startsWith('-') && argument != "-";
    view << (i == 0 || option ? QFile::decodeName(argument) : QString::number(i));
    optionsEnded = optionsEnded || (option && argument == "--");
  }
  return view;
}

// Prints the usage or the version; false, printing nothing, for any other
// command line.
bool Answer(const CommandLine& command) {
  if (command.action != CommandLine::Action::kHelp &&
      command.action != CommandLine::Action::kVersion)
    return false;
  std::fputs(command.text.toLocal8Bit().constData(), stdout);
  return true;
}

}  // namespace

QList<QByteArray> ArgumentsOf(int argc, char* argv[]) {
  QList<QByteArray> arguments;
  for (int i = 0; i < argc; ++i) arguments << QByteArray(argv[i]);
  return arguments;
}

int QtArgumentCount(const QList<QByteArray>& arguments) {
  const qsizetype dashes = arguments.indexOf("--", 1);
  return static_cast<int>(dashes < 0 ? arguments.size() : dashes);
}

CommandLine ParseCommandLine(const QList<QByteArray>& arguments, const QByteArray& workingFolder) {
  QCommandLineParser parser;
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOption(help);
  parser.addOption(version);
  if (!parser.parse(ParserView(arguments))) return Refused(parser.errorText());
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
    const int count = static_cast<int>(files.size());
    return Refused(QCoreApplication::translate(
        "CommandLine", "Too many files: %n given, but only a source and a target can be compared.",
        nullptr, count));
  }
  CommandLine command;
  for (const QString& position : files)
    command.files << AbsoluteAgainst(workingFolder, arguments.at(position.toInt()));
  return command;
}

bool AsksBeforeStart(const QList<QByteArray>& arguments) {
  const CommandLine::Action action = ParseCommandLine(arguments, {}).action;
  return action == CommandLine::Action::kHelp || action == CommandLine::Action::kVersion;
}

bool AnswerBeforeStart(const QList<QByteArray>& arguments) {
  return Answer(ParseCommandLine(arguments, {}));
}

CommandLine ReadCommandLine(const QList<QByteArray>& arguments, int qtArgc, char* argv[],
                            const Platform& platform) {
  return ParseCommandLine(ArgumentsOf(qtArgc, argv) + arguments.mid(QtArgumentCount(arguments)),
                          QByteArray::fromStdString(platform.WorkingFolder()));
}

int Finish(const CommandLine& command, Platform& platform) {
  if (Answer(command)) return 0;
  const QString help =
      QCoreApplication::translate("CommandLine", "Try '%1 --help' for more information.")
          .arg(QString::fromLatin1(kCommandName));
  std::fprintf(stderr, "%s: %s\n%s\n", kCommandName, command.text.toLocal8Bit().constData(),
               help.toLocal8Bit().constData());
  if (!platform.StandardErrorIsTerminal()) {
    platform.MessageBox(command.text.toStdString(), BoxStyle::kPlain,
                        platform.Translated(kTextContext, kCompareTitle));
  }
  return kRefusedStatus;
}

QByteArray AbsoluteAgainst(const QByteArray& folder, const QByteArray& path) {
  if (path.isEmpty() || path.startsWith('/') || folder.isEmpty()) return path;
  QByteArrayView rest(path);
  while (rest.startsWith("./")) {
    rest = rest.sliced(2);
    while (rest.startsWith('/')) rest = rest.sliced(1);
  }
  if (folder.endsWith('/')) return folder + rest.toByteArray();
  return folder + '/' + rest.toByteArray();
}

}  // namespace varnel
