#include "report/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

FindBar::FindBar(QPlainTextEdit* text, QWidget* parent) : QWidget(parent), text_(text) {
  auto* layout = new QHBoxLayout(this);
  createField();
  createButtons();
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("findNote"));
  layout->addWidget(note_, 1);
  hide();
}

void FindBar::createField() {
  auto* label = new QLabel(tr("&Find:"), this);
  field_ = new QLineEdit(this);
  field_->setObjectName(QStringLiteral("findField"));
  field_->setAccessibleName(tr("Find"));
  label->setBuddy(field_);
  field_->installEventFilter(this);
  connect(field_, &QLineEdit::textEdited, this, &FindBar::findAsTyped);
  layout()->addWidget(label);
  layout()->addWidget(field_);
}

void FindBar::createButtons() {
  auto* previous = new QPushButton(tr("&Previous"), this);
  auto* next = new QPushButton(tr("&Next"), this);
  for (QPushButton* button : {previous, next}) {
    button->setAutoDefault(false);
    layout()->addWidget(button);
  }
  connect(previous, &QPushButton::clicked, this, &FindBar::findPrevious);
  connect(next, &QPushButton::clicked, this, &FindBar::findNext);
}

void FindBar::open() {
  show();
  field_->setFocus(Qt::ShortcutFocusReason);
  field_->selectAll();
}

void FindBar::dismiss() {
  hide();
  note_->clear();
  text_->setFocus(Qt::OtherFocusReason);
}

void FindBar::findNext() {
  findOn({});
}

void FindBar::findPrevious() {
  findOn(QTextDocument::FindBackward);
}

void FindBar::findOn(QTextDocument::FindFlags flags) {
  if (field_->text().isEmpty()) {
    open();
    return;
  }
  find(text_->textCursor(), flags);
}

// Each letter typed searches again from where the current match begins, so
// the match grows with the text rather than jumping ahead.
void FindBar::findAsTyped() {
  QTextCursor from = text_->textCursor();
  from.setPosition(from.selectionStart());
  if (field_->text().isEmpty()) {
    text_->setTextCursor(from);
    note_->clear();
    return;
  }
  find(from, {});
}

void FindBar::find(const QTextCursor& from, QTextDocument::FindFlags flags) {
  QTextDocument* document = text_->document();
  QTextCursor found = document->find(field_->text(), from, flags);
  QString note;
  if (found.isNull()) {
    const bool backward = flags.testFlag(QTextDocument::FindBackward);
    QTextCursor edge(document);
    edge.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    found = document->find(field_->text(), edge, flags);
    note = found.isNull() ? tr("Not found")
           : backward     ? tr("Went on from the end")
                          : tr("Went on from the start");
  }
  if (!found.isNull()) text_->setTextCursor(found);
  note_->setText(note);
}

// Enter in the field finds the next match, Shift+Enter the previous one.
bool FindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == field_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      key->modifiers().testFlag(Qt::ShiftModifier) ? findPrevious() : findNext();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
