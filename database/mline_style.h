#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/point2d.h"
#include "database/fixed_text.h"
#include "database/object.h"

// One parallel element of a multiline style.
struct FcMLineElement {
  std::int16_t colour = 0;    // 256 = by layer
  std::int16_t linetype = 0;  // index into the linetype table; 32767 = by layer
  double offset = 0.0;        // from the centre line, drawing units
};

// A multiline style: the elements of a multiline and its fill and end
// angles. The drawing keeps the styles so that they survive DXF and DWG;
// nothing else interprets them.
class FcMLineStyle : public FcObject {
 public:
  static constexpr DwgObjectType kDwgType = 73;
  static constexpr std::int16_t kByLayerColour = 256;
  static constexpr std::int16_t kByLayerLinetype = 32767;
  // The description field holds 256 bytes.
  static constexpr std::size_t kMaxDescription = 255;
  // The DWG record holds the element count in one signed byte.
  static constexpr int kMaxDwgElements = 127;

  FcMLineStyle();
  static FcObject* Create();

  int WriteDwg(FcFilerDwg& filer) override;
  int WriteDxf(FcFiler& filer) override;
  // 0, or 2 on any failed read or mismatch.
  int ReadDwg(FcFilerDwg& filer) override;
  // 0; 1 for a malformed record, a missing name or a failed read; 2 for a
  // second name, an element group before a positive count, or failed
  // extended data.
  int ReadDxf(FcFiler& filer) override;

  // Room for n more elements.
  void GrowElements(int n);
  void AddElement(std::int16_t colour, std::int16_t linetype, double offset);
  // The style of a new drawing; elements already there stay first.
  void SetStandard();

  int GetElementCount() const { return static_cast<int>(elements_.size()); }
  int GetElementCapacity() const { return capacity_; }
  const FcMLineElement& GetElement(int index) const {
    return elements_[static_cast<std::size_t>(index)];
  }
  const std::string& GetDescription() const { return description_; }
  // Cut to 255 characters.
  void SetDescription(std::string_view text);

  FcFixedText name;                          // DXF 2
  std::int16_t flags = 0;                    // DXF 70
  std::int16_t fillColour = kByLayerColour;  // DXF 62 before the count
  double startAngle = kHalfPi;               // radians; DXF 51 in degrees
  double endAngle = kHalfPi;                 // radians; DXF 52 in degrees

 private:
  void ClearElements();

  std::string description_;  // DXF 3
  std::vector<FcMLineElement> elements_;
  int capacity_ = 0;
};
