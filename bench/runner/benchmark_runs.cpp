// SPDX-License-Identifier: MIT
#include "benchmark_runs.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

namespace talvo::bench {
namespace {

/// The console's report, counting the runs that ended with SkipWithError.
class FailureCountingReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) ++failures_;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  int Failures() const { return failures_; }

 private:
  int failures_ = 0;
};

}  // namespace

int RunBenchmarks(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  FailureCountingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (reporter.Failures() > 0) {
    std::fprintf(stderr, "%d benchmark run(s) reported an error\n", reporter.Failures());
    return 1;
  }
  return 0;
}

}  // namespace talvo::bench
