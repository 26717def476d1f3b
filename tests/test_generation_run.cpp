// SPDX-License-Identifier: MIT
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "contour_cases.h"
#include "disk_files.h"
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

/// Passes every operation to the disk but fails the one with the given number.
class FailingFiles : public RunFiles {
 public:
  explicit FailingFiles(int failAt) : failAt_(failAt) {}
  std::optional<std::string> WriteNew(const std::filesystem::path& p, std::string_view bytes) override {
    return Next() ? kFire : disk_.WriteNew(p, bytes);
  }
  std::optional<std::string> Read(const std::filesystem::path& p, std::string& bytes) override {
    return Next() ? kFire : disk_.Read(p, bytes);
  }
  std::optional<std::string> Remove(const std::filesystem::path& p) override {
    return Next() ? kFire : disk_.Remove(p);
  }
  std::optional<std::string> Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return Next() ? kFire : disk_.Rename(from, to);
  }
  std::optional<std::string> KeepCopy(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return Next() ? kFire : disk_.KeepCopy(from, to);
  }
  std::optional<std::string> Names(const std::filesystem::path& folder, std::vector<std::string>& names) override {
    return Next() ? kFire : disk_.Names(folder, names);
  }
  std::optional<std::string> Lock(const std::filesystem::path& lockFile, std::unique_ptr<RunLock>& held) override {
    return Next() ? kFire : disk_.Lock(lockFile, held);
  }
  NameKind Kind(const std::filesystem::path& p) override { return disk_.Kind(p); }
  int Count() const { return count_; }

 private:
  static inline const std::optional<std::string> kFire = "disk on fire";
  bool Next() { return count_++ == failAt_; }
  DiskFiles disk_;
  int failAt_;
  int count_ = 0;
};

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Over earlier files, every file operation of a run in turn fails: the run stops there with the
// file's name and the reason, the output box shows what it showed after that step, both earlier
// files stay byte for byte, and nothing staged is left beside them.
TEST(GenerationRunFiles, AFailureAtAnyStepLeavesBothEarlierFiles) {
  enum File { Program, Launcher, None };
  const struct {
    const char* operation;
    const char* message;  // nullptr: the failure is harmless and the run is done
    File file;
    const char* display;  // the output box afterwards
  } cases[] = {
      // A root that cannot hold the lock or be listed is still written.
      {"take the runs' lock", nullptr, None, kInnerCircleDisplay},
      {"list the root for what killed runs left", nullptr, None, kInnerCircleDisplay},
      {"create the program file empty", msg::kCannotWrite, Program, "as it was"},
      {"write the launcher", msg::kCannotWrite, Launcher, "as it was"},
      {"delete the program file", msg::kCannotDelete, Program, "as it was"},
      {"write the program", msg::kCannotWrite, Program, ""},
      {"read it back", msg::kCannotRead, Program, ""},
      {"rewrite it from the display", msg::kCannotWrite, Program, kInnerCircleDisplay},
      {"delete the first program copy", nullptr, None, kInnerCircleDisplay},
      {"keep the earlier launcher under a second name", msg::kCannotWrite, Launcher, kInnerCircleDisplay},
      {"put the launcher in place", msg::kCannotWrite, Launcher, kInnerCircleDisplay},
      {"put the program in place", msg::kCannotWrite, Program, kInnerCircleDisplay},
      {"delete the earlier launcher's second name", nullptr, None, kInnerCircleDisplay},
  };
  const int operations = static_cast<int>(std::size(cases));
  for (int failAt = 0; failAt <= operations; ++failAt) {
    SCOPED_TRACE(failAt < operations ? cases[failAt].operation : "nothing fails");
    TempRoot root;
    const RunPaths paths = RunPaths::InRoot(root.Path());
    WriteBytes(paths.programFile, "earlier program");
    WriteBytes(paths.launcherFile, "earlier launcher");
    FailingFiles files(failAt);
    RecordingStarter starter;
    std::string display = "as it was";
    const RunOutcome outcome =
        GenerationRun(paths, files, &starter).Run(CutKind::InnerCircle, test_support::Circle("100", "10"), display);

    const std::vector<std::string> left =
        failAt == 0 ? std::vector<std::string>{"A.BAT", "ALANTEMIZLEME.TXT"}
                    : std::vector<std::string>{".talvo-zavodo.lock", "A.BAT", "ALANTEMIZLEME.TXT"};
    EXPECT_EQ(NamesIn(root.Path()), left);
    if (failAt == operations || !cases[failAt].message) {
      EXPECT_EQ(outcome.status, RunStatus::Done);
      EXPECT_EQ(display, kInnerCircleDisplay);
      EXPECT_EQ(ReadBytes(paths.programFile), std::string(kInnerCircleDisplay) + "\r\n");
      EXPECT_EQ(ReadBytes(paths.launcherFile), kLauncherBytes);
      EXPECT_EQ(starter.started.size(), 1u);
      if (failAt == operations) {
        EXPECT_EQ(files.Count(), operations) << "the table misses an operation";
      }
      continue;
    }
    const auto& c = cases[failAt];
    const auto& path = c.file == Launcher ? paths.launcherFile : paths.programFile;
    EXPECT_EQ(outcome.status, RunStatus::Failed);
    EXPECT_EQ(outcome.message, std::string(c.message) + ": " + path.string() + ": disk on fire");
    EXPECT_EQ(display, c.display);
    EXPECT_EQ(ReadBytes(paths.programFile), "earlier program");
    EXPECT_EQ(ReadBytes(paths.launcherFile), "earlier launcher");
    EXPECT_TRUE(starter.started.empty());
  }
}

