#include <cstdint>
#include <string>

#include "commands/block/block_commands.h"
#include "commands/block/image_procedures.h"
#include "commands/dialogs/img_adjust_dlg.h"
#include "commands/undo_section.h"
#include "core/resbuf.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "display/color_table.h"
#include "display/display_device.h"
#include "display/display_surface.h"
#include "entities/raster_image.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"
#include "shell/select_objects.h"

namespace {

// The screen's background colour as RGB: Fade blends toward it.
std::uint32_t BackgroundColor(const FcGraph& graph) {
  const FcDisplaySurface* surface = graph.GetDisplaySurface();
  const FcDisplayDevice* device = surface != nullptr ? surface->GetDevice() : nullptr;
  if (device == nullptr) return ColorIndexRgb(7);
  return device->backgroundIndex < 0 ? device->backgroundRgb : ColorIndexRgb(device->backgroundIndex);
}

bool InRange(int value) { return value >= CImgAdjustDlg::kMinValue && value <= CImgAdjustDlg::kMaxValue; }

// The box's values given to one image; a value the image cannot hold
// leaves the image's own.
void ApplyTo(FcRasterImage& image, const CImgAdjustDlg& dialog) {
  const auto keep = [](int wanted, std::int16_t old) {
    return InRange(wanted) ? static_cast<std::int16_t>(wanted) : old;
  };
  image.SetDisplaySettings(keep(dialog.m_nBrightness, image.GetBrightness()),
                           keep(dialog.m_nContrast, image.GetContrast()), keep(dialog.m_nFade, image.GetFade()));
  const std::int16_t flags = dialog.m_bShowImage != 0
                                 ? static_cast<std::int16_t>(image.GetDisplayFlags() | FcRasterImage::kShowImage)
                                 : static_cast<std::int16_t>(image.GetDisplayFlags() & ~FcRasterImage::kShowImage);
  // No flags at all would leave an image nobody can see or pick again;
  // the four flag bits allow up to 15.
  if (flags >= 1 && flags <= 15) image.SetDisplayFlags(flags);
}

}  // namespace

int AdjustImageEntity(FcEntitySets& entities) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr || entities.GetCount() == 0) return kStatusDone;
  auto* first = dynamic_cast<FcRasterImage*>(entities.GetAt(0));
  if (first == nullptr) return kStatusDone;
  const FcRasterImageDef* definition = first->FindImageDef(graph);
  if (definition == nullptr) {
    PrintMessage("Can not find image definition object!");
    return kStatusDone;
  }
  CImgAdjustDlg dialog;
  dialog.m_dibOriginal.CopyFrom(definition->GetPicture());
  dialog.m_nBrightness = first->GetBrightness();
  dialog.m_nContrast = first->GetContrast();
  dialog.m_nFade = first->GetFade();
  dialog.m_crBackground = BackgroundColor(*graph);
  dialog.m_bShowImage = (first->GetDisplayFlags() & FcRasterImage::kShowImage) != 0 ? 1 : 0;
  if (RunModalDialog(dialog) != CModalDialog::kOk) return kStatusDone;
  FcUndoSection section(*graph, "ImageAdjust", FcUndoSection::Steps::kWholeRun);
  if (!section.RecordChanged(entities)) return kStatusDone;
  for (int i = 0; i < entities.GetCount(); ++i) {
    if (auto* image = dynamic_cast<FcRasterImage*>(entities.GetAt(i))) ApplyTo(*image, dialog);
  }
  graph->RedrawEntities(&entities);
  graph->Redraw();
  return kStatusDone;
}

int CmdImageAdjust() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcEntitySets selection(16);
  if (SelectObjects("", selection) != FC_INPUT_OK) return kStatusDone;
  FcEntitySets dropped(16);
  for (int i = selection.GetCount() - 1; i >= 0; --i) {
    if (dynamic_cast<FcRasterImage*>(selection.GetAt(i)) == nullptr) dropped.Add(selection.RemoveAt(i));
  }
  if (dropped.GetCount() > 0) {
    graph->HighlightEntities(false, &dropped);
    graph->Redraw();
  }
  if (selection.GetCount() == 0) {
    PrintMessage("There is not raster image object in the selected objects!");
    return kStatusDone;
  }
  AdjustImageEntity(selection);
  graph->HighlightEntities(false, &selection);
  graph->Redraw();
  return kStatusDone;
}
