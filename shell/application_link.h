#pragma once

#include <string>

#include "filers/file_kind.h"

// What the application commands need of the program's windows: new and
// opened drawing windows, the end of the program, the menu file chosen
// again, and the file a save goes to. The main frame implements it;
// commands never see a widget.
class ApplicationLink {
 public:
  // The chosen path and kind of a save; an empty path when cancelled.
  struct SaveTarget {
    std::string path;
    FcFileKind kind = FcFileKind::kDwg;
  };

  virtual ~ApplicationLink() = default;

  // Window thread. Each posts its work, so that it happens after the
  // command that asked for it has finished in the view that ran it.
  virtual void PostNewDrawing() = 0;
  virtual void PostOpenDrawing() = 0;
  virtual void PostQuit() = 0;
  virtual void PostMenuLoad() = 0;

  // Any thread: asks on the window thread and waits for the answer. The
  // dialog offers the proposed path (empty: no name).
  virtual SaveTarget ChooseSaveTarget(const std::string& proposal, FcFileKind currentKind) = 0;
};

// Installs the link (null removes it). Not owned.
void SetApplicationLink(ApplicationLink* link);
// Null while no main frame exists.
ApplicationLink* GetApplicationLink();
