#pragma once

#include <memory>
#include <string>

#include "database/undo_list.h"
#include "display/display_group.h"
#include "display/display_surface.h"
#include "display/view_transform.h"
#include "tests/support/command_script.h"
#include "tests/support/recording_device.h"

// Makes the script's view show the world window (0, 0) to (400, 300) on as
// many pixels, so that a typed point picks what is drawn within the object
// snap aperture around it (5 units each way).
inline void ShowPickableWindow(ScriptedView& script) {
  script.OnWindowThread([&script] {
    FcDisplaySurface* surface = script.Drawing().GetDisplaySurface();
    surface->SetDevice(std::make_unique<RecordingDevice>());
    surface->SetDeviceSize(400, 300);
    FcViewTransform& view = *surface->GetView();
    view.x0 = 0.0;
    view.y0 = 0.0;
    view.x1 = 400.0;
    view.y1 = 300.0;
    view.Update();
    script.Drawing().Redraw();
    return true;
  });
}

// The name of the newest undo item in effect; "(none)" when there is none.
inline std::string NewestUndoName(ScriptedView& script) {
  return script.OnWindowThread([&script] {
    const FcUndoItem* item = script.Drawing().GetUndoList().GetCurrent();
    return item == nullptr ? std::string("(none)") : item->GetName();
  });
}

// How many display groups of the view are drawn highlighted.
inline int HighlightedGroups(ScriptedView& script) {
  return script.OnWindowThread([&script] {
    FcDisplaySurface* surface = script.Drawing().GetDisplaySurface();
    int highlighted = 0;
    for (int i = 0; i < surface->GetGroupCount(); ++i) highlighted += surface->GetGroup(i)->highlighted ? 1 : 0;
    return highlighted;
  });
}

class PickableScriptTest : public CommandScriptTest {
 protected:
  PickableScriptTest() { ShowPickableWindow(script_); }
};
