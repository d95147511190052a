#pragma once

#include <QListWidget>
#include <functional>
#include <string>

#include "commands/dialogs/property_rows.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// A two-column property grid: each row a name and a value, drawn by the
// grid itself at a fixed height. Selecting a row opens the in-place editor
// of its kind over the value: a drop-down, an edit box, an edit box with a
// spin control, or a "..." button. A boundary between the columns can be
// dragged.
class CPropertyList : public QListWidget {
 public:
  static constexpr int kRowHeight = 20;

  explicit CPropertyList(QWidget* parent);

  // Appends a row; returns its index.
  int AddItem(const std::string& name, const std::string& value, int kind, const std::string& options = {});
  // Replaces every row.
  void SetRows(CPropertyRows rows);
  CPropertyRows& Rows() { return rows_; }
  const CPropertyRows& Rows() const { return rows_; }

  // Opens the editor of the selected row.
  void OnSelChange();
  // Enter takes what the open editor holds, Esc drops it; both close it.
  // False for any other key.
  bool OnKeyDown(int key);

  // The x of the boundary between the columns; 0 until the first row is
  // drawn, then half the row width, unless the owner sets it.
  int Splitter() const { return splitter_; }
  void SetSplitter(int x);
  // Keeps the name column at this share of the grid's width.
  void SetNameShare(double share);
  // The most characters the edit box takes.
  void SetTextLimit(int limit) { textLimit_ = limit; }
  // Whether the keyboard focus is in the grid or one of its editors.
  bool HasFocusWithin() const;
  // Called after an editor was closed with Enter or Esc, with the key.
  void OnEditorClosed(std::function<void(int key)> closed) { closed_ = std::move(closed); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class RowPainter;

  QComboBox* Choice();
  QLineEdit* Edit();
  QWidget* Spin();
  QPushButton* Browse();
  void Watch(QWidget* editor);
  void HideEditors();
  // The value area of the selected row.
  QRect ValueRect() const;
  void TakeEdit();
  void OnChoice(int index);
  void OnStep(int delta);
  void OnBrowse();
  bool NearSplitter(int x) const;
  bool IsButtonRow(int row) const;

  CPropertyRows rows_;
  QComboBox* choice_ = nullptr;
  QLineEdit* edit_ = nullptr;
  QWidget* spin_ = nullptr;
  QPushButton* browse_ = nullptr;
  int splitter_ = 0;
  double nameShare_ = 0;
  int textLimit_ = 32767;
  bool dragging_ = false;
  int dragX_ = 0;
  int pressedRow_ = -1;
  // Set while the drop-down is being filled, so that filling it offers no change.
  bool filling_ = false;
  std::function<void(int)> closed_;
};
