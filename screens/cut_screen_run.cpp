// SPDX-License-Identifier: MIT
#include "cut_screen_run.h"

#include <utility>

#include "generation_run.h"
#include "screen_tables.h"

namespace talvo::screens {

CutScreenShow RunCutScreen(const WindowDescription& screen, const ControlText& textOf, const RunServices& services) {
  // The screen says which value each field feeds; the kind's description, which it reads.
  FieldTexts fields;
  for (const FieldControl& field : screen.fields) fields.emplace(field.value, textOf(field.control));
  std::string display = textOf(kOutputBox);
  GenerationRun run(RunPaths::InRoot(services.root), *services.files, services.starter);
  const RunOutcome outcome = run.Run(*screen.kind, fields, display);

  CutScreenShow show;
  // A refused run leaves the box as the operator left it; any other run has replaced its text.
  if (outcome.status != RunStatus::Refused) show.boxText = std::move(display);
  show.message = outcome.message;
  show.messageTitle = MenuDescription().caption;
  return show;
}

}  // namespace talvo::screens
