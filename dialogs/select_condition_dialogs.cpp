#include "dialogs/select_condition_dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "commands/dialogs/color_sel_dlg.h"
#include "commands/dialogs/input_str_dlg.h"
#include "dialogs/color_swatches.h"
#include "dialogs/dialog_shows.h"
#include "dialogs/number_box.h"

namespace {

constexpr const char* kHeadings[] = {"Object type condition", "Layer condition", "Line type condition",
                                     "Color condition"};
constexpr const char* kAddFrames[] = {"Select object types", "Select layers", "Select object line types"};

QIcon ColorPicture(int color) {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  DrawColorSwatch(painter, QRect(0, 0, 15, 15), color, true);
  return QIcon(picture);
}

QPushButton* NewButton(const char* text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromLatin1(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

bool Agreed(QWidget* parent, const QString& question) {
  return QMessageBox::question(parent, parent->windowTitle(), question, QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

}  // namespace

SelectConditionDialog::SelectConditionDialog(CSelectConditionDlg& data, QWidget* parent)
    : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Object selecting condition"));
  data_.OnInitDialog();
  auto* layout = new QVBoxLayout(this);

  auto* saved = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Condi&tion"), this);
  conditions_ = new QComboBox(this);
  conditions_->setObjectName(QStringLiteral("conditions"));
  label->setBuddy(conditions_);
  remove_ = NewButton("&Remove", "remove", this);
  save_ = NewButton("&Save", "save", this);
  saved->addWidget(label);
  saved->addWidget(conditions_, 1);
  saved->addWidget(remove_);
  saved->addWidget(save_);
  layout->addLayout(saved);

  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("tabs"));
  for (const char* tab : {"Object type", "Layer", "Line type", "Color"}) tabs_->addTab(QString::fromLatin1(tab));
  layout->addWidget(tabs_);
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("list"));
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setColumnCount(1);
  list_->setColumnWidth(0, 700);
  layout->addWidget(list_);

  auto* edits = new QHBoxLayout;
  QPushButton* add = NewButton("&Add", "add", this);
  delete_ = NewButton("&Delete", "delete", this);
  clear_ = NewButton("&Clear", "clear", this);
  edits->addWidget(add);
  edits->addWidget(delete_);
  edits->addWidget(clear_);
  edits->addStretch();
  layout->addLayout(edits);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(buttons);

  FillConditions();
  ShowTab();
  connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
    data_.m_nTab = tab;
    ShowTab();
  });
  connect(list_, &QTreeWidget::itemSelectionChanged, this, &SelectConditionDialog::Enable);
  connect(conditions_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index < 0 || index == data_.m_nCondition) return Enable();
    data_.ChooseCondition(index);
    ShowTab();
  });
  connect(add, &QPushButton::clicked, this, &SelectConditionDialog::Add);
  connect(delete_, &QPushButton::clicked, this, &SelectConditionDialog::Delete);
  connect(clear_, &QPushButton::clicked, this, [this] {
    data_.ClearTab();
    ShowTab();
  });
  connect(remove_, &QPushButton::clicked, this, &SelectConditionDialog::Remove);
  connect(save_, &QPushButton::clicked, this, &SelectConditionDialog::Save);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SelectConditionDialog::ShowTab() {
  list_->clear();
  list_->setHeaderLabels({QString::fromLatin1(kHeadings[data_.m_nTab])});
  const std::vector<std::string> rows = data_.TabRows();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(rows[i])});
    if (data_.m_nTab != CSelectConditionDlg::kColors) continue;
    const int color = data_.m_filter.GetColors()[i];
    if (color >= 1 && color <= 255) item->setIcon(0, ColorPicture(color));
  }
  // The working condition may no longer be the saved one shown.
  conditions_->blockSignals(true);
  conditions_->setCurrentIndex(data_.m_nCondition);
  conditions_->blockSignals(false);
  Enable();
}

void SelectConditionDialog::FillConditions() {
  conditions_->blockSignals(true);
  conditions_->clear();
  for (const std::string& name : data_.m_conditions) conditions_->addItem(QString::fromStdString(name));
  conditions_->setCurrentIndex(data_.m_nCondition);
  conditions_->blockSignals(false);
}

void SelectConditionDialog::Enable() {
  clear_->setEnabled(list_->topLevelItemCount() > 0);
  delete_->setEnabled(!list_->selectedItems().isEmpty());
  remove_->setEnabled(data_.m_nCondition >= 0);
  save_->setEnabled(data_.CanSave());
}

