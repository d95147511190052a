#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shell/modal_dialog.h"

class FcGraph;

// "MText": the lines of a multiline text and, when m_bProperties is set,
// its text style, height, layer and colour. The caller fills the members
// and applies them after OK; the dialog changes no drawing.
class CMTextDlg : public CModalDialog {
 public:
  // Lines parted by CR LF.
  std::string m_strText;
  // The drawing whose text styles and layers the lists offer.
  FcGraph* m_pGraph = nullptr;
  std::string m_strStyle;
  // 0: only the text can be changed.
  std::uint8_t m_bProperties = 1;
  // 0 ByBlock, 1 to 255, 256 ByLayer.
  short m_nColor = 256;
  std::string m_strLayer;
  double m_dHeight = 0.0;

  // The lists' entries: the drawing's text style and layer names, sorted.
  std::vector<std::string> StyleNames() const;
  std::vector<std::string> LayerNames() const;
  // The entry a name selects: the first that begins with it, without
  // regard to case; -1 when none does.
  static int EntryBeginningWith(const std::vector<std::string>& entries, std::string_view name);

  // OK with the edit box's lines (parted by LF, CR LF or CR) and, with
  // properties, the height, the entries chosen in the style and layer
  // lists (-1 for none: the name given stays) and the colour chosen.
  void OnOK(std::string_view lines, double height, int style, int layer, short color);
};
