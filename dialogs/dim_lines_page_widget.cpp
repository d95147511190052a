#include "dialogs/dim_lines_page_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>

#include "commands/dialogs/select_blk_dlg.h"
#include "dialogs/color_combo_box.h"
#include "dialogs/dialog_shows.h"
#include "dialogs/dim_arrow_pictures.h"
#include "dialogs/dim_page_controls.h"

namespace {

QFormLayout* NewGroup(const char* title, QGridLayout* grid, int row, int column, QWidget* parent) {
  auto* group = new QGroupBox(QString::fromLatin1(title), parent);
  grid->addWidget(group, row, column);
  return new QFormLayout(group);
}

}  // namespace

DimLinesPageWidget::DimLinesPageWidget(CDimLinesPage& page, FcDimVars& vars, QWidget* parent)
    : DimPageWidget(parent), page_(page), vars_(vars) {
  auto* grid = new QGridLayout(this);

  QFormLayout* dimLines = NewGroup("Dimension lines", grid, 0, 0, this);
  dimLines->addRow(QStringLiteral("&Color"), NewDimColorList("dimLineColor", page_.m_nDimLineColor, this));
  dimLines->addRow(QStringLiteral("Dimension line exte&nsion"),
                   NewDimNumberBox("dimLineExtension", page_.m_dDimLineExtension, this));
  dimLines->addRow(QStringLiteral("B&ase line increment"),
                   NewDimNumberBox("baselineIncrement", page_.m_dBaselineIncrement, this));
  dimLines->addRow(NewDimCheckBox("suppressDimLine1", "Dimension line 1", page_.m_bSuppressDimLine1, this));
  dimLines->addRow(NewDimCheckBox("suppressDimLine2", "Dimension line 2", page_.m_bSuppressDimLine2, this));

  QFormLayout* extLines = NewGroup("Extension lines", grid, 1, 0, this);
  extLines->addRow(QStringLiteral("Colo&r"), NewDimColorList("extLineColor", page_.m_nExtLineColor, this));
  extLines->addRow(QStringLiteral("E&xtension line extension"),
                   NewDimNumberBox("extLineExtension", page_.m_dExtLineExtension, this));
  extLines->addRow(QStringLiteral("Extension line o&ffset"),
                   NewDimNumberBox("extLineOffset", page_.m_dExtLineOffset, this));
  extLines->addRow(NewDimCheckBox("suppressExtLine1", "Extension line 1", page_.m_bSuppressExtLine1, this));
  extLines->addRow(NewDimCheckBox("suppressExtLine2", "Extension line 2", page_.m_bSuppressExtLine2, this));

  QFormLayout* arrows = NewGroup("Arrows", grid, 0, 1, this);
  const char* arrowNames[] = {"firstArrow", "secondArrow", "leaderArrow"};
  const char* arrowLabels[] = {"Firs&t", "Secon&d", "&Leader"};
  for (int i = 0; i < 3; ++i) {
    arrows_[i] = new QComboBox(this);
    arrows_[i]->setObjectName(QString::fromLatin1(arrowNames[i]));
    arrows->addRow(QString::fromLatin1(arrowLabels[i]), arrows_[i]);
    connect(arrows_[i], &QComboBox::activated, this,
            [this, i](int index) { ChooseArrow(static_cast<CDimLinesPage::Arrow>(i), index); });
  }
  arrows->addRow(QStringLiteral("Arrow S&ize"), NewDimNumberBox("arrowSize", page_.m_dArrowSize, this));
  FillArrows();

  QFormLayout* center = NewGroup("Center Mark", grid, 1, 1, this);
  centerSize_ = NewDimNumberBox("centerSize", page_.m_dCenterSize, this);
  center->addRow(QStringLiteral("T&ype"),
                 NewDimList("centerType", {"Mark", "Line", "None"}, page_.m_nCenterType, this));
  center->addRow(QStringLiteral("Si&ze"), centerSize_);
  EnableCenterSize();
}

void DimLinesPageWidget::Apply() {
  page_.ApplyToStyle(vars_);
  EnableCenterSize();
}

void DimLinesPageWidget::EnableCenterSize() { centerSize_->setEnabled(page_.CenterSizeEnabled()); }

void DimLinesPageWidget::FillArrows() {
  const std::vector<CDimLinesPage::ArrowEntry> entries = page_.ArrowEntries();
  for (int i = 0; i < 3; ++i) {
    QComboBox* list = arrows_[i];
    list->clear();
    for (const CDimLinesPage::ArrowEntry& entry : entries)
      list->addItem(DimArrowPicture(entry.data), QString::fromStdString(entry.text), entry.data);
    const QString text = QString::fromStdString(page_.ArrowText(static_cast<CDimLinesPage::Arrow>(i)));
    int selected = list->findText(text, Qt::MatchFixedString);
    if (selected < 0) selected = list->findText(text, Qt::MatchStartsWith);
    list->setCurrentIndex(selected);
  }
}

void DimLinesPageWidget::ChooseArrow(CDimLinesPage::Arrow arrow, int index) {
  QComboBox* list = arrows_[arrow];
  if (list->itemData(index).toInt() != CDimLinesPage::kUserArrow) {
    page_.OnArrowChosen(arrow, ArrowBlockName(list->itemText(index).toStdString()));
  } else {
    CSelectBlkDlg select;
    select.m_pGraph = page_.m_pGraph;
    select.m_strName = ArrowBlockName(page_.ArrowText(arrow));
    if (ShowModalDialog(select, this) == CModalDialog::kOk) page_.OnArrowChosen(arrow, select.m_strName);
  }
  // A first arrow may have taken the second along, and a user block now in
  // use leads the lists.
  FillArrows();
  Changed();
}
