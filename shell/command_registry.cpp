#include "shell/command_registry.h"

#include <algorithm>
#include <new>

#include "core/resbuf.h"
#include "database/graph.h"
#include "database/object.h"
#include "platform/frame_link.h"
#include "shell/command_view_link.h"
#include "shell/system_variable_edit.h"
#include "shell/work_thread.h"

namespace {

thread_local std::string currentCommandName;

// Keeps the looked-up name readable by the handler for exactly as long as
// it runs, also when commands nest on one thread.
class CommandNameScope {
 public:
  explicit CommandNameScope(std::string_view name) : saved_(std::move(currentCommandName)) {
    currentCommandName = name;
  }
  ~CommandNameScope() { currentCommandName = std::move(saved_); }
  CommandNameScope(const CommandNameScope&) = delete;
  CommandNameScope& operator=(const CommandNameScope&) = delete;

 private:
  std::string saved_;
};

const CommandNode* FindNode(const CommandList& list, std::string_view name) {
  auto found =
      std::find_if(list.begin(), list.end(), [name](const CommandNode& node) { return EqualsNoCase(node.name, name); });
  return found == list.end() ? nullptr : &*found;
}

int RunNode(const CommandNode& node) {
  CommandNameScope scope(node.name);
  return node.function();
}

}  // namespace

CommandList& ApplicationCommands() {
  static CommandList list;
  return list;
}

CommandList& DrawingCommands() {
  static CommandList list;
  return list;
}

FcAddCommandResult AddCommand(CommandList& list, std::string_view name, CommandFunc function) {
  if (name.empty() || function == nullptr) return FcAddCommandResult::kBadArgument;
  if (FindNode(list, name) != nullptr) return FcAddCommandResult::kDuplicate;
  try {
    list.push_front(CommandNode{std::string(name), function});
  } catch (const std::bad_alloc&) {
    return FcAddCommandResult::kNoMemory;
  }
  return FcAddCommandResult::kDone;
}

CommandFunc FindCommand(const CommandList& list, std::string_view name) {
  const CommandNode* node = FindNode(list, name);
  return node == nullptr ? nullptr : node->function;
}

void FreeCommandList(CommandList& list) { list.clear(); }

int RunApplicationCommand(std::string_view name) {
  const CommandNode* node = FindNode(ApplicationCommands(), name);
  if (node == nullptr) return kCommandNotHandled;
  return RunNode(*node);
}

int RunDrawingCommand(std::string_view name) {
  const CommandNode* node = FindNode(DrawingCommands(), name);
  if (node != nullptr) {
    int status = RunNode(*node);
    if (status != kCommandNotHandled) return status;
  }
  return EditSystemVariable(ToUpperAscii(name)) ? kStatusDone : kCommandNotHandled;
}

bool PopCommandArgument(std::string& argument) {
  FcGraph* graph = CurrentGraph();
  CWorkThread* thread = graph == nullptr ? nullptr : graph->GetWorkThread();
  CommandViewLink* view = thread == nullptr ? nullptr : thread->GetOwnerView();
  return view != nullptr && view->TakeQueuedPiece(argument);
}

const std::string& CurrentCommandName() { return currentCommandName; }

