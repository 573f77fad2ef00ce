#pragma once

#include <QFileDialog>
#include <QStringList>

#include "app/file_open_dialog.h"

namespace varnel {

// The file-open dialog on Qt's QFileDialog.
class QtFileDialog : public FileOpenDialog {
 public:
  // The dialog opens in front of `parent`, or of the active window without one.
  explicit QtFileDialog(QWidget* parent = nullptr);

  void setFileName(const QString& name) override { fileName_ = name; }
  void setInitDir(const QString& folder) override { initDir_ = folder; }
  void setDialogTitle(const QString& title) override { title_ = title; }
  void setFlags(int flags) override { flags_ = flags; }
  void setDefaultExt(const QString& extension) override { defaultExt_ = extension; }
  void setFilter(const QString& filter) override { filters_ = NameFilters(filter); }
  void setOptions(int options) override { options_ = QFileDialog::Options(options); }
  void showOpen() override;
  // Names that are not UTF-8 come back as the chosen file's own bytes (see
  // LocalFileName).
  QByteArray fileName() const override;

  // Qt's list of name filters for a '|'-joined filter text, in the same
  // order. "*.*" means every file, as it does where the text comes from.
  static QStringList NameFilters(const QString& filter);

  // The file meant by `name`: the name itself when something exists there;
  // else, when its last part has no extension and `name` + "." + `extension`
  // exists, that file; else `name` unchanged.
  static QString WithDefaultExt(const QString& name, const QString& extension);

 private:
  QWidget* parent_;
  QString fileName_, initDir_, title_, defaultExt_;
  QStringList filters_;
  int flags_ = 0;
  QFileDialog::Options options_;
};

}  // namespace varnel
