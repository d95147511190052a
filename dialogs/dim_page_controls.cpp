#include "dialogs/dim_page_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "dialogs/color_combo_box.h"
#include "dialogs/number_box.h"

QLineEdit* NewDimNumberField(const char* name, double& value, DimPageChanged changed, QWidget* parent) {
  QLineEdit* box = NewNumberBox(name, value, parent);
  QObject::connect(box, &QLineEdit::editingFinished, box, [box, &value, changed = std::move(changed)] {
    if (TakeNumber(box, value)) changed();
  });
  return box;
}

QCheckBox* NewDimCheckBox(const char* name, const char* text, bool& value, DimPageChanged changed, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(value);
  QObject::connect(box, &QCheckBox::toggled, box, [&value, changed = std::move(changed)](bool checked) {
    value = checked;
    changed();
  });
  return box;
}

QComboBox* NewDimChoiceList(const char* name, std::initializer_list<const char*> texts, int& value,
                            DimPageChanged changed, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(name));
  for (const char* text : texts) list->addItem(QString::fromLatin1(text));
  list->setCurrentIndex(value);
  QObject::connect(list, &QComboBox::activated, list, [&value, changed = std::move(changed)](int index) {
    value = index;
    changed();
  });
  return list;
}

ColorComboBox* NewDimColorList(const char* name, int& value, DimPageChanged changed, QWidget* parent) {
  auto* list = new ColorComboBox(nullptr, std::string(), value, parent);
  list->setObjectName(QString::fromLatin1(name));
  // Connected after the list's own handling of the choice, which may have
  // asked for another colour.
  QObject::connect(list, &QComboBox::activated, list, [list, &value, changed = std::move(changed)] {
    value = list->Color();
    changed();
  });
  return list;
}
