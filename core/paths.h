#pragma once

#include <string>
#include <string_view>

// Splitting and rebuilding of file paths. A path stored with backslashes
// (drawings and settings written on Windows) is read with them turned into
// slashes, and the results use slashes. The directory part runs up to and
// including the last slash; the extension starts at the last dot of the
// file name, except that a name's leading dot (a hidden file) belongs to its
// title.

// Directory with its trailing slash ("" when the path has none).
std::string PathDirectory(std::string_view path);
// File name with its extension.
std::string PathFileName(std::string_view path);
// File name without its extension.
std::string PathFileTitle(std::string_view path);
// Extension with its dot ("" when there is none).
std::string PathExtension(std::string_view path);
// Directory and title followed by suffix: "" drops the extension, ".bak"
// replaces it.
std::string PathWithoutExtension(std::string_view path, std::string_view suffix);
