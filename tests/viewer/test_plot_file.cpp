// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "plot_messages.h"
#include "program_file.h"
#include "temp_root.h"

namespace talvo::plot {
namespace {

namespace fs = std::filesystem;

class PlotFile : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& content) {
    const fs::path path = dir_ / name;
    test_support::WriteBytes(path, content);
    return path.string();
  }
  test_support::TempRoot scratch_;
  const fs::path& dir_ = scratch_.Path();
};

TEST_F(PlotFile, RefusesFilesThatAreNoProgram) {
  struct Case {
    const char* name;
    std::string content;
    const char* problem;
  };
  const Case cases[] = {
      {"empty.nc", "", msg::kFileEmpty},
      {"blank.nc", " \r\n\t\n", msg::kFileEmpty},
      {"binary.nc",
       std::string("G0X1\n\x7f"
                   "ELF\0\0\x01\x02",
                   12),
       msg::kFileBinary},
  };
  for (const Case& c : cases) {
    const ProgramFile file = LoadProgramFile(Write(c.name, c.content));
    EXPECT_EQ(file.problem, c.problem) << c.name;
    EXPECT_TRUE(file.text.empty()) << c.name;
  }
  EXPECT_EQ(LoadProgramFile((dir_ / "missing.nc").string()).problem, msg::kFileMissing);
  EXPECT_EQ(LoadProgramFile(dir_.string()).problem, msg::kFileUnreadable);
}

TEST_F(PlotFile, RefusesAHundredMegabyteFileBeforeReadingIt) {
  const std::string path = Write("big.nc", "G0X1\n");
  fs::resize_file(path, std::uintmax_t{100} * 1024 * 1024);  // sparse: costs no disk
  EXPECT_EQ(LoadProgramFile(path).problem, msg::kFileTooBig);
}

TEST_F(PlotFile, ReadsAProgramByteForByte) {
  const std::string text = "G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n";
  const ProgramFile file = LoadProgramFile(Write("ok.nc", text));
  EXPECT_EQ(file.problem, "");
  EXPECT_EQ(file.text, text);
}

}  // namespace
}  // namespace talvo::plot
