#pragma once

#include <mutex>
#include <string>
#include <vector>

// The fontconfig work shared by the face lookups and the outliner. Callers
// hold FontEngineLock() around every call.

// One lock for fontconfig, FreeType and the glyph caches.
std::mutex& FontEngineLock();

// A face file and its index in it.
struct FaceLocation {
  std::string path;
  int index = 0;
  // Families of the face, the first being its main name.
  std::vector<std::string> families;
  // The face found is lighter or more upright than asked for.
  bool needsBold = false;
  bool needsItalic = false;
  // The face has the Latin letters (only filled in the installed list).
  bool hasLatin = false;
};

// The best face for a family, weight and slant: the family itself, a
// metric-compatible one, or the default family. False only when the
// machine has no scalable font at all.
bool MatchFace(const std::string& family, bool bold, bool italic, FaceLocation* face);

// Whether the face matched for the family is the family itself or a
// metric-compatible replacement (not merely the default family).
bool MatchesFamilyOrAlias(const std::string& family, const FaceLocation& face);

// Every scalable face of the machine, listed once.
const std::vector<FaceLocation>& InstalledFaces();

bool FontNameStartsWith(const std::string& text, const std::string& prefix);
bool FontNameEquals(const std::string& a, const std::string& b);
