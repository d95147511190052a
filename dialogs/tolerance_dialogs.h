#pragma once

#include <QDialog>
#include <array>

#include "commands/dialogs/tol_edt_dlg.h"

class QLineEdit;
class QToolButton;

// "Geometric Tolerance": the frame's two rows of picture boxes and entries,
// the height with its projected zone and the datum identifier. The
// pictures work on the data directly; OK takes the entries and builds the
// text.
class TolEdtDialog : public QDialog {
 public:
  TolEdtDialog(CTolEdtDlg& data, QWidget* parent);
  void accept() override;

 private:
  struct RowWidgets {
    QToolButton* symbol;
    std::array<QToolButton*, 2> diameter;
    std::array<QLineEdit*, 2> value;
    std::array<QToolButton*, 2> valueCondition;
    std::array<QLineEdit*, 3> datum;
    std::array<QToolButton*, 3> datumCondition;
  };

  QWidget* BuildRows();
  void PickSymbol(int row);
  // Runs the condition picker for the box; on a choice, focus moves on.
  void PickCondition(QToolButton* box, int& condition, QWidget* next);
  QLineEdit* NewEntry(const QString& name, const std::string& text);

  CTolEdtDlg& data_;
  std::array<RowWidgets, 2> rows_{};
  QLineEdit* height_ = nullptr;
  QToolButton* projectedZone_ = nullptr;
  QLineEdit* datumIdentifier_ = nullptr;
};

// "Symbol" and "Meterial Condition": one picture box per choice, the
// current one inverted. A click ends the picker with the box's symbol;
// Enter or Escape end it with nothing chosen.
class TolSymDialog : public QDialog {
 public:
  TolSymDialog(CTolSymDlg& data, QWidget* parent);
  void keyPressEvent(QKeyEvent* event) override;
};

class TolConDialog : public QDialog {
 public:
  TolConDialog(CTolConDlg& data, QWidget* parent);
  void keyPressEvent(QKeyEvent* event) override;
};
