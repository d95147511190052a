#include "dialogs/property_list.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include "dialogs/color_swatches.h"

namespace {

constexpr int kTextInset = 3;
constexpr int kSplitterGrip = 5;
// The splitter stays this far inside the grid.
constexpr int kSplitterMargin = 10;
constexpr int kBrowseWidth = 20;
constexpr int kSpinWidth = 16;
constexpr int kDropDownHeight = 100;

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

}  // namespace

// Draws each row by its kind: the name in a framed button-face cell left of
// the splitter, the value right of it.
class CPropertyList::RowPainter : public QStyledItemDelegate {
 public:
  explicit RowPainter(CPropertyList* list) : QStyledItemDelegate(list), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return {option.rect.width(), kRowHeight};
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (!list_->rows_.Has(index.row())) return;
    const CPropertyItem& item = list_->rows_.Item(index.row());
    const QRect rect = option.rect;
    const QPalette& palette = option.palette;
    if (list_->splitter_ == 0) list_->splitter_ = rect.width() / 2;
    painter->save();
    if (item.kind == kPropertyButton) {
      QStyleOptionButton button;
      button.rect = rect;
      button.palette = palette;
      button.text = Text(item.name);
      button.state = QStyle::State_Enabled | (list_->pressedRow_ == index.row() ? QStyle::State_Sunken : QStyle::State_Raised);
      list_->style()->drawControl(QStyle::CE_PushButton, &button, painter, list_);
    } else if (item.kind == kPropertyHeading) {
      painter->fillRect(rect, QColor(230, 230, 230));
      painter->setPen(Qt::black);
      painter->drawText(rect, Qt::AlignCenter, Text(item.name));
    } else {
      PaintNameAndValue(*painter, item, rect, palette);
    }
    painter->restore();
  }

 private:
  void PaintNameAndValue(QPainter& painter, const CPropertyItem& item, const QRect& rect,
                         const QPalette& palette) const {
    const int splitter = list_->splitter_;
    const QRect name(rect.left(), rect.top(), splitter - 1 - rect.left(), rect.height());
    painter.fillRect(name, palette.color(QPalette::Button));
    qDrawShadeRect(&painter, name, palette, false, 1);
    painter.setPen(palette.color(QPalette::Mid));
    painter.drawLine(splitter, rect.bottom(), rect.right(), rect.bottom());
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawText(name.adjusted(kTextInset, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, Text(item.name));

    QRect value(splitter + kTextInset, rect.top(), rect.right() - splitter - kTextInset, rect.height());
    QColor ink = palette.color(QPalette::Text);
    if (item.kind == kPropertyReadOnly) ink = palette.color(QPalette::Disabled, QPalette::Text);
    if (item.kind == kPropertyColorIndex) {
      const int side = rect.height() - 4;
      const QRect swatch(value.left(), rect.top() + 2, side, side);
      painter.fillRect(swatch, IndexQColor(item.number));
      painter.setPen(Qt::black);
      painter.drawRect(swatch.adjusted(0, 0, -1, -1));
      value.setLeft(swatch.right() + 1 + kTextInset);
    }
    if (item.kind == kPropertyRaised) {
      const QRect box(splitter, rect.top(), rect.right() - splitter, rect.height());
      qDrawShadePanel(&painter, box, palette, false, 1, &palette.brush(QPalette::Button));
    }
    painter.setPen(ink);
    painter.drawText(value, Qt::AlignVCenter | Qt::AlignLeft, Text(item.value));
  }

  CPropertyList* list_;
};

CPropertyList::CPropertyList(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new RowPainter(this));
  setSortingEnabled(false);
  setUniformItemSizes(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setMouseTracking(true);
  connect(this, &QListWidget::currentRowChanged, this, [this] { OnSelChange(); });
  // Scrolled editors would sit over the wrong row.
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { HideEditors(); });
}

int CPropertyList::AddItem(const std::string& name, const std::string& value, int kind, const std::string& options) {
  const int row = rows_.AddItem(name, value, kind, options);
  addItem(QString());
  return row;
}

void CPropertyList::SetRows(CPropertyRows rows) {
  HideEditors();
  clear();
  rows_ = std::move(rows);
  for (int row = 0; row < rows_.Count(); ++row) addItem(QString());
}

void CPropertyList::SetNameShare(double share) {
  nameShare_ = share;
  SetSplitter(static_cast<int>(viewport()->width() * share));
}

void CPropertyList::resizeEvent(QResizeEvent* event) {
  QListWidget::resizeEvent(event);
  if (nameShare_ > 0) SetSplitter(static_cast<int>(viewport()->width() * nameShare_));
}

void CPropertyList::SetSplitter(int x) {
  splitter_ = x;
  HideEditors();
  viewport()->update();
}

