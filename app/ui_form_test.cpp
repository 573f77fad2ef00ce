#include "app/ui_form.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <varnel_version.h>

#include "about/frm_about.h"
#include "app/testing/stand_in_file_dialog.h"
#include "compare/testing/stand_in_platform.h"
#include "report/report_window.h"
#include "ui/fit_captions.h"
#include "ui/translators.h"

namespace {

class UIFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  }
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<frmAbout*>(w)) delete w;
  }

  template <typename T>
  T* control(const char* name) {
    T* widget = form.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QPushButton* button(const char* name) { return control<QPushButton>(name); }
  QLineEdit* edit(const char* name) { return control<QLineEdit>(name); }
  QCheckBox* box(const char* name) { return control<QCheckBox>(name); }

  int aboutWindows() const {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<frmAbout*>(w) && w->isVisible()) ++count;
    return count;
  }

  // Names these paths as the real platform would: absolute and quoted where
  // the shell would read them.
  void givePaths(const std::map<std::string, std::string>& shortForms) {
    platform.shortForms.insert(shortForms.begin(), shortForms.end());
    platform.shortForms[platform.uniqueFile] = platform.uniqueFile;
  }

  varnel::StandInPlatform platform;
  UIForm form{platform, std::make_unique<varnel::StandInFileDialog>()};
};

TEST_F(UIFormTest, StartsCompactWithEverythingEmptyOrZero) {
  EXPECT_EQ(form.windowTitle(), "Varnel File Compare");
  EXPECT_EQ(form.size(), QSize(331, UIForm::kCompactHeight));
  EXPECT_EQ(button("cmdAdvanced")->text(), "Details >>>");
  EXPECT_TRUE(edit("txtSource")->text().isEmpty());
  EXPECT_TRUE(edit("txtTarget")->text().isEmpty());
  EXPECT_EQ(edit("txtLB")->text(), "0");
  EXPECT_EQ(edit("txtMinMatch")->text(), "0");
  for (const char* name : {"chkA", "chkB", "chkC", "chkL", "chkN", "chkT", "chkW"}) {
    EXPECT_FALSE(box(name)->isChecked()) << name;
    EXPECT_TRUE(box(name)->isEnabled()) << name;
  }
  EXPECT_EQ(form.sourceDialogFolder(), "/");
  EXPECT_EQ(form.targetDialogFolder(), "/");
  EXPECT_EQ(form.focusWidget(), button("cmdBrowseSource"));
  EXPECT_FALSE(form.windowIcon().isNull());
}

TEST_F(UIFormTest, CompactViewCutsOffTheWholeOptionBandAndShowsTheWholeFileBand) {
  for (const char* name : {"chkA", "chkB", "chkL", "txtLB", "txtMinMatch", "Label4"})
    EXPECT_GE(control<QWidget>(name)->geometry().top(), UIForm::kCompactHeight) << name;
  for (const char* name : {"cmdCompare", "cmdAdvanced", "txtTarget", "cmdAbout"})
    EXPECT_LE(control<QWidget>(name)->geometry().bottom(), UIForm::kCompactHeight) << name;
  EXPECT_LE(control<QWidget>("Label4")->geometry().bottom(), UIForm::kDetailedHeight);
}

TEST_F(UIFormTest, DetailsToggleAlternatesHeightAndCaptionAnyNumberOfTimes) {
  const int width = form.width();
  for (int i = 0; i < 5; ++i) {
    QTest::mouseClick(button("cmdAdvanced"), Qt::LeftButton);
    EXPECT_EQ(form.height(), UIForm::kDetailedHeight);
    EXPECT_EQ(button("cmdAdvanced")->text(), "No Details <<<");
    QTest::mouseClick(button("cmdAdvanced"), Qt::LeftButton);
    EXPECT_EQ(form.height(), UIForm::kCompactHeight);
    EXPECT_EQ(button("cmdAdvanced")->text(), "Details >>>");
  }
  EXPECT_EQ(form.width(), width);
}

