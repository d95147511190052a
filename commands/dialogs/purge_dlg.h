#pragma once

#include <string>
#include <vector>

#include "shell/modal_dialog.h"

class FcGraph;

// One page of the purge sheet: the names it lists, and after OK the ones
// the user selected, in list order. A page never shown returns none.
struct CPurgePage {
  std::vector<std::string> m_candidates;
  std::vector<std::string> m_names;
};

// The purge sheet's data: for each table the records nothing uses, as the
// reference marks left them, and the names the user chose to purge. The
// sheet deletes nothing; the command purges the chosen names after OK.
class CPurgeDlg : public CModalDialog {
 public:
  // In tab order.
  enum Page { kBlocks, kLayers, kLinetypes, kTextStyles, kDimStyles, kPageCount };

  // The tab and the list label of each page.
  static const char* TabText(int page);
  static const char* ListLabel(int page);

  // Lists what can be purged; the marks must be fresh.
  CPurgeDlg(const FcGraph& graph, std::string caption, int firstPage);

  // True when a page returned at least one name.
  bool AnySelected() const;

  std::string m_caption;
  int m_nFirstPage = 0;
  CPurgePage m_pages[kPageCount];
};
