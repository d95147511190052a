#pragma once

#include <string>
#include <thread>

#include "database/graph.h"
#include "platform/event.h"
#include "platform/mailbox.h"

class CommandViewLink;

// The thread messages and the completion message of a command thread.
inline constexpr unsigned WM_FC_COMMAND_DONE = 0x8014;
inline constexpr unsigned WM_FC_RUN_COMMAND = 0x9392;
// The platform's quit message: the command thread ends.
inline constexpr unsigned WM_QUIT = 0x0012;

// The history line of a command that ended by an exception.
inline constexpr const char* kUnknownErrorMessage =
    "There happens a unknown error! Please report it to Stonebay studio.";

// One thread message. The command name travels by value, so the view may do
// what it likes with its own copy while the command runs.
struct ThreadMessage {
  unsigned message = 0;
  std::string name;
};

// A thread with a body of its own.
class CCommonThread {
 public:
  CCommonThread() = default;
  CCommonThread(const CCommonThread&) = delete;
  CCommonThread& operator=(const CCommonThread&) = delete;
  // The thread must have ended (Join) before the object goes.
  virtual ~CCommonThread() = default;

  // The body of the thread; its exit code.
  virtual int Run() = 0;

  // Starts the thread on Run.
  void Start();
  // Waits for the thread to end; nothing when it never started.
  void Join();
  bool IsStarted() const { return thread_.joinable(); }
  std::thread::id GetThreadId() const { return thread_.get_id(); }

 private:
  std::thread thread_;
};

// The command thread of one drawing: it owns the drawing and runs the
// drawing's commands one at a time, handed over by the view through four
// events. A command is running exactly while the running event is set.
class CWorkThread : public CCommonThread {
 public:
  CWorkThread();
  // Ends an idle thread and waits for it; the owner ends a busy one first.
  ~CWorkThread() override;

  // The command loop; command thread only.
  int Run() override;

  // Window thread: hands a message over (WM_FC_RUN_COMMAND with the name,
  // or WM_QUIT) and blocks until the thread has taken it. 1 handed over;
  // 0 refused while a command runs or its completion is unprocessed.
  int PostCommand(unsigned message, std::string name = {});

  FcGraph& GetGraph() { return graph_; }
  CommandViewLink* GetOwnerView() const { return ownerView_; }
  // Set before the thread starts.
  void SetOwnerView(CommandViewLink* view) { ownerView_ = view; }

  // The zero-time-out test of the running event.
  bool IsRunning() { return running_.TryWait(); }
  // The view, once it has processed a completion.
  void SetReady() { ready_.Set(); }
  // Window thread: the completion can arrive before the thread has reset
  // its running event, which it does right after posting.
  void WaitUntilNotRunning();

  // The thread object of the calling command thread; null on any other.
  static CWorkThread* Current();

 private:
  Event go_{Event::ResetMode::kAuto};
  FcGraph graph_;
  CommandViewLink* ownerView_ = nullptr;
  Event running_{Event::ResetMode::kManual};
  Event started_{Event::ResetMode::kManual};
  Event ready_{Event::ResetMode::kManual};
  Mailbox<ThreadMessage> mailbox_;
};

// Runs one thread message on the command thread: WM_FC_RUN_COMMAND runs the
// named drawing command, WM_FC_EDIT_ENTITY the entity editor on what the
// view's double click found; any other message does nothing and gives 5100.
int ExecuteCommandMessage(FcGraph& graph, const ThreadMessage& message);
