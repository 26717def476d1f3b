// SPDX-License-Identifier: MIT
// Runs a program as its own process and measures it as the operator would meet it: the wall
// time to its end and the peak memory of the whole process.
#pragma once

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

struct ChildRun {
  int status = -1;  ///< exit status, -1 when it could not start or did not exit
  double seconds = 0;
  double peakMegabytes = 0;
};

/// Runs argv[0] (searched on PATH) with its output thrown away; `environment` entries
/// ("NAME=value") are added to this process's environment. The peak is taken by GNU time from
/// a process it forks: a process this one starts would count this one's memory as its own,
/// as the kernel keeps the peak of the memory a process had before exec.
inline ChildRun RunChild(std::vector<std::string> argv, const std::vector<std::string>& environment,
                         const std::filesystem::path& scratch) {
  const std::string peakFile = (scratch / "peak.txt").string();
  argv.insert(argv.begin(), {"/usr/bin/time", "-f", "%M", "-o", peakFile});
  std::vector<std::string> env(environment);
  for (char** e = environ; *e; ++e) env.emplace_back(*e);
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  args.push_back(nullptr);
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 01, 0);  // O_WRONLY
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 01, 0);
  ChildRun run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return run;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  double kilobytes = 0;
  std::ifstream(peakFile) >> kilobytes;
  run.peakMegabytes = kilobytes / 1024;
  return run;
}
