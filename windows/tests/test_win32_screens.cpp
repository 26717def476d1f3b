// SPDX-License-Identifier: MIT
// The Win32 program in-process: every screen's layout, texts, tooltips and keyboard order read
// back through Win32 calls; runs driven with window messages and their output checked byte for
// byte against the Linux program's; the switch and when the program ends.
#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "disk_files.h"
#include "launcher_bytes.h"
#include "launcher_starter.h"
#include "program.h"
#include "recording_starter.h"
#include "screen_tables.h"
#include "text_conversion.h"
#include "viewer_choice.h"
#include "win32_screen_window.h"
#include "win32_test_support.h"

namespace talvo::win {
namespace {

namespace fs = std::filesystem;
using test_support::BoxAnswerer;
using test_support::FileBytes;
using test_support::Pump;
using test_support::Screens;

constexpr const wchar_t* kTitle = L"TALVO-ZAVODO V1.0";

// What the Linux build shows and writes for a hole of 100 with start distance 10, flame 4 and
// feed 300 (talvo-gcode inner-circle --diameter 100 --start 10 --write).
constexpr const char* kInnerCircleShown = "G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n";
constexpr const char* kInnerCircleFile = "G0X0Y0\r\nG0Y-38\r\nG1Y-48F300\r\nG2J48F300\r\nM30\r\n%\r\n\r\n";
// talvo-gcode outer-rectangle --size-x 120.1234 --size-y 60 --start 8 --flame 3 --feed 450.
constexpr const char* kOuterRectangleShown =
    "G0X60.0617Y-8\r\nG1Y-1.5F450\r\nG1X121.6234\r\nG1Y61.5\r\nG1X-1.5\r\nG1Y-1.5\r\nG1X60.0617\r\n"
    "M30\r\n%\r\n";

class Win32ProgramTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root_ = fs::path(temp) / ("talvo-" + std::to_string(GetCurrentProcessId()) + "-" +
                              testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    program_ = std::make_unique<Program>(screens::RunServices{root_, &files_, &starter_});
    program_->Start();
    Pump();
  }
  void TearDown() override {
    program_.reset();
    Pump();
    fs::remove_all(root_);
  }

  bool Pump() { return program_ ? test_support::Pump(*program_) : false; }
  Win32ScreenWindow& Screen() { return *program_->Current(); }
  HWND Control(const char* name) { return Screen().Control(name); }

  std::string Name(HWND control) {
    for (const auto& c : Screen().Description().controls)
      if (Screen().Control(c.name) == control) return std::string(c.name);
    return "(none)";
  }

  void ClickPicture(const char* name) {
    HWND picture = Control(name);
    ASSERT_NE(picture, nullptr) << name;
    SendMessageW(picture, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    SendMessageW(picture, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    Pump();
  }
  bool Click(const char* name) {
    SendMessageW(Control(name), BM_CLICK, 0, 0);
    return Pump();
  }
  void Type(const char* name, const std::wstring& text) { SetWindowTextW(Control(name), text.c_str()); }
  std::string Text(const char* name) { return Utf8(WindowText(Control(name))); }

  bool Key(WPARAM key) {
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_CHAR, key == VK_TAB ? L'\t' : key == VK_RETURN ? L'\r' : static_cast<wchar_t>(key), 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    return Pump();
  }

  /// A click into the control near its right end: the caret goes there and nothing is selected.
  void ClickAtEnd(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 3, 8));
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(r.right - 3, 8));
    Pump();
  }
  /// Ctrl+A as the keyboard gives it: the key state says Ctrl is down while the loop handles the
  /// key, so the loop's own TranslateMessage turns whatever is not taken into its character.
  void CtrlA() {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(GetFocus(), WM_KEYDOWN, 'A', 1);
    Pump();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    PostMessageW(GetFocus(), WM_KEYUP, 'A', 0xC0000001);
    Pump();
  }
  void TypeCharacters(const std::wstring& text) {
    for (wchar_t c : text) PostMessageW(GetFocus(), WM_CHAR, c, 1);
    Pump();
  }
  std::pair<DWORD, DWORD> Selection(HWND control) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  fs::path root_;
  DiskFiles files_;
  talvo::test_support::RecordingStarter starter_;
  std::unique_ptr<Program> program_;
};

