#include "files/drawing_file.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/paths.h"
#include "database/graph.h"
#include "entities/raster_image.h"
#include "files/dwg_file.h"
#include "files/dxf_file_writer.h"
#include "filers/filer_dwg.h"
#include "platform/file_system.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"

namespace {

constexpr std::size_t kKindSignatureLength = 22;

// The kind detection of the filer, run over the first bytes of a file.
class KindDetector : public FcFilerDwg {
 public:
  FcFileKind Detect(const FcFile& file) {
    const auto length = static_cast<std::size_t>(std::min<std::int64_t>(file.GetLength(), kKindSignatureLength));
    AttachFile(std::make_unique<FcFile>(std::vector<char>(file.Data(), file.Data() + length)), FcFileKind::kDwg);
    DetectKind();
    return GetKind();
  }
};

FcOpenResult OpenResultOf(FcDwgReadResult result) {
  switch (result) {
    case FcDwgReadResult::kDone:
      return FcOpenResult::kDone;
    case FcDwgReadResult::kOtherRelease:
      return FcOpenResult::kOtherRelease;
    case FcDwgReadResult::kError:
      break;
  }
  return FcOpenResult::kReadError;
}

// A DXF file that ends inside a section is damaged, not unopenable, though
// the DXF reader's number for it is that of a file that cannot be opened.
FcOpenResult OpenResultOf(FcDxfReadResult result) {
  switch (result) {
    case FcDxfReadResult::kDone:
      return FcOpenResult::kDone;
    case FcDxfReadResult::kOtherRelease:
      return FcOpenResult::kOtherRelease;
    case FcDxfReadResult::kSectionFailed:
    case FcDxfReadResult::kNoEof:
    case FcDxfReadResult::kSkipFailed:
    case FcDxfReadResult::kHeaderFailed:
      break;
  }
  return FcOpenResult::kReadError;
}

// Reads the file of the kind into the drawing. The file is lent to the
// reader and handed back, so that a second pass needs no copy of it.
FcOpenResult ReadInto(FcGraph& graph, std::unique_ptr<FcFile>& file, FcFileKind kind, std::uint8_t& skipped) {
  FcFilerDwg filer;
  file->Seek(0, FcSeekOrigin::kBegin);
  filer.AttachFile(std::move(file), kind);
  filer.SetGraph(&graph);
  FcOpenResult result = FcOpenResult::kUnknownKind;
  switch (kind) {
    case FcFileKind::kDwg:
      EmptyGraphForReading(graph);
      result = OpenResultOf(ReadDwgFile(graph, filer));
      break;
    case FcFileKind::kAsciiDxf:
      result = OpenResultOf(ReadDxf(graph, filer, nullptr));
      break;
    case FcFileKind::kBinaryDxf:
      filer.Seek(static_cast<std::int64_t>(kKindSignatureLength), FcSeekOrigin::kBegin);
      result = OpenResultOf(ReadDxf(graph, filer, nullptr));
      break;
    default:
      break;
  }
  // The readers replace the linetype table, so the drawing's pointers to
  // its ByLayer and ByBlock records must follow, whatever the result.
  graph.RebindLinetypeRecords();
  skipped = filer.HasSkippedRecords() ? 1 : 0;
  file = filer.DetachFile();
  return result;
}

std::vector<char> AsciiDxfOf(FcGraph& graph) {
  FcFiler filer;
  filer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kAsciiDxf);
  filer.SetGraph(&graph);
  WriteDxfSections(filer, graph);
  return filer.DetachFile()->TakeBytes();
}

// True for a drawing that is still exactly what a new drawing is, with
// nothing (undo, a command thread) holding on to its records.
bool IsUntouchedNewDrawing(FcGraph& graph) {
  if (graph.GetUndoList().GetFirst() != nullptr || graph.GetWorkThread() != nullptr) return false;
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    if (blocks.GetAt(i)->GetEntities().GetCount() != 0) return false;
  }
  FcGraph fresh;
  return AsciiDxfOf(graph) == AsciiDxfOf(fresh);
}

