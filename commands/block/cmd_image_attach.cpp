#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <string>

#include "commands/block/block_commands.h"
#include "commands/block/image_procedures.h"
#include "commands/command_support.h"
#include "commands/dialogs/img_attach_dlg.h"
#include "commands/dialogs/open_dwg_dlg.h"
#include "core/paths.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/object.h"
#include "database/undo_items.h"
#include "database/undo_list.h"
#include "display/drag_image.h"
#include "entities/raster_image.h"
#include "entities/undo_image_items.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

namespace {

constexpr const char* kCannotLoad = "Can not load the raster image!";

FcDictionary* ImageDictionary(FcGraph& graph) {
  return dynamic_cast<FcDictionary*>(graph.GetNamedObjects().GetAt(kImageDictionaryName));
}

// The dictionary entry name of a new definition: its file's title, cut to
// what an entry holds.
std::string ImageName(const std::string& savedPath) {
  return PathFileTitle(savedPath).substr(0, FcDictionary::kMaxEntryName);
}

// A new definition of the saved path, loaded; null (after the message)
// when it cannot be made or its picture cannot be read, since an image of
// no known pixel size has no extent.
std::unique_ptr<FcRasterImageDef> NewDefinition(FcGraph& graph, const std::string& savedPath) {
  std::unique_ptr<FcRasterImageDef> definition(dynamic_cast<FcRasterImageDef*>(graph.CreateObject("IMAGEDEF")));
  if (definition == nullptr) {
    PrintMessage("Can not create or find the image definition object!");
    return nullptr;
  }
  definition->SetFilePath(savedPath);
  definition->SetLoaded(!savedPath.empty());
  if (savedPath.size() > FcRasterImageDef::kMaxPath || !definition->Load(&graph)) {
    PrintMessage(kCannotLoad);
    return nullptr;
  }
  return definition;
}

// What the prompts give: the insertion point (user coordinates), the
// scale and the angle in the world.
struct Placement {
  FcPoint2d point;
  double scale = 1.0;
  double angle = 0.0;
};

// The statuses a prompt of the attach goes on with.
bool Answered(int status) { return status == FC_INPUT_OK || status == FC_INPUT_NONE; }

// Asks what the box left to the screen; false when a prompt was cancelled.
bool AskPlacement(FcGraph& graph, const CImgAttachDlg& dialog, double width, double height, Placement& out) {
  std::string text;
  FcDragImage band = FcDragImage::Outline(FcDragImage::kInsertionPoint, FcPoint2d(0.0, 0.0), width, height);
  out.point = FcPoint2d(dialog.m_dX, dialog.m_dY);
  if (dialog.m_bPointOnScreen != 0) {
    SetDragObject(&band);
    const int status = GetPoint(nullptr, "Specify insertion point <0,0>", out.point, text);
    if (!Answered(status)) return false;
    if (status == FC_INPUT_NONE) out.point = FcPoint2d(0.0, 0.0);
  }
  const FcSystemVar& vars = graph.GetSysVars();
  PrintMessage("Base image size: Width: " + FormatDecimal(vars.luprec, width) +
               ", Height: " + FormatDecimal(vars.luprec, height));
  out.scale = dialog.m_dScale;
  if (dialog.m_bScaleOnScreen != 0) {
    band.insertion = out.point;
    band.kind = FcDragImage::kScale;
    SetDragObject(&band);
    // An image of no extent, or turned over, is no image.
    SetKeywords("", kInputRefuseZero | kInputRefuseNegative);
    const int status = GetDistance(&out.point, "Specify scale factor <1>", out.scale, text);
    if (!Answered(status)) return false;
    if (status == FC_INPUT_NONE) out.scale = 1.0;
  }
  if (!(out.scale > 0.0) || !std::isfinite(out.scale)) {
    PrintMessage(CImgAttachDlg::kScaleNotPositive);
    return false;
  }
  if (dialog.m_bRotationOnScreen != 0) {
    band.width = width * out.scale;
    band.height = height * out.scale;
    band.kind = FcDragImage::kRotation;
    SetDragObject(&band);
    const int status = GetAbsoluteAngle(&out.point, "Specify rotation angle <0>", out.angle, text);
    if (!Answered(status)) return false;
    if (status == FC_INPUT_NONE) out.angle = vars.angbase;
  } else {
    out.angle = vars.angbase + dialog.m_dAngle * kPi / 180.0;
    if (vars.angdir == 1) out.angle = kTwoPi - out.angle;
  }
  graph.AngleToUcs(out.angle);
  return true;
}

}  // namespace

