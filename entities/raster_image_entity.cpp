#include <algorithm>
#include <climits>
#include <cmath>
#include <new>
#include <vector>

#include "core/geometry_basics.h"
#include "core/point_in_polygon.h"
#include "core/paths.h"
#include "core/resbuf.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "database/layer.h"
#include "database/object_record_parts.h"
#include "entities/raster_image.h"
#include "entities/entity_clone.h"
#include "database/entity_dxf.h"
#include "entities/entity_listing.h"
#include "entities/geom_segment_ops.h"
#include "filers/filer.h"
#include "filers/filer_dwg.h"
#include "platform/frame_link.h"

namespace {

double Length(const FcPoint2d& v) { return std::hypot(v.x, v.y); }

// A pixel count handed to the display: truncated, and 0 for values that
// are negative, not finite or beyond an int.
int PixelCount(double value) {
  if (!(value >= 0.0)) return 0;
  return value >= INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::int16_t Percent(std::int16_t value) { return std::clamp<std::int16_t>(value, 0, 100); }

// The two edges at each corner a grip drag may scale along: the first
// when the dragged point lies counter-clockwise of the corner's diagonal.
struct GripEdges {
  int diagonalFrom;
  int diagonalTo;
  int first[2];
  int second[2];
};
constexpr GripEdges kGripEdges[4] = {
    {0, 2, {0, 3}, {0, 1}}, {1, 3, {1, 0}, {1, 2}}, {0, 2, {2, 3}, {2, 1}}, {1, 3, {3, 0}, {3, 2}}};

// Edges along v join corners 0-3 and 1-2; their size is the picture's
// world width.
bool EdgeAlongV(const int (&edge)[2]) {
  const int low = std::min(edge[0], edge[1]);
  const int high = std::max(edge[0], edge[1]);
  return (low == 0 && high == 3) || (low == 1 && high == 2);
}

// True when a reactor of any image definition of the drawing has the
// handle.
bool IsReactorHandleInUse(const FcGraph& graph, FcHandle handle) {
  const auto* dictionary = dynamic_cast<const FcDictionary*>(graph.GetNamedObjects().GetAt(kImageDictionaryName));
  if (dictionary == nullptr) return false;
  for (int i = 0; i < dictionary->GetEntryCount(); ++i) {
    const auto* definition = dynamic_cast<const FcRasterImageDef*>(dictionary->GetEntry(i).object);
    if (definition == nullptr) continue;
    for (int j = 0; j < definition->GetReactors().GetCount(); ++j) {
      if (definition->GetReactors().GetAt(j)->GetHandle() == handle) return true;
    }
  }
  return false;
}

}  // namespace

FcRasterImage::FcRasterImage() {
  SetRecordName(kRecordName);
  SetKind(kEntityImage);
}

FcRasterImage::FcRasterImage(const FcRasterImage& other) : FcRasterImage() { Copy(&other); }

FcObject* FcRasterImage::Create() { return new (std::nothrow) FcRasterImage; }

void FcRasterImage::SetDisplaySettings(std::int16_t brightness, std::int16_t contrast, std::int16_t fade) {
  brightness_ = Percent(brightness);
  contrast_ = Percent(contrast);
  fade_ = Percent(fade);
}

void FcRasterImage::SetImageDef(FcRasterImageDef* definition) {
  imageDef_ = definition;
  if (definition == nullptr) return;
  imageDefHandle_ = definition->GetHandle();
  width_ = definition->GetPixelSize().x;
  height_ = definition->GetPixelSize().y;
}

void FcRasterImage::GetCorners(FcPoint2d (&corners)[4]) const {
  const FcPoint2d along = u_ * width_;
  const FcPoint2d up = v_ * height_;
  corners[0] = insertion_;
  corners[1] = insertion_ + along;
  corners[2] = corners[1] + up;
  corners[3] = insertion_ + up;
}

FcRasterImageDef* FcRasterImage::FindImageDef(FcGraph* graph) {
  if (imageDef_ != nullptr && imageDef_->IsLive() && imageDef_->IsImageLoaded()) return imageDef_;
  FcRasterImageDef* found = graph != nullptr ? ::FindImageDef(*graph, imageDefHandle_) : nullptr;
  if (found != nullptr) {
    SetImageDef(found);
    return found;
  }
  // A definition held only by an undo record is not the drawing's any more.
  if (imageDef_ != nullptr && !imageDef_->IsLive()) imageDef_ = nullptr;
  return imageDef_;
}

bool FcRasterImage::AttachImageDef(FcGraph& graph) {
  if (imageDef_ == nullptr || !imageDef_->IsLive()) {
    FcRasterImageDef* found = ::FindImageDef(graph, imageDefHandle_);
    if (found == nullptr) return false;
    SetImageDef(found);
  }
  auto* reactor = new (std::nothrow) FcRasterImageDefReactor;
  if (reactor == nullptr) return false;
  // The reactor keeps the handle the image already knows it by (from the
  // file or an earlier attach), so that reading and saving a drawing does
  // not renumber its reactors; a handle the drawing cannot vouch for gets
  // a new one.
  if (reactorHandle_ != 0 && reactorHandle_ < graph.GetHandleSeed() && !IsReactorHandleInUse(graph, reactorHandle_)) {
    reactor->SetHandle(reactorHandle_);
  } else {
    graph.TakeHandle(*reactor);
  }
  reactor->SetOwner(this);
  reactor->SetImageHandle(GetHandle());
  reactor->SetDwgType(graph.GetCustomClassType(FcRasterImageDefReactor::kRecordName));
  imageDef_->GetReactors().Add(reactor);
  reactor_ = reactor;
  reactorHandle_ = reactor->GetHandle();
  UpdateClipType();
  return true;
}

void FcRasterImage::UpdateClipType() {
  if (clipBoundary_.count > 2) {
    clipType_ = 2;
    return;
  }
  clipType_ = 1;
  if (clipBoundary_.count >= 2) return;
  clipBoundary_.RemoveAll();
  clipBoundary_.AddXY(-0.5, -0.5);
  clipBoundary_.AddXY(width_ - 0.5, height_ - 0.5);
}

int FcRasterImage::WriteDxf(FcFiler& filer) {
  FcEntity::WriteDxf(filer);
  filer.WriteString(100, kSubclassMarker);
  filer.WriteInt(90, classVersion_);
  WriteDxfPoint(filer, 10, insertion_);
  filer.WriteReal(30, 0.0);
  WriteDxfPoint(filer, 11, u_);
  WriteDxfPoint(filer, 12, v_);
  filer.WriteReal(13, width_);
  filer.WriteReal(23, height_);
  filer.WriteHandle(340, imageDefHandle_);
  filer.WriteInt(70, displayFlags_);
  filer.WriteInt(280, clipping_);
  filer.WriteInt(281, brightness_);
  filer.WriteInt(282, contrast_);
  filer.WriteInt(283, fade_);
  filer.WriteHandle(360, reactorHandle_);
  filer.WriteInt(71, clipType_);
  filer.WriteInt(91, clipBoundary_.count);
  for (int i = 0; i < clipBoundary_.count; ++i) WriteDxfPoint(filer, 14, clipBoundary_[i]);
  return kFcStatusOk;
}

int FcRasterImage::ReadDxf(FcFiler& filer) {
  // Colour and linetype come from the common groups only; the shared
  // entity reader would take them after the marker too.
  if (FcEntity::ReadDxf(filer) != kFcStatusOk) return kFcStatusEnd;
  FcResBuf group;
  if (!filer.ReadGroup(group) || group.type != 100 || group.text == nullptr ||
      !EqualsNoCase(group.text, kSubclassMarker)) {
    return kFcStatusEnd;
  }
  return ReadRecordGroups(*this, filer, [this](const FcResBuf& group) {
    const auto value = static_cast<std::int16_t>(group.intValue);
    switch (group.type) {
      case 8:
        SetLayerName(group.text != nullptr ? group.text : "");
        break;
      case 10:
        insertion_ = {group.x, group.y};
        break;
      case 11:
        u_ = {group.x, group.y};
        break;
      case 12:
        v_ = {group.x, group.y};
        break;
      case 13:
        width_ = group.x;
        height_ = group.y;
        break;
      case 14:
        clipBoundary_.AddXY(group.x, group.y);
        break;
      case 70:
        displayFlags_ = value;
        break;
      case 71:
        clipType_ = value;
        break;
      case 280:
        clipping_ = value;
        break;
      case 281:
        brightness_ = Percent(value);
        break;
      case 282:
        contrast_ = Percent(value);
        break;
      case 283:
        fade_ = Percent(value);
        break;
      case 340:
        imageDefHandle_ = group.handle;
        break;
      case 360:
        reactorHandle_ = group.handle;
        break;
      default:
        break;
    }
    return kFcStatusOk;
  });
}

bool FcRasterImage::Draw(FcDrawSink* sink) {
  if (sink == nullptr || !FcEntity::Draw(sink)) return true;
  const FcDrawContext context = sink->GetContext();
  FcGraph* graph = context.graph != nullptr ? const_cast<FcGraph*>(context.graph) : OwnerGraphOf(*this);
  FcRasterImageDef* definition = FindImageDef(graph);
  if (definition == nullptr) return true;
  const bool showPicture = definition->IsImageLoaded() && (displayFlags_ & kShowImage) != 0 && !context.xorPreview;
  FcSinkImage image;
  image.picture = showPicture ? &definition->GetPicture() : nullptr;
  image.insertion = insertion_;
  image.u = u_;
  image.v = v_;
  image.width = PixelCount(width_);
  image.height = PixelCount(height_);
  image.brightness = brightness_;
  image.contrast = contrast_;
  image.fade = fade_;
  image.transparent = (displayFlags_ & kTransparency) != 0;
  if (clipping_ != 0) image.clipBoundary = ClipInPictureUnits();
  sink->AddImage(image, GetHandle(), 1);
  return true;
}

std::vector<FcPoint2d> FcRasterImage::ClipInPictureUnits() const {
  // Boundary vertices count pixels from the centre of the top-left pixel,
  // rows downward; the display counts from the lower-left corner, upward.
  const auto toPicture = [this](double x, double y) { return FcPoint2d{x + 0.5, height_ - y - 0.5}; };
  std::vector<FcPoint2d> clip;
  const int count = clipBoundary_.count;
  if (count >= 2 && (clipType_ != 2 || count == 2)) {
    const FcPoint2d& a = clipBoundary_[0];
    const FcPoint2d& b = clipBoundary_[1];
    clip = {toPicture(a.x, a.y), toPicture(b.x, a.y), toPicture(b.x, b.y), toPicture(a.x, b.y)};
  } else if (count >= 3) {
    for (int i = 0; i < count; ++i) clip.push_back(toPicture(clipBoundary_[i].x, clipBoundary_[i].y));
  }
  return clip;
}

void FcRasterImage::MarkReferences() {
  FcEntity::MarkReferences();
  FcRasterImageDef* definition = FindImageDef(OwnerGraphOf(*this));
  if (definition != nullptr) definition->SetWriteMark(false);
}

FcEntity* FcRasterImage::Clone() const { return new (std::nothrow) FcRasterImage(*this); }

void FcRasterImage::CopyOwnFields(const FcRasterImage& other) {
  classVersion_ = other.classVersion_;
  insertion_ = other.insertion_;
  width_ = other.width_;
  height_ = other.height_;
  u_ = other.u_;
  v_ = other.v_;
  clipping_ = other.clipping_;
  brightness_ = other.brightness_;
  contrast_ = other.contrast_;
  fade_ = other.fade_;
  displayFlags_ = other.displayFlags_;
  clipType_ = other.clipType_;
  clipBoundary_.Assign(other.clipBoundary_);
  imageDef_ = nullptr;
  reactor_ = nullptr;
  reactorHandle_ = 0;
}

void FcRasterImage::Copy(const FcEntity* other) {
  FcEntity::Copy(other);
  const auto* image = dynamic_cast<const FcRasterImage*>(other);
  if (image == nullptr || image == this) return;
  CopyOwnFields(*image);
  imageDefHandle_ = image->imageDefHandle_;
}

FcEntity* FcRasterImage::CloneFromOtherGraph(FcGraph& target) const { return CloneEntityIntoGraph(*this, target); }

void FcRasterImage::CopyFromOtherGraph(const FcEntity* other, FcGraph& target) {
  FcEntity::CopyFromOtherGraph(other, target);
  const auto* image = dynamic_cast<const FcRasterImage*>(other);
  if (image == nullptr || image == this) return;
  CopyOwnFields(*image);
  imageDefHandle_ = 0;
  const auto* dictionary = dynamic_cast<const FcDictionary*>(target.GetNamedObjects().GetAt(kImageDictionaryName));
  if (dictionary == nullptr || image->imageDef_ == nullptr) return;
  const std::string title = PathFileTitle(image->imageDef_->GetFilePath());
  for (int i = 0; i < dictionary->GetEntryCount(); ++i) {
    const FcDictionaryEntry& entry = dictionary->GetEntry(i);
    auto* definition = dynamic_cast<FcRasterImageDef*>(entry.object);
    if (definition != nullptr && EqualsNoCase(entry.name, title)) {
      SetImageDef(definition);
      return;
    }
  }
}

void FcRasterImage::Transform(const FcMatrix2d& matrix) {
  TransformPoint(matrix, insertion_);
  u_ = TransformVector(matrix, u_);
  v_ = TransformVector(matrix, v_);
}

void FcRasterImage::List() {
  FcGraph* graph = OwnerGraphOf(*this);
  const FcRasterImageDef* definition = FindImageDef(graph);
  if (definition == nullptr) return;
  FcEntity::List();
  PrintMessage("  Image: " + PathFileTitle(definition->GetFilePath()));
  const FormattedPoint insertion = FormatPoint(insertion_, graph);
  PrintMessage("  Insertion: X= " + insertion.x + "    Y= " + insertion.y);
  const int precision = graph != nullptr ? graph->GetSysVars().luprec : 4;
  PrintMessage("  Scale:  " + FormatDecimal(precision, Length(u_) * width_));
  PrintMessage("  Rotation angle:  " + FormatDrawingAngle(std::atan2(u_.y, u_.x), graph));
  PrintMessage("  Brightness:  " + std::to_string(brightness_));
  PrintMessage("  Contrast:  " + std::to_string(contrast_));
  PrintMessage("  Fade:  " + std::to_string(fade_));
  PrintMessage((displayFlags_ & kShowImage) != 0 ? "  Show image:  Yes" : "  Show image:  No");
  PrintMessage("  Clip boundary type: Rectangular");
  PrintMessage(" ");
  PrintMessage("  Number of boundary points: 4");
  FcPoint2d corners[4];
  GetCorners(corners);
  for (const FcPoint2d& corner : corners) {
    const FormattedPoint point = FormatPoint(corner, graph);
    PrintMessage("    at point: X= " + point.x + "    Y= " + point.y);
  }
}

void FcRasterImage::GetGripPoints(FcPoint2dArray& points) {
  FcPoint2d corners[4];
  GetCorners(corners);
  for (const FcPoint2d& corner : corners) points.Add(corner);
}

int FcRasterImage::MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) {
  if ((offset.x == 0.0 && offset.y == 0.0) || indices.count <= 0) return indices.count;
  if (indices.Find(0) >= 0 && indices.Find(1) >= 0 && indices.Find(2) >= 0 && indices.Find(3) >= 0) {
    insertion_ = insertion_ + offset;
    return indices.count;
  }
  const int k = indices[0];
  if (k < 0 || k > 3) return indices.count;
  FcPoint2d corners[4];
  GetCorners(corners);
  const FcPoint2d q = corners[k] + offset;
  const int placement = PointInPolygon(q, corners);
  if (placement == 0) return indices.count;
  const double sign = placement < 0 ? 1.0 : -1.0;
  const GripEdges& edges = kGripEdges[k];
  const bool first = Orientation3(corners[edges.diagonalFrom], corners[edges.diagonalTo], q) < 0;
  const int(&edge)[2] = first ? edges.first : edges.second;
  const double size = EdgeAlongV(edge) ? Length(u_) * width_ : Length(v_) * height_;
  if (!(size > 0.0)) return indices.count;
  const double factor = (size + sign * PointLineDistance(q, corners[edge[0]], corners[edge[1]])) / size;
  if (!(factor > 1e-7)) return indices.count;
  u_ = u_ * factor;
  v_ = v_ * factor;
  const int opposite = (k + 2) % 4;
  FcPoint2d fromInsertion;
  if (opposite == 1 || opposite == 2) fromInsertion += u_ * width_;
  if (opposite == 2 || opposite == 3) fromInsertion += v_ * height_;
  insertion_ = corners[opposite] - fromInsertion;
  return indices.count;
}

