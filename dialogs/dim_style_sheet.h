#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class CDimStyleDlg;
class DimPageWidget;
class DimStyleSample;
class QKeyEvent;
class QTabWidget;

// One page of the dimension style sheet: its tab, how its data is read
// again from the style's variables, and how its widget is made.
struct DimSheetPage {
  QString title;
  std::function<void()> reread;
  std::function<DimPageWidget*(QWidget* parent)> make;
};

// The dimension style sheet: shows a CDimStyleDlg with a tab per page.
// Pages write every change into the sheet's variables at once and report
// it, and the sample follows; a page is read again each time its tab is
// shown, since several pages share variables (the text frame and the
// tolerance method share the gap).
class DimStyleSheet : public QDialog {
 public:
  DimStyleSheet(CDimStyleDlg& data, QWidget* parent);

 protected:
  // Enter in an edit field takes the field, which applies the page,
  // instead of closing the sheet.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowPage(int index);

  CDimStyleDlg& data_;
  std::vector<DimSheetPage> pages_;
  QTabWidget* tabs_;
  DimStyleSample* sample_;
};
