#include <string>
#include <vector>

#include "commands/dialogs/img_adjust_dlg.h"
#include "entities/raster_image.h"
#include "tests/support/image_command_test.h"

namespace {

class ImageAdjustTest : public ImageCommandTest {
 protected:
  // A line, then a 4 x 2 picture at the origin.
  void SetUp() override {
    ASSERT_TRUE(script_.Run({"line", "100,100", "110,100", ""}));
    AttachFromBox(WriteBlankBmp(temp_.path() + "site.bmp", 4, 2), 0.0, 0.0, 4.0);
    script_.Printed().Clear();
  }
  void SetFlags(int flags) {
    script_.OnWindowThread([&] {
      for (FcEntity* entity : *script_.Drawing().GetCurrentEntitySet())
        if (auto* image = dynamic_cast<FcRasterImage*>(entity)) image->SetDisplayFlags(static_cast<std::int16_t>(flags));
      return 0;
    });
  }
};

TEST_F(ImageAdjustTest, TheImagesOfTheSelectionTakeTheBoxValuesAsAnUndoStep) {
  CImgAdjustDlg shown;
  bool hadPicture = false;
  dialogs_.Answer<CImgAdjustDlg>([&](CImgAdjustDlg& dialog) {
    shown.m_nBrightness = dialog.m_nBrightness;
    shown.m_nContrast = dialog.m_nContrast;
    shown.m_nFade = dialog.m_nFade;
    shown.m_bShowImage = dialog.m_bShowImage;
    hadPicture = dialog.m_dibOriginal.GetWidth() == 4 && dialog.m_dibOriginal.GetHeight() == 2;
    dialog.m_nBrightness = 70;
    // A value the image cannot hold leaves its own.
    dialog.m_nContrast = 101;
    dialog.m_nFade = 20;
    return CModalDialog::kOk;
  });
  ASSERT_TRUE(RunScript(script_, "ImageAdjust", {"all", ""}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(shown.m_nBrightness, 50);
  EXPECT_EQ(shown.m_nContrast, 50);
  EXPECT_EQ(shown.m_nFade, 0);
  EXPECT_EQ(shown.m_bShowImage, 1);
  EXPECT_TRUE(hadPicture);
  const Placed image = Images().at(0);
  EXPECT_EQ(image.brightness, 70);
  EXPECT_EQ(image.contrast, 50);
  EXPECT_EQ(image.fade, 20);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line", "ImageAttach", "ImageAdjust"}));

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(Images().at(0).brightness, 50);
  EXPECT_EQ(Images().at(0).fade, 0);
}

TEST_F(ImageAdjustTest, ShowImageSetsOrClearsItsFlagButNeverLeavesAnImageWithoutFlags) {
  struct Case {
    int flags;
    int show;
    int stored;
  };
  const Case cases[] = {
      {7, 0, 6},
      {6, 1, 7},
      {1, 0, 1},
      // Transparency on: the flags go beyond 8 and still change.
      {15, 0, 14},
      {9, 0, 8},
  };
  for (const Case& c : cases) {
    SetFlags(c.flags);
    dialogs_.Answer<CImgAdjustDlg>([&](CImgAdjustDlg& dialog) {
      EXPECT_EQ(dialog.m_bShowImage, c.flags & 1) << c.flags;
      dialog.m_bShowImage = c.show;
      return CModalDialog::kOk;
    });
    ASSERT_TRUE(RunScript(script_, "ImageAdjust", {"all", ""})) << c.flags;
    EXPECT_EQ(Images().at(0).flags, c.stored) << c.flags;
  }
}

TEST_F(ImageAdjustTest, ASelectionWithoutImagesOrACancelledBoxChangesNothing) {
  const int shown = dialogs_.Shown();
  ASSERT_TRUE(RunScript(script_, "ImageAdjust", {"100,100", ""}));
  EXPECT_EQ(LastPrinted(), "There is not raster image object in the selected objects!");
  EXPECT_EQ(dialogs_.Shown(), shown);

  dialogs_.Answer<CImgAdjustDlg>([](CImgAdjustDlg& dialog) {
    dialog.m_nBrightness = 90;
    return CModalDialog::kCancel;
  });
  ASSERT_TRUE(RunScript(script_, "ImageAdjust", {"all", ""}));
  EXPECT_EQ(Images().at(0).brightness, 50);
  EXPECT_EQ(UndoNames(), (std::vector<std::string>{"Line", "ImageAttach"}));
}

}  // namespace