bool CPropertyList::HasFocusWithin() const {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr && (focus == this || isAncestorOf(focus));
}

void CPropertyList::Watch(QWidget* editor) {
  editor->hide();
  editor->installEventFilter(this);
}

QComboBox* CPropertyList::Choice() {
  if (choice_ != nullptr) return choice_;
  choice_ = Named(new QComboBox(viewport()), "propertyChoice");
  Watch(choice_);
  connect(choice_, &QComboBox::currentIndexChanged, this, &CPropertyList::OnChoice);
  return choice_;
}

QLineEdit* CPropertyList::Edit() {
  if (edit_ != nullptr) return edit_;
  edit_ = Named(new QLineEdit(viewport()), "propertyEdit");
  edit_->setFrame(false);
  Watch(edit_);
  return edit_;
}

QWidget* CPropertyList::Spin() {
  if (spin_ != nullptr) return spin_;
  spin_ = Named(new QWidget(viewport()), "propertySpin");
  auto* layout = new QVBoxLayout(spin_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  const struct {
    const char* name;
    Qt::ArrowType arrow;
    int delta;
  } arrows[] = {{"up", Qt::UpArrow, 1}, {"down", Qt::DownArrow, -1}};
  for (const auto& arrow : arrows) {
    auto* button = Named(new QToolButton(spin_), arrow.name);
    button->setArrowType(arrow.arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, delta = arrow.delta] { OnStep(delta); });
  }
  Watch(spin_);
  return spin_;
}

QPushButton* CPropertyList::Browse() {
  if (browse_ != nullptr) return browse_;
  browse_ = Named(new QPushButton(QStringLiteral("..."), viewport()), "propertyBrowse");
  Watch(browse_);
  connect(browse_, &QPushButton::clicked, this, &CPropertyList::OnBrowse);
  return browse_;
}

void CPropertyList::HideEditors() {
  for (QWidget* editor : {static_cast<QWidget*>(choice_), static_cast<QWidget*>(edit_), spin_,
                          static_cast<QWidget*>(browse_)}) {
    if (editor != nullptr) editor->hide();
  }
}

QRect CPropertyList::ValueRect() const {
  QRect rect = visualItemRect(item(currentRow()));
  rect.setLeft(splitter_);
  return rect;
}

void CPropertyList::OnSelChange() {
  const int row = currentRow();
  // One editor at a time: the last row's loses what was typed into it.
  HideEditors();
  if (!rows_.Has(row)) return;
  const CPropertyItem& item = rows_.Item(row);
  const QRect rect = ValueRect();
  switch (EditorOfKind(item.kind)) {
    case PropertyEditor::kNone:
      return;
    case PropertyEditor::kChoice: {
      QComboBox* choice = Choice();
      filling_ = true;
      choice->clear();
      for (const std::string& entry : PropertyChoices(item.options)) choice->addItem(Text(entry));
      choice->setCurrentIndex(rows_.ChoiceIndex(row));
      filling_ = false;
      choice->setGeometry(rect);
      choice->setMaxVisibleItems(std::max(1, kDropDownHeight / kRowHeight));
      choice->show();
      choice->setFocus();
      return;
    }
    case PropertyEditor::kEdit:
    case PropertyEditor::kSpinEdit: {
      const bool spin = item.kind == kPropertyInteger;
      QLineEdit* edit = Edit();
      QRect box = rect.adjusted(0, 0, 0, -3);
      if (spin) {
        box.setRight(box.right() - kSpinWidth);
        Spin()->setGeometry(box.right() + 1, rect.top(), kSpinWidth, rect.height());
        spin_->show();
      }
      edit->setGeometry(box);
      edit->setMaxLength(textLimit_);
      edit->setText(Text(spin ? std::to_string(item.number) : item.value));
      edit->show();
      edit->setFocus();
      return;
    }
    case PropertyEditor::kBrowse: {
      const int width = std::min(kBrowseWidth, rect.width());
      Browse()->setGeometry(rect.right() + 1 - width, rect.top(), width, rect.height());
      browse_->show();
      browse_->setFocus();
      return;
    }
  }
}

void CPropertyList::TakeEdit() {
  const int row = currentRow();
  if (!rows_.Has(row)) return;
  const std::string text = edit_->text().toStdString();
  if (rows_.Item(row).kind != kPropertyInteger) {
    rows_.OfferText(row, text);
    return;
  }
  // A refused or malformed number puts the spin position back.
  rows_.OfferNumberText(row, text);
  edit_->setText(Text(std::to_string(rows_.Item(row).number)));
}

bool CPropertyList::OnKeyDown(int key) {
  if (!IsEnter(key) && key != Qt::Key_Escape) return false;
  if (IsEnter(key) && edit_ != nullptr && edit_->isVisible()) TakeEdit();
  HideEditors();
  setFocus();
  viewport()->update();
  if (closed_) closed_(key);
  return true;
}

