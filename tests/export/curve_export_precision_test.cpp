#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/point2d.h"
#include "database/graph.h"
#include "entities/circle.h"
#include "tests/support/export_test_support.h"

namespace {

// An exported circle is written as curves (Bezier segments in PDF, arc
// commands in SVG) that stay within the precision the file writes its
// numbers with, and with no more segments than that needs.

constexpr double kRadius = 100.0;
// A written point is off by the rounding of both its coordinates to two
// decimals (and the integer device units before that); a chord may stray
// from the circle by half a unit of the last decimal more.
const double kRounding = 0.005 * std::sqrt(2.0) + 0.001;
constexpr double kChordHeight = 0.005;
// Points followed along each curve segment written.
constexpr int kSamples = 256;

struct Format {
  const char* extension;
  std::function<std::unique_ptr<FcExportDevice>()> make;
  // The circle's centre in the file's units.
  FcPoint2d centre;
  // The written points of every path, in order.
  std::function<std::vector<FcPoint2d>(const std::string& file)> points;
  // How many points the circle may take.
  std::size_t fewest;
  std::size_t most;
};

// The points of the path operators; a Bezier segment ("c") is followed
// closely enough that its points stand for the curve drawn.
std::vector<FcPoint2d> PdfPoints(const std::string& file) {
  const std::size_t start = file.find("stream\n");
  const std::size_t end = file.find("\nendstream");
  std::istringstream content(Inflate(file.substr(start + 7, end - start - 7)));
  std::vector<FcPoint2d> points;
  std::vector<double> numbers;
  std::string token;
  while (content >> token) {
    if (token == "m" || token == "l") {
      points.push_back({numbers[numbers.size() - 2], numbers.back()});
    } else if (token == "c") {
      const FcPoint2d p0 = points.back();
      const std::size_t n = numbers.size();
      const FcPoint2d p1{numbers[n - 6], numbers[n - 5]};
      const FcPoint2d p2{numbers[n - 4], numbers[n - 3]};
      const FcPoint2d p3{numbers[n - 2], numbers[n - 1]};
      for (int i = 1; i <= kSamples; ++i) {
        const double t = static_cast<double>(i) / kSamples;
        const double u = 1 - t;
        const double w0 = u * u * u;
        const double w1 = 3 * u * u * t;
        const double w2 = 3 * u * t * t;
        const double w3 = t * t * t;
        points.push_back({w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x, w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y});
      }
    } else if (std::isdigit(static_cast<unsigned char>(token.back()))) {
      numbers.push_back(std::stod(token));
    }
  }
  return points;
}

// The points of a circular arc command from `from`, followed closely, with
// the centre found as SVG finds it from the ends, the radius and the flags.
void FollowSvgArc(const FcPoint2d& from, const FcPoint2d& to, double radius, bool large, bool sweep,
                  std::vector<FcPoint2d>& points) {
  const double hx = (from.x - to.x) / 2;
  const double hy = (from.y - to.y) / 2;
  const double squared = hx * hx + hy * hy;
  const double factor = std::sqrt(std::max(0.0, (radius * radius - squared) / squared)) * (large != sweep ? 1 : -1);
  const FcPoint2d centre{factor * hy + (from.x + to.x) / 2, -factor * hx + (from.y + to.y) / 2};
  const double start = std::atan2(from.y - centre.y, from.x - centre.x);
  double turn = std::atan2(to.y - centre.y, to.x - centre.x) - start;
  if (!sweep && turn > 0) turn -= 2 * std::acos(-1.0);
  if (sweep && turn < 0) turn += 2 * std::acos(-1.0);
  for (int i = 1; i <= kSamples; ++i) {
    const double angle = start + turn * i / kSamples;
    points.push_back({centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
  }
}

std::vector<FcPoint2d> SvgPoints(const std::string& file) {
  std::vector<FcPoint2d> points;
  for (std::size_t at = file.find("d=\""); at != std::string::npos; at = file.find("d=\"", at)) {
    at += 3;
    std::string spaced;
    for (const char c : file.substr(at, file.find('"', at) - at)) {
      if (std::isalpha(static_cast<unsigned char>(c))) {
        spaced += std::string(" ") + c + ' ';
      } else {
        spaced += c;
      }
    }
    std::istringstream path(spaced);
    char command = 'M';
    std::string token;
    while (path >> token) {
      if (std::isalpha(static_cast<unsigned char>(token[0]))) {
        command = token[0];
        continue;
      }
      if (command == 'A') {
        double ry = 0, rotation = 0, large = 0, sweep = 0;
        FcPoint2d to;
        path >> ry >> rotation >> large >> sweep >> to.x >> to.y;
        FollowSvgArc(points.back(), to, std::stod(token), large != 0, sweep != 0, points);
        continue;
      }
      FcPoint2d point{std::stod(token), 0};
      path >> point.y;
      points.push_back(point);
    }
  }
  return points;
}

TEST(CurveExportPrecision, CircleKeepsItsShapeWithFewPoints) {
  const Format formats[] = {
      // A move and four to eight Bezier segments, followed point by point.
      {"pdf", [] { return std::make_unique<FcPDFExportDevice>(); }, {125, 125}, PdfPoints, 1 + 4 * kSamples, 1 + 8 * kSamples},
      // A move and two half turns.
      {"svg", [] { return std::make_unique<FcSVGExportDevice>(); }, {110, 110}, SvgPoints, 1 + 2 * kSamples, 1 + 2 * kSamples},
  };
  for (const Format& format : formats) {
    SCOPED_TRACE(format.extension);
    FcGraph graph;
    auto* circle = new FcCircle;
    circle->SetCenter({0, 0});
    circle->SetRadius(kRadius);
    graph.AddEntity(circle, false);
    ScratchFolder folder;
    const std::string path = folder.File(std::string("circle.") + format.extension);
    // One output unit per drawing unit, 1000 device units to the output unit.
    ASSERT_TRUE(graph.ExportWindow({-110, -110}, {110, 110}, format.make(), 220000, 220000, path));

    const std::vector<FcPoint2d> points = format.points(ReadWholeFile(path));
    EXPECT_GE(points.size(), format.fewest);
    EXPECT_LE(points.size(), format.most);
    for (std::size_t i = 0; i < points.size(); ++i) {
      const FcPoint2d& a = points[i];
      EXPECT_NEAR(std::hypot(a.x - format.centre.x, a.y - format.centre.y), kRadius, kRounding) << i;
      if (i == 0) continue;
      const FcPoint2d& b = points[i - 1];
      const FcPoint2d middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
      EXPECT_NEAR(std::hypot(middle.x - format.centre.x, middle.y - format.centre.y), kRadius, kRounding + kChordHeight) << i;
    }
  }
}

}  // namespace
