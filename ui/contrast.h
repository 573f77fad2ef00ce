// How readable a text colour is on a background, by the contrast ratio of the
// web's accessibility guidelines.
#pragma once

#include <QColor>
#include <QPalette>

namespace varnel {

// The contrast that text needs against what is behind it to stay readable.
inline constexpr double kReadableContrast = 4.5;

// The contrast ratio of two colours: 1 for the same brightness, 21 for black
// against white.
double Contrast(const QColor& a, const QColor& b);

// True when black text on the palette's window face is readable, as on the
// classic light grey face; false on a dark face.
bool IsLightFace(const QPalette& palette);

}  // namespace varnel
