#pragma once

class WindowThread;

// Fills the platform's clipboard access with the desktop's clipboard,
// touched only on the window thread.
void InstallDesktopClipboard(WindowThread& window);
void RemoveDesktopClipboard();