TEST_F(UIFormTest, ResizingByHandDoesNotChangeTheViewState) {
  form.resize(form.width(), UIForm::kDetailedHeight + 40);
  EXPECT_EQ(button("cmdAdvanced")->text(), "Details >>>");
  EXPECT_EQ(varnel::BuildSwitches(form.optionSet()), "");
  QTest::mouseClick(button("cmdAdvanced"), Qt::LeftButton);
  EXPECT_EQ(form.height(), UIForm::kDetailedHeight);
}

TEST_F(UIFormTest, OptionsAreKeptAcrossViewsAndApplyOnlyInTheDetailedView) {
  QTest::mouseClick(button("cmdAdvanced"), Qt::LeftButton);
  box("chkW")->setChecked(true);
  box("chkA")->setChecked(true);
  edit("txtLB")->setText(" 7");
  EXPECT_EQ(varnel::BuildSwitches(form.optionSet(), "."), "/A /W /LB 7 ");

  QTest::mouseClick(button("cmdAdvanced"), Qt::LeftButton);
  EXPECT_EQ(varnel::BuildSwitches(form.optionSet(), "."), "");
  EXPECT_TRUE(box("chkW")->isChecked());
  EXPECT_EQ(edit("txtLB")->text(), " 7");

  QTest::mouseClick(button("cmdAdvanced"), Qt::LeftButton);
  EXPECT_EQ(varnel::BuildSwitches(form.optionSet(), "."), "/A /W /LB 7 ");
}

TEST_F(UIFormTest, EnterInEitherFileFieldPressesCompare) {
  QSignalSpy clicks(button("cmdCompare"), &QPushButton::clicked);
  for (const char* name : {"txtSource", "txtTarget", "txtLB"}) {
    edit(name)->setFocus();
    QTest::keyClick(edit(name), Qt::Key_Return);
  }
  EXPECT_EQ(clicks.count(), 3);
  EXPECT_EQ(platform.boxes.size(), 3u);
}

TEST_F(UIFormTest, EnterOnAnotherButtonPressesThatButton) {
  QSignalSpy compares(button("cmdCompare"), &QPushButton::clicked);
  button("cmdAdvanced")->setFocus();
  QTest::keyClick(button("cmdAdvanced"), Qt::Key_Return);
  EXPECT_EQ(button("cmdAdvanced")->text(), "No Details <<<");
  EXPECT_EQ(compares.count(), 0);
}

TEST_F(UIFormTest, EscapeDoesNothing) {
  QSignalSpy clicks(button("cmdCompare"), &QPushButton::clicked);
  edit("txtSource")->setFocus();
  QTest::keyClick(edit("txtSource"), Qt::Key_Escape);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(UIFormTest, CompareRunsTheComparerOnTheFieldsWithTheShownOptions) {
  givePaths({{"/home/u/old file.txt", "'/home/u/old file.txt'"},
             {"/home/u/n\xC3\xA9w.txt", "'/home/u/n\xC3\xA9w.txt'"}});
  edit("txtSource")->setText("/home/u/old file.txt");
  edit("txtTarget")->setText("/home/u/néw.txt");
  QTest::mouseClick(button("cmdAdvanced"), Qt::LeftButton);
  box("chkC")->setChecked(true);
  edit("txtMinMatch")->setText("3");
  QTest::mouseClick(button("cmdCompare"), Qt::LeftButton);

  EXPECT_EQ(platform.Called("Start"),
            std::vector<std::string>{"/usr/libexec/varnel/fc /C /3 '/home/u/old file.txt' "
                                     "'/home/u/n\xC3\xA9w.txt' > /tmp/FC_a1B2c3.txt"});
  EXPECT_EQ(platform.Called("StartViewer"),
            std::vector<std::string>{"xdg-open /tmp/FC_a1B2c3.txt"});
  EXPECT_EQ(edit("txtSource")->text(), "/home/u/old file.txt");
}

TEST_F(UIFormTest, CloseRequestDuringACompareEndsTheRunAndThenClosesTheWindow) {
  givePaths({{"/home/u/a.txt", "/home/u/a.txt"}, {"/home/u/b.txt", "/home/u/b.txt"}});
  edit("txtSource")->setText("/home/u/a.txt");
  edit("txtTarget")->setText("/home/u/b.txt");
  bool closedAtOnce = true;
  platform.duringWait = [&] { closedAtOnce = form.close(); };
  QTest::mouseClick(button("cmdCompare"), Qt::LeftButton);
  EXPECT_FALSE(closedAtOnce);
  EXPECT_FALSE(platform.Called("EndRun").empty());
  EXPECT_TRUE(platform.Called("StartViewer").empty()) << "the viewer was started";
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(platform.boxes.empty());
}

TEST_F(UIFormTest, EmptyFieldsGiveTheSourcePromptOnly) {
  QTest::mouseClick(button("cmdCompare"), Qt::LeftButton);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].prompt, "Give us a source file, please");
  EXPECT_TRUE(platform.Called("Start").empty());
}

