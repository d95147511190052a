#include "dialogs/file_dialog_ex.h"

#include <QLineEdit>

#include "dialogs/file_filters.h"

FileDialogEx::FileDialogEx(QWidget* parent, const std::string& filter, int filterIndex)
    : QFileDialog(parent), m_nFilterIndex(filterIndex) {
  // The name box is reached only in the dialog of our own drawing.
  setOption(QFileDialog::DontUseNativeDialog);
  setSizeGripEnabled(true);
  setNameFilters(NameFilters(filter));
  selectNameFilter(nameFilters().value(filterIndex - 1));
  connect(this, &QFileDialog::filterSelected, this, &FileDialogEx::TypeChanged);
}

void FileDialogEx::TypeChanged(const QString& filter) {
  m_nFilterIndex = static_cast<int>(nameFilters().indexOf(filter)) + 1;
  if (!m_pfnTypeChange) return;
  auto* box = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  std::string name = box != nullptr ? box->text().toStdString() : std::string();
  m_pfnTypeChange(m_nFilterIndex, name);
  if (box != nullptr) box->setText(QString::fromStdString(name));
}
