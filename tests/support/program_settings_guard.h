#pragma once

#include "platform/program_settings.h"

// Keeps the program's settings as they were before a test that starts the
// program: starting it loads them from that test's own store and program
// folder, whose search path finds none of the fonts later tests draw with.
class ProgramSettingsGuard {
 public:
  ProgramSettingsGuard() : saved_(GetProgramSettings()) {}
  ~ProgramSettingsGuard() { GetProgramSettings() = saved_; }
  ProgramSettingsGuard(const ProgramSettingsGuard&) = delete;
  ProgramSettingsGuard& operator=(const ProgramSettingsGuard&) = delete;

 private:
  ProgramSettings saved_;
};
