#include "dialogs/option_sheet.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

#include "dialogs/color_combo_box.h"
#include "dialogs/color_swatches.h"
#include "dialogs/number_box.h"
#include "dialogs/property_list.h"

namespace {

constexpr int kSampleSide = 2 * kMaxMarkerSize + 8;

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QSpinBox* NumberSpin(const char* name, int low, int high, int value, QWidget* parent) {
  auto* spin = Named(new QSpinBox(parent), name);
  spin->setRange(low, high);
  spin->setValue(std::clamp(value, low, high));
  return spin;
}

QSlider* SizeSlider(const char* name, int high, int step, int value, QWidget* parent) {
  auto* slider = Named(new QSlider(Qt::Horizontal, parent), name);
  slider->setRange(1, high);
  slider->setPageStep(step);
  slider->setTickInterval(step);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setValue(value);
  return slider;
}

// Opens the system's colour chooser on a stored RGB; after OK keeps the choice.
void ChooseRgb(std::uint32_t& rgb, QWidget* parent) {
  const QColor chosen = QColorDialog::getColor(FromStoredRgb(rgb), parent);
  if (chosen.isValid()) rgb = ToStoredRgb(chosen);
}

QFont CommandLineFont(const CommandLineWindowSettings& window) {
  QFont font(QString::fromStdString(window.font_name));
  if (window.font_height != 0) font.setPixelSize(std::abs(window.font_height));
  font.setItalic(window.font_italic != 0);
  return font;
}

void TakeFont(const QFont& font, CommandLineWindowSettings& window) {
  window.font_name = font.family().toStdString().substr(0, kMaxFontNameLength);
  // A height in pixels, negative as the store keeps character heights.
  const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
  window.font_height = -pixels;
  window.font_weight = font.weight();
  window.font_italic = font.italic() ? 1 : 0;
}

// A colour list of the draft and grip pages under its label.
ColorComboBox* LabelledColors(const char* name, const char* label, int color, QWidget* page, QVBoxLayout* layout) {
  layout->addWidget(new QLabel(QString::fromLatin1(label), page));
  auto* colors = Named(new ColorComboBox(color, false, page), name);
  layout->addWidget(colors);
  return colors;
}

}  // namespace

MarkerSample::MarkerSample(int halfSide, QWidget* parent) : QWidget(parent), halfSide_(halfSide) {
  setFixedSize(kSampleSide, kSampleSide);
}

void MarkerSample::SetHalfSide(int halfSide) {
  halfSide_ = halfSide;
  update();
}

void MarkerSample::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  painter.setPen(QPen(palette().color(QPalette::ButtonText), 0));
  const QPoint centre = rect().center();
  painter.drawRect(centre.x() - halfSide_, centre.y() - halfSide_, 2 * halfSide_, 2 * halfSide_);
}

OptionSheet::OptionSheet(COptionDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QString::fromStdString(data_.m_strCaption));
  auto* layout = new QVBoxLayout(this);
  tabs_ = Named(new QTabWidget(this), "pages");
  tabs_->addTab(SystemPage(), QStringLiteral("System"));
  tabs_->addTab(DisplayPage(), QStringLiteral("Display"));
  tabs_->addTab(DraftPage(), QStringLiteral("Draft"));
  tabs_->addTab(GripPage(), QStringLiteral("Grip points"));
  if (data_.m_bToolBarPage) tabs_->addTab(ToolbarPage(), QStringLiteral("Tool bars"));
  tabs_->setCurrentIndex(std::clamp(data_.m_nFirstPage, 0, tabs_->count() - 1));
  layout->addWidget(tabs_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  SetEnabling();
}

