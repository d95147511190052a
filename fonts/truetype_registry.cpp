#include "fonts/truetype_registry.h"

#include "core/paths.h"
#include "fonts/fontconfig_faces.h"

namespace {

int FaceNumberOf(const FaceLocation& face) { return face.index == 0 ? 1 : 2; }

// The faces of the file (by name without directory), in face order.
std::vector<const FaceLocation*> FacesOfFile(const std::string& fileName) {
  std::vector<const FaceLocation*> faces;
  const std::string name = PathFileName(fileName);
  for (const FaceLocation& face : InstalledFaces()) {
    if (FontNameEquals(PathFileName(face.path), name)) faces.push_back(&face);
  }
  return faces;
}

}  // namespace

int FindTrueTypeFontFile(const std::string& faceName, std::string* file) {
  std::lock_guard<std::mutex> lock(FontEngineLock());
  FaceLocation face;
  if (faceName.empty() || !MatchFace(faceName, false, false, &face) || !MatchesFamilyOrAlias(faceName, face)) return 0;
  if (file != nullptr) *file = PathFileName(face.path);
  return FaceNumberOf(face);
}

int FindTrueTypeFaceByFile(const std::string& fileName, std::string* face, int faceNumber) {
  if (fileName.empty()) return 0;
  std::vector<const FaceLocation*> faces;
  {
    std::lock_guard<std::mutex> lock(FontEngineLock());
    faces = FacesOfFile(fileName);
    if (faces.empty()) faces = FacesOfFile(PathWithoutExtension(fileName, ".ttc"));
  }
  if (faces.empty()) {
    std::string file;
    const std::string title = PathFileTitle(fileName);
    if (title.empty() || FindTrueTypeFontFile(title, &file) == 0) return 0;
    std::lock_guard<std::mutex> lock(FontEngineLock());
    faces = FacesOfFile(file);
    if (faces.empty()) return 0;
  }
  const FaceLocation* chosen = faceNumber > 1 && faces.size() > 1 ? faces[1] : faces[0];
  if (chosen->families.empty()) return 0;
  if (face != nullptr) *face = chosen->families.front();
  return 1;
}

std::string DefaultTrueTypeFamily() {
  std::lock_guard<std::mutex> lock(FontEngineLock());
  FaceLocation face;
  if (!MatchFace("sans-serif", false, false, &face) || face.families.empty()) return {};
  return face.families.front();
}

bool IsTrueTypeFileName(const std::string& fileName) {
  const std::string extension = PathExtension(fileName);
  return FontNameEquals(extension, ".ttf") || FontNameEquals(extension, ".ttc") || FontNameEquals(extension, ".otf");
}

std::string FirstTrueTypeFontFile() {
  std::vector<std::string> families;
  {
    std::lock_guard<std::mutex> lock(FontEngineLock());
    for (const FaceLocation& face : InstalledFaces())
      if (face.hasLatin && !face.families.empty() && IsTrueTypeFileName(face.path) &&
          (families.empty() || families.back() != face.families.front()))
        families.push_back(face.families.front());
  }
  for (const std::string& family : families) {
    std::string file;
    if (FindTrueTypeFontFile(family, &file) == 0 || !IsTrueTypeFileName(file)) continue;
    std::lock_guard<std::mutex> lock(FontEngineLock());
    std::vector<const FaceLocation*> faces = FacesOfFile(file);
    if (!faces.empty()) return faces.front()->path;
  }
  return {};
}
