// SPDX-License-Identifier: MIT
// talvo-gcode as a script sees it: standard output, standard error, exit status and files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>

#include "messages.h"
#include "temp_root.h"

namespace talvo {
namespace {

using test_support::ReadBytes;
using test_support::TempRoot;

struct Ran {
  int exitCode;
  std::string out;
  std::string err;
};

Ran RunCli(const std::string& args, const std::string& root) {
  TempRoot scratch;
  const auto errFile = scratch.Path() / "stderr";
  const std::string command = "TALVO_ROOT='" + root + "' '" TALVO_GCODE "' " + args + " 2>'" + errFile.string() + "'";
  Ran ran{-1, {}, {}};
  FILE* pipe = popen(command.c_str(), "r");
  std::array<char, 4096> buffer{};
  for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) ran.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  ran.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  ran.err = ReadBytes(errFile);
  return ran;
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
      {"inner-circle --diameter 100 --write", (root.Path() / "missing").string(), msg::kCannotWrite},
  };
  for (const auto& c : cases) {
    const Ran ran = RunCli(c.args, c.root);
    EXPECT_EQ(ran.exitCode, 1) << c.args;
    EXPECT_EQ(ran.out, "") << c.args;
    EXPECT_THAT(ran.err, ::testing::StartsWith(c.message)) << c.args;
  }
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
