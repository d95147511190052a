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
};

inline std::int64_t PeakResidentBytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<std::int64_t>(usage.ru_maxrss) * 1024;
}

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs the step in a child process and brings back the time it measured
// and the child's peak.
inline StepFigures RunInChild(const std::function<bool(double& seconds)>& step) {
  StepFigures figures;
  int channel[2];
  if (pipe(channel) != 0) return figures;
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    figures.ok = step(figures.seconds);
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
