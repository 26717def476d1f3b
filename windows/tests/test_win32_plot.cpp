// SPDX-License-Identifier: MIT
// talvo-plot.exe's window driven in-process, its command line, and which viewer a Windows run
// starts.
#include "win32_plot_windows_h.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "generation_run.h"
#include "launcher_starter.h"
#include "messages.h"
#include "plot_command_line.h"
#include "plot_texts.h"
#include "text_conversion.h"
#include "viewer_choice.h"
#include "win32_plot_instance.h"
#include "win32_plot_reader_path.h"
#include "win32_plot_window.h"
#include "window_texts.h"

namespace talvo::plot {
namespace {

namespace fs = std::filesystem;

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

void WriteFile(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

// A rapid, a lead-in and a square on lines 0 to 5; line 6 is refused.
constexpr char kSquare[] = "G0X0Y0\r\nG0X10Y10\r\nG1X20F300\r\nG1Y20\r\nG1X10\r\nG1Y10\r\nG1X[1/0]\r\nM30\r\n";

class PlotWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = fs::temp_directory_path() / L"talvo-plot-test.nc";
    WriteFile(file_, kSquare);
    window_ = std::make_unique<PlotWindow>(file_, KeptPlotSettings{});
    ShowWindow(window_->Handle(), SW_SHOWNORMAL);
    Pump();
  }
  void TearDown() override {
    window_.reset();
    fs::remove(file_);
  }

