#pragma once

#include <QFileDialog>
#include <functional>
#include <string>

// A plain open or save dialog that lets its owner adjust the typed name
// whenever the user picks another file type: the owner's function gets the
// type chosen and the name as the name box holds it, and the box then shows
// the name as the function left it.
class FileDialogEx : public QFileDialog {
 public:
  // The type (1-based filter entry) and the name to change.
  using TypeChange = std::function<void(int filterIndex, std::string& name)>;

  // The filter text has the form "Name(*.a)|*.a|...||"; the entry given
  // (1-based) is selected first.
  FileDialogEx(QWidget* parent, const std::string& filter, int filterIndex);

  // The filter entry selected last, 1-based.
  int m_nFilterIndex;
  // Empty by default: the name stays as typed.
  TypeChange m_pfnTypeChange;

 private:
  void TypeChanged(const QString& filter);
};
