#pragma once

#include <memory>

class FcEntity;
class FcPolyline;

// The vertex and segment edits of the PEdit command on a polyline's own
// vertices. None of them refits a fitted polyline; the caller does.

// Vertex low's segment becomes straight and the vertices strictly between
// low and high (low below high) go.
void StraightenBetween(FcPolyline& polyline, int low, int high);

// Removes the segments between vertices low and high (low not above high),
// or splits the polyline at low when they are the same vertex. A closed
// polyline is opened and keeps its closing segment. The part beyond the
// gap, when one is left apart from the polyline, goes to piece (a copy of
// the polyline with its properties). False, with nothing changed, where
// no break can be made: at the ends of an open polyline for a split, and
// where the polyline would keep a single vertex.
bool BreakBetween(FcPolyline& polyline, int low, int high, std::unique_ptr<FcPolyline>& piece);

// Widths that grow evenly along the polyline from startWidth at its first
// vertex to endWidth at its end (the closing segment included).
void TaperPolyline(FcPolyline& polyline, double startWidth, double endWidth);

// Joins the line, arc or open polyline to the end of the polyline it
// touches (within 1e-7), continuing the polyline in its direction; the
// number of segments added, 0 when it touches no end or cannot be joined.
int JoinPiece(FcPolyline& polyline, const FcEntity& piece);
