#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "database/block.h"
#include "database/graph.h"
#include "entities/polyline.h"
#include "entities/polyline_3d.h"
#include "files/drawing_file.h"
#include "platform/thread_slot.h"
#include "tests/support/temp_dir.h"

namespace {

std::string RunPython(const std::string& script, const std::string& path, int* status) {
  const std::string command = "/usr/bin/python3 -c \"" + script + "\" '" + path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::string output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  *status = pclose(pipe);
  return output;
}

struct Shape {
  const char* name;
  std::vector<PolylineVertex> vertices;
  bool closed;
  int fit;  // 0 none, 2 curve, 4 spline
};

PolylineVertex V(double x, double y, double sw = 0, double ew = 0, double bulge = 0) {
  PolylineVertex v;
  v.x = x;
  v.y = y;
  v.startWidth = sw;
  v.endWidth = ew;
  v.bulge = bulge;
  return v;
}

const std::vector<Shape>& Shapes() {
  static const std::vector<Shape> shapes = {
      {"wide", {V(0, 0, 1, 3), V(10, 0, 3, 0.5), V(10, 10, 2, 2)}, false, 0},
      {"constant width", {V(0, 0, 0.5, 0.5), V(5, 1, 0.5, 0.5), V(7, 3, 0.5, 0.5)}, false, 0},
      {"bulged closed", {V(0, 0, 0, 0, 0.5), V(10, 0, 0, 0, -1), V(10, 10, 0, 0, 0), V(0, 10, 0, 0, 1)}, true, 0},
      {"spline fitted", {V(0, 0), V(10, 5), V(20, 0), V(30, 8)}, false, 4},
      {"curve fitted closed", {V(0, 0), V(10, 5), V(20, 0), V(15, -8)}, true, 2},
  };
  return shapes;
}

void Fill(FcGraph& graph) {
  CurrentThreadSlot().graph = &graph;
  for (const Shape& shape : Shapes()) {
    auto* polyline = new FcPolyline;
    for (const PolylineVertex& v : shape.vertices) polyline->AppendVertex({v.x, v.y}, v.startWidth, v.endWidth, v.bulge);
    polyline->SetClosed(shape.closed);
    if (shape.fit == 2) polyline->CurveFit();
    if (shape.fit == 4) polyline->SplineFit();
    graph.AddEntity(polyline, false);
  }
  CurrentThreadSlot() = {};
}

std::vector<const FcPolyline*> PolylinesOf(const FcGraph& graph) {
  std::vector<const FcPolyline*> out;
  const FcBlock* modelSpace = graph.GetBlockList().FindByName("*Model_Space");
  if (modelSpace == nullptr) return out;
  for (int i = 0; i < modelSpace->GetEntities().GetCount(); ++i) {
    if (auto* p = dynamic_cast<const FcPolyline*>(modelSpace->GetEntities().GetAt(i))) out.push_back(p);
  }
  return out;
}

TEST(PolylineFilesTest, EveryFormReadsBackEqualFromEachFileKind) {
  TempDir dir;
  const struct {
    FcFileKind kind;
    const char* file;
  } kinds[] = {{FcFileKind::kAsciiDxf, "a.dxf"}, {FcFileKind::kBinaryDxf, "b.dxf"}, {FcFileKind::kDwg, "c.dwg"}};
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.file);
    FcGraph original;
    Fill(original);
    const std::string path = dir.path() + k.file;
    ASSERT_EQ(SaveDrawing(original, path, k.kind, false, false), FcSaveResult::kDone);
    FcGraph copy;
    FcSkippedRecords skipped;
    std::uint8_t anySkipped = 1;
    ASSERT_EQ(OpenDrawing(copy, path, false, &anySkipped, &skipped), FcOpenResult::kDone);
    EXPECT_EQ(anySkipped, 0);
    const std::vector<const FcPolyline*> read = PolylinesOf(copy);
    ASSERT_EQ(read.size(), Shapes().size());
    for (std::size_t i = 0; i < read.size(); ++i) {
      const Shape& shape = Shapes()[i];
      SCOPED_TRACE(shape.name);
      EXPECT_EQ(read[i]->IsClosed(), shape.closed);
      EXPECT_EQ(read[i]->GetFlags() & 6, shape.fit);
      ASSERT_EQ(read[i]->GetVertexCount(), static_cast<int>(shape.vertices.size()));
      for (std::size_t j = 0; j < shape.vertices.size(); ++j) {
        const PolylineVertex& want = shape.vertices[j];
        const PolylineVertex& got = read[i]->GetVertices()[j];
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        if (shape.fit == 4) continue;
        EXPECT_EQ(got.bulge, want.bulge);
        if (shape.fit != 0) continue;
        EXPECT_EQ(got.startWidth, want.startWidth);
        EXPECT_EQ(got.endWidth, want.endWidth);
      }
    }
  }
}

