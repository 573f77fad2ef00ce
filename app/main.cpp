#include <QApplication>

#include <varnel_version.h>

#include "ui/program_fonts.h"
#include "app/ui_form.h"
#include "platform/comparer_location.h"
#include "platform/qt_platform.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnel"));
  // Names the installed desktop entry, so Wayland compositors and task bars
  // match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(varnel::kApplicationId));
  varnel::InstallProgramFonts();

  varnel::QtPlatform platform(
      varnel::FindComparer(QCoreApplication::applicationDirPath().toStdString()));
  UIForm form(platform);
  form.show();
  return QApplication::exec();
}
