#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <utility>

#include "database/graph.h"
#include "imaging/dib.h"
#include "display/display_surface.h"
#include "display/image_primitive.h"
#include "entities/raster_image.h"
#include "window/screen_device.h"
#include "display/view_transform.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr int kDeviceWidth = 40;
constexpr int kDeviceHeight = 30;
constexpr int kPictureWidth = 6;
constexpr int kPictureHeight = 5;

FcColorRef PictureColor(int i, int j) {
  return MakeColorRef(static_cast<std::uint8_t>(20 + 40 * i), static_cast<std::uint8_t>(30 + 50 * j), 200);
}

// A 24-bit picture whose every pixel has its own colour.
void FillPicture(CDib& picture) {
  ASSERT_TRUE(picture.CreateBlank(24, kPictureWidth, kPictureHeight));
  int bitCount = 0;
  int stride = 0;
  std::uint8_t* bits = picture.GetBits(&bitCount, &stride);
  for (int j = 0; j < kPictureHeight; ++j) {
    for (int i = 0; i < kPictureWidth; ++i) {
      const FcColorRef color = PictureColor(i, j);
      std::uint8_t* pixel = bits + j * stride + i * 3;
      pixel[0] = static_cast<std::uint8_t>(color >> 16);
      pixel[1] = static_cast<std::uint8_t>(color >> 8);
      pixel[2] = static_cast<std::uint8_t>(color);
    }
  }
}

// A drawing's surface on a 40 x 30 screen device with a black background,
// showing the world window from (x0, y0) with `scale` pixels per unit.
class ImagePrimitiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto device = std::make_unique<FcMFCDisplayDevice>();
    device_ = device.get();
    device_->backgroundIndex = -1;
    device_->backgroundRgb = 0;
    device_->Resize(kDeviceWidth, kDeviceHeight);
    surface_.SetDevice(std::move(device));
    surface_.SetDeviceSize(kDeviceWidth, kDeviceHeight);
    FillPicture(picture_);
  }

  void ShowWindow(double x0, double y0, int scale) {
    FcViewTransform& view = *surface_.GetView();
    view.x0 = x0;
    view.y0 = y0;
    view.x1 = x0 + static_cast<double>(kDeviceWidth) / scale;
    view.y1 = y0 + static_cast<double>(kDeviceHeight) / scale;
    view.Update();
  }

  void SetFrames(bool on) {
    auto* variables = new FcRasterVariables;
    variables->SetImageFrame(on ? 1 : 0);
    ASSERT_TRUE(graph_.AddNamedObject(kImageVariablesName, variables));
  }

  void Paint(FcDsImage& image) {
    device_->BeginPaint({}, 1);
    image.Draw(surface_);
    device_->EndPaint();
  }

  // The colour of device point (x, y) (y up, as the device numbers them).
  FcColorRef At(int x, int y) const {
    const QRgb rgb = device_->BackBuffer().pixel(x, kDeviceHeight - y);
    return MakeColorRef(static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                        static_cast<std::uint8_t>(qBlue(rgb)));
  }

  Pixels Lit() const {
    Pixels lit;
    for (int x = 0; x < kDeviceWidth; ++x) {
      for (int y = 1; y <= kDeviceHeight; ++y) {
        if (At(x, y) != 0) lit.insert({x, y});
      }
    }
    return lit;
  }

  FcGraph graph_;
  FcDisplaySurface surface_{&graph_};
  FcMFCDisplayDevice* device_ = nullptr;
  CDib picture_;
};

