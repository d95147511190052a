#pragma once

#include <memory>
#include <string>
#include <vector>

#include "database/graph.h"
#include "entities/line.h"
#include "files/dxf_file_writer.h"
#include "files/filer.h"

// Drawings and DXF bytes for the whole-file tests.

inline FcLine* AddTestLine(FcGraph& graph, FcPoint2d start, FcPoint2d end) {
  auto* line = new FcLine;
  line->SetStartPoint(start);
  line->SetEndPoint(end);
  graph.AddEntity(line, false);
  return line;
}

// A drawing with a record in every table and entities in model space and
// in a block of its own.
inline void FillTestDrawing(FcGraph& graph) {
  FcLineType* dashed = graph.GetOrCreateLinetype("Dashed");
  dashed->SetDescription("__ __ __");
  dashed->SetPattern("A,.5,-.25");
  FcLayer* walls = graph.FindOrCreateLayer("Walls");
  walls->SetColor(3);
  walls->SetLinetypeHandle(dashed->GetHandle());
  graph.FindOrCreateTextStyle("Notes");
  graph.NewDimStyle("Plans");
  graph.AddAppId("KOVRA_TEST");
  if (FcUCS* turned = graph.SaveNamedUcs("Turned")) graph.TakeHandle(*turned);
  graph.SetCurrentLayer("Walls");
  AddTestLine(graph, {0, 0}, {10, 0});
  AddTestLine(graph, {10, 0}, {10, 5})->SetColor(1);
  graph.SetCurrentLayer("0");
  AddTestLine(graph, {-1.5, 2.25}, {3e6, -7});

  FcBlock* modelSpace = graph.GetCurrentBlock();
  FcBlock* door = graph.GetBlockList().AddNew();
  door->SetName("Door");
  door->SetBasePoint({1, 2});
  graph.SetCurrentBlock(door);
  graph.SetCurrentEntitySet(&door->GetEntities());
  AddTestLine(graph, {0, 0}, {0, 2});
  graph.SetCurrentBlock(modelSpace);
  graph.SetCurrentEntitySet(&modelSpace->GetEntities());
}

// The whole DXF file of the drawing, in memory.
inline std::vector<char> DxfBytesOf(FcGraph& graph, FcFileKind kind) {
  FcFiler filer;
  filer.AttachFile(std::make_unique<FcFile>(), kind);
  filer.SetGraph(&graph);
  if (kind == FcFileKind::kBinaryDxf) {
    const std::string sentinel("AutoCAD Binary DXF\r\n\x1A\0", 22);
    filer.GetFile()->Write(sentinel.data(), sentinel.size());
  }
  WriteDxfSections(filer, graph);
  return filer.DetachFile()->TakeBytes();
}

inline std::string AsciiDxfOf(FcGraph& graph) {
  const std::vector<char> bytes = DxfBytesOf(graph, FcFileKind::kAsciiDxf);
  return std::string(bytes.begin(), bytes.end());
}

// The ASCII file with the handle seed's value left out: every read hands
// the viewport-entity-header control, which DXF does not carry, a new
// handle, so the seed of a drawing read back lies past the original's.
inline std::string AsciiDxfWithoutSeed(FcGraph& graph) {
  std::string text = AsciiDxfOf(graph);
  const std::string name = "$HANDSEED\r\n 5\r\n";
  const std::size_t at = text.find(name);
  if (at != std::string::npos) text.erase(at + name.size(), text.find('\r', at + name.size()) - at - name.size());
  return text;
}

// The first line where two texts differ, for a readable failure; empty
// when they are equal.
inline std::string FirstDifference(const std::string& a, const std::string& b) {
  std::size_t line = 1;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (a[i] != b[i]) {
      const std::size_t start = a.rfind('\n', i) == std::string::npos ? 0 : a.rfind('\n', i) + 1;
      return "line " + std::to_string(line) + ": \"" + a.substr(start, a.find('\r', start) - start) + "\" vs \"" +
             b.substr(start, b.find('\r', start) - start) + "\"";
    }
    if (a[i] == '\n') ++line;
  }
  return a.size() == b.size() ? std::string() : "lengths " + std::to_string(a.size()) + " and " +
                                                    std::to_string(b.size());
}
