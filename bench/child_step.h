#pragma once

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <functional>

// A benchmark step run in a child process of its own, forked from a small
// parent: the child's high-water mark is the step's peak memory and not
// hidden behind whatever the parent built before.

struct StepFigures {
  bool ok = false;
  double seconds = 0.0;
  std::int64_t peakBytes = 0;
  // Processor time of all the child's threads over the timed part: on a
  // busy machine it says more than the wall-clock seconds.
  double processorSeconds = 0.0;
};

inline std::int64_t PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::int64_t>(usage.ru_maxrss) * 1024;
}

// User and system time of all the process's threads so far.
inline double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Times the part of a step that is measured: wall-clock and processor time.
class StepClock {
 public:
  StepClock() : start_(std::chrono::steady_clock::now()), processorStart_(ProcessorSeconds()) {}
  // Sets the figures' seconds and processor seconds.
  void Stop(StepFigures& figures) const {
    figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    figures.processorSeconds = ProcessorSeconds() - processorStart_;
  }

 private:
  std::chrono::steady_clock::time_point start_;
  double processorStart_;
};

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs the step in a child process and brings back the times it measured
// (it sets the figures' seconds, and its processor seconds when it can)
// and the child's peak.
inline StepFigures RunInChild(const std::function<bool(StepFigures& figures)>& step) {
  StepFigures figures;
  int channel[2];
  if (pipe(channel) != 0) return figures;
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    figures.ok = step(figures);
    figures.peakBytes = PeakResidentBytes();
    const bool written = write(channel[1], &figures, sizeof figures) == static_cast<ssize_t>(sizeof figures);
    _exit(written ? 0 : 1);
  }
  close(channel[1]);
  if (child > 0 && read(channel[0], &figures, sizeof figures) != static_cast<ssize_t>(sizeof figures)) {
    figures.ok = false;
  }
  close(channel[0]);
  if (child > 0) waitpid(child, nullptr, 0);
  return figures;
}
