#pragma once

#include <cstdio>
#include <string>

// A shell command's exit status and its output, standard error included.
struct CommandResult {
  int status = -1;
  std::string output;
};

inline CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) result.output += buffer;
  result.status = pclose(pipe);
  return result;
}

// The script of drawings and readings made with the independent DXF
// library.
inline std::string LibraryScript() { return std::string(KOVRA_SOURCE_DIR) + "/tests/files/ezdxf_drawings.py"; }
