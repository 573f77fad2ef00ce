// The bar under a report's text that searches it: a field, Previous and
// Next, and a note that says when the search went round or found nothing.
#pragma once

#include <QTextDocument>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTextCursor;

class FindBar : public QWidget {
  Q_OBJECT

 public:
  // Builds the bar, hidden, for `text`, which must outlive it.
  explicit FindBar(QPlainTextEdit* text, QWidget* parent = nullptr);

 public slots:
  // Shows the bar and puts the focus in its field, with what it holds selected.
  void open();
  // Hides the bar and gives the focus back to the text.
  void dismiss();
  // Selects the next (previous) match of the field's text, going round past
  // the end (the start) of the text; the note says so, or says that there is
  // no match. With the field empty, opens the bar instead.
  void findNext();
  void findPrevious();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void createField();
  void createButtons();
  void findAsTyped();
  // From the current match on, or opens the bar where the field is empty.
  void findOn(QTextDocument::FindFlags flags);
  void find(const QTextCursor& from, QTextDocument::FindFlags flags);

  QPlainTextEdit* text_;
  QLineEdit* field_ = nullptr;
  QLabel* note_ = nullptr;
};
