// A window of its own for a comparison's report, for where the desktop has
// no viewer that can show it: the report's text, a find bar, and a line
// naming the report file.
#pragma once

#include <QKeySequence>
#include <QWidget>
#include <string>

namespace varnel {
struct ReportHead;
}  // namespace varnel

class FindBar;
class QLabel;
class QShortcut;
class ReportView;

class ReportWindow : public QWidget {
  Q_OBJECT

 public:
  // Makes a window for the report `reportFile` (a path as the system's
  // bytes), from a comparison that read `source` and `target` (as the user
  // named them, the system's bytes). Returns nullptr, with the system's
  // reason in *reason, when the report cannot be read. The window has no
  // parent and deletes itself when closed; call show() to show it.
  static ReportWindow* Open(const std::string& reportFile, const std::string& source,
                            const std::string& target, std::string* reason);

 public slots:
  // Closes the find bar where it is open, else the window.
  void closeFindBarOrWindow();

 private:
  ReportWindow(const QString& reportFile, const QString& source, const QString& target);

  void showReport(const varnel::ReportHead& head);
  void createText();
  void createFileLine();
  void createShortcuts();
  QShortcut* createShortcut(QKeySequence::StandardKey standard, const QKeySequence& key);
  QSize initialSize() const;

  QString reportFile_;
  ReportView* text_ = nullptr;
  FindBar* findBar_ = nullptr;
  QLabel* fileLine_ = nullptr;
};
