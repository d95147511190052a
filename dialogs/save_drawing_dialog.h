#pragma once

#include <QFileDialog>

class CSaveDWGDlg;
class QCheckBox;

// The save dialog of a drawing file, showing and filling a CSaveDWGDlg:
// DWG or DXF, with a "Binary DXF" switch that only DXF enables; changing
// the type changes the typed name's extension.
class SaveDrawingDialog : public QFileDialog {
 public:
  SaveDrawingDialog(CSaveDWGDlg& data, QWidget* parent);

  void accept() override;

 private:
  void TypeChanged(const QString& filter);

  CSaveDWGDlg& data_;
  QCheckBox* binary_;
};
