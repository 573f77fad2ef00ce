// The program icon: two overlapping sheets with a changed line.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace varnel {

// The icon for the program's windows: the pictures a window manager shows in
// title bars, task bars and switchers, 16 to 64 pixels. Larger pictures of the
// program come from the icon theme, through the desktop entry.
QIcon ProgramIcon();

// The 32 x 32 picture, as the About window's picture box shows it, drawn for
// a screen of the given device pixel ratio: 64 pixels at 2, 48 at 1.5.
QPixmap ProgramPixmap(qreal devicePixelRatio);

}  // namespace varnel
