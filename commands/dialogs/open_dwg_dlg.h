#pragma once

#include <string>

#include "imaging/dib.h"
#include "shell/modal_dialog.h"

// The open dialog with a preview box beside the file list: choosing a file
// shows the preview stored in a drawing, or a BMP or JPEG picture itself,
// fitted into the box.
class COpenDwgDlg : public CModalDialog {
 public:
  static constexpr const char* kDrawingFilter =
      "Drawing file R13-2000(*.dwg)|*.dwg|DXF file R13-2000(*.dxf)|*.dxf||";
  static constexpr const char* kImageFilter =
      "All image files(*.bmp,*.jpg,*.jpeg)|*.bmp;*.jpg;*.jpeg|BMP files(*.bmp)|*.bmp|JPG files(*.jpg,*.jpeg)|*.jpg;*.jpeg||";

  // In: the window title, the filter text ("Name(*.a)|*.a|...||"), the
  // default extension and the proposed file.
  std::string m_strTitle = "Open";
  std::string m_strFilter = kDrawingFilter;
  std::string m_strDefExt = "dwg";
  std::string m_strFileName;
  // Out: the chosen file.
  std::string m_strPathName;

  // The preview of the selected file, 24 bits, already fitted to the box.
  CDib m_dib;
  bool m_bPreview = false;
  // Its size and its place in the box, in pixels; zeros without preview.
  int m_nImageWidth = 0;
  int m_nImageHeight = 0;
  int m_nImageX = 0;
  int m_nImageY = 0;

  // Shows the preview of the file just selected in a box of the size: a
  // picture that fits keeps its size and is centred; a larger one is
  // reduced, keeping its proportions, until it fills the box's width or
  // height and is centred along the other. An empty path, a directory or a
  // file without a picture clears the preview.
  void SelectFile(const std::string& path, int boxWidth, int boxHeight);

 private:
  void ClearPreview();
};

// Asks for a BMP or JPEG file in the open dialog with preview, starting
// from the path; true with the chosen file in path on OK, false (path
// unchanged) otherwise. Any thread.
bool BrowseImageFile(std::string& path);
