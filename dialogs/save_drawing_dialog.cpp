#include "dialogs/save_drawing_dialog.h"

#include <QCheckBox>
#include <QGridLayout>

#include "commands/dialogs/save_dwg_dlg.h"

SaveDrawingDialog::SaveDrawingDialog(CSaveDWGDlg& data, QWidget* parent)
    : FileDialogEx(parent, CSaveDWGDlg::kFilter, data.m_nFilterIndex), data_(data) {
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  setWindowTitle(QString::fromStdString(data_.m_strTitle));
  setDefaultSuffix(QString::fromStdString(data_.m_strDefExt));
  if (!data_.m_strFileName.empty()) selectFile(QString::fromStdString(data_.m_strFileName));
  binary_ = new QCheckBox(QStringLiteral("Binary DXF"), this);
  binary_->setObjectName(QStringLiteral("binaryDxf"));
  binary_->setChecked(data_.m_bBinaryDxf);
  binary_->setEnabled(data_.BinaryEnabled());
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) grid->addWidget(binary_, grid->rowCount(), 0, 1, -1);
  m_pfnTypeChange = [this](int filterIndex, std::string& name) { TypeChanged(filterIndex, name); };
}

void SaveDrawingDialog::TypeChanged(int filterIndex, std::string& name) {
  data_.m_nFilterIndex = filterIndex == CSaveDWGDlg::kDxfType ? CSaveDWGDlg::kDxfType : CSaveDWGDlg::kDwgType;
  binary_->setEnabled(data_.BinaryEnabled());
  setDefaultSuffix(data_.m_nFilterIndex == CSaveDWGDlg::kDwgType ? QStringLiteral("dwg") : QStringLiteral("dxf"));
  name = CSaveDWGDlg::NameForType(name, data_.m_nFilterIndex);
}

void SaveDrawingDialog::accept() {
  const QStringList files = selectedFiles();
  data_.m_strPathName = files.isEmpty() ? std::string() : files.front().toStdString();
  data_.m_bBinaryDxf = binary_->isChecked();
  QFileDialog::accept();
}
