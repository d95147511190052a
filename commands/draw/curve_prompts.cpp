#include "commands/draw/curve_prompts.h"

#include "core/angle_parse.h"
#include "database/graph.h"
#include "entities/entity_listing.h"

std::string WithRadiusDefault(const FcGraph& graph, std::string_view prompt) {
  const double remembered = graph.GetSysVars().circlerad;
  if (remembered <= 0.0) return std::string(prompt);
  return std::string(prompt) + "<" + FormatDrawingDistance(remembered, &graph) + ">";
}

bool IsClockwiseSweep(const FcGraph& graph, const std::string& typed) {
  double value = 0.0;
  int unitCode = -1;
  const bool negative = !typed.empty() && ParseAngle(typed, value, unitCode) && value < 0.0;
  return (graph.GetSysVars().angdir == 1) != negative;
}
