// SPDX-License-Identifier: MIT
// The screen switch: exactly one screen is open between clicks.
#pragma once

#include <QObject>
#include <QPointer>

#include "qt_screen_window.h"
#include "run_services.h"
#include "screen_flow.h"

namespace talvo::qt {

/// Carries out the decisions of the toolkit-free ScreenFlow with Qt windows, "G KOD" included:
/// nothing else decides what a press does. Every switch
/// closes the open screen and then opens the next one, both within the click's handler. A
/// closed window is destroyed, never hidden; the next opening builds it afresh. When a screen
/// is closed outside a handler, by the window system, no window is left and the application
/// ends on its own (quit on last window closed).
class ScreenSwitch : public QObject {
  Q_OBJECT

 public:
  explicit ScreenSwitch(screens::RunServices services, QObject* parent = nullptr);

  /// Program start: opens the main menu `Form1`.
  void Start();

  /// The screen open now; null once the program has ended.
  QtScreenWindow* Current() const { return current_.data(); }

 private:
  void Open(const screens::WindowDescription& screen);
  void CloseCurrent();
  void OnPressed(const QString& control);

  screens::RunServices services_;
  screens::ScreenFlow flow_;
  QPointer<QtScreenWindow> current_;
  const QObject* open_ = nullptr;  ///< the open window until the switch itself closes it
};

}  // namespace talvo::qt
