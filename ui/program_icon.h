// The program icon: two overlapping sheets with a changed line.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace varnel {

// The icon for the program's windows, with a picture for every size the
// build renders (16 to 256 pixels), so it stays sharp at any scale.
QIcon ProgramIcon();

// The 32 x 32 picture, as the About window's picture box shows it.
QPixmap ProgramPixmap();

}  // namespace varnel
