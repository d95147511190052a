#include <gtest/gtest.h>

#include <QSettings>
#include <QString>
#include <optional>
#include <string>

#include "commands/dialogs/dialog_settings.h"
#include "commands/dialogs/export_dlg.h"
#include "tests/support/dialog_settings_scope.h"

namespace {

class ExportDlgTest : public testing::Test {
 protected:
  // A dialog over the display window (10, 20)-(110, 90), opened as the
  // command opens it the first time.
  void Open(CExportDlg& dialog, const std::string& fileName = "/work/plan.dwg") {
    dialog.m_ptDisplay[0] = {10, 20};
    dialog.m_ptDisplay[1] = {110, 90};
    dialog.m_strFileName = fileName;
    dialog.m_bFirstShow = true;
    dialog.OnInitDialog();
  }

  void Store(const char* key, const QString& value) {
    QSettings store(QString::fromStdString(settings_.File()), QSettings::IniFormat);
    store.setValue(QStringLiteral("ExportCfg/") + QLatin1String(key), value);
  }

  DialogSettingsScope settings_;
};

TEST_F(ExportDlgTest, FirstOpeningWithoutStoredSettingsShowsTheDefaults) {
  CExportDlg dialog;
  Open(dialog);
  EXPECT_EQ(dialog.m_nArea, CExportDlg::kAreaDisplay);
  EXPECT_EQ(dialog.m_pWindow, dialog.m_ptDisplay);
  EXPECT_EQ(dialog.m_ptWindow[1].x, 110.0) << "the window points start as the display window";
  EXPECT_EQ(dialog.m_nType, CExportDlg::kTypeHpgl);
  EXPECT_EQ(dialog.m_nUnits, CExportDlg::kUnitsPixel);
  EXPECT_EQ(dialog.m_dWidth, 800.0);
  EXPECT_EQ(dialog.m_dHeight, 600.0);
  EXPECT_EQ(dialog.m_strFileName, "/work/plan.plt");
}

// OK stores the choices in the chosen units and hands the size back in
// device units; the next opening comes back with the same choices.
TEST_F(ExportDlgTest, OkStoresTheChoicesAndConvertsTheSizeIntoDeviceUnits) {
  {
    CExportDlg dialog;
    Open(dialog);
    dialog.m_ptWindow[0] = {1, 2};
    dialog.m_ptWindow[1] = {30.25, 40};
    dialog.SelectArea(CExportDlg::kAreaWindow);
    dialog.SelectType(CExportDlg::kTypePdf);
    dialog.m_dWidth = 720;
    dialog.SelectUnits(CExportDlg::kUnitsInch);
    EXPECT_EQ(dialog.m_dWidth, 10.0);
    ASSERT_EQ(dialog.Accept(), "");
    EXPECT_DOUBLE_EQ(dialog.m_dWidth, 720.0);
    EXPECT_DOUBLE_EQ(dialog.m_dHeight, 8.3333 * 72.0) << "converted to inches, rounded, and back";
    EXPECT_EQ(dialog.m_strFileName, "/work/plan.pdf");
  }
  CExportDlg again;
  Open(again, "/work/other.dwg");
  EXPECT_EQ(again.m_nArea, CExportDlg::kAreaWindow);
  EXPECT_EQ(again.m_pWindow, again.m_ptWindow);
  EXPECT_EQ(again.m_ptWindow[0].y, 2.0);
  EXPECT_EQ(again.m_ptWindow[1].x, 30.25);
  EXPECT_EQ(again.m_nType, CExportDlg::kTypePdf);
  EXPECT_EQ(again.m_nUnits, CExportDlg::kUnitsInch);
  EXPECT_EQ(again.m_dWidth, 10.0);
  EXPECT_EQ(again.m_dHeight, 8.3333);
  EXPECT_EQ(again.m_strFileName, "/work/other.pdf");
}

TEST_F(ExportDlgTest, ChangingTheUnitsConvertsTheSizeAndRounds) {
  const struct {
    int type;
    int from;
    double width;
    int to;
    double expected;
  } cases[] = {
      {CExportDlg::kTypeHpgl, CExportDlg::kUnitsInch, 10, CExportDlg::kUnitsMm, 254},
      {CExportDlg::kTypeHpgl, CExportDlg::kUnitsInch, 10, CExportDlg::kUnitsPixel, 10160},
      {CExportDlg::kTypePdf, CExportDlg::kUnitsPixel, 100, CExportDlg::kUnitsMm, 35.2778},
      {CExportDlg::kTypeEps, CExportDlg::kUnitsMm, 10, CExportDlg::kUnitsPixel, 28},
      {CExportDlg::kTypeEps, CExportDlg::kUnitsMm, 10.2, CExportDlg::kUnitsPixel, 29},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    CExportDlg dialog;
    Open(dialog);
    dialog.SelectType(c.type);
    dialog.m_nUnits = c.from;
    dialog.m_dWidth = c.width;
    dialog.SelectUnits(c.to);
    EXPECT_DOUBLE_EQ(dialog.m_dWidth, c.expected);
    EXPECT_EQ(dialog.m_nUnits, c.to);
  }
}

// SVG has no units: choosing it shows pixels without converting the size,
// and the units come back with another type.
TEST_F(ExportDlgTest, SvgTypesSwitchTheUnitsOffWithoutConverting) {
  CExportDlg dialog;
  Open(dialog);
  dialog.m_dWidth = 10;
  dialog.m_nUnits = CExportDlg::kUnitsInch;
  dialog.SelectType(CExportDlg::kTypeSvgz);
  EXPECT_FALSE(dialog.UnitsEnabled());
  EXPECT_EQ(dialog.m_nUnits, CExportDlg::kUnitsPixel);
  EXPECT_EQ(dialog.m_dWidth, 10.0);
  EXPECT_EQ(dialog.m_strFileName, "/work/plan.svgz");
  dialog.SelectType(CExportDlg::kTypeEps);
  EXPECT_TRUE(dialog.UnitsEnabled());
  EXPECT_EQ(dialog.m_strFileName, "/work/plan.eps");
}

TEST_F(ExportDlgTest, ABrowsedFileChoosesTheTypeByItsExtension) {
  const struct {
    const char* path;
    int type;
  } cases[] = {
      {"/out/a.SVGZ", CExportDlg::kTypeSvgz},
      {"/out/a.Plt", CExportDlg::kTypeHpgl},
      {"/out/a.txt", CExportDlg::kTypeEps},
      {"/out/noextension", CExportDlg::kTypeEps},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    CExportDlg dialog;
    Open(dialog);
    dialog.SelectType(CExportDlg::kTypeEps);
    dialog.m_nUnits = CExportDlg::kUnitsMm;
    dialog.TakeChosenFile(c.path);
    EXPECT_EQ(dialog.m_strFileName, c.path);
    EXPECT_EQ(dialog.m_nType, c.type);
    EXPECT_EQ(dialog.m_nUnits, dialog.UnitsEnabled() ? CExportDlg::kUnitsMm : CExportDlg::kUnitsPixel);
  }
}

// Another type in the browse dialog puts its extension on the typed name,
// which keeps no folder; an empty box stays empty.
TEST(ExportBrowseNameTest, TheTypedNameTakesTheExtensionOfTheChosenType) {
  const struct {
    const char* name;
    int type;
    const char* shown;
  } cases[] = {
      {"/out/plan.pdf", CExportDlg::kTypeHpgl, "plan.plt"},
      {"plan", CExportDlg::kTypeSvgz, "plan.svgz"},
      {"plan.v2.svgz", CExportDlg::kTypeSvg, "plan.v2.svg"},
      {"", CExportDlg::kTypeEps, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(CExportDlg::BrowseName(c.name, c.type), c.shown) << c.name;
}

// A size that gives no drawable output or overflows the device, or no file,
// keeps the dialog open, and nothing is stored or converted.
TEST_F(ExportDlgTest, OkRefusesSizesWithoutOutputAndAMissingFile) {
  const struct {
    const char* file;
    double width;
    double height;
    int units;
  } cases[] = {
      {"/out/a.plt", 0, 600, CExportDlg::kUnitsPixel},
      {"/out/a.plt", 800, -5, CExportDlg::kUnitsPixel},
      {"/out/a.plt", 1e300, 600, CExportDlg::kUnitsPixel},
      {"/out/a.plt", 3000, 600, CExportDlg::kUnitsInch},
      {"", 800, 600, CExportDlg::kUnitsPixel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    CExportDlg dialog;
    Open(dialog, c.file);
    dialog.m_dWidth = c.width;
    dialog.m_dHeight = c.height;
    dialog.m_nUnits = c.units;
    EXPECT_NE(dialog.Accept(), "");
    EXPECT_EQ(dialog.m_dWidth, c.width);
    EXPECT_FALSE(LoadExportDlgSettings().has_value());
  }
}

// Stored values out of range are brought into it; values that are not
// numbers, and a window with a corner missing, count as missing.
TEST_F(ExportDlgTest, MalformedStoredValuesFallBack) {
  Store("Area", QStringLiteral("9"));
  Store("Type", QStringLiteral("-3"));
  Store("Units", QStringLiteral("7"));
  Store("Width", QStringLiteral("wide"));
  Store("Height", QStringLiteral("inf"));
  Store("WindowPt1X", QStringLiteral("5"));
  Store("WindowPt1Y", QStringLiteral("5"));
  Store("WindowPt2Y", QStringLiteral("50"));
  CExportDlg dialog;
  Open(dialog);
  EXPECT_EQ(dialog.m_nArea, CExportDlg::kAreaLimits);
  EXPECT_EQ(dialog.m_pWindow, dialog.m_ptLimits);
  EXPECT_EQ(dialog.m_nType, CExportDlg::kTypeHpgl);
  EXPECT_EQ(dialog.m_nUnits, CExportDlg::kUnitsMm);
  EXPECT_EQ(dialog.m_dWidth, 800.0);
  EXPECT_EQ(dialog.m_dHeight, 600.0);
  EXPECT_EQ(dialog.m_ptWindow[0].x, 10.0) << "an incomplete window is the display window";
  EXPECT_EQ(dialog.m_ptWindow[1].y, 90.0);
}

// After a window pick the dialog shows the picked window; the other values
// come back from the store, the file name the user had stays.
TEST_F(ExportDlgTest, OpeningAfterAPickSelectsThePickedWindow) {
  for (const bool stored : {false, true}) {
    SCOPED_TRACE(stored);
    if (stored) Store("Type", QStringLiteral("4"));
    CExportDlg dialog;
    Open(dialog);
    dialog.SelectType(CExportDlg::kTypePdf);
    dialog.m_strFileName = "/typed/name.pdf";
    dialog.m_dWidth = 5;
    dialog.m_bFirstShow = false;
    dialog.m_ptWindow[0] = {3, 4};
    dialog.m_ptWindow[1] = {7, 9};
    dialog.OnInitDialog();
    EXPECT_EQ(dialog.m_nArea, CExportDlg::kAreaWindow);
    EXPECT_EQ(dialog.m_pWindow, dialog.m_ptWindow);
    EXPECT_EQ(dialog.m_ptWindow[1].y, 9.0);
    EXPECT_EQ(dialog.m_dWidth, 800.0);
    EXPECT_EQ(dialog.m_strFileName, stored ? "/typed/name.eps" : "/typed/name.plt");
  }
}

}  // namespace
