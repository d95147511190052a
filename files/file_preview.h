#pragma once

#include <string>

class CDib;

// The picture an open dialog shows for the file at the path, chosen by the
// path's extension without regard to case: a BMP or JPEG file is its own
// picture; any other file is taken for a drawing whose stored preview
// bitmap is the picture, which only DWG files of the releases the program
// reads have. True with the picture; otherwise the picture is empty: a
// missing file, a directory, a file of another kind and a damaged picture
// all show none, and nothing is reported.
bool ReadFilePreview(const std::string& path, CDib& picture);
