#include "ui/program_fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

bool Installed(const char* family) {
  return QFontDatabase::families().contains(QString::fromLatin1(family));
}

// Text room of a tick box laid out `twips` wide: the box and its gap take
// about 20 pixels at the left.
int TickBoxTextRoom(int twips) {
  return twips / 15 - 20;
}

TEST(ProgramFontsTest, ClassicFaceFallsBackToLiberationSans) {
  if (Installed("MS Sans Serif")) GTEST_SKIP() << "the original face is present";
  if (!Installed("Liberation Sans")) GTEST_SKIP() << "Liberation Sans is not installed";
  EXPECT_EQ(QFontInfo(varnel::WindowFont()).family(), QStringLiteral("Liberation Sans"));
}

TEST(ProgramFontsTest, ArialFallsBackToLiberationSans) {
  if (Installed("Arial")) GTEST_SKIP() << "the original face is present";
  if (!Installed("Liberation Sans")) GTEST_SKIP() << "Liberation Sans is not installed";
  EXPECT_EQ(QFontInfo(varnel::AboutButtonFont()).family(), QStringLiteral("Liberation Sans"));
}

// The main window's widest captions must fit their boxes, or the stand-in
// face is too wide for the layout.
TEST(ProgramFontsTest, WidestMainWindowCaptionsFit) {
  const QFontMetrics metrics(varnel::WindowFont());
  EXPECT_LE(metrics.horizontalAdvance(
                QStringLiteral("Display only first and last lines for each set of differences")),
            TickBoxTextRoom(4620));
  // chkW is cut off by the client area's right edge, 4965 - 210 twips.
  EXPECT_LE(metrics.horizontalAdvance(
                QStringLiteral("Compress white space (tabs and spaces) for comparison")),
            TickBoxTextRoom(4965 - 210));
  EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("Source")), 630 / 15);
  EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("Target")), 615 / 15);
  EXPECT_LE(metrics.height(), 255 / 15);

  // Two lines high, 3555 x 450 twips.
  const QRect label4 = metrics.boundingRect(
      QRect(0, 0, 3555 / 15, 1000), Qt::TextWordWrap,
      QStringLiteral("Number of consecutive lines that must match after a mismatch"));
  EXPECT_LE(label4.height(), 450 / 15);
}

TEST(ProgramFontsTest, AboutButtonCaptionFits) {
  const QFontMetrics metrics(varnel::AboutButtonFont());
  EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("About...")) + 4, 825 / 15);
  EXPECT_LE(metrics.height(), 195 / 15);
}

}  // namespace
