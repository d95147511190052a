#include "database/graph_view.h"

#include <mutex>
#include <utility>

namespace {

std::mutex& FactoryMutex() {
  static std::mutex mutex;
  return mutex;
}

FcGraphViewFactory& Factory() {
  static FcGraphViewFactory factory;
  return factory;
}

}  // namespace

void SetGraphViewFactory(FcGraphViewFactory factory) {
  std::lock_guard lock(FactoryMutex());
  Factory() = std::move(factory);
}

std::unique_ptr<FcGraphView> MakeGraphView(FcGraph& graph) {
  FcGraphViewFactory factory;
  {
    std::lock_guard lock(FactoryMutex());
    factory = Factory();
  }
  return factory ? factory(graph) : nullptr;
}
