#include "dialogs/hatch_picture.h"

#include <QPainter>
#include <memory>
#include <vector>

#include "commands/dialogs/hatch_dlg.h"
#include "commands/hatch/hatch_settings.h"
#include "entities/hatch_edges.h"
#include "entities/hatch_loops.h"
#include "entities/hatch_pattern.h"
#include "filers/file_object.h"
#include "filers/filer.h"

namespace {

QPixmap Blank(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.setPen(Qt::gray);
  painter.drawRect(0, 0, size - 1, size - 1);
  return picture;
}

QPixmap DefaultPicture(int size) {
  QPixmap picture = Blank(size);
  QPainter painter(&picture);
  painter.setPen(Qt::darkGray);
  painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("?"));
  return picture;
}

// The pattern's segments over the unit square; empty when the file or the
// pattern cannot be had.
std::vector<HatchSegment> UnitSegments(const std::string& name) {
  std::vector<HatchSegment> segments;
  std::string path;
  FcFiler filer;
  if (!FindPatternFile(path) || !filer.Open(path, kFcOpenRead, FcFileKind::kAsciiDxf)) return segments;
  FcHPPattern pattern;
  pattern.SetType(kPatternPredefined);
  if (!pattern.LoadFromFile(filer, name)) return segments;
  FcHatchEdgeList loops;
  auto square = std::make_unique<FcOtherEdge>();
  const FcPoint2d corners[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  for (int i = 0; i < 4; ++i) square->AppendFlattened(std::make_unique<FcLineEdge>(corners[i], corners[(i + 1) % 4]));
  loops.Append(std::move(square));
  pattern.GenerateSegments(loops, segments);
  return segments;
}

}  // namespace

QPixmap HatchPicture(const std::string& pattern, int size) {
  const std::string own = HatchPictureName(pattern);
  if (own.empty()) return DefaultPicture(size);
  QPixmap picture = Blank(size);
  QPainter painter(&picture);
  if (own == "SOLID") {
    painter.fillRect(1, 1, size - 2, size - 2, Qt::black);
    return picture;
  }
  painter.setPen(Qt::black);
  const double scale = size - 1;
  for (const HatchSegment& segment : UnitSegments(own)) {
    painter.drawLine(QPointF(segment.start.x * scale, (1.0 - segment.start.y) * scale),
                     QPointF(segment.end.x * scale, (1.0 - segment.end.y) * scale));
  }
  return picture;
}
