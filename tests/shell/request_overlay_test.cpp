#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "display/cursor_overlay.h"
#include "display/display_surface.h"
#include "display/drag_object.h"
#include "display/view_transform.h"
#include "shell/input_request.h"
#include "shell/request_overlay.h"
#include "tests/support/command_script.h"
#include "tests/support/overlay_recording_device.h"

namespace {

// A surface of the drawing on a recording device, one world unit per pixel
// over (0, 0) to (400, 300).
struct OverlaySurface {
  explicit OverlaySurface(FcGraph* drawing) : surface(drawing) {
    auto recording = std::make_unique<OverlayRecordingDevice>();
    device = recording.get();
    surface.SetDevice(std::move(recording));
    surface.SetDeviceSize(400, 300);
    FcViewTransform& view = *surface.GetView();
    view.x0 = 0.0;
    view.y0 = 0.0;
    view.x1 = 400.0;
    view.y1 = 300.0;
    view.Update();
  }

  // The rubber band the screen device draws for what the overlay set.
  FcDevicePolyline Band() const {
    return RubberBand(device->bandStyle, {device->bandAnchorX, device->bandAnchorY},
                      {device->cursorX, device->cursorY}, device->cursorKind, 0.0, false)
        .points;
  }

  FcDisplaySurface surface;
  OverlayRecordingDevice* device = nullptr;
};

using RequestOverlayLineTest = CommandScriptTest;

TEST_F(RequestOverlayLineTest, TheLineCommandsRubberLineFollowsTheCursor) {
  script_.Type("line");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  script_.Type("10,20");
  ASSERT_TRUE(script_.WaitForPromptOrIdle());
  ASSERT_TRUE(script_.IsWaitingForInput());
  script_.OnWindowThread([this] {
    OverlaySurface view(&script_.Drawing());
    RequestOverlay overlay;
    overlay.Show(view.surface, script_.View().GetInputRequest(), {50, 20});
    EXPECT_EQ(view.Band(), (FcDevicePolyline{{10, 20}, {50, 20}})) << "from the first point to the cursor";
    for (const FcPoint2d& cursor : {FcPoint2d{30, 60}, FcPoint2d{200, 150}}) {
      overlay.MoveCursor(cursor);
      const FcDevicePoint end{static_cast<int>(cursor.x), static_cast<int>(cursor.y)};
      EXPECT_EQ(view.Band(), (FcDevicePolyline{{10, 20}, end}));
    }
    overlay.End();
    EXPECT_TRUE(view.Band().empty()) << "no band once the prompt is answered";
    return 0;
  });
  script_.PressEsc();
  ASSERT_TRUE(script_.WaitUntilIdle());
}

// A mode 1 preview of many items that writes down which item it drew for
// which cursor; each drawn item also leaves a line in the preview group.
struct CountingPreview : FcDragObject {
  explicit CountingPreview(int count) : items(count) { mode = 1; }
  void DrawFull(FcGraph*, FcDisplaySurface* surface, const FcPoint2d& point) override {
    int begin = 0;
    int end = 0;
    surface->PreviewRange(items, begin, end);
    for (int i = begin; i < end; ++i) {
      drawn.emplace_back(point.x, i);
      surface->AddLine(point, {point.x + 1, point.y}, 0, 0);
    }
  }
  int DrawnFor(double x) const {
    int n = 0;
    for (const auto& [at, item] : drawn) n += at == x ? 1 : 0;
    return n;
  }

  int items;
  std::vector<std::pair<double, int>> drawn;
};

// A point prompt with the drag object attached.
struct RequestWith {
  explicit RequestWith(FcDragObject* drag) {
    request.requestKind = kRequestPoint;
    request.dragObject = drag;
  }
  operator const InputRequest&() const { return request; }
  InputRequest request;
};

TEST(RequestOverlayTest, ANewCursorPositionCancelsTheRestOfAnUnfinishedPreview) {
  OverlaySurface view(nullptr);
  CountingPreview preview(2 * RequestOverlay::kItemsPerSlice + 50);
  const RequestWith request(&preview);
  RequestOverlay overlay;
  overlay.Show(view.surface, request, {1, 0});
  EXPECT_TRUE(overlay.Unfinished());
  EXPECT_EQ(preview.DrawnFor(1), RequestOverlay::kItemsPerSlice) << "one slice per turn of the window thread";

  overlay.MoveCursor({2, 0});
  int turns = 0;
  while (overlay.Continue()) ++turns;
  EXPECT_EQ(turns, 1);
  EXPECT_EQ(preview.DrawnFor(1), RequestOverlay::kItemsPerSlice) << "the old position drew nothing more";
  EXPECT_EQ(preview.DrawnFor(2), preview.items) << "the new one drew every item once";
  EXPECT_EQ(view.surface.GetPreviewGroup().GetCount(), preview.items);
  EXPECT_TRUE(view.device->figures.empty()) << "building a preview paints nothing";
}

TEST(RequestOverlayTest, EndingThePromptMidPreviewStopsIt) {
  OverlaySurface view(nullptr);
  CountingPreview preview(3 * RequestOverlay::kItemsPerSlice);
  const RequestWith request(&preview);
  RequestOverlay overlay;
  overlay.Show(view.surface, request, {1, 0});
  overlay.End();
  EXPECT_FALSE(overlay.Unfinished());
  EXPECT_FALSE(overlay.Continue());
  EXPECT_EQ(preview.drawn.size(), static_cast<std::size_t>(RequestOverlay::kItemsPerSlice));
  EXPECT_TRUE(view.surface.GetPreviewGroup().IsEmpty());
  overlay.MoveCursor({5, 0});
  EXPECT_EQ(preview.drawn.size(), static_cast<std::size_t>(RequestOverlay::kItemsPerSlice))
      << "a cursor move after the end previews nothing";
}

// A tracking preview decides the end of its prompt on every call, so it is
// drawn whole; a click reaches it with the final flag, whose answer is not
// used, and a cursor-overlay band goes to the device instead.
TEST(RequestOverlayTest, TrackingPreviewsAreWholeAndCursorBandsGoToTheDevice) {
  struct Track : FcDragObject {
    Track() { mode = 2; }
    bool DrawTest(FcGraph*, FcDisplaySurface* surface, const FcPoint2d& point, int final) override {
      int begin = 0;
      int end = 0;
      surface->PreviewRange(1000, begin, end);
      calls.push_back({point.x, end - begin, final});
      return point.x > 100;
    }
    struct Call {
      double x;
      int items;
      int final;
      bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
  } track;
  OverlaySurface view(nullptr);
  RequestOverlay overlay;
  overlay.Show(view.surface, RequestWith(&track), {1, 0});
  EXPECT_FALSE(overlay.MoveCursor({50, 0}));
  overlay.TrackPoint({60, 0});
  EXPECT_TRUE(overlay.MoveCursor({150, 0})) << "the preview reports the track complete";
  EXPECT_EQ(track.calls, (std::vector<Track::Call>{{1, 1000, 0}, {50, 1000, 0}, {60, 1000, 1}, {150, 1000, 0}}));
  EXPECT_EQ(view.device->dragPreview, nullptr);

  FcDragObject cursorBand;
  overlay.Show(view.surface, RequestWith(&cursorBand), {1, 0});
  EXPECT_EQ(view.device->dragPreview, &cursorBand);
  overlay.MoveCursor({30, 40});
  EXPECT_EQ(view.device->cursorPoint, (FcPoint2d{30, 40})) << "the band draws at the world cursor";
  overlay.End();
  EXPECT_EQ(view.device->dragPreview, nullptr);
}

}  // namespace
