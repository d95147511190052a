#include "commands/draw/revcloud_settings.h"

#include <algorithm>
#include <string>

#include "database/graph.h"
#include "entities/polyline.h"
#include "platform/program_settings.h"
#include "shell/input_request.h"

double RevCloudScale(const FcGraph& graph) {
  const double scale = graph.GetSysVars().dimscale;
  return scale > 0.0 ? scale : 1.0;
}

RevCloudLengths CurrentRevCloudLengths(const FcGraph& graph) {
  const RevCloudSettings& settings = GetProgramSettings().rev_cloud;
  const double scale = RevCloudScale(graph);
  RevCloudLengths lengths;
  lengths.minimum = settings.min_arc_length * scale;
  lengths.stored = settings.max_arc_length * scale;
  lengths.maximum = std::max(lengths.stored, 1.2 * lengths.minimum);
  lengths.calligraphy = settings.style == 1;
  return lengths;
}

bool AskRevCloudDirection(FcPolyline& cloud) {
  SetTempEntity(&cloud);
  SetKeywords("Yes No", 0);
  std::string keyword;
  std::string text;
  const int status = GetKeyword("Reverse direction [Yes/No] <No>", keyword, text);
  if (status == FC_INPUT_NONE) return true;
  if (status != FC_INPUT_OK) return false;
  if (keyword == "Yes" && cloud.GetVertexCount() > 0) {
    const double flipped = -cloud.GetVertex(0)->bulge;
    for (int i = 0; i < cloud.GetVertexCount(); ++i) cloud.SetVertexBulge(i, flipped);
  }
  return true;
}
