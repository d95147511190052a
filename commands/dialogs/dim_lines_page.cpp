#include "commands/dialogs/dim_lines_page.h"

#include <cmath>

#include "commands/dialogs/dim_zero_suppression.h"
#include "database/dim_style.h"
#include "database/object.h"

namespace {

struct BuiltInArrow {
  const char* text;
  const char* block;
};

constexpr BuiltInArrow kArrows[] = {
    {"Closed Filled", ""},
    {"Closed Blank", "_ClosedBlank"},
    {"Closed", "_Closed"},
    {"Dot", "_Dot"},
    {"Architecture Tick", "_ArchTick"},
    {"Oblique", "_Oblique"},
    {"Open", "_Open"},
    {"Origin Indication", "_Origin"},
    {"Origin Indication 2", "_Origin2"},
    {"Right Angle", "_Open90"},
    {"30 Degrees Angle", "_Open30"},
    {"Dot Small", "_DotSmall"},
    {"Dot Blank", "_DotBlank"},
    {"Small Dot Blank", "_Small"},
    {"Box Blank", "_BoxBlank"},
    {"Box Filled", "_BoxFilled"},
    {"Datum Blank", "_DatumBlank"},
    {"Datum Filled", "_DatumFilled"},
    {"Integral", "_Integral"},
    {"None", "_None"},
};

bool IsClosedFilled(std::string_view name) {
  return name.empty() || name == "." || EqualsNoCase(name, "_ClosedFilled");
}

}  // namespace

std::string ArrowDisplayName(std::string_view blockName) {
  if (IsClosedFilled(blockName)) return kArrows[0].text;
  for (const BuiltInArrow& arrow : kArrows)
    if (EqualsNoCase(arrow.block, blockName)) return arrow.text;
  return std::string(blockName);
}

std::string ArrowBlockName(std::string_view displayText) {
  for (const BuiltInArrow& arrow : kArrows)
    if (EqualsNoCase(arrow.text, displayText)) return arrow.block;
  return std::string(displayText);
}

std::string NormalArrowName(std::string_view blockName) { return ArrowBlockName(ArrowDisplayName(blockName)); }

bool IsBuiltInArrow(std::string_view blockName) {
  return IsClosedFilled(blockName) || ArrowDisplayName(blockName) != blockName;
}

void CDimLinesPage::OnInitDialog(const FcDimVars& vars) {
  m_dArrowSize = vars.dimasz;
  m_dDimLineExtension = vars.dimdle;
  m_dBaselineIncrement = vars.dimdli;
  m_dExtLineExtension = vars.dimexe;
  m_dExtLineOffset = vars.dimexo;
  m_bSuppressDimLine1 = vars.dimsd1 != 0;
  m_bSuppressDimLine2 = vars.dimsd2 != 0;
  m_bSuppressExtLine1 = vars.dimse1 != 0;
  m_bSuppressExtLine2 = vars.dimse2 != 0;
  m_nCenterType = vars.dimcen > 0.0 ? kMark : vars.dimcen < 0.0 ? kLine : kNone;
  m_dCenterSize = std::fabs(vars.dimcen);
  m_nExtLineColor = vars.dimclre;
  m_nDimLineColor = vars.dimclrd;
  m_strFirst = vars.dimblk1.str();
  m_strSecond = vars.dimblk2.str();
  m_strLeader = vars.dimldrblk.str();
}

std::vector<CDimLinesPage::ArrowEntry> CDimLinesPage::ArrowEntries() const {
  std::vector<ArrowEntry> entries;
  for (const std::string* name : {&m_strFirst, &m_strSecond, &m_strLeader}) {
    if (IsBuiltInArrow(*name)) continue;
    bool listed = false;
    for (const ArrowEntry& entry : entries) listed = listed || EqualsNoCase(entry.text, *name);
    if (!listed) entries.push_back({*name, kUserBlock});
  }
  int position = 0;
  for (const BuiltInArrow& arrow : kArrows) entries.push_back({arrow.text, position++});
  if (m_bOfferUserArrows) entries.push_back({"User Arrow...", kUserArrow});
  return entries;
}

std::string CDimLinesPage::ArrowText(Arrow arrow) const {
  return ArrowDisplayName(arrow == kFirst ? m_strFirst : arrow == kSecond ? m_strSecond : m_strLeader);
}

void CDimLinesPage::OnArrowChosen(Arrow arrow, const std::string& blockName) {
  const bool followed = EqualsNoCase(NormalArrowName(m_strFirst), NormalArrowName(m_strSecond));
  if (arrow == kLeader) {
    m_strLeader = blockName;
    return;
  }
  if (arrow == kSecond) {
    m_strSecond = blockName;
    return;
  }
  m_strFirst = blockName;
  if (followed) m_strSecond = blockName;
}

void CDimLinesPage::ApplyToStyle(FcDimVars& vars) const {
  if (InRange(m_nDimLineColor, 0, 256)) vars.dimclrd = static_cast<std::int16_t>(m_nDimLineColor);
  if (InRange(m_nExtLineColor, 0, 256)) vars.dimclre = static_cast<std::int16_t>(m_nExtLineColor);
  const std::string first = NormalArrowName(m_strFirst);
  const std::string second = NormalArrowName(m_strSecond);
  vars.dimblk1 = first;
  vars.dimblk1Handle = 0;
  vars.dimblk2 = second;
  vars.dimblk2Handle = 0;
  if (EqualsNoCase(first, second)) {
    vars.dimblk = first;
    vars.dimblkHandle = 0;
    vars.dimsah = 0;
  } else {
    vars.dimsah = 1;
  }
  vars.dimldrblk = NormalArrowName(m_strLeader);
  vars.dimldrblkHandle = 0;
  if (std::fabs(m_dArrowSize) > 0.0) vars.dimasz = std::fabs(m_dArrowSize);
  vars.dimdle = std::fabs(m_dDimLineExtension);
  if (m_dBaselineIncrement >= 0.0) vars.dimdli = m_dBaselineIncrement;
  vars.dimexe = std::fabs(m_dExtLineExtension);
  vars.dimexo = std::fabs(m_dExtLineOffset);
  vars.dimsd1 = m_bSuppressDimLine1 ? 1 : 0;
  vars.dimsd2 = m_bSuppressDimLine2 ? 1 : 0;
  vars.dimse1 = m_bSuppressExtLine1 ? 1 : 0;
  vars.dimse2 = m_bSuppressExtLine2 ? 1 : 0;
  const double size = std::fabs(m_dCenterSize);
  vars.dimcen = m_nCenterType == kMark ? size : m_nCenterType == kLine ? -size : 0.0;
}
