#include <QSettings>
#include <QString>

#include "commands/dialogs/dialog_settings.h"
#include "commands/dialogs/dialog_values.h"
#include "commands/dialogs/print_dlg.h"

namespace {

const QString kSection = QStringLiteral("PrintCfg");

template <typename Number>
void Write(QSettings& store, const char* name, const std::optional<Number>& value) {
  if (value) WriteDialogValue(store, kSection, name, *value);
}

}  // namespace

std::optional<PrintDlgSettings> LoadPrintDlgSettings() {
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  if (store->status() != QSettings::NoError || !store->childGroups().contains(kSection)) return std::nullopt;
  PrintDlgSettings settings;
  settings.area = ReadDialogWhole(*store, kSection, "Area");
  settings.window = ReadDialogCorners(*store, kSection);
  settings.colors = ReadDialogWhole(*store, kSection, "Colors");
  settings.unit = ReadDialogWhole(*store, kSection, "Unit");
  settings.rotate = ReadDialogWhole(*store, kSection, "Rotate");
  settings.offsetX = ReadDialogReal(*store, kSection, "OffsetX");
  settings.offsetY = ReadDialogReal(*store, kSection, "OffsetY");
  settings.center = ReadDialogWhole(*store, kSection, "Center");
  settings.scalePaperUnit = ReadDialogReal(*store, kSection, "ScalePaperUnit");
  settings.scaleDrawingUnit = ReadDialogReal(*store, kSection, "ScaleDrawingUnit");
  settings.scaleFit = ReadDialogWhole(*store, kSection, "ScaleFit");
  return settings;
}

bool SavePrintDlgSettings(const PrintDlgSettings& settings) {
  const std::unique_ptr<QSettings> store = OpenDialogSettings();
  Write(*store, "Area", settings.area);
  if (settings.window) WriteDialogCorners(*store, kSection, *settings.window);
  Write(*store, "Colors", settings.colors);
  Write(*store, "Unit", settings.unit);
  Write(*store, "Rotate", settings.rotate);
  Write(*store, "OffsetX", settings.offsetX);
  Write(*store, "OffsetY", settings.offsetY);
  Write(*store, "Center", settings.center);
  Write(*store, "ScalePaperUnit", settings.scalePaperUnit);
  Write(*store, "ScaleDrawingUnit", settings.scaleDrawingUnit);
  Write(*store, "ScaleFit", settings.scaleFit);
  store->sync();
  return store->status() == QSettings::NoError;
}
