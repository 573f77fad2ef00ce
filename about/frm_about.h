// The About window: the program's icon, title and version, a description, a
// web notice and a legal notice. Modeless and without an owner; OK, Enter,
// Escape and the close box close it and delete it.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
  Q_OBJECT

 public:
  // Builds the window and runs Form_Load. Create it with `new` and no parent;
  // it deletes itself when closed.
  explicit frmAbout(QWidget* parent = nullptr);

  // Fills in the title bar, the title label and the version label from the
  // program's identity.
  void Form_Load();

 public slots:
  // Closes the window, which deletes it.
  void cmdOK_Click();

 protected:
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void createIcon();
  void showIconForScreen();
  void createLabels();
  void createButton();
  void createNativeWindow();
  void applyFaceColours();
  QLabel* createLabel(const QRect& twips);

  QLabel* picIcon = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblWeb = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QPushButton* cmdOK = nullptr;
};
