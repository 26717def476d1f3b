// SPDX-License-Identifier: MIT
// The real viewer start: a stand-in viewer writes down how it was started.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "contour_cases.h"
#include "disk_files.h"
#include "generation_run.h"
#include "launcher_starter.h"
#include "messages.h"
#include "temp_root.h"

namespace talvo {
namespace {

using test_support::ReadBytes;
using test_support::TempRoot;
using test_support::WriteBytes;

/// A viewer stand-in: a script that writes its arguments into a file beside itself.
std::filesystem::path MakeStandIn(const std::filesystem::path& folder, const std::string& name) {
  auto script = folder / name;
  WriteBytes(script, "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$0.args.tmp\" && mv \"$0.args.tmp\" \"$0.args\"\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_all);
  return script;
}

std::string WaitForFile(const std::filesystem::path& path) {
  for (int i = 0; i < 200 && !std::filesystem::exists(path); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return ReadBytes(path);
}

class LauncherStarterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    unsetenv("TALVO_VIEWER");
  }
  void TearDown() override {
    setenv("PATH", savedPath_.c_str(), 1);
    unsetenv("TALVO_VIEWER");
  }
  RunOutcome RunOnce() {
    DiskFiles files;
    auto starter = platform::MakeLauncherStarter();
    std::string display;
    return GenerationRun(RunPaths::InRoot(root.Path()), files, starter.get())
        .Run(CutKind::InnerCircle, test_support::Circle("100", "10"), display);
  }

  TempRoot root;
  TempRoot tools;

 private:
  std::string savedPath_;
};

TEST_F(LauncherStarterTest, TheViewerNamedByTalvoViewerGetsTheProgramFile) {
  const auto standIn = MakeStandIn(tools.Path(), "my viewer");
  setenv("TALVO_VIEWER", standIn.c_str(), 1);
  const RunOutcome outcome = RunOnce();
  EXPECT_EQ(outcome.status, RunStatus::Done);
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(WaitForFile(standIn.string() + ".args"), (root.Path() / "ALANTEMIZLEME.TXT").string() + "\n");
}

TEST_F(LauncherStarterTest, TalvoPlotIsFoundOnThePath) {
  const auto standIn = MakeStandIn(tools.Path(), "talvo-plot");
  setenv("PATH", (tools.Path().string() + ":" + std::getenv("PATH")).c_str(), 1);
  ASSERT_EQ(RunOnce().status, RunStatus::Done);
  EXPECT_EQ(WaitForFile(standIn.string() + ".args"), (root.Path() / "ALANTEMIZLEME.TXT").string() + "\n");
}

TEST_F(LauncherStarterTest, AMissingViewerIsReportedAndTheRunStillCompletes) {
  setenv("TALVO_VIEWER", (tools.Path() / "no-such-viewer").c_str(), 1);
  const RunOutcome outcome = RunOnce();
  EXPECT_EQ(outcome.status, RunStatus::Done);
  EXPECT_THAT(outcome.message, ::testing::StartsWith(msg::kViewerNotStarted));
  EXPECT_THAT(outcome.message, ::testing::HasSubstr("no-such-viewer"));
  EXPECT_THAT(ReadBytes(root.Path() / "ALANTEMIZLEME.TXT"), ::testing::EndsWith("%\r\n\r\n"));
}

}  // namespace
}  // namespace talvo