TEST(PolylineFilesTest, AnIndependentReaderSeesTheSameVerticesAndAuditsClean) {
  TempDir dir;
  FcGraph graph;
  Fill(graph);
  const std::string path = dir.path() + "p.dxf";
  ASSERT_EQ(SaveDrawing(graph, path, FcFileKind::kAsciiDxf, false, false), FcSaveResult::kDone);
  int status = 0;
  const std::string out = RunPython(
      "import sys, ezdxf\n"
      "doc = ezdxf.readfile(sys.argv[1])\n"
      "a = doc.audit()\n"
      "print('errors', len(a.errors))\n"
      "for e in doc.modelspace():\n"
      "    if e.dxftype() == 'LWPOLYLINE':\n"
      "        print(e.closed, e.dxf.get('const_width', 0), [tuple(round(c, 6) for c in p) for p in e.get_points('xyseb')])\n"
      "    else:\n"
      "        print(e.dxftype(), e.dxf.flags, sum(1 for v in e.vertices if v.dxf.flags == 16))\n",
      path, &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_EQ(out,
            "errors 0\n"
            "False 0 [(0.0, 0.0, 1.0, 3.0, 0.0), (10.0, 0.0, 3.0, 0.5, 0.0), (10.0, 10.0, 2.0, 2.0, 0.0)]\n"
            "False 0.5 [(0.0, 0.0, 0.0, 0.0, 0.0), (5.0, 1.0, 0.0, 0.0, 0.0), (7.0, 3.0, 0.0, 0.0, 0.0)]\n"
            "True 0.0 [(0.0, 0.0, 0.0, 0.0, 0.5), (10.0, 0.0, 0.0, 0.0, -1.0), (10.0, 10.0, 0.0, 0.0, 0.0), "
            "(0.0, 10.0, 0.0, 0.0, 1.0)]\n"
            "POLYLINE 4 4\n"
            "POLYLINE 3 0\n");
}

TEST(PolylineFilesTest, HeavyPolylinesWithoutFitVerticesReadAsLightweight) {
  const std::string text =
      "0\nSECTION\n2\nENTITIES\n0\nPOLYLINE\n5\n2A\n100\nAcDbEntity\n8\n0\n100\nAcDb2dPolyline\n66\n1\n70\n0\n"
      "0\nVERTEX\n5\n2B\n100\nAcDbEntity\n8\n0\n100\nAcDbVertex\n100\nAcDb2dVertex\n10\n1\n20\n2\n42\n0.5\n"
      "0\nVERTEX\n5\n2C\n100\nAcDbEntity\n8\n0\n100\nAcDbVertex\n100\nAcDb2dVertex\n10\n3\n20\n4\n"
      "0\nSEQEND\n5\n2D\n100\nAcDbEntity\n8\n0\n0\nENDSEC\n0\nEOF\n";
  FcGraph graph;
  std::uint8_t skipped = 1;
  ASSERT_EQ(OpenDrawingFromMemory(graph, std::vector<char>(text.begin(), text.end()), &skipped), FcOpenResult::kDone);
  EXPECT_EQ(skipped, 0);
  const std::vector<const FcPolyline*> read = PolylinesOf(graph);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0]->GetRecordName(), "LWPOLYLINE");
  ASSERT_EQ(read[0]->GetVertexCount(), 2);
  EXPECT_EQ(read[0]->GetVertices()[0].bulge, 0.5);
  EXPECT_EQ(read[0]->GetVertices()[0].handle, 0x2Bu);
  EXPECT_EQ(read[0]->GetVertices()[1].x, 3.0);
}

}  // namespace

