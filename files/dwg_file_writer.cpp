#include <exception>
#include <mutex>
#include <string>
#include <vector>

#include "core/code_pages.h"
#include "core/paths.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/graph_references.h"
#include "database/header_vars.h"
#include "database/mline_style.h"
#include "files/dwg_file.h"
#include "filers/dwg_sections.h"
#include "platform/frame_link.h"

namespace {

constexpr int kZerosBeforeObjects = 512;
constexpr const char* kSavingMessage = "Saving file...";

std::mutex& RendererMutex() {
  static std::mutex mutex;
  return mutex;
}

FcDwgPreviewRenderer& Renderer() {
  static FcDwgPreviewRenderer renderer;
  return renderer;
}

FcHandle HandleOf(const FcObject* object) { return object != nullptr ? object->GetHandle() : 0; }

FcHandle NamedEntryHandle(const FcGraph& graph, std::string_view name) {
  return HandleOf(graph.GetNamedObjects().GetAt(name));
}

FcHandle FirstMlineStyleHandle(const FcGraph& graph) {
  const auto* styles = dynamic_cast<const FcDictionary*>(graph.GetNamedObjects().GetAt("ACAD_MLINESTYLE"));
  if (styles == nullptr || styles->GetEntryCount() == 0) return 0;
  return HandleOf(dynamic_cast<const FcMLineStyle*>(styles->GetEntry(0).object));
}

FcHandle CurrentLinetypeHandle(FcGraph& graph) {
  const FcLineType* current = graph.GetCurrentLinetype();
  const FcLinetypeList& linetypes = graph.GetLinetypeList();
  if (current == nullptr) return HandleOf(linetypes.FindByName("ByLayer"));
  if (current == LinetypeByBlock()) return HandleOf(linetypes.FindByName("ByBlock"));
  return current->GetHandle();
}

// An override of the dimension being built wins over the style's field.
FcHandle DimStyleHandle(const FcDimStyle& style, int groupCode, FcHandle own) {
  const FcResBuf* value = style.FindOverride(groupCode);
  return value != nullptr ? value->handle : own;
}

void FillHeaderHandles(FcGraph& graph) {
  FcHeaderHandles& handles = graph.GetSysVars().HeaderHandles;
  handles.blockControl = graph.GetBlockList().GetHandle();
  handles.layerControl = graph.GetLayerList().GetHandle();
  handles.textStyleControl = graph.GetTextStyleList().GetHandle();
  handles.linetypeControl = graph.GetLinetypeList().GetHandle();
  handles.viewControl = graph.GetViewList().GetHandle();
  handles.ucsControl = graph.GetUcsList().GetHandle();
  handles.viewportControl = graph.GetViewportList().GetHandle();
  handles.appIdControl = graph.GetAppIdList().GetHandle();
  handles.dimStyleControl = graph.GetDimStyleList().GetHandle();
  handles.viewportEntityHeaderControl = graph.GetViewHeaderCtrl().GetHandle();
  handles.groupDictionary = NamedEntryHandle(graph, "ACAD_GROUP");
  handles.mlineStyleDictionary = NamedEntryHandle(graph, "ACAD_MLINESTYLE");
  handles.namedObjectDictionary = graph.GetNamedObjects().GetHandle();
  handles.currentLayer = HandleOf(graph.GetCurrentLayer());
  handles.currentTextStyle = HandleOf(graph.GetCurrentTextStyle());
  handles.currentDimStyle = HandleOf(graph.GetCurrentDimStyle());
  handles.currentLinetype = CurrentLinetypeHandle(graph);
  handles.currentMlineStyle = FirstMlineStyleHandle(graph);
  const FcBlockList& blocks = graph.GetBlockList();
  // The table keeps model space first and paper space second; a name read
  // from a file may not match (some writers store the name's terminating
  // zero with it).
  const FcBlock* paperSpace = blocks.FindByName("*Paper_Space");
  handles.paperSpaceBlock = HandleOf(paperSpace != nullptr ? paperSpace : blocks.GetAt(1));
  handles.modelSpaceBlock = HandleOf(blocks.GetAt(0));
  const FcLinetypeList& linetypes = graph.GetLinetypeList();
  handles.byLayerLinetype = HandleOf(linetypes.FindByName("ByLayer"));
  handles.byBlockLinetype = HandleOf(linetypes.FindByName("ByBlock"));
  handles.continuousLinetype = HandleOf(linetypes.FindByName("Continuous"));
  handles.layoutDictionary = NamedEntryHandle(graph, "ACAD_LAYOUT");
  handles.plotSettingsDictionary = NamedEntryHandle(graph, "ACAD_PLOTSETTINGS");
  handles.plotStyleDictionary = NamedEntryHandle(graph, "ACAD_PLOTSTYLENAME");
  if (const FcDimStyle* style = graph.GetCurrentDimStyle()) {
    handles.dimTextStyle = DimStyleHandle(*style, 340, style->dimtxstyHandle);
    handles.dimLeaderBlock = DimStyleHandle(*style, 341, style->dimldrblkHandle);
    handles.dimBlock = DimStyleHandle(*style, 342, style->dimblkHandle);
    handles.dimBlock1 = DimStyleHandle(*style, 343, style->dimblk1Handle);
    handles.dimBlock2 = DimStyleHandle(*style, 344, style->dimblk2Handle);
  }
}

void WriteObjects(FcFilerDwg& filer, FcGraph& graph) {
  graph.GetBlockList().WriteDwg(filer);
  graph.GetLayerList().WriteDwg(filer);
  graph.GetTextStyleList().WriteDwg(filer);
  graph.GetLinetypeList().WriteDwg(filer);
  graph.GetDimStyleList().WriteDwg(filer);
  graph.GetUcsList().WriteDwg(filer);
  // A reader applies the viewport after the header: the record must carry
  // the drawing's present UCS and settings, whichever way it is written.
  graph.GetViewportList().GetActive().CaptureFromGraph(graph);
  graph.GetViewportList().WriteDwg(filer);
  graph.GetViewList().WriteDwg(filer);
  graph.GetViewHeaderCtrl().WriteDwg(filer);
  graph.GetAppIdList().WriteDwg(filer);
  graph.GetNamedObjects().WriteDwg(filer);
}

std::uint64_t ProgressTotal(const FcGraph& graph) {
  const FcObject* counted[] = {&graph.GetLayerList(),    &graph.GetLinetypeList(), &graph.GetTextStyleList(),
                               &graph.GetUcsList(),      &graph.GetAppIdList(),    &graph.GetDimStyleList(),
                               &graph.GetBlockList(),    &graph.GetNamedObjects()};
  std::uint64_t total = static_cast<std::uint64_t>(graph.GetClassList().GetCount()) + 5;
  for (const FcObject* table : counted) total += static_cast<std::uint64_t>(table->GetCount());
  return total;
}

std::vector<std::uint8_t> RenderPreview(FcGraph& graph) {
  std::vector<std::uint8_t> dib;
  const std::lock_guard lock(RendererMutex());
  if (Renderer() && !Renderer()(graph, dib)) dib.clear();
  return dib;
}

// Writes the whole file: 0, 1 when it cannot be created, 102 when writing
// fails.
FcDwgWriteResult WriteFile(FcGraph& graph, const std::string& path, bool purge, bool preview) {
  FcFilerDwg filer;
  if (!filer.Open(path, kFcOpenCreate | kFcOpenReadWrite, FcFileKind::kDwg)) return FcDwgWriteResult::kCannotCreate;
  filer.SetGraph(&graph);
  ProgressStart(kSavingMessage);
  MarkReferences(graph, nullptr);
  if (purge) PurgeAnonymousBlocks(graph);
  filer.SetProgressTotal(ProgressTotal(graph));
  FcDwgWriteResult result = FcDwgWriteResult::kDone;
  try {
    const std::vector<std::uint8_t> dib = preview ? RenderPreview(graph) : std::vector<std::uint8_t>();
    WriteDwgFile(filer, graph, dib.empty() ? nullptr : &dib);
    if (!filer.Close()) result = FcDwgWriteResult::kFailed;
  } catch (const std::exception&) {
    result = FcDwgWriteResult::kFailed;
  }
  ProgressEnd();
  return result;
}

}  // namespace

