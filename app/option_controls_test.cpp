#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/testing/stand_in_file_dialog.h"
#include "app/ui_form.h"
#include "compare/testing/stand_in_platform.h"

namespace {

class OptionControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.findChild<QPushButton*>("cmdAdvanced"), Qt::LeftButton);
  }

  QCheckBox* box(const char* name) { return form.findChild<QCheckBox*>(name); }
  QLineEdit* edit(const char* name) { return form.findChild<QLineEdit*>(name); }

  // Ticks or unticks Binary comparison as the user does, with a click.
  void clickBinary() { QTest::mouseClick(box("chkB"), Qt::LeftButton, {}, QPoint(6, 8)); }

  // The enabled states of the eight controls that follow Binary comparison.
  std::vector<bool> followersEnabled() {
    std::vector<bool> enabled;
    for (const char* name : {"chkA", "chkC", "chkL", "chkN", "chkT", "chkW"})
      enabled.push_back(box(name)->isEnabled());
    enabled.push_back(edit("txtLB")->isEnabled());
    enabled.push_back(edit("txtMinMatch")->isEnabled());
    return enabled;
  }

  varnel::StandInPlatform platform;
  UIForm form{platform, std::make_unique<varnel::StandInFileDialog>()};
};

const std::vector<bool> kAllEnabled(8, true);
const std::vector<bool> kAllDisabled(8, false);

// Ticking Binary comparison disables the others, unticking enables them
// again, whatever came before; Binary comparison itself stays enabled.
TEST_F(OptionControlsTest, AnySequenceEndsWithTheStateOfTheLastTick) {
  for (int clicks = 1; clicks <= 7; ++clicks) {
    clickBinary();
    ASSERT_EQ(box("chkB")->isChecked(), clicks % 2 == 1);
    EXPECT_EQ(followersEnabled(), clicks % 2 == 1 ? kAllDisabled : kAllEnabled);
    EXPECT_TRUE(box("chkB")->isEnabled());
  }
}

TEST_F(OptionControlsTest, TheSpaceKeyTicksBinaryAsWellAsTheMouse) {
  box("chkB")->setFocus();
  QTest::keyClick(box("chkB"), Qt::Key_Space);
  EXPECT_TRUE(box("chkB")->isChecked());
  EXPECT_EQ(followersEnabled(), kAllDisabled);
}

TEST_F(OptionControlsTest, ValuesAreKeptWhileDisabledAndCountAgainAfterwards) {
  box("chkA")->setChecked(true);
  box("chkW")->setChecked(true);
  edit("txtLB")->setText("5");
  clickBinary();
  EXPECT_TRUE(box("chkA")->isChecked());
  EXPECT_EQ(edit("txtLB")->text(), "5");
  EXPECT_EQ(edit("txtMinMatch")->text(), "0");
  EXPECT_EQ(varnel::BuildSwitches(form.optionSet(), "."), "/B ");
  clickBinary();
  EXPECT_EQ(varnel::BuildSwitches(form.optionSet(), "."), "/A /W /LB5 ");
}

TEST_F(OptionControlsTest, TheViewToggleNeitherRefreshesNorForgetsTheEnabledStates) {
  clickBinary();
  QTest::mouseClick(form.findChild<QPushButton*>("cmdAdvanced"), Qt::LeftButton);
  QTest::mouseClick(form.findChild<QPushButton*>("cmdAdvanced"), Qt::LeftButton);
  EXPECT_EQ(followersEnabled(), kAllDisabled);
}

}  // namespace
