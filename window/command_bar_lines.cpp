#include "window/command_bar_lines.h"

#include <QSettings>
#include <QString>

#include "platform/qt/program_settings_store.h"

namespace {

const QString kHistoryLineNumber = QStringLiteral("Parameters/HistoryLineNumber");

}  // namespace

int LoadHistoryLineNumber(const QSettings& store) {
  const std::optional<std::uint32_t> stored = ReadStoredDword(store, kHistoryLineNumber);
  if (!stored || *stored < 1 || *stored > 100) return kDefaultHistoryLines;
  return static_cast<int>(*stored);
}

void SaveHistoryLineNumber(QSettings& store, int lines) { store.setValue(kHistoryLineNumber, QString::number(lines)); }
