#include "dialogs/tolerance_dialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <span>
#include <vector>

#include "dialogs/dialog_shows.h"
#include "dialogs/tolerance_pictures.h"

namespace {

using tolerance_symbol::kBlank;

QString Named(const char* stem, int row, int index = -1) {
  QString name = QString::fromLatin1(stem) + QString::number(row + 1);
  if (index >= 0) name += QLatin1Char('_') + QString::number(index + 1);
  return name;
}

// A group box spanning both rows, its column labels on top.
QGridLayout* NewGroup(const char* title, std::initializer_list<const char*> labels, QHBoxLayout* into,
                      QWidget* parent) {
  auto* group = new QGroupBox(QString::fromLatin1(title), parent);
  auto* grid = new QGridLayout(group);
  int column = 0;
  for (const char* label : labels) grid->addWidget(new QLabel(QString::fromLatin1(label), group), 0, column++);
  into->addWidget(group);
  return grid;
}

// The boxes of a picker in rows of five: the choices, then the blank; the
// current one inverted. A click ends the picker with the box's symbol.
void FillPicker(QDialog& picker, std::span<const int> choices, int current) {
  std::vector<int> symbols(choices.begin(), choices.end());
  symbols.push_back(kBlank);
  auto* grid = new QGridLayout(&picker);
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    const int symbol = symbols[i];
    QToolButton* box = NewPictureBox(QStringLiteral("choice%1").arg(i + 1), symbol, &picker);
    if (symbol == current) ShowPicture(box, symbol, true);
    QObject::connect(box, &QToolButton::clicked, &picker, [&picker, symbol] { picker.done(symbol); });
    grid->addWidget(box, static_cast<int>(i / 5), static_cast<int>(i % 5));
  }
}

bool EndsWithoutChoice(QDialog& picker, QKeyEvent* event) {
  const int key = event->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) return false;
  picker.reject();
  return true;
}

}  // namespace

TolEdtDialog::TolEdtDialog(CTolEdtDlg& data, QWidget* parent) : QDialog(parent), data_(data) {
  setWindowTitle(QStringLiteral("Geometric Tolerance"));
  data_.OnInitDialog();
  // The rows' last condition box moves the focus to the height entry.
  height_ = NewEntry(QStringLiteral("height"), data_.m_strHeight);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildRows());

  auto* below = new QGridLayout;
  below->addWidget(new QLabel(QStringLiteral("Height"), this), 0, 0);
  below->addWidget(height_, 0, 1);
  below->addWidget(new QLabel(QStringLiteral("Project Tolerance Zone"), this), 0, 2);
  projectedZone_ = NewPictureBox(QStringLiteral("projectedZone"), data_.m_nProjectedZone, this);
  below->addWidget(projectedZone_, 0, 3);
  below->addWidget(new QLabel(QStringLiteral("Datum Indentifier"), this), 1, 0);
  datumIdentifier_ = NewEntry(QStringLiteral("datumIdentifier"), data_.m_strDatumIdentifier);
  below->addWidget(datumIdentifier_, 1, 1);
  layout->addLayout(below);
  connect(projectedZone_, &QToolButton::clicked, this, [this] {
    data_.m_nProjectedZone = CTolEdtDlg::Toggle(data_.m_nProjectedZone, tolerance_symbol::kProjectedZone);
    ShowPicture(projectedZone_, data_.m_nProjectedZone);
    datumIdentifier_->setFocus();
  });

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

QLineEdit* TolEdtDialog::NewEntry(const QString& name, const std::string& text) {
  auto* entry = new QLineEdit(QString::fromStdString(text), this);
  entry->setObjectName(name);
  return entry;
}

