// A count field of the main window: a one-line text field that shows a
// warning sign while its text will not count as typed.
#pragma once

#include <QLineEdit>

class CountField : public QLineEdit {
  Q_OBJECT

 public:
  explicit CountField(QWidget* parent = nullptr);

  // Shows the warning sign beside the text, with `why` as the tool tip, which
  // screen readers read as the field's description; an empty `why` takes both
  // away again.
  void setWarning(const QString& why);
  bool hasWarning() const { return !toolTip().isEmpty(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int signSize() const;
};
