// SPDX-License-Identifier: MIT
// The Win32 program: the toolkit-free screen flow carried out with Win32 windows.
#pragma once

#include <windows.h>

#include <memory>
#include <string_view>

#include "run_services.h"
#include "screen_flow.h"
#include "win32_screen_window.h"

namespace talvo::win {

/// Exactly one screen is open between clicks. A switch destroys the open window and then
/// builds the next one afresh, both within the click's handler; ending the program destroys the
/// open window and posts WM_QUIT to the thread's message loop.
class Program {
 public:
  explicit Program(screens::RunServices services);
  ~Program();

  /// Program start: opens the main menu `Form1` and does nothing else.
  void Start();

  /// The screen open now; null before Start and once the program has ended.
  Win32ScreenWindow* Current() const { return current_.get(); }

  /// The open screen's keyboard, for the message loop.
  bool TranslateKey(const MSG& message);

 private:
  void OnPress(std::string_view control);
  void OnClose();
  void Carry(const screens::Reaction& reaction);
  void Open(const screens::WindowDescription& screen);
  void CloseCurrent();
  void RunGeneration();

  screens::RunServices services_;
  screens::ScreenFlow flow_;
  std::unique_ptr<Win32ScreenWindow> current_;
  /// The last closed screen: its window is gone, but the object lives on until the next switch
  /// because the click that closed it may still be unwinding through it.
  std::unique_ptr<Win32ScreenWindow> closed_;
};

/// Runs the thread's message loop until WM_QUIT and returns its exit code.
int RunMessageLoop(Program& program);

/// Handles one message as the loop does: the screen's keyboard, then IsDialogMessageW, then
/// the usual translate and dispatch.
void DispatchScreenMessage(Program& program, MSG& message);

}  // namespace talvo::win
