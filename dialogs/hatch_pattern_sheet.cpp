#include "dialogs/hatch_pattern_sheet.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include "commands/dialogs/hatch_dlg.h"
#include "dialogs/hatch_picture.h"

namespace {

constexpr int kPictureSize = 32;

}  // namespace

HatchPatternSheet::HatchPatternSheet(CHatchPatDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Hatch Pattern"));
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  layout->addWidget(pages_);
  const char* const titles[] = {"Ansi", "ISO", "Other Predefined"};
  const QString wanted = QString::fromStdString(data_.m_strPattern);
  for (int page = CHatchPatDlg::kAnsiPage; page <= CHatchPatDlg::kOtherPage; ++page) {
    auto* list = new QListWidget(pages_);
    list->setObjectName(QStringLiteral("page%1").arg(page));
    list->setViewMode(QListView::IconMode);
    list->setIconSize(QSize(kPictureSize, kPictureSize));
    list->setResizeMode(QListView::Adjust);
    list->setMovement(QListView::Static);
    for (const std::string& name : data_.NamesOn(page)) {
      auto* item = new QListWidgetItem(QIcon(HatchPicture(name, kPictureSize)), QString::fromStdString(name), list);
      if (item->text().compare(wanted, Qt::CaseInsensitive) != 0) continue;
      list->setCurrentItem(item);
      list->scrollToItem(item);
    }
    lists_[page] = list;
    pages_->addTab(list, QString::fromLatin1(titles[page]));
  }
  data_.m_nActivePage = CHatchPatDlg::PageOf(data_.m_strPattern);
  pages_->setCurrentIndex(data_.m_nActivePage);
  connect(pages_, &QTabWidget::currentChanged, this, [this](int page) { data_.m_nActivePage = page; });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &HatchPatternSheet::Accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void HatchPatternSheet::Accept() {
  const QList<QListWidgetItem*> chosen = lists_[data_.m_nActivePage]->selectedItems();
  data_.m_strPattern = chosen.isEmpty() ? std::string() : chosen.front()->text().toStdString();
  accept();
}
