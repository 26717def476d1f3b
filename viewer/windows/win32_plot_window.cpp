// SPDX-License-Identifier: MIT
#include "win32_plot_window.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "plot_texts.h"
#include "reading_report.h"
#include "text_conversion.h"
#include "win32_plot_instance.h"
#include "window_texts.h"

namespace talvo::plot {
namespace {

constexpr UINT_PTR kFileTimer = 1;
constexpr UINT kFileTimerMs = 1000;
constexpr UINT_PTR kProgressTimer = 2;
constexpr UINT kProgressTimerMs = 50;
constexpr int kGap = 4;
constexpr int kProgressHeight = 16;

void RegisterWindowClass() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    WNDCLASSW cls{};
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hIcon = LoadIconW(GetModuleHandleW(nullptr), L"TALVO_ICON");
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = kPlotWindowClass;
    return RegisterClassW(&cls) != 0;
  }();
  (void)registered;
}

// An edit control wants CR LF between lines.
std::wstring EditText(const std::string& utf8) {
  std::string text;
  for (const char c : utf8) {
    if (c == '\n' && (text.empty() || text.back() != '\r')) text += '\r';
    text += c;
  }
  return win::Wide(text);
}

}  // namespace

PlotWindow::PlotWindow(std::filesystem::path file, KeptPlotSettings settings)
    : file_(std::move(file)), settings_(std::move(settings)), plot_(std::make_unique<LoadedPlot>()) {
  RegisterWindowClass();
  const std::wstring title = win::Wide(WindowTitle(win::Utf8(file_.filename().wstring())));
  window_ = CreateWindowExW(0, kPlotWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                            CW_USEDEFAULT, 1100, 720, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  MarkPlotWindow(window_, file_);
  canvas_ =
      std::make_unique<PlotCanvas>(window_, [this](std::size_t move) { SelectLine(plot_->program.moves.Line(move)); });
  lines_ = std::make_unique<ProgramLinesList>(window_);
  side_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 16,
                          16, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(side_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  bar_ = std::make_unique<PlotSettingsBar>(window_, settings_, [this] { ApplySettings(); });
  progress_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | PBS_SMOOTH, 0, 0, 16, 16, window_, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(progress_, PBM_SETRANGE32, 0, 100);
  Layout();
  ApplySettings();
  StartReading(true);
  SetTimer(window_, kFileTimer, kFileTimerMs, nullptr);
}

PlotWindow::~PlotWindow() {
  reading_.reset();
  if (!IsWindow(window_)) return;
  KillTimer(window_, kFileTimer);
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
  canvas_.reset();
  DestroyWindow(window_);
}

bool PlotWindow::PictureKey(const MSG& message) {
  // The settings' boxes take every key typed into them.
  if (message.message != WM_KEYDOWN || GetFocus() == side_ || bar_->Holds(GetFocus())) return false;
  // The arrows move through the text when it has the focus.
  const bool arrow = message.wParam >= VK_LEFT && message.wParam <= VK_DOWN;
  if (arrow && GetFocus() == lines_->Handle()) return false;
  if (message.wParam == 'K') {
    // The kerf band's key and switch are one setting.
    settings_.showKerf = !settings_.showKerf;
    settings_.Save();
    bar_->ShowSettings();
    ApplySettings();
    return true;
  }
  return canvas_->Key(message.wParam);
}

void PlotWindow::SelectLine(std::uint32_t line) {
  lines_->Select(line);
  PictureExtras extras = canvas_->Extras();
  extras.highlight = plot_->program.MovesOfLine(line);
  canvas_->SetExtras(extras);
  ShowSideText();
}

bool PlotWindow::SelectNear(int x, int y) {
  const std::ptrdiff_t move = canvas_->MoveNear(x, y);
  if (move < 0) return false;
  SelectLine(plot_->program.moves.Line(static_cast<std::size_t>(move)));
  return true;
}

std::wstring PlotWindow::SideText() const {
  const int length = GetWindowTextLengthW(side_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(side_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void PlotWindow::ShowSideText() {
  const PlotProgram& program = plot_->program;
  std::string text;
  for (const std::string& note : settings_.ignored) text += note + "\n";
  if (!settings_.ignored.empty()) text += "\n";
  if (!plot_->problem.empty()) text += plot_->problem + "\n\n";
  const auto [first, last] = canvas_->Extras().highlight;
  if (first < last && first < program.moves.size()) {
    text += MoveFactsText(program.moves[first], settings_.job) + "\n\n";
  }
  text += JobSummaryText(program, settings_.job) + "\n\n";
  text += UnitsText(program.units) + "\n";
  if (const std::string extents = ExtentsText(program.extents); !extents.empty()) text += extents + "\n";
  text += LengthsText(program) + "\n";
  const std::string report = ReadingReport(program, win::Utf8(file_.filename().wstring()));
  if (!report.empty()) text += std::string("\n") + plot_text::kErrors + "\n" + report;
  SetWindowTextW(side_, EditText(text).c_str());
}

// The picture and the summary follow the settings at once.
void PlotWindow::ApplySettings() {
  PictureExtras extras = canvas_->Extras();
  extras.job = settings_.job;
  extras.kerf = settings_.showKerf ? settings_.kerf : 0;
  canvas_->SetExtras(extras);
  ShowSideText();
}

bool PlotWindow::CheckFile() {
  const FileStamp now = StampOf(file_);
  const bool settled = now == seen_;
  seen_ = now;
  if (!now.exists || now == loaded_ || !settled) return false;
  Reload();
  return true;
}

void PlotWindow::Reload() { StartReading(false); }

// The plot shown stays until the new one is read.
void PlotWindow::StartReading(bool fit) {
  EndReading();
  loaded_ = seen_ = StampOf(file_);
  fitWhenRead_ = fit;
  reading_ = std::make_unique<PlotReading>(file_, window_);
  if (!reading_->OnWorker()) {
    ShowRead(reading_->Take(), fit);
    reading_.reset();
    return;
  }
  SendMessageW(progress_, PBM_SETPOS, 0, 0);
  ShowWindow(progress_, SW_SHOWNA);
  Layout();
  SetTimer(window_, kProgressTimer, kProgressTimerMs, nullptr);
}

// Stops a reading still running, and puts its bar away.
void PlotWindow::EndReading() {
  reading_.reset();
  KillTimer(window_, kProgressTimer);
  if (IsWindowVisible(progress_)) {
    ShowWindow(progress_, SW_HIDE);
    Layout();
  }
}

void PlotWindow::ShowRead(std::unique_ptr<LoadedPlot> fresh, bool fit) {
  PictureExtras extras = canvas_->Extras();
  extras.highlight = {0, 0};
  canvas_->SetExtras(extras);
  canvas_->SetPlot(fresh.get(), fit);
  lines_->SetPlot(fresh.get());
  plot_ = std::move(fresh);
  ShowSideText();
}

void PlotWindow::Layout() {
  RECT area{};
  GetClientRect(window_, &area);
  const int width = area.right;
  int top = kGap + bar_->Place(kGap, kGap, std::max(width - 2 * kGap, 1)) + kGap;
  if (IsWindowVisible(progress_)) {
    MoveWindow(progress_, kGap, top, std::max(width - 2 * kGap, 1), kProgressHeight, TRUE);
    top += kProgressHeight + kGap;
  }
  const int height = area.bottom - top + kGap;
  const int pictureWidth = width * 62 / 100;
  const int sideWidth = std::max(width - pictureWidth - 3 * kGap, 1);
  const int linesHeight = (height - 3 * kGap) * 55 / 100;
  MoveWindow(canvas_->Handle(), kGap, top, pictureWidth, std::max(height - 2 * kGap, 1), TRUE);
  MoveWindow(lines_->Handle(), pictureWidth + 2 * kGap, top, sideWidth, std::max(linesHeight, 1), TRUE);
  MoveWindow(side_, pictureWidth + 2 * kGap, top + linesHeight + kGap, sideWidth,
             std::max(height - linesHeight - 3 * kGap, 1), TRUE);
}

LRESULT CALLBACK PlotWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<PlotWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->Handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PlotWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == PlotActivateMessage()) {
    Reload();
    if (IsIconic(window_)) ShowWindow(window_, SW_RESTORE);
    SetForegroundWindow(window_);
    return 0;
  }
  if (message == kPlotReadMessage) {
    if (!reading_) return 0;
    std::unique_ptr<LoadedPlot> fresh = reading_->Take();
    EndReading();
    ShowRead(std::move(fresh), fitWhenRead_);
    return 0;
  }
  switch (message) {
    case WM_SIZE: Layout(); return 0;
    case WM_COMMAND:
      if (bar_ && bar_->Command(wParam, lParam)) return 0;
      break;
    case WM_TIMER:
      if (wParam == kFileTimer) CheckFile();
      if (wParam == kProgressTimer && reading_) SendMessageW(progress_, PBM_SETPOS, reading_->Percent(), 0);
      return 0;
    case WM_NOTIFY: {
      std::uint32_t line = 0;
      if (lines_ && lines_->Notified(*reinterpret_cast<const NMHDR*>(lParam), line)) SelectLine(line);
      return 0;
    }
    case WM_DESTROY:
      EndReading();  // the reading stops with the window
      if (quitOnClose_) PostQuitMessage(0);
      return 0;
    default: break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace talvo::plot