// The drawing cannot hand its contents over to another one, so the file is
// read twice: into a scratch drawing, which takes every failure, and only
// then into the drawing itself. A drawing that is still a new one is read
// into at once: when that fails, it is made a new drawing again, which is
// all it was.
FcOpenResult ReadFile(FcGraph& graph, std::unique_ptr<FcFile> file, std::uint8_t* skipped,
                      FcSkippedRecords* skippedByKind) {
  const FcFileKind kind = KindDetector().Detect(*file);
  if (kind != FcFileKind::kDwg && kind != FcFileKind::kAsciiDxf && kind != FcFileKind::kBinaryDxf) {
    return FcOpenResult::kUnknownKind;
  }
  std::uint8_t skippedFlag = 0;
  if (IsUntouchedNewDrawing(graph)) {
    const FcSystemVar vars = graph.GetSysVars();
    const FcFileKind ownKind = graph.GetFileKind();
    const FcOpenResult result = ReadInto(graph, file, kind, skippedFlag);
    if (result != FcOpenResult::kDone) {
      graph.InitDefaults();
      graph.GetSysVars() = vars;
      graph.SetFileKind(ownKind);
      return result;
    }
  } else {
    {
      FcGraph scratch;
      const FcOpenResult result = ReadInto(scratch, file, kind, skippedFlag);
      if (result != FcOpenResult::kDone) return result;
    }
    const FcOpenResult result = ReadInto(graph, file, kind, skippedFlag);
    if (result != FcOpenResult::kDone) return result;
  }
  graph.SetFileKind(kind);
  if (skipped != nullptr) *skipped = skippedFlag;
  if (skippedByKind != nullptr) *skippedByKind = graph.GetSkippedRecords();
  CompleteDefaultObjects(graph);
  graph.GetBlockList().RemoveExternalBlocks();
  // A reference to a block the file lacks would draw nothing and could not
  // be written back.
  for (int i = 0; i < graph.GetBlockList().GetBlockCount(); ++i) {
    graph.GetBlockList().GetAt(i)->GetEntities().DropInsertsOfMissingBlocks();
  }
  // Images read from the file know their definitions by handle only; the
  // writers need every image bound to its definition with a reactor.
  AttachRasterImages(graph.GetBlockList(), graph);
  return FcOpenResult::kDone;
}

// What a failed save, and the opening of a template, must leave as it was.
struct DrawingIdentity {
  explicit DrawingIdentity(const FcGraph& graph)
      : kind(graph.GetFileKind()),
        name(graph.GetSysVars().dwgname.str()),
        prefix(graph.GetSysVars().dwgprefix.str()),
        titled(graph.GetSysVars().dwgtitled),
        modified(graph.GetSysVars().Modified),
        autosave(graph.GetSysVars().AutosaveState) {}

  void Restore(FcGraph& graph) const {
    FcSystemVar& vars = graph.GetSysVars();
    graph.SetFileKind(kind);
    vars.SetDwgName(name);
    vars.SetDwgPrefix(prefix);
    vars.dwgtitled = titled;
    vars.Modified = modified;
    vars.AutosaveState = autosave;
  }

  FcFileKind kind;
  std::string name;
  std::string prefix;
  short titled;
  short modified;
  short autosave;
};

void TakeSavedName(FcGraph& graph, const std::string& path, FcFileKind kind) {
  FcSystemVar& vars = graph.GetSysVars();
  graph.SetFileKind(kind);
  vars.dwgtitled = 1;
  vars.SetDwgName(PathFileName(path));
  vars.SetDwgPrefix(PathDirectory(path));
  vars.Modified = 0;
  vars.AutosaveState = 0;
}

// A name in the target's folder, so that the final rename stays within
// one file system and cannot meet a file of another save.
std::string TemporaryPathBeside(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return PathDirectory(path) + "." + PathFileName(path) + ".kovra-" + std::to_string(::getpid()) + "-" +
         std::to_string(counter++);
}

void KeepPermissionsOf(const std::string& original, const std::string& replacement) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(original, error);
  if (error || !std::filesystem::is_regular_file(status)) return;
  std::filesystem::permissions(replacement, status.permissions(), error);
}

// Lets write fill a temporary file beside the path, then puts it in the
// path's place (after the backup copy); the writer's result, or
// kCannotCreate when the file cannot be put in place. The temporary file
// never outlives a failure.
FcSaveResult ReplaceWithWrittenFile(const std::string& path, bool backup,
                                    const std::function<FcSaveResult(const std::string&)>& write) {
  const std::string temporary = TemporaryPathBeside(path);
  std::error_code error;
  const FcSaveResult result = write(temporary);
  if (result != FcSaveResult::kDone) {
    std::filesystem::remove(temporary, error);
    return result;
  }
  KeepPermissionsOf(path, temporary);
  // A backup that cannot be made does not stop the save.
  if (backup && FileExists(path)) {
    std::filesystem::copy_file(path, PathWithoutExtension(path, ".bak"),
                               std::filesystem::copy_options::overwrite_existing, error);
  }
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    return FcSaveResult::kCannotCreate;
  }
  return FcSaveResult::kDone;
}

