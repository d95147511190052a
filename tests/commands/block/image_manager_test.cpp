#include <filesystem>
#include <string>
#include <vector>

#include "commands/dialogs/img_mng_dlg.h"
#include "tests/support/image_command_test.h"

namespace {

// A drawing with an image of "site" and the unreferenced definition
// "spare", whose image was erased.
class ImageManagerTest : public ImageCommandTest {
 protected:
  void SetUp() override {
    sitePath_ = WriteBlankBmp(temp_.path() + "site.bmp", 40, 20);
    AttachFromBox(sitePath_, 0.0, 0.0, 1.0);
    AttachFromBox(WriteBlankBmp(temp_.path() + "spare.bmp", 4, 4), 10.0, 10.0, 1.0);
    ASSERT_TRUE(script_.Run({"erase", "last", ""}));
    script_.Printed().Clear();
  }
  // The manager opens and fills its list; the test works its buttons; it
  // closes with the code.
  void AnswerManager(std::function<void(CImgMngDlg&)> work, int code = CModalDialog::kOk) {
    dialogs_.Answer<CImgMngDlg>([work, code](CImgMngDlg& dialog) {
      dialog.Rows();
      work(dialog);
      return code;
    });
  }
  // The drawing's definition of the name, as the manager lists it.
  struct Listed {
    bool present = false;
    int loadedFlag = -1;
    bool pictureLoaded = false;
    std::string savedPath;
  };
  Listed Definition(const std::string& name) {
    return script_.OnWindowThread([&] {
      Listed listed;
      const auto* dictionary =
          dynamic_cast<const FcDictionary*>(script_.Drawing().GetNamedObjects().GetAt(kImageDictionaryName));
      const auto* definition =
          dictionary != nullptr ? dynamic_cast<const FcRasterImageDef*>(dictionary->GetAt(name)) : nullptr;
      if (definition == nullptr) return listed;
      return Listed{true, definition->GetLoaded(), definition->IsImageLoaded(), definition->GetFilePath()};
    });
  }

  std::string sitePath_;
};

TEST_F(ImageManagerTest, TheListShowsEachDefinitionAndOnlyAnUnreferencedOneCanBeDetached) {
  std::vector<ImageRow> rows;
  bool detachSite = true;
  bool detachSpare = false;
  AnswerManager([&](CImgMngDlg& dialog) {
    rows = dialog.Rows();
    dialog.SelectRow(0);
    detachSite = dialog.CanDetach();
    dialog.Detach();
    dialog.SelectRow(1);
    detachSpare = dialog.CanDetach();
    dialog.Detach();
    EXPECT_EQ(dialog.m_nSelectedRow, -1);
  });
  ASSERT_TRUE(RunScript(script_, "Image", {}));
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "site");
  EXPECT_EQ(rows[0].status, "Loaded");
  EXPECT_EQ(rows[0].type, "BMP");
  EXPECT_EQ(rows[0].savedPath, sitePath_);
  EXPECT_EQ(rows[0].size, FormatImageFileSize(std::filesystem::file_size(sitePath_), false));
  EXPECT_FALSE(rows[0].date.empty());
  EXPECT_EQ(rows[1].name, "spare");
  EXPECT_EQ(rows[1].status, "Unreferenced");
  EXPECT_FALSE(detachSite);
  EXPECT_TRUE(detachSpare);
  EXPECT_EQ(ImageNames(), std::vector<std::string>{"site"});
  EXPECT_EQ(UndoNames().back(), "Image");
  EXPECT_TRUE(Images().at(0).bound);

  ASSERT_TRUE(script_.Run({"undo"}));
  EXPECT_EQ(ImageNames(), (std::vector<std::string>{"site", "spare"}));
  EXPECT_TRUE(Images().at(0).bound);
}

TEST_F(ImageManagerTest, UnloadAndReloadReachTheDrawingOnlyWithOk) {
  AnswerManager([](CImgMngDlg& dialog) {
    dialog.SelectRow(0);
    dialog.Unload();
    EXPECT_EQ(dialog.Rows()[0].status, "Unloaded");
  }, CModalDialog::kCancel);
  ASSERT_TRUE(RunScript(script_, "Image", {}));
  EXPECT_TRUE(Definition("site").pictureLoaded);
  EXPECT_EQ(UndoNames().back(), "Erase");

  AnswerManager([](CImgMngDlg& dialog) {
    dialog.SelectRow(0);
    dialog.Unload();
  });
  ASSERT_TRUE(RunScript(script_, "Image", {}));
  EXPECT_EQ(Definition("site").loadedFlag, 0);
  EXPECT_FALSE(Definition("site").pictureLoaded);

  AnswerManager([](CImgMngDlg& dialog) {
    dialog.SelectRow(0);
    dialog.Reload();
    EXPECT_EQ(dialog.Rows()[0].status, "Loaded");
  });
  ASSERT_TRUE(RunScript(script_, "Image", {}));
  EXPECT_EQ(Definition("site").loadedFlag, 1);
  EXPECT_TRUE(Definition("site").pictureLoaded);
  EXPECT_EQ(UndoNames().back(), "Image");
}

