#include "commands/inquiry/ucs_point_report.h"

#include "entities/entity_listing.h"

std::string FormatUcsCoordinates(const FcPoint2d& ucsPoint, const FcGraph& graph) {
  return "X= " + FormatDrawingDistance(ucsPoint.x, &graph) + "    Y= " + FormatDrawingDistance(ucsPoint.y, &graph);
}
