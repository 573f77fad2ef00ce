#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "app/file_open_dialog.h"
#include "compare/switches.h"

class CountField;
class FileField;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class frmAbout;

namespace varnel {
class Platform;
}  // namespace varnel

// The main window: the two file fields with their browse buttons, Compare,
// the Details toggle, the About button and, in the detailed view, the option
// controls. Its handlers carry the names of the controls they belong to.
// The program's own names (the controls, the handlers, Form_Load,
// RefreshOptions, CommonDialog, SourceDir, TargetDir) stand as the program
// has always called them; the rest is named as Qt names things: methods in
// camelCase, data members ending in '_'.
class UIForm : public QWidget {
  Q_OBJECT

 public:
  // The compact and detailed client heights as drawn, in pixels. Captions
  // that need more room, in another language, may make them larger.
  static constexpr int kCompactHeight = 142;
  static constexpr int kDetailedHeight = 356;

  // Builds the window on `platform`, which must outlive it, and runs
  // Form_Load. The file choosers show `dialog`.
  UIForm(varnel::Platform& platform, std::unique_ptr<varnel::FileOpenDialog> dialog,
         QWidget* parent = nullptr);
  ~UIForm() override;

  // The option set as the controls hold it at this moment.
  varnel::OptionSet optionSet() const;

  // The folders in which the next file dialog of each side starts.
  QString sourceDialogFolder() const { return SourceDir; }
  QString targetDialogFolder() const { return TargetDir; }

  // Puts files named at start, as the system's bytes, into the fields, the
  // source first, as if each had been chosen with its side's dialog, and
  // moves the focus on: to Compare with both given, to the target field with
  // one. No files, no change.
  void openFiles(const QList<QByteArray>& files);

 public slots:
  void cmdCompare_Click();
  void cmdAdvanced_Click();
  void cmdAbout_Click();
  void cmdBrowseSource_Click();
  void cmdBrowseTarget_Click();
  void chkB_Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Form_Load();
  void RefreshOptions();
  void markCount(CountField* field);
  void browse(const QString& title, QString& folder, FileField* field);
  void dropFiles(FileField* field, const QList<QByteArray>& files);
  void createFileBand();
  void createOptionBand();
  void orderTabStops();
  void fitCaptions();
  QPushButton* createButton(const char* name, const QString& caption, QRect twips);
  QCheckBox* createCheckBox(const char* name, const QString& caption, QRect twips);
  CountField* createCountField(const char* name, QRect twips);
  FileField* createFileField(const char* name, QRect twips);
  QLabel* createLabel(const char* name, const QString& caption, QRect twips);

  varnel::Platform& platform_;
  std::unique_ptr<varnel::FileOpenDialog> CommonDialog;

  QPushButton* cmdBrowseSource = nullptr;
  FileField* txtSource = nullptr;
  FileField* txtTarget = nullptr;
  QPushButton* cmdCompare = nullptr;
  QPushButton* cmdBrowseTarget = nullptr;
  QCheckBox* chkA = nullptr;
  QCheckBox* chkB = nullptr;
  QCheckBox* chkC = nullptr;
  QCheckBox* chkN = nullptr;
  QCheckBox* chkT = nullptr;
  QCheckBox* chkW = nullptr;
  QCheckBox* chkL = nullptr;
  CountField* txtLB = nullptr;
  CountField* txtMinMatch = nullptr;
  QPushButton* cmdAdvanced = nullptr;
  QPushButton* cmdAbout = nullptr;

  // The client heights of the two views, with room for every caption.
  int compactHeight_ = kCompactHeight;
  int detailedHeight_ = kDetailedHeight;

  QString SourceDir;
  QString TargetDir;
  QPointer<frmAbout> about_;
  // A close request came while a comparison ran: the window closes once it has ended.
  bool closeAfterRun_ = false;
};
