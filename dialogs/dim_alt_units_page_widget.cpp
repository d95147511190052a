#include "dialogs/dim_alt_units_page_widget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "commands/dialogs/dim_alt_units_page.h"
#include "commands/dialogs/dim_units_page.h"

DimAltUnitsPageWidget::DimAltUnitsPageWidget(CDimAltUnitsPage& page, FcDimVars& vars, QWidget* parent)
    : DimPageWidget(parent), page_(page), vars_(vars) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NewDimCheckBox("enabled", "&Enable alternate units", page_.m_bEnabled, this));

  auto* units = new QGroupBox(QStringLiteral("Alternate Units"), this);
  QFormLayout* form = NewDimForm(units);
  fields_ = form->parentWidget();
  AddDimUnitRows(*form, page_.m_nUnitFormat, page_.m_nPrecision);
  form->addRow(QStringLiteral("&Scale Factor"), NewDimNumberBox("scale", page_.m_dScale, fields_));
  AddDimRoundingRows(*form, page_.m_dRounding, page_.m_strPrefix, page_.m_strSuffix, kDimAPostAffixRoom);
  zeros_ = new DimZeroBoxes("zeros", page_.m_zeros, units);
  units->layout()->addWidget(zeros_);
  layout->addWidget(units);

  position_ = new QGroupBox(QStringLiteral("Position"), this);
  QButtonGroup* position =
      NewDimRadios("position", {"&After main units", "&Below main units"}, page_.m_bBelow ? 1 : 0, position_);
  connect(position, &QButtonGroup::idClicked, this, [this](int id) {
    page_.m_bBelow = id == 1;
    Changed();
  });
  layout->addWidget(position_);
  layout->addStretch();

  SetEnabling();
}

void DimAltUnitsPageWidget::SetEnabling() {
  fields_->setEnabled(page_.ControlsEnabled());
  position_->setEnabled(page_.ControlsEnabled());
  zeros_->Enable(page_.LeadingTrailingEnabled(), page_.FeetInchesEnabled());
}

void DimAltUnitsPageWidget::Apply() {
  page_.ApplyToStyle(vars_);
  SetEnabling();
}
