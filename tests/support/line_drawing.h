#pragma once

#include <gtest/gtest.h>

#include "database/graph.h"
#include "entities/line.h"
#include "platform/frame_link.h"
#include "platform/recording_frame_link.h"

// A new drawing whose messages to the main frame are recorded, and a way to
// put lines into it. The drawing's surface shows the world window (0, 0) to
// (180, 240) on 90 x 120 pixels.
class LineDrawingTest : public testing::Test {
 protected:
  LineDrawingTest() { SetFrameLink(&frame); }
  ~LineDrawingTest() override { SetFrameLink(nullptr); }

  // A line added with the current properties; on the named layer when one
  // is given.
  FcLine* AddLine(FcPoint2d start, FcPoint2d end, const char* layer = nullptr) {
    auto* line = new FcLine;
    line->SetStartPoint(start);
    line->SetEndPoint(end);
    if (layer != nullptr) graph.SetCurrentLayer(graph.FindOrCreateLayer(layer)->GetName());
    graph.AddEntity(line, false);
    graph.SetCurrentLayer("0");
    return line;
  }

  RecordingFrameLink frame;
  FcGraph graph;
};
