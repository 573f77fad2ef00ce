#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <stdexcept>

#include "app/ui_form.h"
#include "compare/recording_platform.h"
#include "platform/file_dialog.h"
#include "platform/qt_file_dialog.h"

namespace {

// Keeps each setting as it was when the dialog was shown, and gives back the
// next scripted answer as the chosen name.
class FakeDialog : public varnel::FileOpenDialog {
 public:
  struct Showing {
    QString fileName, initDir, title, defaultExt, filter;
    int flags, options;
  };

  void setFileName(const QString& name) override { current.fileName = name; }
  void setInitDir(const QString& folder) override { current.initDir = folder; }
  void setDialogTitle(const QString& title) override { current.title = title; }
  void setFlags(int flags) override { current.flags = flags; }
  void setDefaultExt(const QString& extension) override { current.defaultExt = extension; }
  void setFilter(const QString& filter) override {
    if (failFilter) throw std::runtime_error("no filters today");
    current.filter = filter;
  }
  void setOptions(int options) override { current.options = options; }
  void showOpen() override {
    showings.push_back(current);
    current.fileName = answers.isEmpty() ? QString() : answers.takeFirst();
  }
  QString fileName() const override { return current.fileName; }

  Showing current{QStringLiteral("stale"), QStringLiteral("stale"), {}, {}, {}, -1, -1};
  std::vector<Showing> showings;
  QStringList answers;
  bool failFilter = false;
};

class FileChoosersTest : public ::testing::Test {
 protected:
  FileChoosersTest() {
    auto owned = std::make_unique<FakeDialog>();
    dialog = owned.get();
    form = std::make_unique<UIForm>(platform, std::move(owned));
  }

  void browse(const char* button, const QString& answer) {
    dialog->answers << answer;
    QTest::mouseClick(form->findChild<QPushButton*>(button), Qt::LeftButton);
  }
  void browseSource(const QString& answer) { browse("cmdBrowseSource", answer); }
  void browseTarget(const QString& answer) { browse("cmdBrowseTarget", answer); }
  QString source() { return form->findChild<QLineEdit*>("txtSource")->text(); }
  QString target() { return form->findChild<QLineEdit*>("txtTarget")->text(); }

