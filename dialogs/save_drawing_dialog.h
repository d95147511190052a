#pragma once

#include "dialogs/file_dialog_ex.h"

class CSaveDWGDlg;
class QCheckBox;

// The save dialog of a drawing file, showing and filling a CSaveDWGDlg:
// DWG or DXF, with a "Binary DXF" switch that only DXF enables; changing
// the type changes the typed name's extension.
class SaveDrawingDialog : public FileDialogEx {
 public:
  SaveDrawingDialog(CSaveDWGDlg& data, QWidget* parent);

  void accept() override;

 private:
  void TypeChanged(int filterIndex, std::string& name);

  CSaveDWGDlg& data_;
  QCheckBox* binary_;
};
