#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/resbuf.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "imaging/dib.h"
#include "display/display_surface.h"
#include "display/image_primitive.h"
#include "entities/raster_image.h"
#include "window/screen_device.h"
#include "display/view_transform.h"
#include "filers/file_object.h"
#include "imaging/jpeg_reader.h"
#include "platform/recording_frame_link.h"
#include "tests/support/entity_record_support.h"
#include "tests/support/temp_dir.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr int kDeviceWidth = 40;
constexpr int kDeviceHeight = 30;

FcColorRef PictureColor(int i, int j) {
  return MakeColorRef(static_cast<std::uint8_t>(10 + 30 * i), static_cast<std::uint8_t>(40 + 40 * j), 90);
}

// A 6 x 5 BMP file whose every pixel has its own colour.
void WriteBmp(const std::string& path) {
  CDib picture;
  ASSERT_TRUE(picture.CreateBlank(24, 6, 5));
  int bitCount = 0;
  int stride = 0;
  std::uint8_t* bits = picture.GetBits(&bitCount, &stride);
  for (int j = 0; j < 5; ++j) {
    for (int i = 0; i < 6; ++i) {
      const FcColorRef color = PictureColor(i, j);
      std::uint8_t* pixel = bits + j * stride + i * 3;
      pixel[0] = static_cast<std::uint8_t>(color >> 16);
      pixel[1] = static_cast<std::uint8_t>(color >> 8);
      pixel[2] = static_cast<std::uint8_t>(color);
    }
  }
  FcFile file;
  ASSERT_TRUE(file.Open(path, kFcOpenWrite | kFcOpenCreate));
  ASSERT_TRUE(picture.WriteFile(file));
  ASSERT_TRUE(file.Close());
}

// A drawing with an image dictionary, a definition of a 6 x 5 BMP file in
// it and an image of that definition in model space at (10, 8).
class RasterImageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetFrameLink(&link_);
    bmpPath_ = temp_.path() + "picture.bmp";
    WriteBmp(bmpPath_);
    auto* dictionary = new FcDictionary;
    ASSERT_TRUE(graph_.AddNamedObject(kImageDictionaryName, dictionary));
    definition_ = AddDefinition(*dictionary, "picture", bmpPath_);
    image_ = new FcRasterImage;
    image_->SetImageDef(definition_);
    image_->SetInsertionPoint({10.0, 8.0});
    graph_.AddEntity(image_, false);
  }
  void TearDown() override { SetFrameLink(nullptr); }

  FcRasterImageDef* AddDefinition(FcDictionary& dictionary, const std::string& name, const std::string& path) {
    auto* definition = new FcRasterImageDef;
    definition->SetFilePath(path);
    definition->SetLoaded(true);
    definition->Load(&graph_);
    graph_.TakeHandle(*definition);
    definition->SetDwgType(graph_.GetCustomClassType(FcRasterImageDef::kRecordName));
    dictionary.SetAt(name, definition);
    return definition;
  }

  // The image's primitive drawn through a 40 x 30 screen device showing
  // world (0, 0) to (40, 30) on black.
  Pixels DrawOnScreen(FcRasterImage& image, std::map<std::pair<int, int>, FcColorRef>* colors = nullptr) {
    FcDisplaySurface surface(&graph_);
    auto device = std::make_unique<FcMFCDisplayDevice>();
    FcMFCDisplayDevice& screen = *device;
    screen.backgroundIndex = -1;
    screen.backgroundRgb = 0;
    screen.Resize(kDeviceWidth, kDeviceHeight);
    surface.SetDevice(std::move(device));
    surface.SetDeviceSize(kDeviceWidth, kDeviceHeight);
    FcViewTransform& view = *surface.GetView();
    view.x1 = kDeviceWidth;
    view.y1 = kDeviceHeight;
    view.Update();
    surface.OpenGroup(image.GetHandle());
    image.Draw(&surface);
    Pixels lit;
    FcDsGroupEnts* group = surface.GetGroup(0);
    if (group == nullptr || group->GetCount() != 1) return lit;
    screen.BeginPaint({}, 1);
    group->GetPrimitive(0)->Draw(surface);
    screen.EndPaint();
    const QImage& buffer = screen.BackBuffer();
    for (int row = 0; row < buffer.height(); ++row) {
      for (int x = 0; x < buffer.width(); ++x) {
        const QRgb rgb = buffer.pixel(x, row);
        if ((rgb & 0xFFFFFF) == 0) continue;
        lit.insert({x, kDeviceHeight - row});
        if (colors != nullptr) {
          (*colors)[{x, kDeviceHeight - row}] = MakeColorRef(static_cast<std::uint8_t>(qRed(rgb)),
                                                             static_cast<std::uint8_t>(qGreen(rgb)),
                                                             static_cast<std::uint8_t>(qBlue(rgb)));
        }
      }
    }
    return lit;
  }

  static Pixels Border(int x0, int y0, int x1, int y1) {
    Pixels border;
    for (int x = x0; x <= x1; ++x) border.insert({x, y0}), border.insert({x, y1});
    for (int y = y0; y <= y1; ++y) border.insert({x0, y}), border.insert({x1, y});
    return border;
  }

  RecordingFrameLink link_;
  TempDir temp_;
  std::string bmpPath_;
  FcGraph graph_;
  FcRasterImageDef* definition_ = nullptr;
  FcRasterImage* image_ = nullptr;
};

