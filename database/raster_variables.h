#pragma once

#include <cstdint>

#include "database/object.h"

class FcGraph;

inline constexpr char kImageVariablesName[] = "ACAD_IMAGE_VARS";

// The drawing-wide image settings, under "ACAD_IMAGE_VARS".
class FcRasterVariables : public FcObject {
 public:
  static constexpr const char* kRecordName = "RASTERVARIABLES";

  FcRasterVariables();
  static FcObject* Create();

  // Both also take the four settings of another raster-variables object.
  int Copy(const FcObject& other) override;
  int CopyFromOtherGraph(const FcObject& other, FcGraph& target) override;
  int WriteDxf(FcFiler& filer) override;
  int ReadDxf(FcFiler& filer) override;
  int WriteDwg(FcFilerDwg& filer) override;
  int ReadDwg(FcFilerDwg& filer) override;

  std::int16_t GetImageFrame() const { return imageFrame_; }
  void SetImageFrame(std::int16_t frame) { imageFrame_ = frame; }
  std::int16_t GetImageQuality() const { return imageQuality_; }
  void SetImageQuality(std::int16_t quality) { imageQuality_ = quality; }
  std::int16_t GetUnits() const { return units_; }
  void SetUnits(std::int16_t units) { units_ = units; }

 private:
  void TakeSettings(const FcObject& other);

  std::int16_t classVersion_ = 0;
  std::int16_t imageFrame_ = 1;
  std::int16_t imageQuality_ = 1;
  std::int16_t units_ = 0;
};

// The drawing's raster variables under "ACAD_IMAGE_VARS"; null when there
// are none.
const FcRasterVariables* FindRasterVariables(const FcGraph& graph);
