#pragma once

#include <QDialog>

class CLoadLTypeDlg;
class QLabel;
class QPushButton;
class QTableWidget;

// Loading linetypes from a file: the file's linetypes as rows to select;
// OK loads the selected ones into the data's table copy, asking before
// one of the same name is replaced.
class LoadLinetypeDialog : public QDialog {
 public:
  LoadLinetypeDialog(CLoadLTypeDlg& data, QWidget* parent = nullptr);

  void accept() override;

 private:
  void FillRows();
  void OnFile();

  CLoadLTypeDlg& data_;
  QLabel* path_;
  QTableWidget* list_;
  QPushButton* ok_;
};
