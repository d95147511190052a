#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "filers/file_object.h"
#include "filers/filer.h"

class FcGraph;

// Points a filer at an empty memory file of the kind, for the drawing.
template <typename Filer>
void StartMemory(Filer& filer, FcFileKind kind, FcGraph* graph) {
  filer.AttachFile(std::make_unique<FcFile>(), kind);
  filer.SetGraph(graph);
}

// Points a filer at the bytes, for the drawing.
template <typename Filer>
void StartReading(Filer& filer, const std::string& bytes, FcFileKind kind, FcGraph* graph) {
  filer.AttachFile(std::make_unique<FcFile>(std::vector<char>(bytes.begin(), bytes.end())), kind);
  filer.SetGraph(graph);
}

inline std::string Contents(const FcFiler& filer) {
  const FcFile* file = filer.GetFile();
  return std::string(file->Data(), static_cast<std::size_t>(file->GetLength()));
}

// ASCII DXF groups as the writer puts them: " code\r\nvalue\r\n".
inline std::string Groups(const std::vector<std::pair<int, std::string>>& groups) {
  std::string text;
  for (const auto& [code, value] : groups) text += " " + std::to_string(code) + "\r\n" + value + "\r\n";
  return text;
}
