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
#include <QProgressBar>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "plot_messages.h"
#include "plot_texts.h"
#include "plot_widget.h"
#include "program_lines_model.h"
#include "snap.h"
#include "window_texts.h"

namespace talvo::plot {

namespace {

QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

PlotWindow::PlotWindow(const QString& file, QWidget* parent)
    : QMainWindow(parent), file_(QFileInfo(file).absoluteFilePath()), plot_(std::make_shared<LoadedPlot>()) {
  setWindowTitle(Text(WindowTitle(QFileInfo(file_).fileName().toStdString())));
  if (QFile::exists(QStringLiteral(":/pictures/icon.png"))) setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.png")));
  resize(1200, 800);

  auto* fit = new QAction(plot_text::kFit, this);
  fit->setObjectName(QStringLiteral("fit"));
  fit->setToolTip(plot_text::kFitTip);
  fit->setShortcut(QKeySequence(Qt::Key_F));
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
  summary_ = new QLabel(side);
  summary_->setObjectName(QStringLiteral("summary"));
  summary_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  summary_->setWordWrap(true);
  // Kept settings that were ignored, so the operator knows why a default is back.
  auto* settingsNote = new QLabel(side);
  settingsNote->setObjectName(QStringLiteral("settingsNote"));
  settingsNote->setWordWrap(true);
  settingsNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QStringList notes;
  for (const std::string& note : settings_.ignored) notes << Text(note);
  settingsNote->setText(notes.join(QLatin1Char('\n')));
  settingsNote->setVisible(!notes.isEmpty());
  sideLayout->addWidget(settingsNote);
  sideLayout->addWidget(summary_);
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
  BuildSettingsBar();
  BuildViewKeys();
  BuildPlaybackBar();

  connect(fit, &QAction::triggered, view_, &PlotWidget::Fit);
  connect(view_, &PlotWidget::CursorMoved, this,
          [this](double x, double y) { cursor_->setText(Text(CursorText(x, y))); });
  connect(view_, &PlotWidget::MoveClicked, this,
          [this](std::size_t move) { SelectLine(plot_->program.moves[move].line); });
  connect(view_, &PlotWidget::MoveClicked, this, &PlotWindow::ShowMoveFacts);
  connect(linesView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { OnLineSelected(current.row()); });
  connect(errors_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row < static_cast<int>(plot_->program.errors.size())) SelectLine(plot_->program.errors[row].line);
  });

  connect(&follower_, &FileFollower::Changed, this, &PlotWindow::Reload);
  connect(&loader_, &PlotLoader::Progress, this, &PlotWindow::ShowReading);
  connect(&loader_, &PlotLoader::Loaded, this, &PlotWindow::ShowLoaded);
  // The bar stays through the first drawing of a plot read elsewhere, which may take as long.
  connect(view_, &PlotWidget::Drawn, progress_, &QWidget::hide);
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
  moveFacts_ = new QLabel(this);
  moveFacts_->setObjectName(QStringLiteral("moveFacts"));
  cursor_->setMinimumWidth(220);
  statusBar()->addWidget(cursor_);
  statusBar()->addWidget(units_);
  statusBar()->addWidget(moveFacts_);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("readProgress"));
  progress_->setMaximumWidth(220);
  progress_->hide();
  statusBar()->addPermanentWidget(progress_);
  statusBar()->addPermanentWidget(extents_);
  statusBar()->addPermanentWidget(lengths_);
}

void PlotWindow::Reload() {
  follower_.Follow(file_);
  loader_.Load(file_);
}

void PlotWindow::closeEvent(QCloseEvent* event) {
  loader_.Cancel();
  progress_->hide();
  QMainWindow::closeEvent(event);
}

bool PlotWindow::Busy() const { return loader_.Loading() || !progress_->isHidden(); }

void PlotWindow::ShowReading(int percent) {
  progress_->setRange(0, 100);
  progress_->setValue(percent);
  progress_->setFormat(QStringLiteral("%1 %p%").arg(plot_text::kReading));
  progress_->show();
}

