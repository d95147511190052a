#include "display/dim_style_preview.h"

#include <cmath>
#include <memory>
#include <new>

#include "core/geometry_basics.h"
#include "core/matrix2d.h"
#include "database/block.h"
#include "database/dim_style.h"
#include "database/entity_sets.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/linetype.h"
#include "display/display_surface.h"
#include "entities/arc.h"
#include "entities/dim_angular.h"
#include "entities/dim_linear.h"
#include "entities/dim_radial.h"
#include "entities/line.h"

namespace {

constexpr std::int16_t kSampleColor = 45;
constexpr int kPreviewGrowth = 128;

FcEntity* SampleLine(FcPoint2d start, FcPoint2d end) {
  auto* line = new (std::nothrow) FcLine;
  if (line == nullptr) return nullptr;
  line->SetStartPoint(start);
  line->SetEndPoint(end);
  return line;
}

FcEntity* SampleArc() {
  auto* arc = new (std::nothrow) FcArc;
  if (arc == nullptr) return nullptr;
  arc->SetCenter({11.17, 11.17});
  arc->SetRadius(11.17);
  arc->SetStartAngle(kPi);
  arc->SetEndAngle(3.0 * kHalfPi);
  return arc;
}

template <typename Dimension>
Dimension* SampleDimension(FcPoint2d p13, FcPoint2d p14, FcPoint2d p10, FcPoint2d text) {
  auto* dimension = new (std::nothrow) Dimension;
  if (dimension == nullptr) return nullptr;
  dimension->SetDefPoint13(p13);
  dimension->SetDefPoint14(p14);
  dimension->SetDefPoint10(p10);
  dimension->SetTextMidpoint(text);
  return dimension;
}

FcEntity* SampleRotated(FcPoint2d p13, FcPoint2d p14, double rotation, FcPoint2d p10, FcPoint2d text) {
  FcDimRotate* dimension = SampleDimension<FcDimRotate>(p13, p14, p10, text);
  if (dimension != nullptr) dimension->SetRotation(rotation);
  return dimension;
}

FcEntity* SampleAngle() {
  FcDim2LAng* dimension = SampleDimension<FcDim2LAng>({11.17, 0}, {41.0247, 0}, {26.9897, 24.3093}, {27.5983, 7.7518});
  if (dimension == nullptr) return nullptr;
  dimension->SetDefPoint15({41.0247, 0});
  dimension->SetDefPoint16({30.6018, 8.7459});
  return dimension;
}

FcEntity* SampleRadius() {
  auto* dimension = new (std::nothrow) FcDimRadius;
  if (dimension == nullptr) return nullptr;
  dimension->SetDefPoint10({11.17, 11.17});
  dimension->SetDefPoint15({3.351, 3.193});
  dimension->SetTextMidpoint({4.384, -0.234});
  return dimension;
}

// Takes the sample's entity into the drawing and the preview set: colour
// 45 and "Continuous" whatever the current properties say, invisible.
void AddSample(FcGraph& graph, FcEntitySets& preview, FcEntity* entity) {
  if (entity == nullptr) return;
  entity->SetInvisible(1);
  if (auto* dimension = dynamic_cast<FcDimension*>(entity)) {
    double horizontal = kTwoPi - std::atan2(graph.GetSysVars().GetUcsXDir().y, graph.GetSysVars().GetUcsXDir().x);
    NormalizeAngle(horizontal);
    dimension->SetHorizontalDirection(horizontal);
    dimension->SetDimStyle(graph.GetCurrentDimStyle());
  }
  graph.AddEntity(entity, false);
  entity->SetColor(kSampleColor);
  if (FcLineType* continuous = graph.GetLinetypeList().FindByName("Continuous")) entity->SetLinetype(continuous);
  preview.Add(entity);
}

}  // namespace

