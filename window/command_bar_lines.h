#pragma once

class QSettings;

// How many history lines the docked command bar shows, kept in the store
// as "Parameters/HistoryLineNumber".
inline constexpr int kDefaultHistoryLines = 3;

// The stored number when it lies in 1 to 100, else kDefaultHistoryLines.
int LoadHistoryLineNumber(const QSettings& store);
void SaveHistoryLineNumber(QSettings& store, int lines);
