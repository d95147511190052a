#pragma once

class FcGraph;
class FcPolyline;

// Chamfers between segments of one polyline: in Trim mode the corner
// becomes a straight segment of the polyline, otherwise a separate line is
// drawn.

// The corner between the two picked segments (different ones); the first
// distance, or the length and angle, goes to the segment picked first.
void ChamferPolylineSegments(FcGraph& graph, FcPolyline& polyline, int firstPicked, int secondPicked);

// Every corner between two straight segments, from the end towards the
// start; the polyline itself is cut whatever the trim setting says.
void ChamferWholePolyline(FcGraph& graph, FcPolyline& polyline);
