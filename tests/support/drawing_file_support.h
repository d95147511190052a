#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/resbuf.h"
#include "database/graph.h"
#include "database/mline_style.h"
#include "imaging/dib.h"
#include "entities/raster_image.h"
#include "entities/arc.h"
#include "entities/circle.h"
#include "entities/face3d.h"
#include "entities/line.h"
#include "entities/point_entity.h"
#include "entities/ray.h"
#include "entities/solid.h"
#include "entities/trace.h"
#include "entities/xline.h"
#include "files/dxf_file_writer.h"
#include "filers/file_object.h"
#include "filers/filer.h"
#include "tests/support/corpus_manifest.h"
#include "tests/support/temp_dir.h"

// Drawings and DXF bytes for the whole-file tests.

inline FcLine* AddTestLine(FcGraph& graph, FcPoint2d start, FcPoint2d end) {
  auto* line = new FcLine;
  line->SetStartPoint(start);
  line->SetEndPoint(end);
  graph.AddEntity(line, false);
  return line;
}

// A 3 x 2 BMP file that lasts as long as the test program.
inline const std::string& TestImagePath() {
  static const TempDir folder;
  static const std::string path = [] {
    const std::string file = folder.path() + "swatch.bmp";
    CDib picture;
    FcFile out;
    if (picture.CreateBlank(24, 3, 2) && out.Open(file, kFcOpenWrite | kFcOpenCreate)) {
      picture.WriteFile(out);
      out.Close();
    }
    return file;
  }();
  return path;
}

// The definition of the test picture in a new "ACAD_IMAGE_DICT", with the
// drawing's image settings beside it.
inline FcRasterImageDef* AddTestImageDef(FcGraph& graph) {
  auto* dictionary = new FcDictionary;
  if (!graph.AddNamedObject(kImageDictionaryName, dictionary)) {
    delete dictionary;
    return nullptr;
  }
  auto* definition = new FcRasterImageDef;
  definition->SetFilePath(TestImagePath());
  definition->SetLoaded(true);
  definition->Load(&graph);
  definition->SetResolutionUnits(2);
  graph.TakeHandle(*definition);
  definition->SetDwgType(graph.GetCustomClassType(FcRasterImageDef::kRecordName));
  dictionary->SetAt("swatch", definition);
  auto* variables = new FcRasterVariables;
  variables->SetImageFrame(0);
  variables->SetUnits(3);
  if (!graph.AddNamedObject(kImageVariablesName, variables)) delete variables;
  return definition;
}

template <typename Corners>
inline void AddTestCorners(FcGraph& graph, double x, double y) {
  auto* entity = new Corners;
  entity->SetCorners({FcPoint2d{x, y}, FcPoint2d{x + 2, y}, FcPoint2d{x, y + 1.5}, FcPoint2d{x + 2.5, y + 1}});
  graph.AddEntity(entity, false);
}

template <typename Unbounded>
inline void AddTestUnbounded(FcGraph& graph, double x, double y) {
  auto* entity = new Unbounded;
  entity->SetBasePoint({x, y});
  entity->SetDirection({3, -4});
  graph.AddEntity(entity, false);
}

// A circle and an arc crossing angle 0, around (x, y).
inline void AddTestCurves(FcGraph& graph, double x, double y) {
  auto* circle = new FcCircle;
  circle->SetCenter({x + 2, y - 3});
  circle->SetRadius(1.5);
  graph.AddEntity(circle, false);
  auto* arc = new FcArc;
  arc->SetCenter({x + 5, y - 3});
  arc->SetRadius(0.75);
  arc->SetStartAngle(5.5);
  arc->SetEndAngle(0.25);
  graph.AddEntity(arc, false);
}

// One entity of every class into the current space, around (x, y).
inline void AddEveryEntityKind(FcGraph& graph, double x, double y, FcRasterImageDef* definition) {
  AddTestLine(graph, {x, y}, {x + 10, y + 0.125})->SetColor(1);
  auto* point = new FcPointEnt;
  point->SetLocation({x + 1, y - 1});
  point->SetAngle(0.75);
  graph.AddEntity(point, false);
  AddTestCorners<FcSolid>(graph, x, y + 2);
  AddTestCorners<FcTrace>(graph, x + 3, y + 2);
  AddTestCorners<Fc3DFace>(graph, x + 6, y + 2);
  AddTestUnbounded<FcRay>(graph, x - 2, y);
  AddTestUnbounded<FcXLine>(graph, x - 3, y + 1);
  auto* image = new FcRasterImage;
  image->SetImageDef(definition);
  image->SetInsertionPoint({x + 4, y + 5});
  image->SetVectors({0.5, 0.25}, {-0.25, 0.5});
  image->SetDisplaySettings(60, 40, 10);
  graph.AddEntity(image, false);
  AddTestCurves(graph, x, y);
}

