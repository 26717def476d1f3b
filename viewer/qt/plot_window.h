// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>
#include <QPointF>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "file_follower.h"
#include "loaded_plot.h"
#include "playback_controller.h"
#include "plot_loader.h"
#include "plot_settings.h"

class QLabel;
class QProgressBar;
class QListView;
class QListWidget;
class QSlider;
class QToolBar;

namespace talvo::plot {

class PlotWidget;
class ProgramLinesModel;

/// The viewer's window: the program text beside its drawing, the unreadable lines below the
/// text, the cursor, extents and lengths in the status bar. It follows its file: a change on
/// disk redraws it. The window lays out and wires; playback, the file's following and the
/// texts are done by PlaybackController, FileFollower and window_texts.h.
class PlotWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit PlotWindow(const QString& file, QWidget* parent = nullptr);
  ~PlotWindow() override;

  /// Reads the file again and shows it fitted. A large file is read on another thread while the
  /// window shows its progress and the plot read before.
  void Reload();
  /// True from a Reload() until its plot is shown and drawn.
  bool Busy() const;
  /// Shows, unminimizes, raises and activates the window.
  void BringForward();
  /// Playback's place: the torch after `seconds` of the job as estimated.
  void PlayTo(double seconds);

  const LoadedPlot& Plot() const { return *plot_; }

 protected:
  /// A reading still running stops with the window.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildStatusBar();
  void ShowLoaded(std::shared_ptr<LoadedPlot> next);
  void ShowReading(int percent);
  void ShowTotals();
  void BuildSettingsBar();
  void BuildViewKeys();
  void ApplySettings();
  void ShowMoveFacts(std::size_t move);
  void BuildPlaybackBar();
  void BuildMeasureAction(QToolBar* bar);
  /// Shows where playback stands, if anywhere, and runs the timer while it plays.
  void ShowPlayback(const std::optional<PlaybackController::Position>& at);
  void OnMeasureClick(double x, double y, double reach);
  void SelectLine(std::uint32_t line);
  void OnLineSelected(int row);

  QString file_;
  std::shared_ptr<LoadedPlot> plot_;
  PlotLoader loader_;
  QProgressBar* progress_ = nullptr;  // while reading and drawing
  PlotWidget* view_ = nullptr;
  ProgramLinesModel* lines_ = nullptr;
  QListView* linesView_ = nullptr;
  QListWidget* errors_ = nullptr;
  QLabel* cursor_ = nullptr;
  QLabel* units_ = nullptr;
  QLabel* extents_ = nullptr;
  QLabel* lengths_ = nullptr;
  QLabel* summary_ = nullptr;
  QLabel* moveFacts_ = nullptr;
  PlotSettings settings_ = PlotSettings::Load();
  PlaybackController playback_;  // for the plot and settings shown
  QTimer playTimer_;
  QSlider* slider_ = nullptr;
  std::vector<QPointF> measured_;
  FileFollower follower_;
};

}  // namespace talvo::plot
