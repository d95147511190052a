#pragma once

#include <QDialog>

class CDimStyleMngDlg;
class CNewDimStyleDlg;
class DimStyleSample;
class QLabel;
class QListWidget;

// "Dimension style manage": shows a CDimStyleMngDlg. Its action buttons
// close it with their own codes; the command acts and shows it again.
class DimStyleManagerDialog : public QDialog {
 public:
  DimStyleManagerDialog(CDimStyleMngDlg& data, QWidget* parent);

 private:
  void CloseWith(int code);

  CDimStyleMngDlg& data_;
  QListWidget* names_;
  DimStyleSample* sample_;
};

// "New dimension style": the base style and the new name.
class NewDimStyleDialog : public QDialog {
 public:
  NewDimStyleDialog(CNewDimStyleDlg& data, QWidget* parent);
};
