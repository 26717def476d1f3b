// SPDX-License-Identifier: MIT
#include "cut_screen.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include "output_text.h"
#include "run_message.h"
#include "screen_tables.h"

namespace talvo::screens {

CutScreen::CutScreen(CutKind kind, RunServices services, QWidget* parent)
    : ScreenWindow(CutScreenDescription(kind), parent), kind_(kind), services_(std::move(services)) {
  connect(this, &ScreenWindow::pressed, this, [this](const QString& control) {
    if (control == QLatin1String("KOD")) RunGeneration();
  });
}

void CutScreen::RunGeneration() {
  // The kind's description names the fields its run reads; the screen only holds them.
  FieldTexts fields;
  for (const FieldSource& source : Describe(kind_).fields) {
    if (const auto* field = Control<QLineEdit>(source.control))
      fields.emplace(std::string(source.control), field->text().toStdString());
  }

  auto* box = Control<QPlainTextEdit>("Text1");
  std::string display = DisplayText(box->toPlainText());
  GenerationRun run(RunPaths::InRoot(services_.root), *services_.files, services_.starter);
  const RunOutcome outcome = run.Run(kind_, fields, display);

  // A refused run leaves the box as the operator left it; any other run has replaced its text.
  if (outcome.status != RunStatus::Refused) box->setPlainText(BoxText(display));
  if (!outcome.message.empty()) ShowRunMessage(this, outcome.message);
}

}  // namespace talvo::screens
