#include <string>
#include <string_view>

#include "commands/draw/draw_commands.h"
#include "commands/draw/marker_placement.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

namespace {

// As many markers as Divide makes parts at the most: a spacing tiny against
// the object would otherwise fill the drawing and the memory with markers.
constexpr double kMaxMarkers = 32767.0;

}  // namespace

int CmdMeasure() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Measure", FcUndoSection::Steps::kWholeRun);
  const FcEntity* object = PickMarkedObject("Select object to measure", "Cannot measure that object.");
  if (object == nullptr) return kStatusDone;
  const double length = MarkedLength(*object);
  double spacing = 0.0;
  MarkerBlock choice;
  const auto askSpacing = [&spacing, length](std::string_view prompt, std::string& text) {
    const int status = GetDistance(nullptr, prompt, spacing, text);
    if (status != FC_INPUT_OK || length / spacing <= kMaxMarkers) return status;
    PrintMessage("Requires a segment length that gives at most 32767 segments.");
    return kAskAgain;
  };
  if (!AskValueOrBlock("<Segment length>/Block", "Segment length", askSpacing, choice)) return kStatusDone;
  PlaceMarkers(section, MeasureMarkers(*object, spacing, CircleAngleZero(section)), choice);
  return kStatusDone;
}
