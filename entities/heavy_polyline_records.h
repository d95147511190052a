#pragma once

#include <string_view>

#include "core/handle.h"

class FcEntity;
class FcFiler;
class FcFilerDwg;
class FcGraph;

// What the 2D polyline and the 3D polylines and meshes share of the heavy
// form: a POLYLINE record, its VERTEX records, a SEQEND.

// The next handle of the drawing's seed; 0 without a drawing.
FcHandle NextSeedHandle(FcGraph* graph);
// A handle read from a file keeps the seed above it.
void RaiseSeedPast(FcGraph* graph, FcHandle handle);
std::string_view LayerNameOf(const FcEntity& entity);

// The groups of a DXF SEQEND record up to the next group 0, which is put
// back; its handle goes to seqend. 0, or 1 at the end of the input.
int ReadDxfSeqendRecord(FcFiler& filer, FcHandle& seqend);
// The DXF SEQEND record that closes the polyline's vertices.
void WriteDxfSeqendRecord(FcFiler& filer, const FcEntity& polyline, FcHandle seqend);

// The handles of a heavy polyline's DWG record: first and last vertex
// (code 4) and the SEQEND (code 3). 0 or 2.
int ReadDwgVertexHandles(FcFilerDwg& filer, FcHandle self, FcHandle& first, FcHandle& last, FcHandle& seqend);
void WriteDwgVertexHandles(FcFilerDwg& filer, FcHandle first, FcHandle last, FcHandle seqend);
// The DWG SEQEND record after the vertices, with the polyline's
// properties.
void WriteDwgSeqendRecord(FcFilerDwg& filer, const FcEntity& polyline, FcHandle seqend);
