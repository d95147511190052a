#pragma once

#include <memory>

#include "display/display_surface.h"
#include "display/view_transform.h"
#include "tests/support/recording_device.h"

// A surface drawing on a recording device through a 400 x 300 pixel view of
// the world window (0, 0) to (400, 300): one world unit per pixel.
struct SurfaceFixture {
  explicit SurfaceFixture(FcGraph* owner = nullptr) : surface(owner) {
    auto recording = std::make_unique<RecordingDevice>();
    device = recording.get();
    surface.SetDevice(std::move(recording));
    surface.SetDeviceSize(400, 300);
    FcViewTransform& view = *surface.GetView();
    view.x1 = 400.0;
    view.y1 = 300.0;
    view.Update();
  }

  FcDisplaySurface surface;
  RecordingDevice* device = nullptr;
};
