#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/data_array.h"
#include "core/handle.h"
#include "core/point2d.h"
#include "database/entity.h"
#include "database/object.h"
#include "database/raster_variables.h"
#include "imaging/dib.h"

class FcBlockList;
class FcEntitySets;
class FcGraph;
class FcRasterImageDefReactor;

// The named-object dictionary entries of the raster image objects.
inline constexpr char kImageDictionaryName[] = "ACAD_IMAGE_DICT";

// The longest picture a definition loads, in pixels: a 24-bit copy of it
// must stay a reasonable block of memory.
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 26;

// The reactors of an image definition: one for each image entity that uses
// it. The array owns the reactors only when Clear is asked to delete them.
class FcReactorArray {
 public:
  FcReactorArray() = default;
  FcReactorArray(const FcReactorArray&) = delete;
  FcReactorArray& operator=(const FcReactorArray&) = delete;
  ~FcReactorArray() { Clear(true); }

  // Nothing for null; room grows by 4 entries at a time.
  void Add(FcRasterImageDefReactor* reactor);
  // Empties the array, deleting every reactor when asked.
  void Clear(bool deleteReactors);

  int GetCount() const { return static_cast<int>(items_.size()); }
  int GetCapacity() const { return capacity_; }
  FcRasterImageDefReactor* GetAt(int index) const { return items_[static_cast<std::size_t>(index)]; }

 private:
  std::vector<FcRasterImageDefReactor*> items_;
  int capacity_ = 0;
};

// Tells an image definition which image entity uses it; the image is its
// owner.
class FcRasterImageDefReactor : public FcObject {
 public:
  static constexpr const char* kRecordName = "IMAGEDEF_REACTOR";

  FcRasterImageDefReactor();
  static FcObject* Create();

  int WriteDxf(FcFiler& filer) override;
  // 0; 1 without the subclass marker or at the end of the data; 2 bad
  // extended data.
  int ReadDxf(FcFiler& filer) override;
  int WriteDwg(FcFilerDwg& filer) override;
  // 0, or 2 on any failed read or mismatch.
  int ReadDwg(FcFilerDwg& filer) override;

  std::int32_t GetClassVersion() const { return classVersion_; }
  FcHandle GetImageHandle() const { return imageHandle_; }
  void SetImageHandle(FcHandle handle) { imageHandle_ = handle; }

 private:
  std::int32_t classVersion_ = 2;
  FcHandle imageHandle_ = 0;
};

// One image file of the drawing: its path, its size and the loaded picture,
// kept in "ACAD_IMAGE_DICT". Its reactors list the images that use it.
class FcRasterImageDef : public FcObject {
 public:
  static constexpr const char* kRecordName = "IMAGEDEF";
  // Paths keep at most this many characters.
  static constexpr std::size_t kMaxPath = 259;

  FcRasterImageDef();
  // Deletes the reactors; the picture goes with the definition.
  ~FcRasterImageDef() override;
  static FcObject* Create();

  // The number of reactors.
  int GetCount() const override;
  // The reactors' records first, then the definition's.
  int WriteDxf(FcFiler& filer) override;
  // 0 (the picture loaded when the loaded flag is set); 1 without the
  // subclass marker or at the end of the data; 2 bad extended data.
  int ReadDxf(FcFiler& filer) override;
  int WriteDwg(FcFilerDwg& filer) override;
  // 0, or 2 on any failed read, mismatch or bad CRC.
  int ReadDwg(FcFilerDwg& filer) override;

  // Finds the file (as given, then in the drawing's folder, the search path
  // and the program folder) and loads the picture. A missing, unreadable or
  // oversized file leaves the picture empty and says why on the command
  // line. The loaded flag does not change. True when a picture was loaded.
  bool Load(const FcGraph* graph);
  // Frees the picture; the loaded flag does not change.
  void UnloadImage();
  // A true flag with a file path sets loaded (the caller loads); otherwise
  // the picture is freed and loaded cleared.
  void SetLoaded(bool loaded);
  // The common part, the path, both sizes, the loaded flag and the
  // resolution units of another definition; not the picture.
  void CopyFrom(const FcRasterImageDef& other);
  bool IsImageLoaded() const { return !picture_.IsEmpty(); }

