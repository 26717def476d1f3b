// SPDX-License-Identifier: MIT
// A 10 MB text pasted into one field, then "G KOD": the whole run, from the screen's field texts
// to both files on disk. The window must not freeze; the goal is 100 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "disk_files.h"
#include "generation_run.h"
#include "temp_root.h"

namespace {

using namespace talvo;

constexpr std::size_t kPasted = 10u << 20;

std::string Repeated(std::string_view start, std::string_view piece) {
  std::string text(start);
  text.reserve(kPasted);
  while (text.size() < kPasted) text += piece;
  text.resize(kPasted);
  return text;
}

// A document of words and digits: the reading stops at its first word.
const std::string& Document() {
  static const std::string text =
      Repeated("", "Kesim raporu 2024: levha 12 mm, 3 delik, hız 300 mm/dak; çap 100.5 ve 80.25.\n");
  return text;
}
// Digits after a point, all read: a start distance of about .123.
const std::string& DigitRun() {
  static const std::string text = Repeated(".", "1234567890");
  return text;
}
// Digits, blanks and line feeds, all read as one number far beyond a double: refused.
const std::string& SpacedDigits() {
  static const std::string text = Repeated("", "12 3\t4\n5");
  return text;
}

// The pasted text goes into the start distance of an inner circle; the other fields hold the
// usual values. `expected` is how the run must end, so a fast wrong run cannot pass for a fast one.
void RunWithPasted(benchmark::State& state, const std::string& pasted, CutValue field, RunStatus expected) {
  test_support::TempRoot root;
  DiskFiles files;
  GenerationRun run(RunPaths::InRoot(root.Path()), files, nullptr);
  std::string display;
  for (auto _ : state) {
    // The screen hands its field texts over on every press: the copy is part of the run.
    FieldTexts fields = {{CutValue::Diameter, "100"},
                         {CutValue::StartDistance, "10"},
                         {CutValue::FlameDiameter, "4"},
                         {CutValue::Feed, "300"}};
    fields[field] = pasted;
    const RunOutcome outcome = run.Run(CutKind::InnerCircle, fields, display);
    if (outcome.status != expected) state.SkipWithError("the run ended otherwise than expected");
    benchmark::DoNotOptimize(display);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * pasted.size()));
}

void BM_PastedDocumentRun(benchmark::State& state) {
  RunWithPasted(state, Document(), CutValue::StartDistance, RunStatus::Done);
}
BENCHMARK(BM_PastedDocumentRun)->Unit(benchmark::kMillisecond);

void BM_PastedDigitRun(benchmark::State& state) {
  RunWithPasted(state, DigitRun(), CutValue::StartDistance, RunStatus::Done);
}
BENCHMARK(BM_PastedDigitRun)->Unit(benchmark::kMillisecond);

void BM_PastedSpacedDigitsRun(benchmark::State& state) {
  RunWithPasted(state, SpacedDigits(), CutValue::Diameter, RunStatus::Refused);
}
BENCHMARK(BM_PastedSpacedDigitsRun)->Unit(benchmark::kMillisecond);

}  // namespace
