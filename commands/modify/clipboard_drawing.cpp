#include "commands/modify/clipboard_drawing.h"

#include <memory>
#include <utility>
#include <vector>

#include "database/graph.h"
#include "files/dxf_file_reader.h"
#include "files/dxf_file_writer.h"
#include "files/graph_insert.h"
#include "filers/filer.h"
#include "platform/clipboard.h"

bool CopyBlockToClipboard(FcGraph& graph, FcBlock& block) {
  std::unique_ptr<FcGraph> drawing = CreateFromBlock(graph, block);
  if (drawing == nullptr) return false;
  drawing->SetFileKind(FcFileKind::kBinaryDxf);
  FcFiler filer;
  // Attached rather than opened: nothing writes the sentinel.
  filer.AttachFile(std::make_unique<FcFile>(), FcFileKind::kBinaryDxf);
  filer.SetGraph(drawing.get());
  const FcDxfWriteResult result = WriteDxfSections(filer, *drawing);
  const std::vector<char> bytes = filer.DetachFile()->TakeBytes();
  return result == FcDxfWriteResult::kDone && PutClipboardData(kDrawingClipboardFormat, bytes);
}

bool ReadClipboardDrawing(FcGraph& drawing) {
  std::vector<char> bytes;
  if (!GetClipboardData(kDrawingClipboardFormat, bytes)) return false;
  drawing.SetFileKind(FcFileKind::kBinaryDxf);
  FcFiler filer;
  filer.AttachFile(std::make_unique<FcFile>(std::move(bytes)), FcFileKind::kBinaryDxf);
  // A transfer shows no progress.
  filer.SetProgressTotal(0);
  filer.SetGraph(&drawing);
  const bool read = ReadDxf(drawing, filer, nullptr) == FcDxfReadResult::kDone;
  // The reader replaces the linetype table.
  drawing.RebindLinetypeRecords();
  // The name the copied drawing carries is not a file of its own: a paste
  // goes into a new block, rather than redefining the block an earlier
  // paste made under that name.
  drawing.GetSysVars().dwgtitled = 0;
  return read;
}
