#include "dialogs/file_filters.h"

#include <QString>

QStringList NameFilters(const std::string& filter) {
  QStringList filters;
  const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'), Qt::SkipEmptyParts);
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i];
    const qsizetype open = name.indexOf(QLatin1Char('('));
    if (open >= 0) name.truncate(open);
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << name.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return filters;
}
