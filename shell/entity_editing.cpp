#include "shell/entity_editing.h"

#include <atomic>

namespace {

std::atomic<EntityEditor> installedEditor{nullptr};

}  // namespace

void SetEntityEditor(EntityEditor editor) { installedEditor = editor; }

EntityEditor GetEntityEditor() { return installedEditor; }
