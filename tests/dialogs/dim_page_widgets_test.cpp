#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>

#include "commands/dialogs/dim_fit_page.h"
#include "database/dim_style.h"
#include "dialogs/dim_fit_page_widget.h"
#include "tests/support/find_child.h"
#include "tests/support/gui_application.h"

namespace {

// Types the text into the box and leaves it.
void Type(QLineEdit* box, const char* text) {
  box->setText(QString::fromUtf8(text));
  emit box->editingFinished();
}

TEST(DimPageWidgetsTest, FitPageShowsTheStyleAndStoresEachChoice) {
  GuiApplication();
  FcDimVars vars;
  vars.dimtix = 1;
  vars.dimatfit = 0;
  vars.dimtmove = 1;
  CDimAdjustPage page;
  page.OnInitDialog(vars);
  DimFitPageWidget widget(page, vars, nullptr);
  int changes = 0;
  int rescales = 0;
  widget.SetOnChange([&] { ++changes; });
  widget.SetOnRescale([&] { ++rescales; });
  auto* fit = Child<QButtonGroup>(widget, "fit");
  auto* movement = Child<QButtonGroup>(widget, "movement");
  EXPECT_EQ(fit->checkedId(), CDimAdjustPage::kForceTextInside);
  EXPECT_EQ(movement->checkedId(), 1);

  fit->button(CDimAdjustPage::kTextFirst)->click();
  EXPECT_EQ(vars.dimatfit, 2);
  EXPECT_EQ(vars.dimtix, 0);
  movement->button(2)->click();
  EXPECT_EQ(vars.dimtmove, 2);
  Child<QCheckBox>(widget, "forceLineInside")->click();
  EXPECT_EQ(vars.dimtofl, 1);

  // Only a new scale has the sample built again; zero keeps the old one.
  auto* scale = Child<QLineEdit>(widget, "scale");
  Type(scale, "-50");
  EXPECT_EQ(vars.dimscale, 50.0);
  Type(scale, "50");
  Type(scale, "0");
  EXPECT_EQ(vars.dimscale, 50.0);
  EXPECT_EQ(rescales, 1);
  EXPECT_EQ(changes, 6);
}

}  // namespace
