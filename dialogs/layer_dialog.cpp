#include "dialogs/layer_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "commands/dialogs/layer_set_dlg.h"
#include "commands/dialogs/linetype_sel_dlg.h"
#include "database/layer.h"
#include "dialogs/linetype_select_dialog.h"
#include "dialogs/swatches.h"

namespace {

// The pictures of the four switches, drawn rather than loaded: a lit or
// dark bulb, a sun or a snowflake, an open or closed padlock, a printer
// with or without a prohibition sign.
QIcon SwitchIcon(int column, bool set) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::black);
  switch (column) {
    case LayerDialog::kOn:
      painter.setBrush(set ? QColor(255, 230, 0) : QColor(40, 40, 90));
      painter.drawEllipse(3, 1, 10, 10);
      painter.fillRect(6, 11, 4, 4, Qt::gray);
      break;
    case LayerDialog::kFrozen:
      if (set) {
        painter.setPen(QPen(QColor(0, 120, 220), 2));
        painter.drawLine(8, 1, 8, 15);
        painter.drawLine(2, 4, 14, 12);
        painter.drawLine(2, 12, 14, 4);
      } else {
        painter.setBrush(QColor(255, 180, 0));
        painter.drawEllipse(4, 4, 8, 8);
      }
      break;
    case LayerDialog::kLocked:
      painter.setBrush(QColor(200, 160, 0));
      painter.drawRect(3, 7, 10, 8);
      painter.setBrush(Qt::NoBrush);
      painter.drawArc(set ? 5 : 8, 1, 6, 10, 0, 180 * 16);
      break;
    default:
      painter.setBrush(Qt::lightGray);
      painter.drawRect(2, 5, 12, 7);
      if (!set) {
        painter.setPen(QPen(Qt::red, 2));
        painter.drawEllipse(1, 1, 14, 14);
        painter.drawLine(3, 3, 13, 13);
      }
  }
  return QIcon(pixmap);
}

bool SwitchOf(const FcLayer& layer, int column) {
  switch (column) {
    case LayerDialog::kOn:
      return layer.IsOn();
    case LayerDialog::kFrozen:
      return layer.IsFrozen();
    case LayerDialog::kLocked:
      return layer.IsLocked();
    default:
      return layer.IsPlottable();
  }
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

LayerDialog::LayerDialog(CLayerSetDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Layer properties manager"));
  auto* layout = new QVBoxLayout(this);

  auto* buttons = new QHBoxLayout;
  auto* newButton = new QPushButton(QStringLiteral("&New"), this);
  auto* currentButton = new QPushButton(QStringLiteral("&Current"), this);
  auto* deleteButton = new QPushButton(QStringLiteral("Delete"), this);
  deleteButton->setObjectName(QStringLiteral("delete"));
  currentLabel_ = new QLabel(this);
  currentLabel_->setObjectName(QStringLiteral("currentLayer"));
  buttons->addWidget(newButton);
  buttons->addWidget(currentButton);
  buttons->addWidget(deleteButton);
  buttons->addWidget(currentLabel_, 1);
  layout->addLayout(buttons);

  list_ = new QTableWidget(0, kColumnCount, this);
  list_->setObjectName(QStringLiteral("layers"));
  list_->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("On"), QStringLiteral("Frozen"),
                                    QStringLiteral("Locked"), QStringLiteral("Color"), QStringLiteral("Linetype"),
                                    QStringLiteral("Print")});
  const int widths[kColumnCount] = {155, 35, 65, 65, 105, 130, 55};
  for (int column = 0; column < kColumnCount; ++column) list_->setColumnWidth(column, widths[column]);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::EditKeyPressed);
  list_->verticalHeader()->hide();
  list_->setMinimumWidth(650);
  layout->addWidget(list_, 1);

  auto* details = new QGroupBox(QStringLiteral("Details"), this);
  auto* form = new QFormLayout(details);
  name_ = new QLineEdit(details);
  name_->setObjectName(QStringLiteral("name"));
  colors_ = new QComboBox(details);
  colors_->setObjectName(QStringLiteral("colors"));
  linetypes_ = new QComboBox(details);
  linetypes_->setObjectName(QStringLiteral("linetypes"));
  form->addRow(QStringLiteral("N&ame"), name_);
  form->addRow(QStringLiteral("Colo&r"), colors_);
  form->addRow(QStringLiteral("&Line type"), linetypes_);
  auto* switches = new QHBoxLayout;
  on_ = new QCheckBox(QStringLiteral("&On"), details);
  frozen_ = new QCheckBox(QStringLiteral("&Frozen"), details);
  locked_ = new QCheckBox(QStringLiteral("Loc&ked"), details);
  print_ = new QCheckBox(QStringLiteral("&Print"), details);
  for (QCheckBox* box : {on_, frozen_, locked_, print_}) {
    switches->addWidget(box);
    connect(box, &QCheckBox::clicked, this, &LayerDialog::OnDetailsSwitch);
  }
  form->addRow(switches);
  layout->addWidget(details);

  auto* okCancel = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(okCancel, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(okCancel, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(okCancel);

  filling_ = true;
  for (const auto& layer : data_.Layers())
    if (!layer->IsMarkedDeleted()) AddRow(*layer);
  filling_ = false;
  FillColors();
  FillLinetypes();
  currentLabel_->setText(Text(data_.CurrentLabel()));
  ShowDetails();

  connect(newButton, &QPushButton::clicked, this, &LayerDialog::OnNew);
  connect(currentButton, &QPushButton::clicked, this, &LayerDialog::OnCurrent);
  connect(deleteButton, &QPushButton::clicked, this, &LayerDialog::OnDelete);
  connect(list_, &QTableWidget::cellDoubleClicked, this, &LayerDialog::OnCurrent);
  connect(list_, &QTableWidget::cellClicked, this, &LayerDialog::OnCellClicked);
  connect(list_, &QTableWidget::cellChanged, this, &LayerDialog::OnNameEdited);
  connect(list_, &QTableWidget::itemSelectionChanged, this, [this] {
    if (FcLayer* layer = SelectedLayer()) data_.ShowDetails(layer);
    ShowDetails();
  });
  connect(name_, &QLineEdit::editingFinished, this, &LayerDialog::OnDetailsName);
  connect(colors_, &QComboBox::activated, this, &LayerDialog::OnDetailsColor);
  connect(linetypes_, &QComboBox::activated, this, &LayerDialog::OnDetailsLinetype);
}

void LayerDialog::done(int result) {
  // Enter in the name box commits the name instead of closing.
  if (result == Accepted && name_->hasFocus()) {
    OnDetailsName();
    return;
  }
  QDialog::done(result);
}

FcLayer* LayerDialog::LayerOfRow(int row) const {
  const QTableWidgetItem* item = list_->item(row, kName);
  return item == nullptr ? nullptr : static_cast<FcLayer*>(item->data(Qt::UserRole).value<void*>());
}

int LayerDialog::SelectedRow() const {
  const QList<QTableWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? -1 : selected.front()->row();
}

FcLayer* LayerDialog::SelectedLayer() const { return LayerOfRow(SelectedRow()); }

void LayerDialog::AddRow(FcLayer& layer) {
  const int row = list_->rowCount();
  list_->insertRow(row);
  for (int column = 0; column < kColumnCount; ++column) {
    auto* item = new QTableWidgetItem;
    if (column != kName) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    list_->setItem(row, column, item);
  }
  list_->item(row, kName)->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(&layer)));
  ShowRow(row);
}

