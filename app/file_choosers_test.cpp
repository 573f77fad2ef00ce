#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/testing/stand_in_file_dialog.h"
#include "app/ui_form.h"
#include "compare/testing/stand_in_platform.h"

namespace {

class FileChoosersTest : public ::testing::Test {
 protected:
  FileChoosersTest() {
    auto owned = std::make_unique<varnel::StandInFileDialog>();
    dialog = owned.get();
    form = std::make_unique<UIForm>(platform, std::move(owned));
  }

  void browse(const char* button, const QByteArray& answer) {
    dialog->answers << answer;
    QTest::mouseClick(form->findChild<QPushButton*>(button), Qt::LeftButton);
  }
  void browseSource(const QByteArray& answer) { browse("cmdBrowseSource", answer); }
  void browseTarget(const QByteArray& answer) { browse("cmdBrowseTarget", answer); }
  QString source() { return form->findChild<QLineEdit*>("txtSource")->text(); }
  QString target() { return form->findChild<QLineEdit*>("txtTarget")->text(); }

  varnel::StandInPlatform platform;
  varnel::StandInFileDialog* dialog = nullptr;
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

// The dialog gives a name that is not UTF-8 as its bytes; the field shows it
// readably, and the comparison gets the chosen file's own name.
TEST_F(FileChoosersTest, ChosenNameThatIsNotUtf8KeepsItsBytes) {
  browseSource("/data/caf\xe9.txt");
  EXPECT_EQ(source(), "/data/caf\uFFFD.txt");
  QTest::mouseClick(form->findChild<QPushButton*>("cmdCompare"), Qt::LeftButton);
  ASSERT_FALSE(platform.calls.empty());
  EXPECT_EQ(platform.calls[0], "ShortForm(/data/caf\xe9.txt)");
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

}  // namespace
