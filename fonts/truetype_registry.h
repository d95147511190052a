#pragma once

#include <string>

// The machine's TrueType faces, found through fontconfig. Font files are
// named without their directory, as drawings name them, and compared
// without regard to case.

// The font file of a face: 1 when the face is the first (or only) face of
// its file, 2 when it is a later face of a collection, 0 when the machine
// has neither the face nor a metric-compatible one (the file out is then
// untouched). A face name matches a family that begins with it.
int FindTrueTypeFontFile(const std::string& faceName, std::string* file);

// The face of a font file: face number 1 is its first face, 2 the second
// of a collection (the first when there is no second). When the file is
// missing, the same file as a collection (".ttc") is tried, then its title
// as a face name. Non-zero when found.
int FindTrueTypeFaceByFile(const std::string& fileName, std::string* face, int faceNumber);

// The family the machine uses when a drawing names none it has.
std::string DefaultTrueTypeFamily();

// A text file name that names a TrueType or OpenType font file.
bool IsTrueTypeFileName(const std::string& fileName);

// The full path of the first TrueType or OpenType font file the machine
// lists whose family has the Latin letters and leads back to a file through
// FindTrueTypeFontFile: the last resort of text whose fonts are all
// missing. Empty when the machine has no such font.
std::string FirstTrueTypeFontFile();
