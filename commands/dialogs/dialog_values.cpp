#include "commands/dialogs/dialog_values.h"

#include <QSettings>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

#include "platform/qt/program_settings_store.h"

namespace {

const char* const kWindowKeys[4] = {"WindowPt1X", "WindowPt1Y", "WindowPt2X", "WindowPt2Y"};

QString Key(const QString& section, const char* name) { return section + '/' + QLatin1String(name); }

template <typename Number>
void Write(QSettings& store, const QString& key, Number value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc()) return;
  store.setValue(key, QString::fromLatin1(buffer, end - buffer));
}

}  // namespace

std::optional<int> ReadDialogWhole(const QSettings& store, const QString& section, const char* name) {
  const std::optional<std::uint32_t> value = ReadStoredDword(store, Key(section, name));
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

std::optional<double> ReadDialogReal(const QSettings& store, const QString& section, const char* name) {
  const std::optional<std::string> text = ReadStoredText(store, Key(section, name));
  if (!text) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
  if (error != std::errc() || end != text->data() + text->size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

void WriteDialogValue(QSettings& store, const QString& section, const char* name, int value) {
  Write(store, Key(section, name), value);
}

void WriteDialogValue(QSettings& store, const QString& section, const char* name, double value) {
  Write(store, Key(section, name), value);
}

std::optional<std::array<double, 4>> ReadDialogCorners(const QSettings& store, const QString& section) {
  std::array<double, 4> corners{};
  for (int i = 0; i < 4; ++i) {
    const std::optional<double> value = ReadDialogReal(store, section, kWindowKeys[i]);
    if (!value) return std::nullopt;
    corners[i] = *value;
  }
  return corners;
}

void WriteDialogCorners(QSettings& store, const QString& section, const std::array<double, 4>& corners) {
  for (int i = 0; i < 4; ++i) WriteDialogValue(store, section, kWindowKeys[i], corners[i]);
}