RECT InParent(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(Win32ProgramTest, MenuIsBuiltFromItsTable) {
  ASSERT_EQ(Screens().size(), 1u);
  EXPECT_EQ(WindowText(Screen().Handle()), kTitle);
  RECT client;
  GetClientRect(Screen().Handle(), &client);
  EXPECT_EQ(client.right, 709);
  EXPECT_EQ(client.bottom, 258);
  EXPECT_EQ(WindowText(Control("Command1")), L"ÇIKIŞ");
  EXPECT_EQ(GetFocus(), Control("Command1"));
  EXPECT_NE(GetClassLongPtrW(Screen().Handle(), GCLP_HICON), 0);
  EXPECT_EQ(GetWindowLongPtrW(Screen().Handle(), GWL_STYLE) & WS_THICKFRAME, 0);
  // Picture buttons: the bitmap plus the 2-pixel sunken border on each side.
  const struct {
    const char* name;
    int left, top, width, height;
  } pictures[] = {{"ICCAP", 8, 8, 162, 195},
                  {"DISCAP", 184, 8, 165, 196},
                  {"DORTGENHAVZ", 360, 8, 165, 195},
                  {"KAREDIS", 536, 8, 166, 197},
                  {"Command1", 272, 216, 161, 33}};
  for (const auto& p : pictures) {
    const RECT r = InParent(Control(p.name));
    EXPECT_EQ(r.left, p.left) << p.name;
    EXPECT_EQ(r.top, p.top) << p.name;
    EXPECT_EQ(r.right - r.left, p.width) << p.name;
    EXPECT_EQ(r.bottom - r.top, p.height) << p.name;
  }
  EXPECT_EQ(GetWindowLongPtrW(Control("ICCAP"), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, WS_EX_CLIENTEDGE);
}

TEST_F(Win32ProgramTest, MenuTabVisitsExitThenThePictures) {
  std::vector<std::string> visited{Name(GetFocus())};
  for (int i = 0; i < 5; ++i) {
    Key(VK_TAB);
    visited.push_back(Name(GetFocus()));
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"Command1", "ICCAP", "DISCAP", "DORTGENHAVZ", "KAREDIS", "Command1"}));
}

