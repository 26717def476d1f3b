// SPDX-License-Identifier: MIT
// talvo-gcode as a script sees it: standard output, standard error, exit status and files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "launcher_bytes.h"
#include "messages.h"
#include "run_command.h"
#include "temp_root.h"

namespace talvo {
namespace {

using test_support::Ran;
using test_support::ReadBytes;
using test_support::RunCommand;
using test_support::TempRoot;
using test_support::WriteBytes;

Ran RunCli(const std::string& args, const std::string& root) {
  return RunCommand("TALVO_ROOT='" + root + "' '" TALVO_GCODE "' " + args);
}

TEST(Cli, PrintsTheProgramAsTheScreenShowsIt) {
  const struct {
    const char* args;
    const char* out;
  } cases[] = {
      {"inner-circle --diameter 100 --start 10", "G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n"},
      {"outer-circle --diameter=80.25 --start 6 --flame 3.125 --feed 250",
       "G0X0Y0\r\nG0Y-47.688\r\nG1Y-41.688F250\r\nG2J41.6875F250\r\nM30\r\n%\r\n"},
      // each value is a field's text: blanks vanish, reading stops at the comma
      {"inner-rectangle --size-x '2 00' --size-y 100,5 --start 10",
       "G0X100Y10\r\nG1Y2F300\r\nG1X198\r\nG1Y98\r\nG1X2\r\nG1Y2\r\nG1X100\r\nM30\r\n%\r\n"},
      {"outer-rectangle --size-x 120.1234 --size-y 60 --start 8 --flame 3 --feed 450",
       "G0X60.0617Y-8\r\nG1Y-1.5F450\r\nG1X121.6234\r\nG1Y61.5\r\nG1X-1.5\r\nG1Y-1.5\r\nG1X60.0617\r\nM30\r\n%\r\n"},
  };
  TempRoot root;
  for (const auto& c : cases) {
    const Ran ran = RunCli(c.args, root.Path().string());
    EXPECT_EQ(ran.exitCode, 0) << c.args << ran.err;
    EXPECT_EQ(ran.out, c.out) << c.args;
    EXPECT_EQ(ran.err, "");
  }
  EXPECT_TRUE(std::filesystem::is_empty(root.Path())) << "without --write nothing is written";
}

TEST(Cli, WriteLeavesBothFilesInTheRoot) {
  TempRoot root;
  const Ran ran = RunCli("inner-circle --diameter 100 --start 10 --write", root.Path().string());
  ASSERT_EQ(ran.exitCode, 0) << ran.err;
  EXPECT_EQ(ReadBytes(root.Path() / "ALANTEMIZLEME.TXT"), ran.out + "\r\n");
  EXPECT_THAT(ReadBytes(root.Path() / "A.BAT"), ::testing::StartsWith("Cls\r\nCD\\\r\n"));
}

// However each of the two files exists before a run, --write replaces the name itself: it never
// writes through a link or into another name of the same file, and a run that fails leaves both
// earlier files byte for byte.
TEST(Cli, WriteReplacesEachFileByItsNameWhateverItWasBefore) {
  namespace fs = std::filesystem;
  const std::string program = "G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n\r\n";
  const std::string launcher = test_support::kLauncherBytes;
  struct Where {
    fs::path root, programFile, launcherFile, outside, nowhere;
  };
  const auto earlier = [](const Where& w) {
    WriteBytes(w.programFile, "earlier program");
    WriteBytes(w.launcherFile, "earlier launcher");
  };
  const struct {
    const char* name;
    std::function<void(const Where&)> before;
    int exitCode;
    std::string message;  // the start of standard error, after the file's path
    const char* failedFile;
    bool written;  // both files hold the new run's text; else both hold what they held before
  } cases[] = {
      {"both absent", [](const Where&) {}, 0, "", nullptr, true},
      {"both regular files", earlier, 0, "", nullptr, true},
      {"program a link to a file outside", [](const Where& w) { fs::create_symlink(w.outside, w.programFile); }, 0, "",
       nullptr, true},
      {"launcher a link to a file outside", [](const Where& w) { fs::create_symlink(w.outside, w.launcherFile); }, 0,
       "", nullptr, true},
      {"program a dangling link", [](const Where& w) { fs::create_symlink(w.nowhere, w.programFile); }, 0, "", nullptr,
       true},
      {"launcher a dangling link", [](const Where& w) { fs::create_symlink(w.nowhere, w.launcherFile); }, 0, "",
       nullptr, true},
      {"program another name of a file outside", [](const Where& w) { fs::create_hard_link(w.outside, w.programFile); },
       0, "", nullptr, true},
      {"launcher another name of a file outside",
       [](const Where& w) { fs::create_hard_link(w.outside, w.launcherFile); }, 0, "", nullptr, true},
      {"program a folder",
       [&](const Where& w) {
         WriteBytes(w.launcherFile, "earlier launcher");
         fs::create_directory(w.programFile);
       },
       1, "Is a directory", "ALANTEMIZLEME.TXT", false},
      {"launcher a folder",
       [&](const Where& w) {
         WriteBytes(w.programFile, "earlier program");
         fs::create_directory(w.launcherFile);
       },
       1, "Is a directory", "A.BAT", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempRoot scratch;
    const fs::path root = scratch.Path() / "root";
    fs::create_directory(root);
    const Where w{root, root / "ALANTEMIZLEME.TXT", root / "A.BAT", scratch.Path() / "outside.txt",
                  scratch.Path() / "nowhere.txt"};
    WriteBytes(w.outside, "VICTIM");
    c.before(w);
    const Ran ran = RunCli("inner-circle --diameter 100 --start 10 --write", root.string());

    EXPECT_EQ(ran.exitCode, c.exitCode) << ran.err;
    EXPECT_EQ(ReadBytes(w.outside), "VICTIM");
    EXPECT_FALSE(fs::exists(fs::symlink_status(w.nowhere)));
    if (c.written) {
      EXPECT_EQ(ran.err, "");
      EXPECT_EQ(ReadBytes(w.programFile), program);
      EXPECT_EQ(ReadBytes(w.launcherFile), launcher);
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(w.programFile)));
      EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(w.launcherFile)));
    } else {
      EXPECT_EQ(ran.out, "");
      EXPECT_EQ(ran.err,
                std::string(msg::kCannotWrite) + ": " + (root / c.failedFile).string() + ": " + c.message + "\n");
      // The file that was not a folder holds what it held.
      const auto& file = fs::is_directory(w.programFile) ? w.launcherFile : w.programFile;
      EXPECT_EQ(ReadBytes(file), file == w.programFile ? "earlier program" : "earlier launcher");
      EXPECT_TRUE(fs::is_directory(file == w.programFile ? w.launcherFile : w.programFile));
    }
    std::size_t names = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(root)) ++names;
    EXPECT_EQ(names, 3u) << "something staged was left in the root beside the two files and the runs' lock";
  }
}

