#include "dialogs/select_condition_dialogs.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>

#include "dialogs/dialog_shows.h"
#include "tests/support/dialog_settings_scope.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

QStringList Rows(QDialog& dialog, const char* list) {
  QStringList rows;
  auto* tree = dialog.findChild<QTreeWidget*>(QString::fromLatin1(list));
  for (int i = 0; i < tree->topLevelItemCount(); ++i) rows << tree->topLevelItem(i)->text(0);
  return rows;
}
QPushButton& Button(QDialog& dialog, const char* name) {
  return *dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}
void PressOk(QDialog& dialog) { dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click(); }

// The list follows the tab, Delete takes the selected rows of that tab
// only, and OK hands the condition back.
TEST(SelectConditionDialogsTest, TheListFollowsTheTabAndOkHandsTheConditionBack) {
  GuiApplication();
  DialogSettingsScope settings;
  FcEntSelectFilter filter;
  filter.AddType("Line");
  filter.AddLayer("WALLS");
  filter.AddLayer("DOORS");
  CSelectConditionDlg data;
  data.m_pFilter = &filter;
  ModalCloser closer([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Object selecting condition"));
    EXPECT_EQ(Rows(dialog, "list"), QStringList{QStringLiteral("Line")});
    EXPECT_TRUE(Button(dialog, "save").isEnabled());
    EXPECT_FALSE(Button(dialog, "delete").isEnabled());
    EXPECT_FALSE(Button(dialog, "remove").isEnabled());
    dialog.findChild<QTabBar*>(QStringLiteral("tabs"))->setCurrentIndex(1);
    EXPECT_EQ(Rows(dialog, "list"), (QStringList{QStringLiteral("WALLS"), QStringLiteral("DOORS")}));
    auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("list"));
    list->topLevelItem(0)->setSelected(true);
    EXPECT_TRUE(Button(dialog, "delete").isEnabled());
    Button(dialog, "delete").click();
    EXPECT_EQ(Rows(dialog, "list"), QStringList{QStringLiteral("DOORS")});
    PressOk(dialog);
    return QDialog::Accepted;
  });
  EXPECT_EQ(ShowModalDialog(data, nullptr), CModalDialog::kOk);
  EXPECT_EQ(filter.GetTypes(), std::vector<std::string>{"Line"});
  EXPECT_EQ(filter.GetLayers(), std::vector<std::string>{"DOORS"});
}

// The values come sorted; OK with a new one chosen is OK, with only known
// ones it is Cancel.
TEST(SelectConditionDialogsTest, TheAddDialogEndsWithOkOnlyWhenSomethingWentIn) {
  GuiApplication();
  FcEntSelectFilter filter;
  filter.AddType("Arc");
  for (const char* pick : {"Arc", "Circle"}) {
    CAddConditionDlg data;
    data.m_pFilter = &filter;
    data.m_strFrameText = "Select object types";
    ModalCloser closer([pick](QDialog& dialog) {
      const QStringList rows = Rows(dialog, "values");
      EXPECT_EQ(rows.size(), 22);
      EXPECT_EQ(rows.front(), QStringLiteral("Arc"));
      auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("values"));
      list->findItems(QString::fromLatin1(pick), Qt::MatchExactly).front()->setSelected(true);
      PressOk(dialog);
      return dialog.result();
    });
    const int expected = std::string(pick) == "Arc" ? CModalDialog::kCancel : CModalDialog::kOk;
    EXPECT_EQ(ShowModalDialog(data, nullptr), expected) << pick;
  }
  EXPECT_EQ(filter.GetTypes(), (std::vector<std::string>{"Arc", "Circle"}));
}

}  // namespace
