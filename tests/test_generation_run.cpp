// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "contour_cases.h"
#include "generation_run.h"
#include "launcher_bytes.h"
#include "messages.h"
#include "recording_starter.h"
#include "temp_root.h"

namespace talvo {
namespace {

using test_support::kLauncherBytes;
using test_support::ReadBytes;
using test_support::RecordingStarter;
using test_support::TempRoot;
using test_support::WriteBytes;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kInnerCircleDisplay = "G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n";

class GenerationRunTest : public ::testing::Test {
 protected:
  RunOutcome RunInnerCircle(std::string& display) {
    return Run().Run(CutKind::InnerCircle, test_support::Circle("100", "10"), display);
  }
  GenerationRun Run() { return GenerationRun(paths, files, &starter); }

  TempRoot root;
  RunPaths paths = RunPaths::InRoot(root.Path());
  DiskFiles files;
  RecordingStarter starter;
};

TEST_F(GenerationRunTest, WritesBothFilesShowsTheProgramAndStartsTheViewerOnce) {
  ASSERT_FALSE(std::filesystem::exists(paths.programFile));
  std::string display = "typed by the operator";
  const RunOutcome outcome = RunInnerCircle(display);

  EXPECT_EQ(outcome.status, RunStatus::Done);
  EXPECT_EQ(outcome.message, "");
  EXPECT_EQ(display, kInnerCircleDisplay);
  EXPECT_EQ(ReadBytes(paths.programFile), std::string(kInnerCircleDisplay) + "\r\n");
  EXPECT_EQ(ReadBytes(paths.launcherFile), kLauncherBytes);
  EXPECT_EQ(paths.programFile.filename(), "ALANTEMIZLEME.TXT");
  EXPECT_EQ(paths.launcherFile.filename(), "A.BAT");
  ASSERT_EQ(starter.started.size(), 1u);
  EXPECT_EQ(starter.started[0].programFile, paths.programFile);
}

TEST_F(GenerationRunTest, EveryKindLeavesTheSameLauncherAndAProgramEndingWithAnEmptyLine) {
  for (const auto& c : test_support::ContourCases()) {
    std::string display;
    ASSERT_EQ(Run().Run(c.kind, c.fields, display).status, RunStatus::Done) << c.name;
    EXPECT_EQ(display.find(' '), std::string::npos);
    EXPECT_EQ(ReadBytes(paths.programFile), display + "\r\n") << c.name;
    EXPECT_THAT(ReadBytes(paths.programFile), ::testing::EndsWith("%\r\n\r\n"));
    EXPECT_EQ(ReadBytes(paths.launcherFile), kLauncherBytes) << c.name;
  }
}

TEST_F(GenerationRunTest, TwoRunsLeaveIdenticalFiles) {
  std::string display;
  ASSERT_EQ(RunInnerCircle(display).status, RunStatus::Done);
  const std::string program = ReadBytes(paths.programFile);
  const std::string firstDisplay = display;
  ASSERT_EQ(RunInnerCircle(display).status, RunStatus::Done);
  EXPECT_EQ(ReadBytes(paths.programFile), program);
  EXPECT_EQ(ReadBytes(paths.launcherFile), kLauncherBytes);
  EXPECT_EQ(display, firstDisplay);
  EXPECT_EQ(starter.started.size(), 2u);
}

TEST_F(GenerationRunTest, ALongerEarlierProgramLeavesNothingBehind) {
  WriteBytes(paths.programFile, std::string(10000, 'X'));
  WriteBytes(paths.launcherFile, std::string(10000, 'Y'));
  std::string display;
  ASSERT_EQ(RunInnerCircle(display).status, RunStatus::Done);
  EXPECT_EQ(ReadBytes(paths.programFile), std::string(kInnerCircleDisplay) + "\r\n");
  EXPECT_EQ(ReadBytes(paths.launcherFile), kLauncherBytes);
}

TEST_F(GenerationRunTest, ARefusedRunTouchesNothing) {
  WriteBytes(paths.programFile, "earlier program");
  WriteBytes(paths.launcherFile, "earlier launcher");
  const struct {
    CutKind kind;
    FieldTexts fields;
    const char* message;
  } cases[] = {
      {CutKind::InnerCircle, test_support::Circle("", "10"), msg::kZeroRefused},
      {CutKind::OuterRectangle, test_support::Rectangle("200", "100", "10", "0"), msg::kZeroRefused},
      {CutKind::OuterCircle, test_support::Circle("1E400", "10"), msg::kTooBig},
  };
  for (const auto& c : cases) {
    std::string display = "typed\r\nby hand";
    const RunOutcome outcome = Run().Run(c.kind, c.fields, display);
    EXPECT_EQ(outcome.status, RunStatus::Refused);
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_EQ(display, "typed\r\nby hand");
  }
  EXPECT_EQ(ReadBytes(paths.programFile), "earlier program");
  EXPECT_EQ(ReadBytes(paths.launcherFile), "earlier launcher");
  EXPECT_TRUE(starter.started.empty());
}

TEST_F(GenerationRunTest, AViewerThatDoesNotStartIsReportedAfterACompleteRun) {
  starter.failure = "no such program";
  std::string display;
  const RunOutcome outcome = RunInnerCircle(display);
  EXPECT_EQ(outcome.status, RunStatus::Done);
  EXPECT_THAT(outcome.message, StartsWith(msg::kViewerNotStarted));
  EXPECT_THAT(outcome.message, HasSubstr("no such program"));
  EXPECT_EQ(display, kInnerCircleDisplay);
}

// Real file system faults that hold for root too.
TEST(GenerationRunFiles, AnUnusableRootStopsTheRunWithAClearMessage) {
  TempRoot scratch;
  const auto plainFile = scratch.Path() / "plain";
  WriteBytes(plainFile, "not a folder");
  const auto programIsFolder = scratch.Path() / "program-is-folder";
  std::filesystem::create_directories(programIsFolder / "ALANTEMIZLEME.TXT");
  const std::filesystem::path roots[] = {scratch.Path() / "missing", plainFile, programIsFolder};

  for (const auto& root : roots) {
    DiskFiles files;
    RecordingStarter starter;
    const RunPaths paths = RunPaths::InRoot(root);
    std::string display = "as it was";
    const RunOutcome outcome =
        GenerationRun(paths, files, &starter).Run(CutKind::InnerCircle, test_support::Circle("100", "10"), display);
    EXPECT_EQ(outcome.status, RunStatus::Failed) << root;
    EXPECT_THAT(outcome.message, StartsWith(std::string(msg::kCannotWrite) + ": "));
    EXPECT_THAT(outcome.message, HasSubstr(paths.programFile.string()));
    EXPECT_GT(outcome.message.size(), std::string(msg::kCannotWrite).size() + paths.programFile.string().size() + 4)
        << "the system's reason is missing: " << outcome.message;
    EXPECT_EQ(display, "as it was");
    EXPECT_TRUE(starter.started.empty());
  }
}

TEST(GenerationRunFiles, AFullDiskIsSeenWhenTheFileIsClosed) {
  ASSERT_TRUE(std::filesystem::exists("/dev/full")) << "this test needs the full device /dev/full";
  TempRoot root;
  const RunPaths paths = RunPaths::InRoot(root.Path());
  std::filesystem::create_symlink("/dev/full", paths.launcherFile);
  DiskFiles files;
  RecordingStarter starter;
  std::string display;
  const RunOutcome outcome =
      GenerationRun(paths, files, &starter).Run(CutKind::InnerCircle, test_support::Circle("100", "10"), display);
  EXPECT_EQ(outcome.status, RunStatus::Failed);
  EXPECT_THAT(outcome.message, StartsWith(std::string(msg::kCannotWrite) + ": " + paths.launcherFile.string()));
  EXPECT_TRUE(starter.started.empty());
}

/// Passes every operation to the disk but fails the one with the given number.
class FailingFiles : public RunFiles {
 public:
  explicit FailingFiles(int failAt) : failAt_(failAt) {}
  std::optional<std::string> Write(const std::filesystem::path& p, std::string_view bytes) override {
    return Next() ? std::optional<std::string>("disk on fire") : disk_.Write(p, bytes);
  }
  std::optional<std::string> Read(const std::filesystem::path& p, std::string& bytes) override {
    return Next() ? std::optional<std::string>("disk on fire") : disk_.Read(p, bytes);
  }
  std::optional<std::string> Remove(const std::filesystem::path& p) override {
    return Next() ? std::optional<std::string>("disk on fire") : disk_.Remove(p);
  }

