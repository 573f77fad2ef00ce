#include "platform/qt_file_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "platform/local_name.h"

namespace {

TEST(QtFileDialogFilters, KeepTheOrderAndLetAllFilesMatchNamesWithoutADot) {
  EXPECT_EQ(varnel::QtFileDialog::NameFilters(
                "Log Files (*.log)|*.log|Text Files (*.txt)|*.txt|Batch Files (*.bat)|*.bat|"
                "All Files (*.*)|*.*"),
            QStringList({"Log Files (*.log)", "Text Files (*.txt)", "Batch Files (*.bat)",
                         "All Files (*)"}));
}

// Qt's own dialog, driven as a user would: a name typed into its name box and
// Enter, or Cancel when `typed` is empty.
QString ChooseInQtsOwnDialog(const QString& folder, const QString& typed) {
  varnel::QtFileDialog dialog;
  dialog.setInitDir(folder);
  dialog.setFlags(varnel::FileOpenDialog::kFileMustExist);
  dialog.setDefaultExt(QStringLiteral("txt"));
  dialog.setOptions(QFileDialog::DontUseNativeDialog);
  // A refused name leaves the dialog open behind Qt's "not found" box: after a
  // while the user closes whatever is in front, then the dialog.
  QTimer giveUp;
  QObject::connect(&giveUp, &QTimer::timeout, [] {
    if (QWidget* front = QApplication::activeModalWidget()) front->close();
  });
  QTimer user;
  QObject::connect(&user, &QTimer::timeout, [&] {
    auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!shown) return;
    user.stop();
    giveUp.start(1000);
    if (typed.isEmpty()) return shown->reject();
    auto* nameBox = shown->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(nameBox, nullptr);
    nameBox->setText(typed);
    QTest::keyClick(nameBox, Qt::Key_Return);
  });
  user.start(10);
  dialog.showOpen();
  return QFile::decodeName(dialog.fileName());
}

TEST(QtFileDialogResult, TheDefaultExtensionCompletesOnlyANameThatIsNotThere) {
  QTemporaryDir folder;
  for (const char* name : {"notes.txt", "README", "README.txt", "with blank"}) {
    QFile file(folder.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
  }
  EXPECT_EQ(ChooseInQtsOwnDialog(folder.path(), "notes"), folder.filePath("notes.txt"));
  EXPECT_EQ(ChooseInQtsOwnDialog(folder.path(), "README"), folder.filePath("README"));
  EXPECT_EQ(ChooseInQtsOwnDialog(folder.path(), "with blank"), folder.filePath("with blank"));
  EXPECT_EQ(ChooseInQtsOwnDialog(folder.path(), "notes.txt"), folder.filePath("notes.txt"));
  EXPECT_EQ(ChooseInQtsOwnDialog(folder.path(), "gone"), "");
  EXPECT_EQ(ChooseInQtsOwnDialog(folder.path(), ""), "");
}

// Qt gives a name that is not UTF-8 with U+FFFD in place of its bytes; the
// chosen file's own name is found again in its folder.
TEST(LocalFileNameTest, FindsTheBytesOfANameThatIsNotUtf8) {
  QTemporaryDir folder;
  const QByteArray chosen = QFile::encodeName(folder.path()) + "/caf\xe9.txt";
  std::ofstream(chosen.constData()) << "x\n";
  EXPECT_EQ(varnel::LocalFileName(QFile::decodeName(chosen)), chosen);
  EXPECT_EQ(varnel::LocalFileName(folder.path() + "/plain.txt"),
            QFile::encodeName(folder.path()) + "/plain.txt");
}

}  // namespace
