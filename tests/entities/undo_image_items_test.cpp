#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/object_registrations.h"
#include "database/block.h"
#include "database/dictionary.h"
#include "database/graph.h"
#include "database/object_factory.h"
#include "entities/undo_image_items.h"
#include "imaging/dib.h"
#include "entities/raster_image.h"
#include "filers/file_object.h"
#include "platform/recording_frame_link.h"
#include "tests/support/temp_dir.h"

namespace {

class UndoImageItemsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterObjectFactories(); }
  void SetUp() override { SetFrameLink(&link_); }
  void TearDown() override { SetFrameLink(nullptr); }

  FcRasterVariables* Variables() {
    return dynamic_cast<FcRasterVariables*>(graph_.GetNamedObjects().GetAt(kImageVariablesName));
  }

  FcDictionary* Images() { return dynamic_cast<FcDictionary*>(graph_.GetNamedObjects().GetAt(kImageDictionaryName)); }

  FcRasterImageDef* Definition(const std::string& name) {
    return Images() != nullptr ? dynamic_cast<FcRasterImageDef*>(Images()->GetAt(name)) : nullptr;
  }

  // A 3 x 2 BMP file in the test's folder.
  std::string WriteBmp(const std::string& name) {
    const std::string path = temp_.path() + name;
    CDib picture;
    FcFile file;
    EXPECT_TRUE(picture.CreateBlank(24, 3, 2));
    EXPECT_TRUE(file.Open(path, kFcOpenWrite | kFcOpenCreate));
    EXPECT_TRUE(picture.WriteFile(file));
    EXPECT_TRUE(file.Close());
    return path;
  }

  FcRasterImageDef* AddDefinition(const std::string& name, bool loaded) {
    auto* definition = new FcRasterImageDef;
    definition->SetFilePath(WriteBmp(name + ".bmp"));
    definition->SetLoaded(true);
    definition->Load(&graph_);
    definition->SetLoaded(loaded);
    graph_.TakeHandle(*definition);
    Images()->SetAt(name, definition);
    return definition;
  }

  RecordingFrameLink link_;
  TempDir temp_;
  FcGraph graph_;
};

// The frame setting, or the absence of the raster variables, goes back and
// forth with undo and redo.
TEST_F(UndoImageItemsTest, ImageFrameExchangesTheSettingOrItsAbsence) {
  auto* variables = new FcRasterVariables;
  variables->SetImageFrame(1);
  ASSERT_TRUE(graph_.AddNamedObject(kImageVariablesName, variables));
  FcImageFrameUndo item;
  item.Capture(graph_);
  Variables()->SetImageFrame(0);
  EXPECT_TRUE(item.Undo(graph_));
  ASSERT_NE(Variables(), nullptr);
  EXPECT_EQ(Variables()->GetImageFrame(), 1);
  EXPECT_TRUE(item.Redo(graph_));
  EXPECT_EQ(Variables()->GetImageFrame(), 0);

  graph_.GetNamedObjects().Remove(kImageVariablesName);
  FcImageFrameUndo fromNone;
  fromNone.Capture(graph_);
  EXPECT_FALSE(fromNone.IsPresent());
  auto* made = new FcRasterVariables;
  made->SetImageFrame(2);
  ASSERT_TRUE(graph_.AddNamedObject(kImageVariablesName, made));
  EXPECT_TRUE(fromNone.Undo(graph_));
  EXPECT_EQ(Variables(), nullptr);
  EXPECT_TRUE(fromNone.IsPresent());
  EXPECT_TRUE(fromNone.Redo(graph_));
  ASSERT_NE(Variables(), nullptr);
  EXPECT_EQ(Variables()->GetImageFrame(), 2);
}

