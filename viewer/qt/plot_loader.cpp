// SPDX-License-Identifier: MIT
#include "plot_loader.h"

#include <QFile>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>
#include <string>

namespace talvo::plot {

namespace {

// Often enough for a bar that moves smoothly, seldom enough to cost the reading nothing.
constexpr int kPollMs = 40;

}  // namespace

PlotLoader::PlotLoader(QObject* parent) : QObject(parent) {
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, [this] {
    if (progress_) emit Progress(progress_->Percent());
  });
  connect(&watcher_, &QFutureWatcher<std::shared_ptr<LoadedPlot>>::finished, this, &PlotLoader::TakeResult);
}

PlotLoader::~PlotLoader() { Cancel(); }

void PlotLoader::Cancel() {
  Stop();
  watcher_.waitForFinished();  // the reading stops within a chunk of lines
}

void PlotLoader::Stop() {
  poll_.stop();
  if (progress_) progress_->stop = true;
  progress_.reset();
}

void PlotLoader::Load(const QString& file) {
  Stop();
  const std::string path = QFile::encodeName(file).toStdString();
  if (QFileInfo(file).size() < kElsewhereFrom) {
    // A stopped reading may still end on the other thread: its plot is not this one.
    watcher_.setFuture({});
    emit Loaded(std::make_shared<LoadedPlot>(LoadPlot(path)));
    return;
  }
  // The reading keeps its own hold on its progress, so a stopped one outlives the loader's.
  auto progress = std::make_shared<ReadProgress>();
  progress_ = progress;
  watcher_.setFuture(QtConcurrent::run([path, progress] {
    auto plot = std::make_shared<LoadedPlot>(LoadPlot(path, progress.get()));
    return progress->Stopped() ? nullptr : plot;
  }));
  emit Progress(0);
  poll_.start();
}

void PlotLoader::TakeResult() {
  if (watcher_.isCanceled() || !progress_) return;
  std::shared_ptr<LoadedPlot> plot = watcher_.result();
  poll_.stop();
  progress_.reset();
  if (plot) emit Loaded(std::move(plot));
}

}  // namespace talvo::plot
