#pragma once

#include <vector>

#include "core/handle.h"
#include "shell/modal_dialog.h"

class CLinetypeTableCopy;

// Chooses one linetype of a dialog's copy of the linetype table, for a
// layer. The opener sets m_pTable and the preselected m_hLinetype and reads
// m_hLinetype back after OK; loading adds linetypes to the copy only.
class CLinetypeSelDlg : public CModalDialog {
 public:
  CLinetypeTableCopy* m_pTable = nullptr;
  FcHandle m_hLinetype = 0;

  // The indexes of the table's records that are listed: all but the
  // ByLayer and ByBlock markers.
  std::vector<int> Rows() const;
};
