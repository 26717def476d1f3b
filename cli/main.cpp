// SPDX-License-Identifier: MIT
// talvo-gcode: the generation run without windows.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "binary_stdout.h"
#include "cli_args.h"
#include "disk_files.h"
#include "generation_run.h"
#include "program_arguments.h"
#include "root_folder.h"

namespace {

/// The program on standard output, or the reason it could not all be written there.
bool PrintProgram(const std::string& display, std::string& reason) {
  talvo::platform::BinaryStdout();
  errno = 0;
  const bool written = std::fwrite(display.data(), 1, display.size(), stdout) == display.size();
  // A full disk or a closed pipe may only show when the buffer is flushed.
  if (written && std::fflush(stdout) == 0) return true;
  reason = std::strerror(errno ? errno : EIO);
  return false;
}

int Fail(int status, const std::string& message) {
  talvo::platform::WriteText(stderr, message);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace talvo;
  const std::vector<std::string> arguments = platform::ProgramArguments(argc, argv);
  std::vector<const char*> pointers;
  pointers.reserve(arguments.size());
  for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
  const CliParse parsed = ParseCliArgs(static_cast<int>(pointers.size()), pointers.data());
  if (parsed.help) return platform::WriteText(stdout, CliHelp()) ? 0 : 1;
  if (!parsed.error.empty()) return Fail(2, "talvo-gcode: " + parsed.error + "\n\n" + CliUsage());
  const CliArgs& args = *parsed.args;

  std::string display;
  if (args.write) {
    DiskFiles files;
    GenerationRun run(RunPaths::InRoot(platform::RootFolder()), files, nullptr);
    const RunOutcome outcome = run.Run(args.kind, args.fields, display);
    if (outcome.status != RunStatus::Done) return Fail(1, outcome.message + '\n');
  } else {
    const ProgramPlan plan = PlanProgram(args.kind, args.fields);
    if (plan.refusal) return Fail(1, *plan.refusal + '\n');
    display = StrippedLines(plan.program);
  }
  std::string reason;
  if (!PrintProgram(display, reason)) return Fail(1, "talvo-gcode: standard output: " + reason + '\n');
  return 0;
}
