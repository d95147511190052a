#include "dialogs/dim_fit_page_widget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "commands/dialogs/dim_fit_page.h"

DimFitPageWidget::DimFitPageWidget(CDimAdjustPage& page, FcDimVars& vars, QWidget* parent)
    : DimPageWidget(parent), page_(page), vars_(vars) {
  auto* layout = new QVBoxLayout(this);

  auto* option = new QGroupBox(QStringLiteral("Option"), this);
  auto* optionLayout = new QVBoxLayout(option);
  auto* explanation = new QLabel(QStringLiteral("Controls dimension text and arrow placement when space is not "
                                                "sufficient to place both within the extension lines:"),
                                 option);
  explanation->setWordWrap(true);
  optionLayout->addWidget(explanation);
  QButtonGroup* fit =
      NewDimRadios("fit",
                   {"Moves either text or arrows, whichever fits best", "Moves arrows first, then text",
                    "Moves text first, then arrows", "Places both text and arrows outside extension lines",
                    "Force text inside extensions "},
                   page_.m_nFit, option);
  layout->addWidget(option);

  auto* position = new QGroupBox(QStringLiteral("Text Position"), this);
  (new QVBoxLayout(position))->addWidget(new QLabel(QStringLiteral("Dimension text movement rules"), position));
  QButtonGroup* movement =
      NewDimRadios("movement",
                   {"Moves the dimension line with dimension text", "Adds a leader when dimension text is moved",
                    "Allows text to be moved freely without a leader"},
                   page_.m_nTextMovement, position);
  layout->addWidget(position);

  auto* scale = new QGroupBox(QStringLiteral("Dimension scale"), this);
  auto* scaleForm = new QFormLayout(scale);
  scaleForm->addRow(QStringLiteral("Overall dimensioning scale factor"),
                    NewDimNumberBox("scale", page_.m_dScale, scale));
  layout->addWidget(scale);

  layout->addWidget(NewDimCheckBox("userPositioning", "Cursor functionality for user positioned text",
                                   page_.m_bUserPositioning, this));
  layout->addWidget(
      NewDimCheckBox("forceLineInside", "force Dimension line inside", page_.m_bForceLineInside, this));
  layout->addWidget(NewDimCheckBox("suppressOutside", "Suppress outside-extensions dimension lines",
                                   page_.m_bSuppressOutside, this));
  layout->addStretch();

  connect(fit, &QButtonGroup::idClicked, this, [this](int id) {
    page_.m_nFit = id;
    Changed();
  });
  connect(movement, &QButtonGroup::idClicked, this, [this](int id) {
    page_.m_nTextMovement = id;
    Changed();
  });
}

void DimFitPageWidget::Apply() {
  if (page_.ApplyToStyle(vars_) && onRescale_) onRescale_();
}
