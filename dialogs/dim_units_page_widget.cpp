#include "dialogs/dim_units_page_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "commands/dialogs/dim_units_page.h"

DimUnitsPageWidget::DimUnitsPageWidget(CDimUnitsPage& page, FcDimVars& vars, QWidget* parent)
    : DimPageWidget(parent), page_(page), vars_(vars) {
  auto* layout = new QHBoxLayout(this);

  auto* linear = new QGroupBox(QStringLiteral("Linear dimension"), this);
  QFormLayout* form = NewDimForm(linear);
  QWidget* fields = form->parentWidget();
  AddDimUnitRows(*form, page_.m_nUnitFormat, page_.m_nPrecision);
  fraction_ = NewDimList("fractionFormat", {"Horizontal", "Diagonal", "Not stacked "}, page_.m_nFractionFormat, fields);
  separator_ = NewDimList("separator", {"'.'(Period)", "','(Comma)", "' '(Space)"}, page_.m_nSeparator, fields);
  form->addRow(QStringLiteral("Fraction for&mat"), fraction_);
  form->addRow(QStringLiteral("De&cimal separator"), separator_);
  AddDimRoundingRows(*form, page_.m_dRounding, page_.m_strPrefix, page_.m_strSuffix, kDimPostAffixRoom);
  form->addRow(QStringLiteral("Scale &factor"), NewDimNumberBox("scale", page_.m_dScale, fields));
  zeros_ = new DimZeroBoxes("zeros", page_.m_zeros, linear);
  linear->layout()->addWidget(zeros_);
  layout->addWidget(linear, 0, Qt::AlignTop);

  auto* angles = new QGroupBox(QStringLiteral("Angles Dimension"), this);
  QFormLayout* angleForm = NewDimForm(angles);
  QComboBox* angleFormat =
      NewDimList("angleFormat", {"Decimal degrees", "Degrees/min/sec", "Gradians", "Radians"}, page_.m_nAngleFormat,
                 angleForm->parentWidget(), [this] { FillAnglePrecisionList(*anglePrecision_, page_.m_nAngleFormat); });
  anglePrecision_ =
      NewAnglePrecisionList("anglePrecision", page_.m_nAngleFormat, page_.m_nAnglePrecision, angleForm->parentWidget());
  angleForm->addRow(QStringLiteral("&Angle Units"), angleFormat);
  angleForm->addRow(QStringLiteral("Precisi&on"), anglePrecision_);
  auto* angleZeros = new QGroupBox(QStringLiteral("Zero Suppression"), angles);
  auto* angleZerosLayout = new QVBoxLayout(angleZeros);
  angleZerosLayout->addWidget(NewDimCheckBox("angleLeading", "&Leading", page_.m_bAngleLeading, angleZeros));
  angleZerosLayout->addWidget(NewDimCheckBox("angleTrailing", "&Trailing", page_.m_bAngleTrailing, angleZeros));
  angles->layout()->addWidget(angleZeros);
  layout->addWidget(angles, 0, Qt::AlignTop);

  SetEnabling();
}

void DimUnitsPageWidget::SetEnabling() {
  EnableDimField(separator_, page_.SeparatorEnabled());
  EnableDimField(fraction_, page_.FractionFormatEnabled());
  zeros_->Enable(page_.LeadingTrailingEnabled(), page_.FeetInchesEnabled());
}

void DimUnitsPageWidget::Apply() {
  page_.ApplyToStyle(vars_);
  SetEnabling();
}
