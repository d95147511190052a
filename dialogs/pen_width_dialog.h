#pragma once

#include <QDialog>

class CPenWidthDlg;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTreeWidget;

// The pen width dialog: the list of colour indices with their widths, the
// width box for the selected ones and the unit. The data decides; the
// widget shows it.
class PenWidthDialog : public QDialog {
 public:
  PenWidthDialog(CPenWidthDlg& data, QWidget* parent = nullptr);

  void done(int result) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SelectionChanged();
  // The width box into the selected indices; false after a refusal.
  bool ApplyWidth();
  void ShowWidths();

  CPenWidthDlg& data_;
  QTreeWidget* list_ = nullptr;
  QLabel* swatch_ = nullptr;
  QLabel* colorText_ = nullptr;
  QLabel* widthLabel_ = nullptr;
  QLineEdit* width_ = nullptr;
  QRadioButton* inch_ = nullptr;
  QRadioButton* mm_ = nullptr;
  bool refusing_ = false;
};
