#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "app/count_field.h"
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

// A count that will not be used as typed is marked, and a screen reader hears
// why; what is sent stays exactly what was typed.
TEST_F(OptionControlsTest, CountsThatWillNotCountAsTypedAreMarkedWithTheReason) {
  const struct {
    const char* text;
    const char* why;  // how the description starts; "" for no mark
  } counts[] = {
      {"0", ""},
      {"12", ""},
      {" 7", ""},
      {"1,000", "Not used: the default applies."},
      {"1e3", "Not used: the default applies."},
      {"200.", "The comparer takes whole numbers only"},
      {"", ""},
  };
  auto* field = form.findChild<CountField*>("txtLB");
  for (const auto& count : counts) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, count.text);
    const QString description =
        QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description);
    EXPECT_EQ(field->hasWarning(), *count.why != '\0') << count.text;
    EXPECT_EQ(description.left(QString(count.why).size()), count.why) << count.text;
    EXPECT_EQ(description.isEmpty(), *count.why == '\0') << count.text;
  }
  field->setText("200.");
  EXPECT_EQ(varnel::BuildSwitches(form.optionSet(), "."), "/LB200. ");
}

TEST_F(OptionControlsTest, TheViewToggleNeitherRefreshesNorForgetsTheEnabledStates) {
  clickBinary();
  QTest::mouseClick(form.findChild<QPushButton*>("cmdAdvanced"), Qt::LeftButton);
  QTest::mouseClick(form.findChild<QPushButton*>("cmdAdvanced"), Qt::LeftButton);
  EXPECT_EQ(followersEnabled(), kAllDisabled);
}

}  // namespace
