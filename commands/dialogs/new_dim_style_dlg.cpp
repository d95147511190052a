#include "commands/dialogs/new_dim_style_dlg.h"

#include "commands/block/block_commands.h"
#include "commands/dialogs/table_lists.h"
#include "database/object.h"

namespace {

// The first entry that begins with the name, without regard to case.
int EntryBeginningWith(const std::vector<std::string>& entries, const std::string& name) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].size() >= name.size() && EqualsNoCase(std::string_view(entries[i]).substr(0, name.size()), name))
      return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

void CNewDimStyleDlg::OnInitDialog() {
  const int entry = EntryBeginningWith(m_names, m_strBaseName);
  if (entry >= 0) m_strBaseName = m_names[static_cast<std::size_t>(entry)];
  m_strNewName = Proposal(m_strBaseName);
}

std::string CNewDimStyleDlg::Proposal(const std::string& base) const {
  std::string proposal = "Copy " + base;
  for (int n = 1; FindListEntry(m_names, proposal) >= 0; ++n) proposal = "Copy (" + std::to_string(n) + ") " + base;
  return proposal;
}

void CNewDimStyleDlg::OnBaseChanged(const std::string& base) {
  const std::string oldProposal = Proposal(m_strBaseName);
  m_strBaseName = base;
  if (EqualsNoCase(m_strNewName, oldProposal)) m_strNewName = Proposal(base);
}

bool CNewDimStyleDlg::OnOK(std::string& message) {
  m_strNewName = TrimBlanks(m_strNewName);
  if (m_strNewName.empty()) {
    message = "Please enter a name for the new dimension style.";
    return false;
  }
  if (FindListEntry(m_names, m_strNewName) >= 0) {
    message = "There already is the same dimension style in the database!";
    return false;
  }
  return true;
}
