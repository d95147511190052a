#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest/QTest>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/color_swatches.h"
#include "dialogs/property_list.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"
#include "tests/support/temp_dir.h"

namespace {

// A shown grid, wide enough that its splitter sits at 150.
class PropertyListTest : public ::testing::Test {
 protected:
  PropertyListTest() : grid_(nullptr) { grid_.resize(300, 240); }

  void Show() {
    grid_.SetSplitter(150);
    grid_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid_));
  }

  // What a dialog does to open the editor of a row that may be selected
  // already.
  void Open(int row) {
    grid_.setCurrentRow(row);
    grid_.OnSelChange();
  }

  template <typename Widget>
  Widget* Child(const char* name) {
    return grid_.findChild<Widget*>(QString::fromLatin1(name));
  }

  // The names of the in-place editors that are showing.
  std::vector<std::string> Shown() {
    std::vector<std::string> shown;
    for (const char* name : {"propertyChoice", "propertyEdit", "propertySpin", "propertyBrowse"}) {
      if (auto* editor = Child<QWidget>(name); editor != nullptr && editor->isVisible()) shown.emplace_back(name);
    }
    return shown;
  }

  QPoint RowPoint(int row, int x) { return {x, grid_.visualItemRect(grid_.item(row)).center().y()}; }

  QApplication& application_ = GuiApplication();
  CPropertyList grid_;
};

TEST_F(PropertyListTest, EachKindOpensItsEditorOverTheValue) {
  const struct {
    int kind;
    const char* value;
    const char* options;
    std::vector<std::string> shown;
    const char* text;  // of the drop-down or the edit box
  } cases[] = {
      {kPropertyHeading, "", "", {}, ""},
      {kPropertyChoice, "Hide", "Show|Hide|", {"propertyChoice"}, "Hide"},
      {kPropertyChoice, "Other", "Show|Hide|", {"propertyChoice"}, "Show"},
      {kPropertyText, "B7", "", {"propertyEdit"}, "B7"},
      {kPropertyRgb, "RGB(255,0,0)", "", {"propertyBrowse"}, ""},
      {kPropertyReadOnly, "fixed", "", {}, ""},
      {kPropertyInteger, "3", "", {"propertyEdit", "propertySpin"}, "3"},
      {kPropertyFont, "Arial", "", {"propertyBrowse"}, ""},
      {kPropertyFile, "/a/b.gif", "", {"propertyBrowse"}, ""},
      {kPropertyAction, "", "", {"propertyBrowse"}, ""},
      {kPropertyColorIndex, "Red", "", {"propertyBrowse"}, ""},
      {kPropertyButton, "", "", {}, ""},
      {kPropertyRaised, "Value", "", {}, ""},
      {12, "", "", {"propertyBrowse"}, ""},
  };
  for (const auto& c : cases) {
    const int row = grid_.AddItem("Row", c.value, c.kind, c.options);
    grid_.Rows().Item(row).number = 3;
    grid_.Rows().Item(row).maximum = 9;
  }
  Show();
  for (int row = 0; row < static_cast<int>(std::size(cases)); ++row) {
    const auto& c = cases[row];
    grid_.setCurrentRow(row);
    EXPECT_EQ(Shown(), c.shown) << "kind " << c.kind;
    QWidget* editor = c.shown.empty() ? nullptr : Child<QWidget>(c.shown.front().c_str());
    if (editor == nullptr) continue;
    // Over the value: from the splitter to the right end of the row.
    const QRect rect = grid_.visualItemRect(grid_.item(row));
    EXPECT_GE(editor->geometry().left(), 150) << "kind " << c.kind;
    EXPECT_LE(editor->geometry().right(), rect.right()) << "kind " << c.kind;
    EXPECT_EQ(editor->geometry().top(), rect.top()) << "kind " << c.kind;
    if (auto* choice = qobject_cast<QComboBox*>(editor)) EXPECT_EQ(choice->currentText().toStdString(), c.text);
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) EXPECT_EQ(edit->text().toStdString(), c.text);
  }
  // The drop-down holds the choices that end with a bar, and the "..."
  // button keeps to the right end.
  EXPECT_EQ(Child<QComboBox>("propertyChoice")->count(), 2);
  EXPECT_EQ(Child<QPushButton>("propertyBrowse")->width(), 20);
}

