#include "ui/fit_captions.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace varnel {

namespace {

// The least room kept between a control that grew and the next on its row,
// where they had that much, and between a grown control and the client
// area's right edge.
constexpr int kGap = 6;
constexpr int kRightMargin = 14;

bool SameRow(const QRect& a, const QRect& b) {
  return a.top() <= b.bottom() && b.top() <= a.bottom();
}

// A control that moved or grew to the right: where its right edge (just past
// it) was and is.
struct Mover {
  int oldRight;
  int newRight;
  int oldCentre;
};

class Fitter {
 public:
  Fitter(QWidget* window, QSize client) : client_(client), fitted_(client) {
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!child->isWindow()) controls_.push_back(child);
    }
    // Top to bottom, then left to right: a control that is moved is measured
    // where it then stands.
    std::stable_sort(controls_.begin(), controls_.end(), [](QWidget* a, QWidget* b) {
      return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
    });
  }

  QSize fit() {
    for (QWidget* control : controls_) {
      if (CaptionOf(control).isEmpty()) continue;
      const auto* label = qobject_cast<const QLabel*>(control);
      if (label != nullptr && label->wordWrap()) {
        lengthen(control);
      } else {
        widen(control);
      }
    }
    return fitted_;
  }

 private:
  // A caption on one line: the control's width that holds it, against the
  // part of the control that the client area shows.
  void widen(QWidget* control) {
    const QRect room = CaptionRoom(control);
    const int textWidth =
        control->fontMetrics().size(Qt::TextShowMnemonic, CaptionOf(control)).width();
    const int needed = control->width() - room.width() + textWidth;
    const int shown = std::min(control->width(), fitted_.width() - control->x());
    if (needed <= shown) return;
    const QRect old = control->geometry();
    if (needed > old.width()) {
      control->resize(needed, old.height());
      pushRight(old, old.x() + needed);
    }
    fitted_.setWidth(std::max(fitted_.width(), old.x() + needed + kRightMargin));
  }

  // Moves the controls to the right of `old` on its row out of the way of its
  // new right edge, and those to their right out of theirs. A control that
  // was inside the client area keeps its distance to the right edge.
  void pushRight(const QRect& old, int newRight) {
    std::vector<QWidget*> row;
    for (QWidget* other : controls_) {
      if (SameRow(other->geometry(), old) && other->x() > old.center().x()) row.push_back(other);
    }
    std::stable_sort(row.begin(), row.end(),
                     [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    std::vector<Mover> movers{{old.x() + old.width(), newRight, old.center().x()}};
    for (QWidget* other : row) {
      int left = other->x();
      for (const Mover& mover : movers) {
        if (other->x() > mover.oldCentre)
          left = std::max(left, mover.newRight + std::min(other->x() - mover.oldRight, kGap));
      }
      if (left == other->x()) continue;
      const QRect was = other->geometry();
      other->move(left, was.y());
      movers.push_back({was.x() + was.width(), left + was.width(), was.center().x()});
      if (was.x() + was.width() <= client_.width())
        fitted_.setWidth(std::max(fitted_.width(), client_.width() + left - was.x()));
    }
  }

  // A word-wrapped label: the height of its text at its width, against the
  // part of its room that the client area shows. It grows by whole lines.
  void lengthen(QWidget* control) {
    const auto* label = qobject_cast<const QLabel*>(control);
    const QRect room = label->contentsRect();
    const QFontMetrics metrics = label->fontMetrics();
    const int textHeight =
        metrics.boundingRect(QRect(0, 0, room.width(), 1 << 20), Qt::TextWordWrap, label->text())
            .height();
    const int shownHeight = std::min(room.bottom() + 1, fitted_.height() - label->y()) - room.top();
    if (textHeight <= shownHeight) return;
    const int line = metrics.lineSpacing();
    const int more = (textHeight - shownHeight + line - 1) / line * line;
    const QRect old = label->geometry();
    const int shown = std::min(old.height(), fitted_.height() - old.y());
    const int grown = std::max(old.height(), shown + more) - old.height();
    control->resize(old.width(), old.height() + grown);
    for (QWidget* other : controls_) {
      if (other != control && other->y() >= old.y() + old.height())
        other->move(other->x(), other->y() + grown);
    }
    fitted_.setHeight(fitted_.height() + more);
  }

  const QSize client_;
  QSize fitted_;
  std::vector<QWidget*> controls_;
};

}  // namespace

QString CaptionOf(const QWidget* control) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  return {};
}

QRect CaptionRoom(const QWidget* control) {
  QStyleOptionButton option;
  option.initFrom(control);
  if (const auto* button = qobject_cast<const QPushButton*>(control)) {
    option.text = button->text();
    if (button->autoDefault()) option.features |= QStyleOptionButton::AutoDefaultButton;
    if (button->isDefault()) option.features |= QStyleOptionButton::DefaultButton;
    return control->style()->subElementRect(QStyle::SE_PushButtonContents, &option, control);
  }
  if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
    option.text = box->text();
    return control->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, control);
  }
  return control->contentsRect();
}

QSize FitCaptions(QWidget* window, QSize client) {
  return Fitter(window, client).fit();
}

}  // namespace varnel