namespace {

struct Shape3d {
  const char* name;
  std::int32_t flags;
  std::int32_t m, n;
  std::vector<Polyline3dVertex> vertices;
};

Polyline3dVertex P(double x, double y, double z) {
  Polyline3dVertex v;
  v.x = x;
  v.y = y;
  v.z = z;
  return v;
}

Polyline3dVertex Face(std::int16_t a, std::int16_t b, std::int16_t c, std::int16_t d) {
  Polyline3dVertex v;
  v.flags = kVertexFaceRecord;
  v.face[0] = a;
  v.face[1] = b;
  v.face[2] = c;
  v.face[3] = d;
  return v;
}

// A closed 3D polyline, a 2 by 3 polygon mesh and a polyface of two faces,
// one with a hidden edge.
const std::vector<Shape3d>& Shapes3d() {
  static const std::vector<Shape3d> shapes = {
      {"3d polyline", kPolyline3d | kPolylineClosed, 0, 0, {P(0, 0, 0), P(10, 0, 5), P(10, 10, -2.5), P(0, 10, 1)}},
      {"polygon mesh", kPolylineMesh, 2, 3, {P(0, 0, 0), P(5, 0, 1), P(10, 0, 0), P(0, 5, 2), P(5, 5, 3), P(10, 5, 2)}},
      {"polyface", kPolylinePolyface, 0, 0,
       {P(0, 0, 0), P(4, 0, 0), P(4, 4, 1), P(0, 4, 1), P(8, 2, 0), Face(1, 2, 3, 4), Face(2, -5, 3, 0)}},
  };
  return shapes;
}

void Fill3d(FcGraph& graph) {
  CurrentThreadSlot().graph = &graph;
  for (const Shape3d& shape : Shapes3d()) {
    auto* polyline = new FcPolyline3d;
    polyline->SetFlags(shape.flags);
    polyline->SetMeshCount(0, shape.m);
    polyline->SetMeshCount(1, shape.n);
    for (const Polyline3dVertex& v : shape.vertices) polyline->AppendVertex(v);
    graph.AddEntity(polyline, false);
  }
  CurrentThreadSlot() = {};
}

std::vector<const FcPolyline3d*> Polylines3dOf(const FcGraph& graph) {
  std::vector<const FcPolyline3d*> out;
  const FcBlock* modelSpace = graph.GetBlockList().FindByName("*Model_Space");
  for (int i = 0; modelSpace != nullptr && i < modelSpace->GetEntities().GetCount(); ++i) {
    if (auto* p = dynamic_cast<const FcPolyline3d*>(modelSpace->GetEntities().GetAt(i))) out.push_back(p);
  }
  return out;
}

// 3D polylines and meshes keep every vertex, its height, its flags and the
// corners of each face through every file kind.
TEST(PolylineFilesTest, ThreeDimensionalPolylinesAndMeshesReadBackEqual) {
  TempDir dir;
  const struct {
    FcFileKind kind;
    const char* file;
  } kinds[] = {{FcFileKind::kAsciiDxf, "a.dxf"}, {FcFileKind::kBinaryDxf, "b.dxf"}, {FcFileKind::kDwg, "c.dwg"}};
  for (const auto& k : kinds) {
    SCOPED_TRACE(k.file);
    FcGraph original;
    Fill3d(original);
    const std::vector<const FcPolyline3d*> written = Polylines3dOf(original);
    const std::string path = dir.path() + k.file;
    ASSERT_EQ(SaveDrawing(original, path, k.kind, false, false), FcSaveResult::kDone);
    FcGraph copy;
    std::uint8_t anySkipped = 1;
    ASSERT_EQ(OpenDrawing(copy, path, false, &anySkipped), FcOpenResult::kDone);
    EXPECT_EQ(anySkipped, 0);
    const std::vector<const FcPolyline3d*> read = Polylines3dOf(copy);
    ASSERT_EQ(read.size(), Shapes3d().size());
    for (std::size_t i = 0; i < read.size(); ++i) {
      SCOPED_TRACE(Shapes3d()[i].name);
      EXPECT_EQ(read[i]->GetFlags(), Shapes3d()[i].flags);
      EXPECT_EQ(read[i]->GetDwgType(), written[i]->GetDwgType());
      EXPECT_EQ(read[i]->GetMeshCount(0), written[i]->IsPolyface() ? 5 : Shapes3d()[i].m);
      EXPECT_EQ(read[i]->GetMeshCount(1), written[i]->IsPolyface() ? 2 : Shapes3d()[i].n);
      ASSERT_EQ(read[i]->GetVertexCount(), written[i]->GetVertexCount());
      for (int j = 0; j < read[i]->GetVertexCount(); ++j) {
        const Polyline3dVertex& want = written[i]->GetVertices()[j];
        const Polyline3dVertex& got = read[i]->GetVertices()[j];
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.z, want.z);
        EXPECT_EQ(got.handle, want.handle);
        EXPECT_EQ(got.IsFaceRecord(), want.IsFaceRecord());
        for (int c = 0; c < 4; ++c) EXPECT_EQ(got.face[c], want.face[c]);
      }
      EXPECT_EQ(read[i]->Edges().size(), written[i]->Edges().size());
    }
  }
}