void PlotWindow::ShowLoaded(std::shared_ptr<LoadedPlot> next) {
  // Detach the views before the old plot goes.
  view_->SetMessage({});
  lines_->SetPlot(nullptr);
  plot_ = std::move(next);
  lines_->SetPlot(plot_.get());

  errors_->clear();
  const auto& program = plot_->program;
  for (const auto& e : program.errors) {
    errors_->addItem(Text(ErrorLineText(e)));
  }
  if (program.errorCount > program.errors.size()) {
    errors_->addItem(Text(MoreErrorsText(program.errorCount - program.errors.size())));
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
  ApplySettings();
  statusBar()->showMessage(view_->Message());
  ShowTotals();
  if (progress_->isHidden()) return;
  if (plot_->problem.empty() && !plot_->program.moves.empty()) {
    progress_->setRange(0, 0);  // drawing has no share to show
    progress_->setFormat(plot_text::kDrawing);
  } else {
    progress_->hide();
  }
}

void PlotWindow::ShowTotals() {
  const auto& p = plot_->program;
  units_->setText(Text(UnitsText(p.units)));
  extents_->setText(Text(ExtentsText(p.extents)));
  lengths_->setText(Text(LengthsText(p)));
}

void PlotWindow::PlayTo(double seconds) { ShowPlayback(playback_.PlayTo(seconds)); }

void PlotWindow::ShowPlayback(const std::optional<PlaybackController::Position>& at) {
  if (at) {
    view_->SetPlayback(true, playback_.CurrentMove(), at->x, at->y);
    slider_->setValue(static_cast<int>(at->move));
    SelectLine(plot_->program.moves.Line(at->move));
  }
  if (!playback_.Playing())
    playTimer_.stop();
  else if (!playTimer_.isActive())
    playTimer_.start();
}

void PlotWindow::OnMeasureClick(double x, double y, double reach) {
  const auto snapped = Snap(plot_->program, plot_->Index(), x, y, reach);
  const QPointF p = snapped ? QPointF(snapped->x, snapped->y) : QPointF(x, y);
  if (measured_.size() >= 2) measured_.clear();
  measured_.push_back(p);
  view_->SetMeasured(measured_);
  if (measured_.size() < 2) return;
  moveFacts_->setText(Text(DistanceText(measured_[0].x(), measured_[0].y(), measured_[1].x(), measured_[1].y())));
}

void PlotWindow::ApplySettings() {
  // The sheet is kept in millimetres; an inch program is drawn in inches.
  const double unit = plot_->program.units == PlotUnits::Inch ? 25.4 : 1;
  PlotStyle style;
  style.sheetX = settings_.job.sheetX / unit;
  style.sheetY = settings_.job.sheetY / unit;
  style.sheetLeft = -settings_.job.sheetOriginX / unit;
  style.sheetBottom = -settings_.job.sheetOriginY / unit;
  style.kerf = settings_.showKerf ? settings_.kerf : 0;
  view_->SetStyle(style);
  playTimer_.stop();
  view_->SetPlayback(false);
  playback_.Load(plot_->program, settings_.job);
  if (slider_) slider_->setRange(0, std::max(0, static_cast<int>(plot_->program.moves.size()) - 1));

  if (!plot_->problem.empty() || plot_->program.moves.empty()) {
    summary_->clear();
    return;
  }
  summary_->setText(Text(JobSummaryText(plot_->program, settings_.job)));
}

void PlotWindow::ShowMoveFacts(std::size_t move) {
  moveFacts_->setText(Text(MoveFactsText(plot_->program.moves[move], settings_.job)));
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
  const auto moves = plot_->program.MovesOfLine(static_cast<std::uint32_t>(row));
  view_->SetHighlight(moves);
  if (moves.first < moves.second)
    ShowMoveFacts(moves.first);
  else
    moveFacts_->clear();
}

void PlotWindow::BringForward() {
  show();
  setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  raise();
  activateWindow();
}

}  // namespace talvo::plot