TEST_F(PropertyListTest, ADropDownStoresAChoiceAtOnce) {
  grid_.AddItem("Draw", "Show", kPropertyChoice, "Show|Hide|");
  grid_.AddItem("Modify", "Hide", kPropertyChoice, "Show|Hide|");
  Show();
  grid_.setCurrentRow(1);
  // Opening on the value offers no change.
  EXPECT_EQ(grid_.Rows().Item(1).value, "Hide");
  Child<QComboBox>("propertyChoice")->setCurrentIndex(0);
  EXPECT_EQ(grid_.Rows().Item(1).value, "Show");
  EXPECT_EQ(grid_.Rows().Item(0).value, "Show");
}

TEST_F(PropertyListTest, EnterStoresTheTypedTextAndEscOrAnotherRowDropsIt) {
  grid_.AddItem("ROOM[Room]", "B7", kPropertyText);
  grid_.AddItem("OWNER[Owner]", "KIM", kPropertyText);
  std::vector<int> closed;
  grid_.OnEditorClosed([&](int key) { closed.push_back(key); });
  Show();
  Open(0);
  auto* edit = Child<QLineEdit>("propertyEdit");
  edit->setText(QStringLiteral("C9"));
  grid_.setCurrentRow(1);
  EXPECT_EQ(grid_.Rows().Item(0).value, "B7");
  EXPECT_EQ(edit->text(), QStringLiteral("KIM"));

  edit->setText(QStringLiteral("LEE"));
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(grid_.Rows().Item(1).value, "KIM");
  EXPECT_FALSE(edit->isVisible());

  grid_.OnSelChange();
  edit->setText(QStringLiteral("LEE"));
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(grid_.Rows().Item(1).value, "LEE");
  EXPECT_TRUE(Shown().empty());
  EXPECT_EQ(closed, (std::vector<int>{Qt::Key_Escape, Qt::Key_Return}));
}

TEST_F(PropertyListTest, AnIntegerRowWrapsItsSpinAndPutsAWrongNumberBack) {
  const int row = grid_.AddItem("Count", "5", kPropertyInteger);
  CPropertyItem& item = grid_.Rows().Item(row);
  item.number = 5;
  item.minimum = 1;
  item.maximum = 5;
  Show();
  Open(row);
  auto* edit = Child<QLineEdit>("propertyEdit");
  Child<QToolButton>("up")->click();
  EXPECT_EQ(item.value, "1");
  EXPECT_EQ(edit->text(), QStringLiteral("1"));
  Child<QToolButton>("down")->click();
  EXPECT_EQ(edit->text(), QStringLiteral("5"));

  edit->setText(QStringLiteral("9"));
  EXPECT_TRUE(grid_.OnKeyDown(Qt::Key_Return));
  EXPECT_EQ(item.number, 5);
  EXPECT_EQ(edit->text(), QStringLiteral("5"));

  grid_.OnSelChange();
  edit->setText(QStringLiteral("3"));
  EXPECT_TRUE(grid_.OnKeyDown(Qt::Key_Enter));
  EXPECT_EQ(item.number, 3);
  EXPECT_EQ(item.value, "3");
  EXPECT_FALSE(grid_.OnKeyDown(Qt::Key_A));
}

TEST_F(PropertyListTest, TheSplitterDragsButStaysTenPixelsInside) {
  grid_.AddItem("Name", "Value", kPropertyText);
  grid_.AddItem("Apply", "", kPropertyButton);
  Show();
  QWidget* viewport = grid_.viewport();
  const struct {
    int to;
    int splitter;
  } drags[] = {{100, 100}, {2, 10}, {viewport->width() - 1, viewport->width() - 10}};
  for (const auto& drag : drags) {
    const int from = grid_.Splitter() + 3;
    QTest::mousePress(viewport, Qt::LeftButton, {}, RowPoint(0, from));
    QTest::mouseMove(viewport, RowPoint(0, drag.to));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, RowPoint(0, drag.to));
    EXPECT_EQ(grid_.Splitter(), drag.splitter) << drag.to;
  }
  // A press on a button row is no drag, wherever it is.
  const int before = grid_.Splitter();
  QTest::mousePress(viewport, Qt::LeftButton, {}, RowPoint(1, before));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, RowPoint(1, 40));
  EXPECT_EQ(grid_.Splitter(), before);
}