  const std::string& GetFilePath() const { return filePath_; }
  // Keeps at most kMaxPath characters.
  void SetFilePath(const std::string& path);
  const std::string& GetResolvedPath() const { return resolvedPath_; }
  std::int32_t GetClassVersion() const { return classVersion_; }
  const FcPoint2d& GetNormalizedSize() const { return normalizedSize_; }
  const FcPoint2d& GetPixelSize() const { return pixelSize_; }
  void SetPixelSize(const FcPoint2d& size) { pixelSize_ = size; }
  std::int16_t GetLoaded() const { return loaded_; }
  std::int16_t GetResolutionUnits() const { return resolutionUnits_; }
  void SetResolutionUnits(std::int16_t units) { resolutionUnits_ = units; }
  CDib& GetPicture() { return picture_; }
  const CDib& GetPicture() const { return picture_; }
  FcReactorArray& GetReactors() { return reactors_; }
  const FcReactorArray& GetReactors() const { return reactors_; }
  bool GetWriteMark() const { return writeMark_ != 0; }
  void SetWriteMark(bool mark) { writeMark_ = mark ? 1 : 0; }
  bool IsLive() const { return live_ != 0; }
  void SetLive(bool live) { live_ = live ? 1 : 0; }

 private:
  // The full path of the file to load; empty when it cannot be found.
  std::string FindImageFile(const FcGraph* graph) const;
  // Reads the file into the picture as JPEG or BMP; false with a message.
  bool ReadPicture(const std::string& path);
  // Converts the picture to 24 bits and takes its sizes; false (picture
  // freed) when it is too large or cannot be converted.
  bool AdoptPicture(const std::string& path);
  // After a record was read: loads the picture, and unloads it again when
  // the loaded flag is not set.
  void LoadAfterRead(const FcGraph* graph);

  std::int32_t classVersion_ = 0;
  std::string filePath_;
  std::string resolvedPath_;
  FcPoint2d normalizedSize_{1.0, 1.0};
  FcPoint2d pixelSize_{1.0, 1.0};
  std::int16_t loaded_ = 0;
  std::int16_t resolutionUnits_ = 0;
  CDib picture_;
  FcReactorArray reactors_;
  std::uint8_t writeMark_ = 0;
  std::uint8_t live_ = 1;
};

// A raster image placed in the drawing: the insertion point (lower-left
// corner of the picture) and the world vectors of one pixel along the
// picture's width (u) and height (v). The pixels belong to its definition,
// which it refers to by handle and binds lazily; it owns no definition and
// no reactor (the reactor belongs to the definition's reactor array).
class FcRasterImage : public FcEntity {
 public:
  static constexpr const char* kRecordName = "IMAGE";
  static constexpr const char* kSubclassMarker = "AcDbRasterImage";
  // Display flags.
  static constexpr std::int16_t kShowImage = 1;
  static constexpr std::int16_t kShowUnaligned = 2;
  static constexpr std::int16_t kUseClipBoundary = 4;
  static constexpr std::int16_t kTransparency = 8;

  FcRasterImage();
  FcRasterImage(const FcRasterImage& other);
  FcRasterImage& operator=(const FcRasterImage&) = delete;
  static FcObject* Create();

  using FcEntity::Copy;
  using FcEntity::CopyFromOtherGraph;

  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  bool Draw(FcDrawSink* sink) override;
  void MarkReferences() override;
  FcEntity* Clone() const override;
  // Everything but the definition pointer and the reactor.
  void Copy(const FcEntity* other) override;
  FcEntity* CloneFromOtherGraph(FcGraph& target) const override;
  // Binds the target's definition whose entry name is the file title of
  // the source's image file.
  void CopyFromOtherGraph(const FcEntity* other, FcGraph& target) override;
  void Transform(const FcMatrix2d& matrix) override;
  void List() override;
  // P0, P1, P2, P3.
  void GetGripPoints(FcPoint2dArray& points) override;
  int MoveGripPoints(const CIntArray& indices, const FcPoint2d& offset) override;
  void WriteDwgData(FcFilerDwg& filer) override;
  void WriteDwgHandles(FcFilerDwg& filer, FcHandle extra1, FcHandle extra2, FcHandle extra3) override;
  int ReadDwgData(FcFilerDwg& filer) override;
  int ReadDwgHandles(FcFilerDwg& filer, FcHandle& extra1, FcHandle& extra2, FcHandle& extra3) override;
  // Sub-index 1 to 4: the frame edge P0-P1, P1-P2, P2-P3 or P3-P0.
  void GetSnapSegments(int mode, const FcPoint2d& pickPoint, int subIndex, const FcMatrix2d& matrix,
                       GeomSegmentList& segments) override;