TEST_F(UIFormTest, AboutOpensOneWindowAtMostAndLeavesTheMainWindowUsable) {
  QTest::mouseClick(button("cmdAbout"), Qt::LeftButton);
  QTest::mouseClick(button("cmdAbout"), Qt::LeftButton);
  EXPECT_EQ(aboutWindows(), 1);
  QTest::mouseClick(button("cmdAdvanced"), Qt::LeftButton);
  EXPECT_EQ(form.height(), UIForm::kDetailedHeight);
}

// Checks that every control of `window` has a name of its own for screen
// readers and is described by its tooltip. Labels count too, except those
// that name a field: the field is announced by the label's text.
void ExpectEveryControlNamedApart(QWidget* window) {
  std::set<QString> names;
  for (QWidget* control : window->findChildren<QWidget*>()) {
    const auto* label = qobject_cast<QLabel*>(control);
    if (label && label->buddy()) continue;
    const QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(control);
    ASSERT_NE(a11y, nullptr);
    const QString name = a11y->text(QAccessible::Name);
    EXPECT_FALSE(name.isEmpty()) << control->objectName().toStdString();
    EXPECT_TRUE(names.insert(name).second) << name.toStdString();
    EXPECT_EQ(a11y->text(QAccessible::Description), control->toolTip()) << name.toStdString();
  }
}

TEST_F(UIFormTest, ScreenReadersCanTellEveryControlApartWhileTheCaptionsStay) {
  const std::pair<const char*, const char*> expected[] = {
      {"txtSource", "Source"},
      {"txtTarget", "Target"},
      {"txtLB", "Maximum consecutive mismatch lines"},
      {"txtMinMatch", "Number of consecutive lines that must match after a mismatch"},
      {"cmdBrowseSource", "Browse for the source file"},
      {"cmdBrowseTarget", "Browse for the target file"},
  };
  for (const auto& [control, name] : expected) {
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.findChild<QWidget*>(control))
                  ->text(QAccessible::Name),
              name);
  }
  EXPECT_EQ(button("cmdBrowseSource")->text(), "...");
  EXPECT_EQ(button("cmdBrowseTarget")->text(), "...");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(edit("txtSource"))
                ->text(QAccessible::Description),
            "Choose the original document to compare.");
  ExpectEveryControlNamedApart(&form);

  QTest::mouseClick(button("cmdAbout"), Qt::LeftButton);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<frmAbout*>(w)) ExpectEveryControlNamedApart(w);
}

