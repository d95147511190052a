#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imaging/dib.h"
#include "shell/modal_dialog.h"

class FcDictionary;
class FcGraph;
class FcRasterImageDef;

// One line of the image manager's list.
struct ImageRow {
  // The dictionary entry the row shows.
  int entry = -1;
  std::string name;
  std::string status;
  std::string size;
  std::string type;
  std::string date;
  std::string savedPath;
};

// The image manager: the drawing's image definitions, each loaded,
// unloaded, reloaded, given another path or detached. It works on a copy
// of the image dictionary that the command applies afterwards; what each
// button does lives here, so that the command's tests reach it.
class CImgMngDlg : public CModalDialog {
 public:
  // The end code of Attach...: the command goes on attaching.
  static constexpr int kAttach = 1517;
  static constexpr const char* kCannotLoad = "Can not load the raster image!";

  // The working copy of the image dictionary, changed in place.
  FcDictionary* m_pImageDict = nullptr;
  // The drawing: where files are looked for, and which images use which
  // definition.
  FcGraph* m_pGraph = nullptr;
  bool m_bModified = false;
  // The selected row's dictionary entry; -1 when none.
  int m_nSelectedRow = -1;
  // The "Image found at" box.
  std::string m_strFoundPath;

  // The rows, one per definition, loading each definition whose picture is
  // not loaded to learn where its file is (and letting the picture go
  // again when the definition is kept unloaded).
  std::vector<ImageRow> Rows();
  // A row was selected (-1: none).
  void SelectRow(int entry);
  // The button rule.
  bool HasSelection() const { return SelectedDefinition() != nullptr; }
  bool CanDetach() const;

  void Detach();
  void Reload();
  void Unload();
  // Save Path with the box's path: the message to show when the file at
  // the new path cannot be loaded (the old path stays), else empty.
  std::string SavePath();

  FcRasterImageDef* SelectedDefinition() const;

 private:
  // How many images of the drawing use the definition with the handle.
  int ReferenceCount(const FcRasterImageDef& definition) const;
};

// The details box of one image definition.
class CImgDetailDlg : public CModalDialog {
 public:
  std::string m_strName;
  std::string m_strSavedPath;
  std::string m_strFoundPath;

  // Filled by Fill from the file at the found path.
  std::string m_strFileType;
  std::string m_strPixelWidth;
  std::string m_strPixelHeight;
  std::string m_strFileSize;
  std::string m_strFileDate;
  std::string m_strDefaultSize;
  // The picture in true colour, for the preview; empty when unreadable.
  CDib m_dibPicture;

  void Fill();
};

// A file size as the manager (one decimal, "K", "M") or the details box
// (two decimals, "Kb", "Mb") show it: bytes up to 1024.
std::string FormatImageFileSize(std::uint64_t size, bool details);
