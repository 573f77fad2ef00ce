#include "about/frm_about.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include <varnel_version.h>

#include "ui/contrast.h"
#include "ui/fit_captions.h"
#include "ui/program_fonts.h"
#include "ui/program_icon.h"
#include "ui/twips.h"
#include "ui/window_hints.h"

namespace {

using varnel::IsLightFace;
using varnel::Pixels;

const QSize kClientTwips(5730, 3135);
// The etched rule above the disclaimer, and the disclaimer's top.
constexpr int kRuleTop = 2445;
constexpr int kDisclaimerTop = 2670;

// The OK button covers the right end of the disclaimer's first lines; the
// disclaimer wraps this much short of its own right edge so no word hides
// under the button.
constexpr int kDisclaimerRightInset = Pixels(4215 + 240 - 4350) + 1;

void SetTextColour(QLabel* label, const QColor& colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

}  // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setSizeGripEnabled(false);
  setFont(varnel::WindowFont());
  setFixedSize(Pixels(kClientTwips.width()), Pixels(kClientTwips.height()));

  createIcon();
  createLabels();
  createButton();
  createNativeWindow();
  showIconForScreen();
  applyFaceColours();
  Form_Load();
  // Room for captions that need more, in the user's language.
  setFixedSize(varnel::FitCaptions(this, size()));
}

// The picture is drawn with as many pixels as the screen gives its 32 x 32
// box, so it stays sharp on a 2x screen; moved to another screen, the window
// draws it again for that one.
void frmAbout::showIconForScreen() {
  picIcon->setPixmap(varnel::ProgramPixmap(devicePixelRatioF()));
}

// The description and the two notices are black on a light window face. On a
// dark face black would be all but invisible, so they take the theme's own
// text colour there.
void frmAbout::applyFaceColours() {
  const QPalette& face = palette();
  const QColor text = IsLightFace(face) ? QColor(Qt::black) : face.color(QPalette::WindowText);
  for (QLabel* label : {lblDescription, lblWeb, lblDisclaimer}) SetTextColour(label, text);
}

// A theme switched while the window is open brings a new palette.
void frmAbout::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) applyFaceColours();
}

// The native window is made now, so the window manager hints are in place
// before it is mapped. Marking the window as moved keeps QDialog from
// centring it: where it opens is left to the window manager.
void frmAbout::createNativeWindow() {
  winId();
  varnel::KeepOutOfTaskbar(this);
  varnel::UseFixedDialogFrame(this);
  setAttribute(Qt::WA_Moved);
  connect(windowHandle(), &QWindow::screenChanged, this, &frmAbout::showIconForScreen);
}

void frmAbout::createIcon() {
  picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  picIcon->setAlignment(Qt::AlignCenter);
  picIcon->setAccessibleName(tr("Program icon"));
  picIcon->setGeometry(Pixels(QRect(240, 240, 540, 540)));
}

QLabel* frmAbout::createLabel(const QRect& twips) {
  auto* label = new QLabel(this);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  label->setGeometry(Pixels(twips));
  return label;
}

void frmAbout::createLabels() {
  lblDescription = createLabel(QRect(1050, 1035, 3885, 405));
  lblDescription->setObjectName(QStringLiteral("lblDescription"));
  lblDescription->setFont(varnel::ClassicFont(9.75));
  lblDescription->setText(tr("File compare utility."));

  lblDisclaimer = createLabel(QRect(240, kDisclaimerTop, 4215, 825));
  lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
  lblDisclaimer->setContentsMargins(0, 0, kDisclaimerRightInset, 0);
  lblDisclaimer->setText(
      tr("Warning: ...This program comes with no warranty of any kind. You use it at your own "
         "risk."));

  lblTitle = createLabel(QRect(1050, 240, 3885, 480));
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  lblTitle->setFont(varnel::ClassicFont(12, QFont::Bold));

  lblVersion = createLabel(QRect(1050, 690, 3885, 225));
  lblVersion->setObjectName(QStringLiteral("lblVersion"));

  lblWeb = createLabel(QRect(1035, 1470, 3885, 780));
  lblWeb->setObjectName(QStringLiteral("lblWeb"));
  lblWeb->setText(
      tr("News, updates and help for this program are on its web page: "
         "https://varnel.example.org/"));
}

void frmAbout::createButton() {
  cmdOK = new QPushButton(tr("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setGeometry(Pixels(QRect(4350, 2625, 1260, 345)));
  cmdOK->setDefault(true);
  cmdOK->setFocus();
  cmdOK->raise();
  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
}

void frmAbout::Form_Load() {
  const QString title = QString::fromUtf8(varnel::kProgramTitle);
  setWindowTitle(tr("About %1").arg(title));
  lblVersion->setText(tr("Version %1.%2.%3")
                          .arg(varnel::kVersionMajor)
                          .arg(varnel::kVersionMinor)
                          .arg(varnel::kVersionRevision));
  lblTitle->setText(title);
}

void frmAbout::cmdOK_Click() {
  close();
}

// OK is the cancel button as well: Escape presses it rather than rejecting.
void frmAbout::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    cmdOK->click();
    return;
  }
  QDialog::keyPressEvent(event);
}

// The etched rule between the web notice and the disclaimer: a grey line
// with a two-pixel white line under it. On a dark face grey and white would
// not read as a groove, so the theme's own shadow and light take their place.
// The rule keeps its distance above the disclaimer, which moves down where a
// text above it needs more lines.
void frmAbout::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  const bool light = IsLightFace(palette());
  const QColor shadow = light ? QColor(128, 128, 128) : palette().color(QPalette::Dark);
  const QColor highlight = light ? QColor(Qt::white) : palette().color(QPalette::Light);
  const int top = Pixels(kRuleTop) + lblDisclaimer->y() - Pixels(kDisclaimerTop);
  QPainter painter(this);
  painter.fillRect(QRect(QPoint(Pixels(90), top), QPoint(Pixels(5654), top)), shadow);
  painter.fillRect(QRect(QPoint(Pixels(105), top + 1), QPoint(Pixels(5654), top + 2)), highlight);
}
