#include <string>

#include "commands/modify/modify_commands.h"
#include "commands/modify/selection_edit.h"
#include "core/matrix2d.h"
#include "display/drag_selects.h"
#include "shell/input_request.h"

namespace {

// The angle to turn by, typed, pointed or as a new angle less a reference
// angle; false when the user gave up.
bool AskRotation(FcDragSelects& preview, const FcPoint2d& base, double& angle) {
  std::string text;
  SetKeywords("Reference", kInputRefuseEmpty);
  const int status = GetAngle(&base, "<Rotation angle>/Reference", angle, text);
  if (status != FC_INPUT_KEYWORD) return status == FC_INPUT_OK;
  double reference = 0.0;
  const int referenceStatus = GetAngle(nullptr, "Reference angle<0>", reference, text);
  if (referenceStatus == FC_INPUT_NONE) {
    reference = 0.0;
  } else if (referenceStatus != FC_INPUT_OK) {
    return false;
  }
  preview.transform = FcDragSelects::kRotateByReference;
  preview.referenceAngle = reference;
  SetDragObject(&preview);
  double target = 0.0;
  if (GetAngle(&base, "New angle", target, text) != FC_INPUT_OK) return false;
  angle = target - reference;
  return true;
}

}  // namespace

int CmdRotate() { return ChangeAboutBasePoint(FcDragSelects::kRotate, AskRotation, RotationMatrix, "Rotate"); }
