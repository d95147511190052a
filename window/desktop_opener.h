#pragma once

class WindowThread;

// Fills the platform's document opener with the desktop's: a local file or
// a web address goes to the program the desktop assigns to it, asked on
// the window thread.
void InstallDesktopOpener(WindowThread& window);
void RemoveDesktopOpener();