void FcRasterImage::WriteDwgData(FcFilerDwg& filer) {
  filer.WriteBitLong(classVersion_);
  for (const FcPoint2d& point : {insertion_, u_, v_}) {
    filer.WriteBitDouble(point.x);
    filer.WriteBitDouble(point.y);
    filer.WriteBitDouble(0.0);
  }
  filer.WriteRawDouble(width_);
  filer.WriteRawDouble(height_);
  filer.WriteBitShort(displayFlags_);
  filer.WriteBit(clipping_ != 0 ? 1 : 0);
  filer.WriteRawByte(static_cast<std::uint8_t>(brightness_));
  filer.WriteRawByte(static_cast<std::uint8_t>(contrast_));
  filer.WriteRawByte(static_cast<std::uint8_t>(fade_));
  filer.WriteBitShort(clipType_);
  if (clipType_ == 1) {
    // A rectangle always has its two corners, the whole picture by default.
    const FcPoint2d whole[2] = {{-0.5, -0.5}, {width_ - 0.5, height_ - 0.5}};
    for (int i = 0; i < 2; ++i) {
      const FcPoint2d& corner = clipBoundary_.count >= 2 ? clipBoundary_[i] : whole[i];
      filer.WriteRawDouble(corner.x);
      filer.WriteRawDouble(corner.y);
    }
    return;
  }
  filer.WriteBitLong(clipBoundary_.count);
  for (int i = 0; i < clipBoundary_.count; ++i) {
    filer.WriteRawDouble(clipBoundary_[i].x);
    filer.WriteRawDouble(clipBoundary_[i].y);
  }
}

