// SPDX-License-Identifier: MIT
// Runs a command line through the shell, as a script would, and keeps what it wrote.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "temp_root.h"

namespace talvo::test_support {

/// Appends what the command writes on standard output to `out`; returns its exit status, or -1
/// when it could not be started or did not exit.
inline int RunShell(const std::string& command, std::string& out) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  std::array<char, 4096> buffer{};
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) out.append(buffer.data(), n);
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Ran {
  int exitCode;
  std::string out;
  std::string err;
};

/// Runs the command with its standard output and standard error kept apart.
inline Ran RunCommand(const std::string& command) {
  TempRoot scratch;
  const auto errFile = scratch.Path() / "stderr";
  Ran ran{-1, {}, {}};
  ran.exitCode = RunShell(command + " 2>'" + errFile.string() + "'", ran.out);
  ran.err = ReadBytes(errFile);
  return ran;
}

}  // namespace talvo::test_support
