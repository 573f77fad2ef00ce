#include "report/report_view.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>
#include <cmath>

#include "report/report_sides.h"
#include "ui/contrast.h"

namespace {

using varnel::ReportSide;

constexpr int kTabColumns = 8;

// The hues mixed into the text's background: warm for the first file, cool
// for the second, a pair that stays apart for the common kinds of colour
// blindness, where red against green would not.
const QColor kSourceHue(230, 90, 30);
const QColor kTargetHue(30, 110, 230);

// How much of a hue goes into the background at most: a light theme needs
// little to show it, a dark one more.
constexpr double kLightShare = 0.2;
constexpr double kDarkShare = 0.3;

// Mixed in whole 8-bit steps, so that the colour checked for contrast is
// exactly the colour painted.
QColor Mix(const QColor& base, const QColor& hue, double share) {
  const auto channel = [share](int from, int to) {
    return static_cast<int>(std::lround(from + (to - from) * share));
  };
  return QColor(channel(base.red(), hue.red()), channel(base.green(), hue.green()),
                channel(base.blue(), hue.blue()));
}

// The palette's background with as much of `hue` as keeps its text readable;
// the background itself where even a trace of the hue would not.
QColor Tint(const QPalette& palette, const QColor& hue) {
  const QColor base = palette.color(QPalette::Base);
  const QColor text = palette.color(QPalette::Text);
  for (double share = varnel::IsLightFace(palette) ? kLightShare : kDarkShare; share > 0.01;
       share -= 0.02) {
    const QColor tint = Mix(base, hue, share);
    if (varnel::Contrast(tint, text) >= varnel::kReadableContrast) return tint;
  }
  return base;
}

}  // namespace

ReportView::ReportView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setUndoRedoEnabled(false);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setTabStopDistance(QFontMetricsF(font()).horizontalAdvance(QLatin1Char(' ')) * kTabColumns);
  setTabChangesFocus(true);
  setAccessibleName(tr("Report"));
  pickTints();
}

void ReportView::showReport(const QString& text, qsizetype reportLength) {
  setPlainText(text);
  markSides(reportLength);
}

// Each line keeps its side in its block's user state, so painting needs
// nothing more than the lines it shows.
void ReportView::markSides(qsizetype reportLength) {
  varnel::ReportSides sides;
  for (QTextBlock block = document()->begin(); block.isValid() && block.position() < reportLength;
       block = block.next()) {
    block.setUserState(static_cast<int>(sides.next(block.text())));
  }
}

void ReportView::pickTints() {
  sourceTint_ = Tint(palette(), kSourceHue);
  targetTint_ = Tint(palette(), kTargetHue);
}

// A theme switched while the window is open brings a new palette.
void ReportView::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) {
    pickTints();
    viewport()->update();
  }
}

// The tints are painted under the text rather than set as block formats:
// formats would have to be set on every line as the report is loaded and
// again on each change of theme, and this way a tint spans the whole width
// at the cost of the lines in view only.
void ReportView::paintEvent(QPaintEvent* event) {
  paintTints(event->rect());
  QPlainTextEdit::paintEvent(event);
}

void ReportView::paintTints(const QRect& area) {
  QPainter painter(viewport());
  const QPointF offset = contentOffset();
  for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
    const QRectF line = blockBoundingGeometry(block).translated(offset);
    if (line.top() > area.bottom()) break;
    const auto side = static_cast<ReportSide>(block.userState());
    if (side != ReportSide::kSource && side != ReportSide::kTarget) continue;
    painter.fillRect(QRectF(area.left(), line.top(), area.width(), line.height()),
                     side == ReportSide::kSource ? sourceTint_ : targetTint_);
  }
}
