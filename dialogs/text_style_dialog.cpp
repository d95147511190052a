#include "dialogs/text_style_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/dialogs/text_style_dlg.h"
#include "core/value_format.h"
#include "core/value_parse.h"
#include "database/text_style.h"

namespace {

constexpr int kShxEntry = 0;
constexpr int kTrueTypeEntry = 1;

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The two kinds of font entries: a stroke "A" for a shape font, a filled
// "T" for a TrueType face.
QIcon KindIcon(int kind) {
  QPixmap pixmap(13, 13);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(kind == kShxEntry ? Qt::darkBlue : Qt::darkRed);
  QFont font = painter.font();
  font.setPixelSize(12);
  font.setBold(kind == kTrueTypeEntry);
  painter.setFont(font);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, kind == kShxEntry ? QStringLiteral("A") : QStringLiteral("T"));
  return QIcon(pixmap);
}

QLineEdit* NumberBox(double value, const char* name, QWidget* parent) {
  auto* box = new QLineEdit(Text(FormatDecimal(4, value)), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

void SelectText(QComboBox& list, const std::string& text) {
  list.setCurrentIndex(text.empty() ? -1 : list.findText(Text(text), Qt::MatchFixedString));
}

}  // namespace

TextStyleDialog::TextStyleDialog(CTextStyleDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Text Style"));
  auto* layout = new QVBoxLayout(this);

  auto* names = new QGroupBox(QStringLiteral("&Style Name"), this);
  auto* namesRow = new QHBoxLayout(names);
  styles_ = new QComboBox(names);
  styles_->setObjectName(QStringLiteral("styles"));
  auto* newButton = new QPushButton(QStringLiteral("&New..."), names);
  auto* rename = new QPushButton(QStringLiteral("&Rename..."), names);
  namesRow->addWidget(styles_, 1);
  namesRow->addWidget(newButton);
  namesRow->addWidget(rename);
  layout->addWidget(names);

  auto* font = new QGroupBox(QStringLiteral("Font"), this);
  auto* fontForm = new QFormLayout(font);
  fonts_ = new QComboBox(font);
  fonts_->setObjectName(QStringLiteral("fonts"));
  bigFonts_ = new QComboBox(font);
  bigFonts_->setObjectName(QStringLiteral("bigFonts"));
  height_ = NumberBox(data_.m_dHeight, "height", font);
  useBigFont_ = new QCheckBox(QStringLiteral("&Use big font"), font);
  useBigFont_->setObjectName(QStringLiteral("useBigFont"));
  fontForm->addRow(QStringLiteral("&Font Name"), fonts_);
  fontForm->addRow(QStringLiteral("&Big Font Name"), bigFonts_);
  fontForm->addRow(QStringLiteral("&Height"), height_);
  fontForm->addRow(useBigFont_);
  layout->addWidget(font);

  auto* effect = new QGroupBox(QStringLiteral("Effect"), this);
  auto* effectForm = new QFormLayout(effect);
  upsideDown_ = new QCheckBox(QStringLiteral("&Upside down"), effect);
  backward_ = new QCheckBox(QStringLiteral("&Back ward"), effect);
  widthFactor_ = NumberBox(data_.m_dWidthFactor, "widthFactor", effect);
  oblique_ = NumberBox(data_.m_dOblique, "oblique", effect);
  effectForm->addRow(upsideDown_);
  effectForm->addRow(backward_);
  effectForm->addRow(QStringLiteral("&Width Factor"), widthFactor_);
  effectForm->addRow(QStringLiteral("&Oblique Angle"), oblique_);
  layout->addWidget(effect);

  auto* buttons = new QDialogButtonBox(this);
  apply_ = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::ApplyRole);
  apply_->setObjectName(QStringLiteral("apply"));
  QPushButton* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::AcceptRole);
  close->setAutoDefault(false);
  layout->addWidget(buttons);

  for (const std::string& name : data_.m_bigFonts) bigFonts_->addItem(Text(name), kShxEntry);
  bigFonts_->model()->sort(0);
  FillStyles();
  FillFonts(false);
  ShowStyle();

  const auto edited = [this] {
    if (showing_) return;
    apply_->setEnabled(true);
    ApplyEnabling();
  };
  connect(fonts_, &QComboBox::currentIndexChanged, this, edited);
  connect(bigFonts_, &QComboBox::currentIndexChanged, this, [this] {
    if (!showing_) apply_->setEnabled(true);
  });
  for (QCheckBox* box : {upsideDown_, backward_}) connect(box, &QCheckBox::toggled, this, edited);
  for (QLineEdit* box : {height_, widthFactor_, oblique_}) connect(box, &QLineEdit::textEdited, this, edited);
  connect(useBigFont_, &QCheckBox::clicked, this, [this](bool on) {
    const QString selected = fonts_->currentText();
    FillFonts(on);
    fonts_->setCurrentIndex(fonts_->findText(selected, Qt::MatchFixedString));
    data_.m_bModified = true;
    apply_->setEnabled(true);
    ApplyEnabling();
  });
  connect(styles_, &QComboBox::currentIndexChanged, this, [this] {
    if (showing_) return;
    data_.ShowStyle(styles_->currentText().toStdString());
    ShowStyle();
  });
  connect(newButton, &QPushButton::clicked, this, &TextStyleDialog::OnNew);
  connect(rename, &QPushButton::clicked, this, &TextStyleDialog::OnRename);
  connect(apply_, &QPushButton::clicked, this, &TextStyleDialog::OnApply);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void TextStyleDialog::FillStyles() {
  const bool wasShowing = showing_;
  showing_ = true;
  styles_->clear();
  for (const auto& style : data_.Styles()) styles_->addItem(Text(style->GetName()));
  showing_ = wasShowing;
}