QWidget* OptionSheet::SystemPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel(QStringLiteral("Support Path"), page));
  paths_ = Named(new QListWidget(page), "supportPaths");
  paths_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (const std::string& path : data_.m_supportPaths) paths_->addItem(QString::fromStdString(path));
  layout->addWidget(paths_);
  auto* pathButtons = new QHBoxLayout;
  auto* add = Named(new QPushButton(QStringLiteral("Add"), page), "addPath");
  deletePath_ = Named(new QPushButton(QStringLiteral("Delete"), page), "deletePath");
  pathButtons->addWidget(add);
  pathButtons->addWidget(deletePath_);
  layout->addLayout(pathButtons);
  connect(paths_, &QListWidget::itemSelectionChanged, this, &OptionSheet::SetEnabling);
  connect(add, &QPushButton::clicked, this, [this] {
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Select support path"));
    if (!folder.isEmpty()) paths_->addItem(folder);
  });
  connect(deletePath_, &QPushButton::clicked, this, [this] { qDeleteAll(paths_->selectedItems()); });

  layout->addWidget(new QLabel(QStringLiteral("Automatic Save"), page));
  auto* saveRow = new QHBoxLayout;
  autoSave_ = Named(new QCheckBox(QStringLiteral("Every"), page), "autoSave");
  autoSave_->setChecked(data_.m_bAutoSave);
  minutes_ = NumberSpin("saveMinutes", 0, kMaxSaveMinutes, data_.m_nSaveMinutes, page);
  saveRow->addWidget(autoSave_);
  saveRow->addWidget(minutes_);
  saveRow->addWidget(new QLabel(QStringLiteral("minutes"), page));
  layout->addLayout(saveRow);
  connect(autoSave_, &QCheckBox::toggled, this, &OptionSheet::SetEnabling);

  backup_ = Named(new QCheckBox(QStringLiteral("Create backup file when save drawing file"), page), "backup");
  backup_->setChecked(data_.m_bBackup);
  layout->addWidget(backup_);

  layout->addWidget(new QLabel(QStringLiteral("Template drawing file"), page));
  auto* templateRow = new QHBoxLayout;
  template_ = Named(new QLineEdit(QString::fromStdString(data_.m_strTemplateFile), page), "templateFile");
  auto* browse = new QPushButton(QStringLiteral("..."), page);
  templateRow->addWidget(template_);
  templateRow->addWidget(browse);
  layout->addLayout(templateRow);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString chosen = QFileDialog::getOpenFileName(this, QString(), template_->text(),
                                                        QStringLiteral("Drawing file (*.dwg);;DXF file (*.dxf)"));
    if (!chosen.isEmpty()) template_->setText(chosen);
  });
  return page;
}

QWidget* OptionSheet::DisplayPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout(page);
  background_ = Named(new ColorComboBox(data_.m_nBackgroundColor, true, page), "backgroundColor");
  form->addRow(QStringLiteral("&Background color"), background_);
  cursorColor_ = Named(new ColorComboBox(data_.m_nCursorColor, true, page), "cursorColor");
  form->addRow(QStringLiteral("&Crosshair color"), cursorColor_);

  auto* sizeRow = new QHBoxLayout;
  cursorSize_ = NumberSpin("cursorSize", 1, kMaxCursorSize, data_.m_nCursorSize, page);
  QSlider* slider = SizeSlider("cursorSlider", kMaxCursorSize, 10, cursorSize_->value(), page);
  sizeRow->addWidget(cursorSize_);
  sizeRow->addWidget(slider);
  form->addRow(QStringLiteral("Crosshair &size"), sizeRow);
  connect(slider, &QSlider::valueChanged, cursorSize_, &QSpinBox::setValue);
  connect(cursorSize_, &QSpinBox::valueChanged, slider, &QSlider::setValue);

  thickness_ = Named(new QComboBox(page), "cursorThickness");
  thickness_->addItems({QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("5")});
  thickness_->setCurrentIndex(data_.m_nThicknessChoice);
  form->addRow(QStringLiteral("Crosshair &thickness"), thickness_);

  lines_ = NumberSpin("commandLines", 1, kMaxCommandBarLines, data_.m_nCmdLines, page);
  form->addRow(QStringLiteral("&Line number of command bar"), lines_);
  auto* commandRow = new QHBoxLayout;
  auto* fonts = Named(new QPushButton(QStringLiteral("&Fonts..."), page), "fonts");
  auto* back = Named(new QPushButton(QStringLiteral("Bac&kground color"), page), "commandBack");
  auto* text = Named(new QPushButton(QStringLiteral("T&ext Color"), page), "commandText");
  for (QPushButton* button : {fonts, back, text}) commandRow->addWidget(button);
  form->addRow(QStringLiteral("Command bar"), commandRow);
  connect(fonts, &QPushButton::clicked, this, [this] {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, CommandLineFont(data_.m_cmdWindow), this);
    if (ok) TakeFont(font, data_.m_cmdWindow);
  });
  connect(back, &QPushButton::clicked, this, [this] { ChooseRgb(data_.m_cmdWindow.back_color, this); });
  connect(text, &QPushButton::clicked, this, [this] { ChooseRgb(data_.m_cmdWindow.text_color, this); });
  return page;
}

