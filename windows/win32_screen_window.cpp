// SPDX-License-Identifier: MIT
#include "win32_screen_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "text_conversion.h"
#include "win32_picture_area.h"

namespace talvo::win {
namespace {

using screens::ControlDescription;
using screens::ControlKind;
using screens::ToPixels;

constexpr int kFirstId = 100;  // control ids follow the description's order from here

COLORREF Colour(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

RECT PixelRect(const screens::TwipRect& r) {
  const int left = ToPixels(r.left);
  const int top = ToPixels(r.top);
  return {left, top, left + ToPixels(r.width), top + ToPixels(r.height)};
}

DWORD WindowStyle(screens::Border border) {
  const DWORD fixed = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  // A resizable screen keeps every control in place; enlarging it uncovers more back colour.
  return border == screens::Border::FixedSingle ? fixed : fixed | WS_THICKFRAME | WS_MAXIMIZEBOX;
}

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

std::wstring TextOf(std::string_view text) { return Wide(text); }

}  // namespace

void RegisterScreenClasses(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return;
  registered = true;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterPictureClass(instance);

  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = Win32ScreenWindow::Proc;
  c.hInstance = instance;
  c.hIcon = static_cast<HICON>(LoadImageW(instance, L"TALVO_ICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
  c.hIconSm = static_cast<HICON>(LoadImageW(instance, L"TALVO_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                            GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  c.lpszClassName = kScreenClass;
  RegisterClassExW(&c);
}

Win32ScreenWindow::Win32ScreenWindow(const screens::WindowDescription& description, PressHandler onPress,
                                     CloseHandler onClose)
    : description_(description), onPress_(std::move(onPress)), onClose_(std::move(onClose)) {
  RegisterScreenClasses(Instance());
  back_ = CreateSolidBrush(Colour(description.backColour));
  const DWORD style = WindowStyle(description.border);
  RECT frame{0, 0, ToPixels(description.clientWidth), ToPixels(description.clientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  window_ = CreateWindowExW(0, kScreenClass, TextOf(description.caption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, Instance(), this);
  CreateControls();
}

Win32ScreenWindow::~Win32ScreenWindow() {
  Destroy();
  DeleteObject(back_);
}

void Win32ScreenWindow::Destroy() {
  if (!window_) return;
  HWND window = std::exchange(window_, nullptr);
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (tooltip_) DestroyWindow(std::exchange(tooltip_, nullptr));
  DestroyWindow(window);
  controls_.clear();
  tabOrder_.clear();
}

void Win32ScreenWindow::CreateControls() {
  std::vector<std::pair<int, HWND>> byTab;
  int id = kFirstId;
  for (const ControlDescription& c : description_.controls) {
    HWND control = CreateControl(c, id++);
    // Created later means lying above, as the table orders them: on Form8 the window's own
    // fields cover the illustration. Win32 puts a new child at the bottom, so raise it.
    SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    controls_.push_back(control);
    byTab.emplace_back(c.tab, control);
    if (!c.tooltip.empty()) AddTooltip(control, c.tooltip);
  }
  std::ranges::stable_sort(byTab, {}, &std::pair<int, HWND>::first);
  for (const auto& [tab, control] : byTab) tabOrder_.push_back(control);
}

HWND Win32ScreenWindow::CreateControl(const ControlDescription& c, int id) {
  HWND parent = c.parent.empty() ? window_ : Control(c.parent);
  const RECT r = PixelRect(c.rect);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  const auto menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  const DWORD child = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS;
  HWND control = nullptr;
  switch (c.kind) {
    case ControlKind::IllustrationArea:
    case ControlKind::PictureButton: return CreatePictureArea(parent, id, r, c.picture);
    case ControlKind::InputField:
      control = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", TextOf(c.text).c_str(), child | ES_AUTOHSCROLL, r.left,
                                r.top, width, height, parent, menu, Instance(), nullptr);
      SendMessageW(control, EM_SETLIMITTEXT, screens::kInputFieldMaxLength, 0);
      break;
    case ControlKind::OutputBox:
      // Enter starts a new line; Tab moves on (see TranslateKey) instead of typing a tab.
      control = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", TextOf(c.text).c_str(),
                                child | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                                    ES_WANTRETURN | ES_NOHIDESEL,
                                r.left, r.top, width, height, parent, menu, Instance(), nullptr);
      SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
      break;
    case ControlKind::Button:
      // A button with a face colour of its own is drawn by the window (WM_DRAWITEM).
      control = CreateWindowExW(0, L"BUTTON", TextOf(c.text).c_str(), child | (c.face ? BS_OWNERDRAW : BS_PUSHBUTTON),
                                r.left, r.top, width, height, parent, menu, Instance(), nullptr);
      break;
  }
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

void Win32ScreenWindow::AddTooltip(HWND control, std::string_view text) {
  if (!tooltip_) {
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, Instance(), nullptr);
  }
  std::wstring wide = TextOf(text);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = wide.data();
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

HWND Win32ScreenWindow::Control(std::string_view name) const {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (description_.controls[i].name == name) return controls_[i];
  }
  return nullptr;
}

const ControlDescription* Win32ScreenWindow::ById(int id) const {
  const int index = id - kFirstId;
  if (index < 0 || index >= static_cast<int>(description_.controls.size())) return nullptr;
  return &description_.controls[static_cast<std::size_t>(index)];
}

void Win32ScreenWindow::Present() {
  RECT frame;
  GetWindowRect(window_, &frame);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  lastFocus_ = tabOrder_.empty() ? window_ : tabOrder_.front();
  SetFocus(lastFocus_);
}

void Win32ScreenWindow::MoveFocus(bool backwards) {
  if (tabOrder_.empty()) return;
  const auto at = std::ranges::find(tabOrder_, GetFocus());
  const auto count = static_cast<std::ptrdiff_t>(tabOrder_.size());
  std::ptrdiff_t index = at == tabOrder_.end() ? (backwards ? 0 : -1) : at - tabOrder_.begin();
  index = (index + (backwards ? count - 1 : 1)) % count;
  HWND next = tabOrder_[static_cast<std::size_t>(index)];
  SetFocus(next);
  // A field reached by the keyboard has its whole text selected, as in dialogs.
  if (description_.controls[static_cast<std::size_t>(std::ranges::find(controls_, next) - controls_.begin())].kind ==
      ControlKind::InputField)
    SendMessageW(next, EM_SETSEL, 0, -1);
}

bool Win32ScreenWindow::SelectAllInFocusedText() {
  HWND focus = GetFocus();
  const auto at = std::ranges::find(controls_, focus);
  if (at == controls_.end()) return false;
  const ControlKind kind = description_.controls[static_cast<std::size_t>(at - controls_.begin())].kind;
  if (kind != ControlKind::InputField && kind != ControlKind::OutputBox) return false;
  SendMessageW(focus, EM_SETSEL, 0, -1);
  return true;
}

bool Win32ScreenWindow::TranslateKey(const MSG& message) {
  if (!window_ || message.message != WM_KEYDOWN) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  if (GetKeyState(VK_MENU) < 0) return false;
  // The edit control has no Ctrl+A of its own: without this it would beep and keep the caret.
  if (GetKeyState(VK_CONTROL) < 0) return message.wParam == 'A' && SelectAllInFocusedText();
  if (message.wParam == VK_TAB) {
    MoveFocus(GetKeyState(VK_SHIFT) < 0);
    return true;
  }
  if (message.wParam == VK_RETURN) {
    HWND focus = GetFocus();
    const auto at = std::ranges::find(controls_, focus);
    if (at == controls_.end()) return false;
    const ControlKind kind = description_.controls[static_cast<std::size_t>(at - controls_.begin())].kind;
    if (kind == ControlKind::OutputBox) return false;  // a new line in the box
    // Enter activates the focused push button and does nothing anywhere else.
    if (kind == ControlKind::Button) SendMessageW(focus, BM_CLICK, 0, 0);
    return true;
  }
  return false;
}

void Win32ScreenWindow::DrawFace(const DRAWITEMSTRUCT& item) {
  const ControlDescription* c = ById(static_cast<int>(item.CtlID));
  if (!c || !c->face) return;
  RECT r = item.rcItem;
  HDC dc = item.hDC;
  HBRUSH face = CreateSolidBrush(Colour(*c->face));
  FillRect(dc, &r, face);
  DeleteObject(face);
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  if (item.itemState & ODS_FOCUS) {
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawEdge(dc, &r, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  const std::wstring caption = TextOf(c->text);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  if (pressed) OffsetRect(&r, 1, 1);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&r, -3, -3);
    DrawFocusRect(dc, &r);
  }
}

LRESULT CALLBACK Win32ScreenWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Win32ScreenWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32ScreenWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->OnMessage(message, wParam, lParam);
}

LRESULT Win32ScreenWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, back_);
      return 1;
    }
    case WM_DRAWITEM: DrawFace(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_COMMAND: {
      const ControlDescription* c = ById(LOWORD(wParam));
      const bool clickable = c && (c->kind == ControlKind::Button || c->kind == ControlKind::PictureButton);
      // The handler may close this window and open another: nothing of this object is touched
      // after it returns.
      if (clickable && HIWORD(wParam) == BN_CLICKED) onPress_(c->name);
      return 0;
    }
    case WM_ACTIVATE:
      // The focus comes back to where it was when the window is activated again.
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); focus && IsChild(window_, focus)) lastFocus_ = focus;
      } else if (lastFocus_) {
        SetFocus(lastFocus_);
      }
      return 0;
    case WM_CLOSE: onClose_(); return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace talvo::win
