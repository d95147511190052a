#pragma once

class FcGraph;

// The New option of the UCS command: a new origin, three points, a
// rotation or alignment with a picked entity.
void UcsNew(FcGraph& graph);
