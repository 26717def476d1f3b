// SPDX-License-Identifier: MIT
// What "G KOD" does: read the fields, write the launcher and the program, read the program back
// into the display without spaces, rewrite it from there and start the viewer.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "cut_kind.h"
#include "run_files.h"

namespace talvo {

/// Where a run writes its two files.
struct RunPaths {
  std::filesystem::path programFile;
  std::filesystem::path launcherFile;
  /// Runs that share it take turns; none when empty.
  std::filesystem::path lockFile;

  /// ALANTEMIZLEME.TXT and A.BAT in the given root folder, and the runs' lock beside them.
  static RunPaths InRoot(const std::filesystem::path& root);
};

/// Starts the viewer on a finished program without waiting for it.
class LauncherStarter {
 public:
  virtual ~LauncherStarter() = default;
  /// Returns the reason when nothing could be started.
  virtual std::optional<std::string> Start(const RunPaths& paths) = 0;
};

/// A field's current text, by the value it feeds; a value without a text reads as empty.
using FieldTexts = std::map<CutValue, std::string>;

enum class RunStatus {
  Done,     ///< both files written, the display holds the program, the viewer was asked to start
  Refused,  ///< a value was refused before anything was touched
  Failed,   ///< a file step failed; the run stopped there, left both files as they were and started nothing
};

struct RunOutcome {
  RunStatus status = RunStatus::Done;
  /// For the operator: the refusal or failure, or a Done run's note that the viewer did not start.
  std::string message;
};

class GenerationRun {
 public:
  /// The starter may be null: the run then writes and displays but starts nothing.
  GenerationRun(RunPaths paths, RunFiles& files, LauncherStarter* starter);

  /// One press of "G KOD". `display` is the output box's text; it is only touched once the
  /// values have been accepted.
  RunOutcome Run(CutKind kind, const FieldTexts& fields, std::string& display);

 private:
  RunPaths paths_;
  RunFiles& files_;
  LauncherStarter* starter_;
};

/// The numbers of a kind's fields, or the refusal message.
struct ReadInputs {
  CutInputs inputs;
  std::optional<std::string> refusal;
};
ReadInputs ReadCutInputs(CutKind kind, const FieldTexts& fields);

/// The whole program text as the run first writes it: the contour lines, then "M30" and "%".
std::string ProgramText(const std::vector<PrintLine>& contour);

/// The fields turned into a program text, or the refusal that stops the run before any file.
struct ProgramPlan {
  std::string program;
  std::optional<std::string> refusal;
};
ProgramPlan PlanProgram(CutKind kind, const FieldTexts& fields);

/// The program as the display holds it: every line ended by CR LF, every space removed.
std::string StrippedLines(std::string_view fileBytes);

}  // namespace talvo