TEST(Cli, WriteIntoARootThatIsALinkToAFolder) {
  TempRoot scratch;
  const auto folder = scratch.Path() / "folder";
  std::filesystem::create_directory(folder);
  std::filesystem::create_directory_symlink(folder, scratch.Path() / "root");
  const Ran ran = RunCli("inner-circle --diameter 100 --start 10 --write", (scratch.Path() / "root").string());
  ASSERT_EQ(ran.exitCode, 0) << ran.err;
  EXPECT_EQ(ReadBytes(folder / "ALANTEMIZLEME.TXT"), ran.out + "\r\n");
  EXPECT_EQ(ReadBytes(folder / "A.BAT"), test_support::kLauncherBytes);
  EXPECT_TRUE(std::filesystem::is_symlink(scratch.Path() / "root"));
}

// A real full file system: a 64 kB tmpfs, mounted in a mount namespace of the test's own (unshare
// maps the user to root there, so no privilege is needed), holding the earlier files and filled
// up. The launcher cannot be written, and the earlier program must survive.
TEST(Cli, AFullFileSystemLeavesBothEarlierFiles) {
  ASSERT_EQ(std::system("command -v unshare >/dev/null"), 0) << "this test needs unshare (util-linux)";
  TempRoot scratch;
  const auto mountPoint = scratch.Path() / "root";
  const auto kept = scratch.Path() / "kept";
  std::filesystem::create_directories(mountPoint);
  std::filesystem::create_directories(kept);
  const std::string script =
      "mount -t tmpfs -o size=64k tmpfs \"$0\" || exit 99; cd \"$0\";"
      "printf \"earlier program\" > ALANTEMIZLEME.TXT; printf \"earlier launcher\" > A.BAT;"
      "head -c 1048576 /dev/zero > fill 2>/dev/null;"
      "TALVO_ROOT=\"$0\" \"$1\" inner-circle --diameter 100 --start 10 --write >\"$2/out\" 2>\"$2/err\";"
      "echo $? > \"$2/status\"; cp ALANTEMIZLEME.TXT A.BAT \"$2/\"; ls -A > \"$2/names\"";
  const std::string command =
      "unshare -rm sh -c '" + script + "' '" + mountPoint.string() + "' '" TALVO_GCODE "' '" + kept.string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << "could not mount a small tmpfs in a namespace of its own";
  EXPECT_EQ(ReadBytes(kept / "status"), "1\n");
  EXPECT_EQ(ReadBytes(kept / "out"), "");
  EXPECT_EQ(ReadBytes(kept / "err"),
            std::string(msg::kCannotWrite) + ": " + (mountPoint / "A.BAT").string() + ": No space left on device\n");
  EXPECT_EQ(ReadBytes(kept / "ALANTEMIZLEME.TXT"), "earlier program");
  EXPECT_EQ(ReadBytes(kept / "A.BAT"), "earlier launcher");
  EXPECT_EQ(ReadBytes(kept / "names"), ".talvo-zavodo.lock\nA.BAT\nALANTEMIZLEME.TXT\nfill\n");
}

