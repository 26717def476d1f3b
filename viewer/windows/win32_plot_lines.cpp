// SPDX-License-Identifier: MIT
#include "win32_plot_lines.h"

#include <commctrl.h>

#include <algorithm>

#include "text_conversion.h"

namespace talvo::plot {

std::string ProgramLine(const LoadedPlot& plot, std::uint32_t line) {
  const auto& starts = plot.program.lineStarts;
  if (line >= starts.size()) return {};
  const std::size_t from = std::min<std::size_t>(starts[line], plot.text.size());
  const std::size_t to =
      line + 1 < starts.size() ? std::min<std::size_t>(starts[line + 1], plot.text.size()) : plot.text.size();
  std::string text = plot.text.substr(from, to - from);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

namespace {

HWND MakeListView(HWND parent) {
  return CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                         WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL |
                             LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
                         0, 0, 16, 16, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

ProgramLinesList::ProgramLinesList(HWND parent) : window_(MakeListView(parent)) {
  ListView_SetExtendedListViewStyle(window_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), TRUE);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 2000;
  ListView_InsertColumn(window_, 0, &column);
}

void ProgramLinesList::SetPlot(const LoadedPlot* plot) {
  plot_ = plot;
  const std::size_t lines = plot ? plot->program.lineStarts.size() : 0;
  ListView_SetItemCountEx(window_, static_cast<int>(lines), LVSICF_NOSCROLL);
  InvalidateRect(window_, nullptr, TRUE);
}

void ProgramLinesList::Select(std::uint32_t line) {
  selecting_ = true;
  ListView_SetItemState(window_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemState(window_, static_cast<int>(line), LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(window_, static_cast<int>(line), FALSE);
  selecting_ = false;
}

int ProgramLinesList::Selected() const { return ListView_GetNextItem(window_, -1, LVNI_SELECTED); }

bool ProgramLinesList::Notified(const NMHDR& header, std::uint32_t& line) {
  if (header.hwndFrom != window_) return false;
  if (header.code == LVN_GETDISPINFOW) {
    auto& item = reinterpret_cast<const NMLVDISPINFOW&>(header).item;
    if ((item.mask & LVIF_TEXT) && plot_ && item.cchTextMax > 0) {
      const auto number = static_cast<std::uint32_t>(item.iItem);
      shown_ = win::Wide(std::to_string(number + 1) + "  " + ProgramLine(*plot_, number));
      const std::size_t kept = std::min<std::size_t>(shown_.size(), static_cast<std::size_t>(item.cchTextMax) - 1);
      std::copy_n(shown_.c_str(), kept, item.pszText);
      item.pszText[kept] = L'\0';
    }
    return false;
  }
  if (header.code == LVN_ITEMCHANGED && !selecting_) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (change.iItem >= 0 && (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED)) {
      line = static_cast<std::uint32_t>(change.iItem);
      return true;
    }
  }
  return false;
}

}  // namespace talvo::plot
