// SPDX-License-Identifier: MIT
#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QPointF>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

#include "loaded_plot.h"
#include "playback_clock.h"
#include "plot_settings.h"

class QLabel;
class QListView;
class QListWidget;
class QSlider;

namespace talvo::plot {

class PlotWidget;
class ProgramLinesModel;

/// The viewer's window: the program text beside its drawing, the unreadable lines below the
/// text, the cursor, extents and lengths in the status bar. It follows its file: a change on
/// disk redraws it.
class PlotWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit PlotWindow(const QString& file, QWidget* parent = nullptr);
  ~PlotWindow() override;

  /// Reads the file again and shows it fitted.
  void Reload();
  /// Shows, unminimizes, raises and activates the window.
  void BringForward();
  /// Playback's place: the torch after `seconds` of the job as estimated.
  void PlayTo(double seconds);

  const LoadedPlot& Plot() const { return *plot_; }

 private:
  void BuildStatusBar();
  void ShowTotals();
  void BuildSettingsBar();
  void BuildViewKeys();
  void ApplySettings();
  void ShowMoveFacts(std::size_t move);
  void BuildPlaybackBar();
  /// Playback from the start of `move` (past the last: the end).
  void PlayFromMove(std::size_t move);
  void ShowPlayback(const PlaybackClock::Position& at);
  void StepMoves(std::ptrdiff_t by);
  void OnMeasureClick(double x, double y, double reach);
  void SelectLine(std::uint32_t line);
  void OnLineSelected(int row);
  void WatchFile();
  void ReloadIfChanged();

  QString file_;
  std::unique_ptr<LoadedPlot> plot_;
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
  std::unique_ptr<PlaybackClock> clock_;  // for the plot and settings shown
  QTimer playTimer_;
  double playSeconds_ = 0;
  std::size_t playMove_ = 0;  // the move under way; the number of moves once all are done
  double playSpeed_ = 10;
  QSlider* slider_ = nullptr;
  std::vector<QPointF> measured_;
  QFileSystemWatcher watcher_;
  QTimer reload_;
  QDateTime seenModified_;
  qint64 seenSize_ = -1;
};

}  // namespace talvo::plot