  varnel::RecordingPlatform platform;
  FakeDialog* dialog = nullptr;
  std::unique_ptr<UIForm> form;
};

TEST_F(FileChoosersTest, EverySettingIsGivenBeforeEachShowing) {
  browseSource("/data/old.txt");
  browseTarget("/data/new.log");
  ASSERT_EQ(dialog->showings.size(), 2u);
  for (const auto& showing : dialog->showings) {
    EXPECT_EQ(showing.fileName, "");
    EXPECT_EQ(showing.initDir, "/");
    EXPECT_EQ(showing.flags, 0x1000);
    EXPECT_EQ(showing.defaultExt, "txt");
    EXPECT_EQ(showing.filter,
              "Log Files (*.log)|*.log|Text Files (*.txt)|*.txt|Batch Files (*.bat)|*.bat|"
              "All Files (*.*)|*.*");
    EXPECT_EQ(showing.options, 0);
  }
  EXPECT_EQ(dialog->showings[0].title, "Source File");
  EXPECT_EQ(dialog->showings[1].title, "Target File");
}

TEST_F(FileChoosersTest, EachSideRemembersItsOwnFolderAndNeverTouchesTheOther) {
  browseSource("/data/old/a.txt");
  EXPECT_EQ(source(), "/data/old/a.txt");
  EXPECT_EQ(target(), "");
  EXPECT_EQ(form->sourceDialogFolder(), "/data/old/");
  EXPECT_EQ(form->targetDialogFolder(), "/");

  browseTarget("/srv/new/b.txt");
  EXPECT_EQ(source(), "/data/old/a.txt");
  EXPECT_EQ(form->sourceDialogFolder(), "/data/old/");

  browseSource("/data/old/c.txt");
  browseTarget("/srv/new/d.txt");
  EXPECT_EQ(dialog->showings[2].initDir, "/data/old/");
  EXPECT_EQ(dialog->showings[3].initDir, "/srv/new/");
}

TEST_F(FileChoosersTest, CancelEmptiesTheFieldAndKeepsTheFolder) {
  browseSource("/data/old/a.txt");
  browseSource("");
  EXPECT_EQ(source(), "");
  EXPECT_EQ(form->sourceDialogFolder(), "/data/old/");
}

TEST_F(FileChoosersTest, AFileInTheRootFolderMakesTheRootTheNextFolder) {
  browseTarget("/srv/x.txt");
  browseTarget("/notes.txt");
  EXPECT_EQ(form->targetDialogFolder(), "/");
  EXPECT_EQ(target(), "/notes.txt");
}

TEST_F(FileChoosersTest, TypedTextNeitherReachesTheDialogNorSurvivesIt) {
  form->findChild<QLineEdit*>("txtSource")->setText("/typed/by/hand.txt");
  browseSource("/chosen/a.txt");
  EXPECT_EQ(dialog->showings[0].fileName, "");
  EXPECT_EQ(dialog->showings[0].initDir, "/");
  EXPECT_EQ(source(), "/chosen/a.txt");
}

// Qt gives a name that is not UTF-8 with U+FFFD in place of its bytes; the
// field shows it so, and the comparison gets the chosen file's own name.
TEST_F(FileChoosersTest, ChosenNameThatIsNotUtf8KeepsItsBytes) {
  QTemporaryDir folder;
  const QByteArray chosen = QFile::encodeName(folder.path()) + "/caf\xe9.txt";
  std::ofstream(chosen.constData()) << "x\n";
  browseSource(QFile::decodeName(chosen));
  EXPECT_EQ(source(), QFile::decodeName(chosen));
  QTest::mouseClick(form->findChild<QPushButton*>("cmdCompare"), Qt::LeftButton);
  ASSERT_FALSE(platform.calls.empty());
  EXPECT_EQ(platform.calls[0], "ShortForm(" + chosen.toStdString() + ")");
}

TEST_F(FileChoosersTest, ANameOfBlanksFillsTheFieldButKeepsTheFolder) {
  browseSource("   ");
  EXPECT_EQ(source(), "   ");
  EXPECT_EQ(form->sourceDialogFolder(), "/");
}

TEST_F(FileChoosersTest, AFailingStepIsSkippedAndTheChooserGoesOn) {
  dialog->failFilter = true;
  browseSource("/data/a.txt");
  EXPECT_EQ(dialog->showings.size(), 1u);
  EXPECT_EQ(source(), "/data/a.txt");
  EXPECT_EQ(form->sourceDialogFolder(), "/data/");
  EXPECT_TRUE(platform.boxes.empty());
}

// Files named at start count as chosen: each side's dialog opens beside its
// file. A drop counts as typed and moves no dialog.
TEST_F(FileChoosersTest, FilesNamedAtStartAreWhereTheDialogsOpen) {
  form->openFiles({"/data/old/a.txt"});
  EXPECT_EQ(source(), "/data/old/a.txt");
  EXPECT_EQ(form->sourceDialogFolder(), "/data/old/");
  EXPECT_EQ(form->targetDialogFolder(), "/");

  form->openFiles({"/data/old/a.txt", "/srv/link/../b.txt"});
  EXPECT_EQ(target(), "/srv/link/../b.txt");
  EXPECT_EQ(form->targetDialogFolder(), "/srv/link/../");
  browseSource("");
  browseTarget("");
  EXPECT_EQ(dialog->showings[0].initDir, "/data/old/");
  EXPECT_EQ(dialog->showings[1].initDir, "/srv/link/../");
}

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
  varnel::QtFileDialog dialog(nullptr);
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
  return dialog.fileName();
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

}  // namespace
