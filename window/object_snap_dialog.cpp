#include "window/object_snap_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kModeLabels[kObjectSnapModeCount] = {
    "&End Point",           "&Middle Point",  "&Center Point",   "No&de Point",     "&Quadrant Point",
    "&Intersection Point", "In&sert Point", "&Perpendicular Point", "Ta&ngency Point", "Ne&rest Point",
};

constexpr std::int32_t kAllModes = (1 << kObjectSnapModeCount) - 1;

}  // namespace

ObjectSnapChoice ObjectSnapChoiceOf(std::int32_t osmode) {
  return {osmode != 0 && (osmode & kObjectSnapSuspended) == 0, osmode & kAllModes};
}

std::int32_t OsmodeOf(const ObjectSnapChoice& choice) {
  return (choice.modes & kAllModes) | (choice.enabled ? 0 : kObjectSnapSuspended);
}

ObjectSnapDialog::ObjectSnapDialog(std::int32_t osmode, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Draft settings"));
  const ObjectSnapChoice choice = ObjectSnapChoiceOf(osmode);
  auto* layout = new QVBoxLayout(this);
  enabled_ = new QCheckBox(QStringLiteral("Enable &object snap(F3)"), this);
  enabled_->setChecked(choice.enabled);
  layout->addWidget(enabled_);

  auto* group = new QGroupBox(QStringLiteral("Object Snap"), this);
  auto* grid = new QGridLayout(group);
  for (int bit = 0; bit < kObjectSnapModeCount; ++bit) {
    modes_[bit] = new QCheckBox(QString::fromLatin1(kModeLabels[bit]), group);
    modes_[bit]->setChecked((choice.modes & (1 << bit)) != 0);
    grid->addWidget(modes_[bit], bit % 5, bit / 5);
  }
  layout->addWidget(group);

  auto* selection = new QHBoxLayout;
  auto* all = new QPushButton(QStringLiteral("Select All"), this);
  auto* none = new QPushButton(QStringLiteral("Unselect All"), this);
  connect(all, &QPushButton::clicked, this, [this] { SetAllModes(true); });
  connect(none, &QPushButton::clicked, this, [this] { SetAllModes(false); });
  selection->addWidget(all);
  selection->addWidget(none);
  selection->addStretch();
  layout->addLayout(selection);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void ObjectSnapDialog::SetAllModes(bool on) {
  for (QCheckBox* mode : modes_) mode->setChecked(on);
}

std::int32_t ObjectSnapDialog::Osmode() const {
  ObjectSnapChoice choice{enabled_->isChecked(), 0};
  for (int bit = 0; bit < kObjectSnapModeCount; ++bit)
    if (modes_[bit]->isChecked()) choice.modes |= 1 << bit;
  return OsmodeOf(choice);
}
