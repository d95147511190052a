#pragma once

// Puts the drawing side together once at start-up, before the first drawing
// is made: every class registered for the file readers, a display list for
// each drawing, and undo snapshots through the drawing files. Calling it
// again changes nothing.
void InstallDrawingServices();