// Undoing an image command puts the definitions back as they were (same
// handles; pictures loaded unless marked not loaded), binds the drawing's
// images to them and keeps the replaced ones without pictures for redo.
// An image whose definition goes away stays in the drawing.
TEST_F(UndoImageItemsTest, ImageDefinitionsGoBackAndForth) {
  auto* dictionary = new FcDictionary;
  ASSERT_TRUE(graph_.AddNamedObject(kImageDictionaryName, dictionary));
  const FcHandle dictionaryHandle = dictionary->GetHandle();
  FcRasterImageDef* first = AddDefinition("first", true);
  FcRasterImageDef* kept = AddDefinition("kept", false);
  const FcHandle firstHandle = first->GetHandle();
  const FcHandle keptHandle = kept->GetHandle();
  auto* image = new FcRasterImage;
  image->SetImageDef(first);
  graph_.AddEntity(image, false);
  ASSERT_TRUE(image->AttachImageDef(graph_));

  FcImgDefUndoItem empty;
  EXPECT_FALSE(empty.Undo(graph_));

  FcImgDefUndoItem item;
  item.Capture(graph_);
  // The command attaches a second picture and an image of it.
  FcRasterImageDef* added = AddDefinition("added", true);
  auto* addedImage = new FcRasterImage;
  addedImage->SetImageDef(added);
  graph_.AddEntity(addedImage, false);
  ASSERT_TRUE(addedImage->AttachImageDef(graph_));

  ASSERT_TRUE(item.Undo(graph_));
  ASSERT_NE(Images(), nullptr);
  EXPECT_EQ(Images()->GetHandle(), dictionaryHandle);
  EXPECT_EQ(Images()->GetEntryCount(), 2);
  ASSERT_NE(Definition("first"), nullptr);
  ASSERT_NE(Definition("kept"), nullptr);
  EXPECT_EQ(Definition("added"), nullptr);
  EXPECT_EQ(Definition("first")->GetHandle(), firstHandle);
  EXPECT_EQ(Definition("kept")->GetHandle(), keptHandle);
  EXPECT_TRUE(Definition("first")->IsImageLoaded());
  EXPECT_FALSE(Definition("kept")->IsImageLoaded());
  EXPECT_EQ(image->GetImageDef(), Definition("first"));
  ASSERT_EQ(Definition("first")->GetReactors().GetCount(), 1);
  EXPECT_EQ(Definition("first")->GetReactors().GetAt(0)->GetOwner(), image);
  EXPECT_EQ(image->GetReactor(), Definition("first")->GetReactors().GetAt(0));
  EXPECT_TRUE(graph_.GetCurrentBlock()->GetEntities().Contains(addedImage));
  EXPECT_EQ(addedImage->GetImageDef(), nullptr);
  ASSERT_NE(item.GetSavedDictionary(), nullptr);
  EXPECT_EQ(item.GetSavedDictionary()->GetEntryCount(), 3);
  for (int i = 0; i < item.GetSavedDictionary()->GetEntryCount(); ++i) {
    const auto* saved = dynamic_cast<const FcRasterImageDef*>(item.GetSavedDictionary()->GetEntry(i).object);
    ASSERT_NE(saved, nullptr);
    EXPECT_FALSE(saved->IsImageLoaded());
    EXPECT_FALSE(saved->IsLive());
    EXPECT_EQ(saved->GetReactors().GetCount(), 0);
  }

  ASSERT_TRUE(item.Redo(graph_));
  ASSERT_NE(Definition("added"), nullptr);
  EXPECT_TRUE(Definition("added")->IsImageLoaded());
  EXPECT_EQ(Definition("added")->GetLoaded(), 1);
  EXPECT_EQ(addedImage->GetImageDef(), Definition("added"));
  EXPECT_EQ(image->GetImageDef(), Definition("first"));
  EXPECT_EQ(Definition("first")->GetReactors().GetCount(), 1);
  EXPECT_EQ(item.GetSavedDictionary()->GetEntryCount(), 2);
}

// An undo that has to put definitions back into a drawing that lost its
// image dictionary makes the dictionary again.
TEST_F(UndoImageItemsTest, MissingImageDictionaryIsMadeAgain) {
  auto* dictionary = new FcDictionary;
  ASSERT_TRUE(graph_.AddNamedObject(kImageDictionaryName, dictionary));
  AddDefinition("first", true);
  FcImgDefUndoItem item;
  item.Capture(graph_);
  graph_.GetNamedObjects().Remove(kImageDictionaryName);
  ASSERT_TRUE(item.Undo(graph_));
  ASSERT_NE(Definition("first"), nullptr);
  EXPECT_TRUE(Definition("first")->IsImageLoaded());
  ASSERT_NE(item.GetSavedDictionary(), nullptr);
  EXPECT_EQ(item.GetSavedDictionary()->GetEntryCount(), 0);
}

}  // namespace
