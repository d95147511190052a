#pragma once

#include <QFileDialog>

class COpenDwgDlg;
class PreviewBox;

// The open dialog of a COpenDwgDlg: the file list with a preview box beside
// it that shows the picture of the file just selected.
class OpenDrawingDialog : public QFileDialog {
 public:
  OpenDrawingDialog(COpenDwgDlg& data, QWidget* parent);

  void accept() override;

 private:
  void ShowPreview(const QString& path);

  COpenDwgDlg& data_;
  PreviewBox* preview_;
};
