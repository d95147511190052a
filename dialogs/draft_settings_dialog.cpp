#include "dialogs/draft_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "commands/dialogs/draft_set_dlg.h"
#include "core/value_format.h"
#include "core/value_parse.h"
#include "dialogs/snap_marker_picture.h"
#include "dialogs/static_ex.h"

namespace {

constexpr int kMarkerSide = 16;

// The snap page's boxes in order, with the data member each one holds.
struct SnapBox {
  const char* label;
  double CDraftSetDlg::*member;
};

const SnapBox kSnapBoxes[7] = {
    {"Snap X Space", &CDraftSetDlg::m_dSnapX}, {"Snap Y Space", &CDraftSetDlg::m_dSnapY},
    {"Angle", &CDraftSetDlg::m_dSnapAngle},    {"X Base", &CDraftSetDlg::m_dBaseX},
    {"Y Base", &CDraftSetDlg::m_dBaseY},       {"Grid X Space", &CDraftSetDlg::m_dGridX},
    {"Grid Y Space", &CDraftSetDlg::m_dGridY},
};

const char* const kModeNames[10] = {"&End Point",          "&Middle Point",        "&Center Point", "No&de Point",
                                    "&Quadrant Point",     "&Intersection Point",  "In&sert Point",
                                    "&Perpendicular Point", "Ta&ngency Point",     "Ne&rest Point"};

}  // namespace

DraftSettingsDialog::DraftSettingsDialog(CDraftSetDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QString::fromStdString(data_.m_strCaption));
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  pages_->addTab(SnapPage(), QStringLiteral("Snap"));
  pages_->addTab(ObjectSnapPage(), QStringLiteral("Object Snap"));
  layout->addWidget(pages_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &DraftSettingsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  shownPage_ = data_.m_nStartPage == CDraftSetDlg::kObjectSnapPage ? 1 : 0;
  pages_->setCurrentIndex(shownPage_);
  (shownPage_ == 0 ? data_.m_bSnapPageShown : data_.m_bObjectSnapPageShown) = true;
  connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
    if (page == shownPage_) return;
    // The snap page is left only with good values.
    if (shownPage_ == 0 && !ReadSnapPage()) {
      pages_->setCurrentIndex(0);
      return;
    }
    if (shownPage_ == 1) ReadObjectSnapPage();
    shownPage_ = page;
    (page == 0 ? data_.m_bSnapPageShown : data_.m_bObjectSnapPageShown) = true;
  });
}

QWidget* DraftSettingsDialog::SnapPage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  snapOn_ = new QCheckBox(QStringLiteral("Enable &snap(F9)"), page);
  snapOn_->setChecked(data_.m_bSnapOn);
  form->addRow(snapOn_);
  for (int i = 0; i < 7; ++i) {
    if (i == 5) {
      gridOn_ = new QCheckBox(QStringLiteral("Enable &grid(F7)"), page);
      gridOn_->setChecked(data_.m_bGridOn);
      form->addRow(gridOn_);
    }
    boxes_[i] = new QLineEdit(QString::fromStdString(FormatDecimal(4, data_.*kSnapBoxes[i].member)), page);
    boxes_[i]->setObjectName(QString::fromLatin1(kSnapBoxes[i].label));
    form->addRow(QString::fromLatin1(kSnapBoxes[i].label), boxes_[i]);
  }
  return page;
}

QWidget* DraftSettingsDialog::ObjectSnapPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  osnapOn_ = new QCheckBox(QStringLiteral("Enable &object snap(F3)"), page);
  osnapOn_->setObjectName(QStringLiteral("objectSnapOn"));
  osnapOn_->setChecked(data_.m_bOsnapOn);
  layout->addWidget(osnapOn_);
  auto* grid = new QGridLayout;
  for (int i = 0; i < CDraftSetDlg::kModes; ++i) {
    const int bit = CDraftSetDlg::kModeBits[static_cast<std::size_t>(i)];
    auto* marker = new CStaticEx(page);
    marker->setObjectName(QStringLiteral("marker%1").arg(bit));
    marker->m_bBitmapMode = true;
    marker->m_bitmap = SnapMarkerPicture(bit, kMarkerSide, palette().color(QPalette::WindowText));
    marker->setFixedSize(kMarkerSide + 4, kMarkerSide + 4);
    modes_[i] = new QCheckBox(QString::fromLatin1(kModeNames[i]), page);
    grid->addWidget(marker, i % 5, 2 * (i / 5));
    grid->addWidget(modes_[i], i % 5, 2 * (i / 5) + 1);
  }
  layout->addLayout(grid);
  auto* buttons = new QHBoxLayout;
  auto* all = new QPushButton(QStringLiteral("Select All"), page);
  auto* none = new QPushButton(QStringLiteral("Unselect All"), page);
  buttons->addWidget(all);
  buttons->addWidget(none);
  layout->addLayout(buttons);
  ShowModes();
  connect(all, &QPushButton::clicked, this, [this] {
    data_.SetAllModes(true);
    ShowModes();
  });
  connect(none, &QPushButton::clicked, this, [this] {
    data_.SetAllModes(false);
    ShowModes();
  });
  return page;
}

void DraftSettingsDialog::ShowModes() {
  for (int i = 0; i < CDraftSetDlg::kModes; ++i) modes_[i]->setChecked(data_.m_modes[static_cast<std::size_t>(i)]);
}

bool DraftSettingsDialog::ReadSnapPage() {
  double values[7];
  for (int i = 0; i < 7; ++i) {
    if (ParseReal(boxes_[i]->text().toStdString(), values[i])) continue;
    boxes_[i]->setFocus();
    QMessageBox::information(this, windowTitle(), QStringLiteral("Please enter a number."));
    return false;
  }
  for (int i = 0; i < 7; ++i) data_.*kSnapBoxes[i].member = values[i];
  data_.m_bSnapOn = snapOn_->isChecked();
  data_.m_bGridOn = gridOn_->isChecked();
  const std::string refusal = data_.CheckSpacings();
  if (refusal.empty()) return true;
  QMessageBox::information(this, windowTitle(), QString::fromStdString(refusal));
  return false;
}

void DraftSettingsDialog::ReadObjectSnapPage() {
  data_.m_bOsnapOn = osnapOn_->isChecked();
  for (int i = 0; i < CDraftSetDlg::kModes; ++i) data_.m_modes[static_cast<std::size_t>(i)] = modes_[i]->isChecked();
}

void DraftSettingsDialog::accept() {
  if (data_.m_bSnapPageShown && !ReadSnapPage()) return;
  ReadObjectSnapPage();
  QDialog::accept();
}
