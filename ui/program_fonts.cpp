#include "ui/program_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace varnel {

namespace {

const char kClassicFamily[] = "MS Sans Serif";
const char kArialFamily[] = "Arial";

// The faces the windows ask for: the original where it is installed, else its
// first installed stand-in. Asking for that face by name spares Qt a search
// for a missing face, and its fallbacks, each time a size is first drawn.
QString classicFace = QString::fromLatin1(kClassicFamily);
QString arialFace = QString::fromLatin1(kArialFamily);

QString FirstInstalled(const QStringList& installed, const QString& family,
                       const QStringList& standIns) {
  if (installed.contains(family)) return family;
  for (const QString& standIn : standIns) {
    if (installed.contains(standIn)) return standIn;
  }
  return family;
}

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
  const QStringList installed = QFontDatabase::families();
  classicFace = FirstInstalled(installed, QString::fromLatin1(kClassicFamily), standIns);
  arialFace = FirstInstalled(installed, QString::fromLatin1(kArialFamily), standIns);
}

QFont ClassicFont(qreal pointSize, QFont::Weight weight) {
  QFont font(classicFace);
  font.setPointSizeF(pointSize);
  font.setWeight(weight);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

QFont WindowFont() {
  return ClassicFont(8);
}

QFont AboutButtonFont() {
  QFont font(arialFace);
  font.setPointSizeF(6.75);
  font.setWeight(QFont::Normal);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace varnel
