#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/point2d.h"
#include "core/polyline_vertex.h"
#include "database/linetype.h"
#include "display/display_surface.h"
#include "display/primitive_builders.h"
#include "display/view_transform.h"
#include "tests/support/export_test_support.h"

namespace {

// Exports one drawing to every format and has programs that share no code
// with ours read the files back. KOVRA_TEST_OUT names a folder to keep the
// files (and the pictures made of them) in.

PolylineVertex Vertex(double x, double y, double width, double bulge = 0.0) {
  PolylineVertex vertex;
  vertex.x = x;
  vertex.y = y;
  vertex.startWidth = width;
  vertex.endWidth = width;
  vertex.bulge = bulge;
  return vertex;
}

// Lines, arcs, circles, a wide polyline with an arc, a filled polygon, a
// polygon with a hole, dashed lines, a point, in colour indexes and a true
// colour, on a 200 by 150 world window.
void DrawSample(FcDisplaySurface& surface) {
  FcHandle handle = 1;
  surface.currentColorIndex = 7;
  const FcPoint2d frame[] = {{5, 5}, {195, 5}, {195, 145}, {5, 145}};
  AddPolylineToSurface(&surface, frame, 4, true, handle++, 0);
  AddLineToSurface(&surface, {10, 75}, {190, 75}, 0, handle++);
  surface.currentColorIndex = 1;
  AddArcToSurface(&surface, {50, 100}, 30, 0.0, kPi, handle++, 0);
  surface.currentColorIndex = 5;
  AddCurveToSurface(&surface, {150, 100}, 25, handle++, 0);
  surface.currentColorIndex = 3;
  const PolylineVertex wide[] = {Vertex(20, 20, 4), Vertex(60, 20, 4, 0.5), Vertex(80, 40, 2), Vertex(100, 30, 2)};
  AddWidePolylineToSurface(&surface, wide, 4, false, handle++);
  surface.currentColorIndex = 2;
  const FcPoint2d solid[] = {{120, 20}, {160, 20}, {160, 50}, {120, 50}};
  AddSolidToSurface(&surface, solid, 4, handle++, 0);
  surface.currentColorIndex = 4;
  const FcPoint2d rings[] = {{165, 15}, {190, 15}, {190, 40}, {165, 40}, {172, 22}, {183, 22}, {183, 33}, {172, 33}};
  const std::int32_t ringCounts[] = {4, 4};
  AddPolyPolygonToSurface(&surface, rings, ringCounts, 2, handle++, 0);
  FcLineType dashed;
  ASSERT_TRUE(dashed.SetPattern("A,.2,-.1,0,-.1"));
  surface.currentLinetype = &dashed;
  surface.currentColorIndex = 6;
  AddLineToSurface(&surface, {10, 60}, {190, 60}, 0, handle++);
  AddArcToSurface(&surface, {100, 100}, 15, 0.0, 2 * kPi, handle++, 0);
  surface.currentLinetype = nullptr;
  surface.currentColorIndex = -1;
  surface.currentTrueColor = MakeColorRef(255, 128, 0);
  AddLineToSurface(&surface, {10, 140}, {190, 130}, 0, handle++);
  AddPointToSurface(&surface, {100, 140}, handle++, 0);
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

struct ToolRun {
  int status = -1;
  std::string output;
};

// Runs the program with the arguments, its output and errors together.
ToolRun RunTool(const std::string& tool, const std::string& arguments) {
  if (std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) != 0) {
    ADD_FAILURE() << tool << " is not installed; scripts/setup.sh installs it";
    return {};
  }
  std::FILE* pipe = popen((tool + " " + arguments + " </dev/null 2>&1").c_str(), "r");
  if (pipe == nullptr) return {};
  ToolRun run;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

// A binary PBM (P4) or PPM (P6) picture.
struct Picture {
  bool bitmap = false;
  int width = 0;
  int height = 0;
  std::string data;
  // Where the pixels start in data.
  std::size_t start = 0;

  // Whether pixel (x, y), y down from the top row, is dark.
  bool Dark(int x, int y) const {
    if (bitmap) {
      const std::size_t at = start + static_cast<std::size_t>(y) * static_cast<std::size_t>((width + 7) / 8) +
                             static_cast<std::size_t>(x / 8);
      return at < data.size() && (static_cast<unsigned char>(data[at]) & (0x80 >> (x % 8))) != 0;
    }
    const std::size_t at = start + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                    static_cast<std::size_t>(x)) * 3;
    if (at + 2 >= data.size()) return false;
    const int sum = static_cast<unsigned char>(data[at]) + static_cast<unsigned char>(data[at + 1]) +
                    static_cast<unsigned char>(data[at + 2]);
    return sum < 3 * 200;
  }
};

// The picture in the file; empty sizes when it is neither P4 nor P6.
Picture ReadPicture(const std::string& path) {
  Picture picture;
  picture.data = ReadWholeFile(path);
  const std::string& data = picture.data;
  picture.bitmap = data.rfind("P4", 0) == 0;
  if (!picture.bitmap && data.rfind("P6", 0) != 0) return picture;
  // The header's numbers (width, height and, for PPM, the maximum value),
  // with comments between them, end with one blank before the pixels.
  std::size_t at = 2;
  int numbers[3] = {};
  for (int field = 0; field < (picture.bitmap ? 2 : 3); ++field) {
    while (at < data.size() && (std::isspace(static_cast<unsigned char>(data[at])) || data[at] == '#')) {
      at = data[at] == '#' ? data.find('\n', at) : at + 1;
      if (at == std::string::npos) return picture;
    }
    while (at < data.size() && std::isdigit(static_cast<unsigned char>(data[at]))) {
      numbers[field] = numbers[field] * 10 + (data[at] - '0');
      ++at;
    }
  }
  picture.width = numbers[0];
  picture.height = numbers[1];
  picture.start = at + 1;
  return picture;
}

// Whether the picture has any dark pixel.
bool HasInk(const std::string& path) {
  const Picture picture = ReadPicture(path);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.Dark(x, y)) return true;
    }
  }
  return false;
}

