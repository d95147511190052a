#pragma once

#include <string>

#include "filers/file_kind.h"
#include "shell/modal_dialog.h"

// The save dialog of a drawing file: a DWG or DXF type, and for DXF a
// "Binary DXF" switch; the name's extension follows the type.
class CSaveDWGDlg : public CModalDialog {
 public:
  static constexpr int kDwgType = 1;
  static constexpr int kDxfType = 2;
  static constexpr const char* kFilter = "Drawing file 2000(*.dwg)|*.dwg|DXF file 2000(*.dxf)|*.dxf||";

  // In: the window title, the default extension and the proposed name.
  std::string m_strTitle = "Save drawing";
  std::string m_strDefExt;
  std::string m_strFileName;
  // In (the switch's first state) and out.
  bool m_bBinaryDxf = true;
  // Out: the type chosen, 1-based.
  int m_nFilterIndex = kDwgType;
  // Out: the chosen path.
  std::string m_strPathName;

  bool BinaryEnabled() const { return m_nFilterIndex == kDxfType; }
  // The name (without its folder) with the extension of the type; a name
  // without extension gets one.
  static std::string NameForType(const std::string& name, int filterIndex);
  // The kind of file the choice writes.
  FcFileKind ChosenKind() const;
};
