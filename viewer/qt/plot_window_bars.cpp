// SPDX-License-Identifier: MIT
// The window's tool bars and keys: settings, view keys, playback and measuring.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSlider>
#include <QToolBar>

#include "plot_texts.h"
#include "plot_widget.h"
#include "plot_window.h"
#include "setting_limits.h"

namespace talvo::plot {

void PlotWindow::BuildSettingsBar() {
  QToolBar* bar = addToolBar(plot_text::kSettings);
  bar->setObjectName(QStringLiteral("settings"));
  bar->setMovable(false);
  // One spin box a setting; each change is kept and shown at once.
  const auto add = [&](const SettingLimits& limits, const char* caption, const char* tip, double* value) {
    auto* label = new QLabel(QStringLiteral(" %1 ").arg(caption), bar);
    label->setToolTip(tip);
    auto* box = new QDoubleSpinBox(bar);
    box->setObjectName(limits.key);
    box->setToolTip(tip);
    box->setDecimals(limits.decimals);
    // Only values the setting may take can be typed, so none is kept that a later start ignores.
    box->setRange(limits.BoxLeast(), limits.most);
    box->setValue(*value);
    bar->addWidget(label);
    bar->addWidget(box);
    connect(box, &QDoubleSpinBox::valueChanged, this, [this, value](double v) {
      *value = v;
      settings_.Save();
      ApplySettings();
    });
  };
  add(kRapidRateLimits, plot_text::kRapidRate, plot_text::kRapidRateTip, &settings_.job.rapidRate);
  add(kPierceDelayLimits, plot_text::kPierceDelay, plot_text::kPierceDelayTip, &settings_.job.pierceDelay);
  add(kSheetXLimits, plot_text::kSheet, plot_text::kSheetTip, &settings_.job.sheetX);
  add(kSheetYLimits, "x", plot_text::kSheetTip, &settings_.job.sheetY);
  add(kSheetOriginXLimits, plot_text::kSheetOrigin, plot_text::kSheetOriginTip, &settings_.job.sheetOriginX);
  add(kSheetOriginYLimits, ",", plot_text::kSheetOriginTip, &settings_.job.sheetOriginY);
  add(kKerfLimits, plot_text::kKerf, plot_text::kKerfTip, &settings_.kerf);
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
    connect(action, &QAction::triggered, this, [this, act] { ShowPlayback(act(playback_)); });
    return action;
  };
  using Playback = PlaybackController;
  button("first", plot_text::kFirstMove, plot_text::kFirstMove, QKeySequence(Qt::Key_Home),
         [](Playback& p) { return p.Home(); });
  button("back", plot_text::kStepBack, plot_text::kStepBackTip, QKeySequence(Qt::Key_Left),
         [](Playback& p) { return p.Step(-1); });
  button("play", plot_text::kPlay, plot_text::kPlayTip, QKeySequence(Qt::Key_Space),
         [](Playback& p) { return p.PlayOrPause(); });
  button("forward", plot_text::kStepForward, plot_text::kStepForwardTip, QKeySequence(Qt::Key_Right),
         [](Playback& p) { return p.Step(1); });
  button("last", plot_text::kLastMove, plot_text::kLastMove, QKeySequence(Qt::Key_End),
         [](Playback& p) { return p.End(); });
  auto* speed = new QComboBox(bar);
  speed->setObjectName(QStringLiteral("speed"));
  for (const int times : {1, 10, 100}) speed->addItem(QStringLiteral("%1×").arg(times), times);
  speed->setCurrentIndex(1);
  bar->addWidget(speed);
  connect(speed, &QComboBox::currentIndexChanged, this,
          [this, speed](int index) { playback_.SetSpeed(speed->itemData(index).toDouble()); });
  slider_ = new QSlider(Qt::Horizontal, bar);
  slider_->setObjectName(QStringLiteral("playSlider"));
  bar->addWidget(slider_);
  connect(slider_, &QSlider::sliderMoved, this,
          [this](int move) { ShowPlayback(playback_.FromMove(static_cast<std::size_t>(move))); });
  constexpr int kTickMs = 30;
  playTimer_.setInterval(kTickMs);
  connect(&playTimer_, &QTimer::timeout, this, [this] { ShowPlayback(playback_.Tick(kTickMs / 1000.0)); });
  BuildMeasureAction(bar);
}

void PlotWindow::BuildMeasureAction(QToolBar* bar) {
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

}  // namespace talvo::plot
