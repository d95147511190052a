#pragma once

#include <QDialog>

class CTextStyleDlg;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// The text style dialog: the styles one at a time with their font, big
// font, height and effects; New, Rename and Apply change the data's copy.
// "Close" ends it with OK, Esc with Cancel.
class TextStyleDialog : public QDialog {
 public:
  TextStyleDialog(CTextStyleDlg& data, QWidget* parent = nullptr);

 private:
  void FillStyles();
  void FillFonts(bool shxOnly);
  void ShowStyle();
  void ApplyEnabling();
  void OnNew();
  void OnRename();
  void OnApply();
  void Refuse(const std::string& message);

  CTextStyleDlg& data_;
  QComboBox* styles_;
  QComboBox* fonts_;
  QComboBox* bigFonts_;
  QCheckBox* useBigFont_;
  QLineEdit* height_;
  QLineEdit* widthFactor_;
  QLineEdit* oblique_;
  QCheckBox* upsideDown_;
  QCheckBox* backward_;
  QPushButton* apply_;
  bool showing_ = false;
};
