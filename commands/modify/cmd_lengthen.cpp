#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <string>

#include "commands/command_support.h"
#include "commands/modify/lengthen_objects.h"
#include "commands/modify/modify_commands.h"
#include "commands/modify/typed_angle.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "database/object.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "entities/arc.h"
#include "entities/entity_listing.h"
#include "entities/line.h"
#include "entities/polyline.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

constexpr const char* kNotByAngle = "Cannot LENGTHEN this object by angle.";

// The run's undo step: on the list when the run changed something,
// however the run ends.
class LengthenStep {
 public:
  explicit LengthenStep(FcGraph& graph) : graph_(graph), item_(new (std::nothrow) FcEntSetsUndoItem) {
    if (item_) item_->SetName("Lengthen");
  }
  ~LengthenStep() {
    if (item_ && item_->HasRecords()) AddUndoItem(graph_, item_.release());
  }
  LengthenStep(const LengthenStep&) = delete;
  LengthenStep& operator=(const LengthenStep&) = delete;

  FcEntSetsUndoItem* Item() const { return item_.get(); }

 private:
  FcGraph& graph_;
  std::unique_ptr<FcEntSetsUndoItem> item_;
};

// An angle for the Angle option of Delta or Total: the value as typed,
// sign and size kept, stored in the drawing on an answer. False when the
// command is to end.
bool AskAngleValue(FcGraph& graph, const std::string& prompt, double& value, LengthenSettings& settings) {
  double answer = 0.0;
  std::string text;
  const int status = GetAngle(nullptr, prompt, answer, text);
  if (status == FC_INPUT_OK) value = TypedAngle(graph, answer, text);
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return false;
  settings.byAngle = true;
  return true;
}

// A length for Delta or Total, or its Angle option; false when the command
// is to end.
bool AskLengthOrAngle(FcGraph& graph, const std::string& lengthPrompt, double& length, const std::string& anglePrompt,
                      double& angle, std::int32_t flags, LengthenSettings& settings) {
  SetKeywords("Angle", flags);
  double answer = 0.0;
  std::string text;
  const int status = GetDistance(nullptr, lengthPrompt, answer, text);
  if (status == FC_INPUT_KEYWORD) {
    SetKeywords({}, flags);
    return AskAngleValue(graph, anglePrompt, angle, settings);
  }
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return false;
  if (status == FC_INPUT_OK) length = answer;
  settings.byAngle = false;
  return true;
}

// The mode of a keyword, with its values; false when the command is to end.
bool TakeMode(FcGraph& graph, const std::string& keyword, LengthenSettings& settings) {
  FcSystemVar& vars = graph.GetSysVars();
  bool asked = true;
  if (EqualsNoCase(keyword, "DElta")) {
    settings.mode = LengthenMode::kDelta;
    asked = AskLengthOrAngle(graph, "Angle/<Enter delta length (" + FormatDrawingDistance(settings.delta, &graph) + ")>",
                             settings.delta, "Enter delta angle <" + FormatDrawingAngle(settings.deltaAngle, &graph) + "> ",
                             settings.deltaAngle, 0, settings);
  } else if (EqualsNoCase(keyword, "Percent")) {
    settings.mode = LengthenMode::kPercent;
    SetKeywords({}, kInputRefuseZero | kInputRefuseNegative);
    double answer = 0.0;
    std::string text;
    const int status =
        GetReal("Enter percent length <" + FormatDecimal(vars.luprec, settings.percent) + ">", answer, text);
    if (status == FC_INPUT_OK) settings.percent = answer;
    asked = status == FC_INPUT_OK || status == FC_INPUT_NONE;
    settings.byAngle = false;
  } else if (EqualsNoCase(keyword, "Total")) {
    settings.mode = LengthenMode::kTotal;
    asked = AskLengthOrAngle(graph, "Angle/<Enter total length (" + FormatDrawingDistance(settings.total, &graph) + ")>",
                             settings.total, "Enter total angle <" + FormatDrawingAngle(settings.totalAngle, &graph) + "> ",
                             settings.totalAngle, kInputRefuseZero | kInputRefuseNegative, settings);
  } else if (EqualsNoCase(keyword, "DYnamic")) {
    settings.mode = LengthenMode::kDynamic;
  }
  // Every value entered is the drawing's from now on.
  vars.LengthenDelta = settings.delta;
  vars.LengthenDeltaAngle = settings.deltaAngle;
  vars.LengthenPercent = settings.percent;
  vars.LengthenTotal = settings.total;
  vars.LengthenTotalAngle = settings.totalAngle;
  return asked;
}

