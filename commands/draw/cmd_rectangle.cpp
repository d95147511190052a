#include <cmath>
#include <string>
#include <vector>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/draw/draw_settings.h"
#include "commands/undo_section.h"
#include "core/arcs.h"
#include "core/point_ops.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "display/drag_rectangle.h"
#include "entities/entity_listing.h"
#include "entities/polyline.h"
#include "shell/input_request.h"

namespace {

std::string WithDefault(const FcGraph& graph, const char* prompt, double value) {
  return std::string(prompt) + "<" + FormatDrawingDistance(value, &graph) + ">";
}

enum class Answer { kValue, kKept, kNone };

// One distance with its default: a value replaces it, Enter keeps it.
Answer AskDistance(const FcPoint2d* base, const std::string& prompt, double& value, std::int32_t flags) {
  SetKeywords("", flags);
  double answer = 0.0;
  std::string text;
  const int status = GetDistance(base, prompt, answer, text);
  if (status == FC_INPUT_OK) value = answer;
  if (status == FC_INPUT_OK) return Answer::kValue;
  return status == FC_INPUT_NONE ? Answer::kKept : Answer::kNone;
}

struct RectangleVertex {
  FcPoint2d point;  // UCS
  bool filletStart;
};

// The outline from the first corner along its y edge first; corners cut
// or rounded when the mode asks and they fit.
std::vector<RectangleVertex> Outline(const DrawCommandSettings& s, const FcPoint2d& a, const FcPoint2d& b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double sx = dx < 0.0 ? -1.0 : 1.0;
  const double sy = dy < 0.0 ? -1.0 : 1.0;
  double before = 0.0;
  double after = 0.0;
  if (s.rectangleMode == 1 && std::fabs(dx) > s.chamfer1 + s.chamfer2 && std::fabs(dy) > s.chamfer1 + s.chamfer2) {
    before = s.chamfer1;
    after = s.chamfer2;
  } else if (s.rectangleMode == 2 && std::fabs(dx) > 2 * s.filletRadius && std::fabs(dy) > 2 * s.filletRadius) {
    before = after = s.filletRadius;
  }
  if (before == 0.0 && after == 0.0) return {{a, false}, {{a.x, b.y}, false}, {b, false}, {{b.x, a.y}, false}};
  const bool fillet = s.rectangleMode == 2;
  return {{{a.x, a.y + sy * after}, false},  {{a.x, b.y - sy * before}, fillet}, {{a.x + sx * after, b.y}, false},
          {{b.x - sx * before, b.y}, fillet}, {{b.x, b.y - sy * after}, false},  {{b.x, a.y + sy * before}, fillet},
          {{b.x - sx * after, a.y}, false},  {{a.x + sx * before, a.y}, fillet}};
}

}  // namespace

int CmdRectangle() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Rectangle", FcUndoSection::Steps::kWholeRun);
  DrawCommandSettings settings = GetDrawCommandSettings();
  double width = graph->GetSysVars().plinewid;
  if (settings.rectangleMode == 1) {
    PrintMessage("Current rectangle mode: chamfer = " + FormatDrawingDistance(settings.chamfer1, graph) + " x " +
                 FormatDrawingDistance(settings.chamfer2, graph));
  } else if (settings.rectangleMode == 2) {
    PrintMessage("Current rectangle mode: fillet = " + FormatDrawingDistance(settings.filletRadius, graph));
  }
  FcPoint2d first;
  std::string text;
  for (;;) {
    SetKeywords("Chamfer Fillet Width", 0);
    const int status = GetPoint(nullptr, "Specify first corner point or [Chamfer/Fillet/Width]", first, text);
    if (status == FC_INPUT_OK) break;
    if (status != FC_INPUT_KEYWORD) return kStatusDone;
    bool answered = true;
    if (text == "Chamfer") {
      settings.rectangleMode = 1;
      const Answer first = AskDistance(nullptr, WithDefault(*graph, "Specify the first chamfer distance", settings.chamfer1),
                                       settings.chamfer1, kInputRefuseZero);
      if (first == Answer::kValue) settings.chamfer2 = settings.chamfer1;
      answered = first != Answer::kNone &&
                 AskDistance(nullptr, WithDefault(*graph, "Specify the second chamfer distance", settings.chamfer2),
                             settings.chamfer2, kInputRefuseZero) != Answer::kNone;
    } else if (text == "Fillet") {
      settings.rectangleMode = 2;
      answered = AskDistance(nullptr, WithDefault(*graph, "Specify the fillet radius", settings.filletRadius),
                             settings.filletRadius, kInputRefuseZero) != Answer::kNone;
    } else {
      answered =
          AskDistance(nullptr, WithDefault(*graph, "Specify line width of rectangle ", width), width, 0) != Answer::kNone;
      if (answered && width >= 0.0) graph->GetSysVars().SetPLineWid(width);
    }
    SetDrawCommandSettings(settings);
    if (!answered) return kStatusDone;
  }
  FcDragRectangle band = FcDragRectangle::FromCorner(first);
  band.corner = settings.rectangleMode;
  if (settings.rectangleMode == 1) {
    band.chamfer1 = settings.chamfer1;
    band.chamfer2 = settings.chamfer2;
  } else if (settings.rectangleMode == 2) {
    band.filletRadius = settings.filletRadius;
  }
  SetDragObject(&band);
  SetKeywords("Dimensions", 0);
  FcPoint2d other;
  const int status = GetPoint(&first, "Specify other corner point or [Dimensions]", other, text);
  if (status == FC_INPUT_KEYWORD) {
    if (AskDistance(&first, WithDefault(*graph, "Specify length for rectangles ", settings.rectangleLength),
                    settings.rectangleLength, 0) == Answer::kNone ||
        AskDistance(&first, WithDefault(*graph, "Specify width for rectangles ", settings.rectangleWidth),
                    settings.rectangleWidth, 0) == Answer::kNone) {
      SetDrawCommandSettings(settings);
      return kStatusDone;
    }
    SetDrawCommandSettings(settings);
    other = {first.x + settings.rectangleLength, first.y + settings.rectangleWidth};
  } else if (status != FC_INPUT_OK) {
    return kStatusDone;
  }
  const std::vector<RectangleVertex> outline = Outline(settings, first, other);
  section.AddNew<FcPolyline>([&](FcPolyline& polyline) {
    for (std::size_t i = 0; i < outline.size(); ++i) {
      const FcPoint2d start = UcsToWorldPoint(*graph, outline[i].point);
      double bulge = 0.0;
      if (outline[i].filletStart) {
        const FcPoint2d end = UcsToWorldPoint(*graph, outline[(i + 1) % outline.size()].point);
        const FcPoint2d before = UcsToWorldPoint(*graph, outline[i > 0 ? i - 1 : outline.size() - 1].point);
        ArcFromStartDirectionEnd(start, AngleFromTo(before, start), end, nullptr, nullptr, &bulge);
      }
      polyline.AppendVertex(start, width, width, bulge);
    }
    polyline.SetClosed(true);
  });
  return kStatusDone;
}
