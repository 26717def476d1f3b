// SPDX-License-Identifier: MIT
// The Win32 program in-process: runs driven with window messages and their output checked byte
// for byte against the Linux program's; the switch and when the program ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "disk_files.h"
#include "launcher_bytes.h"
#include "launcher_starter.h"
#include "viewer_choice.h"
#include "win32_program_fixture.h"

namespace talvo::win {
namespace {

namespace fs = std::filesystem;
using test_support::BoxAnswerer;
using test_support::FileBytes;
using test_support::kTitle;
using test_support::Screens;
using test_support::Win32ProgramTest;

// What the Linux build shows and writes for a hole of 100 with start distance 10, flame 4 and
// feed 300 (talvo-gcode inner-circle --diameter 100 --start 10 --write).
constexpr const char* kInnerCircleShown = "G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n";
constexpr const char* kInnerCircleFile = "G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n\r\n";
// talvo-gcode outer-rectangle --size-x 120.1234 --size-y 60 --start 8 --flame 3 --feed 450.
constexpr const char* kOuterRectangleShown =
    "G0X60.0617Y-8\r\nG1Y-1.5F450\r\nG1X121.6234\r\nG1Y61.5\r\nG1X-1.5\r\nG1Y-1.5\r\nG1X60.0617\r\n"
    "M30\r\n%\r\n";

TEST_F(Win32ProgramTest, InnerCircleRunShowsAndWritesWhatLinuxWrites) {
  ClickPicture("ICCAP");
  Type("Text2", L"100");
  Type("Text3", L"10");
  Type("Text1", L"typed by hand");
  BoxAnswerer boxes;
  Click("KOD");
  EXPECT_TRUE(boxes.Seen().empty());
  EXPECT_EQ(Text("Text1"), kInnerCircleShown);
  EXPECT_EQ(FileBytes(root_ / "ALANTEMIZLEME.TXT"), kInnerCircleFile);
  EXPECT_EQ(FileBytes(root_ / "A.BAT"), talvo::test_support::kLauncherBytes);
  ASSERT_EQ(starter_.started.size(), 1u);
  EXPECT_EQ(starter_.started[0].launcherFile, root_ / "A.BAT");
}

TEST_F(Win32ProgramTest, EnterOnTheFocusedButtonRunsTheOuterRectangle) {
  ClickPicture("KAREDIS");
  Type("Text3", L"120.1234");
  Type("Text2", L"60");
  Type("Text4", L"8");
  Type("Text5", L"3");
  Type("Text6", L"450");
  SetFocus(Control("KOD"));
  Key(VK_RETURN);
  EXPECT_EQ(Text("Text1"), kOuterRectangleShown);
  EXPECT_EQ(FileBytes(root_ / "ALANTEMIZLEME.TXT"), std::string(kOuterRectangleShown) + "\r\n");
}

TEST_F(Win32ProgramTest, RefusalLeavesTheBoxAndTouchesNoFile) {
  ClickPicture("ICCAP");
  Type("Text3", L"10");
  Type("Text1", L"kept");
  BoxAnswerer boxes;
  Click("KOD");
  const auto seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].title, kTitle);
  EXPECT_EQ(seen[0].text, L"DAİRENİN ÇAPI 0 OLAMAZ");
  EXPECT_EQ(seen[0].buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_EQ(Text("Text1"), "kept");
  EXPECT_EQ(FileBytes(root_ / "ALANTEMIZLEME.TXT"), "(missing)");
  EXPECT_EQ(FileBytes(root_ / "A.BAT"), "(missing)");
  EXPECT_TRUE(starter_.started.empty());
}

TEST_F(Win32ProgramTest, ProgramFileThatIsAFolderFailsWithAMessage) {
  fs::create_directories(root_ / "ALANTEMIZLEME.TXT");
  ClickPicture("DISCAP");
  Type("Text2", L"50");
  Type("Text3", L"5");
  BoxAnswerer boxes;
  Click("KOD");
  const auto seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].title, kTitle);
  EXPECT_EQ(seen[0].text.rfind(L"DOSYA YAZILAMADI", 0), 0u) << Utf8(seen[0].text);
  EXPECT_EQ(seen[0].buttons, std::vector<std::wstring>{L"OK"});
  EXPECT_TRUE(starter_.started.empty());
  // As on Linux, the run stops at the failed step and leaves no launcher behind.
  EXPECT_EQ(FileBytes(root_ / "A.BAT"), "(missing)");
}

TEST_F(Win32ProgramTest, SwitchKeepsOneScreenAndReopensItFresh) {
  ClickPicture("DORTGENHAVZ");
  ASSERT_EQ(Screens().size(), 1u);
  EXPECT_EQ(Screen().Description().name, "Form8");
  Type("Text2", L"77");
  Type("Text5", L"9");
  Type("Text1", L"x");
  EXPECT_FALSE(Click("ANAMENU"));
  ASSERT_EQ(Screens().size(), 1u);
  EXPECT_EQ(Screen().Description().name, "Form1");
  EXPECT_EQ(GetFocus(), Control("Command1"));
  ClickPicture("DORTGENHAVZ");
  ASSERT_EQ(Screens().size(), 1u);
  EXPECT_EQ(Text("Text2"), "");
  EXPECT_EQ(Text("Text5"), "4");
  EXPECT_EQ(Text("Text6"), "300");
  EXPECT_EQ(Text("Text1"), "");
}

TEST_F(Win32ProgramTest, ExitEndsTheProgram) {
  EXPECT_TRUE(Click("Command1"));
  EXPECT_EQ(Screens().size(), 0u);
  EXPECT_EQ(program_->Current(), nullptr);
}

TEST_F(Win32ProgramTest, ClosingACutScreenEndsTheProgram) {
  ClickPicture("ICCAP");
  SendMessageW(Screen().Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(Pump());
  EXPECT_EQ(Screens().size(), 0u);
  EXPECT_EQ(program_->Current(), nullptr);
}

// The command interpreter runs the launcher in the root folder, whatever the program's own
// current folder: the batch file's folder changes work on the root's drive.
TEST(LauncherStartTest, BatchRunsInTheRootFolder) {
  const fs::path root = L"C:\\";
  const fs::path marker = root / "talvo-start-folder.txt";
  fs::remove(marker);
  ASSERT_TRUE(SetCurrentDirectoryW(L"Z:\\tmp")) << "the test runs on Wine's drive Z:";
  DiskFiles files;
  const RunPaths paths = RunPaths::InRoot(root);
  fs::remove(paths.launcherFile);
  ASSERT_EQ(files.WriteNew(paths.launcherFile, "@cd > C:\\talvo-start-folder.txt\r\n"), std::nullopt);
  // The batch runs when the outside viewer is where it looks; any file there will do.
  const fs::path outsideViewer = platform::OutsideViewerPath(root);
  fs::create_directories(outsideViewer.parent_path());
  ASSERT_EQ(files.WriteNew(outsideViewer, ""), std::nullopt);
  const auto starter = platform::MakeLauncherStarter();
  ASSERT_EQ(starter->Start(paths), std::nullopt);
  for (int i = 0; i < 200 && FileBytes(marker).find('\n') == std::string::npos; ++i) Sleep(50);
  EXPECT_EQ(FileBytes(marker), "C:\\\r\n");
}

}  // namespace
}  // namespace talvo::win
