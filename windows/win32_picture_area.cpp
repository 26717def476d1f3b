// SPDX-License-Identifier: MIT
#include "win32_picture_area.h"

#include <windowsx.h>

#include <string>

#include "text_conversion.h"

namespace talvo::win {
namespace {

constexpr int kBitmapSlot = 0;   // the HBITMAP, owned by the area
constexpr int kPressedSlot = 1;  // nonzero while a press that began inside is held
constexpr int kSlots = 2 * sizeof(LONG_PTR);

void Paint(HWND area) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(area, &paint);
  RECT client;
  GetClientRect(area, &client);
  // The strips the bitmap leaves free show the button face, as picture areas do.
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(area, kBitmapSlot * sizeof(LONG_PTR)))) {
    BITMAP info;
    GetObjectW(bitmap, sizeof info, &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
  }
  if (GetFocus() == area) DrawFocusRect(dc, &client);
  EndPaint(area, &paint);
}

void Released(HWND area, LPARAM position) {
  const bool pressed = GetWindowLongPtrW(area, kPressedSlot * sizeof(LONG_PTR)) != 0;
  SetWindowLongPtrW(area, kPressedSlot * sizeof(LONG_PTR), 0);
  if (GetCapture() == area) ReleaseCapture();
  RECT client;
  GetClientRect(area, &client);
  const POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
  if (!pressed || !PtInRect(&client, at)) return;
  SendMessageW(GetAncestor(area, GA_ROOT), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(area), BN_CLICKED),
               reinterpret_cast<LPARAM>(area));
}

LRESULT CALLBACK PictureProc(HWND area, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: Paint(area); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(area, nullptr, FALSE); return 0;
    case WM_LBUTTONDOWN:
      SetWindowLongPtrW(area, kPressedSlot * sizeof(LONG_PTR), 1);
      SetCapture(area);
      return 0;
    case WM_LBUTTONUP: Released(area, lParam); return 0;
    case WM_CAPTURECHANGED: SetWindowLongPtrW(area, kPressedSlot * sizeof(LONG_PTR), 0); return 0;
    case WM_NCDESTROY:
      if (auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(area, kBitmapSlot * sizeof(LONG_PTR))))
        DeleteObject(bitmap);
      break;
  }
  return DefWindowProcW(area, message, wParam, lParam);
}

}  // namespace

void RegisterPictureClass(HINSTANCE instance) {
  WNDCLASSEXW c{};
  c.cbSize = sizeof c;
  c.lpfnWndProc = PictureProc;
  c.cbWndExtra = kSlots;
  c.hInstance = instance;
  c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  c.lpszClassName = kPictureClass;
  RegisterClassExW(&c);
}

HWND CreatePictureArea(HWND parent, int id, RECT pixels, std::string_view picture) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  // WS_EX_CLIENTEDGE is the sunken border, two pixels wide; the children sit inside it.
  HWND area = CreateWindowExW(WS_EX_CLIENTEDGE, kPictureClass, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, pixels.left,
                              pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  const std::wstring name = Wide(picture);
  HANDLE bitmap = LoadImageW(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
  SetWindowLongPtrW(area, kBitmapSlot * sizeof(LONG_PTR), reinterpret_cast<LONG_PTR>(bitmap));
  return area;
}

}  // namespace talvo::win
