#pragma once

#include <QDialog>

#include "commands/dialogs/ent_prop_dlg.h"

class ColorComboBox;
class QComboBox;
class QFormLayout;
class QLineEdit;

// The layer, colour, linetype and linetype scale fields both property
// dialogs show, filled from the data; Take writes them back.
class PropertyChoiceFields {
 public:
  PropertyChoiceFields(CPropertyChoiceDlg& data, QFormLayout& form, QWidget* parent);
  // False, after saying so, while the scale box holds no number.
  bool Take(QWidget* dialog);

 private:
  CPropertyChoiceDlg& data_;
  QComboBox* layer_;
  ColorComboBox* color_;
  QComboBox* linetype_;
  QLineEdit* scale_;
};

// "Entity properties", shown under the data's caption.
class EntPropDialog : public QDialog {
 public:
  EntPropDialog(CEntPropDlg& data, QWidget* parent);
  void accept() override;

 private:
  PropertyChoiceFields fields_;
};

// The properties and the dimension style of a dimension.
class DimPropDialog : public QDialog {
 public:
  DimPropDialog(CDimPropDlg& data, QWidget* parent);
  void accept() override;

 private:
  CDimPropDlg& data_;
  PropertyChoiceFields fields_;
  QComboBox* style_;
};
