// Runs a test program of the windows inside one QApplication, with the
// program's fonts in place as the program itself has them.
#include <QApplication>

#include <gtest/gtest.h>

#include "ui/program_fonts.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests (as the build does) needs no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  varnel::InstallProgramFonts();
  return RUN_ALL_TESTS();
}
