// SPDX-License-Identifier: MIT
#include "screen_flow.h"

#include <array>
#include <utility>

#include "screen_tables.h"

namespace talvo::screens {
namespace {

using Step = Reaction::Step;

// The menu's four pictures and the screen each opens.
constexpr std::array<std::pair<std::string_view, CutKind>, 4> kMenuPictures = {{
    {"ICCAP", CutKind::InnerCircle},
    {"DISCAP", CutKind::OuterCircle},
    {"DORTGENHAVZ", CutKind::InnerRectangle},
    {"KAREDIS", CutKind::OuterRectangle},
}};

constexpr std::string_view kExit = "Command1";
constexpr std::string_view kGenerate = "KOD";
constexpr std::string_view kBackToMenu = "ANAMENU";

Reaction MenuReaction(std::string_view control) {
  if (control == kExit) return {Step::EndProgram};
  for (const auto& [name, kind] : kMenuPictures) {
    if (control == name) return {Step::SwitchTo, &CutScreenDescription(kind)};
  }
  return {};
}

Reaction CutScreenReaction(std::string_view control) {
  if (control == kGenerate) return {Step::RunGeneration};
  if (control == kBackToMenu) return {Step::SwitchTo, &MenuDescription()};
  return {};
}

}  // namespace

Reaction ReactionToPress(const WindowDescription& screen, std::string_view control) {
  return screen.kind ? CutScreenReaction(control) : MenuReaction(control);
}

Reaction ReactionToClose(const WindowDescription&) { return {Step::EndProgram}; }

const WindowDescription& ScreenFlow::Start() {
  current_ = &MenuDescription();
  return *current_;
}

Reaction ScreenFlow::Press(std::string_view control) {
  if (!current_) return {};
  return Follow(ReactionToPress(*current_, control));
}

Reaction ScreenFlow::Closed() {
  if (!current_) return {};
  return Follow(ReactionToClose(*current_));
}

Reaction ScreenFlow::Follow(Reaction reaction) {
  if (reaction.step == Step::SwitchTo) current_ = reaction.target;
  if (reaction.step == Step::EndProgram) current_ = nullptr;
  return reaction;
}

}  // namespace talvo::screens
