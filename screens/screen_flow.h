// SPDX-License-Identifier: MIT
// The menu ⇄ screen flow without any toolkit: which screen a press opens, what ends the program.
// Each front end turns a reaction into windows; the decisions are made here once.
#pragma once

#include <string_view>

#include "screen_description.h"

namespace talvo::screens {

/// What a press on the open screen, or its closing by the window system, asks for.
struct Reaction {
  enum class Step {
    Nothing,        ///< the control reacts to nothing
    RunGeneration,  ///< "G KOD": one GenerationRun on the open cut screen
    SwitchTo,       ///< close the open screen, then open `target`, both within the one handler
    EndProgram,     ///< close the open screen and end the program
  };
  Step step = Step::Nothing;
  const WindowDescription* target = nullptr;  ///< the screen to open, for SwitchTo

  friend bool operator==(const Reaction&, const Reaction&) = default;
};

/// The reaction to a click on the control named `control` of `screen`.
Reaction ReactionToPress(const WindowDescription& screen, std::string_view control);

/// Closing any screen through the window system leaves no window, so the program ends.
Reaction ReactionToClose(const WindowDescription& screen);

/// Keeps which screen is open: none before Start and after the end, else exactly one.
class ScreenFlow {
 public:
  /// Program start: the main menu `Form1`, which the front end opens.
  const WindowDescription& Start();

  /// The screen open now; null before Start and once the program has ended.
  const WindowDescription* Current() const { return current_; }

  /// A click on a control of the open screen; after SwitchTo the target is the open screen.
  Reaction Press(std::string_view control);

  /// The open screen was closed by the window system.
  Reaction Closed();

 private:
  Reaction Follow(Reaction reaction);

  const WindowDescription* current_ = nullptr;
};

}  // namespace talvo::screens
