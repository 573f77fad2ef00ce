#pragma once

#include <QByteArray>
#include <QString>

namespace varnel {

// The file-open dialog as the file choosers drive it: settings first, then
// one modal showing, then the name the user chose. The program hands the
// window the real one; tests hand it a stand-in.
class FileOpenDialog {
 public:
  // The one flag the choosers set: only names of existing files are accepted.
  static constexpr int kFileMustExist = 0x1000;

  virtual ~FileOpenDialog() = default;

  virtual void setFileName(const QString& name) = 0;
  virtual void setInitDir(const QString& folder) = 0;
  virtual void setDialogTitle(const QString& title) = 0;
  virtual void setFlags(int flags) = 0;
  virtual void setDefaultExt(const QString& extension) = 0;
  // Descriptions and patterns alternate, separated by '|':
  // "Text Files (*.txt)|*.txt|All Files (*.*)|*.*".
  virtual void setFilter(const QString& filter) = 0;
  // Toolkit options of the dialog; the choosers clear them before each showing.
  virtual void setOptions(int options) = 0;
  // Shows the dialog and returns when the user has closed it.
  virtual void showOpen() = 0;
  // The full path of the chosen file, as the system's bytes for its name;
  // empty when the user cancelled.
  virtual QByteArray fileName() const = 0;
};

}  // namespace varnel
