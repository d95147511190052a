#include "database/graph_view_link.h"

#include <atomic>

namespace {

std::atomic<FcViewRequestLink>& ViewRequestLink() {
  static std::atomic<FcViewRequestLink> link{nullptr};
  return link;
}

}  // namespace

void SetViewRequestLink(FcViewRequestLink link) { ViewRequestLink().store(link); }

void RequestView(FcGraph& graph, FcViewRequest request) {
  if (FcViewRequestLink link = ViewRequestLink().load()) link(graph, request);
}
