#include "dialogs/dim_text_page_widget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "commands/dialogs/dim_style_dlg.h"
#include "commands/dialogs/dim_text_page.h"
#include "dialogs/color_combo_box.h"
#include "dialogs/dim_page_controls.h"

DimTextPageWidget::DimTextPageWidget(CDimTextPage& page, FcDimVars& vars, QWidget* parent)
    : DimPageWidget(parent), page_(page), vars_(vars) {
  auto* layout = new QVBoxLayout(this);

  auto* appearance = new QGroupBox(QStringLiteral("Text Appearance"), this);
  auto* form = new QFormLayout(appearance);
  auto* styles = new QComboBox(appearance);
  styles->setObjectName(QStringLiteral("textStyle"));
  for (const std::string& name : page_.m_textStyles) styles->addItem(QString::fromStdString(name));
  styles->setCurrentIndex(page_.SelectedTextStyle());
  connect(styles, &QComboBox::activated, this, [this, styles] {
    page_.m_strTextStyle = styles->currentText().toStdString();
    Changed();
  });
  auto* editStyles = new QPushButton(QStringLiteral("..."), appearance);
  editStyles->setObjectName(QStringLiteral("editTextStyles"));
  editStyles->setAutoDefault(false);
  connect(editStyles, &QPushButton::clicked, this, [this, styles] {
    if (styles->currentIndex() >= 0) page_.m_strTextStyle = styles->currentText().toStdString();
    if (auto* sheet = qobject_cast<QDialog*>(window())) sheet->done(CDimStyleDlg::kTextStyles);
  });
  auto* styleRow = new QHBoxLayout;
  styleRow->addWidget(styles, 1);
  styleRow->addWidget(editStyles);
  form->addRow(QStringLiteral("Text St&yle"), styleRow);
  form->addRow(QStringLiteral("Text &color"), NewDimColorList("textColor", page_.m_nTextColor, appearance));
  form->addRow(QStringLiteral("Text heigh&t"), NewDimNumberBox("textHeight", page_.m_dTextHeight, appearance));
  form->addRow(QStringLiteral("Fraction height scale"),
               NewDimNumberBox("fractionScale", page_.m_dFractionScale, appearance));
  form->addRow(NewDimCheckBox("frame", "Draw text &frame", page_.m_bFrame, appearance));
  layout->addWidget(appearance);

  auto* placement = new QGroupBox(QStringLiteral("Text Placement"), this);
  auto* place = new QFormLayout(placement);
  place->addRow(QStringLiteral("&Vertical"),
                NewDimList("vertical", {"Centered", "Above", "Outside"}, page_.m_nVertical, placement));
  place->addRow(QStringLiteral("Hori&zontal"),
                NewDimList("horizontal",
                           {"Centered", "1st Extension Line", "2nd Extension Line", "Over 1st Extension",
                            "Over 2nd Extension"},
                           page_.m_nHorizontal, placement));
  place->addRow(QStringLiteral("&Offset from dimension line"), NewDimNumberBox("offset", page_.m_dOffset, placement));
  layout->addWidget(placement);

  auto* align = new QGroupBox(QStringLiteral("Align"), this);
  auto* alignLayout = new QVBoxLayout(align);
  auto* orientation = new QButtonGroup(align);
  const struct {
    const char* name;
    const char* text;
    int value;
  } buttons[] = {{"alignHorizontal", "Horizontal", CDimTextPage::kHorizontal},
                 {"alignDimLine", "Align to the dimension lines", CDimTextPage::kAligned},
                 {"alignIso", "ISO standard", CDimTextPage::kIso}};
  for (const auto& each : buttons) {
    auto* button = new QRadioButton(QString::fromLatin1(each.text), align);
    button->setObjectName(QString::fromLatin1(each.name));
    button->setChecked(page_.m_nOrientation == each.value);
    orientation->addButton(button, each.value);
    alignLayout->addWidget(button);
  }
  connect(orientation, &QButtonGroup::idClicked, this, [this](int value) {
    page_.m_nOrientation = value;
    Changed();
  });
  layout->addWidget(align);
}

void DimTextPageWidget::Apply() { page_.ApplyToStyle(vars_); }
