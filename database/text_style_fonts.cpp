#include <algorithm>

#include "core/code_pages.h"
#include "core/paths.h"
#include "core/resbuf.h"
#include "database/app_id.h"
#include "database/extended_data.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "fonts/truetype_outline.h"
#include "fonts/truetype_registry.h"
#include "platform/file_system.h"
#include "platform/program_settings.h"

namespace {

// The character set of a style outside any drawing.
constexpr int kDefaultCharset = 1;
// The height at which "A" is measured for the TrueType scale.
constexpr double kMeasureHeight = 100.0;
constexpr int kCapitalA = 65;

std::string Cut(std::string_view text, std::size_t limit) { return std::string(text.substr(0, limit)); }

// A font name as the font search tries it: ".shx" stands in for a missing
// extension, and a path written on Windows gets slashes.
std::string WithShxDefault(std::string_view fileName) {
  std::string path(fileName);
  std::replace(path.begin(), path.end(), '\\', '/');
  if (PathExtension(path).empty()) path += ".shx";
  return path;
}

FcGraph* GraphOf(const FcTextStyle& style) {
  const auto* list = dynamic_cast<const FcTextStyleList*>(style.GetOwner());
  return list != nullptr ? list->GetGraph() : nullptr;
}

// The file as named, found along the folders (";" or "," between them),
// or its name alone found along the search path. Empty when not found.
std::string FindFont(const std::string& path, const std::string& folders) {
  std::string found;
  if (!folders.empty() && FindFileInPathList(folders, &found, path)) return found;
  if (FileExists(path)) return path;
  if (FindFileInPathList(GetProgramSettings().search_path, &found, PathFileName(path))) return found;
  return {};
}

// Which face of a font collection a style uses is kept in its extended
// data of this application.
constexpr std::string_view kFaceApplication = "ACAD";
constexpr int kFaceGroup = 1000;
constexpr int kFaceFlagsGroup = 1071;

bool IsCollection(const std::string& fileName) { return EqualsNoCase(PathExtension(fileName), ".ttc"); }

// The face named in the style's extended data, or empty.
std::string StoredFace(const FcTextStyle& style) {
  const FcExtendData* block = style.GetXdata().FindByAppName(kFaceApplication);
  for (const FcResBuf* item = block != nullptr ? block->head : nullptr; item != nullptr; item = item->next) {
    if (item->type == kFaceGroup) return item->text != nullptr ? item->text : "";
  }
  return {};
}

}  // namespace

int FcTextStyle::Charset() const {
  const FcGraph* graph = GraphOf(*this);
  return graph != nullptr ? CodePageToCharset(graph->GetSysVars().dwgcodepage) : kDefaultCharset;
}

void FcTextStyle::MeasureTrueTypeScale() {
  TrueTypeGlyphMetrics metrics;
  GetTrueTypeOutline(false, kCapitalA, faceName_, kMeasureHeight, false, false, false, Charset(), &metrics, nullptr);
  // A face without an "A" keeps the scale it had.
  if (metrics.glyphOrigin.y > 0.0) trueTypeScale_ = kMeasureHeight / metrics.glyphOrigin.y;
}

void FcTextStyle::BecomeTrueType(std::string_view faceName) {
  faceName_ = Cut(faceName, kMaxFaceName);
  bigFontFile_.clear();
  font_.Clear(CShapeInfo::kPrimaryPart);
  bigFont_.Clear(CShapeInfo::kBigFontPart);
  MeasureTrueTypeScale();
}

