#include "dialogs/purge_sheet.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPushButton* AddButton(QHBoxLayout& row, const char* text, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(text), parent);
  row.addWidget(button);
  return button;
}

QWidget* MakePage(int page, QListWidget*& list) {
  auto* widget = new QWidget;
  auto* layout = new QVBoxLayout(widget);
  layout->addWidget(new QLabel(QString::fromLatin1(CPurgeDlg::ListLabel(page)), widget));
  list = new QListWidget(widget);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  layout->addWidget(list);
  auto* buttons = new QHBoxLayout;
  QListWidget* target = list;
  QObject::connect(AddButton(*buttons, "Select All", widget), &QPushButton::clicked, target,
                   &QListWidget::selectAll);
  QObject::connect(AddButton(*buttons, "Unselect All", widget), &QPushButton::clicked, target,
                   &QListWidget::clearSelection);
  QObject::connect(AddButton(*buttons, "Inverse select", widget), &QPushButton::clicked, target, [target] {
    for (int i = 0; i < target->count(); ++i) target->item(i)->setSelected(!target->item(i)->isSelected());
  });
  layout->addLayout(buttons);
  return widget;
}

}  // namespace

PurgeSheet::PurgeSheet(CPurgeDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QString::fromStdString(data_.m_caption));
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  for (int page = 0; page < CPurgeDlg::kPageCount; ++page)
    tabs_->addTab(MakePage(page, lists_[page]), QString::fromLatin1(CPurgeDlg::TabText(page)));
  layout->addWidget(tabs_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(tabs_, &QTabWidget::currentChanged, this, &PurgeSheet::ShowPage);
  const int first = data_.m_nFirstPage >= 0 && data_.m_nFirstPage < CPurgeDlg::kPageCount ? data_.m_nFirstPage : 0;
  tabs_->setCurrentIndex(first);
  ShowPage(first);
}

void PurgeSheet::ShowPage(int page) {
  if (page < 0 || page >= CPurgeDlg::kPageCount || shown_[page]) return;
  shown_[page] = true;
  for (const std::string& name : data_.m_pages[page].m_candidates)
    lists_[page]->addItem(QString::fromStdString(name));
}

void PurgeSheet::done(int result) {
  if (result != QDialog::Accepted) {
    QDialog::done(result);
    return;
  }
  for (int page = 0; page < CPurgeDlg::kPageCount; ++page) {
    if (!shown_[page]) continue;
    std::vector<std::string>& names = data_.m_pages[page].m_names;
    names.clear();
    for (int i = 0; i < lists_[page]->count(); ++i)
      if (lists_[page]->item(i)->isSelected()) names.push_back(lists_[page]->item(i)->text().toStdString());
  }
  QDialog::done(result);
}
