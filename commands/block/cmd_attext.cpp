#include <string>

#include "commands/block/block_commands.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "files/attribute_export.h"
#include "platform/frame_link.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"

// Until its dialog comes, AttExt asks on the command line for the template,
// the output file and the form, and extracts from the whole current space.
int CmdAttExt() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  std::string templatePath;
  if (GetString("Template file", templatePath) != FC_INPUT_OK || templatePath.empty()) return kStatusDone;
  std::string outputPath;
  if (GetString("Output file", outputPath) != FC_INPUT_OK || outputPath.empty()) return kStatusDone;
  std::string keyword;
  std::string text;
  SetKeywords("CDF SDF", 0);
  const int status = GetKeyword("Format CDF/SDF <CDF>", keyword, text);
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return kStatusDone;
  FcAttiExport exporter;
  if (!exporter.LoadTemplate(templatePath) || !exporter.CreateOutputFile(outputPath)) return kStatusDone;
  exporter.SetSeparator(keyword == "SDF" ? ' ' : ',');
  const FcEntitySets* entities = graph->GetCurrentEntitySet();
  const int records = entities != nullptr ? ExtractAttributes(*entities, 1, FcMatrix2d{}, exporter) : 0;
  PrintMessage(std::to_string(records) + " records are written to file");
  return kStatusDone;
}
