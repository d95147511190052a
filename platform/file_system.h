#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// True when the path names an existing file that is not a directory.
bool FileExists(const std::string& path);

// True when the path names an existing directory; a trailing slash is
// allowed.
bool DirectoryExists(const std::string& path);

// The creation time (the last-change time where the file system keeps no
// birth time) and size of an existing file; false for a missing path or a
// directory.
bool GetFileTimeAndSize(const std::string& path, std::chrono::system_clock::time_point* creation_time,
                        std::uint64_t* size);

// Looks for the file in each directory of a list separated by "," or ";",
// in order, and stops at the first empty entry. The name is matched without
// regard to case, since support files are named in any case. True with the
// full path of the first regular file found.
bool FindFileInPathList(const std::string& path_list, std::string* full_path, const std::string& file_name);

// Appends the full path of every regular file of the directory whose name
// matches the mask (with * and ?, without regard to case); with recurse set,
// then searches every subdirectory the same way, depth first.
void FindFilesRecursive(const std::string& directory, const std::string& mask, bool recurse,
                        std::vector<std::string>* paths);

// The next non-empty line of the file: NUL, line feed and carriage return
// end a line and are skipped before one. Empty at the end of the file.
std::string ReadTextLine(std::FILE* file);