void AttachImage(const std::string& foundPath, const std::string& savedPath, const std::string& newFile) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return;
  CImgAttachDlg dialog;
  dialog.m_strFoundPath = foundPath;
  dialog.m_strSavedPath = savedPath;
  dialog.m_strNewFile = newFile;
  if (graph->GetSysVars().dwgtitled != 0) dialog.m_strDrawingFolder = graph->GetSysVars().dwgprefix.str();
  dialog.m_pImageDict = ImageDictionary(*graph);
  if (RunModalDialog(dialog) != CModalDialog::kOk) return;

  std::unique_ptr<FcRasterImageDef> made;
  FcRasterImageDef* definition = nullptr;
  std::string imageName;
  if (dialog.ChoosesNewFile()) {
    imageName = ImageName(dialog.m_strSavedPath);
    // A new definition never takes the entry of one the drawing has: the
    // images that use that one would be left without a definition.
    if (dialog.m_pImageDict != nullptr && dialog.m_pImageDict->GetAt(imageName) != nullptr) {
      ShowMessageBox("KOVRA", CImgAttachDlg::kSameName);
      return;
    }
    made = NewDefinition(*graph, dialog.m_strSavedPath);
    definition = made.get();
    if (definition == nullptr) return;
  } else {
    definition = dialog.ChosenDefinition();
    if (definition == nullptr) {
      PrintMessage("Can not create or find the image definition object!");
      return;
    }
    if (!definition->IsImageLoaded()) {
      definition->Load(graph);
      if (definition->GetLoaded() == 0) definition->SetLoaded(false);
    }
  }
  const FcPoint2d pixels = definition->GetPixelSize();
  if (!(pixels.x > 0.0) || !(pixels.y > 0.0)) {
    PrintMessage(kCannotLoad);
    return;
  }

  std::unique_ptr<FcRasterImage> image(dynamic_cast<FcRasterImage*>(graph->CreateObject("IMAGE")));
  if (image == nullptr) {
    PrintMessage("Can not create image object!");
    return;
  }
  const FcPoint2d size = definition->GetNormalizedSize();
  Placement placement;
  if (!AskPlacement(*graph, dialog, size.x, size.y, placement)) return;

  auto group = std::make_unique<FcGroupUndo>();
  if (made != nullptr) {
    FcDictionary* dictionary = NamedObjectOrNew<FcDictionary>(*graph, kImageDictionaryName);
    auto before = std::make_unique<FcImgDefUndoItem>();
    if (dictionary == nullptr) {
      PrintMessage(kNoMemoryMessage);
      return;
    }
    before->Capture(*graph);
    group->AddChild(before.release());
    dictionary->SetAt(imageName, made.release());
  }

  image->SetInsertionPoint(UcsToWorldPoint(*graph, placement.point));
  image->SetImageDef(definition);
  const double pixel = placement.scale / std::max(pixels.x, pixels.y);
  const double a = placement.angle;
  image->SetVectors(FcPoint2d(pixel * std::cos(a), pixel * std::sin(a)),
                    FcPoint2d(-pixel * std::sin(a), pixel * std::cos(a)));
  FcRasterImage* placed = image.release();
  graph->AddEntity(placed, false);
  placed->AttachImageDef(*graph);
  graph->Redraw();
  auto created = std::make_unique<FcEntSetsUndoItem>();
  created->Record(kUndoCreated, placed);
  group->AddChild(created.release());
  group->SetName("ImageAttach");
  AddUndoItem(*graph, group.release());
}

int CmdImageAttach() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::string path;
  if (!BrowseImageFile(path)) return kStatusDone;
  if (const FcDictionary* dictionary = ImageDictionary(*graph)) {
    // Entry names are cut to what an entry holds.
    const std::string title = ImageName(path);
    for (int i = dictionary->GetEntryCount() - 1; i >= 0; --i) {
      const FcDictionaryEntry& entry = dictionary->GetEntry(i);
      const auto* definition = dynamic_cast<const FcRasterImageDef*>(entry.object);
      if (definition == nullptr || !EqualsNoCase(entry.name, title)) continue;
      if (!EqualsNoCase(definition->GetResolvedPath(), path)) {
        ShowMessageBox("KOVRA", CImgAttachDlg::kSameName);
        return kStatusDone;
      }
      AttachImage(path, definition->GetFilePath(), "");
      return kStatusDone;
    }
  }
  AttachImage(path, path, path);
  return kStatusDone;
}
