#include "dialogs/dim_style_sheet.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "commands/dialogs/dim_style_dlg.h"
#include "dialogs/dim_alt_units_page_widget.h"
#include "dialogs/dim_fit_page_widget.h"
#include "dialogs/dim_lines_page_widget.h"
#include "dialogs/dim_style_sample.h"
#include "dialogs/dim_text_page_widget.h"
#include "dialogs/dim_tol_page_widget.h"
#include "dialogs/dim_units_page_widget.h"

namespace {

template <typename Widget, typename Page>
DimSheetPage SheetPage(const char* title, Page& page, FcDimVars& vars) {
  return {QString::fromLatin1(title), [&page, &vars] { page.OnInitDialog(vars); },
          [&page, &vars](QWidget* parent) -> DimPageWidget* { return new Widget(page, vars, parent); }};
}

// The pages in the order of their tabs.
std::vector<DimSheetPage> SheetPages(CDimStyleDlg& data) {
  return {
      SheetPage<DimLinesPageWidget>("Line && Arrow", data.m_lines, data.m_vars),
      SheetPage<DimTextPageWidget>("Text", data.m_text, data.m_vars),
      SheetPage<DimFitPageWidget>("Adjust", data.m_adjust, data.m_vars),
      SheetPage<DimUnitsPageWidget>("Main units", data.m_units, data.m_vars),
      SheetPage<DimAltUnitsPageWidget>("Alternate Units", data.m_altUnits, data.m_vars),
      SheetPage<DimTolPageWidget>("Tolerance", data.m_tol, data.m_vars),
  };
}

}  // namespace

DimStyleSheet::DimStyleSheet(CDimStyleDlg& data, QWidget* parent)
    : QDialog(parent), data_(data), pages_(SheetPages(data)) {
  setWindowTitle(QString::fromStdString(data_.m_strCaption));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  for (const DimSheetPage& page : pages_) {
    auto* holder = new QWidget(tabs_);
    new QVBoxLayout(holder);
    tabs_->addTab(holder, page.title);
  }
  layout->addWidget(tabs_);
  sample_ = new DimStyleSample(data_.m_pGraph, data_.m_vars, this);
  layout->addWidget(sample_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("ok"));
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  const int first = data_.m_nFirstPage >= 0 && data_.m_nFirstPage < tabs_->count() ? data_.m_nFirstPage : 0;
  tabs_->setCurrentIndex(first);
  ShowPage(first);
  connect(tabs_, &QTabWidget::currentChanged, this, &DimStyleSheet::ShowPage);
}

void DimStyleSheet::ShowPage(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  QWidget* holder = tabs_->widget(index);
  QLayout* layout = holder->layout();
  while (QLayoutItem* item = layout->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  pages_[static_cast<std::size_t>(index)].reread();
  DimPageWidget* page = pages_[static_cast<std::size_t>(index)].make(holder);
  page->SetOnChange([this] { sample_->Follow(); });
  if (auto* fit = dynamic_cast<DimFitPageWidget*>(page)) fit->SetOnRescale([this] { sample_->Rescale(); });
  layout->addWidget(page);
}

void DimStyleSheet::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && qobject_cast<QLineEdit*>(focusWidget()) != nullptr) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}