int FcRasterImage::ReadDwgData(FcFilerDwg& filer) {
  std::int32_t version = 0;
  double coordinates[9] = {};
  double width = 0.0;
  double height = 0.0;
  std::int16_t flags = 0;
  std::uint8_t clipping = 0;
  std::uint8_t settings[3] = {};
  std::int16_t clipType = 0;
  if (!filer.ReadBitLong(version)) return kFcStatusReadError;
  for (double& coordinate : coordinates) {
    if (!filer.ReadBitDouble(coordinate)) return kFcStatusReadError;
  }
  if (!filer.ReadRawDouble(width) || !filer.ReadRawDouble(height) || !filer.ReadBitShort(flags) ||
      !filer.ReadBit(clipping) || !filer.ReadRawChar(settings[0]) || !filer.ReadRawChar(settings[1]) ||
      !filer.ReadRawChar(settings[2]) || !filer.ReadBitShort(clipType)) {
    return kFcStatusReadError;
  }
  std::int32_t count = 2;
  if (clipType != 1 && (!filer.ReadBitLong(count) || count < 0 || count > FileBytesLeft(filer) / 16)) {
    return kFcStatusReadError;
  }
  FcPoint2dArray boundary;
  for (std::int32_t i = 0; i < count; ++i) {
    double vertex[2] = {};
    if (!filer.Read2RawDouble(vertex)) return kFcStatusReadError;
    boundary.AddXY(vertex[0], vertex[1]);
  }
  classVersion_ = version;
  insertion_ = {coordinates[0], coordinates[1]};
  u_ = {coordinates[3], coordinates[4]};
  v_ = {coordinates[6], coordinates[7]};
  width_ = width;
  height_ = height;
  displayFlags_ = static_cast<std::int16_t>(flags | kShowUnaligned);
  clipping_ = clipping;
  SetDisplaySettings(settings[0], settings[1], settings[2]);
  clipType_ = clipType;
  clipBoundary_.Assign(boundary);
  return kFcStatusOk;
}

void FcRasterImage::WriteDwgHandles(FcFilerDwg& filer, FcHandle, FcHandle, FcHandle) {
  filer.WriteHandleRef(5, 0, imageDefHandle_);
  filer.WriteHandleRef(3, 0, reactorHandle_);
}

int FcRasterImage::ReadDwgHandles(FcFilerDwg& filer, FcHandle&, FcHandle&, FcHandle&) {
  FcHandle definition = 0;
  FcHandle reactor = 0;
  if (!filer.ReadHandleRef(definition, GetHandle()) || !filer.ReadHandleRef(reactor, GetHandle())) {
    return kFcStatusReadError;
  }
  imageDefHandle_ = definition;
  reactorHandle_ = reactor;
  return kFcStatusOk;
}

void FcRasterImage::GetSnapSegments(int, const FcPoint2d&, int subIndex, const FcMatrix2d& matrix,
                                    GeomSegmentList& segments) {
  if (subIndex < 1 || subIndex > 4) return;
  FcPoint2d corners[4];
  GetCorners(corners);
  AppendLineSegment(segments, corners[subIndex - 1], corners[subIndex % 4], kLineExtentSegment,
                    kSnapTagBoundedLine, matrix);
}