// Each device pixel well inside the image shows the picture pixel under
// it, at two zoom levels and with the image partly out of view; what lies
// outside the image stays background.
TEST_F(ImagePrimitiveTest, PicturePixelsLandUnderTheirWorldPlaceAtTwoZooms) {
  SetFrames(false);
  struct Case {
    double x0;
    double y0;
    int scale;
    FcPoint2d insertion;
  };
  const Case cases[] = {
      {0.0, 0.0, 1, {10.0, 8.0}},
      {0.0, 0.0, 3, {2.0, 1.0}},
      {4.0, 3.0, 3, {2.0, 1.0}},  // the lower-left part is out of view
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scale);
    ShowWindow(c.x0, c.y0, c.scale);
    FcDsImage image(1, 0);
    image.SetImage(&picture_, c.insertion, {1.0, 0.0}, {0.0, 1.0}, 0, 0, 50, 50, 0);
    Paint(image);
    ASSERT_NE(image.GetBitmap(), nullptr);
    EXPECT_LE(image.GetBitmap()->GetWidth(), kDeviceWidth + 1);
    for (int x = 0; x < kDeviceWidth; ++x) {
      for (int y = 1; y < kDeviceHeight; ++y) {
        const double s = (c.x0 + static_cast<double>(x) / c.scale) - c.insertion.x;
        const double t = (c.y0 + static_cast<double>(y) / c.scale) - c.insertion.y;
        // Picture pixel i covers [i - 0.5, i + 0.5) along u; the device
        // pixels next to the outline or to a pixel border are not checked.
        const double margin = 1.0 / c.scale;
        const double lastS = kPictureWidth - 0.5;
        const double lastT = kPictureHeight - 0.5;
        const bool inside = s > margin && t > margin && s < lastS && t < lastT;
        const bool outside = s < -margin || t < -margin || s > lastS + 1e-9 || t > lastT + 1e-9;
        if (inside && std::fabs(s - std::floor(s) - 0.5) > 1e-9 && std::fabs(t - std::floor(t) - 0.5) > 1e-9) {
          EXPECT_EQ(At(x, y), PictureColor(static_cast<int>(std::lround(s)), static_cast<int>(std::lround(t))))
              << x << "," << y;
        } else if (outside) {
          EXPECT_EQ(At(x, y), 0u) << x << "," << y;
        }
      }
    }
  }
}

// A redraw with the view unchanged copies the kept bitmap again; a changed
// view resamples.
TEST_F(ImagePrimitiveTest, UnchangedViewReusesTheBitmap) {
  SetFrames(false);
  ShowWindow(0.0, 0.0, 1);
  FcDsImage image(1, 0);
  image.SetImage(&picture_, {10.0, 8.0}, {1.0, 0.0}, {0.0, 1.0}, 0, 0, 50, 50, 0);
  Paint(image);
  const FcBitmap* first = image.GetBitmap();
  surface_.viewUnchanged = true;
  Paint(image);
  EXPECT_EQ(image.GetBitmap(), first);
  EXPECT_EQ(At(12, 10), PictureColor(2, 2));
}

// Without a picture only the frame shows: its four edges, ends included.
TEST_F(ImagePrimitiveTest, WithoutPictureOnlyTheFrameIsDrawn) {
  ShowWindow(0.0, 0.0, 1);
  FcDsImage image(1, 0);
  image.SetImage(nullptr, {5.0, 5.0}, {1.0, 0.0}, {0.0, 1.0}, 4, 3, 50, 50, 0);
  Paint(image);
  Pixels frame;
  for (int x = 5; x <= 9; ++x) frame.insert({x, 5}), frame.insert({x, 8});
  for (int y = 5; y <= 8; ++y) frame.insert({5, y}), frame.insert({9, y});
  EXPECT_EQ(Lit(), frame);
  EXPECT_EQ(image.GetBitmap(), nullptr);
  EXPECT_TRUE(image.FrameDrawn());
}

// Window tests need the frame; the crossing test names the edge it meets.
TEST_F(ImagePrimitiveTest, CrossingNamesTheEdgeAndNeedsTheFrame) {
  ShowWindow(0.0, 0.0, 1);
  FcDsImage image(1, 0);
  image.SetImage(&picture_, {10.0, 8.0}, {1.0, 0.0}, {0.0, 1.0}, 0, 0, 50, 50, 0);
  Paint(image);
  EXPECT_TRUE(image.CrossesWindow({15.5, 10.0}, {17.0, 11.0}));
  EXPECT_EQ(image.partTag, 2) << "only the edge from P1 to P2 lies in the box";
  EXPECT_TRUE(image.CrossesWindow({12.0, 10.0}, {13.0, 11.0}));
  EXPECT_EQ(image.partTag, 0) << "a box inside the picture";
  EXPECT_TRUE(image.InsideWindow({0.0, 0.0}, {30.0, 20.0}));

  SetFrames(false);
  Paint(image);
  EXPECT_FALSE(image.CrossesWindow({15.5, 10.0}, {17.0, 11.0}));
  EXPECT_FALSE(image.InsideWindow({0.0, 0.0}, {30.0, 20.0}));
}

