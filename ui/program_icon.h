// The program icon: two overlapping sheets with a changed line, 32 x 32.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace varnel {

// The icon for the program's windows and the About window's picture.
QIcon ProgramIcon();

// The same artwork as a 32 x 32 pixmap.
QPixmap ProgramPixmap();

}  // namespace varnel
