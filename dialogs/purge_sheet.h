#pragma once

#include <QDialog>

#include "commands/dialogs/purge_dlg.h"

class QListWidget;
class QTabWidget;

// The purge sheet: a tab for each table listing what its data offers, with
// extended selection and buttons to select all, none or the others. OK
// hands each page's selection back to the data; a page never shown hands
// back nothing.
class PurgeSheet : public QDialog {
 public:
  PurgeSheet(CPurgeDlg& data, QWidget* parent = nullptr);

  void done(int result) override;

 private:
  // Fills the page's list the first time it is shown.
  void ShowPage(int page);

  CPurgeDlg& data_;
  QTabWidget* tabs_ = nullptr;
  QListWidget* lists_[CPurgeDlg::kPageCount] = {};
  bool shown_[CPurgeDlg::kPageCount] = {};
};
