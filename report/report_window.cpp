#include "report/report_window.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>

#include "report/find_bar.h"
#include "report/report_head.h"
#include "report/report_view.h"
#include "ui/program_icon.h"

namespace {

// The text's share of the screen at first: room for a report's usual lines.
constexpr int kColumns = 100;
constexpr int kLines = 40;

QString FromSystem(const std::string& bytes) {
  return QFile::decodeName(QByteArray::fromStdString(bytes));
}

}  // namespace

ReportWindow* ReportWindow::Open(const std::string& reportFile, const std::string& source,
                                 const std::string& target, std::string* reason) {
  varnel::ReportHead head;
  if (!varnel::ReadReportHead(reportFile, tr(" [… this line goes on in the report file]"), &head,
                              reason)) {
    return nullptr;
  }
  auto* window = new ReportWindow(FromSystem(reportFile), FromSystem(source), FromSystem(target));
  window->showReport(head);
  return window;
}

ReportWindow::ReportWindow(const QString& reportFile, const QString& source, const QString& target)
    : QWidget(nullptr), reportFile_(QFileInfo(reportFile).absoluteFilePath()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(varnel::ProgramIcon());
  setWindowTitle(tr("%1 and %2 – %3")
                     .arg(QFileInfo(source).fileName(), QFileInfo(target).fileName(),
                          QFileInfo(reportFile).fileName()));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  createText();
  createFileLine();
  createShortcuts();
  resize(initialSize());
}

void ReportWindow::createText() {
  text_ = new ReportView(this);
  text_->setObjectName(QStringLiteral("reportText"));
  findBar_ = new FindBar(text_, this);
  findBar_->setObjectName(QStringLiteral("findBar"));
  layout()->addWidget(text_);
  layout()->addWidget(findBar_);
  text_->setFocus();
}

// The report file's full path, which the user can select and copy to find
// the file again. A long path is cut off at the window's edge rather than
// widening the window.
void ReportWindow::createFileLine() {
  auto* line = new QWidget(this);
  auto* layout = new QHBoxLayout(line);
  auto* caption = new QLabel(tr("Report file:"), line);
  fileLine_ = new QLabel(line);
  fileLine_->setObjectName(QStringLiteral("reportFile"));
  fileLine_->setTextFormat(Qt::PlainText);
  fileLine_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  fileLine_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  fileLine_->setText(reportFile_);
  layout->addWidget(caption);
  layout->addWidget(fileLine_, 1);
  this->layout()->addWidget(line);
}

// The desktop's own keys for each action where it has any, and the usual
// ones besides.
void ReportWindow::createShortcuts() {
  connect(createShortcut(QKeySequence::Find, QKeySequence(Qt::CTRL | Qt::Key_F)),
          &QShortcut::activated, findBar_, &FindBar::open);
  connect(createShortcut(QKeySequence::FindNext, QKeySequence(Qt::Key_F3)), &QShortcut::activated,
          findBar_, &FindBar::findNext);
  connect(createShortcut(QKeySequence::FindPrevious, QKeySequence(Qt::SHIFT | Qt::Key_F3)),
          &QShortcut::activated, findBar_, &FindBar::findPrevious);
  connect(createShortcut(QKeySequence::Close, QKeySequence(Qt::CTRL | Qt::Key_W)),
          &QShortcut::activated, this, &QWidget::close);
  connect(createShortcut(QKeySequence::Cancel, QKeySequence(Qt::Key_Escape)), &QShortcut::activated,
          this, &ReportWindow::closeFindBarOrWindow);
}

QShortcut* ReportWindow::createShortcut(QKeySequence::StandardKey standard,
                                        const QKeySequence& key) {
  QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
  if (!keys.contains(key)) keys.prepend(key);
  auto* shortcut = new QShortcut(this);
  shortcut->setKeys(keys);
  return shortcut;
}

// Room for kColumns by kLines of the report, within most of the screen.
QSize ReportWindow::initialSize() const {
  const QFontMetrics metrics(text_->font());
  const QSize wanted = sizeHint().expandedTo(QSize(
      metrics.horizontalAdvance(QLatin1Char('x')) * kColumns, metrics.lineSpacing() * kLines));
  return wanted.boundedTo(screen()->availableSize() * 9 / 10);
}

// The text is tinted up to the report's own end: a note that the report
// goes on stays plain.
void ReportWindow::showReport(const varnel::ReportHead& head) {
  QString text = head.text;
  const qsizetype reportLength = text.size();
  if (!head.complete)
    text += tr("[The report goes on past this point; the rest is in the file %1]").arg(reportFile_);
  text_->showReport(text, reportLength);
}

void ReportWindow::closeFindBarOrWindow() {
  if (findBar_->isVisible()) {
    findBar_->dismiss();
    return;
  }
  close();
}
