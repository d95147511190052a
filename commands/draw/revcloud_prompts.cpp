#include "commands/draw/revcloud_prompts.h"

#include <string>

#include "commands/draw/revcloud_settings.h"
#include "core/value_format.h"
#include "database/graph.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"
#include "shell/input_request.h"

namespace {

constexpr std::int32_t kPositiveOnly = kInputRefuseZero | kInputRefuseNegative;

// A positive distance, Enter giving the default; the prompt's status.
int AskLength(const std::string& prompt, int decimals, double fallback, double& length) {
  SetKeywords("", kPositiveOnly);
  std::string text;
  const int status = GetDistance(nullptr, prompt + " <" + FormatDecimal(decimals, fallback) + ">", length, text);
  if (status == FC_INPUT_NONE) length = fallback;
  return status;
}

}  // namespace

// A maximum below the minimum is asked again whether the minimum was
// typed or taken with Enter: storing it would leave the settings with a
// maximum below their minimum.
int PromptRevCloudArcLengths(int decimals) {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return FC_INPUT_CANCEL;
  const double scale = RevCloudScale(*graph);
  RevCloudSettings& settings = GetProgramSettings().rev_cloud;
  double minimum = 0.0;
  int status = AskLength("Specify minimum length of arc", decimals, settings.min_arc_length * scale, minimum);
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return status;
  double maximum = 0.0;
  while (true) {
    status = AskLength("Specify maximum length of arc", decimals, minimum, maximum);
    if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return status;
    if (maximum >= minimum) break;
    PrintMessage("Maximum arc length must be equal or greater than the minimum arc length.");
  }
  settings.min_arc_length = minimum / scale;
  settings.max_arc_length = maximum / scale;
  return FC_INPUT_OK;
}

int PromptRevCloudStyle() {
  SetKeywords("Normal Calligraphy", 0);
  std::string keyword;
  std::string text;
  const int status = GetKeyword("Select arc style [Normal/Calligraphy] <Normal>", keyword, text);
  if (status != FC_INPUT_OK && status != FC_INPUT_NONE) return status;
  GetProgramSettings().rev_cloud.style = status == FC_INPUT_OK && keyword == "Calligraphy" ? 1 : 0;
  return FC_INPUT_OK;
}
