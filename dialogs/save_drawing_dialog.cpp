#include "dialogs/save_drawing_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>

#include "commands/dialogs/save_dwg_dlg.h"

namespace {

const QStringList& Filters() {
  static const QStringList filters = {QStringLiteral("Drawing file 2000 (*.dwg)"),
                                      QStringLiteral("DXF file 2000 (*.dxf)")};
  return filters;
}

}  // namespace

SaveDrawingDialog::SaveDrawingDialog(CSaveDWGDlg& data, QWidget* parent) : QFileDialog(parent), data_(data) {
  // The switch lives inside the dialog, which only the dialog of our own
  // drawing allows.
  setOption(QFileDialog::DontUseNativeDialog);
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  setWindowTitle(QString::fromStdString(data_.m_strTitle));
  setNameFilters(Filters());
  selectNameFilter(Filters().value(data_.m_nFilterIndex - 1, Filters().front()));
  setDefaultSuffix(QString::fromStdString(data_.m_strDefExt));
  if (!data_.m_strFileName.empty()) selectFile(QString::fromStdString(data_.m_strFileName));
  binary_ = new QCheckBox(QStringLiteral("Binary DXF"), this);
  binary_->setObjectName(QStringLiteral("binaryDxf"));
  binary_->setChecked(data_.m_bBinaryDxf);
  binary_->setEnabled(data_.BinaryEnabled());
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) grid->addWidget(binary_, grid->rowCount(), 0, 1, -1);
  connect(this, &QFileDialog::filterSelected, this, &SaveDrawingDialog::TypeChanged);
}

void SaveDrawingDialog::TypeChanged(const QString& filter) {
  data_.m_nFilterIndex = static_cast<int>(Filters().indexOf(filter)) + 1;
  if (data_.m_nFilterIndex < 1) data_.m_nFilterIndex = CSaveDWGDlg::kDwgType;
  binary_->setEnabled(data_.BinaryEnabled());
  if (data_.m_nFilterIndex == CSaveDWGDlg::kDwgType) {
    setDefaultSuffix(QStringLiteral("dwg"));
  } else {
    setDefaultSuffix(QStringLiteral("dxf"));
  }
  auto* name = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (name == nullptr || name->text().isEmpty()) return;
  name->setText(QString::fromStdString(CSaveDWGDlg::NameForType(name->text().toStdString(), data_.m_nFilterIndex)));
}

void SaveDrawingDialog::accept() {
  const QStringList files = selectedFiles();
  data_.m_strPathName = files.isEmpty() ? std::string() : files.front().toStdString();
  data_.m_bBinaryDxf = binary_->isChecked();
  QFileDialog::accept();
}