  // Binds the definition by handle when none is bound or the bound one is
  // not loaded, taking its pixel size; the bound definition or null.
  FcRasterImageDef* FindImageDef(FcGraph* graph);
  // Binds the definition (false when there is none), registers a new
  // reactor with it and settles the clip boundary type.
  bool AttachImageDef(FcGraph& graph);
  // Forgets the bound definition and the reactor, deleting neither; the
  // definition's handle stays for the next binding.
  void UnbindImageDef() {
    imageDef_ = nullptr;
    reactor_ = nullptr;
  }
  // More than two clip vertices: polygonal; otherwise rectangular, the
  // whole picture when fewer than two vertices are given.
  void UpdateClipType();

  // The corners P0, P1, P2, P3 of the picture.
  void GetCorners(FcPoint2d (&corners)[4]) const;
  // The clip boundary as the display takes it: in picture units along u
  // and v from the insertion point, a rectangle as its four corners; empty
  // without a usable boundary.
  std::vector<FcPoint2d> ClipInPictureUnits() const;

  const FcPoint2d& GetInsertionPoint() const { return insertion_; }
  void SetInsertionPoint(const FcPoint2d& point) { insertion_ = point; }
  const FcPoint2d& GetU() const { return u_; }
  const FcPoint2d& GetV() const { return v_; }
  void SetVectors(const FcPoint2d& u, const FcPoint2d& v) {
    u_ = u;
    v_ = v;
  }
  double GetPixelWidth() const { return width_; }
  double GetPixelHeight() const { return height_; }
  void SetPixelSize(double width, double height) {
    width_ = width;
    height_ = height;
  }
  std::int16_t GetBrightness() const { return brightness_; }
  std::int16_t GetContrast() const { return contrast_; }
  std::int16_t GetFade() const { return fade_; }
  // Each setting is held to 0 .. 100.
  void SetDisplaySettings(std::int16_t brightness, std::int16_t contrast, std::int16_t fade);
  std::int16_t GetDisplayFlags() const { return displayFlags_; }
  void SetDisplayFlags(std::int16_t flags) { displayFlags_ = flags; }
  std::int16_t GetClipping() const { return clipping_; }
  std::int16_t GetClipType() const { return clipType_; }
  const FcPoint2dArray& GetClipBoundary() const { return clipBoundary_; }
  // Clipping on or off, and the boundary with its type settled as
  // UpdateClipType does.
  void SetClipping(std::int16_t clipping) { clipping_ = clipping; }
  void SetClipBoundary(const FcPoint2dArray& boundary) {
    clipBoundary_.Assign(boundary);
    UpdateClipType();
  }
  FcRasterImageDef* GetImageDef() const { return imageDef_; }
  FcHandle GetImageDefHandle() const { return imageDefHandle_; }
  // Binds the definition and takes its handle and pixel size; null unbinds.
  void SetImageDef(FcRasterImageDef* definition);
  FcRasterImageDefReactor* GetReactor() const { return reactor_; }

 private:
  void CopyOwnFields(const FcRasterImage& other);

  std::int32_t classVersion_ = 0;
  FcPoint2d insertion_;
  double width_ = 0.0;
  double height_ = 0.0;
  FcPoint2d u_{1.0, 0.0};
  FcPoint2d v_{0.0, 1.0};
  std::int16_t clipping_ = 0;
  std::int16_t brightness_ = 50;
  std::int16_t contrast_ = 50;
  std::int16_t fade_ = 0;
  std::int16_t displayFlags_ = 7;
  std::int16_t clipType_ = 1;
  FcPoint2dArray clipBoundary_;
  // Not owned.
  FcRasterImageDef* imageDef_ = nullptr;
  FcHandle imageDefHandle_ = 0;
  // Owned by the definition's reactor array.
  FcRasterImageDefReactor* reactor_ = nullptr;
  FcHandle reactorHandle_ = 0;
};

// The drawing's side of the image objects (raster_image_links.cpp).
// The image definition with the handle in the drawing's "ACAD_IMAGE_DICT";
// null when the dictionary or the definition is missing.
FcRasterImageDef* FindImageDef(const FcGraph& graph, FcHandle handle);
// Empties the reactor list of every definition, then attaches every image
// of every block again. Nothing when the image dictionary is missing or
// empty.
void RebuildImageReactors(FcGraph& graph);
// Attaches every image of every block to its definition.
void AttachRasterImages(FcBlockList& blocks, FcGraph& graph);
// From the last entity to the first, attaches every image of the set; an
// image without a definition is taken out of the set (and out of its
// block) and deleted.
void AttachRasterImages(FcEntitySets& entities, FcGraph& graph);
