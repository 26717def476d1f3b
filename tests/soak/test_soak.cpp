// SPDX-License-Identifier: MIT
// An operator presses "G KOD" all day: many whole runs in one process, accepted and refused in
// turn, must each leave exactly the files the first run of their kind left, and no memory behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "contour_cases.h"
#include "disk_files.h"
#include "generation_run.h"
#include "temp_root.h"

namespace talvo {
namespace {

using test_support::ReadBytes;

/// How many runs a soak makes: 10000, or TALVO_SOAK_RUNS (the memcheck run makes fewer).
int SoakRuns() {
  const char* text = std::getenv("TALVO_SOAK_RUNS");
  return text ? std::atoi(text) : 10000;
}

/// One press of "G KOD", in the order the soak repeats them.
struct Press {
  CutKind kind;
  FieldTexts fields;
};

std::vector<Press> Presses() {
  std::vector<Press> presses;
  for (const auto& c : test_support::ContourCases()) presses.push_back({c.kind, c.fields});
  presses.push_back({CutKind::InnerCircle, test_support::Circle("0", "10")});                // refused: zero
  presses.push_back({CutKind::OuterRectangle, test_support::Rectangle("1E400", "1", "1")});  // refused: too big
  return presses;
}

/// The files a run leaves, and what the display shows.
struct Left {
  std::string program;
  std::string launcher;
  std::string display;
  RunStatus status;
  bool operator==(const Left&) const = default;
};

class Soak : public ::testing::Test {
 protected:
  Left LeftBy(const Press& press) {
    const RunOutcome outcome = run.Run(press.kind, press.fields, display);
    return {ReadBytes(paths.programFile), ReadBytes(paths.launcherFile), display, outcome.status};
  }

  test_support::TempRoot root;
  RunPaths paths = RunPaths::InRoot(root.Path());
  DiskFiles files;
  GenerationRun run{paths, files, nullptr};
  std::string display;
};

TEST_F(Soak, RepeatedRunsLeaveByteIdenticalFiles) {
  const std::vector<Press> presses = Presses();
  // What each press leaves the first time; a refused press leaves what the press before it left.
  std::vector<Left> first;
  first.reserve(presses.size());
  for (const auto& press : presses) first.push_back(LeftBy(press));
  ASSERT_EQ(first.front().status, RunStatus::Done);
  ASSERT_EQ(first.back().status, RunStatus::Refused);
  ASSERT_EQ(first.back().program, first[first.size() - 3].program);

  const int runs = SoakRuns();
  for (int i = 0; i < runs; ++i) {
    const std::size_t k = static_cast<std::size_t>(i) % presses.size();
    ASSERT_EQ(LeftBy(presses[k]), first[k]) << "run " << i << ", press " << k;
  }
}

// AddressSanitizer's quarantine keeps freed memory resident on purpose, so growth cannot be measured
// there; LeakSanitizer checks for leaks in that build instead.
#if !defined(__SANITIZE_ADDRESS__)
/// The resident memory of this process in kB, or -1 where /proc does not tell it.
long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

TEST_F(Soak, RepeatedRunsDoNotGrowMemory) {
  ASSERT_GE(ResidentKilobytes(), 0) << "/proc/self/status does not give the resident memory";
  const std::vector<Press> presses = Presses();
  // Warm up first: the allocator and the streams settle during the first runs.
  for (int i = 0; i < 500; ++i) LeftBy(presses[static_cast<std::size_t>(i) % presses.size()]);
  const long before = ResidentKilobytes();
  const int runs = SoakRuns();
  for (int i = 0; i < runs; ++i) LeftBy(presses[static_cast<std::size_t>(i) % presses.size()]);
  const long after = ResidentKilobytes();
  // 10000 runs that each kept even 64 bytes would grow by more than this.
  EXPECT_LE(after - before, 512) << before << " kB before, " << after << " kB after " << runs << " runs";
}
#endif

}  // namespace
}  // namespace talvo