TEST(Cli, RefusalsAndFailuresExitOneWithTheMessage) {
  TempRoot root;
  const struct {
    std::string args;
    std::string root;
    std::string message;
  } cases[] = {
      {"inner-circle --start 10", root.Path().string(), msg::kZeroRefused},
      {"outer-rectangle --size-x 10 --size-y 10 --flame ''", root.Path().string(), msg::kZeroRefused},
      {"outer-circle --diameter 1E400", root.Path().string(), msg::kTooBig},
      // A number no controller reads is refused, not written with 300 digits.
      {"outer-circle --diameter 1e300 --start 5", root.Path().string(), msg::kTooBig},
      {"inner-rectangle --size-x 10 --size-y 10 --feed 2e9", root.Path().string(), msg::kTooBig},
      {"inner-circle --diameter 100 --write", (root.Path() / "missing").string(), msg::kCannotWrite},
  };
  for (const auto& c : cases) {
    const Ran ran = RunCli(c.args, c.root);
    EXPECT_EQ(ran.exitCode, 1) << c.args;
    EXPECT_EQ(ran.out, "") << c.args;
    EXPECT_THAT(ran.err, ::testing::StartsWith(c.message)) << c.args;
  }
}

// Both files are written, but a script reading the program from standard output gets nothing:
// that is a failure, and it is said.
TEST(Cli, AnOutputThatCannotBeWrittenFailsWithItsReason) {
  TempRoot root;
  const Ran ran = RunCli("inner-circle --diameter 100 --start 10 --write >/dev/full", root.Path().string());
  EXPECT_EQ(ran.exitCode, 1);
  EXPECT_EQ(ran.err, "talvo-gcode: standard output: No space left on device\n");
  EXPECT_THAT(ReadBytes(root.Path() / "ALANTEMIZLEME.TXT"), ::testing::StartsWith("G0X0Y0\r\n"));
}

TEST(Cli, UsageErrorsExitTwoAndHelpExplains) {
  TempRoot root;
  for (const char* args : {"", "square", "inner-circle --radius 5", "inner-circle --size-x 5",
                           "inner-circle outer-circle", "inner-circle --feed"}) {
    const Ran ran = RunCli(args, root.Path().string());
    EXPECT_EQ(ran.exitCode, 2) << args;
    EXPECT_THAT(ran.err, ::testing::HasSubstr("usage: talvo-gcode KIND")) << args;
  }
  const Ran help = RunCli("--help", root.Path().string());
  EXPECT_EQ(help.exitCode, 0);
  for (const char* word : {"inner-rectangle", "--size-y", "TALVO_ROOT", "ALANTEMIZLEME.TXT", "A.BAT"}) {
    EXPECT_THAT(help.out, ::testing::HasSubstr(word));
  }
}

}  // namespace
}  // namespace talvo
