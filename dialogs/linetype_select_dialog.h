#pragma once

#include <QDialog>

class CLinetypeSelDlg;
class QTableWidget;

// Chooses one linetype of the data's table copy; "&Load..." adds
// linetypes to the copy.
class LinetypeSelectDialog : public QDialog {
 public:
  LinetypeSelectDialog(CLinetypeSelDlg& data, QWidget* parent = nullptr);

 private:
  void FillRows();

  CLinetypeSelDlg& data_;
  QTableWidget* list_;
};
