#include <QApplication>
#include <memory>

#include <varnel_version.h>

#include "app/command_line.h"
#include "app/ui_form.h"
#include "platform/comparer_location.h"
#include "platform/qt_file_dialog.h"
#include "platform/qt_platform.h"
#include "ui/program_fonts.h"
#include "ui/translators.h"

namespace {

std::string ProgramFolder() {
  return QCoreApplication::applicationDirPath().toStdString();
}

// Before any text is made: the program then speaks the user's language.
void InstallTranslators() {
  varnel::InstallTranslators(QString::fromStdString(varnel::FindTranslations(ProgramFolder())));
}

}  // namespace

int main(int argc, char* argv[]) {
  // Qt is shown only what comes before "--": it would take a file named
  // -platform after it for its own option.
  const QList<QByteArray> arguments = varnel::ArgumentsOf(argc, argv);
  int qtArgc = varnel::QtArgumentCount(arguments);
  // Help and version need no screen, so they are answered before Qt looks
  // for one; an application without windows translates them.
  if (varnel::AsksBeforeStart(arguments)) {
    const QCoreApplication core(qtArgc, argv);
    InstallTranslators();
    varnel::AnswerBeforeStart(arguments);
    return 0;
  }
  QApplication app(qtArgc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnel"));
  // Names the installed desktop entry, so Wayland compositors and task bars
  // match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(varnel::kApplicationId));
  InstallTranslators();
  varnel::InstallProgramFonts();

  varnel::QtPlatform platform(varnel::FindComparer(ProgramFolder()));
  const varnel::CommandLine command = varnel::ReadCommandLine(arguments, qtArgc, argv, platform);
  if (command.action != varnel::CommandLine::Action::kRun) return varnel::Finish(command, platform);

  UIForm form(platform, std::make_unique<varnel::QtFileDialog>());
  form.openFiles(command.files);
  form.show();
  return QApplication::exec();
}
