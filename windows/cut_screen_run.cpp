// SPDX-License-Identifier: MIT
#include "cut_screen_run.h"

#include <string>

#include "generation_run.h"
#include "screen_tables.h"
#include "text_conversion.h"

namespace talvo::win {

std::wstring WindowText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

void RunOnScreen(ScreenWindow& screen, CutKind kind, const screens::RunServices& services) {
  // The kind's description names the fields its run reads; the screen only holds them.
  FieldTexts fields;
  for (const FieldSource& source : Describe(kind).fields) {
    fields.emplace(std::string(source.control), Utf8(WindowText(screen.Control(source.control))));
  }
  // A multi-line edit control keeps its lines apart with CR LF, as the run's display text does.
  HWND box = screen.Control("Text1");
  std::string display = Utf8(WindowText(box));
  GenerationRun run(RunPaths::InRoot(services.root), *services.files, services.starter);
  const RunOutcome outcome = run.Run(kind, fields, display);

  // A refused run leaves the box as the operator left it; any other run has replaced its text.
  if (outcome.status != RunStatus::Refused) SetWindowTextW(box, Wide(display).c_str());
  if (!outcome.message.empty()) {
    // Every message box carries the program's name, the main menu's caption.
    MessageBoxW(screen.Handle(), Wide(outcome.message).c_str(), Wide(screens::MenuDescription().caption).c_str(),
                MB_OK);
  }
}

}  // namespace talvo::win
