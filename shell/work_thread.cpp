#include "shell/work_thread.h"

#include "core/resbuf.h"
#include "platform/frame_link.h"
#include "platform/thread_slot.h"
#include "shell/command_registry.h"
#include "shell/command_view_link.h"
#include "shell/entity_editing.h"

namespace {

// Runs the command; whatever escapes it ends the command with 5100 after
// one history line, and the thread goes on with the next command.
int RunGuarded(Event& go, Event& ready, FcGraph& graph, const ThreadMessage& message) {
  try {
    go.Wait();
    ready.Reset();
    return ExecuteCommandMessage(graph, message);
  } catch (...) {
    PrintMessage(kUnknownErrorMessage);
    return kStatusDone;
  }
}

}  // namespace

void CCommonThread::Start() {
  thread_ = std::thread([this] { Run(); });
}

void CCommonThread::Join() {
  if (thread_.joinable()) thread_.join();
}

CWorkThread::CWorkThread() { graph_.SetWorkThread(this); }

CWorkThread::~CWorkThread() {
  if (!IsStarted()) return;
  // A thread that cannot take the quit now still ends after its command:
  // the closed mailbox ends its loop. It is never killed.
  if (PostCommand(WM_QUIT) == 0) mailbox_.Quit();
  Join();
}

int CWorkThread::Run() {
  CurrentThreadSlot() = {this, &graph_};
  ready_.Set();
  started_.Set();
  for (;;) {
    std::optional<ThreadMessage> message = mailbox_.Get();
    if (!message) break;
    if (message->message == WM_QUIT) {
      running_.Set();
      go_.Wait();
      running_.Reset();
      break;
    }
    ready_.Wait();
    running_.Set();
    const int status = RunGuarded(go_, ready_, graph_, *message);
    if (ownerView_ != nullptr) ownerView_->PostCommandDone(status);
    running_.Reset();
  }
  CurrentThreadSlot() = {};
  return 0;
}

int CWorkThread::PostCommand(unsigned message, std::string name) {
  if (!IsStarted() || IsRunning()) return 0;
  started_.Wait();
  if (!ready_.TryWait()) return 0;
  if (!mailbox_.Post({message, std::move(name)})) return 0;
  running_.Wait();
  go_.Set();
  return 1;
}

void CWorkThread::WaitUntilNotRunning() {
  while (running_.TryWait()) std::this_thread::yield();
}

CWorkThread* CWorkThread::Current() { return CurrentThreadSlot().work_thread; }

int ExecuteCommandMessage(FcGraph& graph, const ThreadMessage& message) {
  if (message.message == WM_FC_RUN_COMMAND) return RunDrawingCommand(message.name);
  if (message.message != WM_FC_EDIT_ENTITY) return kStatusDone;
  const EntityEditor editor = GetEntityEditor();
  CWorkThread* thread = graph.GetWorkThread();
  CommandViewLink* view = thread != nullptr ? thread->GetOwnerView() : nullptr;
  FcEntityEdit* edit = view != nullptr ? view->GetEntityEdit() : nullptr;
  if (editor == nullptr || edit == nullptr || edit->entity == nullptr) return kStatusDone;
  return editor(graph, *edit);
}