void LayerDialog::ShowRow(int row) {
  const FcLayer* layer = LayerOfRow(row);
  if (layer == nullptr) return;
  const bool wasFilling = filling_;
  filling_ = true;
  list_->item(row, kName)->setText(Text(layer->GetName()));
  for (int column : {kOn, kFrozen, kLocked, kPrint}) {
    list_->item(row, column)->setIcon(SwitchIcon(column, SwitchOf(*layer, column)));
    list_->item(row, column)->setData(Qt::UserRole, SwitchOf(*layer, column));
  }
  list_->item(row, kColor)->setIcon(ColorSwatch(layer->GetColor()));
  list_->item(row, kColor)->setText(Text(CLayerSetDlg::ColorText(layer->GetColor())));
  list_->item(row, kLinetype)->setText(Text(data_.LinetypeName(layer->GetLinetypeHandle())));
  filling_ = wasFilling;
}

void LayerDialog::FillColors() {
  colors_->clear();
  for (const CLayerSetDlg::ColorChoice& choice : data_.ColorChoices()) {
    if (choice.color == CLayerSetDlg::kOtherColors) {
      colors_->addItem(Text(choice.text), choice.color);
    } else {
      colors_->addItem(ColorSwatch(choice.color), Text(choice.text), choice.color);
    }
  }
}

void LayerDialog::FillLinetypes() {
  linetypes_->clear();
  for (const CLayerSetDlg::LinetypeChoice& choice : data_.LinetypeChoices())
    linetypes_->addItem(Text(choice.name), QVariant::fromValue<qulonglong>(choice.handle));
}

void LayerDialog::ShowDetails() {
  const FcLayer* layer = data_.DetailLayer();
  const bool selected = SelectedLayer() != nullptr;
  filling_ = true;
  if (layer != nullptr) {
    name_->setText(Text(layer->GetName()));
    colors_->setCurrentText(Text(CLayerSetDlg::ColorText(layer->GetColor())));
    linetypes_->setCurrentText(Text(data_.LinetypeName(layer->GetLinetypeHandle())));
    on_->setChecked(layer->IsOn());
    frozen_->setChecked(layer->IsFrozen());
    locked_->setChecked(layer->IsLocked());
    print_->setChecked(layer->IsPlottable());
  }
  filling_ = false;
  for (QWidget* widget : std::initializer_list<QWidget*>{on_, frozen_, locked_, print_, colors_, linetypes_})
    widget->setEnabled(selected);
  findChild<QPushButton*>(QStringLiteral("delete"))->setEnabled(selected);
  name_->setEnabled(selected && !CLayerSetDlg::IsLayerZero(*SelectedLayer()));
}