// What killed runs left staged beside the files is removed by the next run; names that only look
// alike are someone else's and stay.
TEST(GenerationRunFiles, WhatKilledRunsLeftStagedIsRemoved) {
  TempRoot root;
  const RunPaths paths = RunPaths::InRoot(root.Path());
  for (const char* name : {"A.BAT.0123456789abcdef.tmp", "ALANTEMIZLEME.TXT.fedcba9876543210.tmp", "A.BAT.1.tmp",
                           "A.BAT.0123456789ABCDEF.tmp", "B.BAT.0123456789abcdef.tmp", "notes.tmp"}) {
    WriteBytes(root.Path() / name, "left");
  }
  DiskFiles files;
  std::string display;
  ASSERT_EQ(
      GenerationRun(paths, files, nullptr).Run(CutKind::InnerCircle, test_support::Circle("100", "10"), display).status,
      RunStatus::Done);
  EXPECT_EQ(NamesIn(root.Path()),
            (std::vector<std::string>{".talvo-zavodo.lock", "A.BAT", "A.BAT.0123456789ABCDEF.tmp", "A.BAT.1.tmp",
                                      "ALANTEMIZLEME.TXT", "B.BAT.0123456789abcdef.tmp", "notes.tmp"}));
}

// A replaced file keeps its permissions (a private program stays private) and its owner; a file
// its owner may not write is not replaced, and then nothing changes.
TEST(GenerationRunFiles, PermissionsAreKeptAndReadOnlyFilesRefused) {
  const struct {
    const char* name;
    mode_t program, launcher;
    const char* refusedFile;  // nullptr: the run is done
  } cases[] = {
      {"private program", 0600, 0644, nullptr},
      {"group-readable launcher", 0644, 0640, nullptr},
      {"read-only program", 0444, 0644, "ALANTEMIZLEME.TXT"},
      {"read-only launcher", 0644, 0444, "A.BAT"},
      {"owner may not write either", 0044, 0044, "A.BAT"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempRoot root;
    const RunPaths paths = RunPaths::InRoot(root.Path());
    WriteBytes(paths.programFile, "earlier program");
    WriteBytes(paths.launcherFile, "earlier launcher");
    ASSERT_EQ(chmod(paths.programFile.c_str(), c.program), 0);
    ASSERT_EQ(chmod(paths.launcherFile.c_str(), c.launcher), 0);
    // Where the test may give files away (as root), the owner must survive too.
    const uid_t owner = geteuid() == 0 ? 65534 : geteuid();
    ASSERT_EQ(lchown(paths.programFile.c_str(), owner, static_cast<gid_t>(-1)), 0);

    DiskFiles files;
    std::string display;
    const RunOutcome outcome =
        GenerationRun(paths, files, nullptr).Run(CutKind::InnerCircle, test_support::Circle("100", "10"), display);
    struct stat program {
    }, launcher{};
    ASSERT_EQ(stat(paths.programFile.c_str(), &program), 0);
    ASSERT_EQ(stat(paths.launcherFile.c_str(), &launcher), 0);
    EXPECT_EQ(program.st_mode & 07777, c.program);
    EXPECT_EQ(launcher.st_mode & 07777, c.launcher);
    EXPECT_EQ(program.st_uid, owner);
    EXPECT_EQ(NamesIn(root.Path()), (std::vector<std::string>{".talvo-zavodo.lock", "A.BAT", "ALANTEMIZLEME.TXT"}));
    if (!c.refusedFile) {
      EXPECT_EQ(outcome.status, RunStatus::Done);
      EXPECT_EQ(ReadBytes(paths.programFile), std::string(kInnerCircleDisplay) + "\r\n");
      EXPECT_EQ(ReadBytes(paths.launcherFile), kLauncherBytes);
      continue;
    }
    EXPECT_EQ(outcome.status, RunStatus::Failed);
    EXPECT_EQ(outcome.message,
              std::string(msg::kCannotWrite) + ": " + (root.Path() / c.refusedFile).string() + ": Permission denied");
    EXPECT_EQ(ReadBytes(paths.programFile), "earlier program");
    EXPECT_EQ(ReadBytes(paths.launcherFile), "earlier launcher");
  }
}

// New files are staged private and only take their permissions as they are put in place: the
// default ones, as the umask has them, where there was no file before.
TEST(GenerationRunFiles, NewFilesGetTheDefaultPermissions) {
  TempRoot root;
  const RunPaths paths = RunPaths::InRoot(root.Path());
  const mode_t saved = umask(027);
  DiskFiles files;
  std::string display;
  const RunOutcome outcome =
      GenerationRun(paths, files, nullptr).Run(CutKind::InnerCircle, test_support::Circle("100", "10"), display);
  umask(saved);
  ASSERT_EQ(outcome.status, RunStatus::Done);
  for (const auto& file : {paths.programFile, paths.launcherFile}) {
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u) << file;
  }
}

