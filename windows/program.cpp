// SPDX-License-Identifier: MIT
#include "program.h"

#include <string>
#include <utility>

#include "win32_cut_screen_run.h"

namespace talvo::win {

using Step = screens::Reaction::Step;

Program::Program(screens::RunServices services) : services_(std::move(services)) {}

Program::~Program() = default;

void Program::Start() { Open(flow_.Start()); }

void Program::Open(const screens::WindowDescription& screen) {
  current_ = std::make_unique<Win32ScreenWindow>(
      screen, [this](std::string_view control) { OnPress(control); }, [this] { OnClose(); });
  current_->Present();
}

void Program::CloseCurrent() {
  if (!current_) return;
  current_->Destroy();
  closed_ = std::move(current_);
}

void Program::OnPress(std::string_view control) { Carry(flow_.Press(control)); }

void Program::OnClose() { Carry(flow_.Closed()); }

void Program::Carry(const screens::Reaction& reaction) {
  switch (reaction.step) {
    case Step::Nothing: return;
    case Step::RunGeneration: RunGeneration(); return;
    case Step::SwitchTo:
      CloseCurrent();
      Open(*reaction.target);
      return;
    case Step::EndProgram:
      CloseCurrent();
      PostQuitMessage(0);
      return;
  }
}

void Program::RunGeneration() {
  if (current_ && current_->Description().kind) RunOnCutScreen(*current_, services_);
}

bool Program::TranslateKey(const MSG& message) { return current_ && current_->TranslateKey(message); }

void DispatchScreenMessage(Program& program, MSG& message) {
  if (program.TranslateKey(message)) return;
  if (Win32ScreenWindow* screen = program.Current(); screen && IsDialogMessageW(screen->Handle(), &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int RunMessageLoop(Program& program) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchScreenMessage(program, message);
  return static_cast<int>(message.wParam);
}

}  // namespace talvo::win
