// SPDX-License-Identifier: MIT
#include "plot_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QSlider>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "job_summary.h"
#include "plot_messages.h"
#include "plot_texts.h"
#include "plot_widget.h"
#include "program_lines_model.h"
#include "snap.h"

namespace talvo::plot {

namespace {

// Editors write a file in more than one step; reading waits for the writing to settle.
constexpr int kReloadDelayMs = 150;

QString Number(double value) { return QString::number(value, 'f', 3); }

// Hours, minutes and seconds, as an operator reads a job's time.
QString Duration(double seconds) {
  const auto whole = static_cast<long long>(std::llround(seconds));
  return QStringLiteral("%1:%2:%3")
      .arg(whole / 3600)
      .arg(whole / 60 % 60, 2, 10, QLatin1Char('0'))
      .arg(whole % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

PlotWindow::PlotWindow(const QString& file, QWidget* parent)
    : QMainWindow(parent), file_(QFileInfo(file).absoluteFilePath()), plot_(std::make_unique<LoadedPlot>()) {
  setWindowTitle(QStringLiteral("%1 - %2").arg(plot_text::kTitle, QFileInfo(file_).fileName()));
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
  connect(view_, &PlotWidget::CursorMoved, this, [this](double x, double y) {
    cursor_->setText(
        QStringLiteral("%1 %2   %3 %4").arg(plot_text::kCursorX, Number(x), plot_text::kCursorY, Number(y)));
  });
  connect(view_, &PlotWidget::MoveClicked, this,
          [this](std::size_t move) { SelectLine(plot_->program.moves[move].line); });
  connect(view_, &PlotWidget::MoveClicked, this, &PlotWindow::ShowMoveFacts);
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
  moveFacts_ = new QLabel(this);
  moveFacts_->setObjectName(QStringLiteral("moveFacts"));
  cursor_->setMinimumWidth(220);
  statusBar()->addWidget(cursor_);
  statusBar()->addWidget(units_);
  statusBar()->addWidget(moveFacts_);
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
  ApplySettings();
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

void PlotWindow::BuildSettingsBar() {
  QToolBar* bar = addToolBar(plot_text::kSettings);
  bar->setObjectName(QStringLiteral("settings"));
  bar->setMovable(false);
  // One spin box a setting; each change is kept and shown at once.
  const auto add = [&](const char* name, const char* caption, const char* tip, double* value, double most,
                       int decimals) {
    auto* label = new QLabel(QStringLiteral(" %1 ").arg(caption), bar);
    label->setToolTip(tip);
    auto* box = new QDoubleSpinBox(bar);
    box->setObjectName(name);
    box->setToolTip(tip);
    box->setDecimals(decimals);
    box->setRange(0, most);
    box->setValue(*value);
    bar->addWidget(label);
    bar->addWidget(box);
    connect(box, &QDoubleSpinBox::valueChanged, this, [this, value](double v) {
      *value = v;
      settings_.Save();
      ApplySettings();
    });
  };
  add("rapidRate", plot_text::kRapidRate, plot_text::kRapidRateTip, &settings_.job.rapidRate, 1e6, 0);
  add("pierceDelay", plot_text::kPierceDelay, plot_text::kPierceDelayTip, &settings_.job.pierceDelay, 60, 2);
  add("sheetX", plot_text::kSheet, plot_text::kSheetTip, &settings_.job.sheetX, 1e5, 0);
  add("sheetY", "x", plot_text::kSheetTip, &settings_.job.sheetY, 1e5, 0);
  add("sheetOriginX", plot_text::kSheetOrigin, plot_text::kSheetOriginTip, &settings_.job.sheetOriginX, 1e5, 0);
  add("sheetOriginY", ",", plot_text::kSheetOriginTip, &settings_.job.sheetOriginY, 1e5, 0);
  add("kerf", plot_text::kKerf, plot_text::kKerfTip, &settings_.kerf, 100, 2);
  auto* showKerf = new QCheckBox(bar);
  showKerf->setObjectName(QStringLiteral("showKerf"));
  showKerf->setToolTip(plot_text::kKerfTip);
  showKerf->setChecked(settings_.showKerf);
  bar->addWidget(showKerf);
  connect(showKerf, &QCheckBox::toggled, this, [this](bool on) {
    settings_.showKerf = on;
    settings_.Save();
    ApplySettings();
  });
}

void PlotWindow::BuildViewKeys() {
  // On the plot only, so the arrows still walk the program lines when those have the focus.
  const auto key = [this](const char* name, const QList<QKeySequence>& keys, auto act) {
    auto* action = new QAction(name, view_);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view_->addAction(action);
    connect(action, &QAction::triggered, view_, act);
  };
  constexpr double kZoomStep = 1.25, kPanPixels = 60;
  key(plot_text::kZoomIn, {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal)},
      [this] { view_->ZoomBy(kZoomStep); });
  key(plot_text::kZoomOut, {QKeySequence(Qt::Key_Minus)}, [this] { view_->ZoomBy(1 / kZoomStep); });
  // Left and Right walk the moves (playback); Ctrl with any arrow, or Up and Down, pan.
  key("←", {QKeySequence(Qt::CTRL | Qt::Key_Left)}, [this] { view_->PanBy(-kPanPixels, 0); });
  key("→", {QKeySequence(Qt::CTRL | Qt::Key_Right)}, [this] { view_->PanBy(kPanPixels, 0); });
  key("↑", {QKeySequence(Qt::Key_Up), QKeySequence(Qt::CTRL | Qt::Key_Up)}, [this] { view_->PanBy(0, -kPanPixels); });
  key("↓", {QKeySequence(Qt::Key_Down), QKeySequence(Qt::CTRL | Qt::Key_Down)},
      [this] { view_->PanBy(0, kPanPixels); });
}

void PlotWindow::BuildPlaybackBar() {
  addToolBarBreak();
  QToolBar* bar = addToolBar(plot_text::kPlayback);
  bar->setObjectName(QStringLiteral("playback"));
  bar->setMovable(false);
  // The playback keys act on the plot, so the program lines keep their own keys.
  const auto button = [&](const char* name, const char* caption, const char* tip, const QKeySequence& key, auto act) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setToolTip(tip);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view_->addAction(action);
    bar->addAction(action);
    connect(action, &QAction::triggered, this, act);
    return action;
  };
  button("first", plot_text::kFirstMove, plot_text::kFirstMove, QKeySequence(Qt::Key_Home),
         [this] { PlayFromMove(0); });
  button("back", plot_text::kStepBack, plot_text::kStepBackTip, QKeySequence(Qt::Key_Left), [this] { StepMoves(-1); });
  button("play", plot_text::kPlay, plot_text::kPlayTip, QKeySequence(Qt::Key_Space), [this] {
    if (playTimer_.isActive()) {
      playTimer_.stop();
      return;
    }
    if (clock_ && playSeconds_ >= clock_->TotalSeconds()) PlayFromMove(0);
    playTimer_.start();
  });
  button("forward", plot_text::kStepForward, plot_text::kStepForwardTip, QKeySequence(Qt::Key_Right),
         [this] { StepMoves(1); });
  button("last", plot_text::kLastMove, plot_text::kLastMove, QKeySequence(Qt::Key_End),
         [this] { PlayTo(clock_ ? clock_->TotalSeconds() : 0); });
  auto* speed = new QComboBox(bar);
  speed->setObjectName(QStringLiteral("speed"));
  for (const int times : {1, 10, 100}) speed->addItem(QStringLiteral("%1×").arg(times), times);
  speed->setCurrentIndex(1);
  bar->addWidget(speed);
  connect(speed, &QComboBox::currentIndexChanged, this,
          [this, speed](int index) { playSpeed_ = speed->itemData(index).toDouble(); });
  slider_ = new QSlider(Qt::Horizontal, bar);
  slider_->setObjectName(QStringLiteral("playSlider"));
  bar->addWidget(slider_);
  connect(slider_, &QSlider::sliderMoved, this, [this](int move) { PlayFromMove(static_cast<std::size_t>(move)); });
  constexpr int kTickMs = 30;
  playTimer_.setInterval(kTickMs);
  connect(&playTimer_, &QTimer::timeout, this, [this] {
    PlayTo(playSeconds_ + kTickMs / 1000.0 * playSpeed_);
    if (!clock_ || playSeconds_ >= clock_->TotalSeconds()) playTimer_.stop();
  });

  auto* measure = new QAction(plot_text::kMeasure, this);
  measure->setObjectName(QStringLiteral("measure"));
  measure->setToolTip(plot_text::kMeasureTip);
  measure->setCheckable(true);
  measure->setShortcut(QKeySequence(Qt::Key_M));
  bar->addSeparator();
  bar->addAction(measure);
  connect(measure, &QAction::toggled, this, [this](bool on) {
    measured_.clear();
    view_->SetMeasuring(on);
  });
  connect(view_, &PlotWidget::PointClicked, this, &PlotWindow::OnMeasureClick);
}

void PlotWindow::PlayTo(double seconds) {
  if (!clock_ || plot_->program.moves.empty()) return;
  playSeconds_ = std::clamp(seconds, 0.0, clock_->TotalSeconds());
  ShowPlayback(clock_->At(playSeconds_));
}

void PlotWindow::PlayFromMove(std::size_t move) {
  if (!clock_ || plot_->program.moves.empty()) return;
  playTimer_.stop();
  // Not by its time: a move that takes none, such as a rapid to where the torch stands,
  // would be passed over.
  const MoveList& moves = plot_->program.moves;
  if (move >= moves.size()) {
    PlayTo(clock_->TotalSeconds());
    return;
  }
  playSeconds_ = clock_->StartOf(move);
  PlaybackClock::Position at;
  at.move = move;
  at.x = moves.StartX(move);
  at.y = moves.StartY(move);
  ShowPlayback(at);
}

void PlotWindow::ShowPlayback(const PlaybackClock::Position& at) {
  playMove_ = at.done ? plot_->program.moves.size() : at.move;
  view_->SetPlayback(true, playMove_, at.x, at.y);
  slider_->setValue(static_cast<int>(at.move));
  SelectLine(plot_->program.moves.Line(at.move));
}

void PlotWindow::StepMoves(std::ptrdiff_t by) {
  // A step lands where a move starts: forward finishes the move under way, back undoes one.
  const auto count = static_cast<std::ptrdiff_t>(plot_->program.moves.size());
  PlayFromMove(
      static_cast<std::size_t>(std::clamp<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(playMove_) + by, 0, count)));
}

void PlotWindow::OnMeasureClick(double x, double y, double reach) {
  const auto snapped = Snap(plot_->program, plot_->index, x, y, reach);
  const QPointF p = snapped ? QPointF(snapped->x, snapped->y) : QPointF(x, y);
  if (measured_.size() >= 2) measured_.clear();
  measured_.push_back(p);
  view_->SetMeasured(measured_);
  if (measured_.size() < 2) return;
  const double dx = measured_[1].x() - measured_[0].x(), dy = measured_[1].y() - measured_[0].y();
  moveFacts_->setText(QStringLiteral("%1 %2   ΔX %3   ΔY %4")
                          .arg(plot_text::kDistance, Number(std::hypot(dx, dy)), Number(dx), Number(dy)));
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
  clock_ = std::make_unique<PlaybackClock>(plot_->program, settings_.job);
  playSeconds_ = 0;
  playMove_ = 0;
  if (slider_) slider_->setRange(0, std::max(0, static_cast<int>(plot_->program.moves.size()) - 1));

  if (!plot_->problem.empty() || plot_->program.moves.empty()) {
    summary_->clear();
    return;
  }
  const JobSummary s = SummarizeJob(plot_->program, settings_.job);
  const QString time = s.TimeKnown()
                           ? Duration(s.totalSeconds)
                           : QStringLiteral("%1: %2").arg(plot_text::kNoTime, QString::fromStdString(s.timeProblem));
  summary_->setText(QStringLiteral("%1  %2 x %3\n%4  %5\n%6  %7\n%8  %9\n%10  %11\n%12")
                        .arg(plot_text::kSize, Number(s.extents.maxX - s.extents.minX),
                             Number(s.extents.maxY - s.extents.minY), plot_text::kCut, Number(s.cutLength),
                             plot_text::kRapid, Number(s.rapidLength), plot_text::kPierces)
                        .arg(s.pierces)
                        .arg(plot_text::kTime, time,
                             s.fitsSheet       ? plot_text::kFits
                             : s.fitsSheetSize ? plot_text::kFitsElsewhere
                                               : plot_text::kDoesNotFit));
}

void PlotWindow::ShowMoveFacts(std::size_t move) {
  const PlotMove m = plot_->program.moves[move];
  const MoveFacts facts = FactsOfMove(m, settings_.job);
  const char* kind = m.IsArc() ? plot_text::kArc : m.IsCut() ? plot_text::kCut : plot_text::kRapid;
  const QString feed =
      m.IsCut() ? (m.feed == kNoFeed ? QStringLiteral("-") : Number(m.feed)) : Number(settings_.job.rapidRate);
  moveFacts_->setText(QStringLiteral("%1 %2  %3  %4 %5  %6 %7  %8")
                          .arg(plot_text::kLine)
                          .arg(m.line + 1)
                          .arg(kind, plot_text::kLength, Number(facts.length), plot_text::kFeed, feed,
                               facts.seconds >= 0 ? QStringLiteral("%1 s").arg(facts.seconds, 0, 'f', 2)
                                                  : QString(plot_text::kNoTime)));
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
