// Runs the About window's tests inside one QApplication.
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
