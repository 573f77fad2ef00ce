#include <QApplication>
#include <memory>

#include <varnel_version.h>

#include "app/command_line.h"
#include "app/ui_form.h"
#include "platform/comparer_location.h"
#include "platform/qt_file_dialog.h"
#include "platform/qt_platform.h"
#include "ui/program_fonts.h"

int main(int argc, char* argv[]) {
  // Help and version need no screen, so they are answered before Qt looks
  // for one. Qt is shown only what comes before "--": it would take a file
  // named -platform after it for its own option.
  const QList<QByteArray> arguments = varnel::ArgumentsOf(argc, argv);
  if (varnel::AnswerBeforeStart(arguments)) return 0;
  int qtArgc = varnel::QtArgumentCount(arguments);
  QApplication app(qtArgc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnel"));
  // Names the installed desktop entry, so Wayland compositors and task bars
  // match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(varnel::kApplicationId));
  varnel::InstallProgramFonts();

  varnel::QtPlatform platform(
      varnel::FindComparer(QCoreApplication::applicationDirPath().toStdString()));
  const varnel::CommandLine command = varnel::ReadCommandLine(arguments, qtArgc, argv, platform);
  if (command.action != varnel::CommandLine::Action::kRun) return varnel::Finish(command, platform);

  UIForm form(platform, std::make_unique<varnel::QtFileDialog>());
  form.openFiles(command.files);
  form.show();
  return QApplication::exec();
}
