// The program's fonts. The windows are laid out for "MS Sans Serif" and
// "Arial"; where those faces are missing, close faces of the same widths
// stand in for them, so every caption still fits its box.
#pragma once

#include <QFont>

namespace varnel {

// Maps "MS Sans Serif" and "Arial" onto metric-compatible faces (Liberation
// Sans first), and picks the face that each of the fonts below asks for: the
// original where it is installed, else its first installed stand-in. Call
// once, after the QApplication is made and before the first window is built.
// Installing the same substitutions again does no harm.
void InstallProgramFonts();

// "MS Sans Serif" at the given point size and weight, or the face that stands
// in for it.
QFont ClassicFont(qreal pointSize, QFont::Weight weight = QFont::Normal);

// The windows' default font, "MS Sans Serif" 8 point: every control uses it
// except the main window's About button.
QFont WindowFont();

// Arial 6.75 point, regular: the main window's small "About..." button.
QFont AboutButtonFont();

}  // namespace varnel
