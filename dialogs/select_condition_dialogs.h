#pragma once

#include <QDialog>

#include "commands/dialogs/select_condition_dlg.h"

class QComboBox;
class QPushButton;
class QTabBar;
class QTreeWidget;

// "Object selecting condition": the tab bar over one list showing the
// current tab's entries, the saved conditions above it.
class SelectConditionDialog : public QDialog {
 public:
  SelectConditionDialog(CSelectConditionDlg& data, QWidget* parent);
  void accept() override;

 private:
  void ShowTab();
  void FillConditions();
  void Enable();
  void Add();
  void Delete();
  void Remove();
  void Save();

  CSelectConditionDlg& data_;
  QComboBox* conditions_;
  QTabBar* tabs_;
  QTreeWidget* list_;
  QPushButton* remove_;
  QPushButton* save_;
  QPushButton* delete_;
  QPushButton* clear_;
};

// "Add condition": the values to choose from, several at a time. Ends
// with OK only when something went into the filter.
class AddConditionDialog : public QDialog {
 public:
  AddConditionDialog(CAddConditionDlg& data, QWidget* parent);
  void accept() override;

 private:
  CAddConditionDlg& data_;
  QTreeWidget* list_;
};