FcSaveResult SaveResultOf(FcDxfWriteResult result) {
  switch (result) {
    case FcDxfWriteResult::kDone:
      return FcSaveResult::kDone;
    case FcDxfWriteResult::kCannotCreate:
      return FcSaveResult::kCannotCreate;
    case FcDxfWriteResult::kHeaderFailed:
      return FcSaveResult::kDxfHeaderFailed;
    case FcDxfWriteResult::kTablesFailed:
      return FcSaveResult::kDxfTablesFailed;
    case FcDxfWriteResult::kBlocksFailed:
      return FcSaveResult::kDxfBlocksFailed;
    case FcDxfWriteResult::kEntitiesFailed:
      return FcSaveResult::kDxfEntitiesFailed;
    case FcDxfWriteResult::kObjectsFailed:
      return FcSaveResult::kDxfObjectsFailed;
    case FcDxfWriteResult::kEofFailed:
      break;
  }
  return FcSaveResult::kDxfEofFailed;
}

FcSaveResult SaveResultOf(FcDwgWriteResult result) {
  switch (result) {
    case FcDwgWriteResult::kDone:
      return FcSaveResult::kDone;
    case FcDwgWriteResult::kCannotCreate:
      return FcSaveResult::kCannotCreate;
    case FcDwgWriteResult::kFailed:
      break;
  }
  return FcSaveResult::kDwgWriteFailed;
}

bool IsDxfKind(FcFileKind kind) { return kind == FcFileKind::kAsciiDxf || kind == FcFileKind::kBinaryDxf; }

FcSaveResult SaveAs(FcGraph& graph, const std::string& path, FcFileKind kind, bool purge, bool preview,
                    bool backup) {
  const DrawingIdentity before(graph);
  const FcSaveResult result = ReplaceWithWrittenFile(path, backup, [&](const std::string& temporary) {
    if (IsDxfKind(kind)) return SaveResultOf(WriteDxfFile(graph, temporary, kind, purge));
    return SaveResultOf(WriteDwg(graph, temporary, purge, preview));
  });
  if (result != FcSaveResult::kDone) {
    before.Restore(graph);
    return result;
  }
  TakeSavedName(graph, path, IsDxfKind(kind) ? kind : FcFileKind::kDwg);
  return FcSaveResult::kDone;
}

}  // namespace

FcOpenResult OpenDrawingFromMemory(FcGraph& graph, std::vector<char> bytes, std::uint8_t* skipped,
                                   FcSkippedRecords* skippedByKind) {
  return ReadFile(graph, std::make_unique<FcFile>(std::move(bytes)), skipped, skippedByKind);
}

FcOpenResult OpenDrawing(FcGraph& graph, const std::string& path, bool isTemplate, std::uint8_t* skipped,
                         FcSkippedRecords* skippedByKind) {
  auto file = std::make_unique<FcFile>();
  if (!file->Open(path, kFcOpenRead)) {
    PrintMessage(isTemplate ? kCannotOpenTemplateMessage : kCannotOpenDrawingMessage);
    return FcOpenResult::kCannotOpen;
  }
  const DrawingIdentity before(graph);
  PrintMessage(isTemplate ? std::string("Reading template file...") : "Opening file " + path + " ...");
  ProgressStart(isTemplate ? "Reading template file..." : "Opening file...");
  const FcOpenResult result = ReadFile(graph, std::move(file), skipped, skippedByKind);
  ProgressEnd();
  if (!isTemplate) {
    if (result != FcOpenResult::kDone) return result;
    FcSystemVar& vars = graph.GetSysVars();
    vars.dwgtitled = 1;
    vars.SetDwgName(PathFileName(path));
    vars.SetDwgPrefix(PathDirectory(path));
    return result;
  }
  if (result != FcOpenResult::kDone) {
    PrintMessage(kTemplateFailedMessage);
    graph.GetSysVars().SetDefaults();
    graph.InitDefaults();
  }
  const FcFileKind kind = graph.GetFileKind();
  before.Restore(graph);
  graph.SetFileKind(kind);
  graph.GetSysVars().Modified = before.modified != 0 ? 1 : 0;
  return result;
}

FcSaveResult SaveDrawing(FcGraph& graph, const std::string& path, FcFileKind kind, bool purge, bool preview) {
  graph.GetViewportList().GetActive().CaptureFromGraph(graph);
  RebuildImageReactors(graph);
  return SaveAs(graph, path, kind, purge, preview, GetProgramSettings().save_backup != 0);
}

FcSaveResult WriteDxf(FcGraph& graph, const std::string& path, bool purge) {
  const FcFileKind kind = IsDxfKind(graph.GetFileKind()) ? graph.GetFileKind() : FcFileKind::kBinaryDxf;
  return SaveAs(graph, path, kind, purge, false, false);
}
