// Test support: the main of every test program of the windows. They run
// inside one QApplication named as the program names its own, offscreen
// unless told otherwise, with the program's fonts in place.
#include <QApplication>

#include <gtest/gtest.h>

#include "ui/program_fonts.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (as the build does) needs no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Varnel"));
  // A test that closes its last window must not end the others' loops.
  QApplication::setQuitOnLastWindowClosed(false);
  varnel::InstallProgramFonts();
  return RUN_ALL_TESTS();
}