// Ghostscript's rendering of a PostScript or PDF file has ink.
void ExpectGhostscriptDraws(const std::string& file, const std::string& picture, const std::string& extra) {
  const ToolRun run = RunTool("gs", "-dSAFER -dBATCH -dNOPAUSE -q " + extra + " -sDEVICE=ppmraw -r72 -o " +
                                        Quoted(picture) + " " + Quoted(file));
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_TRUE(HasInk(picture)) << file;
}

// The SVG reader renders the document to PDF without a complaint.
void ExpectSvgDraws(const std::string& file) {
  const ToolRun lint = RunTool("xmllint", "--noout " + Quoted(file));
  EXPECT_EQ(lint.status, 0) << lint.output;
  const std::string rendered = file + ".pdf";
  const ToolRun render = RunTool("rsvg-convert", "-f pdf -o " + Quoted(rendered) + " " + Quoted(file));
  EXPECT_EQ(render.status, 0) << render.output;
  EXPECT_EQ(render.output, "");
  ExpectGhostscriptDraws(rendered, file + ".ppm", "");
}

// Each format's reading, by extension; the pictures go beside the file.
const std::map<std::string, std::function<void(const std::string&)>> kReaders = {
    {"eps", [](const std::string& file) {
       ExpectGhostscriptDraws(file, file + ".ppm", "-dEPSCrop");
     }},
    {"pdf",
     [](const std::string& file) {
       const ToolRun run = RunTool("qpdf", "--check " + Quoted(file));
       EXPECT_EQ(run.status, 0) << run.output;
       EXPECT_NE(run.output.find("No syntax or stream encoding errors"), std::string::npos) << run.output;
       ExpectGhostscriptDraws(file, file + ".ppm", "");
     }},
    {"svg", ExpectSvgDraws},
    {"svgz", ExpectSvgDraws},
    {"plt",
     [](const std::string& file) {
       const std::string picture = file + ".pbm";
       const ToolRun run = RunTool("hp2xx", "-m pbm -f " + Quoted(picture) + " " + Quoted(file));
       EXPECT_EQ(run.status, 0) << run.output;
       EXPECT_TRUE(HasInk(picture)) << run.output;
     }},
};

