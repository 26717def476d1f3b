// SPDX-License-Identifier: MIT
#include "generation_run.h"

#include <algorithm>
#include <sstream>

#include "launcher_file.h"
#include "messages.h"
#include "staged_files.h"
#include "val_parse.h"

namespace talvo {
namespace {

std::string PathText(const std::filesystem::path& path) {
  const auto u8 = path.u8string();
  return std::string(u8.begin(), u8.end());
}

RunOutcome FileFailure(const char* what, const std::filesystem::path& path, const std::string& reason) {
  return {RunStatus::Failed, std::string(what) + ": " + PathText(path) + ": " + reason};
}

}  // namespace

RunPaths RunPaths::InRoot(const std::filesystem::path& root) {
  return {root / "ALANTEMIZLEME.TXT", root / "A.BAT", root / ".talvo-zavodo.lock"};
}

ReadInputs ReadCutInputs(CutKind kind, const FieldTexts& fields) {
  const auto& description = Describe(kind);
  ReadInputs result;
  for (const CutValue read : description.reads) {
    const auto it = fields.find(read);
    const auto value = ValParse(it == fields.end() ? std::string_view{} : std::string_view{it->second});
    if (!value) {
      result.refusal = msg::kTooBig;
      return result;
    }
    result.inputs[read] = *value;
  }
  if (result.inputs[description.zeroTested] == 0) result.refusal = msg::kZeroRefused;
  return result;
}

std::string ProgramText(const std::vector<PrintLine>& contour) {
  std::ostringstream out;
  for (const auto& line : contour) WritePrintLine(out, line);
  WritePrintLine(out, {"M30"});
  WritePrintLine(out, {"%"});
  return std::move(out).str();
}

std::string StrippedLines(std::string_view bytes) {
  // Lines end at CR LF, a lone CR or a lone LF; a last line without an end still counts.
  std::string display;
  display.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", i);
    const std::size_t stop = end == std::string_view::npos ? bytes.size() : end;
    for (std::size_t k = i; k < stop; ++k) {
      if (bytes[k] != ' ') display += bytes[k];
    }
    display += "\r\n";
    i = stop;
    if (i < bytes.size() && bytes[i] == '\r') {
      ++i;
      if (i < bytes.size() && bytes[i] == '\n') ++i;
    } else if (i < bytes.size()) {
      ++i;  // a lone LF
    }
  }
  return display;
}

GenerationRun::GenerationRun(RunPaths paths, RunFiles& files, LauncherStarter* starter)
    : paths_(std::move(paths)), files_(files), starter_(starter) {}

ProgramPlan PlanProgram(CutKind kind, const FieldTexts& fields) {
  const ReadInputs read = ReadCutInputs(kind, fields);
  if (read.refusal) return {{}, read.refusal};
  // A coordinate that overflowed would be written as no number a controller can read.
  const auto lines = ContourLines(kind, read.inputs);
  if (!std::all_of(lines.begin(), lines.end(), [](const PrintLine& l) { return IsWritable(l); })) {
    return {{}, msg::kTooBig};
  }
  return {ProgramText(lines), std::nullopt};
}

RunOutcome GenerationRun::Run(CutKind kind, const FieldTexts& fields, std::string& display) {
  const ProgramPlan plan = PlanProgram(kind, fields);
  if (plan.refusal) return {RunStatus::Refused, *plan.refusal};
  const std::string& program = plan.program;

  const std::string launcher = LauncherText();

  // Two runs on one root take turns, so neither sees the other's files half in place. A root
  // that cannot hold the lock is used all the same: its files fail with their own messages.
  std::unique_ptr<RunLock> lock;
  if (!paths_.lockFile.empty()) files_.Lock(paths_.lockFile, lock);

  // Every file is staged beside its target and only put in place once the whole run has gone
  // through: a run that stops at any step leaves both earlier files as they were. What a killed
  // run left staged is no live run's while we hold the lock.
  StagedFiles staged(files_);
  staged.RemoveLeftovers({paths_.programFile, paths_.launcherFile});
  if (auto err = staged.Write(paths_.programFile, "")) return FileFailure(msg::kCannotWrite, paths_.programFile, *err);
  if (auto err = staged.Write(paths_.launcherFile, launcher))
    return FileFailure(msg::kCannotWrite, paths_.launcherFile, *err);
  if (auto err = staged.Drop(paths_.programFile)) return FileFailure(msg::kCannotDelete, paths_.programFile, *err);
  display.clear();
  if (auto err = staged.Write(paths_.programFile, program))
    return FileFailure(msg::kCannotWrite, paths_.programFile, *err);
  std::string readBack;
  if (auto err = staged.Read(paths_.programFile, readBack))
    return FileFailure(msg::kCannotRead, paths_.programFile, *err);
  display = StrippedLines(readBack);
  if (auto err = staged.Write(paths_.programFile, display + "\r\n"))
    return FileFailure(msg::kCannotWrite, paths_.programFile, *err);
  if (auto failure = staged.Commit()) return FileFailure(msg::kCannotWrite, failure->target, failure->reason);

  if (starter_) {
    if (auto err = starter_->Start(paths_)) return {RunStatus::Done, std::string(msg::kViewerNotStarted) + ": " + *err};
  }
  return {RunStatus::Done, {}};
}

}  // namespace talvo
