#pragma once

#include <QDialog>

class CHatchPatDlg;
class QListWidget;
class QTabWidget;

// "Hatch Pattern": the predefined patterns as pictures on the pages
// "Ansi", "ISO" and "Other Predefined"; OK takes the pattern selected on
// the page shown last.
class HatchPatternSheet : public QDialog {
 public:
  HatchPatternSheet(CHatchPatDlg& data, QWidget* parent);

 private:
  void Accept();

  CHatchPatDlg& data_;
  QTabWidget* pages_;
  QListWidget* lists_[3];
};
