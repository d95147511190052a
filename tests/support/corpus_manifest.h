#pragma once

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "database/graph.h"

// The shared corpus of files that no one here wrote, as the manifest lists
// them.

// KOVRA_CORPUS overrides the corpus folder the build names.
inline std::string CorpusDirectory() {
  const char* overridden = std::getenv("KOVRA_CORPUS");
  return overridden != nullptr && *overridden != '\0' ? overridden : KOVRA_CORPUS_DIR;
}

struct CorpusFile {
  std::string name;  // relative to the corpus folder, e.g. "dwg/x.dwg"
  std::string release;
  std::string role;  // "target", "wrong-release", "target-malformed"
  // What the independent reader found, e.g. "ARC:1,LINE:2" ("ps:" marks
  // paper space in DXF files).
  std::string types;
};

// The manifest's rows whose file lies in the folder ("dwg/" or "dxf/").
inline std::vector<CorpusFile> CorpusFiles(const std::string& directory, const std::string& folder) {
  std::vector<CorpusFile> files;
  std::ifstream manifest(directory + "/MANIFEST.tsv");
  std::string line;
  std::getline(manifest, line);
  while (std::getline(manifest, line)) {
    std::vector<std::string> fields;
    std::istringstream row(line);
    for (std::string field; std::getline(row, field, '\t');) fields.push_back(field);
    if (fields.size() > 4 && fields[0].rfind(folder, 0) == 0) {
      files.push_back({fields[0], fields[2], fields[4], fields.size() > 9 ? fields[9] : std::string()});
    }
  }
  return files;
}

// Entities of every block by record name, "-" for none.
inline std::string EntitiesByKind(const FcGraph& graph) {
  std::map<std::string, int> counts;
  const FcBlockList& blocks = graph.GetBlockList();
  for (int i = 0; i < blocks.GetBlockCount(); ++i) {
    for (const FcEntity* entity : blocks.GetAt(i)->GetEntities()) ++counts[entity->GetRecordName()];
  }
  std::string text;
  for (const auto& [kind, count] : counts) text += kind + ":" + std::to_string(count) + " ";
  return text.empty() ? "-" : text;
}
