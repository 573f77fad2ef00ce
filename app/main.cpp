#include <QApplication>

#include "ui/program_fonts.h"
#include "app/ui_form.h"
#include "platform/comparer_location.h"
#include "platform/qt_platform.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnel"));
  varnel::InstallProgramFonts();

  varnel::QtPlatform platform(
      varnel::FindComparer(QCoreApplication::applicationDirPath().toStdString()));
  UIForm form(platform);
  form.show();
  return QApplication::exec();
}
