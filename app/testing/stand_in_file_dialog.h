// Test support: a stand-in for the file-open dialog.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <stdexcept>
#include <vector>

#include "app/file_open_dialog.h"

namespace varnel {

// Keeps each setting as it was when the dialog was shown, and gives back the
// next of `answers` as the chosen name (none: cancelled). Setting the filter
// throws while `failFilter` is set.
class StandInFileDialog : public FileOpenDialog {
 public:
  struct Showing {
    QString fileName, initDir, title, defaultExt, filter;
    int flags, options;
  };

  void setFileName(const QString& name) override { current.fileName = name; }
  void setInitDir(const QString& folder) override { current.initDir = folder; }
  void setDialogTitle(const QString& title) override { current.title = title; }
  void setFlags(int flags) override { current.flags = flags; }
  void setDefaultExt(const QString& extension) override { current.defaultExt = extension; }
  void setFilter(const QString& filter) override {
    if (failFilter) throw std::runtime_error("no filters today");
    current.filter = filter;
  }
  void setOptions(int options) override { current.options = options; }
  void showOpen() override {
    showings.push_back(current);
    chosen_ = answers.isEmpty() ? QByteArray() : answers.takeFirst();
  }
  QByteArray fileName() const override { return chosen_; }

  Showing current{QStringLiteral("stale"), QStringLiteral("stale"), {}, {}, {}, -1, -1};
  std::vector<Showing> showings;
  QList<QByteArray> answers;
  bool failFilter = false;

 private:
  QByteArray chosen_ = "stale";
};

}  // namespace varnel
