#pragma once

#include <QDialog>

class CLayerSetDlg;
class FcLayer;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

// The layer manager's window: one row per working layer of the dialog's
// data, with its switches as clickable icon cells, and the "Details" of
// the selected row. Every change goes through the data, which refuses
// what it must; the window shows the refusal.
class LayerDialog : public QDialog {
 public:
  enum Column { kName, kOn, kFrozen, kLocked, kColor, kLinetype, kPrint, kColumnCount };

  LayerDialog(CLayerSetDlg& data, QWidget* parent = nullptr);

  void done(int result) override;

 private:
  // The selected row, or -1.
  int SelectedRow() const;
  FcLayer* SelectedLayer() const;
  FcLayer* LayerOfRow(int row) const;
  void AddRow(FcLayer& layer);
  void ShowRow(int row);
  void ShowDetails();
  void FillColors();
  void FillLinetypes();
  void Refuse(const std::string& message);
  void OnCellClicked(int row, int column);
  void OnNameEdited(int row, int column);
  void OnNew();
  void OnCurrent();
  void OnDelete();
  void OnDetailsName();
  void OnDetailsSwitch();
  void OnDetailsColor(int index);
  void OnDetailsLinetype(int index);
  // Asks for a colour number; false when the user cancelled.
  bool AskColor(short& color);

  CLayerSetDlg& data_;
  QLabel* currentLabel_;
  QTableWidget* list_;
  QLineEdit* name_;
  QComboBox* colors_;
  QComboBox* linetypes_;
  QCheckBox* on_;
  QCheckBox* frozen_;
  QCheckBox* locked_;
  QCheckBox* print_;
  bool filling_ = false;
};
