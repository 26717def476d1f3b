// SPDX-License-Identifier: MIT
#include "win32_cut_screen_run.h"

#include <string>

#include "cut_screen_run.h"
#include "text_conversion.h"

namespace talvo::win {

void RunOnCutScreen(Win32ScreenWindow& screen, const screens::RunServices& services) {
  // A multi-line edit control keeps its lines apart with CR LF, as the run's display text does.
  const auto textOf = [&screen](std::string_view control) { return Utf8(WindowText(screen.Control(control))); };
  const screens::CutScreenShow show = screens::RunCutScreen(screen.Description(), textOf, services);
  if (show.boxText) SetWindowTextW(screen.Control(screens::kOutputBox), Wide(*show.boxText).c_str());
  if (!show.message.empty())
    MessageBoxW(screen.Handle(), Wide(show.message).c_str(), Wide(show.messageTitle).c_str(), MB_OK);
}

}  // namespace talvo::win
