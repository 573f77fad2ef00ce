#pragma once

#include <QRect>

namespace varnel {

// The windows are laid out in twips, as they were drawn; 15 twips make one
// pixel at 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;

// Twips to the nearest pixel.
constexpr int Pixels(int twips) {
  return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// A rectangle given in twips (left, top, width, height), in pixels.
inline QRect Pixels(const QRect& twips) {
  return QRect(Pixels(twips.left()), Pixels(twips.top()), Pixels(twips.width()),
               Pixels(twips.height()));
}

}  // namespace varnel
