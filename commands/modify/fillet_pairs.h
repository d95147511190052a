#pragma once

#include "core/point2d.h"

class FcEntity;
class FcGraph;
class FcLine;
class FcPolyline;

// The fillets between two different entities, each with the world point it
// was picked at. Each prints its own refusal and leaves the drawing
// unchanged when the fillet cannot be made.

// Two of line, ray and construction line.
void FilletStraightPair(FcGraph& graph, FcEntity& first, const FcPoint2d& firstPick, FcEntity& second,
                        const FcPoint2d& secondPick);
// A line, ray or construction line with a circle or an arc.
void FilletStraightWithRound(FcGraph& graph, FcEntity& straight, const FcPoint2d& straightPick, FcEntity& round,
                             const FcPoint2d& roundPick);
// Two of circle and arc; an arc met with a circle takes the first place.
void FilletRoundPair(FcGraph& graph, FcEntity& first, const FcPoint2d& firstPick, FcEntity& second,
                     const FcPoint2d& secondPick);
// A line with the first or last segment of an open polyline.
void FilletLineWithPolyline(FcGraph& graph, FcLine& line, const FcPoint2d& linePick, FcPolyline& polyline,
                            int segment, const FcPoint2d& polylinePick);

inline constexpr const char* kInvalidFilletRadius = "Invalid fillet radius!";
