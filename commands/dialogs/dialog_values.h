#pragma once

#include <QString>
#include <array>
#include <optional>

class QSettings;

// One value of a dialog's settings section; a value that is missing or
// cannot be read is empty. Reals come back exactly as written; a text that
// is not a finite number counts as missing.
std::optional<int> ReadDialogWhole(const QSettings& store, const QString& section, const char* name);
std::optional<double> ReadDialogReal(const QSettings& store, const QString& section, const char* name);
void WriteDialogValue(QSettings& store, const QString& section, const char* name, int value);
void WriteDialogValue(QSettings& store, const QString& section, const char* name, double value);

// The window corners "WindowPt1X", "WindowPt1Y", "WindowPt2X", "WindowPt2Y";
// only when all four are read.
std::optional<std::array<double, 4>> ReadDialogCorners(const QSettings& store, const QString& section);
void WriteDialogCorners(QSettings& store, const QString& section, const std::array<double, 4>& corners);
