#include "window/toolbar_state.h"

#include <QMainWindow>
#include <QSettings>

namespace {

const QString kBarState = QStringLiteral("BarState");
const QString kLoadGuard = QStringLiteral("ReadToolBarState");

}  // namespace

void LoadToolbarState(QSettings& store, QMainWindow& frame) {
  const bool lastLoadFailed = store.value(kLoadGuard, 0).toInt() != 0;
  store.setValue(kLoadGuard, 1);
  store.sync();
  if (lastLoadFailed) return;
  const QByteArray state = store.value(kBarState).toByteArray();
  if (!state.isEmpty() && !frame.restoreState(state)) return;
  store.setValue(kLoadGuard, 0);
}

void SaveToolbarState(QSettings& store, const QByteArray& layout, bool drawingsOpen) {
  if (drawingsOpen) store.setValue(kBarState, layout);
  store.setValue(kLoadGuard, 0);
}
