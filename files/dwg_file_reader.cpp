#include <string>
#include <vector>

#include "core/code_pages.h"
#include "core/paths.h"
#include "database/dim_style.h"
#include "database/graph.h"
#include "database/header_vars.h"
#include "files/dwg_file.h"
#include "filers/dwg_sections.h"

namespace {

// A preview BMP stands behind a 14-byte file header.
constexpr std::uint32_t kBmpFileHeaderSize = 14;
constexpr std::uint32_t kBmpInfoHeaderSize = 40;
// The preview of a file without usable header: 8 bits with 256 colours.
constexpr std::uint32_t kDefaultPixelOffset = kBmpFileHeaderSize + kBmpInfoHeaderSize + 256 * 4;
constexpr std::uint8_t kPreviewHeaderCode = 1;
constexpr std::uint8_t kPreviewBitmapCode = 2;
constexpr std::uint8_t kPreviewMetafileCode = 3;

std::uint32_t LittleEndian32(const std::vector<char>& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
  }
  return value;
}

// Where the pixels of the stored bitmap start in the BMP file: after the
// file header, the information header and the colour table that the
// information header announces.
std::uint32_t PixelOffset(const std::vector<char>& dib) {
  if (dib.size() < kBmpInfoHeaderSize || LittleEndian32(dib, 0) != kBmpInfoHeaderSize) return kDefaultPixelOffset;
  const std::uint32_t bitCount = LittleEndian32(dib, 14) & 0xFFFF;
  const std::uint32_t compression = LittleEndian32(dib, 16);
  std::uint32_t colours = LittleEndian32(dib, 32);
  if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
  if (colours > 256) colours = 256;
  const std::uint32_t masks = compression == 3 ? 12 : 0;
  return kBmpFileHeaderSize + kBmpInfoHeaderSize + masks + colours * 4;
}

void AppendLittleEndian32(std::vector<char>& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

bool ReadTables(FcGraph& graph, FcFilerDwg& filer) {
  const FcHeaderHandles& handles = graph.GetSysVars().HeaderHandles;

  graph.GetAppIdList().SetHandle(handles.appIdControl);
  if (graph.GetAppIdList().ReadDwg(filer) != kFcStatusOk) return false;

  if (graph.GetTextStyleList().ReadDwg(filer) != kFcStatusOk) return false;
  if (graph.GetTextStyleList().Find("standard") == nullptr) graph.FindOrCreateTextStyle("standard");
  // A drawing read over an older one must not keep pointing at a style the
  // read deleted.
  graph.SetCurrentTextStyleByHandle(handles.currentTextStyle);
  if (graph.GetTextStyleList().FindByHandle(handles.currentTextStyle) == nullptr) graph.SetCurrentTextStyle("standard");

  FcLinetypeList& linetypes = graph.GetLinetypeList();
  if (linetypes.ReadDwg(filer) != kFcStatusOk) return false;
  if (linetypes.FindByHandle(handles.byLayerLinetype) == nullptr ||
      linetypes.FindByHandle(handles.byBlockLinetype) == nullptr ||
      linetypes.FindByHandle(handles.continuousLinetype) == nullptr) {
    return false;
  }
  graph.SetCurrentLinetypeByHandle(handles.currentLinetype);
  if (linetypes.FindByHandle(handles.currentLinetype) == nullptr) graph.SetCurrentLinetype("ByLayer");

  if (graph.GetLayerList().ReadDwg(filer) != kFcStatusOk) return false;
  if (graph.GetLayerList().FindByName("0") == nullptr) graph.FindOrCreateLayer("0");
  graph.SetCurrentLayerByHandle(handles.currentLayer);

  if (graph.GetDimStyleList().ReadDwg(filer) != kFcStatusOk) return false;
  graph.SetCurrentDimStyleByHandle(handles.currentDimStyle);

  if (graph.GetUcsList().ReadDwg(filer) != kFcStatusOk) return false;
  if (graph.GetViewportList().ReadDwg(filer) != kFcStatusOk) return false;

  // The one part whose damage is tolerated: the defaults are made again
  // after the read.
  FcDictionary& namedObjects = graph.GetNamedObjects();
  namedObjects.RemoveAll();
  namedObjects.SetHandle(handles.namedObjectDictionary);
  if (namedObjects.ReadDwg(filer) != kFcStatusOk) namedObjects.RemoveAll();
  namedObjects.RemoveUnresolved(true);

  graph.GetBlockList().SetGraph(&graph);
  return graph.GetBlockList().ReadDwg(filer) == kFcStatusOk;
}

// The bindings after the tables: arrowheads, the active viewport, the
// file's name, model space and the reserved tables' handles.
bool BindDrawing(FcGraph& graph, FcFilerDwg& filer) {
  FcSystemVar& vars = graph.GetSysVars();
  const FcHeaderHandles& handles = vars.HeaderHandles;
  graph.GetDimStyleList().ResolveBlockNames();
  // The arrow names are known only now that the blocks are read: the
  // dimension variables take them from the current style again.
  if (const FcDimStyle* current = graph.GetCurrentDimStyle()) SetDimVarsFromStyle(vars, *current);

  FcViewport& active = graph.GetViewportList().GetActive();
  if (active.GetHandle() == 0) active.SetHandle(TakeHandle(graph.GetHandleSeed()));

  const std::string path = filer.GetFilePath();
  if (!path.empty()) {
    vars.SetDwgName(filer.GetFileName());
    vars.SetDwgPrefix(PathDirectory(path));
  }
  vars.dwgtitled = 1;

  FcBlockList& blocks = graph.GetBlockList();
  FcBlock* modelSpace = blocks.FindByHandle(handles.modelSpaceBlock);
  if (modelSpace == nullptr || blocks.FindByHandle(handles.paperSpaceBlock) == nullptr) return false;
  graph.SetCurrentBlock(modelSpace);
  graph.SetCurrentEntitySet(&modelSpace->GetEntities());
  modelSpace->GetEntities().SetGrowthStep(kFcModelSpaceGrowth);

  graph.GetViewList().SetHandle(handles.viewControl);
  graph.GetViewHeaderCtrl().SetHandle(handles.viewportEntityHeaderControl);
  return true;
}

}  // namespace

