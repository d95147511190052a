#include "entities/heavy_polyline_records.h"

#include "core/resbuf.h"
#include "database/block_markers.h"
#include "database/graph.h"
#include "database/layer.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"

FcHandle NextSeedHandle(FcGraph* graph) { return graph != nullptr ? TakeHandle(graph->GetHandleSeed()) : 0; }

void RaiseSeedPast(FcGraph* graph, FcHandle handle) {
  if (graph != nullptr && graph->GetHandleSeed() <= handle) graph->GetHandleSeed() = handle + 1;
}

std::string_view LayerNameOf(const FcEntity& entity) {
  return entity.GetLayer() != nullptr ? std::string_view(entity.GetLayer()->GetName()) : entity.GetLayerName().str();
}

int ReadDxfSeqendRecord(FcFiler& filer, FcHandle& seqend) {
  FcResBuf group;
  while (filer.ReadGroup(group)) {
    if (group.type == 0) {
      filer.UnreadGroup();
      return kFcStatusOk;
    }
    if (group.type == 5) {
      seqend = group.handle;
      RaiseSeedPast(filer.GetGraph(), group.handle);
    }
  }
  return kFcStatusEnd;
}

void WriteDxfSeqendRecord(FcFiler& filer, const FcEntity& polyline, FcHandle seqend) {
  filer.WriteString(0, "SEQEND");
  filer.WriteHandle(5, seqend);
  filer.WriteHandle(330, polyline.GetHandle());
  filer.WriteString(100, "AcDbEntity");
  filer.WriteString(8, LayerNameOf(polyline));
}

int ReadDwgVertexHandles(FcFilerDwg& filer, FcHandle self, FcHandle& first, FcHandle& last, FcHandle& seqend) {
  std::uint8_t code = 0;
  if (!filer.ReadHandleRef(first, self, &code) || code != 4) return kFcStatusReadError;
  if (!filer.ReadHandleRef(last, self, &code) || code != 4) return kFcStatusReadError;
  if (!filer.ReadHandleRef(seqend, self, &code) || code != 3) return kFcStatusReadError;
  return kFcStatusOk;
}

void WriteDwgVertexHandles(FcFilerDwg& filer, FcHandle first, FcHandle last, FcHandle seqend) {
  filer.WriteHandleRef(4, 0, first);
  filer.WriteHandleRef(4, 0, last);
  filer.WriteHandleRef(3, 0, seqend);
}

void WriteDwgSeqendRecord(FcFilerDwg& filer, const FcEntity& polyline, FcHandle seqend) {
  FcSeqend record;
  record.CopyProperties(&polyline);
  record.SetHandle(seqend);
  record.WriteDwg(filer, 0, 0, 0, 0, 0);
  if (record.GetLayer() != nullptr) record.GetLayer()->RemoveEntityHandle(&record);
}