TEST(ExportReadersTest, EveryFormatReadsBack) {
  ScratchFolder scratch;
  const char* kept = std::getenv("KOVRA_TEST_OUT");
  const std::filesystem::path folder = kept != nullptr && *kept != '\0' ? kept : scratch.Path();
  std::filesystem::create_directories(folder);
  for (const auto& [extension, make] : ExportFormats()) {
    SCOPED_TRACE(extension);
    FcDisplaySurface surface(nullptr);
    std::unique_ptr<FcExportDevice> owned = make();
    FcExportDevice* device = owned.get();
    surface.SetDevice(std::move(owned));
    surface.SetDeviceSize(200000, 150000);
    FcViewTransform& view = *surface.GetView();
    view.x1 = 200.0;
    view.y1 = 150.0;
    view.Update();
    DrawSample(surface);
    const std::string file = (folder / ("sample." + extension)).string();
    surface.Export(file);
    ASSERT_TRUE(device->Succeeded());
    kReaders.at(extension)(file);
  }
}

// A solid, a wide polyline segment and an arrowhead-like triangle are
// filled in every format an independent renderer reads back: the middle of
// each shows ink, not only its outline.
TEST(ExportReadersTest, FilledShapesAreFilledInEveryFormat) {
  ScratchFolder folder;
  const std::map<std::string, std::function<void(const std::string&, const std::string&)>> renderers = {
      {"eps", [](const std::string& file, const std::string& picture) {
         ExpectGhostscriptDraws(file, picture, "-dEPSCrop");
       }},
      {"pdf", [](const std::string& file, const std::string& picture) { ExpectGhostscriptDraws(file, picture, ""); }},
      {"svg",
       [](const std::string& file, const std::string& picture) {
         const ToolRun render = RunTool("rsvg-convert", "-f pdf -o " + Quoted(file + ".pdf") + " " + Quoted(file));
         EXPECT_EQ(render.status, 0) << render.output;
         ExpectGhostscriptDraws(file + ".pdf", picture, "");
       }},
  };
  for (const auto& [extension, render] : renderers) {
    SCOPED_TRACE(extension);
    FcDisplaySurface surface(nullptr);
    std::unique_ptr<FcExportDevice> owned;
    for (auto& [format, make] : ExportFormats()) {
      if (format == extension) owned = make();
    }
    ASSERT_NE(owned, nullptr);
    FcExportDevice* device = owned.get();
    surface.SetDevice(std::move(owned));
    surface.SetDeviceSize(200000, 150000);
    FcViewTransform& view = *surface.GetView();
    view.x1 = 200.0;
    view.y1 = 150.0;
    view.Update();
    surface.currentColorIndex = 5;
    // The whole drawing is the frame of the view, so that the page and the
    // window match whatever margins the renderer keeps.
    const FcPoint2d corners[] = {{0, 0}, {200, 0}, {200, 150}, {0, 150}};
    AddPolylineToSurface(&surface, corners, 4, true, 1, 0);
    const FcPoint2d solid[] = {{20, 20}, {80, 20}, {80, 130}, {20, 130}};
    AddSolidToSurface(&surface, solid, 4, 2, 0);
    const PolylineVertex wide[] = {Vertex(100, 40, 30), Vertex(180, 40, 30)};
    AddWidePolylineToSurface(&surface, wide, 2, false, 3);
    const FcPoint2d arrow[] = {{100, 80}, {180, 100}, {100, 120}};
    AddSolidToSurface(&surface, arrow, 3, 4, 0);
    const std::string file = folder.File("filled." + extension);
    surface.Export(file);
    ASSERT_TRUE(device->Succeeded());
    const std::string pictureFile = file + ".ppm";
    render(file, pictureFile);
    const Picture picture = ReadPicture(pictureFile);
    ASSERT_GT(picture.width, 0);
    // World (x, y) on the picture, whose top row is world y = 150.
    const auto dark = [&picture](double x, double y) {
      return picture.Dark(static_cast<int>(x / 200.0 * picture.width),
                          static_cast<int>((150.0 - y) / 150.0 * picture.height));
    };
    EXPECT_TRUE(dark(50, 75)) << "solid";
    EXPECT_TRUE(dark(140, 40)) << "wide segment";
    EXPECT_TRUE(dark(120, 100)) << "triangle";
    EXPECT_FALSE(dark(140, 70)) << "between the shapes";
  }
}

}  // namespace
