#include "about/frm_about.h"

#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include "ui/program_fonts.h"
#include "ui/program_icon.h"

namespace {

QPointer<frmAbout> OpenAbout() {
  QPointer<frmAbout> about = new frmAbout();
  about->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(about));
  return about;
}

void FlushDeletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class FrmAboutTest : public testing::Test {
 protected:
  void SetUp() override { about = OpenAbout(); }
  void TearDown() override {
    delete about;
    FlushDeletes();
  }

  template <typename T>
  T* child(const char* name) {
    T* found = about->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  QString text(const char* label) { return child<QLabel>(label)->text(); }

  QPointer<frmAbout> about;
};

TEST_F(FrmAboutTest, TitleAndVersionComeFromTheProgramIdentity) {
  EXPECT_EQ(about->windowTitle(), QStringLiteral("About Varnel"));
  EXPECT_EQ(text("lblTitle"), QStringLiteral("Varnel"));
  // The version the build was configured with, written as the build writes it:
  // plain numbers, no padding ("1.00.0004" would be wrong).
  EXPECT_EQ(text("lblVersion"), QStringLiteral("Version " VARNEL_TEST_VERSION));
}

TEST_F(FrmAboutTest, DescriptionAndNotices) {
  EXPECT_EQ(text("lblDescription"), QStringLiteral("File compare utility."));
  EXPECT_TRUE(text("lblWeb").endsWith(QStringLiteral(".example.org/")))
      << text("lblWeb").toStdString();
  const QString disclaimer = text("lblDisclaimer");
  ASSERT_TRUE(disclaimer.startsWith(QStringLiteral("Warning: ...")));
  EXPECT_FALSE(disclaimer.at(12).isSpace());
}

TEST_F(FrmAboutTest, ControlsSitAtTheirPlaces) {
  EXPECT_EQ(about->size(), QSize(382, 209));
  EXPECT_EQ(child<QPushButton>("cmdOK")->geometry(), QRect(290, 175, 84, 23));
  EXPECT_EQ(child<QLabel>("picIcon")->geometry(), QRect(16, 16, 36, 36));
  EXPECT_EQ(child<QLabel>("lblTitle")->geometry(), QRect(70, 16, 259, 32));
  EXPECT_EQ(child<QLabel>("lblVersion")->geometry(), QRect(70, 46, 259, 15));
  EXPECT_EQ(child<QLabel>("lblWeb")->geometry(), QRect(69, 98, 259, 52));
  EXPECT_EQ(child<QLabel>("lblDisclaimer")->geometry(), QRect(16, 178, 281, 55));
}

TEST_F(FrmAboutTest, FrameIsFixedWithOnlyACloseBox) {
  EXPECT_EQ(about->minimumSize(), about->maximumSize());
  const Qt::WindowFlags flags = about->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

// Modeless and without an owner, so that it keeps the program running on
// its own when the main window closes.
TEST_F(FrmAboutTest, IsAnIndependentModelessWindow) {
  EXPECT_EQ(about->parentWidget(), nullptr);
  EXPECT_FALSE(about->isModal());
  EXPECT_EQ(about->windowHandle()->transientParent(), nullptr);
  EXPECT_TRUE(about->testAttribute(Qt::WA_QuitOnClose));
}

// The picture fills its 32 x 32 box with as many pixels as the screen has
// there: the 64 pixel rendering on a 2x screen, not the 32 pixel one blown up.
// The build runs this test with QT_SCALE_FACTOR at 1.5 and 2 as well.
TEST_F(FrmAboutTest, ShowsTheProgramIconAtTheScreensPixelRatio) {
  const qreal ratio = about->devicePixelRatioF();
  ASSERT_EQ(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
  const QPixmap shown = child<QLabel>("picIcon")->pixmap();
  EXPECT_EQ(shown.deviceIndependentSize(), QSizeF(32, 32));
  EXPECT_EQ(shown.devicePixelRatio(), ratio);
  EXPECT_EQ(shown.toImage(), varnel::ProgramPixmap(ratio).toImage());
}

TEST_F(FrmAboutTest, FontsOfTheLabels) {
  const QFont title = child<QLabel>("lblTitle")->font();
  EXPECT_DOUBLE_EQ(title.pointSizeF(), 12.0);
  EXPECT_TRUE(title.bold());
  EXPECT_DOUBLE_EQ(child<QLabel>("lblDescription")->font().pointSizeF(), 9.75);
  EXPECT_EQ(child<QPushButton>("cmdOK")->font(), varnel::WindowFont());
  EXPECT_EQ(child<QLabel>("lblWeb")->font(), varnel::WindowFont());
}

// Each label's wrapped text must fit the part of the label that the window
// shows: the disclaimer runs past the lower edge, and the OK button covers
// its right end.
TEST_F(FrmAboutTest, NoTextIsCutOff) {
  for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "lblWeb", "lblDisclaimer"}) {
    const QLabel* label = child<QLabel>(name);
    const QRect room =
        label->contentsRect().intersected(QRect(QPoint(), about->size()).translated(-label->pos()));
    const QRect textRect = QFontMetrics(label->font())
                               .boundingRect(QRect(room.topLeft(), QSize(room.width(), 10000)),
                                             Qt::TextWordWrap, label->text());
    EXPECT_TRUE(room.contains(textRect)) << name;
  }
  const QRect button = child<QPushButton>("cmdOK")->geometry();
  const QLabel* disclaimer = child<QLabel>("lblDisclaimer");
  const QRect disclaimerText = disclaimer->contentsRect().translated(disclaimer->pos());
  EXPECT_LT(disclaimerText.right(), button.left());
}

// A palette as a dark theme hands it over: a dark face with light text.
QPalette DarkPalette() {
  QPalette dark(QColor(50, 50, 50), QColor(50, 50, 50));
  dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
  dark.setColor(QPalette::Dark, QColor(33, 33, 33));
  dark.setColor(QPalette::Light, QColor(75, 75, 75));
  return dark;
}

// The description and the notices are black where black is readable, and in
// the theme's text colour on a dark face; the etched rule follows the face
// too. A palette switched while the window is open takes effect at once.
TEST_F(FrmAboutTest, TextsAndRuleFollowTheFace) {
  const auto expectColours = [this](const QColor& text, const QColor& shadow,
                                    const QColor& light) {
    for (const char* name : {"lblDescription", "lblWeb", "lblDisclaimer"})
      EXPECT_EQ(child<QLabel>(name)->palette().color(QPalette::WindowText), text) << name;
    const QImage shot = about->grab().toImage();
    EXPECT_EQ(shot.pixelColor(200, 163), shadow);
    EXPECT_EQ(shot.pixelColor(200, 164), light);
    EXPECT_EQ(shot.pixelColor(200, 165), light);
  };
  about->setPalette(QPalette(QColor(240, 240, 240)));
  expectColours(Qt::black, QColor(128, 128, 128), Qt::white);
  about->setPalette(DarkPalette());
  expectColours(QColor(240, 240, 240), QColor(33, 33, 33), QColor(75, 75, 75));
  // A mid grey on which black still reaches 4.5:1 counts as light.
  about->setPalette(QPalette(QColor(128, 128, 128)));
  expectColours(Qt::black, QColor(128, 128, 128), Qt::white);
}

// Every way of closing the window discards it; the keys do it by pressing OK.
enum class CloseBy { kOkClick, kReturn, kEnter, kEscape, kCloseBox };

class FrmAboutCloseTest : public testing::TestWithParam<CloseBy> {};

TEST_P(FrmAboutCloseTest, DiscardsTheWindow) {
  QPointer<frmAbout> about = OpenAbout();
  QSignalSpy clicks(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), &QPushButton::clicked);
  switch (GetParam()) {
    case CloseBy::kOkClick:
      QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
      break;
    case CloseBy::kReturn:
      QTest::keyClick(about, Qt::Key_Return);
      break;
    case CloseBy::kEnter:
      QTest::keyClick(about, Qt::Key_Enter);
      break;
    case CloseBy::kEscape:
      QTest::keyClick(about, Qt::Key_Escape);
      break;
    case CloseBy::kCloseBox:
      about->close();
      break;
  }
  EXPECT_EQ(clicks.count(), GetParam() == CloseBy::kCloseBox ? 0 : 1);
  FlushDeletes();
  EXPECT_TRUE(about.isNull());
  delete about;
}

INSTANTIATE_TEST_SUITE_P(EveryWay, FrmAboutCloseTest,
                         testing::Values(CloseBy::kOkClick, CloseBy::kReturn, CloseBy::kEnter,
                                         CloseBy::kEscape, CloseBy::kCloseBox));

TEST(FrmAboutReopenTest, OpeningAgainShowsTheSameTexts) {
  QPointer<frmAbout> first = OpenAbout();
  const QString title = first->windowTitle();
  const QString version = first->findChild<QLabel*>(QStringLiteral("lblVersion"))->text();
  first->close();
  FlushDeletes();
  ASSERT_TRUE(first.isNull());

  QPointer<frmAbout> second = OpenAbout();
  EXPECT_EQ(second->windowTitle(), title);
  EXPECT_EQ(second->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), version);
  EXPECT_EQ(second->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(),
            QStringLiteral("Varnel"));
  delete second;
}

}  // namespace
