#include "dialogs/property_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "commands/dialogs/table_lists.h"
#include "database/graph.h"
#include "dialogs/color_combo_box.h"
#include "dialogs/name_list.h"
#include "dialogs/number_box.h"

namespace {

// A drop-down list of the names, the one equal to the selected name chosen
// (none when no entry is).
QComboBox* NameList(const std::vector<std::string>& names, const std::string& selected, const char* objectName,
                    QWidget* parent) {
  return NewNameList(names, FindListEntry(names, selected), objectName, parent);
}

std::vector<std::string> Names(const FcGraph* graph, std::vector<std::string> (*list)(const FcGraph&)) {
  return graph != nullptr ? list(*graph) : std::vector<std::string>();
}

std::string SelectedName(const QComboBox& list) {
  return list.currentIndex() < 0 ? std::string() : list.currentText().toStdString();
}

// The form inside the dialog's layout, with OK and Cancel under it.
QFormLayout& FormOf(QDialog& dialog) {
  auto* layout = new QVBoxLayout(&dialog);
  auto* form = new QFormLayout;
  layout->addLayout(form);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  return *form;
}

}  // namespace

PropertyChoiceFields::PropertyChoiceFields(CPropertyChoiceDlg& data, QFormLayout& form, QWidget* parent)
    : data_(data),
      layer_(NameList(Names(data.m_pGraph, SortedLayerNames), data.m_strLayer, "layer", parent)),
      color_(new ColorComboBox(data.m_pGraph, data.m_strLayer, data.m_nColor, parent)),
      linetype_(NameList(Names(data.m_pGraph, LinetypeNames), data.m_strLinetype, "linetype", parent)),
      scale_(NewNumberBox("scale", data.m_dLtScale, parent)) {
  color_->setObjectName(QStringLiteral("color"));
  form.addRow(QStringLiteral("&Layer"), layer_);
  form.addRow(QStringLiteral("&Color"), color_);
  form.addRow(QStringLiteral("Line &type"), linetype_);
  form.addRow(QStringLiteral("Line type &scale"), scale_);
}

bool PropertyChoiceFields::Take(QWidget* dialog) {
  double scale = 0.0;
  if (!TakeNumber(scale_, scale)) return false;
  data_.m_dLtScale = scale;
  data_.m_nColor = color_->Color();
  data_.m_strLayer = SelectedName(*layer_);
  data_.m_strLinetype = SelectedName(*linetype_);
  return true;
}

EntPropDialog::EntPropDialog(CEntPropDlg& data, QWidget* parent)
    : QDialog(parent), fields_(data, FormOf(*this), this) {
  setWindowTitle(QString::fromStdString(data.m_strCaption));
}

void EntPropDialog::accept() {
  if (fields_.Take(this)) QDialog::accept();
}

DimPropDialog::DimPropDialog(CDimPropDlg& data, QWidget* parent)
    : QDialog(parent), data_(data), fields_(data, FormOf(*this), this) {
  setWindowTitle(QStringLiteral("Dialog"));
  style_ = NameList(Names(data.m_pGraph, SortedDimStyleNames), data.m_strDimStyle, "dimStyle", this);
  findChild<QFormLayout*>()->addRow(QStringLiteral("&Dimension style"), style_);
}

void DimPropDialog::accept() {
  if (!fields_.Take(this)) return;
  data_.m_strDimStyle = SelectedName(*style_);
  QDialog::accept();
}
