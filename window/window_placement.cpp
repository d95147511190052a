#include "window/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/qt/program_settings_store.h"

namespace {

const QString kSection = QStringLiteral("Settings/");

PlacementRect FromQRect(const QRect& rect) {
  return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

int Scaled(int length, int now, int then) {
  return static_cast<int>(std::int64_t{length} * now / then);
}

// Keeps the start of a span inside [low, high) when the span fits; a span
// longer than the range starts at its low end.
int KeepInside(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

PlacementRect WorkAreaOf(const QWidget& window) {
  const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
  return screen != nullptr ? FromQRect(screen->availableGeometry()) : PlacementRect{};
}

}  // namespace

std::string FormatWindowPlacement(const WindowPlacement& placement) {
  char text[160];
  const PlacementRect& w = placement.window;
  const PlacementRect& a = placement.workArea;
  std::snprintf(text, sizeof text, "%u,%d,%d,%d,%d,%d,%d,%d,%d", static_cast<unsigned>(placement.show), w.left, w.top,
                w.right, w.bottom, a.left, a.top, a.right, a.bottom);
  return text;
}

WindowPlacement ParseWindowPlacement(std::string_view text) {
  WindowPlacement placement;
  const std::string copy(text);
  unsigned show = 0;
  PlacementRect& w = placement.window;
  PlacementRect& a = placement.workArea;
  const int read = std::sscanf(copy.c_str(), "%u,%d,%d,%d,%d,%d,%d,%d,%d", &show, &w.left, &w.top, &w.right,
                               &w.bottom, &a.left, &a.top, &a.right, &a.bottom);
  placement.valuesRead = std::max(read, 0);
  placement.show = static_cast<int>(show);
  return placement;
}

PlacementOutcome PlaceOnWorkArea(const WindowPlacement& stored, const PlacementRect& workArea) {
  if (stored.valuesRead != 9) return {PlacementOutcome::Kind::kMaximise, {}};
  if (stored.window.IsEmpty() || stored.workArea.IsEmpty()) return {};
  if (stored.show == WindowPlacement::kShowMaximised) return {PlacementOutcome::Kind::kMaximise, {}};
  const int width = Scaled(stored.window.Width(), workArea.Width(), stored.workArea.Width());
  const int height = Scaled(stored.window.Height(), workArea.Height(), stored.workArea.Height());
  if (width <= 0 || height <= 0) return {};
  const int left = KeepInside(stored.window.left, width, workArea.left, workArea.right);
  const int top = KeepInside(stored.window.top, height, workArea.top, workArea.bottom);
  return {PlacementOutcome::Kind::kPlace, {left, top, left + width, top + height}};
}

WindowPlacement LoadWindowPlacement(const QSettings& store, const QString& entry) {
  return ParseWindowPlacement(ReadStoredText(store, kSection + entry).value_or(std::string()));
}

void SaveWindowPlacement(QSettings& store, const QString& entry, const QWidget& window) {
  WindowPlacement placement;
  placement.show = window.isMaximized() ? WindowPlacement::kShowMaximised : WindowPlacement::kShowNormal;
  // A window that started maximised has no normal geometry yet; an empty
  // rectangle would make the next start ignore the maximised state.
  const bool normalKnown = window.isMaximized() && !window.normalGeometry().isEmpty();
  placement.window = FromQRect(normalKnown ? window.normalGeometry() : window.geometry());
  placement.workArea = WorkAreaOf(window);
  store.setValue(kSection + entry, QString::fromStdString(FormatWindowPlacement(placement)));
  store.sync();
}

void RestoreWindowPlacement(const QSettings& store, const QString& entry, QWidget& window) {
  const PlacementOutcome outcome = PlaceOnWorkArea(LoadWindowPlacement(store, entry), WorkAreaOf(window));
  switch (outcome.kind) {
    case PlacementOutcome::Kind::kKeep:
      return;
    case PlacementOutcome::Kind::kMaximise:
      window.setWindowState(window.windowState() | Qt::WindowMaximized);
      return;
    case PlacementOutcome::Kind::kPlace:
      window.setGeometry(outcome.window.left, outcome.window.top, outcome.window.Width(), outcome.window.Height());
      window.setWindowState(window.windowState() & ~Qt::WindowMaximized);
      return;
  }
}