void LayerDialog::Refuse(const std::string& message) {
  if (!message.empty()) QMessageBox::information(this, windowTitle(), Text(message));
}

void LayerDialog::OnCellClicked(int row, int column) {
  FcLayer* layer = LayerOfRow(row);
  if (layer == nullptr || column == kName) return;
  switch (column) {
    case kOn:
      Refuse(data_.SetOn(*layer, !layer->IsOn()));
      break;
    case kFrozen:
      Refuse(data_.SetFrozen(*layer, !layer->IsFrozen()));
      break;
    case kLocked:
      Refuse(data_.SetLocked(*layer, !layer->IsLocked()));
      break;
    case kPrint:
      data_.SetPlottable(*layer, !layer->IsPlottable());
      break;
    case kColor: {
      short color = layer->GetColor();
      if (!AskColor(color)) return;
      data_.SetColor(*layer, color);
      FillColors();
      break;
    }
    default: {
      CLinetypeSelDlg chooser;
      chooser.m_pTable = &data_.m_linetypes;
      chooser.m_hLinetype = layer->GetLinetypeHandle();
      LinetypeSelectDialog dialog(chooser, this);
      if (dialog.exec() != QDialog::Accepted) return;
      // The chooser may have loaded linetypes.
      FillLinetypes();
      data_.SetLinetype(*layer, chooser.m_hLinetype);
    }
  }
  ShowRow(row);
  list_->selectRow(row);
  data_.ShowDetails(layer);
  ShowDetails();
}

void LayerDialog::OnNameEdited(int row, int column) {
  if (filling_ || column != kName) return;
  FcLayer* layer = LayerOfRow(row);
  if (layer == nullptr) return;
  const QString text = list_->item(row, kName)->text();
  const std::string refusal = text.isEmpty() ? std::string() : data_.Rename(*layer, text.toStdString());
  ShowRow(row);
  ShowDetails();
  Refuse(refusal);
  if (refusal == CLayerSetDlg::kDuplicateName) list_->editItem(list_->item(row, kName));
}

void LayerDialog::OnNew() {
  FcLayer* layer = data_.NewLayer();
  AddRow(*layer);
  const int row = list_->rowCount() - 1;
  list_->selectRow(row);
  list_->setFocus();
  list_->editItem(list_->item(row, kName));
}

void LayerDialog::OnCurrent() {
  FcLayer* layer = SelectedLayer();
  if (layer == nullptr) return;
  Refuse(data_.MakeCurrent(*layer));
  currentLabel_->setText(Text(data_.CurrentLabel()));
}

void LayerDialog::OnDelete() {
  FcLayer* layer = SelectedLayer();
  if (layer == nullptr) return;
  const std::string refusal = data_.Delete(*layer);
  if (!refusal.empty()) {
    Refuse(refusal);
    return;
  }
  list_->removeRow(SelectedRow());
  list_->clearSelection();
  ShowDetails();
}

void LayerDialog::OnDetailsName() {
  FcLayer* layer = SelectedLayer();
  if (layer == nullptr || name_->text().toStdString() == layer->GetName()) return;
  const std::string refusal = data_.Rename(*layer, name_->text().toStdString());
  if (!refusal.empty()) {
    name_->setText(Text(layer->GetName()));
    Refuse(refusal);
    name_->setFocus();
    return;
  }
  ShowRow(SelectedRow());
}

void LayerDialog::OnDetailsSwitch() {
  FcLayer* layer = SelectedLayer();
  if (layer == nullptr || filling_) return;
  Refuse(data_.SetOn(*layer, on_->isChecked()));
  Refuse(data_.SetFrozen(*layer, frozen_->isChecked()));
  if (locked_->isChecked() != layer->IsLocked()) Refuse(data_.SetLocked(*layer, locked_->isChecked()));
  data_.SetPlottable(*layer, print_->isChecked());
  ShowRow(SelectedRow());
  ShowDetails();
}

void LayerDialog::OnDetailsColor(int index) {
  FcLayer* layer = SelectedLayer();
  if (layer == nullptr) return;
  short color = static_cast<short>(colors_->itemData(index).toInt());
  if (color == CLayerSetDlg::kOtherColors) {
    color = layer->GetColor();
    if (!AskColor(color)) color = layer->GetColor();
  }
  data_.SetColor(*layer, color);
  FillColors();
  ShowRow(SelectedRow());
  ShowDetails();
}

void LayerDialog::OnDetailsLinetype(int index) {
  FcLayer* layer = SelectedLayer();
  if (layer == nullptr) return;
  data_.SetLinetype(*layer, linetypes_->itemData(index).toULongLong());
  ShowRow(SelectedRow());
}

bool LayerDialog::AskColor(short& color) {
  bool ok = false;
  const int chosen =
      QInputDialog::getInt(this, QStringLiteral("Select Color"), QStringLiteral("Color (1-255)"), color, 1, 255, 1, &ok);
  if (ok) color = static_cast<short>(chosen);
  return ok;
}
