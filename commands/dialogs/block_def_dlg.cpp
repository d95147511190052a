#include "commands/dialogs/block_def_dlg.h"

#include <atomic>

#include "database/block.h"
#include "database/graph.h"

namespace {

// Program-wide: the next Block offers what the user chose last, in any drawing.
std::atomic<int> lastBlockMode{CBlkDefDlg::kConvertIntoBlock};

}  // namespace

CBlkDefDlg::CBlkDefDlg() : m_nMode(lastBlockMode.load()) {}

void CBlkDefDlg::OnInitDialog() {
  m_dBaseX = m_ptBase.x;
  m_dBaseY = m_ptBase.y;
}

std::string CBlkDefDlg::CountText() const {
  if (m_nSelected < 1) return "No selected object!";
  return "Selected objects: " + std::to_string(m_nSelected);
}

namespace {

std::string Refusal(const CBlkDefDlg& dialog) {
  if (dialog.m_strName.empty()) return "The block name can't be NULL!\nPlease input the block name!";
  if (dialog.m_pGraph != nullptr && dialog.m_pGraph->GetBlockList().FindByName(dialog.m_strName) != nullptr) {
    return "There aleady is the same block name in the drawing!\nPlease enter the new block name!";
  }
  if (dialog.m_nSelected == 0) return "Please select object first!";
  return {};
}

}  // namespace

bool CBlkDefDlg::OnOK(std::string& message) {
  message = Refusal(*this);
  if (!message.empty()) return false;
  m_ptBase = {m_dBaseX, m_dBaseY};
  lastBlockMode = m_nMode;
  return true;
}