// A clip boundary keeps only what lies inside it, also where it bends
// inward, and the frame runs along it rather than around the picture.
TEST_F(ImagePrimitiveTest, ClipBoundaryKeepsOnlyItsInside) {
  ShowWindow(0.0, 0.0, 1);
  // A U: the picture less a notch from the top middle, in picture units.
  const FcPoint2d boundary[] = {{0, 0}, {6, 0}, {6, 5}, {4, 5}, {4, 2}, {2, 2}, {2, 5}, {0, 5}};
  FcDsImage image(1, 0);
  image.SetImage(&picture_, {10.0, 8.0}, {1.0, 0.0}, {0.0, 1.0}, 0, 0, 50, 50, 0);
  image.SetClipBoundary(boundary);
  SetFrames(false);
  Paint(image);
  EXPECT_EQ(At(11, 9), PictureColor(1, 1));
  EXPECT_EQ(At(11, 12), PictureColor(1, 4));
  EXPECT_EQ(At(15, 12), PictureColor(5, 4));
  EXPECT_EQ(At(13, 11), 0u) << "in the notch";
  EXPECT_EQ(At(13, 12), 0u) << "in the notch";

  graph_.GetNamedObjects().Remove(kImageVariablesName);
  Paint(image);
  EXPECT_NE(At(13, 10), 0u) << "the frame along the notch's floor";
  EXPECT_EQ(At(13, 13), 0u) << "the picture's top edge is clipped away";
}

// A transparent image leaves its white pixels out, showing what lies
// beneath; without transparency they are painted.
TEST_F(ImagePrimitiveTest, TransparentImageLeavesWhiteOut) {
  SetFrames(false);
  ShowWindow(0.0, 0.0, 1);
  int bitCount = 0;
  int stride = 0;
  std::uint8_t* white = picture_.GetBits(&bitCount, &stride) + 2 * stride + 2 * 3;
  white[0] = white[1] = white[2] = 0xFF;
  for (const bool transparent : {false, true}) {
    SCOPED_TRACE(transparent);
    FcDsImage image(1, 0);
    image.SetImage(&picture_, {10.0, 8.0}, {1.0, 0.0}, {0.0, 1.0}, 0, 0, 50, 50, 0);
    image.SetTransparent(transparent);
    Paint(image);
    EXPECT_EQ(At(12, 10), transparent ? 0u : MakeColorRef(255, 255, 255));
    EXPECT_EQ(At(13, 10), PictureColor(3, 2));
  }
}

TEST(ImageChannelTest, BrightnessContrastAndFade) {
  struct Case {
    int channel, brightness, contrast, fade, background, expected;
  };
  const Case cases[] = {
      {123, 50, 50, 0, 0, 123},   // neutral
      {10, 100, 50, 0, 0, 255},   // full brightness is white
      {200, 0, 50, 0, 0, 0},      // no brightness is black
      {100, 50, 100, 0, 0, 0},    // full contrast: up to 100 black
      {155, 50, 100, 0, 0, 255},  // from 155 white
      {0, 50, 0, 0, 0, 100},      // no contrast maps into 100 .. 155
      {255, 50, 0, 0, 0, 155},
      {40, 50, 50, 100, 90, 90},  // full fade is the background
      {100, 75, 50, 0, 0, 177},   // (255 - 100) * 0.5 + 100
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AdjustImageChannel(c.channel, c.brightness, c.contrast, c.fade, c.background), c.expected)
        << c.channel << " " << c.brightness << " " << c.contrast << " " << c.fade;
  }
}

}  // namespace
