#pragma once

// Each worker thread allocates from a heap of its own. The C library grows
// and trims such heaps in steps of a few pages by default, and every step
// stalls the page faults of all the other threads: while one of these
// lives, the heaps grow and shrink in large steps instead. A pass that
// draws and releases its display list piece by piece keeps one for its
// whole length, so that the memory a piece released is there, faulted in
// already, for the next piece instead of going back to the system. They
// nest, and several threads may hold one: the library's defaults come back
// when the last one ends.
class LargeHeapSteps {
 public:
  LargeHeapSteps();
  ~LargeHeapSteps();
  LargeHeapSteps(const LargeHeapSteps&) = delete;
  LargeHeapSteps& operator=(const LargeHeapSteps&) = delete;
};

// While several threads fault in fresh memory together, large pages cost
// more than they save: each large page a thread faults in may make the
// kernel compact memory first, under a lock all the faulting threads wait
// for (a regen of 590,000 entities on eight threads took twice as long).
// While one of these lives, fresh memory comes in small pages; memory
// already in large pages stays so. The setting is the process's own, so
// a program started meanwhile would inherit it: hold one only while the
// threads draw. They nest like LargeHeapSteps; the last one to end puts
// back what the process had before the first.
class SmallPagesWhileThreadsFault {
 public:
  SmallPagesWhileThreadsFault();
  ~SmallPagesWhileThreadsFault();
  SmallPagesWhileThreadsFault(const SmallPagesWhileThreadsFault&) = delete;
  SmallPagesWhileThreadsFault& operator=(const SmallPagesWhileThreadsFault&) = delete;
};

// A pass over fewer entities finds the large pages it needs free at once,
// and they cost less than small ones; a larger pass, or an export of a
// larger drawing part by part, makes the kernel compact memory for them
// while all its threads wait (mixed drawing on eight busy cores: 150,000
// entities drew in 0.07 s with large pages and 0.10 s without, 590,000 in
// 1.1-1.5 s of processor time with them and 0.9-1.1 s without).
inline constexpr int kSmallPagesFromEntities = 1 << 18;
