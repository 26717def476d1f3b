// SPDX-License-Identifier: MIT
// One whole generation run against the bare file system calls it makes, and ValParse on pasted text.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "disk_files.h"
#include "generation_run.h"
#include "launcher_file.h"
#include "temp_root.h"
#include "val_parse.h"

namespace {

using namespace talvo;

const FieldTexts kFields = {{CutValue::Diameter, "100.125"},
                            {CutValue::StartDistance, "10"},
                            {CutValue::FlameDiameter, "4"},
                            {CutValue::Feed, "300"}};

void BM_GenerationRun(benchmark::State& state) {
  test_support::TempRoot root;
  DiskFiles files;
  GenerationRun run(RunPaths::InRoot(root.Path()), files, nullptr);
  std::string display;
  for (auto _ : state) {
    run.Run(CutKind::InnerCircle, kFields, display);
    benchmark::DoNotOptimize(display);
  }
}
BENCHMARK(BM_GenerationRun);

// The floor: the same file operations with the same bytes, and nothing else. Each file is
// written under a name of its own beside its target and moved in place at the end.
void BM_BareFileCalls(benchmark::State& state) {
  test_support::TempRoot root;
  const auto program = root.Path() / "ALANTEMIZLEME.TXT";
  const auto launcher = root.Path() / "A.BAT";
  const auto staged = [&](const char* n) { return root.Path() / n; };
  const std::string launcherText = LauncherText();
  const std::string programText =
      "G0X 0 Y 0 \r\nG0Y-38.062 \r\nG1Y-48.062 F 300 \r\nG2J 48.0625 F 300 \r\nM30\r\n%\r\n";
  const std::string displayText = "G0X0Y0\r\nG0Y-38.062\r\nG1Y-48.062F300\r\nG2J48.0625F300\r\nM30\r\n%\r\n\r\n";
  std::ofstream(program, std::ios::binary) << displayText;
  std::ofstream(launcher, std::ios::binary) << launcherText;
  for (auto _ : state) {
    std::ofstream(staged("p1"), std::ios::binary).close();
    std::ofstream(staged("l"), std::ios::binary) << launcherText;
    std::filesystem::remove(staged("p1"));
    std::ofstream(staged("p2"), std::ios::binary) << programText;
    std::ifstream in(staged("p2"), std::ios::binary);
    std::string back{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    benchmark::DoNotOptimize(back);
    std::ofstream(staged("p3"), std::ios::binary) << displayText;
    std::filesystem::remove(staged("p2"));
    std::filesystem::rename(launcher, staged("aside"));
    std::filesystem::rename(staged("l"), launcher);
    std::filesystem::rename(staged("p3"), program);
    std::filesystem::remove(staged("aside"));
  }
}
BENCHMARK(BM_BareFileCalls);

// A pasted document of digits, blanks and line feeds: every character must be looked at.
void BM_ValParsePasted(benchmark::State& state) {
  std::string text;
  const std::string piece = "12 3\t4\n5";
  while (text.size() < static_cast<std::size_t>(state.range(0))) text += piece;
  text.resize(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ValParse(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ValParsePasted)->RangeMultiplier(4)->Range(16 << 10, 1 << 20)->Complexity(benchmark::oN);

}  // namespace
