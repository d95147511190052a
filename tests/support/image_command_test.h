#pragma once

#include <functional>
#include <string>
#include <vector>

#include "commands/dialogs/img_attach_dlg.h"
#include "commands/dialogs/open_dwg_dlg.h"
#include "database/dictionary.h"
#include "entities/raster_image.h"
#include "platform/recording_frame_link.h"
#include "shell/testing/scripted_dialogs.h"
#include "tests/support/bmp_file.h"
#include "tests/support/command_script.h"
#include "tests/support/temp_dir.h"

// What a placed image is made of.
struct Placed {
  FcPoint2d insertion;
  FcPoint2d u;
  FcPoint2d v;
  FcHandle definition = 0;
  bool bound = false;
  int brightness = 0;
  int contrast = 0;
  int fade = 0;
  int flags = 0;
};

// A drawing driven by typed lines whose dialogs the test answers, with a
// folder for picture files.
class ImageCommandTest : public CommandScriptTest {
 protected:
  // The file box picks the path.
  void PickFile(const std::string& path) {
    dialogs_.Answer<COpenDwgDlg>([path](COpenDwgDlg& dialog) {
      dialog.m_strPathName = path;
      return CModalDialog::kOk;
    });
  }
  // The attach box opens, the user fills it and presses OK.
  void AnswerAttach(std::function<void(CImgAttachDlg&)> fill) {
    dialogs_.Answer<CImgAttachDlg>([fill](CImgAttachDlg& dialog) {
      dialog.InitDialog();
      fill(dialog);
      EXPECT_EQ(dialog.Accept(), "");
      return CModalDialog::kOk;
    });
  }
  // Nothing left to the screen: the box's point, scale and angle.
  static void FromBox(CImgAttachDlg& dialog, double x, double y, double scale, double angle) {
    dialog.m_bPointOnScreen = 0;
    dialog.m_bScaleOnScreen = 0;
    dialog.m_bRotationOnScreen = 0;
    dialog.m_dX = x;
    dialog.m_dY = y;
    dialog.m_dScale = scale;
    dialog.m_dAngle = angle;
  }
  void AttachFromBox(const std::string& path, double x, double y, double scale) {
    PickFile(path);
    AnswerAttach([=](CImgAttachDlg& dialog) { FromBox(dialog, x, y, scale, 0.0); });
    ASSERT_TRUE(RunScript(script_, "ImageAttach", {}));
  }

  std::vector<Placed> Images() {
    return script_.OnWindowThread([this] {
      std::vector<Placed> placed;
      for (const FcEntity* entity : *script_.Drawing().GetCurrentEntitySet()) {
        const auto* image = dynamic_cast<const FcRasterImage*>(entity);
        if (image == nullptr) continue;
        placed.push_back({image->GetInsertionPoint(), image->GetU(), image->GetV(), image->GetImageDefHandle(),
                          FindImageDef(script_.Drawing(), image->GetImageDefHandle()) != nullptr,
                          image->GetBrightness(), image->GetContrast(), image->GetFade(),
                          image->GetDisplayFlags()});
      }
      return placed;
    });
  }
  // The entry names of the image dictionary.
  std::vector<std::string> ImageNames() {
    return script_.OnWindowThread([this] {
      std::vector<std::string> names;
      const auto* dictionary =
          dynamic_cast<const FcDictionary*>(script_.Drawing().GetNamedObjects().GetAt(kImageDictionaryName));
      if (dictionary == nullptr) return names;
      for (int i = 0; i < dictionary->GetEntryCount(); ++i) names.push_back(dictionary->GetEntry(i).name);
      return names;
    });
  }
  std::vector<std::string> MessageBoxes() {
    std::vector<std::string> texts;
    for (const RecordingFrameLink::Call& call : script_.Printed().Calls())
      if (call.message == FrameMessage::kMessageBox) texts.push_back(call.text);
    return texts;
  }

  ScriptedDialogs dialogs_;
  TempDir temp_;
};
