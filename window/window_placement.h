#pragma once

#include <QString>
#include <string>
#include <string_view>

class QSettings;
class QWidget;

// A rectangle as the stored placement writes it: right and bottom are one
// past the last pixel.
struct PlacementRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool IsEmpty() const { return right <= left || bottom <= top; }
  bool operator==(const PlacementRect&) const = default;
};

// The main window's position, size and maximised state with the work area
// of the screen it was saved on, kept in the settings store under
// "Settings/<entry>" as "show,left,top,right,bottom,areaLeft,areaTop,
// areaRight,areaBottom".
struct WindowPlacement {
  static constexpr int kShowNormal = 1;
  static constexpr int kShowMaximised = 3;

  int show = kShowNormal;
  PlacementRect window;
  PlacementRect workArea;
  int valuesRead = 0;
};

inline const QString kMainWindowPlacementEntry = QStringLiteral("MainWindowPos");

std::string FormatWindowPlacement(const WindowPlacement& placement);
// Reads as many values as the text holds in order; valuesRead counts them.
WindowPlacement ParseWindowPlacement(std::string_view text);

// How a stored placement is brought onto the current work area.
struct PlacementOutcome {
  enum class Kind { kMaximise, kKeep, kPlace };
  Kind kind = Kind::kKeep;
  PlacementRect window;  // kPlace only
};

// Incomplete text: maximised. An empty stored rectangle: the window keeps
// the placement it has. Maximised: maximised again. Otherwise the size is
// scaled by the ratio of the work areas; a window that would start outside
// the current work area (saved on a larger or another screen) is moved
// back inside it so that it can be reached.
PlacementOutcome PlaceOnWorkArea(const WindowPlacement& stored, const PlacementRect& workArea);

WindowPlacement LoadWindowPlacement(const QSettings& store, const QString& entry);
// Stores the window's normal geometry, maximised or not, with the work
// area of its screen.
void SaveWindowPlacement(QSettings& store, const QString& entry, const QWidget& window);
// Applies the stored placement to a window that is not shown yet; its show
// then brings it up maximised or at the stored place.
void RestoreWindowPlacement(const QSettings& store, const QString& entry, QWidget& window);
