#include "dialogs/dim_page_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "commands/dialogs/dim_precision_samples.h"
#include "core/number_separators.h"
#include "dialogs/color_combo_box.h"
#include "dialogs/number_box.h"

void DimPageWidget::Changed() {
  Apply();
  if (onChange_) onChange_();
}

namespace {

// Reports a user's change of the control to the page it lies on.
void ReportChange(const QWidget& control) {
  for (QWidget* parent = control.parentWidget(); parent != nullptr; parent = parent->parentWidget()) {
    if (auto* page = dynamic_cast<DimPageWidget*>(parent)) {
      page->Changed();
      return;
    }
  }
}

void Fill(QComboBox& list, const std::vector<std::string>& texts, int index) {
  const QSignalBlocker blocker(list);
  list.clear();
  for (const std::string& text : texts) list.addItem(QString::fromStdString(text));
  list.setCurrentIndex(index >= 0 && index < list.count() ? index : -1);
}

// Refills the list, its chosen position kept.
void Refill(QComboBox& list, const std::vector<std::string>& texts) { Fill(list, texts, list.currentIndex()); }

// The unit formats of the linear unit lists, by their position.
const std::vector<std::string>& UnitFormatNames() {
  static const std::vector<std::string> names{"Scientific", "Decimal", "Engineering", "Architectural", "Fractional"};
  return names;
}

// The box's column of controls, made with the first one.
QBoxLayout& BoxLayout(QGroupBox& box) {
  if (auto* layout = qobject_cast<QBoxLayout*>(box.layout())) return *layout;
  return *new QVBoxLayout(&box);
}

}  // namespace

QComboBox* NewDimList(const char* name, const std::vector<std::string>& texts, int& index, QWidget* parent,
                      std::function<void()> chosen) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(name));
  Fill(*list, texts, index);
  QObject::connect(list, &QComboBox::activated, list, [list, &index, chosen = std::move(chosen)](int position) {
    index = position;
    if (chosen) chosen();
    ReportChange(*list);
  });
  return list;
}

QComboBox* NewPrecisionList(const char* name, int unitFormat, int& precision, QWidget* parent) {
  return NewDimList(name, PrecisionSamples(unitFormat, GetNumberSeparators().decimal), precision, parent);
}

QComboBox* NewAnglePrecisionList(const char* name, int angleFormat, int& precision, QWidget* parent) {
  return NewDimList(name, AnglePrecisionSamples(angleFormat, GetNumberSeparators().decimal), precision, parent);
}

void FillPrecisionList(QComboBox& list, int unitFormat) {
  Refill(list, PrecisionSamples(unitFormat, GetNumberSeparators().decimal));
}

void FillAnglePrecisionList(QComboBox& list, int angleFormat) {
  Refill(list, AnglePrecisionSamples(angleFormat, GetNumberSeparators().decimal));
}

QFormLayout* NewDimForm(QGroupBox* box) {
  auto* fields = new QWidget(box);
  auto* form = new QFormLayout(fields);
  form->setContentsMargins(0, 0, 0, 0);
  BoxLayout(*box).addWidget(fields);
  return form;
}

void AddDimUnitRows(QFormLayout& form, int& unitFormat, int& precision) {
  QWidget* fields = form.parentWidget();
  QComboBox* precisionList = NewPrecisionList("precision", unitFormat, precision, fields);
  QComboBox* formatList = NewDimList("unitFormat", UnitFormatNames(), unitFormat, fields, [precisionList, &unitFormat] {
    FillPrecisionList(*precisionList, unitFormat);
  });
  form.addRow(QStringLiteral("&Units"), formatList);
  form.addRow(QStringLiteral("&Precision"), precisionList);
}

void AddDimRoundingRows(QFormLayout& form, double& rounding, std::string& prefix, std::string& suffix, int room) {
  QWidget* fields = form.parentWidget();
  QLineEdit* prefixBox = NewDimTextBox("prefix", prefix, fields);
  QLineEdit* suffixBox = NewDimTextBox("suffix", suffix, fields);
  // A text already longer than its room is kept as it is, not cut.
  const auto limit = [prefixBox, suffixBox, room] {
    const auto length = [](const QLineEdit* box) { return static_cast<int>(box->text().size()); };
    prefixBox->setMaxLength(std::max(room - length(suffixBox), length(prefixBox)));
    suffixBox->setMaxLength(std::max(room - length(prefixBox), length(suffixBox)));
  };
  limit();
  QObject::connect(prefixBox, &QLineEdit::textChanged, fields, limit);
  QObject::connect(suffixBox, &QLineEdit::textChanged, fields, limit);
  form.addRow(QStringLiteral("&Rounding value"), NewDimNumberBox("rounding", rounding, fields));
  form.addRow(QStringLiteral("Prefi&x"), prefixBox);
  form.addRow(QStringLiteral("&Suffix"), suffixBox);
}

