#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <string>

#include "commands/dialogs/dim_fit_page.h"
#include "commands/dialogs/dim_style_dlg.h"
#include "database/dim_style.h"
#include "dialogs/dim_alt_units_page_widget.h"
#include "dialogs/dim_fit_page_widget.h"
#include "dialogs/dim_tol_page_widget.h"
#include "dialogs/dim_units_page_widget.h"
#include "tests/support/find_child.h"
#include "tests/support/gui_application.h"
#include "tests/support/modal_closer.h"

namespace {

// Types the text into the box and leaves it.
void Type(QLineEdit* box, const char* text) {
  box->setText(QString::fromUtf8(text));
  emit box->editingFinished();
}

// Chooses the entry as a user does.
void Choose(QComboBox* list, int index) {
  list->setCurrentIndex(index);
  emit list->activated(index);
}

QCheckBox* ZeroBox(QWidget& page, const char* group, const char* name) {
  return Child<QCheckBox>(*Child<DimZeroBoxes>(page, group), name);
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
  // Text that is no number is refused and the box shows the scale again.
  QString message;
  ModalCloser refusal([&](QDialog& box) {
    if (auto* shown = qobject_cast<QMessageBox*>(&box)) message = shown->text();
    return QDialog::Accepted;
  });
  Type(scale, "fifty");
  EXPECT_EQ(message, QStringLiteral("Please enter a number."));
  EXPECT_EQ(scale->text(), QStringLiteral("-50"));
  EXPECT_EQ(vars.dimscale, 50.0);
  Type(scale, "50");
  Type(scale, "0");
  EXPECT_EQ(vars.dimscale, 50.0);
  EXPECT_EQ(rescales, 1);
  EXPECT_EQ(changes, 6);
}

TEST(DimPageWidgetsTest, UnitsPageSplitsDimPostAndFollowsTheUnitFormat) {
  GuiApplication();
  FcDimStyle style;
  style.dimpost = "D=<> mm\\X";
  style.dimzin = 8;
  style.dimdec = 2;
  CDimStyleDlg sheet(style);
  DimUnitsPageWidget widget(sheet.m_units, sheet.m_vars, nullptr);
  EXPECT_EQ(Child<QLineEdit>(widget, "prefix")->text(), QStringLiteral("D="));
  EXPECT_EQ(Child<QLineEdit>(widget, "suffix")->text(), QStringLiteral(" mm"));
  EXPECT_TRUE(ZeroBox(widget, "zeros", "feet")->isChecked());
  EXPECT_TRUE(ZeroBox(widget, "zeros", "inches")->isChecked());
  EXPECT_TRUE(ZeroBox(widget, "zeros", "trailing")->isChecked());
  EXPECT_FALSE(ZeroBox(widget, "zeros", "leading")->isChecked());
  auto* precision = Child<QComboBox>(widget, "precision");
  auto* separator = Child<QComboBox>(widget, "separator");
  auto* fraction = Child<QComboBox>(widget, "fractionFormat");
  EXPECT_EQ(precision->currentIndex(), 2);
  EXPECT_TRUE(separator->isEnabled());
  EXPECT_FALSE(fraction->isEnabled() || ZeroBox(widget, "zeros", "feet")->isEnabled());

  // Architectural units: fractions offered at the same position, the
  // switches that mean nothing for them greyed.
  Choose(Child<QComboBox>(widget, "unitFormat"), kDimArchitectural);
  EXPECT_EQ(precision->currentText(), QStringLiteral("0'-0 1/4\""));
  EXPECT_EQ(precision->itemText(8), QStringLiteral("0'-0 1/256\""));
  EXPECT_FALSE(separator->isEnabled() || ZeroBox(widget, "zeros", "leading")->isEnabled());
  EXPECT_TRUE(fraction->isEnabled() && ZeroBox(widget, "zeros", "inches")->isEnabled());
  EXPECT_EQ(sheet.m_vars.dimlunit, 4);
  EXPECT_EQ(sheet.m_vars.dimzin, 8);

  Type(Child<QLineEdit>(widget, "suffix"), "cm");
  EXPECT_EQ(sheet.m_vars.dimpost.str(), "D=<>cm\\X");
  // The prefix takes no more than DIMPOST leaves it beside the suffix.
  auto* prefix = Child<QLineEdit>(widget, "prefix");
  Type(prefix, std::string(kDimPostAffixRoom, 'p').c_str());
  EXPECT_EQ(prefix->text().size(), kDimPostAffixRoom - 2);
  EXPECT_EQ(sheet.m_vars.dimpost.str(), std::string(kDimPostAffixRoom - 2, 'p') + "<>cm\\X");
  ZeroBox(widget, "zeros", "feet")->click();
  EXPECT_EQ(sheet.m_vars.dimzin, 2 + 8);
  Choose(Child<QComboBox>(widget, "angleFormat"), 1);
  EXPECT_EQ(Child<QComboBox>(widget, "anglePrecision")->itemText(1), QStringLiteral("0d00'"));
  EXPECT_EQ(sheet.m_vars.dimaunit, 1);
}

TEST(DimPageWidgetsTest, AltUnitsPageFollowsItsSwitch) {
  GuiApplication();
  FcDimStyle style;
  style.dimalt = 0;
  style.dimaltf = 2.0;
  style.dimpost = "<>";
  style.dimapost = "[]";
  CDimStyleDlg sheet(style);
  FcDimVars& vars = sheet.m_vars;
  DimAltUnitsPageWidget widget(sheet.m_altUnits, vars, nullptr);
  int changes = 0;
  widget.SetOnChange([&] { ++changes; });
  auto* unitFormat = Child<QComboBox>(widget, "unitFormat");
  auto* position = Child<QButtonGroup>(widget, "position");
  EXPECT_FALSE(unitFormat->isEnabled() || position->button(1)->isEnabled() ||
               ZeroBox(widget, "zeros", "leading")->isEnabled());
  EXPECT_EQ(position->checkedId(), 0);

  Child<QCheckBox>(widget, "enabled")->click();
  EXPECT_EQ(vars.dimalt, 1);
  EXPECT_TRUE(unitFormat->isEnabled() && position->button(1)->isEnabled() &&
              ZeroBox(widget, "zeros", "leading")->isEnabled());
  EXPECT_FALSE(ZeroBox(widget, "zeros", "feet")->isEnabled());
  Choose(unitFormat, kDimEngineering);
  EXPECT_TRUE(ZeroBox(widget, "zeros", "feet")->isEnabled() && ZeroBox(widget, "zeros", "leading")->isEnabled());
  Choose(unitFormat, kDimArchitectural);
  EXPECT_FALSE(ZeroBox(widget, "zeros", "leading")->isEnabled());
  EXPECT_EQ(vars.dimaltu, 4);

  position->button(1)->click();
  EXPECT_EQ(vars.dimpost.str(), "<>\\X");
  position->button(0)->click();
  EXPECT_EQ(vars.dimpost.str(), "<>");
  Type(Child<QLineEdit>(widget, "prefix"), "~");
  EXPECT_EQ(vars.dimapost.str(), "~[]");
  auto* scale = Child<QLineEdit>(widget, "scale");
  Type(scale, "0");
  EXPECT_EQ(vars.dimaltf, 2.0);
  Type(scale, "-25.4");
  EXPECT_EQ(vars.dimaltf, 25.4);
  EXPECT_EQ(changes, 8);
}

// The tolerance page takes the unit pages' formats each time it is shown.
TEST(DimPageWidgetsTest, TolPageStoresTheMethodAndFollowsTheUnitPages) {
  GuiApplication();
  FcDimStyle style;
  style.dimtol = 1;
  style.dimtp = 0.2;
  style.dimtm = 0.1;
  style.dimgap = 0.625;
  style.dimalt = 0;
  CDimStyleDlg sheet(style);
  FcDimVars& vars = sheet.m_vars;
  DimUnitsPageWidget units(sheet.m_units, vars, nullptr);
  DimTolPageWidget widget(sheet.m_tol, vars, nullptr);
  auto* method = Child<QComboBox>(widget, "method");
  auto* lower = Child<QLineEdit>(widget, "lower");
  EXPECT_EQ(method->currentIndex(), CDimTolPage::kDeviation);
  EXPECT_TRUE(lower->isEnabled());

  Choose(method, CDimTolPage::kSymmetrical);
  EXPECT_EQ(vars.dimtm, 0.2);
  EXPECT_EQ(lower->text(), Child<QLineEdit>(widget, "upper")->text());
  EXPECT_FALSE(lower->isEnabled());
  Choose(Child<QComboBox>(widget, "justification"), 0);
  EXPECT_EQ(vars.dimtolj, 2);

  Choose(Child<QComboBox>(units, "unitFormat"), kDimArchitectural);
  widget.show();
  auto* precision = Child<QComboBox>(widget, "precision");
  EXPECT_EQ(precision->itemText(8), QStringLiteral("0'-0 1/256\""));
  EXPECT_TRUE(ZeroBox(widget, "zeros", "feet")->isEnabled());
  EXPECT_FALSE(ZeroBox(widget, "zeros", "leading")->isEnabled());
  // Alternate units are off: their part of the page is all greyed.
  EXPECT_FALSE(Child<QComboBox>(widget, "altPrecision")->isEnabled());
  for (const char* name : {"leading", "trailing", "feet", "inches"})
    EXPECT_FALSE(ZeroBox(widget, "altZeros", name)->isEnabled()) << name;

  Choose(method, CDimTolPage::kBasic);
  EXPECT_EQ(vars.dimgap, -0.625);
  EXPECT_EQ(vars.dimtol, 0);
  EXPECT_FALSE(precision->isEnabled() || ZeroBox(widget, "zeros", "feet")->isEnabled());
}

}  // namespace
