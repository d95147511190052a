#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class QCheckBox;

// The object-snap page of the drafting settings: the running snap modes
// (OSMODE bits 1 to 0x200) and the switch that suspends them (bit 0x4000)
// without losing them.
struct ObjectSnapChoice {
  bool enabled = false;
  std::int32_t modes = 0;
};

inline constexpr std::int32_t kObjectSnapSuspended = 0x4000;
inline constexpr int kObjectSnapModeCount = 10;

ObjectSnapChoice ObjectSnapChoiceOf(std::int32_t osmode);
std::int32_t OsmodeOf(const ObjectSnapChoice& choice);

class ObjectSnapDialog : public QDialog {
 public:
  explicit ObjectSnapDialog(std::int32_t osmode, QWidget* parent = nullptr);

  std::int32_t Osmode() const;

 private:
  void SetAllModes(bool on);

  QCheckBox* enabled_ = nullptr;
  std::array<QCheckBox*, kObjectSnapModeCount> modes_{};
};
