#pragma once

class QByteArray;
class QMainWindow;
class QSettings;

// The docked bars' layout kept between sessions as "BarState". A load that
// never finished (the program went down while restoring) leaves
// "ReadToolBarState" at 1, and the next start then keeps the default
// layout instead of trying again.
void LoadToolbarState(QSettings& store, QMainWindow& frame);
// Stores the layout (the frame's saved state) when drawings were open (only then are the menu
// file's toolbars shown), and marks the next load as safe.
void SaveToolbarState(QSettings& store, const QByteArray& layout, bool drawingsOpen);