FcDwgReadResult ReadDwgFile(FcGraph& graph, FcFilerDwg& filer) {
  FcDwgSections sections;
  switch (ReadDwgVersion(filer, sections)) {
    case FcDwgVersionResult::kRead:
      break;
    case FcDwgVersionResult::kOtherRelease:
      return FcDwgReadResult::kOtherRelease;
    case FcDwgVersionResult::kNotDwg:
      return FcDwgReadResult::kError;
  }
  filer.SetGraph(&graph);

  filer.Seek(kDwgCodePageOffset, FcSeekOrigin::kBegin);
  std::uint8_t low = 0;
  std::uint8_t high = 0;
  if (!filer.ReadRawChar(low) || !filer.ReadRawChar(high)) return FcDwgReadResult::kError;
  FcSystemVar& vars = graph.GetSysVars();
  vars.SetCodePage(DwgCodePageToCodePage(low | (high << 8)));
  filer.SetCodePage(static_cast<std::uint16_t>(vars.dwgcodepage));

  if (!ReadSectionLocators(filer, sections) || !ReadObjectMap(filer, sections) || !CheckObjectRecords(filer)) {
    return FcDwgReadResult::kError;
  }
  if (ReadDwgHeader(vars, filer, sections.locators[kDwgHeaderVariablesRecord]) != 0) return FcDwgReadResult::kError;
  // The seed the header gives may lie behind handles of the file; new
  // objects must never take those.
  const std::vector<FcObjectMapEntry>& objects = filer.GetObjectMap().Entries();
  if (!objects.empty()) RaiseHandleSeed(vars.handseed, objects.back().handle);
  if (vars.handseed > kFcLargestFileHandleSeed) return FcDwgReadResult::kError;
  if (graph.GetClassList().ReadDwg(filer, sections.locators[kDwgClassesRecord]) != 0) return FcDwgReadResult::kError;
  filer.StepProgress(1);

  if (!ReadTables(graph, filer) || !BindDrawing(graph, filer)) return FcDwgReadResult::kError;
  graph.SetSkippedRecords(filer.GetSkippedByKind());
  return FcDwgReadResult::kDone;
}

bool ReadDwgPreviewImage(FcFile& output, FcFilerDwg& filer) {
  FcDwgSections sections;
  if (ReadDwgVersion(filer, sections) != FcDwgVersionResult::kRead) return false;
  const std::int64_t address = sections.previewAddress;
  if (filer.Seek(address, FcSeekOrigin::kBegin) != address || !filer.CheckSentinel(kDwgPreviewStartSentinel)) {
    return false;
  }
  std::uint32_t overallSize = 0;
  std::uint8_t count = 0;
  if (!filer.ReadRawLong(overallSize) || !filer.ReadRawChar(count) || static_cast<std::int8_t>(count) <= 0) {
    return false;
  }
  std::uint32_t bitmapStart = 0;
  std::uint32_t bitmapSize = 0;
  std::uint32_t metafileStart = 0;
  std::uint32_t metafileSize = 0;
  for (int i = 0; i < count; ++i) {
    std::uint8_t code = 0;
    if (!filer.ReadRawChar(code)) return false;
    if (code != kPreviewHeaderCode && code != kPreviewBitmapCode && code != kPreviewMetafileCode) continue;
    std::uint32_t start = 0;
    std::uint32_t size = 0;
    if (!filer.ReadRawLong(start) || !filer.ReadRawLong(size)) return false;
    if (code == kPreviewBitmapCode) {
      bitmapStart = start;
      bitmapSize = size;
    } else if (code == kPreviewMetafileCode) {
      metafileStart = start;
      metafileSize = size;
    }
  }
  const std::int64_t length = filer.GetFile()->GetLength();
  if (bitmapStart == 0 || bitmapSize == 0 || std::int64_t{bitmapStart} + bitmapSize > length) return false;
  std::vector<char> dib(filer.GetFile()->Data() + bitmapStart, filer.GetFile()->Data() + bitmapStart + bitmapSize);

  std::vector<char> bmp;
  bmp.reserve(kBmpFileHeaderSize + dib.size());
  bmp.push_back('B');
  bmp.push_back('M');
  AppendLittleEndian32(bmp, bitmapSize + kBmpFileHeaderSize);
  AppendLittleEndian32(bmp, 0);
  AppendLittleEndian32(bmp, PixelOffset(dib));
  bmp.insert(bmp.end(), dib.begin(), dib.end());
  output.Seek(0, FcSeekOrigin::kBegin);
  output.Write(bmp.data(), bmp.size());

  std::int64_t after = std::int64_t{bitmapStart} + bitmapSize;
  if (metafileStart > 0 && metafileSize > 0) {
    after = std::int64_t{metafileStart} + metafileSize;
    if (after > length) return false;
  }
  return filer.Seek(after, FcSeekOrigin::kBegin) == after && filer.CheckSentinel(kDwgPreviewEndSentinel);
}