void SetDwgPreviewRenderer(FcDwgPreviewRenderer renderer) {
  const std::lock_guard lock(RendererMutex());
  Renderer() = std::move(renderer);
}

FcDwgWriteResult WriteDwgFile(FcFilerDwg& filer, FcGraph& graph, const std::vector<std::uint8_t>* previewDib) {
  FillHeaderHandles(graph);
  FcSystemVar& vars = graph.GetSysVars();
  FcDwgSections sections;
  filer.SetVersion(FcFilerDwg::kVersion2000);
  WriteDwgFileHeader(filer, sections, static_cast<std::uint16_t>(CodePageToDwgCodePage(vars.dwgcodepage)));
  WriteDwgAuxHeader(filer, sections);
  WriteDwgPreviewImage(filer, previewDib);
  WriteDwgHeader(vars, filer, sections.locators[kDwgHeaderVariablesRecord]);
  graph.GetClassList().WriteDwg(filer, sections.locators[kDwgClassesRecord]);
  for (int i = 0; i < kZerosBeforeObjects; ++i) filer.WriteRawByte(0);
  WriteObjects(filer, graph);
  WriteDwgObjectMap(filer, sections);
  WriteDwgFixedSection(filer, sections);
  WriteDwgSecondHeader(filer, sections);
  WriteDwgSectionLocators(filer, sections);
  return FcDwgWriteResult::kDone;
}

FcDwgWriteResult WriteDwg(FcGraph& graph, const std::string& path, bool purge, bool preview) {
  graph.SetFileKind(FcFileKind::kDwg);
  const FcDwgWriteResult result = WriteFile(graph, path, purge, preview);
  if (result != FcDwgWriteResult::kDone) return result;
  FcSystemVar& vars = graph.GetSysVars();
  vars.dwgtitled = 1;
  vars.SetDwgName(PathFileName(path));
  vars.SetDwgPrefix(PathDirectory(path));
  vars.Modified = 0;
  vars.AutosaveState = 0;
  return FcDwgWriteResult::kDone;
}
