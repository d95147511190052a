#include "shell/modal_dialog.h"

#include <atomic>

namespace {

std::atomic<ModalDialogRunner*> g_runner{nullptr};

}  // namespace

void SetModalDialogRunner(ModalDialogRunner* runner) { g_runner.store(runner); }

int RunModalDialog(CModalDialog& dialog) {
  ModalDialogRunner* runner = g_runner.load();
  if (runner == nullptr) return CModalDialog::kCancel;
  return runner->Run(dialog);
}
