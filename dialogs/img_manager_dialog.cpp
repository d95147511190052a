#include "dialogs/img_manager_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commands/dialogs/img_mng_dlg.h"
#include "commands/dialogs/open_dwg_dlg.h"
#include "dialogs/dib_preview.h"
#include "dialogs/paint_box.h"

namespace {

constexpr int kDetailsPreviewSide = 160;

QString Text(const std::string& text) { return QString::fromStdString(text); }

QPushButton* Button(const QString& label, const char* name, QWidget* parent) {
  auto* button = new QPushButton(label, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

ImgManagerDialog::ImgManagerDialog(CImgMngDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Image Manager"));
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;

  list_ = new QTableWidget(0, 6, this);
  list_->setObjectName(QStringLiteral("images"));
  list_->setHorizontalHeaderLabels({QStringLiteral("Image Name"), QStringLiteral("Status"), QStringLiteral("Size"),
                                    QStringLiteral("Type"), QStringLiteral("Date"), QStringLiteral("Saved Path")});
  const int widths[] = {110, 75, 65, 50, 50, 250};
  for (int column = 0; column < 6; ++column) list_->setColumnWidth(column, widths[column]);
  list_->horizontalHeader()->setSectionsClickable(false);
  list_->verticalHeader()->hide();
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  top->addWidget(list_, 1);

  auto* side = new QVBoxLayout;
  QPushButton* attach = Button(QStringLiteral("Attach..."), "attach", this);
  detach_ = Button(QStringLiteral("Detach"), "detach", this);
  reload_ = Button(QStringLiteral("Reload"), "reload", this);
  unload_ = Button(QStringLiteral("Unload"), "unload", this);
  details_ = Button(QStringLiteral("Details..."), "details", this);
  for (QPushButton* button : {attach, detach_, reload_, unload_, details_}) side->addWidget(button);
  side->addStretch();
  top->addLayout(side);
  layout->addLayout(top);

  auto* found = new QHBoxLayout;
  foundAt_ = new QLineEdit(this);
  foundAt_->setObjectName(QStringLiteral("foundAt"));
  browse_ = Button(QStringLiteral("Browse..."), "browse", this);
  savePath_ = Button(QStringLiteral("Save Path"), "savePath", this);
  found->addWidget(new QLabel(QStringLiteral("Image found at"), this));
  found->addWidget(foundAt_, 1);
  found->addWidget(browse_);
  found->addWidget(savePath_);
  layout->addLayout(found);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  connect(list_, &QTableWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
  connect(attach, &QPushButton::clicked, this, [this] { done(CImgMngDlg::kAttach); });
  connect(detach_, &QPushButton::clicked, this, [this] {
    data_.Detach();
    foundAt_->setText(Text(data_.m_strFoundPath));
    Fill();
  });
  connect(reload_, &QPushButton::clicked, this, [this] {
    data_.Reload();
    Fill();
  });
  connect(unload_, &QPushButton::clicked, this, [this] {
    data_.Unload();
    Fill();
  });
  connect(browse_, &QPushButton::clicked, this, [this] {
    std::string path = foundAt_->text().toStdString();
    if (BrowseImageFile(path)) foundAt_->setText(Text(path));
  });
  connect(savePath_, &QPushButton::clicked, this, [this] {
    data_.m_strFoundPath = foundAt_->text().toStdString();
    const std::string message = data_.SavePath();
    Fill();
    Warn(message);
  });
  connect(details_, &QPushButton::clicked, this, [this] {
    const int row = list_->currentRow();
    if (row < 0 || data_.SelectedDefinition() == nullptr) return;
    CImgDetailDlg details;
    details.m_strName = list_->item(row, 0)->text().toStdString();
    details.m_strSavedPath = list_->item(row, 5)->text().toStdString();
    details.m_strFoundPath = foundAt_->text().toStdString();
    ShowImageDetails(details, this);
  });
  Fill();
}

void ImgManagerDialog::Fill() {
  const QSignalBlocker block(list_);
  const std::vector<ImageRow> rows = data_.Rows();
  list_->setRowCount(static_cast<int>(rows.size()));
  int selected = -1;
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    const ImageRow& row = rows[static_cast<std::size_t>(i)];
    const std::string cells[] = {row.name, row.status, row.size, row.type, row.date, row.savedPath};
    for (int column = 0; column < 6; ++column) {
      auto* item = new QTableWidgetItem(Text(cells[column]));
      item->setData(Qt::UserRole, row.entry);
      list_->setItem(i, column, item);
    }
    if (row.entry == data_.m_nSelectedRow) selected = i;
  }
  list_->clearSelection();
  if (selected >= 0) list_->selectRow(selected);
  Enable();
}

void ImgManagerDialog::Enable() {
  const bool selected = data_.HasSelection();
  detach_->setEnabled(data_.CanDetach());
  for (QWidget* widget : {static_cast<QWidget*>(reload_), static_cast<QWidget*>(unload_),
                          static_cast<QWidget*>(details_), static_cast<QWidget*>(foundAt_),
                          static_cast<QWidget*>(browse_), static_cast<QWidget*>(savePath_)})
    widget->setEnabled(selected);
}

void ImgManagerDialog::SelectionChanged() {
  const QList<QTableWidgetItem*> items = list_->selectedItems();
  data_.SelectRow(items.isEmpty() ? -1 : items.first()->data(Qt::UserRole).toInt());
  foundAt_->setText(Text(data_.m_strFoundPath));
  Enable();
}

void ImgManagerDialog::Warn(const std::string& message) {
  if (!message.empty()) QMessageBox::warning(this, windowTitle(), Text(message));
}

int ShowImageDetails(CImgDetailDlg& data, QWidget* parent) {
  data.Fill();
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("imageDetails"));
  dialog.setWindowTitle(QStringLiteral("Image File Details"));
  auto* form = new QFormLayout(&dialog);
  const QImage picture = PreviewImage(data.m_dibPicture, QSize(kDetailsPreviewSide, kDetailsPreviewSide));
  form->addRow(NewPreviewBox(kDetailsPreviewSide, &picture, &dialog));
  const std::pair<const char*, const std::string*> lines[] = {
      {"Image:", &data.m_strName},          {"Saved:", &data.m_strSavedPath},
      {"Active:", &data.m_strFoundPath},     {"File type:", &data.m_strFileType},
      {"File size:", &data.m_strFileSize},   {"File creation date:", &data.m_strFileDate},
      {"Pixel width:", &data.m_strPixelWidth}, {"Pixel height:", &data.m_strPixelHeight},
      {"Default size:", &data.m_strDefaultSize},
  };
  for (const auto& [label, value] : lines) form->addRow(QString::fromLatin1(label), new QLabel(Text(*value), &dialog));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  form->addRow(buttons);
  return dialog.exec() == QDialog::Accepted ? CModalDialog::kOk : CModalDialog::kCancel;
}
