#include <cctype>
#include <cmath>
#include <iterator>
#include <string>

#include "commands/block/block_commands.h"
#include "commands/command_support.h"
#include "commands/dialogs/att_def_dlg.h"
#include "commands/undo_section.h"
#include "core/geometry_basics.h"
#include "core/resbuf.h"
#include "database/graph.h"
#include "database/text_style.h"
#include "entities/attribute.h"
#include "shell/command_registry.h"
#include "shell/input_request.h"
#include "shell/modal_dialog.h"

namespace {

struct Justification {
  std::int16_t horizontal;
  std::int16_t vertical;
};

// The alignment codes of the dialog's Justification list, in its order.
const Justification kJustifications[] = {
    {kTextLeft, kTextBaseline},       {kTextFit, kTextBaseline},          {kTextCenter, kTextBaseline},
    {kTextMiddle, kTextBaseline},     {kTextRight, kTextBaseline},        {kTextLeft, kTextTop},
    {kTextCenter, kTextTop},          {kTextRight, kTextTop},             {kTextLeft, kTextVerticalMiddle},
    {kTextCenter, kTextVerticalMiddle}, {kTextRight, kTextVerticalMiddle}, {kTextLeft, kTextBottom},
    {kTextCenter, kTextBottom},       {kTextRight, kTextBottom},
};

// The command-line passes of the dialog's three buttons; each keeps the
// dialog's value when cancelled.
void PickPoint(CAttDefDlg& dialog) {
  FcPoint2d point;
  std::string text;
  if (GetPoint(nullptr, "Insert point", point, text) != FC_INPUT_OK) return;
  dialog.m_dX = point.x;
  dialog.m_dY = point.y;
}

void AskHeight(CAttDefDlg& dialog) {
  SetKeywords("", kInputRefuseZero | kInputRefuseNegative);
  const FcPoint2d from{dialog.m_dX, dialog.m_dY};
  std::string text;
  double height = 0.0;
  if (GetDistance(&from, "Attribute height", height, text) == FC_INPUT_OK) dialog.m_dHeight = height;
}

void AskRotation(const FcGraph& graph, CAttDefDlg& dialog) {
  const FcPoint2d from{dialog.m_dX, dialog.m_dY};
  std::string text;
  double angle = 0.0;
  if (GetAngle(&from, "Attribute rotation angle", angle, text) != FC_INPUT_OK) return;
  const FcSystemVar& vars = graph.GetSysVars();
  angle += vars.angbase;
  if (vars.angdir == 1) angle = kTwoPi - angle;
  NormalizeAngle(angle);
  dialog.m_dRotation = angle * kRadToDeg;
}

// Runs the dialog until OK (true) or Cancel (false).
bool RunDefinitionDialog(FcGraph& graph, CAttDefDlg& dialog) {
  for (;;) {
    const int code = RunModalDialog(dialog);
    if (code == CModalDialog::kOk) return true;
    if (code == CAttDefDlg::kPickPoint) {
      PickPoint(dialog);
    } else if (code == CAttDefDlg::kHeight) {
      AskHeight(dialog);
    } else if (code == CAttDefDlg::kRotation) {
      AskRotation(graph, dialog);
    } else {
      return false;
    }
  }
}

std::string Capitals(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::int16_t DefinitionFlags(const CAttDefDlg& dialog) {
  const std::int16_t flags = dialog.m_bInvisible != 0 ? kAttributeInvisible : 0;
  if (dialog.m_bConstant != 0) return flags | kAttributeConstant;
  return flags | (dialog.m_bVerify != 0 ? kAttributeVerify : 0) | (dialog.m_bPreset != 0 ? kAttributePreset : 0);
}

void FillDefinition(FcGraph& graph, const CAttDefDlg& dialog, FcTextStyle& style, const FcPoint2d& insertion,
                    const FcPoint2d* fitPoint, FcAttributeDef& definition) {
  const Justification& justification = kJustifications[dialog.m_nJustify];
  definition.SetStyle(&style);
  definition.SetInsertionPoint(insertion);
  if (dialog.m_dHeight > 0.0) definition.SetHeight(dialog.m_dHeight);
  double rotation = dialog.m_dRotation * kDegToRad;
  graph.AngleToUcs(rotation);
  definition.SetGenerationFlags(style.GetGenerationFlags());
  definition.SetObliqueAngle(style.GetObliqueAngle());
  if (style.GetWidthFactor() > 0.0) definition.SetWidthFactor(style.GetWidthFactor());
  definition.SetHorizontalJustification(justification.horizontal);
  definition.SetVerticalJustification(justification.vertical);
  if (fitPoint != nullptr) {
    definition.SetAlignmentPoint(*fitPoint);
    rotation = std::atan2(fitPoint->y - insertion.y, fitPoint->x - insertion.x);
  } else if (justification.horizontal != kTextLeft || justification.vertical != kTextBaseline) {
    definition.SetAlignmentPoint(insertion);
  }
  definition.SetRotation(rotation);
  definition.SetTag(Capitals(dialog.m_strTag));
  definition.SetPrompt(dialog.m_strPrompt);
  definition.SetText(dialog.m_strValue);
  definition.SetFlags(DefinitionFlags(dialog));
}

}  // namespace

int CmdAttDef() {
  FcGraph* graph = CurrentGraph();
  if (graph == nullptr) return kStatusDone;
  FcTextStyle* current = graph->GetCurrentTextStyle();
  if (current == nullptr) return kStatusDone;
  FcSystemVar& vars = graph->GetSysVars();
  CAttDefDlg dialog;
  dialog.m_pGraph = graph;
  dialog.m_dHeight = current->GetFixedHeight() != 0.0 ? current->GetFixedHeight() : vars.textsize;
  if (!RunDefinitionDialog(*graph, dialog)) return kStatusDone;
  FcUndoSection section(*graph, "AttDef", FcUndoSection::Steps::kWholeRun);
  const FcPoint2d pointUcs{dialog.m_dX, dialog.m_dY};
  const FcPoint2d insertion = UcsToWorldPoint(*graph, pointUcs);
  if (dialog.m_dHeight > 0.0) vars.textsize = dialog.m_dHeight;
  FcTextStyle* found = graph->GetTextStyleList().Find(dialog.m_strStyle);
  FcTextStyle& style = found != nullptr ? *found : *current;
  if (dialog.m_nJustify < 0 || dialog.m_nJustify >= static_cast<int>(std::size(kJustifications))) dialog.m_nJustify = 0;
  FcPoint2d fitPoint;
  const bool fit = kJustifications[dialog.m_nJustify].horizontal == kTextFit;
  if (fit) {
    std::string text;
    FcPoint2d fitUcs;
    if (GetPoint(&pointUcs, "Fit point", fitUcs, text) != FC_INPUT_OK) return kStatusDone;
    fitPoint = UcsToWorldPoint(*graph, fitUcs);
  }
  section.AddNew<FcAttributeDef>([&](FcAttributeDef& definition) {
    FillDefinition(*graph, dialog, style, insertion, fit ? &fitPoint : nullptr, definition);
  });
  return kStatusDone;
}
