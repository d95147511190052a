#pragma once

#include <cstdint>
#include <memory>

#include "database/undo_list.h"

class FcDictionary;

// The image-frame setting from before the ImageFrame command: the frame
// value of the drawing's raster variables, or that the drawing had none.
class FcImageFrameUndo : public FcUndoItem {
 public:
  // Exchanges the kept setting with the drawing's: makes the raster
  // variables when the item has some and the drawing lacks them, removes
  // them when the item has none.
  bool Undo(FcGraph& graph) override;
  void Capture(const FcGraph& graph);

  std::int16_t GetFrame() const { return frame_; }
  bool IsPresent() const { return present_; }

 private:
  std::int16_t frame_ = 3;
  bool present_ = false;
};

// The drawing's image definitions from before an image command: a private
// dictionary of copies that takes the place of "ACAD_IMAGE_DICT" on undo.
class FcImgDefUndoItem : public FcUndoItem {
 public:
  FcImgDefUndoItem();
  ~FcImgDefUndoItem() override;
  // Installs the kept dictionary, loads its pictures (unloading those
  // marked not loaded), binds every image of the drawing to it and keeps
  // the replaced dictionary without its pictures. False when nothing was
  // captured.
  bool Undo(FcGraph& graph) override;
  // Copies every image definition of the drawing; replaces an earlier
  // capture.
  void Capture(const FcGraph& graph);

  const FcDictionary* GetSavedDictionary() const { return saved_.get(); }
  // The kept copies, for a dialog that edits them before the item is
  // applied.
  FcDictionary* GetSavedDictionary() { return saved_.get(); }

 private:
  std::unique_ptr<FcDictionary> saved_;
};