// Drops `data` on a field as a file manager would, offering copy, move and
// link; returns whether the field took it.
bool Drop(QLineEdit* field, QMimeData* data) {
  const QPoint at = field->rect().center();
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  QDragEnterEvent enter(at, actions, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(at), actions, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(field, &drop);
  EXPECT_NE(drop.dropAction(), Qt::MoveAction);
  return drop.isAccepted();
}

QMimeData* UriList(const QStringList& uris) {
  auto* data = new QMimeData;
  data->setData("text/uri-list", (uris.join("\r\n") + "\r\n").toUtf8());
  return data;
}

QMimeData* PlainText(const QString& text) {
  auto* data = new QMimeData;
  data->setText(text);
  return data;
}

// A local file replaces the field's text with its plain path, offered as a
// URI list or as plain text; two fill the source and then the target.
TEST_F(UIFormTest, DroppedLocalFilesFillTheFieldsAsPlainPaths) {
  edit("txtSource")->setText("typed");
  std::unique_ptr<QMimeData> one(UriList({"file:///home/me/my%20docs/old%20file.txt"}));
  EXPECT_TRUE(Drop(edit("txtSource"), one.get()));
  EXPECT_EQ(edit("txtSource")->text(), "/home/me/my docs/old file.txt");

  std::unique_ptr<QMimeData> plain(PlainText("file:///home/me/%C3%A9t%C3%A9/new.txt\n"));
  EXPECT_TRUE(Drop(edit("txtTarget"), plain.get()));
  EXPECT_EQ(edit("txtTarget")->text(), "/home/me/\u00e9t\u00e9/new.txt");

  std::unique_ptr<QMimeData> two(UriList({"file:///a/1.txt", "file://localhost/b/2.txt"}));
  EXPECT_TRUE(Drop(edit("txtTarget"), two.get()));
  EXPECT_EQ(edit("txtSource")->text(), "/a/1.txt");
  EXPECT_EQ(edit("txtTarget")->text(), "/b/2.txt");
  EXPECT_EQ(form.sourceDialogFolder(), "/");
}

// Anything that is not one or two local files is refused, and the field
// keeps its text.
TEST_F(UIFormTest, DropsOfOtherPlacesAreRefused) {
  edit("txtSource")->setText("kept");
  const std::vector<QMimeData*> refused = {
      UriList({"sftp://host/home/me/old.txt"}),
      UriList({"file:///a/1.txt", "https://example.org/2.txt"}),
      UriList({"file://otherhost/a.txt"}),
      UriList({"file:///1", "file:///2", "file:///3"}),
      PlainText("sftp://host/home/me/old.txt"),
      PlainText("https://example.org/a\nhttps://example.org/b\n"),
  };
  for (QMimeData* data : refused) {
    std::unique_ptr<QMimeData> owned(data);
    EXPECT_FALSE(Drop(edit("txtSource"), data)) << data->text().toStdString();
    EXPECT_EQ(edit("txtSource")->text(), "kept");
  }
}

// A name that is not UTF-8 is shown readably and compared by its own bytes
// until the field is typed into.
TEST_F(UIFormTest, DroppedNameKeepsItsBytesUntilTyping) {
  std::unique_ptr<QMimeData> cafe(UriList({"file:///home/u/caf%E9.txt"}));
  ASSERT_TRUE(Drop(edit("txtSource"), cafe.get()));
  EXPECT_EQ(edit("txtSource")->text(), "/home/u/caf\uFFFD.txt");
  edit("txtTarget")->setText("/home/u/b.txt");
  QTest::mouseClick(button("cmdCompare"), Qt::LeftButton);
  edit("txtSource")->setFocus();
  QTest::keyClick(edit("txtSource"), Qt::Key_End);
  QTest::keyClick(edit("txtSource"), Qt::Key_X);
  QTest::mouseClick(button("cmdCompare"), Qt::LeftButton);
  EXPECT_EQ(platform.Called("ShortForm"),
            (std::vector<std::string>{"/home/u/caf\xE9.txt", "/home/u/b.txt",
                                      "/home/u/caf\uFFFD.txtx", "/home/u/b.txt"}));
}

TEST_F(UIFormTest, ClosingTheMainWindowLeavesAboutOpenAndKeepingTheProgramAlive) {
  QTest::mouseClick(button("cmdAbout"), Qt::LeftButton);
  form.close();
  QCoreApplication::processEvents();
  ASSERT_EQ(aboutWindows(), 1);
  // The program ends when its last window that quits on close has closed, so
  // an open About window of its own, with no owner, keeps it running.
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!qobject_cast<frmAbout*>(w)) continue;
    EXPECT_TRUE(w->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_EQ(w->parentWidget(), nullptr);
    EXPECT_EQ(w->windowHandle()->transientParent(), nullptr);
  }
}

