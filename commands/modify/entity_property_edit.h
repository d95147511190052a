#pragma once

class FcDimension;
class FcEntitySets;
class FcGraph;

// The property editors of "Change" and of the view's double click. Each
// fills its dialog from the entity, runs it and, after OK, applies the
// answers as one undo step named "Change"; Cancel changes nothing and
// takes the highlight off. A value out of range (a colour outside 0 to
// 256, a scale not above 0, a name the drawing lacks) leaves that property
// as it is, except an unknown linetype, which becomes ByLayer.

// Every entity of the set takes the values the dialog shows for the first
// one, unless the user changes them. Nothing for an empty set.
void EditEntityProperties(FcGraph& graph, FcEntitySets& entities);

// The dimension also takes the dimension style of the name, when the
// drawing has one, and is rebuilt.
void EditDimensionProperties(FcGraph& graph, FcDimension& dimension);
