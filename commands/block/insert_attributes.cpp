#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "commands/block/block_commands.h"
#include "commands/command_support.h"
#include "commands/dialogs/attribute_edit_dlg.h"
#include "database/block.h"
#include "database/block_markers.h"
#include "database/entity_sets.h"
#include "entities/attribute.h"
#include "entities/insert.h"
#include "platform/frame_link.h"
#include "platform/program_settings.h"
#include "shell/input_request.h"
#include "shell/modal_dialog.h"

namespace {

// A value asked as "prompt<current>": an answer replaces it, Enter keeps
// it; false when cancelled.
bool AskValue(const FcAttributeDef& definition, FcAttribute& attribute) {
  std::string text;
  const int status = GetString(definition.GetPrompt() + "<" + attribute.GetText() + ">", text);
  if (status == FC_INPUT_OK && !text.empty()) attribute.SetText(text);
  return status == FC_INPUT_OK || status == FC_INPUT_NONE;
}

// The value dialog over every attribute made so far, constant ones too;
// false when it was not confirmed.
bool AskValuesInDialog(const std::string& blockName, const FcEntitySets& definitions,
                       const std::vector<std::pair<const FcAttributeDef*, FcAttribute*>>& pairs) {
  std::vector<FcAttribute*> made;
  for (const auto& pair : pairs) made.push_back(pair.second);
  CAttributeEditDlg dialog;
  dialog.m_pAttributes = &made;
  dialog.m_pAttributeDefs = &definitions;
  dialog.m_strBlockName = blockName;
  return RunModalDialog(dialog) == CModalDialog::kOk;
}

}  // namespace

FcMatrix2d AttributeMatrix(const FcInsert& insert) {
  const FcBlock* block = insert.GetBlockRecord();
  const FcPoint2d base = block != nullptr ? block->GetBasePoint() : FcPoint2d{};
  const FcPoint2d at = insert.GetInsertionPoint();
  FcMatrix2d matrix;
  TranslationMatrix(at.x - base.x, at.y - base.y, matrix);
  FcMatrix2d step;
  ScaleXYAboutPointMatrix(at.x, at.y, insert.GetXScale(), insert.GetYScale(), step);
  MultiplyMatrix(matrix, step);
  RotationMatrix(at.x, at.y, insert.GetRotation(), step);
  MultiplyMatrix(matrix, step);
  return matrix;
}

bool CreateInsertAttributes(const FcMatrix2d& matrix, const std::string& blockName, const FcEntitySets& definitions,
                            std::vector<FcEntity*>& out, bool noPrompt) {
  out.clear();
  const ProgramSettings& settings = GetProgramSettings();
  const bool ask = !noPrompt && settings.attreq == 1;
  std::vector<std::pair<const FcAttributeDef*, FcAttribute*>> made;
  for (const FcEntity* entity : definitions) {
    const auto* definition = dynamic_cast<const FcAttributeDef*>(entity);
    if (definition == nullptr) continue;
    auto* attribute = NewEntityOrReport<FcAttribute>();
    if (attribute == nullptr) return false;
    attribute->Copy(definition);
    attribute->SetSubEntity(true);
    attribute->Transform(matrix);
    out.push_back(attribute);
    made.push_back({definition, attribute});
    const bool fixed = (definition->GetFlags() & (kAttributeConstant | kAttributePreset)) != 0;
    if (ask && settings.attdia == 0 && !fixed && !AskValue(*definition, *attribute)) return false;
  }
  if (ask && settings.attdia == 0) {
    bool told = false;
    for (const auto& [definition, attribute] : made) {
      if ((attribute->GetFlags() & kAttributeVerify) == 0) continue;
      if (!told) PrintMessage("Verify attribute values");
      told = true;
      if (!AskValue(*definition, *attribute)) return false;
    }
  }
  if (!noPrompt && settings.attdia == 1 && !AskValuesInDialog(blockName, definitions, made)) return false;
  auto* seqend = NewEntityOrReport<FcSeqend>();
  if (seqend == nullptr) return false;
  out.push_back(seqend);
  return true;
}