// One view of a window as the user meets it: its title and, for each control
// in sight, in a fixed order, its caption, tool tip and accessible name; and
// where its controls stand.
struct View {
  QStringList texts;
  std::vector<QRect> places;
};

// Adds to `misfits` a line for a caption of `control` that `window` does not
// show whole: a word-wrapped label's lines must fit the part of its room in
// sight; a caption on one line must fit across its room, within the window.
void CheckCaptionFits(const QWidget* window, const QWidget* control, const QString& where,
                      QStringList* misfits) {
  const QString caption = varnel::CaptionOf(control);
  const QRect room = varnel::CaptionRoom(control).translated(control->mapTo(window, QPoint(0, 0)));
  const QRect inSight = room.intersected(QRect(QPoint(0, 0), window->size()));
  const QFontMetrics metrics = control->fontMetrics();
  const auto* label = qobject_cast<const QLabel*>(control);
  QRect text;
  if (label != nullptr && label->wordWrap()) {
    text = metrics.boundingRect(QRect(room.topLeft(), QSize(room.width(), 1 << 20)),
                                Qt::TextWordWrap, caption);
  } else {
    const int width = metrics.size(Qt::TextShowMnemonic, caption).width();
    const int left = qobject_cast<const QPushButton*>(control) != nullptr
                         ? room.center().x() + 1 - width / 2 - width % 2
                         : room.left();
    text = QRect(left, inSight.top(), width, inSight.height());
  }
  if (caption.isEmpty() || inSight.contains(text)) return;
  *misfits << QStringLiteral("%1 '%2': needs %3x%4, has %5x%6")
                  .arg(where, caption)
                  .arg(text.width())
                  .arg(text.height())
                  .arg(inSight.width())
                  .arg(inSight.height());
}

View Look(QWidget* window, const QString& name, QStringList* misfits) {
  View view;
  view.texts << name + QStringLiteral(" title: ") + window->windowTitle();
  const QRect sight(QPoint(0, 0), window->size());
  const QList<QWidget*> controls = window->findChildren<QWidget*>();
  for (qsizetype i = 0; i < controls.size(); ++i) {
    const QWidget* control = controls[i];
    const QRect place(control->mapTo(window, QPoint(0, 0)), control->size());
    if (!control->isVisibleTo(window) || !sight.intersects(place)) continue;
    const QString where = QStringLiteral("%1 %2#%3").arg(name, control->objectName()).arg(i);
    // What a control holds as data rather than says: a field's text, the
    // program's name, a path.
    if (!qobject_cast<const QLineEdit*>(control) && control->objectName() != "lblTitle" &&
        control->objectName() != "reportFile") {
      view.texts << where + QStringLiteral(" caption: ") + varnel::CaptionOf(control);
      CheckCaptionFits(window, control, where, misfits);
    }
    view.texts << where + QStringLiteral(" tool tip: ") + control->toolTip();
    view.texts << where + QStringLiteral(" name: ") + control->accessibleName();
    if (control->parentWidget() == window) view.places.push_back(place);
  }
  return view;
}