void CPropertyList::OnChoice(int index) {
  if (filling_ || !rows_.Has(currentRow())) return;
  rows_.OfferChoice(currentRow(), index);
  viewport()->update();
}

void CPropertyList::OnStep(int delta) {
  const int row = currentRow();
  if (!rows_.Has(row)) return;
  rows_.Step(row, delta);
  if (edit_ != nullptr) edit_->setText(Text(std::to_string(rows_.Item(row).number)));
  viewport()->update();
}

void CPropertyList::OnBrowse() {
  const int row = currentRow();
  if (!rows_.Has(row)) return;
  const CPropertyItem& item = rows_.Item(row);
  switch (item.kind) {
    case kPropertyRgb: {
      const PropertyRgb rgb = RgbOfValue(item.value);
      const QColor chosen = QColorDialog::getColor(QColor(rgb.red, rgb.green, rgb.blue), this);
      if (chosen.isValid()) rows_.OfferText(row, RgbValueText({chosen.red(), chosen.green(), chosen.blue()}));
      break;
    }
    case kPropertyFont: {
      bool ok = false;
      const QFont font = QFontDialog::getFont(&ok, QFont(Text(item.value)), this);
      if (ok) rows_.OfferText(row, font.family().toStdString());
      break;
    }
    case kPropertyFile: {
      const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Select file"),
                                                        Text(PropertyFileFolder(item.value)),
                                                        QStringLiteral("Gif Files (*.gif)"));
      if (!path.isEmpty()) rows_.OfferText(row, path.toStdString());
      break;
    }
    case kPropertyAction:
    case kPropertyColorIndex:
      rows_.Notify(row, 0);
      break;
    default:
      break;
  }
  if (browse_ != nullptr) browse_->hide();
  viewport()->update();
}

bool CPropertyList::NearSplitter(int x) const { return std::abs(x - splitter_) <= kSplitterGrip; }

bool CPropertyList::IsButtonRow(int row) const { return rows_.Has(row) && rows_.Item(row).kind == kPropertyButton; }

void CPropertyList::mousePressEvent(QMouseEvent* event) {
  const int row = indexAt(event->position().toPoint()).row();
  const int x = event->position().toPoint().x();
  if (event->button() == Qt::LeftButton && IsButtonRow(row)) {
    pressedRow_ = row;
    viewport()->update();
  } else if (event->button() == Qt::LeftButton && NearSplitter(x)) {
    dragging_ = true;
    dragX_ = splitter_;
    HideEditors();
    viewport()->setCursor(Qt::SplitHCursor);
    return;
  }
  QListWidget::mousePressEvent(event);
}

void CPropertyList::mouseMoveEvent(QMouseEvent* event) {
  const int x = event->position().toPoint().x();
  if (dragging_) {
    dragX_ = std::clamp(x, kSplitterMargin, std::max(kSplitterMargin, viewport()->width() - kSplitterMargin));
    viewport()->update();
    return;
  }
  if (NearSplitter(x)) {
    viewport()->setCursor(Qt::SplitHCursor);
  } else {
    viewport()->unsetCursor();
  }
  QListWidget::mouseMoveEvent(event);
}

void CPropertyList::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (dragging_) {
    dragging_ = false;
    viewport()->unsetCursor();
    SetSplitter(std::clamp(at.x(), kSplitterMargin, std::max(kSplitterMargin, viewport()->width() - kSplitterMargin)));
    return;
  }
  if (pressedRow_ >= 0) {
    const int pressed = pressedRow_;
    pressedRow_ = -1;
    viewport()->update();
    if (indexAt(at).row() == pressed && at.x() >= 0 && at.x() < viewport()->width()) rows_.Notify(pressed, 1);
  }
  QListWidget::mouseReleaseEvent(event);
}

void CPropertyList::paintEvent(QPaintEvent* event) {
  QListWidget::paintEvent(event);
  if (!dragging_) return;
  QPainter painter(viewport());
  painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
  painter.drawLine(dragX_, 0, dragX_, viewport()->height());
}

void CPropertyList::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange && !isEnabled()) HideEditors();
  QListWidget::changeEvent(event);
}

bool CPropertyList::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (IsEnter(key) || key == Qt::Key_Escape) return OnKeyDown(key);
  }
  if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // The drop-down's own popup and a switch to another window keep it open;
    // typed text is not taken.
    if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
        (watched == choice_ || watched == edit_)) {
      static_cast<QWidget*>(watched)->hide();
      if (watched == edit_ && spin_ != nullptr) spin_->hide();
    }
  }
  return QListWidget::eventFilter(watched, event);
}
