// SPDX-License-Identifier: MIT
#include "qt_cut_screen_run.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>

#include "cut_screen_run.h"
#include "output_text.h"
#include "run_message.h"

namespace talvo::qt {

void RunOnCutScreen(QtScreenWindow& screen, const screens::RunServices& services) {
  auto* box = screen.Control<QPlainTextEdit>(screens::kOutputBox);
  const auto textOf = [&screen, box](std::string_view control) -> std::string {
    if (control == screens::kOutputBox) return DisplayText(box->toPlainText());
    const auto* field = screen.Control<QLineEdit>(control);
    return field ? field->text().toStdString() : std::string();
  };
  const screens::CutScreenShow show = screens::RunCutScreen(screen.Description(), textOf, services);
  if (show.boxText) box->setPlainText(BoxText(*show.boxText));
  if (!show.message.empty()) ShowRunMessage(&screen, show.messageTitle, show.message);
}

}  // namespace talvo::qt
