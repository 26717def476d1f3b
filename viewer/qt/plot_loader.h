// SPDX-License-Identifier: MIT
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

#include "loaded_plot.h"

namespace talvo::plot {

/// Reads a program file for the window. A large file is read on another thread, so the window
/// is shown and answers at once: Progress() tells the share read while it runs, Loaded() hands
/// over the plot. A small file is read on the spot, as a thread would cost more than the reading.
/// A new Load() or the loader's end stops a reading still running and drops its plot.
class PlotLoader : public QObject {
  Q_OBJECT

 public:
  /// Files from this size on are read on another thread.
  static constexpr qint64 kElsewhereFrom = qint64{256} * 1024;

  explicit PlotLoader(QObject* parent = nullptr);
  ~PlotLoader() override;

  void Load(const QString& file);
  /// Stops a reading still running and waits the short while it takes to end.
  void Cancel();
  bool Loading() const { return watcher_.isRunning(); }

 signals:
  void Progress(int percent);
  /// The plot read; the loader keeps no part of it.
  void Loaded(std::shared_ptr<LoadedPlot> plot);

 private:
  void Stop();
  void TakeResult();

  std::shared_ptr<ReadProgress> progress_;
  QFutureWatcher<std::shared_ptr<LoadedPlot>> watcher_;
  QTimer poll_;
};

}  // namespace talvo::plot