TEST_F(Win32ProgramTest, MenuOpensCentred) {
  RECT frame;
  GetWindowRect(Screen().Handle(), &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(Screen().Handle(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  EXPECT_NEAR((frame.left + frame.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2, 1);
  EXPECT_NEAR((frame.top + frame.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 1);
}

struct ScreenCase {
  const char* picture;
  const char* screen;
  const wchar_t* caption;
  int clientWidth, clientHeight;
  const char* firstFocus;
  std::vector<std::string> tabOrder;
  std::vector<std::pair<std::string, std::wstring>> tooltips;  ///< field, tooltip ("" none)
};

class CutScreenTest : public Win32ProgramTest, public testing::WithParamInterface<ScreenCase> {};

TEST_P(CutScreenTest, IsBuiltFromItsTable) {
  const ScreenCase& c = GetParam();
  ClickPicture(c.picture);
  ASSERT_EQ(Screens().size(), 1u);
  EXPECT_EQ(Screen().Description().name, c.screen);
  EXPECT_EQ(WindowText(Screen().Handle()), c.caption);
  RECT client;
  GetClientRect(Screen().Handle(), &client);
  EXPECT_EQ(client.right, c.clientWidth);
  EXPECT_EQ(client.bottom, c.clientHeight);

  for (const auto& d : Screen().Description().controls) {
    HWND control = Control(std::string(d.name).c_str());
    ASSERT_NE(control, nullptr) << d.name;
    // A picture area's children sit inside its 2-pixel border, which its client area excludes.
    const RECT r = InParent(control);
    EXPECT_EQ(r.left, screens::ToPixels(d.rect.left)) << d.name;
    EXPECT_EQ(r.top, screens::ToPixels(d.rect.top)) << d.name;
    EXPECT_EQ(r.right - r.left, screens::ToPixels(d.rect.width)) << d.name;
    EXPECT_EQ(r.bottom - r.top, screens::ToPixels(d.rect.height)) << d.name;
    EXPECT_EQ(GetParent(control), d.parent.empty() ? Screen().Handle() : Control(std::string(d.parent).c_str()))
        << d.name;
    if (d.kind != screens::ControlKind::IllustrationArea) {
      EXPECT_EQ(Text(std::string(d.name).c_str()), d.text) << d.name;
    }
  }
  const LONG_PTR box = GetWindowLongPtrW(Control("Text1"), GWL_STYLE);
  EXPECT_EQ(box & (ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL),
            ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL);
  EXPECT_EQ(GetFocus(), Control(c.firstFocus));
}

TEST_P(CutScreenTest, TooltipsAreExact) {
  const ScreenCase& c = GetParam();
  ClickPicture(c.picture);
  HWND tooltip = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) {
        if (test_support::ClassOf(window) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(found) = window;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&tooltip));
  ASSERT_NE(tooltip, nullptr);
  for (const auto& [field, expected] : c.tooltips) {
    HWND control = Control(field.c_str());
    wchar_t text[128] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    const bool known = SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    EXPECT_EQ(known, !expected.empty()) << field;
    if (!known) continue;
    tool.lpszText = text;
    SendMessageW(tooltip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::wstring(text), expected) << field;
  }
}

TEST_P(CutScreenTest, TabFollowsTheTabIndexes) {
  const ScreenCase& c = GetParam();
  ClickPicture(c.picture);
  std::vector<std::string> visited{Name(GetFocus())};
  for (std::size_t i = 1; i <= c.tabOrder.size(); ++i) {
    Key(VK_TAB);
    visited.push_back(Name(GetFocus()));
  }
  std::vector<std::string> expected = c.tabOrder;
  expected.push_back(c.tabOrder.front());  // and round again
  EXPECT_EQ(visited, expected);
  // Tab leaves the output box instead of typing into it.
  SetFocus(Control("Text1"));
  Key(VK_TAB);
  EXPECT_EQ(Text("Text1"), "");
  EXPECT_NE(GetFocus(), Control("Text1"));
}

INSTANTIATE_TEST_SUITE_P(
    EveryCutScreen, CutScreenTest,
    testing::Values(ScreenCase{"ICCAP",
                               "Form4",
                               L"İÇ ÇAP KESİMİ",
                               986,
                               441,
                               "Text1",
                               {"Text1", "KOD", "ANAMENU", "Picture1", "Text4", "Text2", "Text3", "Text5"},
                               {{"Text2", L"DELİK ÇAPI"},
                                {"Text3", L"BAŞLAMA MESAFESİ"},
                                {"Text4", L"ALEV ÇAPI"},
                                {"Text5", L"İLERLEME"}}},
                    ScreenCase{"DISCAP",
                               "Form11",
                               L"DIŞ ÇAP KESİMİ",
                               986,
                               441,
                               "KOD",
                               {"KOD", "ANAMENU", "Text1", "Picture1", "Text5", "Text2", "Text4", "Text3"},
                               {{"Text2", L"DAİRE ÇAPI"},
                                {"Text3", L"BAŞLAMA MESAFESİ"},
                                {"Text4", L"ALEV ÇAPI"},
                                {"Text5", L"İLERLEME"}}},
                    ScreenCase{"DORTGENHAVZ",
                               "Form8",
                               L"İÇ DÖRT KÖŞE KESİMİ",
                               985,
                               441,
                               "Text1",
                               {"Text1", "KOD", "ANAMENU", "Picture2", "Text2", "Text3", "Text4", "Text6", "Text5"},
                               {{"Text2", L"DÖRT KÖŞENİN  ENİ"},
                                {"Text3", L"DÖRT KÖŞENİN BOYU"},
                                {"Text4", L"BAŞLAMA MESAFESİ"},
                                {"Text5", L"ALEV ÇAPI"},
                                {"Text6", L"İLERLEME"}}},
                    ScreenCase{"KAREDIS",
                               "Form12",
                               L"DIŞ DÖRT KÖŞE KESİMİ",
                               986,
                               441,
                               "ANAMENU",
                               {"ANAMENU", "KOD", "Text1", "Picture2", "Text2", "Text4", "Text6", "Text3", "Text5"},
                               {{"Text2", L"DÖRTGENİN  BOYU"},
                                {"Text3", L"KABA BOY"},
                                {"Text4", L"BAŞLAMA MESAFESİ"},
                                {"Text5", L"ALEV ÇAPI"},
                                {"Text6", L""}}}),
    [](const auto& info) { return std::string(info.param.screen); });

// Operators retype values: a click into the feed "300", Ctrl+A and 250 leave "250", in every
// field and in the output box alike.
TEST_F(Win32ProgramTest, CtrlASelectsTheWholeTextOfFieldsAndBox) {
  ClickPicture("ICCAP");
  ASSERT_EQ(Text("Text5"), "300");
  Type("Text1", L"G0X0Y0\r\nM30");
  for (const char* name : {"Text2", "Text3", "Text4", "Text5", "Text1"}) {
    HWND control = Control(name);
    if (Text(name).empty()) Type(name, L"12");
    const auto length = static_cast<DWORD>(WindowText(control).size());
    ClickAtEnd(control);
    ASSERT_EQ(GetFocus(), control) << name;
    ASSERT_NE(Selection(control), std::make_pair(DWORD{0}, length)) << name;
    CtrlA();
    EXPECT_EQ(Selection(control), std::make_pair(DWORD{0}, length)) << name;
    TypeCharacters(L"250");
    EXPECT_EQ(Text(name), "250") << name;
  }
}

// Tab into a field still selects its whole text.
TEST_F(Win32ProgramTest, TabIntoAFieldSelectsItsText) {
  ClickPicture("ICCAP");
  Type("Text2", L"100");
  SetFocus(Control("Text4"));
  Key(VK_TAB);
  ASSERT_EQ(GetFocus(), Control("Text2"));
  EXPECT_EQ(Selection(Control("Text2")), std::make_pair(DWORD{0}, DWORD{3}));
}

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

TEST_F(Win32ProgramTest, Form8FieldsLieAboveTheIllustration) {
  ClickPicture("DORTGENHAVZ");
  for (const char* field : {"Text4", "Text5", "Text6"}) {
    RECT r = InParent(Control(field));
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(Screen().Handle(), centre, CWP_SKIPINVISIBLE), Control(field)) << field;
  }
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

TEST_F(Win32ProgramTest, SpaceOnTheFocusedGKodRunsAtOnce) {
  ClickPicture("DISCAP");
  EXPECT_EQ(GetFocus(), Control("KOD"));
  BoxAnswerer boxes;
  Key(VK_SPACE);
  const auto seen = boxes.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, L"DAİRENİN ÇAPI 0 OLAMAZ");
}

TEST_F(Win32ProgramTest, EnterOnForm12GoesBackToTheMenu) {
  ClickPicture("KAREDIS");
  EXPECT_EQ(GetFocus(), Control("ANAMENU"));
  Key(VK_RETURN);
  ASSERT_EQ(Screens().size(), 1u);
  EXPECT_EQ(Screen().Description().name, "Form1");
}

TEST_F(Win32ProgramTest, NoKeyDoesAnythingOnAPictureButton) {
  SetFocus(Control("ICCAP"));
  for (WPARAM key : {WPARAM{VK_SPACE}, WPARAM{VK_RETURN}, WPARAM{'A'}}) EXPECT_FALSE(Key(key));
  ASSERT_EQ(Screens().size(), 1u);
  EXPECT_EQ(Screen().Description().name, "Form1");
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
