#pragma once

#include <QDialog>

#include "commands/dialogs/input_str_dlg.h"
#include "commands/dialogs/input_text_dlg.h"
#include "commands/dialogs/inquire_dlg.h"

class ColorComboBox;
class QComboBox;
class QLineEdit;

// "Input Text": the prompt above an edit box of the text.
class InputStrDialog : public QDialog {
 public:
  InputStrDialog(CInputStrDlg& data, QWidget* parent);
};

// "Inquire?": the question and its five answers; Escape is Cancel.
class InquireDialog : public QDialog {
 public:
  InquireDialog(const CInquireDlg& data, QWidget* parent);
};

// "Change Text": a line of text and its look.
class InputTextDialog : public QDialog {
 public:
  InputTextDialog(CInputTextDlg& data, QWidget* parent);
  void accept() override;

 private:
  CInputTextDlg& data_;
  QLineEdit* text_;
  QComboBox* style_;
  QLineEdit* height_;
  QLineEdit* widthFactor_;
  QLineEdit* oblique_;
  QComboBox* layer_;
  ColorComboBox* color_;
};
