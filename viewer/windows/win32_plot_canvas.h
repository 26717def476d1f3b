// SPDX-License-Identifier: MIT
// The picture pane of talvo-plot.exe: the plot drawn into a DIB section through the pixel layer,
// zoomed about the cursor by the wheel and by + and -, panned by dragging and by the arrows,
// fitted again by F; K shows the cuts as the kerf band; a click near a move picks it.
#pragma once

#include "win32_plot_windows_h.h"

#include <cstddef>
#include <functional>

#include "loaded_plot.h"
#include "view_mapping.h"
#include "win32_plot_picture.h"

namespace talvo::plot {

inline constexpr wchar_t kPlotCanvasClass[] = L"TalvoPlotCanvas";

class PlotCanvas {
 public:
  /// Creates the pane as a child of `parent`; `onPick` hears the move a click picked.
  PlotCanvas(HWND parent, std::function<void(std::size_t move)> onPick);
  ~PlotCanvas();
  PlotCanvas(const PlotCanvas&) = delete;
  PlotCanvas& operator=(const PlotCanvas&) = delete;

  HWND Handle() const { return window_; }
  /// Shows `plot` (kept by the caller), fitted when `fit` or never zoomed since the last fit.
  void SetPlot(const LoadedPlot* plot, bool fit);
  void SetExtras(const PictureExtras& extras);
  const PictureExtras& Extras() const { return extras_; }
  const ViewMapping& View() const { return view_; }

  void Fit();
  void ZoomAbout(double x, double y, double factor);
  void PanBy(double dx, double dy);
  /// The move nearest to the screen point within a few pixels, or -1.
  std::ptrdiff_t MoveNear(int x, int y) const;
  /// A click at the screen point, as the mouse gives it.
  void Click(int x, int y);
  /// Handles a key of the pane's (+, -, F, K, arrows); false for any other.
  bool Key(WPARAM key);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Resize(int width, int height);
  void Paint();
  void Redraw() { InvalidateRect(window_, nullptr, FALSE); }

  HWND window_ = nullptr;
  std::function<void(std::size_t)> onPick_;
  const LoadedPlot* plot_ = nullptr;
  PictureExtras extras_;
  ViewMapping view_;
  bool fitted_ = true;
  HBITMAP dib_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  bool dragging_ = false;
  bool dragged_ = false;
  POINT dragFrom_{};
};

}  // namespace talvo::plot