// Every window the user meets, in each of its views, in the language of the
// translators installed.
std::map<QString, View> LookAtEveryWindow(QStringList* misfits) {
  std::map<QString, View> views;
  varnel::StandInPlatform platform;
  UIForm form(platform, std::make_unique<varnel::StandInFileDialog>());
  form.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
  // The count fields say why they will not count as typed.
  form.findChild<QLineEdit*>("txtLB")->setText("1,000");
  form.findChild<QLineEdit*>("txtMinMatch")
      ->setText("2" + QString::fromStdString(varnel::UserDecimalPoint()) + "5");
  views["main compact"] = Look(&form, "main compact", misfits);
  QTest::mouseClick(form.findChild<QPushButton*>("cmdAdvanced"), Qt::LeftButton);
  views["main detailed"] = Look(&form, "main detailed", misfits);

  auto about = std::make_unique<frmAbout>();
  about->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(about.get()));
  views["about"] = Look(about.get(), "about", misfits);

  QTemporaryDir folder;
  QFile report(folder.filePath("FC_abc123.txt"));
  EXPECT_TRUE(report.open(QIODevice::WriteOnly));
  report.write("Comparing files old.txt and new.txt\n***** old.txt\na\n***** new.txt\nb\n*****\n");
  report.close();
  std::string reason;
  std::unique_ptr<ReportWindow> window(
      ReportWindow::Open(QFile::encodeName(report.fileName()).toStdString(), "/home/u/old.txt",
                         "/home/u/new.txt", &reason));
  EXPECT_NE(window, nullptr) << reason;
  if (window) {
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    views["report"] = Look(window.get(), "report", misfits);
  }
  return views;
}

// Texts that a language writes as English does.
const std::map<std::string, std::set<QString>> kSameOnPurpose = {
    {"de", {"...", "OK", "Details >>>"}},
    {"fr", {"...", "OK", "Source"}},
    {"es", {"..."}},
};

class TranslatedWindowsTest : public testing::TestWithParam<std::string> {};

// Under each shipped language, every text that the windows show or say is
// translated, unless it is the same on purpose, every caption fits its
// control in every view, and no control that grew runs into another.
TEST_P(TranslatedWindowsTest, EveryTextIsTranslatedAndFitsItsControl) {
  QStringList misfits;
  const std::map<QString, View> english = LookAtEveryWindow(&misfits);
  EXPECT_TRUE(misfits.isEmpty()) << "in English: " << misfits.join("\n").toStdString();

  const QList<QTranslator*> translators = varnel::InstallTranslators(
      QStringLiteral(VARNEL_TEST_TRANSLATIONS), QLocale(QString::fromStdString(GetParam())));
  // The program's translation, and Qt's own for the boxes' buttons.
  EXPECT_EQ(translators.size(), 2);
  misfits.clear();
  const std::map<QString, View> translated = LookAtEveryWindow(&misfits);
  for (QTranslator* translator : translators) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  EXPECT_TRUE(misfits.isEmpty()) << misfits.join("\n").toStdString();

  std::set<QString> same = kSameOnPurpose.at(GetParam());
  same.insert(QStringLiteral("Version %1.%2.%3")
                  .arg(varnel::kVersionMajor)
                  .arg(varnel::kVersionMinor)
                  .arg(varnel::kVersionRevision));
  for (const auto& [name, view] : english) {
    const View& other = translated.at(name);
    ASSERT_EQ(view.texts.size(), other.texts.size()) << name.toStdString();
    for (qsizetype i = 0; i < view.texts.size(); ++i) {
      const QString text = view.texts[i].section(QStringLiteral(": "), 1);
      if (text.isEmpty() || same.contains(text)) continue;
      EXPECT_NE(view.texts[i], other.texts[i]) << "not translated";
    }
    ASSERT_EQ(view.places.size(), other.places.size());
    for (std::size_t a = 0; a < view.places.size(); ++a) {
      for (std::size_t b = a + 1; b < view.places.size(); ++b) {
        if (view.places[a].intersects(view.places[b])) continue;
        EXPECT_FALSE(other.places[a].intersects(other.places[b]))
            << name.toStdString() << ": controls " << a << " and " << b << " run into each other";
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(ShippedLanguages, TranslatedWindowsTest,
                         testing::Values("de", "fr", "es"));

}  // namespace
