// Room for the captions of a window laid out in fixed pixels, in whatever
// language they are in.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace varnel {

// Makes room in `window`, whose client area was drawn `client` in size, for
// each caption of its direct child controls (buttons, tick boxes, labels)
// that does not fit as drawn. A caption on one line that runs past its
// control, or past the client area's right edge, widens the control, and the
// controls to its right on the same row move along as far as they must to
// keep their gap. A word-wrapped label whose text needs more lines than its
// room shows grows by whole lines, and the controls below it move down as
// much. Returns the client area that shows everything, never smaller than
// `client`: it grows by as much as the controls did. Moves and resizes
// nothing where every caption fits, as the drawn layout's English ones do.
QSize FitCaptions(QWidget* window, QSize client);

// The caption of `control`: a button's or tick box's text, a label's; empty
// for any other control.
QString CaptionOf(const QWidget* control);

// Where the style of `control`, a button, tick box or label, draws its
// caption, in the control's own coordinates.
QRect CaptionRoom(const QWidget* control);

}  // namespace varnel
