#include "entities/hatch_pattern.h"

#include <charconv>
#include <cmath>

#include "core/geometry_basics.h"
#include "database/object.h"
#include "platform/frame_link.h"
#include "filers/filer.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr std::size_t kLongestLine = 250;

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\f\v");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\f\v");
  return text.substr(first, last - first + 1);
}

// A whole field as one number, leading blanks allowed, trailing ones not;
// the file's numbers are written with a point whatever the user's settings.
bool ParseField(std::string_view field, double& value) {
  const auto first = field.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  field.remove_prefix(first);
  if (!field.empty() && field.front() == '+') field.remove_prefix(1);
  double parsed = 0.0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), parsed);
  if (error != std::errc() || end != field.data() + field.size() || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

// The name of a header line ("*NAME, description"), or an empty view for a
// line that is none.
std::string_view HeaderName(std::string_view trimmed) {
  if (trimmed.empty() || trimmed.front() != '*') return {};
  std::string_view rest = trimmed.substr(1, kLongestLine - 1);
  return Trimmed(rest.substr(0, rest.find(',')));
}

}  // namespace

bool FcHPLine::Parse(std::string_view text) {
  dashCount = 0;
  double numbers[5] = {};
  int read = 0;
  std::size_t position = 0;
  while (position <= text.size()) {
    const std::size_t comma = text.find(',', position);
    const std::string_view field =
        text.substr(position, comma == std::string_view::npos ? std::string_view::npos : comma - position);
    if (Trimmed(field).empty()) break;
    double value = 0.0;
    if (!ParseField(field, value)) return false;
    if (read < 5) {
      numbers[read] = read == 0 ? value : value * kMillimetresPerInch;
    } else {
      dashes[static_cast<std::size_t>(dashCount++)] = value * kMillimetresPerInch;
    }
    ++read;
    if (dashCount == kMaxDashes || comma == std::string_view::npos) break;
    position = comma + 1;
  }
  if (read < 4) return false;
  angle = numbers[0] * kDegToRad;
  NormalizeAngle(angle);
  base = {numbers[1], numbers[2]};
  OffsetToVector(numbers[3], read > 4 ? numbers[4] : 1.0);
  return true;
}

void FcHPLine::OffsetToVector(double along, double across) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  offset = {along * c - across * s, along * s + across * c};
}

void FcHPLine::ScaleRotate(double scale, double rotation) {
  angle += rotation;
  NormalizeAngle(angle);
  base *= scale;
  offset *= scale;
  RotateVector(rotation, base);
  RotateVector(rotation, offset);
  for (int i = 0; i < dashCount; ++i) dashes[static_cast<std::size_t>(i)] *= scale;
}

void FcHPLine::Transform(const FcMatrix2d& matrix) {
  TransformPoint(matrix, base);
  const FcPoint2d direction = TransformVector(matrix, {1000.0 * std::cos(angle), 1000.0 * std::sin(angle)});
  angle = std::atan2(direction.y, direction.x);
  NormalizeAngle(angle);
  offset = TransformVector(matrix, offset);
  const double factor = std::sqrt(matrix.a * matrix.a + matrix.d * matrix.d);
  for (int i = 0; i < dashCount; ++i) dashes[static_cast<std::size_t>(i)] *= factor;
}

void FcHPPattern::Clear() {
  lines_.clear();
  style_ = 0;
  type_ = kPatternPredefined;
  angle_ = 0.0;
  scale_ = 1.0;
  double_ = 0;
}

void FcHPPattern::CopyFrom(const FcHPPattern& other) { *this = other; }

bool FcHPPattern::LoadFromFile(FcFiler& filer, std::string_view name) {
  if (filer.Seek(0, FcSeekOrigin::kBegin) != 0) return false;
  std::string line;
  int lineNumber = 0;
  for (;;) {
    if (!filer.ReadLine(line)) return false;
    ++lineNumber;
    if (EqualsNoCase(HeaderName(Trimmed(line)), name) && !HeaderName(Trimmed(line)).empty()) break;
  }
  lines_.clear();
  name_ = name;
  while (filer.ReadLine(line)) {
    ++lineNumber;
    if (line.empty()) break;
    if (line.size() > kLongestLine) line.resize(kLongestLine);
    const std::string_view text = Trimmed(line);
    if (!text.empty() && text.front() == '*') break;
    if (text.empty() || text.front() == ';') continue;
    FcHPLine parsed;
    if (!parsed.Parse(text)) {
      PrintMessage("Pattern file line " + std::to_string(lineNumber) + " is not a pattern line: skipped.");
      continue;
    }
    lines_.push_back(parsed);
  }
  if (lines_.empty()) return false;
  for (FcHPLine& family : lines_) family.ScaleRotate(scale_, angle_);
  return true;
}

void FcHPPattern::AddUserLine() {
  FcHPLine family;
  family.offset = {0.0, scale_};
  family.ScaleRotate(1.0, angle_);
  lines_.push_back(family);
}

void FcHPPattern::Transform(const FcMatrix2d& matrix) {
  for (FcHPLine& family : lines_) family.Transform(matrix);
  // The angle and scale the pattern reports (and is made again from) go
  // with its lines, or a rotated or scaled hatch would be rebuilt as it was.
  const FcPoint2d direction = TransformVector(matrix, {std::cos(angle_), std::sin(angle_)});
  angle_ = std::atan2(direction.y, direction.x);
  NormalizeAngle(angle_);
  scale_ *= std::sqrt(matrix.a * matrix.a + matrix.d * matrix.d);
}