// A drawing with a record in every table (one linetype from the program's
// linetype file), every kind of entity in model space and in a block of
// its own, a layout and a multiline style of its own, a draw-order table,
// a dictionary variable, an image definition and extended data.
inline void FillTestDrawing(FcGraph& graph) {
  FcLineType* dashed = graph.GetOrCreateLinetype("Dashed");
  dashed->SetDescription("__ __ __");
  dashed->SetPattern("A,.5,-.25");
  FcLinetypeList file;
  file.LoadFromFile(std::string(KOVRA_SOURCE_DIR) + "/Support/kovra.lin");
  FcLineType* border = graph.GetOrCreateLinetype("BORDER");
  const FcHandle borderHandle = border->GetHandle();
  if (const FcLineType* loaded = file.FindByName("BORDER")) border->CopyFrom(*loaded);
  border->SetHandle(borderHandle);
  FcLayer* walls = graph.FindOrCreateLayer("Walls");
  walls->SetColor(3);
  walls->SetLinetypeHandle(dashed->GetHandle());
  graph.FindOrCreateLayer("Edges")->SetLinetypeHandle(borderHandle);
  graph.FindOrCreateTextStyle("Notes");
  graph.NewDimStyle("Plans");
  FcAppID* app = graph.AddAppId("KOVRA_TEST");
  graph.MoveUcsOrigin(2, 3);
  graph.RotateUcs(0.5);
  if (FcUCS* turned = graph.SaveNamedUcs("Turned")) graph.TakeHandle(*turned);

  auto* mlineStyle = new FcMLineStyle;
  mlineStyle->name = "Double";
  mlineStyle->SetDescription("two walls");
  mlineStyle->AddElement(1, FcMLineStyle::kByLayerLinetype, 0.25);
  mlineStyle->AddElement(FcMLineStyle::kByLayerColour, FcMLineStyle::kByLayerLinetype, -0.25);
  graph.TakeHandle(*mlineStyle);
  if (auto* styles = dynamic_cast<FcDictionary*>(graph.GetNamedObjects().GetAt("ACAD_MLINESTYLE"))) {
    styles->SetAt("Double", mlineStyle);
  } else {
    delete mlineStyle;
  }
  FcResBuf drawOrderControl;
  drawOrderControl.type = kResTypeString;
  drawOrderControl.SetString("2");
  graph.SetSysVar("DrawOrderCtl", drawOrderControl);
  FcRasterImageDef* definition = AddTestImageDef(graph);

  graph.SetCurrentLayer("Walls");
  AddEveryEntityKind(graph, 0, 0, definition);
  FcLine* tagged = AddTestLine(graph, {10, 0}, {10, 5});
  tagged->GetXdata().GetForApp(app)->SetChain(
      BuildResBufList(1000, "tag", 1040, 2.5, 1070, 7, 1071, -100000, 1010, 1.5, -2.25, 0));
  graph.SetCurrentLayer("0");
  AddTestLine(graph, {-1.5, 2.25}, {3e6, -7});
  graph.AddToDrawOrder(tagged->GetHandle(), true);

  FcBlock* modelSpace = graph.GetCurrentBlock();
  FcBlock* door = graph.GetBlockList().AddNew();
  door->SetName("Door");
  door->SetBasePoint({1, 2});
  graph.SetCurrentBlock(door);
  graph.SetCurrentEntitySet(&door->GetEntities());
  graph.SetCurrentLayer("Edges");
  AddEveryEntityKind(graph, 20, -4, definition);
  graph.SetCurrentLayer("0");
  graph.SetCurrentBlock(modelSpace);
  graph.SetCurrentEntitySet(&modelSpace->GetEntities());
  RebuildImageReactors(graph);
}

// The objects of a dictionary and of the dictionaries under it, by record
// name.
inline void CountDictionaryObjects(const FcDictionary& dictionary, std::map<std::string, int>& counts) {
  for (int i = 0; i < dictionary.GetEntryCount(); ++i) {
    const FcObject* object = dictionary.GetEntry(i).object;
    if (object == nullptr) continue;
    ++counts[object->GetRecordName()];
    if (const auto* definition = dynamic_cast<const FcRasterImageDef*>(object)) {
      counts[FcRasterImageDefReactor::kRecordName] += definition->GetReactors().GetCount();
    }
    if (const auto* inner = dynamic_cast<const FcDictionary*>(object)) CountDictionaryObjects(*inner, counts);
  }
}

// The records of the drawing by kind: each table's records, the entities
// of all blocks, and the objects of the named-object dictionary and of the
// blocks' extension dictionaries.
inline std::string RecordCounts(const FcGraph& graph) {
  std::map<std::string, int> counts;
  const FcBlockList& blocks = graph.GetBlockList();
  counts["table LAYER"] = graph.GetLayerList().GetCount();
  counts["table LTYPE"] = graph.GetLinetypeList().GetCount();
  counts["table STYLE"] = graph.GetTextStyleList().GetCount();
  counts["table DIMSTYLE"] = graph.GetDimStyleList().GetCount();
  counts["table UCS"] = graph.GetUcsList().GetCount();
  counts["table APPID"] = graph.GetAppIdList().GetCount();
  counts["table BLOCK_RECORD"] = blocks.GetBlockCount();
  CountDictionaryObjects(graph.GetNamedObjects(), counts);
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    if (const FcDictionary* extension = blocks.GetAt(i)->GetExtDictionary()) {
      ++counts["extension DICTIONARY"];
      CountDictionaryObjects(*extension, counts);
    }
  }
  std::string text = EntitiesByKind(graph);
  for (const auto& [kind, count] : counts) text += kind + ":" + std::to_string(count) + " ";
  return text;
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