 private:
  bool Next() { return count_++ == failAt_; }
  DiskFiles disk_;
  int failAt_;
  int count_ = 0;
};

TEST(GenerationRunFiles, AFailureAtAnyStepStopsThereAndStartsNothing) {
  const struct {
    int failingOperation;
    const char* message;
    bool launcher;        // the failing operation is on the launcher file
    const char* display;  // the output box afterwards
  } cases[] = {
      {0, msg::kCannotWrite, false, "as it was"},          // creating the program file empty
      {1, msg::kCannotWrite, true, "as it was"},           // writing the launcher
      {2, msg::kCannotDelete, false, "as it was"},         // deleting the program file
      {3, msg::kCannotWrite, false, ""},                   // writing the program
      {4, msg::kCannotRead, false, ""},                    // reading it back
      {5, msg::kCannotWrite, false, kInnerCircleDisplay},  // rewriting it from the display
  };
  for (const auto& c : cases) {
    TempRoot root;
    const RunPaths paths = RunPaths::InRoot(root.Path());
    FailingFiles files(c.failingOperation);
    RecordingStarter starter;
    std::string display = "as it was";
    const RunOutcome outcome =
        GenerationRun(paths, files, &starter).Run(CutKind::InnerCircle, test_support::Circle("100", "10"), display);
    const auto& path = c.launcher ? paths.launcherFile : paths.programFile;
    EXPECT_EQ(outcome.status, RunStatus::Failed) << c.failingOperation;
    EXPECT_EQ(outcome.message, std::string(c.message) + ": " + path.string() + ": disk on fire");
    EXPECT_TRUE(starter.started.empty()) << c.failingOperation;
    EXPECT_EQ(display, c.display) << c.failingOperation;
  }
}

}  // namespace
}  // namespace talvo
