#include <QApplication>

#include <varnel_version.h>

#include "ui/program_fonts.h"
#include "app/command_line.h"
#include "app/ui_form.h"
#include "platform/comparer_location.h"
#include "platform/qt_platform.h"

int main(int argc, char* argv[]) {
  // Help and version need no screen, so they are answered before Qt looks
  // for one. Qt's own options (-style, -platform and the like) are taken off
  // only by QApplication, so the rest is read after it.
  const QList<QByteArray> arguments = varnel::ArgumentsOf(argc, argv);
  if (varnel::Answer(varnel::ParseCommandLine(arguments, {}))) return 0;

  // Qt is shown only what comes before "--": it would take a file named
  // -platform or -title after it for its own option. It removes what it
  // takes from argv and keeps the count for as long as it runs.
  const int qtPart = varnel::QtArgumentCount(arguments);
  int qtArgc = qtPart;
  QApplication app(qtArgc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnel"));
  // Names the installed desktop entry, so Wayland compositors and task bars
  // match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(varnel::kApplicationId));
  varnel::InstallProgramFonts();

  varnel::QtPlatform platform(
      varnel::FindComparer(QCoreApplication::applicationDirPath().toStdString()));
  const varnel::CommandLine command = varnel::ParseCommandLine(
      varnel::ArgumentsOf(qtArgc, argv) + arguments.mid(qtPart), varnel::WorkingFolder());
  if (varnel::Answer(command)) return 0;
  if (command.action == varnel::CommandLine::Action::kRefuse)
    return varnel::Refuse(command, platform);

  UIForm form(platform);
  form.openFiles(command.files);
  form.show();
  return QApplication::exec();
}