void TextStyleDialog::FillFonts(bool shxOnly) {
  const bool wasShowing = showing_;
  showing_ = true;
  fonts_->clear();
  for (const std::string& name : data_.m_shxFonts) fonts_->addItem(KindIcon(kShxEntry), Text(name), kShxEntry);
  if (!shxOnly)
    for (const std::string& face : data_.m_ttFaces) fonts_->addItem(KindIcon(kTrueTypeEntry), Text(face), kTrueTypeEntry);
  fonts_->model()->sort(0);
  showing_ = wasShowing;
}

void TextStyleDialog::ShowStyle() {
  const FcTextStyle* style = data_.ShownStyle();
  if (style == nullptr) return;
  showing_ = true;
  styles_->setCurrentIndex(styles_->findText(Text(style->GetName()), Qt::MatchFixedString | Qt::MatchCaseSensitive));
  SelectText(*fonts_, data_.m_strFont);
  SelectText(*bigFonts_, data_.m_strBigFont);
  useBigFont_->setChecked(data_.m_bUseBigFont);
  height_->setText(Text(FormatDecimal(4, data_.m_dHeight)));
  widthFactor_->setText(Text(FormatDecimal(4, data_.m_dWidthFactor)));
  oblique_->setText(Text(FormatDecimal(4, data_.m_dOblique)));
  upsideDown_->setChecked(data_.m_bUpsideDown);
  backward_->setChecked(data_.m_bBackward);
  showing_ = false;
  apply_->setEnabled(false);
  ApplyEnabling();
}

void TextStyleDialog::ApplyEnabling() {
  const bool shx = fonts_->currentIndex() >= 0 && fonts_->currentData().toInt() == kShxEntry;
  useBigFont_->setEnabled(shx);
  if (!shx) useBigFont_->setChecked(false);
  bigFonts_->setEnabled(useBigFont_->isChecked());
}

void TextStyleDialog::Refuse(const std::string& message) {
  if (!message.empty()) QMessageBox::information(this, windowTitle(), Text(message));
}

void TextStyleDialog::OnNew() {
  bool ok = false;
  const QString name = QInputDialog::getText(this, QStringLiteral("Text style name"), QStringLiteral("New text styel"),
                                             QLineEdit::Normal, Text(data_.ProposedName()), &ok);
  if (!ok) return;
  Refuse(data_.NewStyle(name.toStdString()));
  FillStyles();
  ShowStyle();
}

void TextStyleDialog::OnRename() {
  const FcTextStyle* style = data_.ShownStyle();
  if (style == nullptr) return;
  if (EqualsNoCase(style->GetName(), "standard")) {
    Refuse(data_.Rename({}));
    return;
  }
  bool ok = false;
  const QString name = QInputDialog::getText(this, QStringLiteral("Text style name"),
                                             QStringLiteral("Rename text styel"), QLineEdit::Normal,
                                             Text(style->GetName()), &ok);
  if (!ok) return;
  Refuse(data_.Rename(name.toStdString()));
  FillStyles();
  ShowStyle();
}

void TextStyleDialog::OnApply() {
  double height = 0.0;
  double width = 0.0;
  double oblique = 0.0;
  if (!ParseReal(height_->text().toStdString(), height) || !ParseReal(widthFactor_->text().toStdString(), width) ||
      !ParseReal(oblique_->text().toStdString(), oblique)) {
    Refuse("Please enter a number.");
    return;
  }
  data_.m_strFont = fonts_->currentText().toStdString();
  data_.m_bUseBigFont = useBigFont_->isChecked();
  data_.m_strBigFont = bigFonts_->currentText().toStdString();
  data_.m_dHeight = height;
  data_.m_dWidthFactor = width;
  data_.m_dOblique = oblique;
  data_.m_bUpsideDown = upsideDown_->isChecked();
  data_.m_bBackward = backward_->isChecked();
  data_.Apply();
  apply_->setEnabled(false);
}