void FcTextStyle::SetFontFile(std::string_view fileName) {
  if (!fontFile_.empty() && EqualsNoCase(fileName, fontFile_)) return;
  const std::string named(fileName);
  const std::string path = WithShxDefault(fileName);
  std::string folders = GetProgramSettings().search_path;
  if (const FcGraph* graph = GraphOf(*this); graph != nullptr && !graph->GetSysVars().dwgprefix.str().empty())
    folders = graph->GetSysVars().dwgprefix.str() + ";" + folders;
  const std::string found = named.empty() ? std::string() : FindFont(path, folders);
  font_.Clear(CShapeInfo::kPrimaryPart);
  int kind = 0;
  if (!found.empty() && CShapeInfo::ProbeFontFile(found, nullptr, &kind) && kind != CShapeInfo::kProbeBigFont) {
    fontFile_ = Cut(PathFileName(found), kMaxName);
    faceName_.clear();
    font_.Load(found, nullptr);
    return;
  }
  std::string face;
  if (!named.empty() && FindTrueTypeFaceByFile(named, &face, 1) != 0) {
    const std::string stored = StoredFace(*this);
    std::string second;
    if (IsCollection(named) && !stored.empty() && !EqualsNoCase(stored, face) &&
        FindTrueTypeFaceByFile(named, &second, 2) != 0 && EqualsNoCase(second, stored))
      face = second;
    fontFile_ = Cut(named, kMaxName);
    BecomeTrueType(face);
    return;
  }
  // A font the machine lacks keeps its name, so that the drawing is saved
  // as it came, and draws with a font that is there.
  fontFile_ = Cut(named.empty() ? std::string(kDefaultShxFontName) : PathFileName(path), kMaxName);
  if (IsTrueTypeFileName(named)) {
    BecomeTrueType(DefaultTrueTypeFamily());
    return;
  }
  faceName_.clear();
  const std::string fallback = FindFont(std::string(kDefaultShxFontName), folders);
  if (!fallback.empty()) {
    font_.Load(fallback, nullptr);
    return;
  }
  UseDefaultTextFont();
}

void FcTextStyle::UseDefaultTextFont() {
  const std::string file = GetProgramSettings().default_text_font_file;
  if (file.empty()) return;
  int kind = 0;
  if (CShapeInfo::ProbeFontFile(file, nullptr, &kind) && kind != CShapeInfo::kProbeBigFont) {
    font_.Load(file, nullptr);
    return;
  }
  std::string face;
  if (FindTrueTypeFaceByFile(file, &face, 1) == 0) return;
  // The big font stays: it is the drawing's, and serves again once the
  // style gets a shape font.
  faceName_ = Cut(face, kMaxFaceName);
  MeasureTrueTypeScale();
}

void FcTextStyle::SetBigFontFile(std::string_view fileName) {
  bigFont_.Clear(CShapeInfo::kBigFontPart);
  if (fileName.empty()) {
    bigFontFile_.clear();
    return;
  }
  const std::string path = WithShxDefault(fileName);
  std::string found;
  if (FileExists(path)) {
    found = path;
  } else if (!FindFileInPathList(GetProgramSettings().search_path, &found, PathFileName(path))) {
    // Kept, like a missing primary font, so that the drawing keeps it.
    bigFontFile_ = Cut(PathFileName(path), kMaxName);
    return;
  }
  int kind = 0;
  if (!CShapeInfo::ProbeFontFile(found, nullptr, &kind) || kind == CShapeInfo::kProbePrimary) {
    bigFontFile_.clear();
    return;
  }
  bigFontFile_ = Cut(PathFileName(found), kMaxName);
  bigFont_.Load(found, nullptr);
}

void FcTextStyle::SetTrueTypeFace(std::string_view faceName) {
  const std::string face(faceName);
  std::string file;
  if (EqualsNoCase(face, faceName_) || FindTrueTypeFontFile(face, &file) == 0) return;
  FcGraph* graph = GraphOf(*this);
  if (graph != nullptr && IsCollection(file)) {
    FcAppID* application = graph->GetAppIdList().FindByName(kFaceApplication);
    if (application == nullptr) application = graph->AddAppId(kFaceApplication);
    if (FcExtendData* block = GetXdata().GetForApp(application))
      block->SetChain(BuildResBufList(kFaceGroup, face.c_str(), kFaceFlagsGroup, 0, 0));
  }
  fontFile_ = Cut(file, kMaxName);
  BecomeTrueType(face);
}

void FcTextStyle::UseTrueTypeFace(std::string_view faceName) {
  if (faceName == faceName_) return;
  BecomeTrueType(faceName);
}