TEST_F(RasterImageTest, DefinitionTakesThePictureSizes) {
  ASSERT_TRUE(definition_->IsImageLoaded());
  ExpectPointNear(definition_->GetPixelSize(), {6.0, 5.0}, 1e-12);
  ExpectPointNear(definition_->GetNormalizedSize(), {1.0, 5.0 / 6.0}, 1e-12);
  EXPECT_EQ(definition_->GetResolvedPath(), bmpPath_);
  EXPECT_EQ(image_->GetPixelWidth(), 6.0);
  EXPECT_EQ(image_->GetDwgType(), graph_.GetCustomClassType("IMAGE"));
}

// The entity hands its picture to the display: picture pixel (i, j) shows
// around world (10 + i, 8 + j), inside a frame in the image's colour.
TEST_F(RasterImageTest, EntityDrawsItsPictureInsideItsFrame) {
  std::map<std::pair<int, int>, FcColorRef> colors;
  const Pixels lit = DrawOnScreen(*image_, &colors);
  EXPECT_EQ(colors[std::make_pair(12, 10)], PictureColor(2, 2));
  EXPECT_EQ(colors[std::make_pair(14, 11)], PictureColor(4, 3));
  for (const auto& point : Border(10, 8, 16, 13)) EXPECT_TRUE(lit.count(point)) << point.first << "," << point.second;
}

