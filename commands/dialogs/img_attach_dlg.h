#pragma once

#include <string>
#include <vector>

#include "shell/modal_dialog.h"

class FcDictionary;
class FcRasterImageDef;

// The attach box: which image (a new file or a definition the drawing
// has), the path the definition keeps, and the insertion point, scale and
// rotation or their entry on the screen. What the box does on each click
// lives here, so that the command's tests reach it; the widget only shows
// the members and hands the clicks over.
class CImgAttachDlg : public CModalDialog {
 public:
  enum PathType { kFullPath = 0, kRelativePath = 1, kNoPath = 2 };

  static constexpr const char* kSameName =
      "There is a same name image definition object!\nPlease change the image file name and try again!";
  static constexpr const char* kNoRelativePath = "Can not create relative path!";
  static constexpr const char* kScaleNotPositive = "The scale must be greater than 0.0!";

  CImgAttachDlg();

  std::string m_strNewFile;
  std::string m_strFoundPath;
  std::string m_strSavedPath;
  std::string m_strImageSize;
  int m_nNameIndex = 0;
  int m_nPathType = kFullPath;
  int m_bPointOnScreen;
  double m_dX = 0.0;
  double m_dY = 0.0;
  int m_bScaleOnScreen;
  double m_dScale = 1.0;
  int m_bRotationOnScreen;
  double m_dAngle = 0.0;
  std::string m_strDrawingFolder;
  FcDictionary* m_pImageDict = nullptr;

  // The Name list: the new file's title first, when there is one, then
  // the entry name of each image definition of the dictionary.
  const std::vector<std::string>& Names() const { return names_; }

  // When the box opens: the Name list, the definition found at
  // m_strFoundPath (without a new file) and the path type.
  void InitDialog();
  // Another name was picked: its found and saved paths and path type.
  void ChangeName(int index);
  // Another path type was picked: the saved path it gives. The message to
  // show when it cannot be made, else empty.
  std::string ChangePathType(int type);
  // A file was picked with Browse: it becomes the new file, or the
  // definition of the same file. The message to show when another file of
  // the same name is in the drawing (nothing changes then), else empty.
  std::string TakeBrowsedFile(const std::string& path);
  // OK: the message to show for a scale that is not above 0 (the box stays
  // open), else empty after keeping the on-screen choices for the next box.
  std::string Accept();

  // True when index 0 of the Name list is the new file and it is chosen.
  bool ChoosesNewFile() const { return !m_strNewFile.empty() && m_nNameIndex == 0; }
  // The definition of the chosen name; null for the new file or an index
  // outside the list.
  FcRasterImageDef* ChosenDefinition() const;

 private:
  // The image definitions of the dictionary, in its order.
  std::vector<FcRasterImageDef*> Definitions() const;
  void BuildNames();
  // The list index of the definition found at the path; -1 when none.
  int IndexOfFoundPath(const std::string& path) const;

  std::vector<std::string> names_;
};

// The Path type a saved path shows: Relative for one that starts at "."
// or "..", No path for a bare file name, Full otherwise.
int PathTypeOf(const std::string& savedPath);

// The path of the file relative to the folder ("../img/site.bmp",
// "./site.bmp"); empty when the two have no leading folder in common.
std::string RelativeImagePath(const std::string& folder, const std::string& file);