QWidget* TolEdtDialog::BuildRows() {
  auto* rowsWidget = new QWidget(this);
  auto* groups = new QHBoxLayout(rowsWidget);
  groups->setContentsMargins(0, 0, 0, 0);
  QGridLayout* symbols = NewGroup("Sym", {}, groups, rowsWidget);
  std::array<QGridLayout*, 2> tolerances{NewGroup("Tolerance 1", {"Dia", "Value", "MC"}, groups, rowsWidget),
                                         NewGroup("Tolerance 2", {"Dia", "Value", "MC"}, groups, rowsWidget)};
  std::array<QGridLayout*, 3> datums{NewGroup("Datum 1", {"Datum", "MC"}, groups, rowsWidget),
                                     NewGroup("Datum 2", {"Datum", "MC"}, groups, rowsWidget),
                                     NewGroup("Datum 3", {"Datum", "MC"}, groups, rowsWidget)};
  for (int r = 0; r < 2; ++r) {
    ToleranceFrameRow& row = data_.m_rows[r];
    RowWidgets& w = rows_[r];
    w.symbol = NewPictureBox(Named("symbol", r), row.m_nSymbol, this);
    symbols->addWidget(w.symbol, r + 1, 0);
    connect(w.symbol, &QToolButton::clicked, this, [this, r] { PickSymbol(r); });
    for (int i = 0; i < 2; ++i) {
      w.diameter[i] = NewPictureBox(Named("diameter", r, i), row.m_nDiameter[i], this);
      w.value[i] = NewEntry(Named("value", r, i), row.m_strValue[i]);
      w.valueCondition[i] = NewPictureBox(Named("valueCondition", r, i), row.m_nValueCondition[i], this);
      tolerances[i]->addWidget(w.diameter[i], r + 1, 0);
      tolerances[i]->addWidget(w.value[i], r + 1, 1);
      tolerances[i]->addWidget(w.valueCondition[i], r + 1, 2);
    }
    for (int i = 0; i < 3; ++i) {
      w.datum[i] = NewEntry(Named("datum", r, i), row.m_strDatum[i]);
      w.datumCondition[i] = NewPictureBox(Named("datumCondition", r, i), row.m_nDatumCondition[i], this);
      datums[i]->addWidget(w.datum[i], r + 1, 0);
      datums[i]->addWidget(w.datumCondition[i], r + 1, 1);
    }
  }
  // The handlers, once every entry a focus move may go to exists.
  for (int r = 0; r < 2; ++r) {
    ToleranceFrameRow& row = data_.m_rows[r];
    RowWidgets& w = rows_[r];
    for (int i = 0; i < 2; ++i) {
      connect(w.diameter[i], &QToolButton::clicked, this, [this, &row, &w, i] {
        row.m_nDiameter[i] = CTolEdtDlg::Toggle(row.m_nDiameter[i], tolerance_symbol::kDiameter);
        ShowPicture(w.diameter[i], row.m_nDiameter[i]);
        w.value[i]->setFocus();
      });
      QWidget* next = i == 0 ? static_cast<QWidget*>(w.value[1]) : w.datum[0];
      connect(w.valueCondition[i], &QToolButton::clicked, this,
              [this, &row, &w, i, next] { PickCondition(w.valueCondition[i], row.m_nValueCondition[i], next); });
    }
    for (int i = 0; i < 3; ++i) {
      QWidget* next = i < 2 ? static_cast<QWidget*>(w.datum[i + 1]) : r == 0 ? rows_[1].value[0] : height_;
      connect(w.datumCondition[i], &QToolButton::clicked, this,
              [this, &row, &w, i, next] { PickCondition(w.datumCondition[i], row.m_nDatumCondition[i], next); });
    }
  }
  return rowsWidget;
}

void TolEdtDialog::PickSymbol(int row) {
  CTolSymDlg picker;
  picker.m_nSymbol = data_.m_rows[row].m_nSymbol;
  if (!CTolEdtDlg::TakePick(data_.m_rows[row].m_nSymbol, ShowModalDialog(picker, this))) return;
  ShowPicture(rows_[row].symbol, data_.m_rows[row].m_nSymbol);
  rows_[row].value[0]->setFocus();
}

void TolEdtDialog::PickCondition(QToolButton* box, int& condition, QWidget* next) {
  CTolConDlg picker;
  picker.m_nCondition = condition;
  if (!CTolEdtDlg::TakePick(condition, ShowModalDialog(picker, this))) return;
  ShowPicture(box, condition);
  next->setFocus();
}

void TolEdtDialog::accept() {
  for (int r = 0; r < 2; ++r) {
    for (int i = 0; i < 2; ++i) data_.m_rows[r].m_strValue[i] = rows_[r].value[i]->text().toStdString();
    for (int i = 0; i < 3; ++i) data_.m_rows[r].m_strDatum[i] = rows_[r].datum[i]->text().toStdString();
  }
  data_.m_strHeight = height_->text().toStdString();
  data_.m_strDatumIdentifier = datumIdentifier_->text().toStdString();
  data_.OnOK();
  QDialog::accept();
}

TolSymDialog::TolSymDialog(CTolSymDlg& data, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Symbol"));
  FillPicker(*this, tolerance_symbol::Characteristics(), data.m_nSymbol);
}

void TolSymDialog::keyPressEvent(QKeyEvent* event) {
  if (!EndsWithoutChoice(*this, event)) QDialog::keyPressEvent(event);
}

TolConDialog::TolConDialog(CTolConDlg& data, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Meterial Condition"));
  FillPicker(*this, tolerance_symbol::MaterialConditions(), data.m_nCondition);
}

void TolConDialog::keyPressEvent(QKeyEvent* event) {
  if (!EndsWithoutChoice(*this, event)) QDialog::keyPressEvent(event);
}