// With clipping on, the image shows only what its boundary keeps, polygon
// or rectangle; boundary vertices count pixels from the top-left pixel's
// centre, rows downward. With clipping off the whole picture shows.
TEST_F(RasterImageTest, ClippingShowsOnlyTheBoundarysInside) {
  FcPoint2dArray triangle;  // the upper-left half of the picture
  triangle.AddXY(-0.5, -0.5);
  triangle.AddXY(5.5, -0.5);
  triangle.AddXY(-0.5, 4.5);
  FcPoint2dArray rectangle;  // picture pixels 2 and 3 of rows 2 and 3 from the bottom
  rectangle.AddXY(1.5, 0.5);
  rectangle.AddXY(3.5, 2.5);
  struct Case {
    const char* name;
    const FcPoint2dArray* boundary;
    std::int16_t clipping;
    std::int16_t type;
    std::vector<std::pair<int, int>> shown;
    std::vector<std::pair<int, int>> hidden;
  };
  const Case cases[] = {
      {"polygon, clipping off", &triangle, 0, 2, {{11, 12}, {15, 9}}, {}},
      {"polygon", &triangle, 1, 2, {{11, 12}, {12, 11}, {12, 12}}, {{15, 9}, {14, 10}}},
      {"rectangle", &rectangle, 1, 1, {{13, 11}}, {{11, 9}, {15, 12}, {11, 12}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    image_->SetClipBoundary(*c.boundary);
    image_->SetClipping(c.clipping);
    EXPECT_EQ(image_->GetClipType(), c.type);
    std::map<std::pair<int, int>, FcColorRef> colors;
    const Pixels lit = DrawOnScreen(*image_, &colors);
    for (const auto& [x, y] : c.shown) EXPECT_EQ(colors[std::make_pair(x, y)], PictureColor(x - 10, y - 8)) << x << "," << y;
    for (const auto& [x, y] : c.hidden) EXPECT_EQ(lit.count({x, y}), 0u) << x << "," << y;
  }
}

// The display flags' transparency and the clip boundary reach the image's
// primitive.
TEST_F(RasterImageTest, PrimitiveTakesTransparencyAndBoundary) {
  FcPoint2dArray triangle;
  triangle.AddXY(-0.5, -0.5);
  triangle.AddXY(5.5, -0.5);
  triangle.AddXY(-0.5, 4.5);
  image_->SetClipBoundary(triangle);
  image_->SetClipping(1);
  for (const bool transparent : {false, true}) {
    SCOPED_TRACE(transparent);
    image_->SetDisplayFlags(static_cast<std::int16_t>(7 | (transparent ? FcRasterImage::kTransparency : 0)));
    FcDisplaySurface surface(&graph_);
    surface.OpenGroup(image_->GetHandle());
    image_->Draw(&surface);
    FcDsGroupEnts* group = surface.GetGroup(0);
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->GetCount(), 1);
    const auto* primitive = dynamic_cast<const FcDsImage*>(group->GetPrimitive(0));
    ASSERT_NE(primitive, nullptr);
    EXPECT_EQ(primitive->IsTransparent(), transparent);
    const std::vector<FcPoint2d>& clip = primitive->GetClipBoundary();
    ASSERT_EQ(clip.size(), 3u);
    ExpectPointNear(clip[0], {0.0, 5.0}, 1e-12);
    ExpectPointNear(clip[1], {6.0, 5.0}, 1e-12);
    ExpectPointNear(clip[2], {0.0, 0.0}, 1e-12);
  }
}

// A missing or malformed file is reported and the image shows its frame
// alone, at the size the definition last had.
TEST_F(RasterImageTest, UnreadableFileDrawsTheFrameOnly) {
  const std::string broken = temp_.Write("broken.bmp", "BM this is not a bitmap");
  struct Case {
    std::string path;
    std::string message;
  };
  const Case cases[] = {{temp_.path() + "missing.bmp", "not found"}, {broken, "Can not read image file"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    link_.Clear();
    definition_->SetFilePath(c.path);
    EXPECT_FALSE(definition_->Load(&graph_));
    EXPECT_FALSE(definition_->IsImageLoaded());
    ASSERT_FALSE(link_.HistoryLines().empty());
    EXPECT_NE(link_.HistoryLines().back().find(c.message), std::string::npos) << link_.HistoryLines().back();
    EXPECT_EQ(DrawOnScreen(*image_), Border(10, 8, 16, 13));
  }
}

// The decoder's verdict is worth a box the user must confirm; the history
// line alone scrolls away while a drawing opens.
TEST_F(RasterImageTest, UndecodableJpegIsReportedInAMessageBox) {
  definition_->SetFilePath(temp_.Write("broken.jpg", "not a jpeg"));
  EXPECT_FALSE(definition_->Load(&graph_));
  const std::vector<RecordingFrameLink::Call> calls = link_.Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().message, FrameMessage::kMessageBox);
  EXPECT_EQ(calls.back().title, kJpegErrorTitle);
  EXPECT_FALSE(calls.back().text.empty());
}

TEST_F(RasterImageTest, RelativePathIsSearchedInTheDrawingFolderOnceItHasAName) {
  WriteBmp(temp_.MakeDirectory("sub") + "/pic.bmp");
  FcRasterImageDef definition;
  definition.SetFilePath(".\\sub\\pic.bmp");
  graph_.GetSysVars().SetDwgPrefix(temp_.path());
  graph_.GetSysVars().dwgtitled = 0;
  EXPECT_FALSE(definition.Load(&graph_));
  graph_.GetSysVars().dwgtitled = 1;
  EXPECT_TRUE(definition.Load(&graph_));
  EXPECT_EQ(definition.GetResolvedPath(), temp_.path() + "sub/pic.bmp");
}

// Rebuilding the reactors gives each definition one reactor per image that
// uses it; an image whose definition is missing leaves the drawing.
TEST_F(RasterImageTest, RebuildingReactorsAttachesImagesAndDropsOrphans) {
  auto* second = new FcRasterImage;
  second->SetImageDef(definition_);
  graph_.AddEntity(second, false);
  auto* orphan = new FcRasterImage;
  graph_.AddEntity(orphan, false);
  FcEntitySets& model = graph_.GetBlockList().GetAt(0)->GetEntities();
  ASSERT_EQ(model.GetCount(), 3);

  RebuildImageReactors(graph_);
  RebuildImageReactors(graph_);
  ASSERT_EQ(definition_->GetReactors().GetCount(), 2);
  EXPECT_EQ(definition_->GetReactors().GetAt(0)->GetImageHandle(), second->GetHandle());
  EXPECT_EQ(definition_->GetReactors().GetAt(0)->GetOwner(), second);
  EXPECT_EQ(model.GetCount(), 2);
  EXPECT_FALSE(model.Contains(orphan));
  EXPECT_EQ(image_->GetClipType(), 1);
  ASSERT_EQ(image_->GetClipBoundary().count, 2);
  ExpectPointNear(image_->GetClipBoundary()[1], {5.5, 4.5}, 1e-12);
  EXPECT_EQ(FindImageDef(graph_, definition_->GetHandle()), definition_);
  EXPECT_EQ(FindImageDef(graph_, image_->GetHandle()), nullptr);
}

// Reads the record whose group 0 is next into the object: its reader's
// result, or -1 when the record is of another kind.
int ReadRecord(FcFiler& filer, FcObject& object) {
  FcResBuf group;
  if (!filer.ReadGroup(group) || group.type != 0 || group.text == nullptr ||
      object.GetRecordName() != group.text) {
    return -1;
  }
  return object.ReadDxf(filer);
}

void ExpectSameImage(const FcRasterImage& read, const FcRasterImage& written) {
  ExpectSameCommonProperties(read, written);
  ExpectPointNear(read.GetInsertionPoint(), written.GetInsertionPoint(), 1e-12);
  ExpectPointNear(read.GetU(), written.GetU(), 1e-12);
  ExpectPointNear(read.GetV(), written.GetV(), 1e-12);
  EXPECT_EQ(read.GetPixelWidth(), written.GetPixelWidth());
  EXPECT_EQ(read.GetPixelHeight(), written.GetPixelHeight());
  EXPECT_EQ(read.GetBrightness(), written.GetBrightness());
  EXPECT_EQ(read.GetContrast(), written.GetContrast());
  EXPECT_EQ(read.GetFade(), written.GetFade());
  EXPECT_EQ(read.GetClipType(), written.GetClipType());
  ASSERT_EQ(read.GetClipBoundary().count, written.GetClipBoundary().count);
  for (int i = 0; i < read.GetClipBoundary().count; ++i) {
    ExpectPointNear(read.GetClipBoundary()[i], written.GetClipBoundary()[i], 1e-12);
  }
  EXPECT_EQ(read.GetImageDefHandle(), written.GetImageDefHandle());
}

void ExpectSameDefinition(const FcRasterImageDef& read, const FcRasterImageDef& written) {
  EXPECT_EQ(read.GetHandle(), written.GetHandle());
  EXPECT_EQ(read.GetFilePath(), written.GetFilePath());
  ExpectPointNear(read.GetPixelSize(), written.GetPixelSize(), 1e-12);
  ExpectPointNear(read.GetNormalizedSize(), written.GetNormalizedSize(), 1e-12);
  EXPECT_EQ(read.GetLoaded(), written.GetLoaded());
  EXPECT_EQ(read.GetResolutionUnits(), written.GetResolutionUnits());
  EXPECT_EQ(read.IsImageLoaded(), written.GetLoaded() != 0);
}

class RasterImageRecordTest : public RasterImageTest {
 protected:
  void SetUp() override {
    RasterImageTest::SetUp();
    image_->SetVectors({0.5, 0.25}, {-0.25, 0.5});
    image_->SetDisplaySettings(60, 40, 10);
    image_->SetDisplayFlags(FcRasterImage::kShowImage | FcRasterImage::kShowUnaligned);
    definition_->SetResolutionUnits(2);
    ASSERT_TRUE(image_->AttachImageDef(graph_));
    variables_.SetImageFrame(0);
    variables_.SetImageQuality(0);
    variables_.SetUnits(3);
    graph_.TakeHandle(variables_);
    variables_.SetDwgType(graph_.GetCustomClassType(FcRasterVariables::kRecordName));
  }

  FcRasterVariables variables_;
};

TEST_F(RasterImageRecordTest, DxfRoundTripsInBothForms) {
  for (const FcFileKind kind : {FcFileKind::kAsciiDxf, FcFileKind::kBinaryDxf}) {
    SCOPED_TRACE(static_cast<int>(kind));
    FcFiler filer;
    StartMemory(filer, kind, &graph_);
    ASSERT_EQ(definition_->WriteDxf(filer), kFcStatusOk);
    ASSERT_EQ(variables_.WriteDxf(filer), kFcStatusOk);
    ASSERT_EQ(image_->WriteDxf(filer), kFcStatusOk);
    filer.WriteString(0, "EOF");
    filer.Seek(0, FcSeekOrigin::kBegin);

    FcRasterImageDefReactor reactor;
    FcRasterImageDef definition;
    FcRasterVariables variables;
    FcRasterImage image;
    ASSERT_EQ(ReadRecord(filer, reactor), kFcStatusOk);
    ASSERT_EQ(ReadRecord(filer, definition), kFcStatusOk);
    ASSERT_EQ(ReadRecord(filer, variables), kFcStatusOk);
    ASSERT_EQ(ReadRecord(filer, image), kFcStatusOk);
    const FcRasterImageDefReactor& written = *definition_->GetReactors().GetAt(0);
    EXPECT_EQ(reactor.GetHandle(), written.GetHandle());
    EXPECT_EQ(reactor.GetImageHandle(), image_->GetHandle());
    EXPECT_EQ(reactor.GetClassVersion(), 2);
    ExpectSameDefinition(definition, *definition_);
    EXPECT_EQ(variables.GetImageFrame(), 0);
    EXPECT_EQ(variables.GetImageQuality(), 0);
    EXPECT_EQ(variables.GetUnits(), 3);
    ExpectSameImage(image, *image_);
    EXPECT_EQ(image.GetDisplayFlags(), image_->GetDisplayFlags());
  }
}

TEST_F(RasterImageRecordTest, DwgRoundTrip) {
  FcFilerDwg filer;
  StartMemory(filer, FcFileKind::kDwg, &graph_);
  filer.WriteRawByte(0);
  ASSERT_EQ(definition_->WriteDwg(filer), kFcStatusOk);
  ASSERT_EQ(variables_.WriteDwg(filer), kFcStatusOk);

  const FcRasterImageDefReactor& writtenReactor = *definition_->GetReactors().GetAt(0);
  FcRasterImageDefReactor reactor;
  reactor.SetHandle(writtenReactor.GetHandle());
  reactor.SetDwgType(writtenReactor.GetDwgType());
  ASSERT_EQ(reactor.ReadDwg(filer), kFcStatusOk);
  EXPECT_EQ(reactor.GetImageHandle(), image_->GetHandle());
  FcRasterImageDef definition;
  definition.SetHandle(definition_->GetHandle());
  definition.SetDwgType(definition_->GetDwgType());
  ASSERT_EQ(definition.ReadDwg(filer), kFcStatusOk);
  ExpectSameDefinition(definition, *definition_);
  FcRasterVariables variables;
  variables.SetHandle(variables_.GetHandle());
  variables.SetDwgType(variables_.GetDwgType());
  ASSERT_EQ(variables.ReadDwg(filer), kFcStatusOk);
  EXPECT_EQ(variables.GetImageFrame(), 0);
  EXPECT_EQ(variables.GetUnits(), 3);

  std::unique_ptr<FcRasterImage> image = DwgRoundTrip(*image_, graph_);
  ASSERT_NE(image, nullptr);
  ExpectSameImage(*image, *image_);
  EXPECT_EQ(image->GetDisplayFlags(), image_->GetDisplayFlags() | FcRasterImage::kShowUnaligned);
}

// A definition read with its loaded flag clear, from either file kind, is
// loaded and let go again: it holds no picture but takes its sizes from the
// file; without the file the sizes stay as read.
TEST_F(RasterImageRecordTest, UnloadedDefinitionTakesTheFileSizesAndHoldsNoPicture) {
  struct Case {
    const char* name;
    bool dwg;
    bool fileThere;
  };
  for (const Case& c : {Case{"dxf", false, true}, Case{"dwg", true, true}, Case{"dxf without file", false, false}}) {
    SCOPED_TRACE(c.name);
    definition_->SetFilePath(c.fileThere ? bmpPath_ : temp_.path() + "missing.bmp");
    definition_->SetLoaded(false);
    definition_->SetPixelSize({40.0, 20.0});
    FcRasterImageDef definition;
    if (c.dwg) {
      FcFilerDwg filer;
      StartMemory(filer, FcFileKind::kDwg, &graph_);
      filer.WriteRawByte(0);
      ASSERT_EQ(definition_->WriteDwg(filer), kFcStatusOk);
      FcRasterImageDefReactor reactor;
      reactor.SetHandle(definition_->GetReactors().GetAt(0)->GetHandle());
      reactor.SetDwgType(definition_->GetReactors().GetAt(0)->GetDwgType());
      ASSERT_EQ(reactor.ReadDwg(filer), kFcStatusOk);
      definition.SetHandle(definition_->GetHandle());
      definition.SetDwgType(definition_->GetDwgType());
      ASSERT_EQ(definition.ReadDwg(filer), kFcStatusOk);
    } else {
      FcFiler filer;
      StartMemory(filer, FcFileKind::kAsciiDxf, &graph_);
      definition_->WriteDxf(filer);
      filer.WriteString(0, "EOF");
      filer.Seek(0, FcSeekOrigin::kBegin);
      FcRasterImageDefReactor reactor;
      ASSERT_EQ(ReadRecord(filer, reactor), kFcStatusOk);
      ASSERT_EQ(ReadRecord(filer, definition), kFcStatusOk);
    }
    EXPECT_FALSE(definition.IsImageLoaded());
    EXPECT_EQ(definition.GetLoaded(), 0);
    EXPECT_EQ(definition.GetFilePath(), definition_->GetFilePath());
    ExpectPointNear(definition.GetPixelSize(), c.fileThere ? FcPoint2d{6.0, 5.0} : FcPoint2d{40.0, 20.0}, 1e-12);
    EXPECT_EQ(definition.GetResolvedPath(), c.fileThere ? bmpPath_ : "");
  }
}

}  // namespace
