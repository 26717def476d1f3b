// SPDX-License-Identifier: MIT
#include "plot_window.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "plot_messages.h"
#include "plot_texts.h"
#include "plot_widget.h"
#include "program_lines_model.h"

namespace talvo::plot {

namespace {

// Editors write a file in more than one step; reading waits for the writing to settle.
constexpr int kReloadDelayMs = 150;

QString Number(double value) { return QString::number(value, 'f', 3); }

}  // namespace

PlotWindow::PlotWindow(const QString& file, QWidget* parent)
    : QMainWindow(parent), file_(QFileInfo(file).absoluteFilePath()), plot_(std::make_unique<LoadedPlot>()) {
  setWindowTitle(QStringLiteral("%1 - %2").arg(plot_text::kTitle, QFileInfo(file_).fileName()));
  if (QFile::exists(QStringLiteral(":/pictures/icon.png"))) setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
  resize(1200, 800);

  auto* fit = new QAction(plot_text::kFit, this);
  fit->setObjectName(QStringLiteral("fit"));
  fit->setToolTip(plot_text::kFitTip);
  fit->setShortcuts({QKeySequence(Qt::Key_F), QKeySequence(Qt::Key_Home)});
  QToolBar* bar = addToolBar(plot_text::kFit);
  bar->setMovable(false);
  bar->addAction(fit);

  auto* splitter = new QSplitter(this);
  auto* side = new QWidget(splitter);
  auto* sideLayout = new QVBoxLayout(side);
  sideLayout->setContentsMargins(0, 0, 0, 0);
  lines_ = new ProgramLinesModel(this);
  linesView_ = new QListView(side);
  linesView_->setObjectName(QStringLiteral("lines"));
  linesView_->setModel(lines_);
  linesView_->setUniformItemSizes(true);
  linesView_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  linesView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sideLayout->addWidget(linesView_, 3);
  auto* errorsTitle = new QLabel(plot_text::kErrors, side);
  errorsTitle->setObjectName(QStringLiteral("errorsTitle"));
  errors_ = new QListWidget(side);
  errors_->setObjectName(QStringLiteral("errors"));
  sideLayout->addWidget(errorsTitle);
  sideLayout->addWidget(errors_, 1);
  view_ = new PlotWidget(splitter);
  view_->setObjectName(QStringLiteral("plot"));
  splitter->addWidget(side);
  splitter->addWidget(view_);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({320, 880});
  setCentralWidget(splitter);
  BuildStatusBar();

  connect(fit, &QAction::triggered, view_, &PlotWidget::Fit);
  connect(view_, &PlotWidget::CursorMoved, this, [this](double x, double y) {
    cursor_->setText(
        QStringLiteral("%1 %2   %3 %4").arg(plot_text::kCursorX, Number(x), plot_text::kCursorY, Number(y)));
  });
  connect(view_, &PlotWidget::MoveClicked, this,
          [this](std::size_t move) { SelectLine(plot_->program.moves[move].line); });
  connect(linesView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { OnLineSelected(current.row()); });
  connect(errors_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row < static_cast<int>(plot_->program.errors.size())) SelectLine(plot_->program.errors[row].line);
  });

  reload_.setSingleShot(true);
  reload_.setInterval(kReloadDelayMs);
  connect(&reload_, &QTimer::timeout, this, &PlotWindow::ReloadIfChanged);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { reload_.start(); });
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { reload_.start(); });
  Reload();
}

PlotWindow::~PlotWindow() {
  // The views hold pointers into the plot; let go of them first.
  view_->SetMessage({});
  lines_->SetPlot(nullptr);
}

void PlotWindow::BuildStatusBar() {
  cursor_ = new QLabel(this);
  cursor_->setObjectName(QStringLiteral("cursor"));
  units_ = new QLabel(this);
  units_->setObjectName(QStringLiteral("units"));
  extents_ = new QLabel(this);
  extents_->setObjectName(QStringLiteral("extents"));
  lengths_ = new QLabel(this);
  lengths_->setObjectName(QStringLiteral("lengths"));
  cursor_->setMinimumWidth(220);
  statusBar()->addWidget(cursor_);
  statusBar()->addWidget(units_);
  statusBar()->addPermanentWidget(extents_);
  statusBar()->addPermanentWidget(lengths_);
}

