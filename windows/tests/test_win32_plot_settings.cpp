// SPDX-License-Identifier: MIT
// talvo-plot.exe's settings strip in-process: the values kept in the registry, checked at start
// as the Linux viewer checks its own, typed values taken only when valid, and kept for the next
// window.
#include "win32_plot_windows_h.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "job_summary.h"
#include "setting_limits.h"
#include "short_number.h"
#include "text_conversion.h"
#include "win32_plot_kept_settings.h"
#include "win32_plot_window.h"
#include "window_texts.h"

namespace talvo::plot {
namespace {

namespace fs = std::filesystem;

void Keep(const char* name, const std::string& text) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kKeptSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::wstring wideName = win::Wide(name), wideText = win::Wide(text);
  RegSetValueExW(key, wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wideText.c_str()),
                 static_cast<DWORD>((wideText.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

class PlotSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kKeptSettingsKey);
    file_ = fs::temp_directory_path() / L"talvo-plot-settings-test.nc";
    std::ofstream(file_, std::ios::binary) << "G0X0Y0\r\nG0X10Y10\r\nG1X20F300\r\nG1Y20\r\nM30\r\n";
  }
  void TearDown() override {
    fs::remove(file_);
    RegDeleteTreeW(HKEY_CURRENT_USER, kKeptSettingsKey);
  }
  std::unique_ptr<PlotWindow> Open() const { return std::make_unique<PlotWindow>(file_, KeptPlotSettings::Load()); }
  static std::wstring Summary(const PlotWindow& window) {
    std::wstring text;
    for (const wchar_t c : win::Wide(JobSummaryText(window.Plot().program, window.Settings().job)))
      text += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    return text;
  }
  static void Type(PlotWindow& window, HWND box, const wchar_t* text) {
    SetWindowTextW(box, text);
    SendMessageW(window.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), EN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(box));
  }

  fs::path file_;
};

TEST_F(PlotSettingsTest, AKeptValueIsUsedOnlyWhenItsSettingMayTakeItAndOtherwiseNoted) {
  struct Case {
    const SettingLimits* limits;
    const char* kept;
    double used;
    bool noted;
  };
  const Case cases[] = {{&kRapidRateLimits, "5000", 5000, false}, {&kRapidRateLimits, "0", 10000, true},
                        {&kPierceDelayLimits, "0", 0, false},     {&kPierceDelayLimits, "-1", 0.5, true},
                        {&kSheetXLimits, "abc", 3000, true},      {&kKerfLimits, "inf", 1.5, true},
                        {&kSheetOriginYLimits, " 25 ", 25, false}};
  for (const Case& c : cases) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kKeptSettingsKey);
    Keep(c.limits->key, c.kept);
    const auto window = Open();
    const KeptPlotSettings& used = window->Settings();
    const double values[] = {used.job.rapidRate, used.job.pierceDelay, used.job.sheetX, used.kerf,
                             used.job.sheetOriginY};
    const SettingLimits* order[] = {&kRapidRateLimits, &kPierceDelayLimits, &kSheetXLimits, &kKerfLimits,
                                    &kSheetOriginYLimits};
    for (std::size_t i = 0; i < std::size(order); ++i)
      if (order[i] == c.limits) {
        EXPECT_EQ(values[i], c.used) << c.kept;
      }
    const std::wstring note = win::Wide(IgnoredSettingNote(c.limits->name, c.kept, ShortNumber(c.used)));
    EXPECT_EQ(window->SideText().find(note) != std::wstring::npos, c.noted) << c.kept;
    EXPECT_EQ(used.ignored.size(), c.noted ? 1U : 0U) << c.kept;
    EXPECT_NE(window->SideText().find(Summary(*window)), std::wstring::npos) << c.kept;
  }
}