TEST_F(PropertyListTest, AButtonRowNotifiesOnlyWhenReleasedOverItself) {
  grid_.AddItem("Apply", "", kPropertyButton);
  grid_.AddItem("Name", "Value", kPropertyText);
  std::vector<int> notified;
  grid_.Rows().SetQuestion([&](const CPropertyItem&, const std::string&, int number) {
    notified.push_back(number);
    return true;
  });
  Show();
  QWidget* viewport = grid_.viewport();
  QTest::mousePress(viewport, Qt::LeftButton, {}, RowPoint(0, 40));
  QTest::mouseRelease(viewport, Qt::LeftButton, {}, RowPoint(1, 40));
  EXPECT_TRUE(notified.empty());
  QTest::mouseClick(viewport, Qt::LeftButton, {}, RowPoint(0, 200));
  EXPECT_EQ(notified, (std::vector<int>{1}));
}

TEST_F(PropertyListTest, DisablingTheGridHidesItsEditor) {
  grid_.AddItem("Name", "Value", kPropertyText);
  Show();
  Open(0);
  ASSERT_EQ(Shown(), (std::vector<std::string>{"propertyEdit"}));
  grid_.setEnabled(false);
  EXPECT_TRUE(Shown().empty());
}

// The "..." button of each browsing kind: the chooser opens on the row's
// value, and what is chosen there becomes the value; the notifying kinds
// only tell the owner.
TEST_F(PropertyListTest, TheBrowseButtonOpensTheChooserOnTheValueAndTakesTheChoice) {
  TempDir temp;
  const std::string picture = temp.Write("pictures/logo.gif");
  const std::string folder = temp.path() + "pictures";
  struct Case {
    int kind;
    std::string value;
    std::function<int(QDialog&)> look;
    std::string stored;
  };
  QColor shownColor;
  QString shownTitle, shownFolder;
  const Case cases[] = {
      {kPropertyRgb, "RGB(255,0,0)",
       [&](QDialog& dialog) {
         auto& chooser = dynamic_cast<QColorDialog&>(dialog);
         shownColor = chooser.currentColor();
         chooser.setCurrentColor(QColor(0, 0, 255));
         return QDialog::Accepted;
       },
       "RGB(0,0,255)"},
      {kPropertyRgb, "RGB(255,0,0)", [](QDialog&) { return QDialog::Rejected; }, "RGB(255,0,0)"},
      {kPropertyFile, folder + "/old.gif",
       [&](QDialog& dialog) {
         auto& chooser = dynamic_cast<QFileDialog&>(dialog);
         shownTitle = chooser.windowTitle();
         shownFolder = chooser.directory().absolutePath();
         chooser.selectFile(QString::fromStdString(picture));
         return QDialog::Accepted;
       },
       picture},
      {kPropertyAction, "", nullptr, ""},
      {kPropertyColorIndex, "Red", nullptr, "Red"},
  };
  std::vector<int> notified;
  grid_.Rows().SetQuestion([&](const CPropertyItem& row, const std::string&, int number) {
    if (row.kind == kPropertyAction || row.kind == kPropertyColorIndex) notified.push_back(number);
    return true;
  });
  for (const Case& c : cases) grid_.AddItem("Row", c.value, c.kind);
  Show();
  for (int row = 0; row < static_cast<int>(std::size(cases)); ++row) {
    Open(row);
    auto* browse = Child<QPushButton>("propertyBrowse");
    ASSERT_TRUE(browse->isVisible()) << row;
    std::optional<ModalCloser> closer;
    if (cases[row].look) closer.emplace(cases[row].look);
    browse->click();
    EXPECT_EQ(grid_.Rows().Item(row).value, cases[row].stored) << row;
    EXPECT_FALSE(browse->isVisible()) << row;
  }
  EXPECT_EQ(shownColor, QColor(255, 0, 0));
  EXPECT_EQ(shownTitle, QStringLiteral("Select file"));
  EXPECT_EQ(shownFolder, QString::fromStdString(folder));
  EXPECT_EQ(notified, (std::vector<int>{0, 0}));
}

// Headings, read-only values and colour swatches are drawn by the grid.
TEST_F(PropertyListTest, RowsAreDrawnByTheirKind) {
  grid_.AddItem("General", "", kPropertyHeading);
  grid_.AddItem("Colour", "Green", kPropertyColorIndex);
  grid_.Rows().Item(1).number = 3;
  Show();
  const QImage image = grid_.viewport()->grab().toImage();
  EXPECT_EQ(image.pixelColor(RowPoint(0, 5)), QColor(230, 230, 230));
  EXPECT_EQ(image.pixelColor(RowPoint(1, 150 + 3 + 8)), IndexQColor(3));
}

}  // namespace
