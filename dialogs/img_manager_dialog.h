#pragma once

#include <QDialog>

class CImgDetailDlg;
class CImgMngDlg;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The image manager: the list of the working copy's definitions and the
// buttons that the data carries out.
class ImgManagerDialog : public QDialog {
 public:
  ImgManagerDialog(CImgMngDlg& data, QWidget* parent);

 private:
  // The list from the data, keeping the selected row.
  void Fill();
  // The button rule.
  void Enable();
  void SelectionChanged();
  void Warn(const std::string& message);

  CImgMngDlg& data_;
  QTableWidget* list_;
  QLineEdit* foundAt_;
  QPushButton* detach_;
  QPushButton* reload_;
  QPushButton* unload_;
  QPushButton* details_;
  QPushButton* browse_;
  QPushButton* savePath_;
};

// The details box of one definition.
int ShowImageDetails(CImgDetailDlg& data, QWidget* parent);
