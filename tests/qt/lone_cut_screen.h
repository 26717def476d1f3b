// SPDX-License-Identifier: MIT
// A cut screen opened on its own, without the menu before it: its presses are carried out as the
// screen switch carries them out, by the flow's decision.
#pragma once

#include <QString>

#include "qt_cut_screen_run.h"
#include "qt_screen_window.h"
#include "run_services.h"
#include "screen_flow.h"
#include "screen_tables.h"

namespace talvo::test_support {

class LoneCutScreen : public qt::QtScreenWindow {
 public:
  LoneCutScreen(CutKind kind, const screens::RunServices& services)
      : QtScreenWindow(screens::CutScreenDescription(kind)) {
    connect(this, &QtScreenWindow::pressed, this, [this, services](const QString& control) {
      const screens::Reaction reaction = screens::ReactionToPress(Description(), control.toStdString());
      if (reaction.step == screens::Reaction::Step::RunGeneration) qt::RunOnCutScreen(*this, services);
    });
  }
};

}  // namespace talvo::test_support
