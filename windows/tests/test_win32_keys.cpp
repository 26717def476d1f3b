// SPDX-License-Identifier: MIT
// The Win32 program in-process: what the keys do in fields, on buttons and on pictures.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "win32_program_fixture.h"

namespace talvo::win {
namespace {

using test_support::BoxAnswerer;
using test_support::Screens;
using test_support::Win32ProgramTest;

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

}  // namespace
}  // namespace talvo::win
