// SPDX-License-Identifier: MIT
#include "screen_switch.h"

#include <QCoreApplication>
#include <QEventLoopLocker>
#include <utility>

#include "qt_cut_screen_run.h"
#include "screen_builder.h"

namespace talvo::qt {

using Step = screens::Reaction::Step;

ScreenSwitch::ScreenSwitch(screens::RunServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)) {}

void ScreenSwitch::Start() { Open(flow_.Start()); }

void ScreenSwitch::Open(const screens::WindowDescription& screen) {
  auto* window = new QtScreenWindow(screen);
  connect(window, &QtScreenWindow::pressed, this, &ScreenSwitch::OnPressed);
  // A window destroyed while still the open one was closed by the window system: the flow
  // learns that the program ends, which Qt carries out as the last window closed.
  connect(window, &QObject::destroyed, this, [this](QObject* gone) {
    if (gone == open_) flow_.Closed();
  });
  window->setAttribute(Qt::WA_DeleteOnClose);
  current_ = window;
  open_ = window;
  PresentCentred(*window);
}

void ScreenSwitch::CloseCurrent() {
  open_ = nullptr;
  if (current_) current_->close();
}

void ScreenSwitch::OnPressed(const QString& control) {
  if (sender() != current_.data()) return;
  const screens::Reaction reaction = flow_.Press(control.toStdString());
  switch (reaction.step) {
    case Step::Nothing: return;
    case Step::RunGeneration:
      if (current_) RunOnCutScreen(*current_, services_);
      return;
    case Step::EndProgram:
      CloseCurrent();
      QCoreApplication::quit();
      return;
    case Step::SwitchTo: {
      // Between closing and opening no window is open; the lock keeps that moment from
      // counting as the last window closed.
      const QEventLoopLocker stayRunning;
      CloseCurrent();
      Open(*reaction.target);
      return;
    }
  }
}

}  // namespace talvo::qt
