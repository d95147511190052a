#include <string>

#include "commands/modify/modify_commands.h"
#include "commands/modify/selection_edit.h"
#include "core/matrix2d.h"
#include "display/drag_selects.h"
#include "shell/input_request.h"

namespace {

constexpr std::int32_t kPositive = kInputRefuseZero | kInputRefuseNegative;

// The factor, typed, pointed or as a new length over a reference length;
// false when the user gave up. The prompts refuse zero and negative values,
// so the factor is above 0.
bool AskFactor(FcDragSelects& preview, const FcPoint2d& base, double& factor) {
  std::string text;
  SetKeywords("Reference", kInputRefuseEmpty | kPositive);
  const int status = GetDistance(&base, "<Scale factor>/Reference", factor, text);
  if (status != FC_INPUT_KEYWORD) return status == FC_INPUT_OK;
  double reference = 1.0;
  SetKeywords("", kPositive);
  const int referenceStatus = GetDistance(nullptr, "Reference length <1.0>", reference, text);
  if (referenceStatus == FC_INPUT_NONE) {
    reference = 1.0;
  } else if (referenceStatus != FC_INPUT_OK) {
    return false;
  }
  preview.transform = FcDragSelects::kScaleByReference;
  preview.SetScaleReference(reference);
  SetDragObject(&preview);
  double length = 0.0;
  SetKeywords("", kInputRefuseEmpty | kPositive);
  if (GetDistance(&base, "New length", length, text) != FC_INPUT_OK) return false;
  factor = length / reference;
  return true;
}

}  // namespace

int CmdScale() { return ChangeAboutBasePoint(FcDragSelects::kScale, AskFactor, ScaleAboutPointMatrix, "Scale"); }