TEST_F(PlotSettingsTest, AValidTypedValueIsTakenAtOnceAndKeptAndAnInvalidOneIsNot) {
  auto window = Open();
  HWND rapid = window->SettingsBar().Box(kRapidRateLimits);
  const std::wstring before = window->SideText();
  Type(*window, rapid, L"10");
  EXPECT_EQ(window->Settings().job.rapidRate, 10);
  EXPECT_NE(window->SideText(), before);
  EXPECT_NE(window->SideText().find(Summary(*window)), std::wstring::npos);
  for (const wchar_t* invalid : {L"-5", L"0", L"abc", L"inf", L""}) {
    const std::wstring shown = window->SideText();
    Type(*window, rapid, invalid);
    EXPECT_EQ(window->Settings().job.rapidRate, 10) << invalid;
    EXPECT_EQ(window->SideText(), shown) << invalid;
    EXPECT_EQ(TextOf(rapid), L"10") << invalid;
  }
  Type(*window, window->SettingsBar().Box(kSheetXLimits), L"1000");
  EXPECT_EQ(window->Canvas().Extras().job.sheetX, 1000);
  HWND showKerf = window->SettingsBar().ShowKerf();
  SendMessageW(showKerf, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(showKerf), BN_CLICKED),
               reinterpret_cast<LPARAM>(showKerf));
  EXPECT_EQ(window->Canvas().Extras().kerf, 1.5);
  window.reset();
  const auto again = Open();
  EXPECT_EQ(again->Settings().job.rapidRate, 10);
  EXPECT_EQ(again->Settings().job.sheetX, 1000);
  EXPECT_TRUE(again->Settings().showKerf);
  EXPECT_EQ(TextOf(again->SettingsBar().Box(kRapidRateLimits)), L"10");
  EXPECT_TRUE(again->Settings().ignored.empty());
}

TEST_F(PlotSettingsTest, TheKerfKeyTurnsTheKeptSwitchAndKeysTypedIntoABoxStayThere) {
  const auto window = Open();
  ShowWindow(window->Handle(), SW_SHOWNORMAL);
  HWND showKerf = window->SettingsBar().ShowKerf();
  MSG key{window->Handle(), WM_KEYDOWN, 'K', 0, 0, {}};
  for (const bool on : {true, false}) {
    SetFocus(window->Canvas().Handle());
    EXPECT_TRUE(window->PictureKey(key));
    EXPECT_EQ(window->Settings().showKerf, on);
    EXPECT_EQ(SendMessageW(showKerf, BM_GETCHECK, 0, 0), on ? BST_CHECKED : BST_UNCHECKED);
    EXPECT_EQ(window->Canvas().Extras().kerf, on ? 1.5 : 0);
    EXPECT_EQ(KeptPlotSettings::Load().showKerf, on);
  }
  SetFocus(window->SettingsBar().Box(kRapidRateLimits));
  for (const WPARAM typed : {WPARAM{'K'}, WPARAM{VK_SUBTRACT}, WPARAM{VK_LEFT}}) {
    key.wParam = typed;
    EXPECT_FALSE(window->PictureKey(key)) << typed;
  }
  EXPECT_FALSE(window->Settings().showKerf);
}

TEST_F(PlotSettingsTest, TheCommandLineWinsOverTheKeptRapidRateAndPierceDelayOnlyWhereItGivesThem) {
  Keep(kRapidRateLimits.key, "5000");
  Keep(kPierceDelayLimits.key, "2");
  const KeptPlotSettings given = SettingsForRun(ReadPlotCommandLine({"a.nc", "--rapid-rate", "777"}));
  EXPECT_EQ(given.job.rapidRate, 777);
  EXPECT_EQ(given.job.pierceDelay, 2);
  const KeptPlotSettings kept = SettingsForRun(ReadPlotCommandLine({"a.nc"}));
  EXPECT_EQ(kept.job.rapidRate, 5000);
  EXPECT_EQ(kept.job.pierceDelay, 2);
}

}  // namespace
}  // namespace talvo::plot
