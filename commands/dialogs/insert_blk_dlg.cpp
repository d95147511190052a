#include "commands/dialogs/insert_blk_dlg.h"

#include <atomic>
#include <cmath>
#include <filesystem>

#include "database/block.h"
#include "database/graph.h"
#include "platform/file_system.h"

namespace {

// Program-wide, as the user left it at the last OK.
std::atomic<int> lastInsertOnScreen{0};

constexpr double kZeroScale = 1e-7;

}  // namespace

CInsertBlkDlg::CInsertBlkDlg() : m_bOnScreen(lastInsertOnScreen.load()) {}

void CInsertBlkDlg::ChooseListedName(const std::string& name) {
  m_strName = name;
  m_bFromFile = false;
}

void CInsertBlkDlg::ChooseFile(const std::string& path) {
  m_strPath = path;
  m_bFromFile = true;
  m_strName = std::filesystem::path(path).stem().string();
}

bool CInsertBlkDlg::OnOK(const std::function<Redefine()>& redefine, std::string& message) {
  message.clear();
  if (m_nColumns < kMinCount || m_nColumns > kMaxCount || m_nRows < kMinCount || m_nRows > kMaxCount) {
    message = "Please enter an integer between 1 and 65535.";
    return false;
  }
  const bool exists = m_pGraph != nullptr && !m_strName.empty() &&
                      m_pGraph->GetBlockList().FindByName(m_strName) != nullptr;
  if (m_bFromFile) {
    if (!FileExists(m_strPath)) {
      message = "The graph file \"" + m_strPath + "\" doesn't exists!";
      return false;
    }
    if (exists) {
      const Redefine answer = redefine ? redefine() : Redefine::kCancel;
      if (answer == Redefine::kCancel) return false;
      if (answer == Redefine::kNo) m_bFromFile = false;
    }
  } else if (m_strName.empty()) {
    message = "The block name is empty!";
    return false;
  } else if (!exists) {
    message = "There isn't the \"" + m_strName + "\" block!";
    return false;
  }
  if (m_bOnScreen != 0) {
    lastInsertOnScreen = 1;
    return true;
  }
  if (std::fabs(m_dScaleX) <= kZeroScale || (m_bSameScale == 0 && std::fabs(m_dScaleY) <= kZeroScale)) {
    message = "The scale can't be zero!";
    return false;
  }
  lastInsertOnScreen = 0;
  return true;
}
