#include "files/drawing_services.h"

#include <mutex>

#include "display/graph_display.h"
#include "files/object_registrations.h"
#include "files/undo_snapshot_io.h"
#include "fonts/truetype_registry.h"
#include "platform/program_settings.h"

void InstallDrawingServices() {
  static std::once_flag installed;
  std::call_once(installed, [] {
    RegisterObjectFactories();
    InstallGraphDisplay();
    InstallUndoSnapshotFiles();
    SetTrueTypeFontFallback(FirstTrueTypeFontFile);
  });
}