void BuildDimStylePreview(double scale, FcGraph& graph) {
  ClearDimStylePreview(graph);
  auto* preview = new (std::nothrow) FcEntitySets(kPreviewGrowth);
  if (preview == nullptr) return;
  graph.SetDimStylePreview(preview);
  FcEntity* const sample[] = {
      SampleLine({0, 11.17}, {0, 27.77}),
      SampleLine({0, 27.77}, {14.11, 27.77}),
      SampleLine({14.11, 27.77}, {14.11, 24.3093}),
      SampleLine({11.17, 0}, {41.0247, 0}),
      SampleLine({26.9897, 24.3093}, {41.0247, 0}),
      SampleLine({26.9897, 24.3093}, {14.11, 24.3093}),
      SampleArc(),
      SampleRotated({0, 11.17}, {0, 27.77}, kHalfPi, {-3.1706, 27.77}, {-5.0456, 19.47}),
      SampleRotated({0, 27.77}, {14.11, 27.77}, 0.0, {14.11, 30.5377}, {7.055, 32.4127}),
      SampleDimension<FcDimAligned>({41.0247, 0}, {26.9897, 24.3093}, {45.0598, 2.3297}, {39.6661, 15.4218}),
      SampleAngle(),
      SampleRadius(),
  };
  for (FcEntity* entity : sample) AddSample(graph, *preview, entity);
  FcMatrix2d scaling;
  scaling.a = scale;
  scaling.e = scale;
  for (FcEntity* entity : *preview) entity->Transform(scaling);
}

bool DrawDimStylePreview(FcGraph& graph, FcDisplaySurface& surface, FcDimStyle* style, int width, int height) {
  FcEntitySets* preview = graph.GetDimStylePreview();
  if (preview == nullptr || surface.GetDevice() == nullptr) return false;
  surface.Resize(width, height);
  surface.BeginDraw(0, nullptr);
  for (FcEntity* entity : *preview) {
    if (auto* dimension = dynamic_cast<FcDimension*>(entity)) {
      if (style != nullptr) dimension->SetDimStyle(style);
      dimension->RebuildBlock();
    }
    entity->Draw(&surface);
  }
  surface.EndDraw();
  surface.ZoomExtents();
  FcSystemVar& vars = graph.GetSysVars();
  const short ucsIcon = vars.ucsicon;
  const short grid = vars.gridmode;
  vars.ucsicon = 0;
  vars.gridmode = 0;
  FcDisplayDevice& device = *surface.GetDevice();
  const FcDisplaySurface* screen = graph.GetDisplaySurface();
  const FcDisplayDevice* screenDevice = screen != nullptr ? screen->GetDevice() : nullptr;
  const bool newBackground = screenDevice != nullptr && screenDevice->backgroundIndex >= 0 &&
                             screenDevice->backgroundIndex <= 254 &&
                             screenDevice->backgroundIndex != device.backgroundIndex;
  if (newBackground) device.backgroundIndex = screenDevice->backgroundIndex;
  surface.Redraw();
  vars.ucsicon = ucsIcon;
  vars.gridmode = grid;
  return true;
}

int RenderDimStylePreview(FcGraph& graph, FcDeviceContext* target, FcDimStyle* style, int width, int height) {
  const int grid = graph.GetSysVars().gridmode != 0 ? 1 : 0;
  auto surface = std::make_unique<FcDisplaySurface>(&graph);
  if (DrawDimStylePreview(graph, *surface, style, width, height)) {
    surface->GetDevice()->Present(target, 0, 0, &graph, surface.get(), 0);
  }
  return grid;
}

bool DrawDimStylePreviewOf(FcGraph& graph, FcDisplaySurface& surface, const FcDimVars& vars, int width, int height) {
  FcDimStyle style;
  style.SetGraph(&graph);
  static_cast<FcDimVars&>(style) = vars;
  style.ResolveBlocks();
  const bool drawn = DrawDimStylePreview(graph, surface, &style, width, height);
  // The style ends here; the sample must not keep pointing at it.
  if (FcEntitySets* preview = graph.GetDimStylePreview()) {
    for (FcEntity* entity : *preview)
      if (auto* dimension = dynamic_cast<FcDimension*>(entity)) dimension->SetDimStyle(nullptr);
  }
  return drawn;
}

void ClearDimStylePreview(FcGraph& graph) {
  FcEntitySets* preview = graph.GetDimStylePreview();
  if (preview == nullptr) return;
  for (FcEntity* entity : *preview) {
    graph.RemoveEntity(entity);
    if (auto* dimension = dynamic_cast<FcDimension*>(entity)) {
      if (FcBlock* block = dimension->GetDimBlock()) {
        for (FcEntity* member : block->GetEntities()) {
          if (member->GetLayer() != nullptr) member->GetLayer()->RemoveEntityHandle(member);
        }
        graph.GetBlockList().RemoveByHandle(block->GetHandle());
      }
    }
    delete entity;
  }
  delete preview;
  graph.SetDimStylePreview(nullptr);
}
