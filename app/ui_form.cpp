#include "app/ui_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <utility>

#include "about/frm_about.h"
#include "app/count_field.h"
#include "app/file_field.h"
#include "app/held_key_filter.h"
#include "compare/compare_run.h"
#include "compare/path_helpers.h"
#include "compare/platform.h"
#include "ui/fit_captions.h"
#include "ui/program_fonts.h"
#include "ui/program_icon.h"
#include "ui/twips.h"

namespace {

using varnel::Pixels;

constexpr int kClientWidth = 4965;
constexpr int kStartLeft = 4785;
constexpr int kStartTop = 1755;
// The top of the option band, which the compact view cuts off whole.
constexpr int kOptionBandTop = 2235;

// One of the Details toggle's captions in the user's language.
QString Caption(std::string_view text) {
  return UIForm::tr(text.data());
}

// The four filters of the file choosers, descriptions and patterns joined by '|'.
QString FileFilter() {
  //: Four filters of the file dialog, each a description and then its pattern, all joined by
  //: '|'. Translate the descriptions only; keep every '|', '(*.*)' and pattern as it is.
  return UIForm::tr(
      "Log Files (*.log)|*.log|Text Files (*.txt)|*.txt|Batch Files (*.bat)|*.bat|"
      "All Files (*.*)|*.*");
}

// True when `name` holds a character other than a blank (space).
bool HasNonBlank(const QByteArray& name) {
  return std::any_of(name.begin(), name.end(), [](char c) { return c != ' '; });
}

// The folder part of a chosen file, where that side's dialog opens next.
QString FolderOf(const QByteArray& file) {
  return QFile::decodeName(QByteArray::fromStdString(varnel::JustPath(file.toStdString())));
}

// Runs one step of a file chooser; a step that fails has no effect.
template <typename Step>
void Try(Step step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

std::int16_t TickState(const QCheckBox* box) {
  return static_cast<std::int16_t>(box->checkState() == Qt::Checked ? 1 : 0);
}

}  // namespace

UIForm::UIForm(varnel::Platform& platform, std::unique_ptr<varnel::FileOpenDialog> dialog,
               QWidget* parent)
    : QWidget(parent), platform_(platform), CommonDialog(std::move(dialog)) {
  setObjectName("UIForm");
  setWindowTitle(tr("Varnel File Compare"));
  setWindowIcon(varnel::ProgramIcon());
  setFont(varnel::WindowFont());
  createFileBand();
  createOptionBand();
  orderTabStops();
  fitCaptions();
  QCoreApplication::instance()->installEventFilter(new HeldKeyFilter(this));
  Form_Load();
  cmdBrowseSource->setFocus();
}

UIForm::~UIForm() = default;

void UIForm::createFileBand() {
  cmdBrowseSource = createButton("cmdBrowseSource", tr("..."), {3990, 330, 300, 300});
  // Both browse buttons read "...", which tells a listener nothing.
  cmdBrowseSource->setAccessibleName(tr("Browse for the source file"));
  txtSource = createFileField("txtSource", {990, 330, 3015, 300});
  txtSource->setToolTip(tr("Choose the original document to compare."));
  txtTarget = createFileField("txtTarget", {990, 930, 3015, 300});
  txtTarget->setToolTip(tr("Choose the document with changes."));
  cmdCompare = createButton("cmdCompare", tr("Compare"), {2790, 1470, 1500, 375});
  cmdCompare->setDefault(true);
  cmdBrowseTarget = createButton("cmdBrowseTarget", tr("..."), {3990, 930, 300, 300});
  cmdBrowseTarget->setAccessibleName(tr("Browse for the target file"));
  // Screen readers announce a field by the text of the label whose buddy it
  // is, and read its tooltip out as its description.
  createLabel("Label1", tr("Source"), {315, 390, 630, 285})->setBuddy(txtSource);
  createLabel("Label2", tr("Target"), {315, 990, 615, 405})->setBuddy(txtTarget);
  cmdAdvanced =
      createButton("cmdAdvanced", Caption(varnel::kShowDetailsCaption), {502, 1485, 1500, 375});
  cmdAbout = createButton("cmdAbout", tr("About..."), {4140, 30, 825, 195});
  cmdAbout->setFont(varnel::AboutButtonFont());

  connect(cmdCompare, &QPushButton::clicked, this, &UIForm::cmdCompare_Click);
  connect(cmdAdvanced, &QPushButton::clicked, this, &UIForm::cmdAdvanced_Click);
  connect(cmdAbout, &QPushButton::clicked, this, &UIForm::cmdAbout_Click);
  connect(cmdBrowseSource, &QPushButton::clicked, this, &UIForm::cmdBrowseSource_Click);
  connect(cmdBrowseTarget, &QPushButton::clicked, this, &UIForm::cmdBrowseTarget_Click);
}

void UIForm::createOptionBand() {
  chkA = createCheckBox("chkA", tr("Display only first and last lines for each set of differences"),
                        {210, kOptionBandTop, 4620, 255});
  chkB = createCheckBox("chkB", tr("Binary comparison"), {210, 2567, 4620, 255});
  chkC = createCheckBox("chkC", tr("Disregard case of letters"), {210, 2899, 4860, 255});
  chkN = createCheckBox("chkN", tr("Display line numbers on an ASCII comparison"),
                        {210, 3231, 4755, 255});
  chkT = createCheckBox("chkT", tr("Do not expand tabs to spaces"), {210, 3563, 4965, 255});
  chkW = createCheckBox("chkW", tr("Compress white space (tabs and spaces) for comparison"),
                        {210, 3895, 5040, 255});
  chkL = createCheckBox("chkL", tr("Compare files as ASCII text"), {210, 4230, 4455, 255});
  txtLB = createCountField("txtLB", {210, 4530, 810, 285});
  createLabel("Label3", tr("Maximum consecutive mismatch lines"), {1155, 4565, 3675, 255})
      ->setBuddy(txtLB);
  txtMinMatch = createCountField("txtMinMatch", {210, 4860, 810, 285});
  QLabel* label4 =
      createLabel("Label4", tr("Number of consecutive lines that must match after a mismatch"),
                  {1155, 4845, 3555, 450});
  label4->setWordWrap(true);
  label4->setBuddy(txtMinMatch);

  connect(chkB, &QCheckBox::toggled, this, &UIForm::chkB_Click);
}

// The window as drawn, grown where a caption in the user's language needs
// more room. The compact view still ends where the option band begins, and
// About still meets the client area's right edge.
void UIForm::fitCaptions() {
  const QSize client = varnel::FitCaptions(this, QSize(Pixels(kClientWidth), kDetailedHeight));
  cmdAbout->move(client.width() - cmdAbout->width(), cmdAbout->y());
  detailedHeight_ = client.height();
  compactHeight_ = kCompactHeight + chkA->y() - Pixels(kOptionBandTop);
  setGeometry(Pixels(kStartLeft), Pixels(kStartTop), client.width(), detailedHeight_);
}

// The focus moves through the controls in the order they were laid out in,
// which is not their order on the screen.
void UIForm::orderTabStops() {
  QWidget* const order[] = {cmdBrowseSource,
                            txtSource,
                            txtTarget,
                            cmdCompare,
                            cmdBrowseTarget,
                            chkA,
                            chkB,
                            chkC,
                            chkN,
                            chkT,
                            chkW,
                            chkL,
                            txtLB,
                            txtMinMatch,
                            cmdAdvanced,
                            cmdAbout};
  for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

QPushButton* UIForm::createButton(const char* name, const QString& caption, QRect twips) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  button->setGeometry(Pixels(twips));
  // Enter presses the button that has the focus, and Compare otherwise.
  button->setAutoDefault(true);
  return button;
}

QCheckBox* UIForm::createCheckBox(const char* name, const QString& caption, QRect twips) {
  auto* box = new QCheckBox(caption, this);
  box->setObjectName(name);
  box->setGeometry(Pixels(twips));
  return box;
}

// A count field starts at "0", and marks text that will not count as typed
// (see markCount) for as long as it holds it.
CountField* UIForm::createCountField(const char* name, QRect twips) {
  auto* field = new CountField(this);
  field->setObjectName(name);
  field->setText(QStringLiteral("0"));
  field->setGeometry(Pixels(twips));
  connect(field, &QLineEdit::textChanged, this, [this, field] { markCount(field); });
  return field;
}

FileField* UIForm::createFileField(const char* name, QRect twips) {
  auto* field = new FileField(this);
  field->setObjectName(name);
  field->setGeometry(Pixels(twips));
  connect(field, &FileField::filesDropped, this,
          [this, field](const QList<QByteArray>& files) { dropFiles(field, files); });
  return field;
}

QLabel* UIForm::createLabel(const char* name, const QString& caption, QRect twips) {
  auto* label = new QLabel(caption, this);
  label->setObjectName(name);
  label->setGeometry(Pixels(twips));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

void UIForm::Form_Load() {
  resize(width(), compactHeight_);
  SourceDir = QStringLiteral("/");
  TargetDir = QStringLiteral("/");
}

varnel::OptionSet UIForm::optionSet() const {
  varnel::OptionSet options;
  options.advancedCaption = cmdAdvanced->text().toStdString();
  options.hideDetailsCaption = Caption(varnel::kHideDetailsCaption).toStdString();
  options.chkA = TickState(chkA);
  options.chkB = TickState(chkB);
  options.chkC = TickState(chkC);
  options.chkL = TickState(chkL);
  options.chkN = TickState(chkN);
  options.chkT = TickState(chkT);
  options.chkW = TickState(chkW);
  options.txtLB = txtLB->text().toStdString();
  options.txtMinMatch = txtMinMatch->text().toStdString();
  return options;
}

// The window is read inside the run, so that a failure while reading it ends
// in the error box like any other failure of the run.
void UIForm::cmdCompare_Click() {
  varnel::CompareRun(platform_, [this] {
    return varnel::CompareInput{txtSource->fileName().toStdString(),
                                txtTarget->fileName().toStdString(), optionSet()};
  });
  if (closeAfterRun_) close();
}

// The caption is the view state: the switch builder reads it too, and
// compares it with the same caption in the same language.
void UIForm::cmdAdvanced_Click() {
  if (cmdAdvanced->text() == Caption(varnel::kShowDetailsCaption)) {
    resize(width(), detailedHeight_);
    cmdAdvanced->setText(Caption(varnel::kHideDetailsCaption));
  } else {
    resize(width(), compactHeight_);
    cmdAdvanced->setText(Caption(varnel::kShowDetailsCaption));
    repaint();
  }
}

// One About window at most; it has no owner, so it outlives this window.
void UIForm::cmdAbout_Click() {
  if (!about_) about_ = new frmAbout();
  about_->show();
  about_->raise();
  about_->activateWindow();
}

void UIForm::cmdBrowseSource_Click() {
  browse(tr("Source File"), SourceDir, txtSource);
}

void UIForm::cmdBrowseTarget_Click() {
  browse(tr("Target File"), TargetDir, txtTarget);
}

// One press of a browse button. Every setting is given again before each
// showing, so nothing carries over from the other side. A step that fails is
// skipped without a word and the next one runs.
void UIForm::browse(const QString& title, QString& folder, FileField* field) {
  varnel::FileOpenDialog& dialog = *CommonDialog;
  Try([&] { dialog.setFileName(QString()); });
  Try([&] { dialog.setInitDir(folder); });
  Try([&] { dialog.setDialogTitle(title); });
  Try([&] { dialog.setFlags(varnel::FileOpenDialog::kFileMustExist); });
  Try([&] { dialog.setDefaultExt(QStringLiteral("txt")); });
  Try([&] { dialog.setFilter(FileFilter()); });
  Try([&] { dialog.setOptions(0); });
  Try([&] { dialog.showOpen(); });
  Try([&] {
    const QByteArray name = dialog.fileName();
    if (HasNonBlank(name)) folder = FolderOf(name);
  });
  // A cancelled dialog gives an empty name, and so empties the field.
  Try([&] { field->setFileName(dialog.fileName()); });
}

void UIForm::openFiles(const QList<QByteArray>& files) {
  if (files.isEmpty()) return;
  txtSource->setFileName(files[0]);
  if (HasNonBlank(files[0])) SourceDir = FolderOf(files[0]);
  if (files.size() == 1) {
    txtTarget->setFocus();
    return;
  }
  txtTarget->setFileName(files[1]);
  if (HasNonBlank(files[1])) TargetDir = FolderOf(files[1]);
  cmdCompare->setFocus();
}

// A file dropped on a field replaces its text; two dropped at once fill the
// source, then the target. Like typing, a drop leaves the dialogs' folders
// as they were.
void UIForm::dropFiles(FileField* field, const QList<QByteArray>& files) {
  if (files.size() == 1) {
    field->setFileName(files[0]);
    return;
  }
  txtSource->setFileName(files.value(0));
  txtTarget->setFileName(files.value(1));
}

// Binary comparison takes no other option, so the others are out of reach
// while it is ticked; their values stay as they were.
void UIForm::RefreshOptions() {
  const bool binary = chkB->checkState() != Qt::Unchecked;
  chkA->setEnabled(!binary);
  chkB->setEnabled(true);
  for (QCheckBox* box : {chkC, chkL, chkN, chkT, chkW}) box->setEnabled(!binary);
  txtLB->setEnabled(!binary);
  txtMinMatch->setEnabled(!binary);
}

// A count that the comparison will not use as typed is marked, and its tool
// tip says why and what happens instead. What is sent stays the text as typed.
void UIForm::markCount(CountField* field) {
  QString why;
  switch (varnel::FateOfCount(field->text().toStdString(), varnel::UserDecimalPoint())) {
    case varnel::CountFate::kNotUsed:
      why =
          tr("Not used: the default applies. A count is a whole number from 1 up, in digits "
             "alone.");
      break;
    case varnel::CountFate::kRefused:
      why =
          tr("The comparer takes whole numbers only: it refuses this count, and its report "
             "says so.");
      break;
    case varnel::CountFate::kSent:
    case varnel::CountFate::kUnset:
      break;
  }
  field->setWarning(why);
}

void UIForm::chkB_Click() {
  RefreshOptions();
}

// Enter anywhere but on another button presses Compare; Escape does nothing.
void UIForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    cmdCompare->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

// A close request while a comparison runs ends the comparison first; the
// window closes as soon as the run has returned.
void UIForm::closeEvent(QCloseEvent* event) {
  if (platform_.EndRun()) {
    closeAfterRun_ = true;
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}
