#pragma once

#include <QDialog>
#include <string>

class CHatchDlg;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Hatch": shows a CHatchDlg and writes the controls back into it. Ends
// with Apply, Cancel or the code of a boundary request.
class HatchDialog : public QDialog {
 public:
  HatchDialog(CHatchDlg& data, QWidget* parent);

 private:
  // The controls into the members; false when a number box holds no number.
  bool TakeValues();
  void TakeChoices();
  std::string Selected() const;
  void ShowSelection();
  void Enable();
  void Close(int code);
  void Browse();
  QPushButton* Button(const char* text, const char* name, int code);

  CHatchDlg& data_;
  QComboBox* type_;
  QComboBox* pattern_;
  QPushButton* browse_;
  QLabel* memo_;
  QLabel* picture_;
  QLineEdit* scale_;
  QLineEdit* angle_;
  QLineEdit* spacing_;
  QCheckBox* double_;
  QCheckBox* deleteBoundary_;
  QPushButton* pickPoint_;
  QPushButton* selectBoundary_;
  QPushButton* removeBoundary_;
  QPushButton* viewBoundary_;
  QPushButton* preview_;
  QPushButton* apply_;
};
