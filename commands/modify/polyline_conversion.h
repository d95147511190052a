#pragma once

class FcArc;
class FcCircle;
class FcEntity;
class FcLine;
class FcPolyline;

// The polylines that stand for a line, an arc or a circle so that the
// curve can be edited as a polyline or carry a width. Each new polyline has
// the source's layer, linetype, linetype scale and colour, widths 0, and
// is not yet in a drawing; null for a null source or when it cannot be
// allocated.

// Two vertices, start and end.
FcPolyline* LineToPolyline(const FcLine* line);
// Two vertices: the start carrying the arc's bulge, then the end. An arc
// of a full turn becomes the circle's polyline.
FcPolyline* ArcToPolyline(const FcArc* arc);
// Closed, two half circles: centre + (r, 0) and centre - (r, 0), bulge 1.
FcPolyline* CircleToPolyline(const FcCircle* circle);

// The conversion that fits the entity's kind (line, arc or circle); null
// for any other kind.
FcPolyline* ConvertToPolyline(const FcEntity& entity);
// Whether ConvertToPolyline takes the entity's kind.
bool IsConvertibleToPolyline(const FcEntity& entity);

class FcEntSetsUndoItem;
class FcGraph;

// Puts the polyline of a line, arc or circle in the entity's place in the
// drawing (not drawn yet): the entity is recorded as erased, taken out and
// deleted, the polyline added and recorded as created. Null, with the
// drawing unchanged, for another kind or when the polyline cannot be made.
FcPolyline* ReplaceByPolyline(FcGraph& graph, FcEntity* entity, FcEntSetsUndoItem& undo);
