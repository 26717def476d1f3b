// SPDX-License-Identifier: MIT
// The Win32 program in-process: the menu's and every cut screen's layout, texts, tooltips and
// keyboard order read back through Win32 calls.
#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "screen_tables.h"
#include "win32_program_fixture.h"

namespace talvo::win {
namespace {

using test_support::InParent;
using test_support::kTitle;
using test_support::Screens;
using test_support::Win32ProgramTest;

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

TEST_F(Win32ProgramTest, Form8FieldsLieAboveTheIllustration) {
  ClickPicture("DORTGENHAVZ");
  for (const char* field : {"Text4", "Text5", "Text6"}) {
    RECT r = InParent(Control(field));
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EXPECT_EQ(ChildWindowFromPointEx(Screen().Handle(), centre, CWP_SKIPINVISIBLE), Control(field)) << field;
  }
}

}  // namespace
}  // namespace talvo::win
