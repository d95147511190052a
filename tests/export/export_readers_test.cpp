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

// Whether a binary PBM (P4) or PPM (P6) picture has any dark pixel.
bool HasInk(const std::string& path) {
  const std::string data = ReadWholeFile(path);
  const bool bitmap = data.rfind("P4", 0) == 0;
  if (!bitmap && data.rfind("P6", 0) != 0) return false;
  // The header's numbers (width, height and, for PPM, the maximum value),
  // with comments between them, end with one blank before the pixels.
  std::size_t at = 2;
  for (int field = 0; field < (bitmap ? 2 : 3); ++field) {
    while (at < data.size() && (std::isspace(static_cast<unsigned char>(data[at])) || data[at] == '#')) {
      at = data[at] == '#' ? data.find('\n', at) : at + 1;
      if (at == std::string::npos) return false;
    }
    while (at < data.size() && std::isdigit(static_cast<unsigned char>(data[at]))) ++at;
  }
  ++at;
  if (bitmap) return data.find_first_not_of('\0', at) != std::string::npos;
  for (; at + 2 < data.size(); at += 3) {
    const int sum = static_cast<unsigned char>(data[at]) + static_cast<unsigned char>(data[at + 1]) +
                    static_cast<unsigned char>(data[at + 2]);
    if (sum < 3 * 200) return true;
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

}  // namespace
