#include "report/report_window.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "report/report_head.h"
#include "ui/contrast.h"

namespace {

void FlushDeletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class ReportWindowTest : public testing::Test {
 protected:
  void TearDown() override {
    delete window;
    FlushDeletes();
  }

  std::string writeReport(const QByteArray& bytes, const char* name = "FC_test.txt") {
    QFile file(folder.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return QFile::encodeName(file.fileName()).toStdString();
  }

  // Opens the window on a report holding `bytes` and waits until it is shown
  // and active, so that its shortcuts take keys.
  void open(const QByteArray& bytes, const std::string& source = "/home/u/old.txt",
            const std::string& target = "/home/u/new.txt") {
    std::string reason;
    window = ReportWindow::Open(writeReport(bytes), source, target, &reason);
    ASSERT_NE(window, nullptr) << reason;
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }

  QPlainTextEdit* text() {
    return window->findChild<QPlainTextEdit*>(QStringLiteral("reportText"));
  }
  QLineEdit* findField() { return window->findChild<QLineEdit*>(QStringLiteral("findField")); }
  QString findNote() { return window->findChild<QLabel*>(QStringLiteral("findNote"))->text(); }
  QString selected() { return text()->textCursor().selectedText(); }
  int selectedLine() { return text()->textCursor().blockNumber(); }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }

  // The colour at the right edge of the window's text on `line`, scrolled
  // into view: a tint spans the whole width, not only the characters.
  QColor background(int line) {
    QTextCursor cursor(text()->document()->findBlockByNumber(line));
    text()->setTextCursor(cursor);
    text()->ensureCursorVisible();
    const QImage image = text()->viewport()->grab().toImage();
    return image.pixelColor(image.width() - 2, text()->cursorRect().center().y());
  }

  // One letter for each line of the window's text: '.' for the plain
  // background, 'S' for the first tint met and 'T' for the second. Each
  // report here shows a line of its first file before any of its second.
  std::string tints() {
    const QColor plain = text()->palette().color(QPalette::Base);
    QList<QColor> seen;
    std::string letters;
    for (int line = 0; line < text()->document()->blockCount(); ++line) {
      const QColor colour = background(line);
      if (colour != plain && !seen.contains(colour)) seen.append(colour);
      letters += colour == plain ? '.' : "ST?"[std::min<qsizetype>(seen.indexOf(colour), 2)];
    }
    return letters;
  }

  QTemporaryDir folder;
  QPointer<ReportWindow> window;
};

struct TintCase {
  const char* what;
  QByteArray report;
  const char* tints;
};

// The sides are found by the names the report itself gives, and a line that
// only looks like a header stays on its side.
TEST_F(ReportWindowTest, TintsEachSideOfEachBlockAndNothingElse) {
  const TintCase cases[] = {
      {"names that hold \" and \", a file line \"*****\"",
       "Comparing files old and new.txt and new and old.txt\n"
       "***** old and new.txt\nalpha\n*****\n***** new and old.txt\nalpha\n"
       "***** old and new.txt\n*****\n\n"
       "***** old and new.txt\nbeta\n***** new and old.txt\n*****\n\n",
       "..SS.TT.."
       ".S...."},
      {"the same file on both sides",
       "Comparing files a.txt and a.txt\n***** a.txt\none\n***** a.txt\ntwo\n*****\n\n"
       "***** a.txt\nthree\n***** a.txt\nfour\nfive\n*****\n\n",
       "..S.T.."
       ".S.TT..."},
      {"numbered lines, a side cut short, and a failed resync",
       "Comparing files x and y\n***** x\n    1:  a\n  ...\n    9:  b\n"
       "***** y\n    1:  c\n*****\n\n"
       "Resync failed.  Files are too different.\nx line 12, y line 14\n",
       "..SSS.T.."
       "..."},
      {"no differences", "Comparing files a and b\nFC: no differences encountered\n\n", "...."},
      {"a binary comparison",
       "Comparing files a.bin and b.bin\n00000000: 41 61\nFC: b.bin longer than a.bin\n\n",
       "....."},
      {"a complaint", "FC: cannot open a - No such file or directory\n", ".."},
      {"a header whose name is not on the first line",
       "Comparing files a and b\n***** c\none\n***** b\ntwo\n*****\n\n", "........"},
  };
  for (const TintCase& c : cases) {
    SCOPED_TRACE(c.what);
    open(c.report);
    EXPECT_EQ(tints(), c.tints);
    delete window;
  }
}

QPalette Theme(QColor window, QColor base, QColor text) {
  QPalette palette(window);
  palette.setColor(QPalette::Base, base);
  palette.setColor(QPalette::Text, text);
  return palette;
}

// Each palette comes while the window is open, as when the desktop's theme
// is switched. Black on the grey is just readable: a full share of either
// hue would take it below the bound.
TEST_F(ReportWindowTest, TintsKeepTheTextReadableOnEveryTheme) {
  open("Comparing files a and b\n***** a\none\n***** b\ntwo\n*****\n\n");
  for (const QPalette& palette :
       {Theme(QColor(240, 240, 240), Qt::white, Qt::black),
        Theme(QColor(48, 48, 48), QColor(30, 30, 30), QColor(230, 230, 230)),
        Theme(QColor(240, 240, 240), QColor(118, 118, 118), Qt::black)}) {
    SCOPED_TRACE(palette.color(QPalette::Base).name().toStdString());
    window->setPalette(palette);
    const QColor source = background(2);
    const QColor target = background(4);
    EXPECT_NE(source, palette.color(QPalette::Base));
    EXPECT_NE(source, target);
    for (const QColor& tint : {source, target})
      EXPECT_GE(varnel::Contrast(tint, palette.color(QPalette::Text)), varnel::kReadableContrast);
  }
}

// A generated report of 64 MiB: lines of `lineLength` bytes on average.
QByteArray LargeReport(int lineLength) {
  QByteArray block = "Comparing files a and b\n";
  for (int n = 0; block.size() < (1 << 20); ++n) {
    block += "***** a\n" + QByteArray(n % (2 * lineLength), 'x') + "\n***** b\n" +
             QByteArray::number(n) + "\n*****\n\n";
  }
  return block.repeated(64);
}

// Only whole lines of the report are shown, within the bounds, and a plain
// line after them names the file that holds the rest. Long lines reach the
// byte bound first, short ones the line bound.
TEST_F(ReportWindowTest, ShowsABoundedHeadOfALargeReport) {
  for (int lineLength : {100, 4}) {
    SCOPED_TRACE(lineLength);
    const QByteArray report = LargeReport(lineLength);
    open(report);
    const QTextDocument* document = text()->document();
    const QString note = document->lastBlock().text();
    const QByteArray shown = text()->toPlainText().chopped(note.size()).toUtf8();
    EXPECT_LE(shown.size(), varnel::kHeadBytes);
    EXPECT_LE(shown.count('\n'), varnel::kHeadLines);
    EXPECT_TRUE(report.startsWith(shown));
    EXPECT_TRUE(shown.endsWith('\n'));
    EXPECT_TRUE(note.contains(window->findChild<QLabel*>(QStringLiteral("reportFile"))->text()))
        << note.toStdString();
    EXPECT_EQ(background(document->blockCount() - 1), text()->palette().color(QPalette::Base));
    delete window;
  }
}

// A line too long to lay out at once is cut, between two characters; bytes
// that are not UTF-8 show as U+FFFD; the line after a cut one is shown whole.
// A report of one endless line shows that line cut rather than nothing.
TEST_F(ReportWindowTest, CutsLongLinesAndShowsStrayBytes) {
  // The bound falls on the second byte of an "é".
  const QByteArray longLine = "a" + QByteArray("\xc3\xa9").repeated(varnel::kLongestLine);
  open("Comparing files a and b\n" + longLine + "\nbad \xff\xfe end\n");
  const QTextDocument* document = text()->document();
  const QString cut = document->findBlockByNumber(1).text();
  const qsizetype kept = varnel::kLongestLine / 2;
  EXPECT_EQ(cut.left(kept), QLatin1Char('a') + QString(kept - 1, QChar(0xe9)));
  EXPECT_LT(cut.size(), kept + 80);
  EXPECT_FALSE(cut.contains(QChar::ReplacementCharacter));
  EXPECT_EQ(document->findBlockByNumber(2).text(), QStringLiteral("bad \ufffd\ufffd end"));
  EXPECT_EQ(document->blockCount(), 4);
  delete window;

  open("Comparing files a and b\n" + QByteArray(3 * varnel::kHeadBytes, 'x'));
  EXPECT_EQ(text()->document()->blockCount(), 3);
  EXPECT_TRUE(text()->document()->findBlockByNumber(1).text().startsWith(
      QString(varnel::kLongestLine, QLatin1Char('x'))));
}

// F3 and Enter go on, Shift with them goes back, round the ends; text that
// is nowhere leaves the selection where it was and says so.
TEST_F(ReportWindowTest, FindsForwardAndBackwardAndGoesRound) {
  open("Comparing files a and b\n***** a\nfirst match\n***** b\nsecond MATCH\n*****\n\n");
  press(Qt::Key_F, Qt::ControlModifier);
  ASSERT_EQ(QApplication::focusWidget(), findField());
  QTest::keyClicks(findField(), QStringLiteral("match"));
  EXPECT_EQ(selectedLine(), 2);
  press(Qt::Key_F3);
  EXPECT_EQ(selectedLine(), 4);
  EXPECT_EQ(selected(), QStringLiteral("MATCH"));
  EXPECT_EQ(findNote(), QString());
  press(Qt::Key_Return);
  EXPECT_EQ(selectedLine(), 2);
  EXPECT_FALSE(findNote().isEmpty());
  press(Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(selectedLine(), 4);
  press(Qt::Key_Return, Qt::ShiftModifier);
  EXPECT_EQ(selectedLine(), 2);
  QTest::keyClicks(findField(), QStringLiteral("!"));
  EXPECT_EQ(selectedLine(), 2);
  EXPECT_EQ(findNote(), QStringLiteral("Not found"));
}

// The text has the focus, cannot be changed, and is copied whole; Escape
// closes the find bar first, then the window; Ctrl+W closes the window from
// the find bar too.
TEST_F(ReportWindowTest, IsAReadOnlyViewerThatTheKeysClose) {
  const QByteArray report = "Comparing files a and b\nFC: no differences encountered\n\n";
  open(report);
  EXPECT_EQ(QApplication::focusWidget(), text());
  press(Qt::Key_X);
  press(Qt::Key_A, Qt::ControlModifier);
  press(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromLatin1(report));
  press(Qt::Key_F, Qt::ControlModifier);
  press(Qt::Key_Escape);
  EXPECT_FALSE(findField()->isVisible());
  EXPECT_EQ(QApplication::focusWidget(), text());
  press(Qt::Key_Escape);
  FlushDeletes();
  EXPECT_TRUE(window.isNull());

  open(report);
  press(Qt::Key_F, Qt::ControlModifier);
  press(Qt::Key_W, Qt::ControlModifier);
  FlushDeletes();
  EXPECT_TRUE(window.isNull());
}

}  // namespace
