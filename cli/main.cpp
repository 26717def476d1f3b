// SPDX-License-Identifier: MIT
// talvo-gcode: the generation run without windows.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "binary_stdout.h"
#include "cli_args.h"
#include "disk_files.h"
#include "generation_run.h"
#include "root_folder.h"

int main(int argc, char** argv) {
  using namespace talvo;
  const CliParse parsed = ParseCliArgs(argc, argv);
  if (parsed.help) {
    std::cout << CliHelp();
    return 0;
  }
  if (!parsed.error.empty()) {
    std::cerr << "talvo-gcode: " << parsed.error << "\n\n" << CliUsage();
    return 2;
  }
  const CliArgs& args = *parsed.args;

  std::string display;
  if (args.write) {
    DiskFiles files;
    GenerationRun run(RunPaths::InRoot(platform::RootFolder()), files, nullptr);
    const RunOutcome outcome = run.Run(args.kind, args.fields, display);
    if (outcome.status != RunStatus::Done) {
      std::cerr << outcome.message << '\n';
      return 1;
    }
  } else {
    const ProgramPlan plan = PlanProgram(args.kind, args.fields);
    if (plan.refusal) {
      std::cerr << *plan.refusal << '\n';
      return 1;
    }
    display = StrippedLines(plan.program);
  }
  platform::BinaryStdout();
  std::fwrite(display.data(), 1, display.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
