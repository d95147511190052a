#include <QSettings>
#include <QString>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "commands/dialogs/dialog_settings.h"
#include "commands/dialogs/export_dlg.h"
#include "platform/qt/program_settings_store.h"

namespace {

const QString kSection = QStringLiteral("ExportCfg");
const char* const kWindowKeys[4] = {"WindowPt1X", "WindowPt1Y", "WindowPt2X", "WindowPt2Y"};

std::optional<int> ReadWhole(const QSettings& store, const char* name) {
  const std::optional<std::uint32_t> value = ReadStoredDword(store, kSection + '/' + QLatin1String(name));
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(*value);
}

// Sizes and corners come back exactly as written; a text that is not a
// finite number counts as missing.
std::optional<double> ReadReal(const QSettings& store, const char* name) {
  const std::optional<std::string> text = ReadStoredText(store, kSection + '/' + QLatin1String(name));
  if (!text) return std::nullopt;
  double value = 0.0;
  const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
  if (error != std::errc() || end != text->data() + text->size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

template <typename Number>
void Write(QSettings& store, const char* name, Number value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (error != std::errc()) return;
  store.setValue(kSection + '/' + QLatin1String(name), QString::fromLatin1(buffer, end - buffer));
}

}  // namespace

std::optional<ExportDlgSettings> LoadExportDlgSettings() {
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  if (store->status() != QSettings::NoError || !store->childGroups().contains(kSection)) return std::nullopt;
  ExportDlgSettings settings;
  settings.area = ReadWhole(*store, "Area");
  std::array<double, 4> corners{};
  bool complete = true;
  for (int i = 0; i < 4 && complete; ++i) {
    const std::optional<double> value = ReadReal(*store, kWindowKeys[i]);
    complete = value.has_value();
    if (complete) corners[i] = *value;
  }
  if (complete) settings.window = corners;
  settings.type = ReadWhole(*store, "Type");
  settings.units = ReadWhole(*store, "Units");
  settings.width = ReadReal(*store, "Width");
  settings.height = ReadReal(*store, "Height");
  return settings;
}

bool SaveExportDlgSettings(const ExportDlgSettings& settings) {
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  if (settings.area) Write(*store, "Area", *settings.area);
  if (settings.window)
    for (int i = 0; i < 4; ++i) Write(*store, kWindowKeys[i], (*settings.window)[i]);
  if (settings.type) Write(*store, "Type", *settings.type);
  if (settings.units) Write(*store, "Units", *settings.units);
  if (settings.width) Write(*store, "Width", *settings.width);
  if (settings.height) Write(*store, "Height", *settings.height);
  store->sync();
  return store->status() == QSettings::NoError;
}
