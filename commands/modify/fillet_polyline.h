#pragma once

class FcGraph;
class FcPolyline;

// Fillets between segments of one polyline: in Trim mode the corner becomes
// an arc segment of the polyline, otherwise a separate arc is drawn.

// The corner between the two picked segments (different ones).
void FilletPolylineSegments(FcGraph& graph, FcPolyline& polyline, int firstSegment, int secondSegment);

// Every corner between two straight segments, from the end of the polyline
// towards its start; corners the radius does not fit are left alone.
void FilletWholePolyline(FcGraph& graph, FcPolyline& polyline);
