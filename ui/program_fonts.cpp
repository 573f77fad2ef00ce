#include "ui/program_fonts.h"

#include <QStringList>

namespace varnel {

namespace {

const char kClassicFamily[] = "MS Sans Serif";
const char kArialFamily[] = "Arial";

}  // namespace

void InstallProgramFonts() {
  // Liberation Sans has Arial's advance widths, and Microsoft's sans serif
  // faces are close to Arial; it keeps the longest tick box caption inside
  // its box at 8 point, where DejaVu Sans runs about 15 per cent wider.
  // DejaVu Sans Condensed comes next because its widths are nearly the same.
  const QStringList standIns = {QStringLiteral("Liberation Sans"),
                                QStringLiteral("DejaVu Sans Condensed"),
                                QStringLiteral("DejaVu Sans")};
  QFont::removeSubstitutions(QString::fromLatin1(kClassicFamily));
  QFont::removeSubstitutions(QString::fromLatin1(kArialFamily));
  QFont::insertSubstitutions(QString::fromLatin1(kClassicFamily), standIns);
  QFont::insertSubstitutions(QString::fromLatin1(kArialFamily), standIns);
}

QFont ClassicFont(qreal pointSize, QFont::Weight weight) {
  QFont font(QString::fromLatin1(kClassicFamily));
  font.setPointSizeF(pointSize);
  font.setWeight(weight);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont WindowFont() {
  return ClassicFont(8);
}

QFont AboutButtonFont() {
  QFont font(QString::fromLatin1(kArialFamily));
  font.setPointSizeF(6.75);
  font.setWeight(QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace varnel