void PlotWindow::Reload() {
  const QFileInfo info(file_);
  seenModified_ = info.lastModified();
  seenSize_ = info.exists() ? info.size() : -1;
  auto next = std::make_unique<LoadedPlot>(LoadPlot(QFile::encodeName(file_).toStdString()));
  // Detach the views before the old plot goes.
  view_->SetMessage({});
  lines_->SetPlot(nullptr);
  plot_ = std::move(next);
  lines_->SetPlot(plot_.get());

  errors_->clear();
  const auto& program = plot_->program;
  for (const auto& e : program.errors) {
    errors_->addItem(
        QStringLiteral("%1 %2: %3").arg(plot_text::kLine).arg(e.line + 1).arg(QString::fromStdString(e.reason)));
  }
  if (program.errorCount > program.errors.size()) {
    errors_->addItem(
        QStringLiteral("… %1 %2").arg(program.errorCount - program.errors.size()).arg(plot_text::kMoreErrors));
  }
  const bool hasErrors = program.errorCount > 0;
  errors_->setVisible(hasErrors);
  findChild<QLabel*>(QStringLiteral("errorsTitle"))->setVisible(hasErrors);

  if (!plot_->problem.empty()) {
    view_->SetMessage(QStringLiteral("%1\n%2").arg(QString::fromStdString(plot_->problem), file_));
  } else if (program.moves.empty()) {
    view_->SetMessage(QStringLiteral("%1\n%2").arg(msg::kNoMoves, file_));
  } else {
    view_->SetPlot(plot_.get());
  }
  statusBar()->showMessage(view_->Message());
  ShowTotals();
  WatchFile();
}

void PlotWindow::ShowTotals() {
  const auto& p = plot_->program;
  units_->setText(p.units == PlotUnits::Inch ? plot_text::kInch : plot_text::kMillimetre);
  if (p.extents.Empty()) {
    extents_->clear();
  } else {
    extents_->setText(QStringLiteral("%1  X %2 … %3   Y %4 … %5")
                          .arg(plot_text::kExtents, Number(p.extents.minX), Number(p.extents.maxX),
                               Number(p.extents.minY), Number(p.extents.maxY)));
  }
  lengths_->setText(QStringLiteral("%1 %2   %3 %4")
                        .arg(plot_text::kCut, Number(p.cutLength), plot_text::kRapid, Number(p.rapidLength)));
}

void PlotWindow::SelectLine(std::uint32_t line) {
  const QModelIndex index = lines_->index(static_cast<int>(line));
  if (!index.isValid()) return;
  linesView_->setCurrentIndex(index);
  linesView_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void PlotWindow::OnLineSelected(int row) {
  if (row < 0) {
    view_->SetHighlight({0, 0});
    return;
  }
  view_->SetHighlight(plot_->program.MovesOfLine(static_cast<std::uint32_t>(row)));
}

void PlotWindow::WatchFile() {
  // A program rewritten by deleting and writing anew drops out of the watch; the folder's
  // watch sees it come back.
  if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
  if (QFileInfo::exists(file_)) watcher_.addPath(file_);
  const QString folder = QFileInfo(file_).absolutePath();
  if (watcher_.directories().isEmpty() && QFileInfo::exists(folder)) watcher_.addPath(folder);
}

void PlotWindow::ReloadIfChanged() {
  const QFileInfo info(file_);
  const qint64 size = info.exists() ? info.size() : -1;
  if (size == seenSize_ && info.lastModified() == seenModified_) {
    WatchFile();
    return;
  }
  Reload();
}

void PlotWindow::BringForward() {
  show();
  setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  raise();
  activateWindow();
}

}  // namespace talvo::plot