QLineEdit* NewDimNumberBox(const char* name, double& value, QWidget* parent) {
  QLineEdit* box = NewNumberBox(name, value, parent);
  QObject::connect(box, &QLineEdit::editingFinished, box, [box, &value] {
    if (TakeNumberOrKeep(box, value)) ReportChange(*box);
  });
  return box;
}

QLineEdit* NewDimTextBox(const char* name, std::string& text, QWidget* parent) {
  auto* box = new QLineEdit(QString::fromStdString(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  QObject::connect(box, &QLineEdit::editingFinished, box, [box, &text] {
    text = box->text().toStdString();
    ReportChange(*box);
  });
  return box;
}

QCheckBox* NewDimCheckBox(const char* name, const char* label, bool& flag, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromUtf8(label), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(flag);
  QObject::connect(box, &QCheckBox::clicked, box, [box, &flag](bool checked) {
    flag = checked;
    ReportChange(*box);
  });
  return box;
}

QButtonGroup* NewDimRadios(const char* name, std::initializer_list<const char*> labels, int checked, QGroupBox* box) {
  auto* group = new QButtonGroup(box);
  group->setObjectName(QString::fromLatin1(name));
  QBoxLayout& layout = BoxLayout(*box);
  int id = 0;
  for (const char* label : labels) {
    auto* button = new QRadioButton(QString::fromUtf8(label), box);
    group->addButton(button, id++);
    layout.addWidget(button);
  }
  if (QAbstractButton* button = group->button(checked)) button->setChecked(true);
  return group;
}

void EnableDimField(QWidget* field, bool enabled) {
  field->setEnabled(enabled);
  auto* form = qobject_cast<QFormLayout*>(field->parentWidget()->layout());
  if (form == nullptr) return;
  if (QWidget* label = form->labelForField(field)) label->setEnabled(enabled);
}

DimZeroBoxes::DimZeroBoxes(const char* name, DimZeroSuppression& zeros, QWidget* parent)
    : QGroupBox(QStringLiteral("Zero Suppression"), parent), zeros_(zeros) {
  setObjectName(QString::fromLatin1(name));
  leading_ = NewDimCheckBox("leading", "&Leading", zeros_.leading, this);
  trailing_ = NewDimCheckBox("trailing", "&Trailing", zeros_.trailing, this);
  feet_ = NewDimCheckBox("feet", "0 Feet", zeros_.feet, this);
  inches_ = NewDimCheckBox("inches", "0 Inches", zeros_.inches, this);
  auto* layout = new QGridLayout(this);
  layout->addWidget(leading_, 0, 0);
  layout->addWidget(trailing_, 1, 0);
  layout->addWidget(feet_, 0, 1);
  layout->addWidget(inches_, 1, 1);
}

void DimZeroBoxes::Show() {
  leading_->setChecked(zeros_.leading);
  trailing_->setChecked(zeros_.trailing);
  feet_->setChecked(zeros_.feet);
  inches_->setChecked(zeros_.inches);
}

void DimZeroBoxes::Enable(bool leadingTrailing, bool feetInches) {
  leading_->setEnabled(leadingTrailing);
  trailing_->setEnabled(leadingTrailing);
  feet_->setEnabled(feetInches);
  inches_->setEnabled(feetInches);
}

ColorComboBox* NewDimColorList(const char* name, int& value, QWidget* parent) {
  auto* list = new ColorComboBox(nullptr, std::string(), value, parent);
  list->setObjectName(QString::fromLatin1(name));
  // Connected after the list's own handling of the choice, which may have
  // asked for another colour.
  QObject::connect(list, &QComboBox::activated, list, [list, &value] {
    value = list->Color();
    ReportChange(*list);
  });
  return list;
}
