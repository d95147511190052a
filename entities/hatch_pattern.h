#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/matrix2d.h"
#include "core/point2d.h"

class FcFiler;
class FcFilerDwg;
class FcHatchEdgeList;

// One piece of generated pattern line.
struct HatchSegment {
  FcPoint2d start;
  FcPoint2d end;
};

// Pattern types.
inline constexpr std::int16_t kPatternUserDefined = 0;
inline constexpr std::int16_t kPatternPredefined = 1;
inline constexpr std::int16_t kPatternCustom = 2;
// The hatch style that fills from the first crossing to the last.
inline constexpr std::int16_t kHatchStyleIgnore = 2;

// Limits of line generation: more segments than this give the message
// below and none; a family of more lines than kHatchFamilyLineLimit, or of
// more than kHatchTinyStepLines lines a step below kHatchTinyStep apart, is
// refused before any line is cut.
inline constexpr std::size_t kHatchSegmentLimit = 100000;
inline constexpr double kHatchFamilyLineLimit = 1000000.0;
inline constexpr double kHatchTinyStepLines = 6000.0;
inline constexpr double kHatchTinyStep = 1e-5;
inline constexpr const char* kHatchTooDenseMessage = "The hatch lines are too dense to display.";

// A family of parallel lines one offset apart, continuous or cut into
// dashes (> 0), gaps (< 0) and dots (0).
class FcHPLine {
 public:
  static constexpr int kMaxDashes = 6;

  // A definition line of a pattern file: angle in degrees, base x and y,
  // offset along and across, then up to six dash lengths, separated by
  // commas; every length is in inches and becomes millimetres. False for a
  // line that is not one.
  bool Parse(std::string_view text);
  // The offset given along and across the line becomes a vector.
  void OffsetToVector(double along, double across);
  void ScaleRotate(double scale, double rotation);
  void Transform(const FcMatrix2d& matrix);

  // Appends the family's pieces inside the loops; false when the segment
  // limit was passed (the segments are then emptied).
  bool GenerateSegments(FcHatchEdgeList& loops, std::int16_t style, std::vector<HatchSegment>& segments) const;

  void WriteDxf(FcFiler& filer) const;
  int ReadDxf(FcFiler& filer);
  void WriteDwg(FcFilerDwg& filer) const;
  int ReadDwg(FcFilerDwg& filer);

  double angle = 0.0;
  FcPoint2d base;
  FcPoint2d offset{0.0, 1.0};
  std::int16_t dashCount = 0;
  std::array<double, kMaxDashes> dashes{};
};

// A hatch's pattern: its families and the settings they were made with.
class FcHPPattern {
 public:
  void SetName(std::string_view name) { name_ = name; }
  const std::string& GetName() const { return name_; }
  // Removes the lines and resets every setting but the name.
  void Clear();
  void CopyFrom(const FcHPPattern& other);
  // Loads the named pattern's lines from the pattern file, scaled and
  // rotated by the pattern's scale and angle. False when no header has the
  // name (nothing changed) or the pattern has no good line. Lines that are
  // not pattern lines are skipped, each with a message naming its line.
  bool LoadFromFile(FcFiler& filer, std::string_view name);
  // The one continuous family of a user-defined pattern, the scale apart.
  void AddUserLine();
  void AddLine(const FcHPLine& line) { lines_.push_back(line); }
  void Transform(const FcMatrix2d& matrix);
  // Every family's segments; a user-defined double pattern adds each
  // family turned a quarter turn.
  void GenerateSegments(FcHatchEdgeList& loops, std::vector<HatchSegment>& segments) const;

  void WriteDxf(FcFiler& filer, bool solid) const;
  // From group 75 on: 0, 1 a bad line, 2 end of data.
  int ReadDxf(FcFiler& filer);
  void WriteDwg(FcFilerDwg& filer, bool solid) const;
  int ReadDwg(FcFilerDwg& filer, bool solid);

  const std::vector<FcHPLine>& GetLines() const { return lines_; }
  std::int16_t GetStyle() const { return style_; }
  void SetStyle(std::int16_t style) { style_ = style; }
  std::int16_t GetType() const { return type_; }
  void SetType(std::int16_t type) { type_ = type; }
  double GetAngle() const { return angle_; }
  void SetAngle(double angle) { angle_ = angle; }
  double GetScale() const { return scale_; }
  void SetScale(double scale) { scale_ = scale; }
  bool IsDouble() const { return double_ != 0; }
  void SetDouble(bool on) { double_ = on ? 1 : 0; }

 private:
  std::vector<FcHPLine> lines_;
  std::string name_;
  std::int16_t style_ = 0;
  std::int16_t type_ = kPatternPredefined;
  double angle_ = 0.0;
  double scale_ = 1.0;
  std::int16_t double_ = 0;
};