TEST_F(ImageManagerTest, SavePathTakesALoadableFileAndKeepsTheOldPathOtherwise) {
  const std::string moved = WriteBlankBmp(temp_.path() + "moved/site.bmp", 40, 20);
  AnswerManager([&](CImgMngDlg& dialog) {
    dialog.SelectRow(0);
    EXPECT_EQ(dialog.m_strFoundPath, sitePath_);
    dialog.m_strFoundPath = temp_.path() + "missing.bmp";
    EXPECT_EQ(dialog.SavePath(), CImgMngDlg::kCannotLoad);
    EXPECT_EQ(dialog.Rows()[0].savedPath, sitePath_);
    dialog.m_strFoundPath = std::string(300, 'x') + ".bmp";
    EXPECT_EQ(dialog.SavePath(), CImgMngDlg::kCannotLoad);
    dialog.m_strFoundPath = moved;
    EXPECT_EQ(dialog.SavePath(), "");
  });
  ASSERT_TRUE(RunScript(script_, "Image", {}));
  EXPECT_EQ(Definition("site").savedPath, moved);
  EXPECT_TRUE(Images().at(0).bound);
}

TEST_F(ImageManagerTest, AttachGoesOnWithTheSelectedDefinitionOrAFileToPick) {
  std::string newFile = "unset";
  AnswerManager([](CImgMngDlg& dialog) { dialog.SelectRow(0); }, CImgMngDlg::kAttach);
  AnswerAttach([&](CImgAttachDlg& dialog) {
    newFile = dialog.m_strNewFile;
    FromBox(dialog, 50.0, 0.0, 1.0, 0.0);
  });
  ASSERT_TRUE(RunScript(script_, "Image", {}));
  EXPECT_EQ(newFile, "");
  std::vector<Placed> images = Images();
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0].definition, images[1].definition);

  AnswerManager([](CImgMngDlg&) {}, CImgMngDlg::kAttach);
  PickFile(WriteBlankBmp(temp_.path() + "third.bmp", 4, 4));
  AnswerAttach([](CImgAttachDlg& dialog) { FromBox(dialog, 0.0, 50.0, 1.0, 0.0); });
  ASSERT_TRUE(RunScript(script_, "Image", {}));
  EXPECT_EQ(Images().size(), 3u);
  EXPECT_EQ(ImageNames(), (std::vector<std::string>{"site", "spare", "third"}));
  EXPECT_EQ(dialogs_.Unexpected(), 0);
  EXPECT_EQ(dialogs_.AnswersLeft(), 0);
}

TEST_F(ImageManagerTest, DetailsReadTheFileAtTheFoundPath) {
  CImgDetailDlg details;
  details.m_strFoundPath = sitePath_;
  details.Fill();
  EXPECT_EQ(details.m_strFileType, "Bitmap file");
  EXPECT_EQ(details.m_strPixelWidth, "40");
  EXPECT_EQ(details.m_strPixelHeight, "20");
  EXPECT_EQ(details.m_strFileSize, FormatImageFileSize(std::filesystem::file_size(sitePath_), true));
  EXPECT_EQ(details.m_strDefaultSize, "1.00 x 0.50 drawing units");
  EXPECT_EQ(details.m_dibPicture.GetWidth(), 40);

  CImgDetailDlg missing;
  missing.m_strFoundPath = temp_.path() + "gone.jpg";
  missing.Fill();
  EXPECT_EQ(missing.m_strFileType, "JPEG file");
  EXPECT_EQ(missing.m_strFileSize, "");
  EXPECT_EQ(missing.m_strFileDate, "");
  EXPECT_EQ(missing.m_strDefaultSize, "");
}

TEST(ImageFileSizeTest, SizesShowInBytesKilobytesOrMegabytes) {
  struct Case {
    std::uint64_t size;
    const char* listed;
    const char* detailed;
  };
  const Case cases[] = {
      {1024, "1024bytes", "1024bytes"},
      {1536, "1.5K", "1.50Kb"},
      {1048576, "1024.0K", "1024.00Kb"},
      {3 * 1048576 / 2, "1.5M", "1.50Mb"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatImageFileSize(c.size, false), c.listed) << c.size;
    EXPECT_EQ(FormatImageFileSize(c.size, true), c.detailed) << c.size;
  }
}

}  // namespace
