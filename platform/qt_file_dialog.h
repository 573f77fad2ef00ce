#pragma once

#include <QFileDialog>
#include <QStringList>

#include "platform/file_dialog.h"

namespace varnel {

// The file-open dialog on Qt's QFileDialog.
class QtFileDialog : public FileOpenDialog {
 public:
  explicit QtFileDialog(QWidget* parent);

  void setFileName(const QString& name) override { fileName_ = name; }
  void setInitDir(const QString& folder) override { initDir_ = folder; }
  void setDialogTitle(const QString& title) override { title_ = title; }
  void setFlags(int flags) override { flags_ = flags; }
  void setDefaultExt(const QString& extension) override { defaultExt_ = extension; }
  void setFilter(const QString& filter) override { filters_ = NameFilters(filter); }
  void setOptions(int options) override { options_ = QFileDialog::Options(options); }
  void showOpen() override;
  QString fileName() const override { return fileName_; }

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
