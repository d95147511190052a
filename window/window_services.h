#pragma once

// Puts the program together at start-up: the drawing side
// (InstallDrawingServices) and what only the window can do for it, such as
// drawing the preview picture a DWG file carries. Calling it again changes
// nothing.
void InstallWindowServices();
