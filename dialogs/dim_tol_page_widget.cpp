#include "dialogs/dim_tol_page_widget.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "commands/dialogs/dim_tol_page.h"
#include "dialogs/number_box.h"

DimTolPageWidget::DimTolPageWidget(CDimTolPage& page, FcDimVars& vars, QWidget* parent)
    : DimPageWidget(parent), page_(page), vars_(vars) {
  auto* layout = new QVBoxLayout(this);

  auto* format = new QGroupBox(QStringLiteral("Tolerance Format"), this);
  QFormLayout* form = NewDimForm(format);
  QWidget* fields = form->parentWidget();
  method_ = NewDimList("method", {"None", "Symmetrical", "Deviation", "Limits", "Basic"}, page_.m_nMethod, fields);
  precision_ = NewPrecisionList("precision", page_.UnitFormat(), page_.m_nPrecision, fields);
  upper_ = NewDimNumberBox("upper", page_.m_dUpper, fields);
  lower_ = NewDimNumberBox("lower", page_.m_dLower, fields);
  heightScale_ = NewDimNumberBox("heightScale", page_.m_dHeightScale, fields);
  justification_ = NewDimList("justification", {"Top", "Middle", "Bottom"}, page_.m_nJustification, fields);
  form->addRow(QStringLiteral("&Method"), method_);
  form->addRow(QStringLiteral("&Precision"), precision_);
  form->addRow(QStringLiteral("&Upper Value"), upper_);
  form->addRow(QStringLiteral("Lo&wer Value"), lower_);
  form->addRow(QStringLiteral("&Height Scale"), heightScale_);
  form->addRow(QStringLiteral("Ju&stification"), justification_);
  zeros_ = new DimZeroBoxes("zeros", page_.m_zeros, format);
  format->layout()->addWidget(zeros_);
  layout->addWidget(format);

  auto* alternate = new QGroupBox(QStringLiteral("Alternate units Tolerance"), this);
  QFormLayout* altForm = NewDimForm(alternate);
  altPrecision_ =
      NewPrecisionList("altPrecision", page_.AltUnitFormat(), page_.m_nAltPrecision, altForm->parentWidget());
  altForm->addRow(QStringLiteral("&Precision"), altPrecision_);
  altZeros_ = new DimZeroBoxes("altZeros", page_.m_altZeros, alternate);
  alternate->layout()->addWidget(altZeros_);
  layout->addWidget(alternate);
  layout->addStretch();

  SetEnabling();
}

void DimTolPageWidget::showEvent(QShowEvent* event) {
  FillPrecisionList(*precision_, page_.UnitFormat());
  FillPrecisionList(*altPrecision_, page_.AltUnitFormat());
  Show();
  SetEnabling();
  DimPageWidget::showEvent(event);
}

void DimTolPageWidget::Show() {
  method_->setCurrentIndex(page_.m_nMethod);
  precision_->setCurrentIndex(page_.m_nPrecision);
  ShowNumber(upper_, page_.m_dUpper);
  ShowNumber(lower_, page_.m_dLower);
  ShowNumber(heightScale_, page_.m_dHeightScale);
  justification_->setCurrentIndex(page_.m_nJustification);
  zeros_->Show();
  altPrecision_->setCurrentIndex(page_.m_nAltPrecision);
  altZeros_->Show();
}

void DimTolPageWidget::SetEnabling() {
  for (QWidget* field : {static_cast<QWidget*>(precision_), static_cast<QWidget*>(upper_),
                         static_cast<QWidget*>(heightScale_), static_cast<QWidget*>(justification_)})
    EnableDimField(field, page_.ValuesEnabled());
  EnableDimField(lower_, page_.LowerEnabled());
  zeros_->Enable(page_.LeadingTrailingEnabled(), page_.FeetInchesEnabled());
  EnableDimField(altPrecision_, page_.AltPrecisionEnabled());
  altZeros_->Enable(page_.AltLeadingTrailingEnabled(), page_.AltFeetInchesEnabled());
}

void DimTolPageWidget::Apply() {
  page_.ApplyToStyle(vars_);
  // "Symmetrical" made the lower value the upper one.
  ShowNumber(lower_, page_.m_dLower);
  SetEnabling();
}