QSlider* OptionSheet::MarkerSlider(const char* name, const char* label, int value, QWidget* page,
                                   QVBoxLayout* layout) {
  layout->addWidget(new QLabel(QString::fromLatin1(label), page));
  auto* row = new QHBoxLayout;
  QSlider* slider = SizeSlider(name, kMaxMarkerSize, 5, value, page);
  auto* sample = new MarkerSample(slider->value(), page);
  sample->setObjectName(QString::fromLatin1(name) + QStringLiteral("Sample"));
  row->addWidget(slider, 1);
  row->addWidget(sample);
  layout->addLayout(row);
  connect(slider, &QSlider::valueChanged, sample, &MarkerSample::SetHalfSide);
  return slider;
}

QWidget* OptionSheet::DraftPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  snapBox_ = Named(new QCheckBox(QStringLiteral("Show object snap box"), page), "snapBox");
  snapBox_->setChecked(data_.m_bSnapBox);
  layout->addWidget(snapBox_);
  snapColor_ = LabelledColors("snapColor", "Color of object snap marker", data_.m_nSnapColor, page, layout);
  markerSize_ = MarkerSlider("markerSize", "Object snap marker size", data_.m_nSnapMarkerSize, page, layout);
  snapBoxSize_ = MarkerSlider("snapBoxSize", "Object snap box size", data_.m_nSnapBoxSize, page, layout);
  return page;
}

QWidget* OptionSheet::GripPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  gripColor_ = LabelledColors("gripColor", "Color of unselected grip points", data_.m_nGripColor, page, layout);
  gripHot_ = LabelledColors("gripHotColor", "Color of selected grip points", data_.m_nGripHotColor, page, layout);
  pickBoxSize_ = MarkerSlider("pickBoxSize", "Pick box size", data_.m_nPickBoxSize, page, layout);
  gripSize_ = MarkerSlider("gripSize", "Grip point size", data_.m_nGripSize, page, layout);
  return page;
}

QWidget* OptionSheet::ToolbarPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(5, 5, 5, 5);
  toolbars_ = Named(new CPropertyList(page), "toolbars");
  CPropertyRows rows;
  data_.FillToolbarRows(rows);
  toolbars_->SetRows(std::move(rows));
  toolbars_->SetNameShare(0.7);
  layout->addWidget(toolbars_);
  bigIcons_ = Named(new QCheckBox(QStringLiteral("&Big icon tool bar"), page), "bigIcons");
  bigIcons_->setChecked(data_.m_bBigIcons);
  layout->addWidget(bigIcons_);
  return page;
}

void OptionSheet::SetEnabling() {
  minutes_->setEnabled(autoSave_->isChecked());
  deletePath_->setEnabled(!paths_->selectedItems().isEmpty());
}

void OptionSheet::Take() {
  data_.m_supportPaths.clear();
  for (int i = 0; i < paths_->count(); ++i) data_.m_supportPaths.push_back(paths_->item(i)->text().toStdString());
  data_.m_bAutoSave = autoSave_->isChecked();
  data_.m_nSaveMinutes = minutes_->value();
  data_.m_bBackup = backup_->isChecked();
  data_.m_strTemplateFile = template_->text().toStdString();

  data_.m_nBackgroundColor = background_->Color();
  data_.m_nCursorColor = cursorColor_->Color();
  data_.m_nCursorSize = cursorSize_->value();
  data_.m_nThicknessChoice = thickness_->currentIndex();
  data_.m_nCmdLines = lines_->value();

  data_.m_bSnapBox = snapBox_->isChecked();
  data_.m_nSnapColor = snapColor_->Color();
  data_.m_nSnapMarkerSize = markerSize_->value();
  data_.m_nSnapBoxSize = snapBoxSize_->value();

  data_.m_nGripColor = gripColor_->Color();
  data_.m_nGripHotColor = gripHot_->Color();
  data_.m_nPickBoxSize = pickBoxSize_->value();
  data_.m_nGripSize = gripSize_->value();

  if (toolbars_ == nullptr) return;
  data_.TakeToolbarRows(toolbars_->Rows());
  data_.m_bBigIcons = bigIcons_->isChecked();
}

void OptionSheet::done(int result) {
  if (result != QDialog::Accepted) {
    QDialog::done(result);
    return;
  }
  Take();
  if (std::optional<std::string> refusal = data_.Refusal()) {
    ShowRefusal(this, QString::fromStdString(*refusal));
    return;
  }
  QDialog::done(result);
}
