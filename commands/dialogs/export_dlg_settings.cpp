#include <QSettings>
#include <QString>

#include "commands/dialogs/dialog_settings.h"
#include "commands/dialogs/dialog_values.h"
#include "commands/dialogs/export_dlg.h"

namespace {

const QString kSection = QStringLiteral("ExportCfg");

std::optional<int> ReadWhole(const QSettings& store, const char* name) { return ReadDialogWhole(store, kSection, name); }

std::optional<double> ReadReal(const QSettings& store, const char* name) { return ReadDialogReal(store, kSection, name); }

template <typename Number>
void Write(QSettings& store, const char* name, Number value) {
  WriteDialogValue(store, kSection, name, value);
}

}  // namespace

std::optional<ExportDlgSettings> LoadExportDlgSettings() {
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  if (store->status() != QSettings::NoError || !store->childGroups().contains(kSection)) return std::nullopt;
  ExportDlgSettings settings;
  settings.area = ReadWhole(*store, "Area");
  settings.window = ReadDialogCorners(*store, kSection);
  settings.type = ReadWhole(*store, "Type");
  settings.units = ReadWhole(*store, "Units");
  settings.width = ReadReal(*store, "Width");
  settings.height = ReadReal(*store, "Height");
  return settings;
}

bool SaveExportDlgSettings(const ExportDlgSettings& settings) {
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  if (settings.area) Write(*store, "Area", *settings.area);
  if (settings.window) WriteDialogCorners(*store, kSection, *settings.window);
  if (settings.type) Write(*store, "Type", *settings.type);
  if (settings.units) Write(*store, "Units", *settings.units);
  if (settings.width) Write(*store, "Width", *settings.width);
  if (settings.height) Write(*store, "Height", *settings.height);
  store->sync();
  return store->status() == QSettings::NoError;
}
