#pragma once

// Large drawings fill hundreds of megabytes of heap, and every fresh 4 KiB
// page costs a fault; in large pages the same memory takes a few hundred
// faults. The C library puts its heap in large pages only when told so in
// the environment at start, so a program that wants it starts itself once
// more with the setting added (the same process, arguments and
// environment). Returns only when the setting is already there or the
// restart failed; the program then simply runs with small pages.
void RestartWithLargePageHeap(char** argv);
