#pragma once

#include <memory>

#include "display/display_surface.h"
#include "display/view_transform.h"
#include "tests/support/command_script.h"
#include "tests/support/recording_device.h"

// A scripted drawing whose view shows the world window (0, 0) to (400, 300)
// on as many pixels, so that a typed point picks what is drawn within the
// object snap aperture around it (5 units each way).
class PickableScriptTest : public CommandScriptTest {
 protected:
  PickableScriptTest() {
    script_.OnWindowThread([this] {
      FcDisplaySurface* surface = script_.Drawing().GetDisplaySurface();
      surface->SetDevice(std::make_unique<RecordingDevice>());
      surface->SetDeviceSize(400, 300);
      FcViewTransform& view = *surface->GetView();
      view.x0 = 0.0;
      view.y0 = 0.0;
      view.x1 = 400.0;
      view.y1 = 300.0;
      view.Update();
      script_.Drawing().Redraw();
      return true;
    });
  }
};
