#include <memory>
#include <string>

#include "commands/command_support.h"
#include "commands/draw/draw_commands.h"
#include "commands/draw/revcloud_geometry.h"
#include "commands/draw/revcloud_object.h"
#include "commands/draw/revcloud_prompts.h"
#include "commands/draw/revcloud_settings.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "display/drag_rec_cloud.h"
#include "entities/polyline.h"
#include "platform/frame_link.h"
#include "shell/input_request.h"

namespace {

void ShowRevCloudSettings(const FcGraph& graph) {
  const RevCloudLengths lengths = CurrentRevCloudLengths(graph);
  const int decimals = graph.GetSysVars().luprec;
  PrintMessage("Minimum arc length: " + FormatDecimal(decimals, lengths.minimum) +
               "  Maximum arc length: " + FormatDecimal(decimals, lengths.stored) +
               "  Style: " + (lengths.calligraphy ? "Calligraphy" : "Normal"));
}

// The cloud along the cursor's path from the start point (current UCS).
void RevCloudAlongPath(FcUndoSection& section, const FcPoint2d& startUcs) {
  FcGraph& graph = section.Graph();
  const RevCloudLengths lengths = CurrentRevCloudLengths(graph);
  const double width = lengths.calligraphy ? 0.1 * lengths.stored : 0.0;
  auto cloud = std::make_unique<FcPolyline>();
  cloud->AppendVertex(UcsToWorldPoint(graph, startUcs), 0.0, width, -kRevCloudBulge);
  FcDragRecCloud band;
  band.Start(cloud.get());
  band.minArcLength = lengths.minimum;
  band.maxArcLength = lengths.maximum;
  if (TrackPoint(startUcs, &band, "Guide crosshairs along cloud path...") != FC_INPUT_OK ||
      cloud->GetVertexCount() < 2)
    return;
  if (!cloud->IsClosed() && !AskRevCloudDirection(*cloud)) return;
  PrintMessage("Revision cloud finished.");
  section.AddCreated(cloud.release());
}

}  // namespace

int CmdRevCloud() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcUndoSection section(*graph, "Revcloud", FcUndoSection::Steps::kWholeRun);
  ShowRevCloudSettings(*graph);
  while (true) {
    FcPoint2d start;
    std::string text;
    SetKeywords("Arc Object Style", 0);
    const int status = GetPoint(nullptr, "Specify start point or [Arc length/Object/Style] <Object>", start, text);
    if (status == FC_INPUT_OK) {
      RevCloudAlongPath(section, start);
      return kStatusDone;
    }
    if (status == FC_INPUT_NONE || (status == FC_INPUT_KEYWORD && text == "Object")) return RevCloudFromObject(section);
    if (status != FC_INPUT_KEYWORD) return kStatusDone;
    const int option = text == "Arc" ? PromptRevCloudArcLengths(graph->GetSysVars().luprec) : PromptRevCloudStyle();
    if (option != FC_INPUT_OK) return option;
  }
}
