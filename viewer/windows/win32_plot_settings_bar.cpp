// SPDX-License-Identifier: MIT
#include "win32_plot_settings_bar.h"

#include <string>
#include <utility>

#include "plot_texts.h"
#include "short_number.h"
#include "text_conversion.h"

namespace talvo::plot {
namespace {

constexpr int kFirstId = 300;
constexpr int kHeight = 22;
constexpr int kGap = 4;
constexpr int kBoxWidth = 64;

HWND Child(HWND parent, const wchar_t* cls, const std::string& text, DWORD style, int id) {
  HWND child = CreateWindowExW(0, cls, win::Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 16, 16, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
  return child;
}

std::string TextOf(HWND box) {
  const int length = GetWindowTextLengthW(box);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(box, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return win::Utf8(text);
}

// The width the label's text needs in the window's font.
int LabelWidth(HWND label) {
  HDC dc = GetDC(label);
  const HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const int length = GetWindowTextLengthW(label);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(label, text.data(), length + 1);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), length, &size);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  return size.cx + kGap;
}

}  // namespace

PlotSettingsBar::PlotSettingsBar(HWND parent, KeptPlotSettings& settings, std::function<void()> onChange)
    : settings_(settings), onChange_(std::move(onChange)) {
  const std::pair<const SettingLimits*, double*> numbers[] = {{&kRapidRateLimits, &settings_.job.rapidRate},
                                                              {&kPierceDelayLimits, &settings_.job.pierceDelay},
                                                              {&kSheetXLimits, &settings_.job.sheetX},
                                                              {&kSheetYLimits, &settings_.job.sheetY},
                                                              {&kSheetOriginXLimits, &settings_.job.sheetOriginX},
                                                              {&kSheetOriginYLimits, &settings_.job.sheetOriginY},
                                                              {&kKerfLimits, &settings_.kerf}};
  const char* captions[] = {
      plot_text::kRapidRate, plot_text::kPierceDelay, plot_text::kSheet, "x", plot_text::kSheetOrigin, ",",
      plot_text::kKerf};
  int id = kFirstId;
  for (std::size_t i = 0; i < std::size(numbers); ++i) {
    HWND label = Child(parent, L"STATIC", captions[i], SS_CENTERIMAGE, -1);
    HWND box = Child(parent, L"EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, id++);
    fields_.push_back({numbers[i].first, numbers[i].second, label, box});
  }
  kerfLabel_ = Child(parent, L"STATIC", kShowKerfName, SS_CENTERIMAGE, -1);
  showKerf_ = Child(parent, L"BUTTON", "", BS_AUTOCHECKBOX | WS_TABSTOP, id);
  ShowSettings();
}

void PlotSettingsBar::ShowSettings() {
  for (const Field& field : fields_) Show(field);
  SendMessageW(showKerf_, BM_SETCHECK, settings_.showKerf ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool PlotSettingsBar::Holds(HWND control) const {
  for (const Field& field : fields_)
    if (field.box == control) return true;
  return false;
}

void PlotSettingsBar::Show(const Field& field) {
  showing_ = true;
  SetWindowTextW(field.box, win::Wide(ShortNumber(*field.value)).c_str());
  showing_ = false;
}

int PlotSettingsBar::Place(int left, int top, int width) {
  int x = left;
  for (const Field& field : fields_) {
    const int labelWidth = LabelWidth(field.label);
    MoveWindow(field.label, x, top, labelWidth, kHeight, TRUE);
    x += labelWidth;
    MoveWindow(field.box, x, top, kBoxWidth, kHeight, TRUE);
    x += kBoxWidth + kGap;
  }
  const int labelWidth = LabelWidth(kerfLabel_);
  MoveWindow(kerfLabel_, x, top, labelWidth, kHeight, TRUE);
  MoveWindow(showKerf_, x + labelWidth, top, std::max(left + width - x - labelWidth, kHeight), kHeight, TRUE);
  return kHeight;
}

bool PlotSettingsBar::Command(WPARAM wParam, LPARAM lParam) {
  const HWND from = reinterpret_cast<HWND>(lParam);
  const WORD code = HIWORD(wParam);
  if (from == showKerf_ && code == BN_CLICKED) {
    settings_.showKerf = SendMessageW(showKerf_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    settings_.Save();
    onChange_();
    return true;
  }
  for (const Field& field : fields_) {
    if (from != field.box) continue;
    const std::optional<double> typed = CheckedSetting(*field.limits, TextOf(field.box));
    if (code == EN_CHANGE && !showing_ && typed && *typed != *field.value) {
      *field.value = *typed;
      settings_.Save();
      onChange_();
    } else if (code == EN_KILLFOCUS && !typed) {
      Show(field);
    }
    return true;
  }
  return false;
}

HWND PlotSettingsBar::Box(const SettingLimits& limits) const {
  for (const Field& field : fields_)
    if (field.limits == &limits) return field.box;
  return nullptr;
}

}  // namespace talvo::plot
