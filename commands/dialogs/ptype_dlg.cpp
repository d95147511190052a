#include "commands/dialogs/ptype_dlg.h"

#include <cmath>

#include "core/value_format.h"
#include "core/value_parse.h"

int CPTypeDlg::ModeOfSample(int sample) { return sample / 5 * 32 + sample % 5; }

int CPTypeDlg::SampleOfMode(int mode) {
  if (mode < 0 || mode % 32 > 4 || mode >= 128) return -1;
  return mode / 32 * 5 + mode % 32;
}

std::string CPTypeDlg::SetSizeText(std::string_view text) {
  double size = 0.0;
  if (!ParseReal(text, size)) return "Parameter error!";
  m_dSize = std::fabs(size);
  return {};
}

std::string CPTypeDlg::SizeText() const { return FormatDecimal(4, m_dSize); }