void SelectConditionDialog::Add() {
  if (data_.m_nTab == CSelectConditionDlg::kColors) {
    CColorSelDlg colors;
    if (ShowModalDialog(colors, this) == CModalDialog::kOk && data_.AddColor(colors.m_nColor)) ShowTab();
    return;
  }
  CAddConditionDlg add;
  add.m_nKind = static_cast<short>(data_.m_nTab);
  add.m_pFilter = &data_.m_filter;
  add.m_pGraph = data_.m_pGraph;
  add.m_strFrameText = kAddFrames[data_.m_nTab];
  if (ShowModalDialog(add, this) != CModalDialog::kOk) return;
  data_.Added();
  ShowTab();
}

void SelectConditionDialog::Delete() {
  std::vector<int> rows;
  for (QTreeWidgetItem* item : list_->selectedItems()) rows.push_back(list_->indexOfTopLevelItem(item));
  data_.DeleteRows(rows);
  ShowTab();
}

void SelectConditionDialog::Remove() {
  if (data_.m_nCondition < 0) return;
  const QString name = QString::fromStdString(data_.m_conditions[data_.m_nCondition]);
  if (!Agreed(this, QStringLiteral("Do you want to delete the condition: \"%1\" ?").arg(name))) return;
  data_.RemoveCondition();
  FillConditions();
  Enable();
}

void SelectConditionDialog::Save() {
  CInputStrDlg ask;
  ask.m_strPrompt = "Input new condition name";
  if (ShowModalDialog(ask, this) != CModalDialog::kOk) return;
  CSelectConditionDlg::SaveResult result = data_.SaveCondition(ask.m_strText, false);
  if (result == CSelectConditionDlg::SaveResult::kAskOverwrite) {
    if (!Agreed(this, QStringLiteral("There already is a duplicate condition name! \nDo you want to overwrite it?")))
      return;
    result = data_.SaveCondition(ask.m_strText, true);
  }
  if (result == CSelectConditionDlg::SaveResult::kRefused)
    ShowRefusal(this, QStringLiteral("A condition name may be neither empty nor hold a slash or backslash."));
  if (result == CSelectConditionDlg::SaveResult::kFailed)
    ShowRefusal(this, QStringLiteral("The condition could not be saved."));
  FillConditions();
  Enable();
}

void SelectConditionDialog::accept() {
  data_.OnOK();
  QDialog::accept();
}

AddConditionDialog::AddConditionDialog(CAddConditionDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Add condition"));
  auto* layout = new QVBoxLayout(this);
  auto* frame = new QGroupBox(QString::fromStdString(data_.m_strFrameText), this);
  auto* inside = new QVBoxLayout(frame);
  list_ = new QTreeWidget(frame);
  list_->setObjectName(QStringLiteral("values"));
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::MultiSelection);
  list_->setHeaderLabels({QStringLiteral("Available Values")});
  list_->setColumnWidth(0, 450);
  const std::vector<std::string> values = data_.AvailableValues();
  for (std::size_t i = 0; i < values.size(); ++i) {
    auto* item = new QTreeWidgetItem(list_, {QString::fromStdString(values[i])});
    item->setData(0, Qt::UserRole, static_cast<int>(i));
  }
  list_->sortItems(0, Qt::AscendingOrder);
  inside->addWidget(list_);
  layout->addWidget(frame);

  auto* choices = new QHBoxLayout;
  QPushButton* all = NewButton("Select &All", "selectAll", this);
  QPushButton* none = NewButton("&Unselect All", "unselectAll", this);
  QPushButton* inverse = NewButton("&Inverse", "inverse", this);
  choices->addWidget(all);
  choices->addWidget(none);
  choices->addWidget(inverse);
  layout->addLayout(choices);
  connect(all, &QPushButton::clicked, list_, &QTreeWidget::selectAll);
  connect(none, &QPushButton::clicked, list_, &QTreeWidget::clearSelection);
  connect(inverse, &QPushButton::clicked, this, [this] {
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = list_->topLevelItem(i);
      item->setSelected(!item->isSelected());
    }
  });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void AddConditionDialog::accept() {
  std::vector<int> chosen;
  for (int i = 0; i < list_->topLevelItemCount(); ++i) {
    QTreeWidgetItem* item = list_->topLevelItem(i);
    if (item->isSelected()) chosen.push_back(item->data(0, Qt::UserRole).toInt());
  }
  done(data_.OnOK(chosen) ? QDialog::Accepted : QDialog::Rejected);
}