// A root whose own path nearly fills what the system takes at once: the staged names beside the
// files are longer still, and must work all the same.
TEST(GenerationRunFiles, ARootWithALongPathIsWritten) {
  TempRoot scratch;
  std::filesystem::path root = scratch.Path();
  while (root.native().size() < 4060 - 200) root /= std::string(200, 'd');
  root /= std::string(4060 - root.native().size() - 1, 'e');
  std::filesystem::create_directories(root);
  ASSERT_EQ(root.native().size(), 4060u);
  const RunPaths paths = RunPaths::InRoot(root);
  DiskFiles files;
  std::string display;
  for (int run = 0; run < 2; ++run) {  // the second replaces the files of the first
    const RunOutcome outcome =
        GenerationRun(paths, files, nullptr).Run(CutKind::InnerCircle, test_support::Circle("100", "10"), display);
    ASSERT_EQ(outcome.status, RunStatus::Done) << outcome.message;
  }
  EXPECT_EQ(display, kInnerCircleDisplay);
  std::string program;
  ASSERT_FALSE(files.Read(paths.programFile, program));
  EXPECT_EQ(program, std::string(kInnerCircleDisplay) + "\r\n");
  std::vector<std::string> names;
  ASSERT_FALSE(files.Names(root, names));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".talvo-zavodo.lock", "A.BAT", "ALANTEMIZLEME.TXT"}));
}

}  // namespace
}  // namespace talvo