TEST(PolylineFilesTest, AnIndependentReaderSeesTheSameMeshesAndAuditsClean) {
  TempDir dir;
  FcGraph graph;
  Fill3d(graph);
  const std::string path = dir.path() + "m.dxf";
  ASSERT_EQ(SaveDrawing(graph, path, FcFileKind::kAsciiDxf, false, false), FcSaveResult::kDone);
  int status = 0;
  const std::string out = RunPython(
      "import sys, ezdxf\n"
      "doc = ezdxf.readfile(sys.argv[1])\n"
      "a = doc.audit()\n"
      "print('errors', len(a.errors))\n"
      "for e in doc.modelspace():\n"
      "    print(e.get_mode(), e.dxf.flags, [tuple(round(c, 6) for c in v.dxf.location) for v in e.vertices if v.dxf.flags != 128])\n"
      "    if e.get_mode() == 'AcDbPolyFaceMesh':\n"
      "        print([v.dxf.flags for v in e.vertices], [tuple(v.dxf.get(k, 0) for k in ('vtx0', 'vtx1', 'vtx2', 'vtx3'))\n"
      "               for v in e.vertices if v.dxf.flags == 128])\n",
      path, &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_EQ(out,
            "errors 0\n"
            "AcDb3dPolyline 9 [(0.0, 0.0, 0.0), (10.0, 0.0, 5.0), (10.0, 10.0, -2.5), (0.0, 10.0, 1.0)]\n"
            "AcDbPolygonMesh 16 [(0.0, 0.0, 0.0), (5.0, 0.0, 1.0), (10.0, 0.0, 0.0), (0.0, 5.0, 2.0), (5.0, 5.0, 3.0), "
            "(10.0, 5.0, 2.0)]\n"
            "AcDbPolyFaceMesh 64 [(0.0, 0.0, 0.0), (4.0, 0.0, 0.0), (4.0, 4.0, 1.0), (0.0, 4.0, 1.0), (8.0, 2.0, 0.0)]\n"
            "[192, 192, 192, 192, 192, 128, 128] [(1, 2, 3, 4), (2, -5, 3, 0)]\n");
}

}  // namespace
