#include "platform/qt_file_dialog.h"

#include <QApplication>
#include <QFileInfo>

#include "platform/local_name.h"

namespace varnel {

namespace {

// The dialog of one showing. The default extension is not handed to Qt: Qt
// would add it to every returned name that lacks one, so a file called README
// chosen in the desktop's own dialog would come back as README.txt. It is
// applied here instead, and only to a name that does not exist as it stands.
//
// There is no Q_OBJECT on purpose: Qt hands a dialog to the desktop only when
// its class is QFileDialog itself, and this one must stay native where Qt's
// set-up makes it so.
class ChooserDialog : public QFileDialog {
 public:
  ChooserDialog(QWidget* parent, const QString& title, const QString& folder,
                const QString& defaultExt)
      : QFileDialog(parent, title, folder), defaultExt_(defaultExt) {}

  // Qt's own dialog refuses a name that does not exist before it returns, so
  // a name typed without its extension is completed first: "notes" finds
  // notes.txt. A name that exists is left alone.
  void accept() override {
    const QStringList files = selectedFiles();
    if (files.size() == 1) {
      const QString meant = QtFileDialog::WithDefaultExt(files.constFirst(), defaultExt_);
      if (meant != files.constFirst()) selectFile(meant);
    }
    QFileDialog::accept();
  }

 private:
  QString defaultExt_;
};

}  // namespace

QtFileDialog::QtFileDialog(QWidget* parent) : parent_(parent) {}

QStringList QtFileDialog::NameFilters(const QString& filter) {
  const QStringList pieces = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < pieces.size(); i += 2) {
    QString description = pieces[i];
    QString pattern = pieces[i + 1];
    // Here a name need not hold a dot, so "all files" must not ask for one.
    if (pattern == QLatin1String("*.*")) {
      pattern = QStringLiteral("*");
      description.replace(QLatin1String("(*.*)"), QLatin1String("(*)"));
    }
    if (!description.endsWith(QLatin1Char(')')))
      description += QStringLiteral(" (%1)").arg(pattern);
    filters << description;
  }
  return filters;
}

// A new dialog for each showing: every setting is given afresh anyway, and a
// fresh dialog opens in the folder it is given rather than the last one seen.
void QtFileDialog::showOpen() {
  ChooserDialog dialog(parent_ ? parent_ : QApplication::activeWindow(), title_, initDir_,
                       defaultExt_);
  dialog.setOptions(options_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode((flags_ & kFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setNameFilters(filters_);
  if (!filters_.isEmpty()) dialog.selectNameFilter(filters_.last());
  if (!fileName_.isEmpty()) dialog.selectFile(fileName_);
  fileName_.clear();
  // A desktop's dialog may hand back a typed name as it was typed.
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    fileName_ = WithDefaultExt(dialog.selectedFiles().constFirst(), defaultExt_);
}

QByteArray QtFileDialog::fileName() const {
  return LocalFileName(fileName_);
}

QString QtFileDialog::WithDefaultExt(const QString& name, const QString& extension) {
  if (name.isEmpty() || extension.isEmpty() || QFileInfo::exists(name)) return name;
  if (QFileInfo(name).fileName().contains(QLatin1Char('.'))) return name;
  const QString completed = name + QLatin1Char('.') + extension;
  return QFileInfo::exists(completed) ? completed : name;
}

}  // namespace varnel
