#pragma once

#include <span>
#include <string>

#include "commands/command_row.h"

class FcGraph;

// Commands that make, open, save, close, export and print drawings, and the one that ends the program.
std::span<const CommandRow> FileCommandRows();

// Application commands, on the window thread: each hands its work to the
// main frame, which does it once the command has finished.
int CmdNew();
int CmdOpen();
int CmdQuit();

// Drawing commands, on the drawing's command thread. Save and SaveAs always
// ask for the file; QSave writes back to the drawing's own file in its own
// kind and asks only for a drawing that has none; Close leaves the save
// question to the window.
int CmdSave();
int CmdQSave();
int CmdClose();
// Writes a part of the drawing to an HPGL, PDF, SVG or EPS file through the
// export dialog; changes nothing in the drawing.
int CmdExport();
// "plot" and "print": a part of the drawing on one sheet of the printer
// through the print dialog; changes nothing in the drawing.
int CmdPlot();

// The path the save dialog offers: none for a drawing without a file of its
// own, else its file's path with the extension ".dwg", so that a drawing
// read from DXF is offered as a drawing file of the same name.
std::string SaveProposal(const FcGraph& graph);

// The history line of a failed save; empty for kDone. QSave's line has no
// full stop after the code, Save's has.
std::string SaveFailureMessage(int result, bool fullStop);
