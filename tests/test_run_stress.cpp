// SPDX-License-Identifier: MIT
// talvo-gcode --write killed at random moments, and runs on one root at the same moment: the
// root always holds both files, each one whole program or launcher, and once a run has finished
// nothing staged is left beside them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "launcher_bytes.h"
#include "temp_root.h"

extern char** environ;

namespace talvo {
namespace {

using test_support::kLauncherBytes;
using test_support::ReadBytes;
using test_support::TempRoot;

// Two programs of different lengths, so that a file torn between them shows.
const std::string kSmall = "G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n\r\n";
const std::string kLarge = "G0X0Y0\r\nG0Y-488\r\nG1Y-498F300\r\nG2J498F300\r\nM30\r\n%\r\n\r\n";

/// Starts `talvo-gcode inner-circle --diameter D --start 10 --write` on the root.
pid_t StartRun(const std::filesystem::path& root, const char* diameter) {
  std::vector<std::string> environment = {"TALVO_ROOT=" + root.string()};
  for (char** e = environ; *e; ++e) {
    if (std::string_view(*e).rfind("TALVO_ROOT=", 0) != 0) environment.emplace_back(*e);
  }
  std::vector<char*> envp;
  envp.reserve(environment.size() + 1);
  for (auto& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string program = TALVO_GCODE;
  std::vector<std::string> args = {program, "inner-circle", "--diameter", diameter, "--start", "10", "--write"};
  std::vector<char*> argv;
  argv.reserve(args.size() + 1);
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int err = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return err == 0 ? pid : -1;
}

int Wait(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<std::string> StagedNames(const std::filesystem::path& root) {
  std::vector<std::string> staged;
  for (const auto& entry : std::filesystem::directory_iterator(root)) {
    if (entry.path().extension() == ".tmp") staged.push_back(entry.path().filename().string());
  }
  return staged;
}

void ExpectBothWhole(const std::filesystem::path& root, int step) {
  const std::string program = ReadBytes(root / "ALANTEMIZLEME.TXT");
  EXPECT_TRUE(program == kSmall || program == kLarge) << "step " << step << ": program " << program.size() << " bytes";
  EXPECT_EQ(ReadBytes(root / "A.BAT"), kLauncherBytes) << "step " << step;
}

TEST(RunsUnderFaults, AKilledRunNeverLeavesAFileMissingOrTorn) {
  TempRoot root;
  ASSERT_EQ(Wait(StartRun(root.Path(), "100")), 0);
  std::mt19937 random(20261210);  // a stated seed: the same moments on every machine
  std::uniform_int_distribution<int> delayMicroseconds(0, 4000);
  int killed = 0;
  for (int step = 0; step < 400; ++step) {
    const pid_t pid = StartRun(root.Path(), step % 2 ? "1000" : "100");
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    if (kill(pid, SIGKILL) == 0) ++killed;
    Wait(pid);
    ExpectBothWhole(root.Path(), step);
    if (HasFailure()) return;
  }
  EXPECT_GT(killed, 100) << "too few runs were killed on the way to say anything";
  // A finished run removes what the killed ones left staged.
  ASSERT_EQ(Wait(StartRun(root.Path(), "100")), 0);
  ExpectBothWhole(root.Path(), -1);
  EXPECT_EQ(StagedNames(root.Path()), std::vector<std::string>{});
}

TEST(RunsUnderFaults, TwoRunsAtOnceBothSucceedAndTheLastWinsWhole) {
  TempRoot root;
  for (int step = 0; step < 150; ++step) {
    const pid_t first = StartRun(root.Path(), "100");
    const pid_t second = StartRun(root.Path(), "1000");
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_EQ(Wait(first), 0) << "step " << step;
    EXPECT_EQ(Wait(second), 0) << "step " << step;
    ExpectBothWhole(root.Path(), step);
    EXPECT_EQ(StagedNames(root.Path()), std::vector<std::string>{}) << "step " << step;
    if (HasFailure()) return;
  }
}

}  // namespace
}  // namespace talvo
