// SPDX-License-Identifier: MIT
// A cut screen: its fields over the illustration, "G KOD" and the output box `Text1`.
#pragma once

#include "cut_kind.h"
#include "run_services.h"
#include "screen_window.h"

namespace talvo::screens {

/// Runs one GenerationRun per press of "G KOD"; "ANA MENÜ" is left to whoever opened it,
/// through the window's pressed() signal.
class CutScreen : public ScreenWindow {
  Q_OBJECT

 public:
  CutScreen(CutKind kind, RunServices services, QWidget* parent = nullptr);

  CutKind Kind() const { return kind_; }

 private:
  void RunGeneration();

  CutKind kind_;
  RunServices services_;
};

}  // namespace talvo::screens
