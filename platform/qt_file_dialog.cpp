#include "platform/qt_file_dialog.h"

namespace varnel {

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
  QFileDialog dialog(parent_, title_, initDir_);
  dialog.setOptions(options_);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode((flags_ & kFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(defaultExt_);
  dialog.setNameFilters(filters_);
  if (!filters_.isEmpty()) dialog.selectNameFilter(filters_.last());
  if (!fileName_.isEmpty()) dialog.selectFile(fileName_);
  fileName_.clear();
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    fileName_ = dialog.selectedFiles().constFirst();
}

}  // namespace varnel
