#include <gtest/gtest.h>

#include <string>

#include "commands/dialogs/tol_edt_dlg.h"

namespace {

namespace sym = tolerance_symbol;

CTolEdtDlg Opened(const std::string& text) {
  CTolEdtDlg dialog;
  dialog.m_strToleranceText = text;
  dialog.OnInitDialog();
  return dialog;
}

// Position, diameter 0.05 at maximum material, no second tolerance and the
// datums A, B and C: every field where it belongs, and OK without a change
// gives the very text back, the empty tolerance 2 as two cell breaks.
TEST(TolEdtDlgTest, AFrameOpensIntoItsFieldsAndComesBackUnchanged) {
  const std::string text = "{\\Fgdt;j}%%v{\\Fgdt;n}0.05{\\Fgdt;m}%%v%%vA%%vB%%vC";
  CTolEdtDlg dialog = Opened(text);
  const ToleranceFrameRow& row = dialog.m_rows[0];
  EXPECT_EQ(row.m_nSymbol, sym::kPosition);
  EXPECT_EQ(row.m_nDiameter[0], sym::kDiameter);
  EXPECT_EQ(row.m_strValue[0], "0.05");
  EXPECT_EQ(row.m_nValueCondition[0], sym::kMaximumMaterial);
  EXPECT_EQ(row.m_nDiameter[1], sym::kBlank);
  EXPECT_EQ(row.m_strValue[1], "");
  EXPECT_EQ(row.m_nValueCondition[1], sym::kBlank);
  EXPECT_EQ(row.m_strDatum, (std::array<std::string, 3>{"A", "B", "C"}));
  EXPECT_EQ(row.m_nDatumCondition, (std::array<int, 3>{sym::kBlank, sym::kBlank, sym::kBlank}));
  EXPECT_FALSE(dialog.m_rows[1].IsSet());
  EXPECT_EQ(dialog.m_strHeight, "");
  EXPECT_EQ(dialog.m_strDatumIdentifier, "");
  dialog.OnOK();
  EXPECT_EQ(dialog.m_strToleranceText, text);
}

// What the fields build, and what that text shows when opened again.
TEST(TolEdtDlgTest, TheTextIsBuiltFromTheFieldsAlone) {
  struct Case {
    const char* what;
    void (*fill)(CTolEdtDlg&);
    std::string text;
    void (*check)(const CTolEdtDlg&);
  };
  const Case cases[] = {
      {"nothing set", [](CTolEdtDlg&) {}, "", [](const CTolEdtDlg& d) { EXPECT_FALSE(d.m_rows[0].IsSet()); }},
      {"only row 2, which opens as row 1",
       [](CTolEdtDlg& d) {
         d.m_rows[1].m_nSymbol = sym::kFlatness;
         d.m_rows[1].m_strValue[0] = "0.1";
       },
       "{\\Fgdt;c}%%v0.1%%v%%v%%v%%v",
       [](const CTolEdtDlg& d) {
         EXPECT_EQ(d.m_rows[0].m_nSymbol, sym::kFlatness);
         EXPECT_EQ(d.m_rows[0].m_strValue[0], "0.1");
         EXPECT_FALSE(d.m_rows[1].IsSet());
       }},
      {"a datum condition alone sets its row",
       [](CTolEdtDlg& d) { d.m_rows[0].m_nDatumCondition[2] = sym::kLeastMaterial; },
       "%%v%%v%%v%%v%%v{\\Fgdt;l}",
       [](const CTolEdtDlg& d) { EXPECT_EQ(d.m_rows[0].m_nDatumCondition[2], sym::kLeastMaterial); }},
      {"both rows, height with projected zone and identifier",
       [](CTolEdtDlg& d) {
         d.m_rows[0].m_nSymbol = sym::kPosition;
         d.m_rows[0].m_strValue[0] = "0.2";
         d.m_rows[1].m_nSymbol = sym::kTotalRunout;
         d.m_rows[1].m_strDatum[0] = "D";
         d.m_rows[1].m_nDatumCondition[0] = sym::kRegardlessOfSize;
         d.m_strHeight = "12";
         d.m_nProjectedZone = sym::kProjectedZone;
         d.m_strDatumIdentifier = "-E-";
       },
       "{\\Fgdt;j}%%v0.2%%v%%v%%v%%v^J{\\Fgdt;t}%%v%%v%%vD{\\Fgdt;s}%%v%%v^J12{\\Fgdt;p}^J-E-",
       [](const CTolEdtDlg& d) {
         EXPECT_EQ(d.m_rows[1].m_nSymbol, sym::kTotalRunout);
         EXPECT_EQ(d.m_rows[1].m_strDatum[0], "D");
         EXPECT_EQ(d.m_rows[1].m_nDatumCondition[0], sym::kRegardlessOfSize);
         EXPECT_EQ(d.m_strHeight, "12");
         EXPECT_EQ(d.m_nProjectedZone, sym::kProjectedZone);
         EXPECT_EQ(d.m_strDatumIdentifier, "-E-");
       }},
      {"the projected zone alone makes a height line",
       [](CTolEdtDlg& d) { d.m_nProjectedZone = sym::kProjectedZone; }, "{\\Fgdt;p}",
       [](const CTolEdtDlg& d) { EXPECT_EQ(d.m_nProjectedZone, sym::kProjectedZone); }},
      {"an identifier alone opens as the height line",
       [](CTolEdtDlg& d) { d.m_strDatumIdentifier = "A"; }, "A",
       [](const CTolEdtDlg& d) {
         EXPECT_EQ(d.m_strHeight, "A");
         EXPECT_EQ(d.m_strDatumIdentifier, "");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CTolEdtDlg dialog;
    dialog.OnInitDialog();
    dialog.m_strToleranceText = "old text";
    c.fill(dialog);
    dialog.OnOK();
    EXPECT_EQ(dialog.m_strToleranceText, c.text);
    CTolEdtDlg again = Opened(c.text);
    c.check(again);
    EXPECT_EQ(again.BuildText(), c.text);
  }
}

// Texts from files need not be well formed: nothing is read past a cell's
// end, whatever is not a known code shows as the blank and a brace left
// open stays in its entry.
TEST(TolEdtDlgTest, OddTextsOpenCellByCell) {
  CTolEdtDlg odd = Opened("{\\Fgdt;o}%%v  {\\Fgdt;q}1{\\Fgdt;z}%%v{2%%v{}B{%%vC{\\Fgdt;m%%vD%%vE%%vF");
  const ToleranceFrameRow& row = odd.m_rows[0];
  EXPECT_EQ(row.m_nSymbol, sym::kBlank);
  EXPECT_EQ(row.m_nDiameter[0], sym::kBlank);
  EXPECT_EQ(row.m_strValue[0], "1");
  EXPECT_EQ(row.m_nValueCondition[0], sym::kBlank);
  EXPECT_EQ(row.m_strValue[1], "{2");
  EXPECT_EQ(row.m_strDatum, (std::array<std::string, 3>{"", "C{\\Fgdt;m", "D"}));
  EXPECT_EQ(row.m_nDatumCondition[1], sym::kBlank);

  // A line with cells past the second is no frame row; lines past the
  // height line keep only the last as the identifier.
  CTolEdtDlg lines = Opened("{\\Fgdt;u}%%v1^J^J5{\\Fgdt;p}%%vX^JA^JB");
  EXPECT_EQ(lines.m_rows[0].m_nSymbol, sym::kStraightness);
  EXPECT_FALSE(lines.m_rows[1].IsSet());
  EXPECT_EQ(lines.m_strHeight, "");
  EXPECT_EQ(lines.m_strDatumIdentifier, "B");

  // Opening again starts from empty fields.
  CTolEdtDlg reopened = Opened("{\\Fgdt;j}%%v1^J2^J3");
  reopened.m_strToleranceText.clear();
  reopened.OnInitDialog();
  EXPECT_EQ(reopened.BuildText(), "");
}

TEST(TolEdtDlgTest, BoxesToggleAndPickersChooseOnlyBySymbol) {
  EXPECT_EQ(CTolEdtDlg::Toggle(CTolEdtDlg::Toggle(sym::kBlank, sym::kDiameter), sym::kDiameter), sym::kBlank);
  EXPECT_EQ(CTolEdtDlg::Toggle(sym::kBlank, sym::kProjectedZone), sym::kProjectedZone);

  struct Case {
    int endCode;
    bool chosen;
    int picture;
  };
  const Case cases[] = {
      {CModalDialog::kOk, false, sym::kPosition},     {CModalDialog::kCancel, false, sym::kPosition},
      {0, false, sym::kPosition},                     {'z', false, sym::kPosition},
      {0x100 + 'a', false, sym::kPosition},           {sym::kBlank, true, sym::kBlank},
      {sym::kAngularity, true, sym::kAngularity},
  };
  for (const Case& c : cases) {
    int picture = sym::kPosition;
    EXPECT_EQ(CTolEdtDlg::TakePick(picture, c.endCode), c.chosen) << c.endCode;
    EXPECT_EQ(picture, c.picture) << c.endCode;
  }
}

}  // namespace