  fs::path file_;
  std::unique_ptr<PlotWindow> window_;
};

TEST_F(PlotWindowTest, OpensFittedAndFitsAgainAfterZoomAndPanAndTogglesTheKerfBand) {
  PlotCanvas& canvas = window_->Canvas();
  const ViewMapping opened = canvas.View();
  ASSERT_GT(opened.width, 100);
  EXPECT_EQ(opened, ViewMapping::Fit(window_->Plot().program.extents, opened.width, opened.height, kPlotFitMargin));
  canvas.ZoomAbout(10, 10, 2);
  canvas.PanBy(30, -20);
  EXPECT_NE(canvas.View(), opened);
  for (const WPARAM key : {WPARAM{VK_ADD}, WPARAM{VK_SUBTRACT}, WPARAM{VK_LEFT}, WPARAM{VK_DOWN}}) {
    const ViewMapping before = canvas.View();
    EXPECT_TRUE(canvas.Key(key)) << key;
    EXPECT_NE(canvas.View(), before) << key;
  }
  EXPECT_TRUE(canvas.Key('F'));
  EXPECT_EQ(canvas.View(), opened);
  EXPECT_TRUE(canvas.Key('K'));
  EXPECT_GT(canvas.Extras().kerf, 0);
  EXPECT_TRUE(canvas.Key('K'));
  EXPECT_EQ(canvas.Extras().kerf, 0);
  EXPECT_FALSE(canvas.Key('Q'));
}

TEST_F(PlotWindowTest, ALineHighlightsItsMovesAndAMovePicksItsLine) {
  const PlotProgram& program = window_->Plot().program;
  window_->SelectLine(3);
  EXPECT_EQ(window_->SelectedLine(), 3);
  EXPECT_EQ(window_->Highlighted(), program.MovesOfLine(3));
  EXPECT_LT(window_->Highlighted().first, window_->Highlighted().second);

  // The middle of the cut along Y=20 (line 4) on screen.
  const ViewMapping& view = window_->Canvas().View();
  ASSERT_TRUE(window_->SelectNear(static_cast<int>(view.ScreenX(15)), static_cast<int>(view.ScreenY(20))));
  EXPECT_EQ(window_->SelectedLine(), 4);
  EXPECT_EQ(window_->Highlighted(), program.MovesOfLine(4));
  EXPECT_FALSE(window_->SelectNear(2, 2));  // nothing there
  EXPECT_EQ(window_->SelectedLine(), 4);
}

TEST_F(PlotWindowTest, ShowsTheJobSummaryAndTheRefusedLine) {
  std::string summary = JobSummaryText(window_->Plot().program, JobSettings{});
  std::wstring expected;
  for (const wchar_t c : win::Wide(summary)) expected += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
  const std::wstring side = window_->SideText();
  EXPECT_NE(side.find(expected), std::wstring::npos) << win::Utf8(side);
  EXPECT_NE(side.find(L"talvo-plot-test.nc:7:"), std::wstring::npos) << win::Utf8(side);
  EXPECT_NE(side.find(win::Wide(LengthsText(window_->Plot().program))), std::wstring::npos);
}

TEST_F(PlotWindowTest, ReadsTheFileAgainOnceItStopsChanging) {
  EXPECT_FALSE(window_->CheckFile());
  const std::size_t before = window_->Plot().program.moves.size();
  std::string longer = kSquare;
  longer.insert(longer.find("M30"), "G1X0Y0\r\n");
  WriteFile(file_, longer);
  EXPECT_FALSE(window_->CheckFile());  // seen changed once: it may still be written
  EXPECT_TRUE(window_->CheckFile());
  EXPECT_EQ(window_->Plot().program.moves.size(), before + 1);
  EXPECT_FALSE(window_->CheckFile());
}

TEST_F(PlotWindowTest, IsFoundByItsFileInAnySpelling) {
  EXPECT_EQ(FindPlotWindow(file_), window_->Handle());
  std::wstring upper = file_.wstring();
  for (wchar_t& c : upper) c = static_cast<wchar_t>(towupper(c));
  EXPECT_EQ(FindPlotWindow(upper), window_->Handle());
  EXPECT_EQ(FindPlotWindow(file_.parent_path() / L"another.nc"), nullptr);
}

// What a second start on the same file sends the first: read the file again now.
TEST_F(PlotWindowTest, ASecondStartsCallReadsTheFileAgain) {
  const std::size_t before = window_->Plot().program.moves.size();
  std::string longer = kSquare;
  longer.insert(longer.find("M30"), "G1X0Y0\r\n");
  WriteFile(file_, longer);
  PostMessageW(FindPlotWindow(file_), PlotActivateMessage(), 0, 0);
  Pump();
  EXPECT_EQ(window_->Plot().program.moves.size(), before + 1);
}

struct ArgumentsCase {
  std::vector<std::string> arguments;
  int exitCode;
  const char* messageHas;  // for a refusal, a wrong export size included
};

// The refusal the program prints for these arguments, with its exit status: the command line's,
// else a wrong export size's.
std::pair<std::string, int> RefusalOf(const PlotCommandLine& asked) {
  if (asked.ask == PlotCommandLine::Ask::Refused) return {asked.message, asked.exitCode};
  if (asked.ask == PlotCommandLine::Ask::Version) return {PlotVersionText(), 0};
  if (asked.exportTo && !ExportSizeOf(asked.size)) return {std::string(plot_text::kBadSize) + ": " + asked.size, 1};
  return {"", 0};
}

// A large file is read on the worker thread: the window is there at once with its progress bar,
// then shows what reading on the spot gives; one closed mid-read stops its reading.
TEST(PlotWindowReadingTest, ShowsTheProgressThenTheProgramAndStopsWhenClosed) {
  const fs::path file = fs::temp_directory_path() / L"talvo-plot-large.nc";
  std::string text;
  for (int i = 0; text.size() < 2 * PlotReading::kElsewhereFrom; ++i)
    text += "G0X" + std::to_string(i % 500) + "Y" + std::to_string(i % 300) + "\r\nG2I-5J0F900\r\n";
  WriteFile(file, text);
  {
    PlotWindow window(file, KeptPlotSettings{});
    ShowWindow(window.Handle(), SW_SHOWNORMAL);
    // Nothing is handed over before the messages are pumped: the reading is still going on.
    EXPECT_TRUE(window.Busy());
    EXPECT_TRUE(IsWindowVisible(window.ProgressBar()));
    EXPECT_TRUE(window.Plot().program.lineStarts.empty());
    const ULONGLONG until = GetTickCount64() + 60000;
    while (window.Busy() && GetTickCount64() < until) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      Pump();
    }
    ASSERT_FALSE(window.Busy());
    EXPECT_FALSE(IsWindowVisible(window.ProgressBar()));
    const LoadedPlot read = LoadPlot(ReaderPath(file.wstring()));
    EXPECT_EQ(window.Plot().program.moves.size(), read.program.moves.size());
    EXPECT_EQ(window.Plot().program.lineStarts, read.program.lineStarts);
  }
  {
    PlotWindow window(file, KeptPlotSettings{});
    ShowWindow(window.Handle(), SW_SHOWNORMAL);
    EXPECT_TRUE(window.Busy());
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(window.Busy());
  }
  fs::remove(file);
}

