#include "ui/fit_captions.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// A small window laid out in fixed pixels: a label, a field and a button on
// one row, a word-wrapped label under them and a button at the bottom.
class FitCaptionsTest : public testing::Test {
 protected:
  FitCaptionsTest() {
    label->setGeometry(10, 10, 40, 20);
    field->setGeometry(55, 10, 100, 20);
    browse->setGeometry(154, 10, 20, 20);
    note->setWordWrap(true);
    note->setGeometry(10, 40, 160, 30);
    ok->setGeometry(100, 80, 80, 24);
  }

  QSize fit() { return varnel::FitCaptions(&window, kClient); }

  // A text of `lines` lines at the note's width.
  QString linesOfText(int lines) {
    QString text;
    while (note->fontMetrics()
               .boundingRect(QRect(0, 0, note->contentsRect().width(), 1 << 20), Qt::TextWordWrap,
                             text + QStringLiteral(" word"))
               .height() <= lines * note->fontMetrics().height())
      text += QStringLiteral(" word");
    return text.trimmed();
  }

  const QSize kClient{200, 110};
  QWidget window;
  QLabel* label = new QLabel(QStringLiteral("Name"), &window);
  QLineEdit* field = new QLineEdit(&window);
  QPushButton* browse = new QPushButton(QStringLiteral("..."), &window);
  QLabel* note = new QLabel(QStringLiteral("Short"), &window);
  QPushButton* ok = new QPushButton(QStringLiteral("OK"), &window);
};

TEST_F(FitCaptionsTest, CaptionsThatFitChangeNothing) {
  EXPECT_EQ(fit(), kClient);
  EXPECT_EQ(label->geometry(), QRect(10, 10, 40, 20));
  EXPECT_EQ(field->geometry(), QRect(55, 10, 100, 20));
  EXPECT_EQ(note->geometry(), QRect(10, 40, 160, 30));
}

// The field and its button move along, the button keeping its overlap with
// the field, and the window keeps its right margin; the next row stays.
TEST_F(FitCaptionsTest, AWiderCaptionPushesItsRowAndWidensTheWindow) {
  label->setText(QStringLiteral("A much longer name"));
  const int needed = label->fontMetrics().size(Qt::TextShowMnemonic, label->text()).width();
  const QSize fitted = fit();
  EXPECT_EQ(label->width(), needed);
  EXPECT_EQ(field->x(), 10 + needed + 5);
  EXPECT_EQ(browse->x(), field->x() + field->width() - 1);
  EXPECT_EQ(fitted, QSize(kClient.width() + field->x() - 55, kClient.height()));
  EXPECT_EQ(ok->pos(), QPoint(100, 80));
}

// The note grows by whole lines, and what lies below moves down as much.
TEST_F(FitCaptionsTest, AWrappedLabelThatNeedsMoreLinesGrowsDownwards) {
  note->setText(linesOfText(4));
  const int line = note->fontMetrics().height();
  const QSize fitted = fit();
  const int grown = note->height() - 30;
  EXPECT_GE(grown, 4 * line - 30);
  EXPECT_EQ(grown % line, 0);
  EXPECT_EQ(ok->y(), 80 + grown);
  EXPECT_EQ(fitted, QSize(kClient.width(), kClient.height() + grown));
  EXPECT_EQ(field->y(), 10);
}

}  // namespace
