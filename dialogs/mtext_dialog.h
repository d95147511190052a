#pragma once

#include <QDialog>

#include "commands/dialogs/mtext_dlg.h"

class ColorComboBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// "MText": a large box of the text's lines above its style, height, layer
// and colour.
class MTextDialog : public QDialog {
 public:
  MTextDialog(CMTextDlg& data, QWidget* parent);
  void accept() override;

 private:
  CMTextDlg& data_;
  QPlainTextEdit* text_;
  QComboBox* style_;
  QLineEdit* height_;
  QComboBox* layer_;
  ColorComboBox* color_;
};
