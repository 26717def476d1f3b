// SPDX-License-Identifier: MIT
#include "win32_plot_canvas.h"

#include <windowsx.h>

#include <cmath>

namespace talvo::plot {
namespace {

constexpr double kZoomStep = 1.25;
constexpr double kPanPixels = 40;
constexpr double kPickPixels = 6;
constexpr int kDragPixels = 3;      // a press that moves less is a click
constexpr double kKerfWidth = 1.5;  // program units, the Linux window's first kerf setting

void RegisterCanvasClass() {
  static const bool registered = [] {
    WNDCLASSW cls{};
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    cls.lpszClassName = kPlotCanvasClass;
    return RegisterClassW(&cls) != 0;
  }();
  (void)registered;
}

}  // namespace

PlotCanvas::PlotCanvas(HWND parent, std::function<void(std::size_t)> onPick) : onPick_(std::move(onPick)) {
  RegisterCanvasClass();
  window_ = CreateWindowExW(WS_EX_CLIENTEDGE, kPlotCanvasClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 16, 16,
                            parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
  RECT area{};
  GetClientRect(window_, &area);
  Resize(area.right, area.bottom);
}

PlotCanvas::~PlotCanvas() {
  if (IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcW));
    DestroyWindow(window_);
  }
  if (dib_) DeleteObject(dib_);
}

void PlotCanvas::SetPlot(const LoadedPlot* plot, bool fit) {
  plot_ = plot;
  if (fit || fitted_) Fit();
  Redraw();
}

void PlotCanvas::SetExtras(const PictureExtras& extras) {
  extras_ = extras;
  Redraw();
}

void PlotCanvas::Fit() {
  fitted_ = true;
  const PlotExtents extents = plot_ ? plot_->program.extents : PlotExtents{};
  view_ = ViewMapping::Fit(extents, view_.width, view_.height, kPlotFitMargin);
  Redraw();
}

void PlotCanvas::ZoomAbout(double x, double y, double factor) {
  fitted_ = false;
  view_ = view_.ZoomedAbout(x, y, factor);
  Redraw();
}

void PlotCanvas::PanBy(double dx, double dy) {
  fitted_ = false;
  view_.centreX -= dx / view_.scale;
  view_.centreY += dy / view_.scale;
  Redraw();
}

std::ptrdiff_t PlotCanvas::MoveNear(int x, int y) const {
  if (!plot_) return -1;
  return plot_->Index().Nearest(plot_->program, view_.ProgramX(x + 0.5), view_.ProgramY(y + 0.5),
                                kPickPixels / view_.scale);
}

void PlotCanvas::Click(int x, int y) {
  const std::ptrdiff_t move = MoveNear(x, y);
  if (move >= 0 && onPick_) onPick_(static_cast<std::size_t>(move));
}

bool PlotCanvas::Key(WPARAM key) {
  const double cx = view_.width / 2.0, cy = view_.height / 2.0;
  switch (key) {
    case VK_ADD:
    case VK_OEM_PLUS: ZoomAbout(cx, cy, kZoomStep); return true;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: ZoomAbout(cx, cy, 1 / kZoomStep); return true;
    case 'F': Fit(); return true;
    case 'K':
      extras_.kerf = extras_.kerf > 0 ? 0 : kKerfWidth;
      Redraw();
      return true;
    case VK_LEFT: PanBy(kPanPixels, 0); return true;
    case VK_RIGHT: PanBy(-kPanPixels, 0); return true;
    case VK_UP: PanBy(0, kPanPixels); return true;
    case VK_DOWN: PanBy(0, -kPanPixels); return true;
    default: return false;
  }
}

void PlotCanvas::Resize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (dib_) DeleteObject(dib_);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows, as the pixel layer writes them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<std::uint32_t*>(bits);
  // The program point at the centre stays there; a fitted view is fitted again.
  view_.width = width;
  view_.height = height;
  if (fitted_) Fit();
  Redraw();
}

void PlotCanvas::Paint() {
  PAINTSTRUCT paint;
  HDC screen = BeginPaint(window_, &paint);
  if (dib_ && bits_) {
    const PixelBuffer picture{bits_, view_.width, view_.width, view_.height};
    if (plot_)
      DrawPlotPicture(picture, *plot_, view_, extras_);
    else
      std::fill_n(bits_, static_cast<std::size_t>(view_.width) * view_.height, 0xffffffffu);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, dib_);
    BitBlt(screen, 0, 0, view_.width, view_.height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  EndPaint(window_, &paint);
}

LRESULT CALLBACK PlotCanvas::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* canvas = reinterpret_cast<PlotCanvas*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return canvas ? canvas->Handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT PlotCanvas::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SIZE: Resize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      if (Key(wParam)) return 0;
      break;
    case WM_MOUSEWHEEL: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};  // screen coordinates
      ScreenToClient(window_, &at);
      ZoomAbout(at.x, at.y, std::pow(kZoomStep, GET_WHEEL_DELTA_WPARAM(wParam) / double(WHEEL_DELTA)));
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetFocus(window_);
      SetCapture(window_);
      dragging_ = true;
      dragged_ = false;
      dragFrom_ = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (!dragged_ && std::abs(at.x - dragFrom_.x) + std::abs(at.y - dragFrom_.y) < kDragPixels) return 0;
        dragged_ = true;
        PanBy(at.x - dragFrom_.x, at.y - dragFrom_.y);
        dragFrom_ = at;
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) {
        ReleaseCapture();
        dragging_ = false;
        if (!dragged_) Click(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      }
      return 0;
    default: break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace talvo::plot
