// The text of a report window: read-only, in the desktop's fixed-width font,
// unwrapped, with the two sides of each block in tints of their own.
#pragma once

#include <QColor>
#include <QPlainTextEdit>

class ReportView : public QPlainTextEdit {
  Q_OBJECT

 public:
  // Builds the view empty, with the tints of the current palette.
  explicit ReportView(QWidget* parent = nullptr);

  // Shows `text`, whose first `reportLength` characters are lines of a report:
  // those lines are tinted by the side they stand on, the rest stays plain.
  // Never fails.
  void showReport(const QString& text, qsizetype reportLength);

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void markSides(qsizetype reportLength);
  void pickTints();
  void paintTints(const QRect& area);

  QColor sourceTint_;
  QColor targetTint_;
};
