#pragma once

#include <string>
#include <vector>

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

  // A toolbar of the loaded menu file that has a window.
  struct ToolbarState {
    std::string name;
    bool shown = false;
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

  // Window thread, for the options sheet. Whether a drawing window is open.
  virtual bool HasDrawingWindow() { return false; }
  // The number of lines the command bar shows.
  virtual int CommandBarLines() { return 0; }
  // Applies the command line's font and colours from the program settings,
  // gives the command bar that many lines when they lie in 1 to 100, and
  // has every drawing window take its colours and crosshair again.
  virtual void ApplyCommandBarStyle(int /*lines*/) {}
  // The toolbars in the menu file's order, and showing or hiding each one
  // named; a name no toolbar has is passed over.
  virtual std::vector<ToolbarState> Toolbars() { return {}; }
  virtual void ShowToolbars(const std::vector<ToolbarState>& /*toolbars*/) {}
  // Builds the toolbars again with the icon size of the program settings.
  virtual void PostToolbarIconSize() {}
};

// Installs the link (null removes it). Not owned.
void SetApplicationLink(ApplicationLink* link);
// Null while no main frame exists.
ApplicationLink* GetApplicationLink();
