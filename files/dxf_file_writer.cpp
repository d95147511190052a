#include "files/dxf_file_writer.h"

#include <exception>

#include "database/graph.h"
#include "database/graph_references.h"
#include "database/header_vars.h"
#include "filers/filer.h"
#include "platform/frame_link.h"

namespace {

// Runs one part of the file; anything it raises becomes the part's code.
template <typename Part>
FcDxfWriteResult Guarded(FcDxfWriteResult failCode, Part&& part) {
  try {
    part();
    return FcDxfWriteResult::kDone;
  } catch (const std::exception&) {
    return failCode;
  }
}

// The drawing keeps no views, so the VIEW table is written empty.
void WriteEmptyViewTable(FcFiler& filer, FcGraph& graph) {
  filer.WriteString(0, "TABLE");
  filer.WriteString(2, "VIEW");
  filer.WriteHandle(5, graph.GetViewList().GetHandle());
  filer.WriteHandle(330, 0);
  filer.WriteString(100, "AcDbSymbolTable");
  filer.WriteInt(70, 0);
  filer.WriteString(0, "ENDTAB");
}

FcBlock* ModelSpaceBlock(const FcGraph& graph) { return graph.GetBlockList().FindByName("*Model_Space"); }

// The unit total that the section writers step through.
std::uint64_t ProgressTotal(const FcGraph& graph) {
  std::uint64_t total = static_cast<std::uint64_t>(graph.GetClassList().GetCount()) + 5;
  for (const FcObject* counted :
       {static_cast<const FcObject*>(&graph.GetLayerList()), static_cast<const FcObject*>(&graph.GetLinetypeList()),
        static_cast<const FcObject*>(&graph.GetTextStyleList()), static_cast<const FcObject*>(&graph.GetUcsList()),
        static_cast<const FcObject*>(&graph.GetAppIdList()), static_cast<const FcObject*>(&graph.GetDimStyleList()),
        static_cast<const FcObject*>(&graph.GetBlockList()), static_cast<const FcObject*>(&graph.GetNamedObjects())}) {
    const int count = counted->GetCount();
    if (count > 0) total += static_cast<std::uint64_t>(count);
  }
  return total;
}

}  // namespace

void WriteDxfTables(FcFiler& filer, FcGraph& graph) {
  filer.WriteString(0, "SECTION");
  filer.WriteString(2, "TABLES");
  // A reader applies the viewport after the header: the record must carry
  // the drawing's present UCS and settings, whichever way it is written.
  graph.GetViewportList().GetActive().CaptureFromGraph(graph);
  graph.GetViewportList().WriteDxf(filer);
  graph.GetLinetypeList().WriteDxf(filer);
  graph.GetLayerList().WriteDxf(filer);
  graph.GetTextStyleList().WriteDxf(filer);
  WriteEmptyViewTable(filer, graph);
  graph.GetUcsList().WriteDxf(filer);
  graph.GetAppIdList().WriteDxf(filer);
  graph.GetDimStyleList().WriteDxf(filer);
  graph.GetBlockList().WriteDxfBlockRecords(filer);
  filer.WriteString(0, "ENDSEC");
}

void WriteDxfObjects(FcFiler& filer, FcGraph& graph) {
  filer.WriteString(0, "SECTION");
  filer.WriteString(2, "OBJECTS");
  graph.GetNamedObjects().WriteDxf(filer);
  graph.GetBlockList().WriteDxfOwned(filer);
  graph.GetLayerList().WriteDxfOwned(filer);
  graph.GetLinetypeList().WriteDxfOwned(filer);
  graph.GetTextStyleList().WriteDxfOwned(filer);
  graph.GetDimStyleList().WriteDxfOwned(filer);
  graph.GetUcsList().WriteDxfOwned(filer);
  graph.GetAppIdList().WriteDxfOwned(filer);
  filer.WriteString(0, "ENDSEC");
}

FcDxfWriteResult WriteDxfSections(FcFiler& filer, FcGraph& graph) {
  FcDxfWriteResult result = Guarded(FcDxfWriteResult::kHeaderFailed, [&] {
    WriteDxfHeader(graph.GetSysVars(), filer);
    graph.GetClassList().WriteDxf(filer);
  });
  if (result != FcDxfWriteResult::kDone) return result;
  result = Guarded(FcDxfWriteResult::kTablesFailed, [&] { WriteDxfTables(filer, graph); });
  if (result != FcDxfWriteResult::kDone) return result;
  result = Guarded(FcDxfWriteResult::kBlocksFailed, [&] { graph.GetBlockList().WriteDxf(filer); });
  if (result != FcDxfWriteResult::kDone) return result;
  result = Guarded(FcDxfWriteResult::kEntitiesFailed, [&] {
    filer.WriteString(0, "SECTION");
    filer.WriteString(2, "ENTITIES");
    if (FcBlock* modelSpace = ModelSpaceBlock(graph)) modelSpace->GetEntities().WriteDxf(filer);
    filer.WriteString(0, "ENDSEC");
  });
  if (result != FcDxfWriteResult::kDone) return result;
  result = Guarded(FcDxfWriteResult::kObjectsFailed, [&] { WriteDxfObjects(filer, graph); });
  if (result != FcDxfWriteResult::kDone) return result;
  return Guarded(FcDxfWriteResult::kEofFailed, [&] { filer.WriteString(0, "EOF"); });
}

FcDxfWriteResult WriteDxfFile(FcGraph& graph, const std::string& path, FcFileKind kind, bool purge) {
  FcFiler filer;
  try {
    if (!filer.Open(path, kFcOpenWrite | kFcOpenCreate, kind)) return FcDxfWriteResult::kCannotCreate;
  } catch (const std::exception&) {
    return FcDxfWriteResult::kCannotCreate;
  }
  filer.SetGraph(&graph);
  ProgressStart("Saving file...");
  FcDxfWriteResult result = FcDxfWriteResult::kCannotCreate;
  try {
    if (purge) {
      MarkReferences(graph, nullptr);
      PurgeAnonymousBlocks(graph);
    }
    filer.SetProgressTotal(ProgressTotal(graph));
    result = WriteDxfSections(filer, graph);
  } catch (const std::exception&) {
    result = FcDxfWriteResult::kCannotCreate;
  }
  ProgressEnd();
  if (result == FcDxfWriteResult::kDone && !filer.Close()) return FcDxfWriteResult::kCannotCreate;
  return result;
}
