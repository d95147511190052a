#pragma once

#include <QDialog>

class CLineTypeDlg;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTableWidgetItem;

// The linetype manager: the linetypes of the data's table copy with names
// edited in place, the current linetype and the two scales. OK hands the
// scale boxes to the data, which refuses a text that is no number.
class LinetypeDialog : public QDialog {
 public:
  LinetypeDialog(CLineTypeDlg& data, QWidget* parent = nullptr);

  void accept() override;

 private:
  void FillRows();
  void OnCurrent();
  void OnNameEdited(QTableWidgetItem* item);

  CLineTypeDlg& data_;
  QLabel* current_;
  QTableWidget* list_;
  QLineEdit* globalScale_;
  QLineEdit* entityScale_;
};