double Distance(const FcPoint2d& a, const FcPoint2d& b) { return std::hypot(b.x - a.x, b.y - a.y); }

// The end of an open polyline that the pick on the segment moves; false,
// after the history line, when the pick cannot lengthen it. The segment
// counts what is drawn: the fitted curve's pieces when there is one.
bool PolylineEnd(const FcPolyline& polyline, int segment, const FcPoint2d& pick, bool& startMoves) {
  const int count = polyline.GetVertexCount();
  if (polyline.IsClosed() || count < 2) {
    PrintMessage("Cannot LENGTHEN this object.");
    return false;
  }
  const bool fitted = polyline.IsFitted() && !polyline.GetFitVertices().empty();
  const int drawn = fitted ? static_cast<int>(polyline.GetFitVertices().size()) : count;
  const auto point = [&](int i) { return FcPoint2d{polyline.GetVertex(i)->x, polyline.GetVertex(i)->y}; };
  if (segment == 0 && drawn == 2) {
    startMoves = Distance(point(1), pick) > Distance(point(0), pick);
  } else if (segment == 0) {
    startMoves = true;
  } else if (segment == drawn - 2) {
    startMoves = false;
  } else {
    PrintMessage("Cannot LENGTHEN middle segment of polyline.");
    return false;
  }
  if (polyline.GetVertex(startMoves ? 0 : count - 2)->bulge != 0.0) {
    PrintMessage("Cannot LENGTHEN arc segment of polyline.");
    return false;
  }
  return true;
}

// False when the command is to end.
bool Lengthen(FcGraph& graph, FcEntity& entity, int segment, const FcPoint2d& pick, const LengthenSettings& settings,
              FcEntSetsUndoItem& item) {
  switch (entity.GetKind()) {
    case kEntityLine: {
      if (settings.byAngle) {
        PrintMessage(kNotByAngle);
        return true;
      }
      auto& line = static_cast<FcLine&>(entity);
      const bool startMoves = Distance(line.GetEndPoint(), pick) > Distance(line.GetStartPoint(), pick);
      return LengthenLine(graph, line, startMoves, settings, item);
    }
    case kEntityArc: {
      auto& arc = static_cast<FcArc&>(entity);
      const bool startMoves = Distance(arc.GetStartPoint(), pick) < Distance(arc.GetEndPoint(), pick);
      return LengthenArc(graph, arc, startMoves, settings, item);
    }
    case kEntityPolyline: {
      if (settings.byAngle) {
        PrintMessage(kNotByAngle);
        return true;
      }
      auto& polyline = static_cast<FcPolyline&>(entity);
      bool startMoves = false;
      if (PolylineEnd(polyline, segment, pick, startMoves)) LengthenPolyline(graph, polyline, startMoves, settings, item);
      return true;
    }
    default:
      PrintMessage("Cannot LENGTHEN this object.");
      return true;
  }
}

}  // namespace

int CmdLengthen() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  const FcSystemVar& vars = graph->GetSysVars();
  LengthenSettings settings;
  settings.delta = vars.LengthenDelta;
  settings.deltaAngle = vars.LengthenDeltaAngle;
  settings.percent = vars.LengthenPercent;
  settings.total = vars.LengthenTotal;
  settings.totalAngle = vars.LengthenTotalAngle;
  LengthenStep step(*graph);
  if (step.Item() == nullptr) {
    PrintMessage(kNoMemoryMessage);
    return kStatusDone;
  }
  for (;;) {
    SetKeywords("DElta Percent Total DYnamic", 0);
    std::string text;
    FcPoint2d point;
    FcEntity* entity = nullptr;
    FcHandle primitive = 0;
    int segment = 0;
    const int status =
        PickObjectWithPoint("DElta/Percent/Total/DYnamic/<Select object>", text, point, entity, primitive, segment);
    if (status == FC_INPUT_KEYWORD) {
      if (!TakeMode(*graph, text, settings)) return kStatusDone;
      continue;
    }
    if (status != FC_INPUT_OK) return kStatusDone;
    if (entity != nullptr && !Lengthen(*graph, *entity, segment, UcsToWorldPoint(*graph, point), settings, *step.Item())) {
      return kStatusDone;
    }
  }
}
