#pragma once

// A dialog as a command sees it: the command builds it on its own stack,
// fills its public members, runs it and reads the members back only after
// OK. It holds only the data; the window side shows it with the widget that
// belongs to its type (dialogs/), so a command never sees a widget and a
// test answers the dialog in place of the user.
class CModalDialog {
 public:
  // The end codes every dialog shares; a dialog may also end with the
  // identifier of the button that closed it.
  static constexpr int kOk = 1;
  static constexpr int kCancel = 2;

  virtual ~CModalDialog() = default;
};

// Shows a dialog modally and answers its end code. The main frame installs
// one that runs the dialog on the window thread; tests install a scripted one.
class ModalDialogRunner {
 public:
  virtual ~ModalDialogRunner() = default;
  virtual int Run(CModalDialog& dialog) = 0;
};

// Installs the runner (null removes it). Not owned.
void SetModalDialogRunner(ModalDialogRunner* runner);

// Runs the dialog while the calling thread waits and returns its end code
// unchanged. Without a runner (no window) the dialog counts as cancelled,
// so the caller changes nothing.
int RunModalDialog(CModalDialog& dialog);
