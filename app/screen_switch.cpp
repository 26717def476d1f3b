// SPDX-License-Identifier: MIT
#include "screen_switch.h"

#include <QCoreApplication>
#include <QEventLoopLocker>
#include <array>
#include <utility>

#include "cut_screen.h"
#include "screen_builder.h"
#include "screen_tables.h"

namespace talvo::app {
namespace {

constexpr std::array<std::pair<const char*, CutKind>, 4> kMenuPictures = {{
    {"ICCAP", CutKind::InnerCircle},
    {"DISCAP", CutKind::OuterCircle},
    {"DORTGENHAVZ", CutKind::InnerRectangle},
    {"KAREDIS", CutKind::OuterRectangle},
}};

}  // namespace

ScreenSwitch::ScreenSwitch(screens::RunServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)) {}

void ScreenSwitch::Start() { OpenMenu(); }

void ScreenSwitch::OpenMenu() {
  auto* menu = new screens::ScreenWindow(screens::MenuDescription());
  connect(menu, &screens::ScreenWindow::pressed, this, &ScreenSwitch::OnMenuPressed);
  Present(menu);
}

void ScreenSwitch::OpenCutScreen(CutKind kind) {
  auto* screen = new screens::CutScreen(kind, services_);
  connect(screen, &screens::ScreenWindow::pressed, this, &ScreenSwitch::OnCutScreenPressed);
  Present(screen);
}

void ScreenSwitch::Present(screens::ScreenWindow* window) {
  window->setAttribute(Qt::WA_DeleteOnClose);
  current_ = window;
  screens::PresentCentred(*window);
}

void ScreenSwitch::CloseCurrent() {
  if (current_) current_->close();
}

void ScreenSwitch::OnMenuPressed(const QString& control) {
  if (control == QLatin1String("Command1")) {
    CloseCurrent();
    QCoreApplication::quit();
    return;
  }
  for (const auto& [name, kind] : kMenuPictures) {
    if (control != QLatin1String(name)) continue;
    // Between closing and opening no window is open; the lock keeps that moment from
    // counting as the last window closed.
    const QEventLoopLocker stayRunning;
    CloseCurrent();
    OpenCutScreen(kind);
    return;
  }
}

void ScreenSwitch::OnCutScreenPressed(const QString& control) {
  if (control != QLatin1String("ANAMENU")) return;
  const QEventLoopLocker stayRunning;
  CloseCurrent();
  OpenMenu();
}

}  // namespace talvo::app