TEST(PlotArgumentsTest, ReadsTheCommandLineAsLinuxDoes) {
  const ArgumentsCase cases[] = {
      {{"a.nc"}, 0, ""},
      {{"a.nc", "--export", "o.png", "--size", "320x200"}, 0, ""},
      {{"a.nc", "--summary", "--json", "--rapid-rate=5000", "--pierce-delay", "0"}, 0, ""},
      {{}, 1, "DOSYA VERİLMEDİ"},
      {{"a.nc", "b.nc"}, 1, "DOSYA VERİLMEDİ"},
      {{"a.nc", "--export", "o.png", "--size", "15x200"}, 1, "BOYUT GEÇERSİZ: 15x200"},
      {{"a.nc", "--export", "o.png", "--size", "big"}, 1, "BOYUT GEÇERSİZ: big"},
      // A value a setting cannot take exits 2, as on Linux.
      {{"a.nc", "--rapid-rate", "0"}, 2, "SAYI GEÇERSİZ: 0"},
      {{"a.nc", "--pierce-delay", "-1"}, 2, "SAYI GEÇERSİZ: -1"},
      {{"a.nc", "--frobnicate"}, 1, "frobnicate"},
      {{"a.nc", "--export"}, 1, "--export"},
      {{"--version"}, 0, "talvo-plot 1.0"},
  };
  for (const ArgumentsCase& c : cases) {
    const PlotCommandLine asked = ReadPlotCommandLine(c.arguments);
    const auto [message, exitCode] = RefusalOf(asked);
    const std::string shown = testing::PrintToString(c.arguments);
    EXPECT_EQ(exitCode, c.exitCode) << shown;
    EXPECT_NE(message.find(c.messageHas), std::string::npos) << shown << ": " << message;
    EXPECT_EQ(asked.ask == PlotCommandLine::Ask::Run && message.empty(), c.exitCode == 0 && message.empty()) << shown;
  }
  const PlotCommandLine asked =
      ReadPlotCommandLine({"--summary", "--json", "a.nc", "--rapid-rate=5000", "--pierce-delay", "0.25", "--export",
                           "o.png", "--size", "320X200"});
  ASSERT_EQ(asked.ask, PlotCommandLine::Ask::Run);
  EXPECT_EQ(asked.file, "a.nc");
  EXPECT_TRUE(asked.summary && asked.json);
  EXPECT_EQ(asked.rapidRate, 5000);
  EXPECT_EQ(asked.pierceDelay, 0.25);
  EXPECT_EQ(asked.exportTo, "o.png");
  const auto size = ExportSizeOf(asked.size);
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 320);
  EXPECT_EQ(size->height, 200);
}

TEST(ViewerChoiceTest, TheOutsideViewerFirstThenOurOwn) {
  using platform::ViewerChoice;
  EXPECT_EQ(platform::ChooseViewer(true, true), ViewerChoice::LauncherBatch);
  EXPECT_EQ(platform::ChooseViewer(true, false), ViewerChoice::LauncherBatch);
  EXPECT_EQ(platform::ChooseViewer(false, true), ViewerChoice::OwnViewer);
  EXPECT_EQ(platform::ChooseViewer(false, false), ViewerChoice::None);
  EXPECT_EQ(platform::OutsideViewerPath(L"C:\\"), fs::path(L"C:\\Program Files\\NCPlot v2.05\\NCPlot.exe"));
}

// This test program has no talvo-plot.exe beside it, and the prefix no outside viewer.
TEST(ViewerChoiceTest, WithNeitherViewerTheRunSaysWhy) {
  const RunPaths paths = RunPaths::InRoot(L"C:\\");
  ASSERT_FALSE(fs::exists(platform::OutsideViewerPath(L"C:\\")));
  EXPECT_EQ(platform::MakeLauncherStarter()->Start(paths), std::string(msg::kViewerNotFound));
}

}  // namespace
}  // namespace talvo::plot
